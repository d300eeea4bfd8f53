#include "ExportOptions.h"

#include "GlyphSheet.h"

#include <QCommandLineParser>

bool ExportOptions::Fail(const QString& error)
{
    _error = error;
    return false;
}

bool ExportOptions::Parse(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Writes the C/C++ source of a Pixmint font file, byte for byte as the "
                       "editor's \"Export font as C/C++ code\" does, or in the form that "
                       "firmware takes when any of --layout, --name, --const, --progmem and "
                       "--header is given."));
    const QCommandLineOption helpOption({QStringLiteral("h"), QStringLiteral("help")},
                                        QStringLiteral("Show this help and exit."));
    const QCommandLineOption versionOption({QStringLiteral("v"), QStringLiteral("version")},
                                           QStringLiteral("Show the version and exit."));
    parser.addPositionalArgument(QStringLiteral("font"), QStringLiteral("The font file to read."),
                                 QStringLiteral("FONT.xml"));
    const QCommandLineOption outputOption(
        {QStringLiteral("o"), QStringLiteral("output")},
        QStringLiteral("Write the C/C++ source to <file>, replacing it as a whole, instead of "
                       "to standard output."),
        QStringLiteral("file"));
    const QCommandLineOption layoutOption(
        QStringLiteral("layout"),
        QStringLiteral("Bytes of a glyph: columns (the editor's: 5 bytes, bit 0 = top row), "
                       "columns-msb (bit 7 = top row), rows (8 bytes, top row first, bit 4 = "
                       "left column) or rows-msb (bit 7 = left column)."),
        QStringLiteral("name"));
    const QCommandLineOption nameOption(
        QStringLiteral("name"),
        QStringLiteral("Name of the array, a C identifier (default PIXMINT_xxxx)."),
        QStringLiteral("ident"));
    const QCommandLineOption constOption(
        QStringLiteral("const"),
        QStringLiteral("Make the array const, usable from other files in C and C++."));
    const QCommandLineOption progmemOption(
        QStringLiteral("progmem"),
        QStringLiteral("Make the array const and put it in AVR program memory (PROGMEM); "
                       "other compilers take it as a const array."));
    const QCommandLineOption headerOption(
        QStringLiteral("header"),
        QStringLiteral("Also write a header for C and C++ to <file>: the array, its sizes and "
                       "the character map NAME_map, which the source then defines."),
        QStringLiteral("file"));
    const QCommandLineOption checkOption(
        QStringLiteral("check"),
        QStringLiteral("Report every problem in the font file, one line each with its line "
                       "number, and write nothing. Exit status 1 when there are problems."));
    const QCommandLineOption pngOption(
        QStringLiteral("png"),
        QStringLiteral("Draw every glyph, in font order, on a labelled specimen sheet in <file> "
                       "(PNG). The C/C++ source then goes only where -o says."),
        QStringLiteral("file"));
    const QCommandLineOption textOption(
        QStringLiteral("text"),
        QStringLiteral("With --png, draw <string> as the display shows it instead of the "
                       "specimen sheet: one glyph a character, by the character map."),
        QStringLiteral("string"));
    const QCommandLineOption scaleOption(
        QStringLiteral("scale"),
        QStringLiteral("Size of one glyph pixel in the image, 1 to 64 (default 4)."),
        QStringLiteral("n"), QStringLiteral("4"));
    parser.addOptions({helpOption, versionOption, outputOption, layoutOption, nameOption,
                       constOption, progmemOption, headerOption, checkOption, pngOption, textOption,
                       scaleOption});

    if (!parser.parse(arguments))
        return Fail(parser.errorText());
    if (parser.isSet(helpOption) || parser.isSet(versionOption)) {
        _action = parser.isSet(helpOption) ? Action::Help : Action::Version;
        _helpText = parser.helpText();
        return true;
    }

    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 1) {
        return Fail(
            QStringLiteral("expected one font file, got %1 (see --help)").arg(positional.size()));
    }
    _fontPath = positional.first();
    if (parser.isSet(checkOption)) {
        for (const QString& name : parser.optionNames()) {
            if (name != QLatin1String("check"))
                return Fail(QStringLiteral("--check writes nothing: it takes no other option"));
        }
        _action = Action::Check;
        return true;
    }

    bool scaleIsNumber = false;
    _scale = parser.value(scaleOption).toInt(&scaleIsNumber);
    if (!scaleIsNumber || _scale < GlyphSheet::MinScale || _scale > GlyphSheet::MaxScale) {
        return Fail(QStringLiteral("--scale %1: expected a whole number from %2 to %3")
                        .arg(parser.value(scaleOption))
                        .arg(GlyphSheet::MinScale)
                        .arg(GlyphSheet::MaxScale));
    }
    if (parser.isSet(layoutOption)) {
        FontChar::Layout layout;
        if (!CSourceWriter::LayoutFromName(parser.value(layoutOption), &layout)) {
            return Fail(QStringLiteral("--layout %1: expected one of %2")
                            .arg(parser.value(layoutOption),
                                 CSourceWriter::LayoutNames().join(QStringLiteral(", "))));
        }
        _writer.SetLayout(layout);
    }
    if (parser.isSet(nameOption)) {
        QString reason;
        if (!CSourceWriter::IsValidName(parser.value(nameOption), &reason))
            return Fail(QStringLiteral("--name %1: %2").arg(parser.value(nameOption), reason));
        _writer.SetName(parser.value(nameOption));
    }
    // --progmem is const as well, so giving both means --progmem.
    if (parser.isSet(progmemOption))
        _writer.SetStorage(CSourceWriter::Storage::Progmem);
    else if (parser.isSet(constOption))
        _writer.SetStorage(CSourceWriter::Storage::Const);
    for (const QCommandLineOption& option : {outputOption, headerOption, pngOption}) {
        if (parser.isSet(option) && parser.value(option).isEmpty())
            return Fail(QStringLiteral("--%1: expected a file name").arg(option.names().last()));
    }
    _outputPath = parser.value(outputOption);
    _headerPath = parser.value(headerOption);
    if (!_headerPath.isEmpty())
        _writer.SetHeader(true);
    _pngPath = parser.value(pngOption);
    _text = parser.value(textOption);
    if (parser.isSet(textOption) && !parser.isSet(pngOption))
        return Fail(QStringLiteral("--text draws into an image: give its file with --png"));
    if (parser.isSet(textOption) && _text.isEmpty())
        return Fail(QStringLiteral("--text is empty: there is nothing to draw"));
    return true;
}
