#include "ExportOptions.h"

#include "GfxWriter.h"
#include "GlyphSheet.h"
#include "Message.h"
#include "TrueTypeWriter.h"

#include <QCommandLineParser>

#include <algorithm>

namespace {

using Shaping = ExportOptions::Shaping;

const QString BothStorages = QStringLiteral("give --const or --progmem, not both (--progmem makes "
                                            "the array const as well)");

// The options of the C source, which pixmint_add_font offers under their keywords.
QList<Shaping> SourceOptions()
{
    const QString name = QStringLiteral("name");
    return {
        {QStringLiteral("output"),
         {QStringLiteral("layout"),
          QStringLiteral("Bytes of a glyph: columns (the editor's: 5 bytes, bit 0 = top row), "
                         "columns-msb (bit 7 = top row), rows (8 bytes, top row first, bit 4 = "
                         "left column) or rows-msb (bit 7 = left column)."),
          name},
         QStringLiteral("LAYOUT"),
         true,
         CArray::LayoutNames()},
        {QStringLiteral("output"),
         {name,
          Message::Text(u"Name of the array and of the GFX font, a C identifier (default "
                        u"PIXMINT_xxxx); also the TrueType font's name (default %1).",
                        {QString::fromLatin1(TrueTypeWriter::DefaultName)}),
          QStringLiteral("ident")},
         QStringLiteral("NAME")},
        {QStringLiteral("output"),
         {QStringLiteral("const"),
          QStringLiteral("Make the array const, usable from other files in C and C++.")},
         QStringLiteral("CONST"),
         true},
        {QStringLiteral("output"),
         {QStringLiteral("progmem"),
          QStringLiteral("Make the array const and put it in AVR program memory (PROGMEM); other "
                         "compilers take it as a const array.")},
         QStringLiteral("PROGMEM"),
         true},
        {QStringLiteral("header"),
         {QStringLiteral("range"),
          QStringLiteral("Make the array a table with a row for each code from FIRST to LAST (0 "
                         "to 255, decimal or 0x hexadecimal), zero bytes where the font has no "
                         "glyph, instead of the glyphs and a map; also the codes of the GFX "
                         "font (default 32-126)."),
          QStringLiteral("first-last")},
         QStringLiteral("RANGE")},
    };
}

} // namespace

QList<ExportOptions::Shaping> ExportOptions::ShapingOptions()
{
    return SourceOptions() +
           QList<Shaping>{
               {QStringLiteral("header"),
                {QStringLiteral("check"),
                 QStringLiteral(
                     "Report every problem in the font file, one line each with its line "
                     "number, and write nothing. Exit status 1 when there are problems.")}},
               {QStringLiteral("header"),
                {QStringLiteral("vocabulary"),
                 QStringLiteral(
                     "Print what pixmint_add_font offers and checks: the options, layouts "
                     "and formats that the converter takes, one to a line in fields "
                     "separated by tabs; read no font.")}},
               {QStringLiteral("png"),
                {QStringLiteral("text"),
                 QStringLiteral(
                     "With --png, draw <string> as the display shows it instead of the "
                     "specimen sheet: one glyph a character, by the character map; a line "
                     "feed starts a new line."),
                 QStringLiteral("string")}},
               {QStringLiteral("png"),
                {QStringLiteral("scale"),
                 QStringLiteral("Size of one glyph pixel in the image, 1 to 64 (default 4)."),
                 QStringLiteral("n"), QStringLiteral("4")}},
               {QStringLiteral("bdf"),
                {QStringLiteral("baseline"),
                 Message::Text(
                     u"With --bdf, --gfx or --ttf, the grid row just above the baseline, 0 "
                     u"(top) to 7; default %1, so that the font ascends 7 pixels and "
                     u"descends 1.",
                     {FontChar::DefaultBaseline}),
                 QStringLiteral("row")}},
               {QStringLiteral("gfx"),
                {QStringLiteral("gfx-standalone"),
                 QStringLiteral(
                     "With --gfx, declare the library's GFXglyph and GFXfont in the header "
                     "instead of including <Adafruit_GFX.h>.")}},
           };
}

