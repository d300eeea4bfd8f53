#pragma once

#include <QList>
#include <QString>

// What the programs' command lines say alike: the -h and -v options, the version line, the
// pointer to --help after an error and the examples that end the help. Their help texts share Qt's
// layout (QCommandLineParser's, which the converters use and the editor writes out) and its width.
class HelpText
{
public:
    // The most characters a line of help holds, as QCommandLineParser wraps its options.
    static constexpr int Columns = 80;

    static QString HelpDescription();
    static QString VersionDescription();
    // "program VERSION" and a line end.
    static QString Version(const QString& program);
    // A refused command line: the reason and where to look.
    static QString SeeHelp(const QString& reason);
    // Each line of the text broken at blanks into lines of at most Columns characters; a run
    // of blanks, such as the two in a glyph name, is never broken.
    static QString Wrap(const QString& text);

    // A command line that a program's help shows, after a line saying what it does. A long
    // command goes on, after a backslash and a line end, on more lines.
    struct Example
    {
        QString purpose;
        QString command;
    };
    // The end of every program's help: its examples and the manual page that says the rest.
    // The manual pages are made from the help and take the examples from there.
    static QString Ending(const QString& program, const QList<Example>& examples);
};
