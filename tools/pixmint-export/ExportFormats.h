#pragma once

#include "CSourceWriter.h"
#include "CodeRange.h"
#include "FontChar.h"
#include "OutputFormat.h"
#include "Status.h"

#include <QCommandLineOption>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

// The registry of pixmint-export's outputs: one row a format, in the order that --help lists
// their options and that the outputs are made, checked and warned about. A row names the
// option that takes the format's file and makes the format from what the other options say.
// --help, the manual page and the bash completion (which reads --help) follow from it.
class ExportFormats
{
public:
    // What the options that shape the outputs say, for each format to take what it uses.
    struct Settings
    {
        CSourceWriter source;           // the C source and its header
        std::optional<QString> name;    // --name
        std::optional<CodeRange> range; // --range
        int baseline = FontChar::DefaultBaseline;
        bool gfxStandalone = false;
        CArray::Layout layout = CArray::Layout::Columns; // --layout, for the raw image too
        quint64 address = 0;                             // --address of the Intel HEX
        qint64 time = 0;   // the dates of a font that has them, in seconds since 1970
        QString text;      // drawn instead of the specimen sheet when not empty
        bool grid = false; // the plain sheet of the codes of range instead of the specimen sheet
        int scale = 4;
    };

    struct Format
    {
        QString option; // the long option that takes the file: "bdf" for --bdf
        QString shortOption;
        QString description;
        // Whether asking for it leaves the C source off standard output.
        bool replacesStandardOutput;
        // Formats of one family (the C source and its header, the raw image and its Intel HEX)
        // are warned about once.
        QString family;
        std::unique_ptr<OutputFormat> (*make)(const Settings& settings);
        // How pixmint_add_font offers it (ExportVocabulary): its keyword, empty where it does
        // not; the file it gives the output in its folder, @name@ standing for the font's NAME
        // and @extension@ for c or cpp; for a format that takes the place of the C source, what
        // it makes; the identifiers that the output defines for a NAME, with --range or not.
        QString cmakeKeyword;
        QString cmakeFile;
        QString cmakeMakes;
        QStringList (*identifiers)(const QString& name, bool range);
        // The rule for --name where the format has names of its own beside the C array's.
        Status (*isValidName)(const QString& name) = nullptr;

        QCommandLineOption Option() const;
    };

    static const std::vector<Format>& All();
    // The format that goes to standard output when no other replaces it: the C source.
    static const Format& StandardOutput() { return All().front(); }
};