ExportOptions::ExportOptions(QCommandLineParser& parser) : _parser(parser)
{
    parser.addPositionalArgument(QStringLiteral("FONT.xml"),
                                 QStringLiteral("The font file to read, as the editor saves it."));
    const QList<Shaping> shaping = ShapingOptions();
    for (const ExportFormats::Format& format : ExportFormats::All()) {
        _options.push_back(format.Option());
        for (const Shaping& option : shaping) {
            if (option.after == format.option)
                _options.push_back(option.option);
        }
    }
    for (const QCommandLineOption& option : _options)
        parser.addOption(option);
}

const QCommandLineOption& ExportOptions::Option(QStringView name) const
{
    return *std::find_if(
        _options.begin(), _options.end(),
        [name](const QCommandLineOption& option) { return option.names().last() == name; });
}

QString ExportOptions::FailurePlace(const ExportFormats::Format& format,
                                    const QString& fontPath) const
{
    return format.option == QLatin1String("png") && !_settings.text.isEmpty()
               ? QStringLiteral("--text")
               : fontPath;
}

QList<ExportOptions::Exclusion> ExportOptions::Exclusions()
{
    return {{QStringLiteral("const"), QStringLiteral("progmem"), BothStorages}};
}

bool ExportOptions::ReadArguments(const QStringList& arguments, QString& fontPath)
{
    if (!_parser.isSet(QStringLiteral("vocabulary")))
        return ToolOptions::ReadArguments(arguments, fontPath);
    if (!arguments.isEmpty())
        return Fail(QStringLiteral("--vocabulary describes the converter: it takes no font file"));
    return true;
}

bool ExportOptions::Read(const QCommandLineParser& parser)
{
    const QStringList given = parser.optionNames();
    if (parser.isSet(QStringLiteral("vocabulary"))) {
        _vocabulary = true;
        return given.size() == 1 ||
               Fail(QStringLiteral("--vocabulary describes the converter: it takes no other "
                                   "option"));
    }
    if (parser.isSet(QStringLiteral("check"))) {
        _check = true;
        return std::all_of(given.begin(), given.end(),
                           [](const QString& name) { return name == QLatin1String("check"); }) ||
               Fail(QStringLiteral("--check writes nothing: it takes no other option"));
    }

    if (!ReadNumber(parser, Option(u"scale"), GlyphSheet::MinScale, GlyphSheet::MaxScale,
                    _settings.scale))
        return false;
    if (!ReadWriter(parser) || !ReadPaths(parser))
        return false;
    _settings.text = parser.value(QStringLiteral("text"));
    if (parser.isSet(QStringLiteral("text")) && !parser.isSet(QStringLiteral("png")))
        return Fail(QStringLiteral("--text draws into an image: give its file with --png"));
    if (parser.isSet(QStringLiteral("text")) && _settings.text.isEmpty())
        return Fail(QStringLiteral("--text is empty: there is nothing to draw"));
    return ReadFonts(parser);
}

// A request for each format whose file is given, in the registry's order; the C source goes
// to standard output unless another output is asked for.
bool ExportOptions::ReadPaths(const QCommandLineParser& parser)
{
    bool standardOutput = true;
    for (const ExportFormats::Format& format : ExportFormats::All()) {
        if (!parser.isSet(format.option))
            continue;
        const QString path = parser.value(format.option);
        if (path.isEmpty())
            return Fail(QStringLiteral("--") + format.option +
                        QStringLiteral(": expected a file name"));
        _requests.push_back({&format, path});
        standardOutput = standardOutput && !format.replacesStandardOutput;
    }
    if (standardOutput)
        _requests.push_back({&ExportFormats::StandardOutput(), QString()});
    return true;
}

