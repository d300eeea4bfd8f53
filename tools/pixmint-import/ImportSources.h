#pragma once

#include "Status.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

class FontCharSet;
class ImportOptions;
class MessageList;
class QCommandLineParser;

// The kinds of font that pixmint-import reads, one row a kind, in the order that --help names
// them. The program's description and the help of its argument follow from the rows; the
// options of each kind are refused with another, and a kind is chosen by its own options or
// the end of the file's name, the later rows first, or else is the first row, which takes any
// file.
class ImportSources
{
public:
    struct Source
    {
        QString summary;     // in the program's description: "a table of glyphs in C ..."
        QString description; // in the help of the font argument
        QString what;        // in messages: "a table in C source"
        QString noun;        // the file, where it cannot be read: "a table"
        QStringList suffixes;
        // The long names of the options for this kind alone, and of those of other kinds that
        // it takes as well.
        QStringList options;
        QStringList shared;
        // How an option of another kind is refused, after its name: empty for " is for <that
        // kind's what>, not for <this what>".
        QString refusal;
        // Whether the font is a picture of cells, one for each code of --codes or character of
        // --chars, rather than a font that --chars adds glyphs to.
        bool cells;
        // The font that these bytes hold into font, with notes; a failure says why.
        Status (*read)(QByteArray bytes, const ImportOptions& options, FontCharSet& font,
                       MessageList& notes);
    };

    static const std::vector<Source>& All();
    // The kind that the command line asks for: the last whose options are given or whose
    // suffix the font's name has, or else the first row.
    static const Source& Choose(const QCommandLineParser& parser, const QString& fontPath);
    // What --help says of the program, and of the font it takes.
    static QString Summary();
    static QString Description();
};