// The fonts for other programs: BDF, GFX and TrueType.
bool ExportOptions::ReadFonts(const QCommandLineParser& parser)
{
    const bool gfx = parser.isSet(QStringLiteral("gfx"));
    const bool trueType = parser.isSet(QStringLiteral("ttf"));
    if (parser.isSet(QStringLiteral("baseline")) && !parser.isSet(QStringLiteral("bdf")) && !gfx &&
        !trueType)
        return Fail(QStringLiteral("--baseline places the glyphs of a BDF, GFX or TrueType font: "
                                   "give its file with --bdf, --gfx or --ttf"));
    _settings.gfxStandalone = parser.isSet(QStringLiteral("gfx-standalone"));
    if (_settings.gfxStandalone && !gfx)
        return Fail(QStringLiteral("--gfx-standalone shapes the GFX header: give its file with "
                                   "--gfx"));
    if (!ReadNumber(parser, Option(u"baseline"), 0, int(FontChar::RowCount) - 1,
                    _settings.baseline))
        return false;
    if (gfx && !CheckName(parser, GfxWriter::IsValidName))
        return false;
    if (trueType && !CheckName(parser, TrueTypeWriter::IsValidName))
        return false;
    return !trueType || ReadSourceDate(_settings.time);
}

// --name, where it is given, by the rule of an output for its names.
bool ExportOptions::CheckName(const QCommandLineParser& parser,
                              bool (*isValid)(const QString& name, QString* reason))
{
    const QString name = parser.value(QStringLiteral("name"));
    QString reason;
    if (!parser.isSet(QStringLiteral("name")) || isValid(name, &reason))
        return true;
    return Fail(Message::Text(u"--name %1: %2", {name, reason}));
}

// Reproducible builds give the time of their sources; a value that is no such time is a
// mistake to report, not a reason to read the clock.
bool ExportOptions::ReadSourceDate(qint64& time)
{
    const QString epoch = qEnvironmentVariable("SOURCE_DATE_EPOCH");
    if (epoch.isEmpty())
        return true;
    if (ToNumber(epoch, 0, TrueTypeWriter::MaxTime, time))
        return true;
    return Fail(Message::Text(u"SOURCE_DATE_EPOCH %1: expected the seconds since 1970 in decimal "
                              u"digits, at most %2",
                              {epoch, TrueTypeWriter::MaxTime}));
}

// Any of the options of the firmware source, even given with the value that the editor's
// export has, asks for that source.
bool ExportOptions::ReadWriter(const QCommandLineParser& parser)
{
    std::optional<CArray::Layout> layout;
    if (!ReadLayout(parser, Option(u"layout"), layout))
        return false;
    if (!CheckName(parser, CArray::IsValidName))
        return false;
    if (parser.isSet(QStringLiteral("name")))
        _settings.name = parser.value(QStringLiteral("name"));
    // --progmem is const as well: both together are refused, as pixmint_add_font refuses
    // CONST PROGMEM by the same rule, rather than one silently taken for the other.
    for (const Exclusion& exclusion : Exclusions()) {
        if (parser.isSet(exclusion.first) && parser.isSet(exclusion.second))
            return Fail(exclusion.message);
    }
    const bool progmem = parser.isSet(QStringLiteral("progmem"));
    const bool isConst = parser.isSet(QStringLiteral("const"));
    CArray::Storage storage = CArray::Storage::Plain;
    if (progmem)
        storage = CArray::Storage::Progmem;
    else if (isConst)
        storage = CArray::Storage::Const;
    // Given once at most, as every option that is not joined.
    std::vector<CodeRange> ranges;
    if (!ReadRanges(parser, Option(u"range"), ranges))
        return false;
    if (!ranges.empty())
        _settings.range = ranges.front();
    const bool header = parser.isSet(QStringLiteral("header"));
    if (header || layout || _settings.name || storage != CArray::Storage::Plain ||
        _settings.range) {
        _settings.source = CSourceWriter(
            CArray(layout.value_or(CArray::Layout::Columns),
                   _settings.name.value_or(QLatin1String(CArray::EditorName)), storage),
            header, _settings.range);
    }
    return true;
}
