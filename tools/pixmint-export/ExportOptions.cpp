#include "ExportOptions.h"

#include "GlyphSheet.h"
#include "IntelHexWriter.h"
#include "Message.h"
#include "TrueTypeWriter.h"

#include <QCommandLineParser>

#include <algorithm>

namespace {

// An option that shapes outputs, listed in --help after the option of the format named.
struct Shaping
{
    QString after;
    QCommandLineOption option;
};

QList<Shaping> ShapingOptions()
{
    const QString name = QStringLiteral("name");
    return {
        {QStringLiteral("output"),
         {QStringLiteral("layout"),
          QStringLiteral("Bytes of a glyph: columns (the editor's: 5 bytes, bit 0 = top row), "
                         "columns-msb (bit 7 = top row), rows (8 bytes, top row first, bit 4 = "
                         "left column) or rows-msb (bit 7 = left column)."),
          name}},
        {QStringLiteral("output"),
         {name,
          Message::Text(
              u"Name of the array and of the GFX, u8g2, u8x8 and LVGL fonts, a C identifier "
              u"(default PIXMINT_xxxx); also the family of the BDF and TrueType fonts (default "
              u"%1).",
              {QString::fromLatin1(TrueTypeWriter::DefaultName)}),
          QStringLiteral("ident")}},
        {QStringLiteral("output"),
         {QStringLiteral("const"),
          QStringLiteral("Make the array const, usable from other files in C and C++.")}},
        {QStringLiteral("output"),
         {QStringLiteral("progmem"),
          QStringLiteral("Make the array const and put it in AVR program memory (PROGMEM); other "
                         "compilers take it as a const array.")}},
        {QStringLiteral("header"),
         {QStringLiteral("range"),
          QStringLiteral("Make the array a table with a row for each code from FIRST to LAST (0 "
                         "to 255, decimal or 0x hexadecimal), zero bytes where the font has no "
                         "glyph, instead of the glyphs and a map; also the codes of the GFX, "
                         "u8g2, u8x8 and LVGL fonts (default 32-126) and of --grid (default "
                         "0-255)."),
          QStringLiteral("first-last")}},
        {QStringLiteral("header"),
         {QStringLiteral("check"),
          QStringLiteral("Report every problem in the font file, one line each with its line "
                         "number, and write nothing. Exit status 1 when there are problems.")}},
        {QStringLiteral("png"),
         {QStringLiteral("text"),
          QStringLiteral("With --png, draw <string> as the display shows it instead of the "
                         "specimen sheet: one glyph a character, by the character map; a line "
                         "feed starts a new line."),
          QStringLiteral("string")}},
        {QStringLiteral("png"),
         {QStringLiteral("grid"),
          QStringLiteral("With --png, draw a plain sheet for paint programs instead: a cell of 6 "
                         "x 9 pixels for each code of --range, 16 a row, the glyph in its top "
                         "left, black on white, no labels; pixmint-import reads it back.")}},
        {QStringLiteral("png"),
         {QStringLiteral("scale"),
          QStringLiteral(
              "Size of one glyph pixel in the image, 1 to 64 (default 4, with --grid 1)."),
          QStringLiteral("n"), QStringLiteral("4")}},
        {QStringLiteral("bdf"),
         {QStringLiteral("baseline"),
          Message::Text(u"With --bdf, --gfx, --u8g2, --lvgl or --ttf, the grid row just above "
                        u"the baseline, 0 (top) to 7; default %1, so that the font ascends 7 "
                        u"pixels and descends 1.",
                        {FontChar::DefaultBaseline}),
          QStringLiteral("row")}},
        {QStringLiteral("hex"),
         {QStringLiteral("address"),
          QStringLiteral("With --hex, the address of the image's first byte, below 4 GiB, "
                         "decimal or 0x hexadecimal (default 0)."),
          QStringLiteral("n"), QStringLiteral("0")}},
        {QStringLiteral("gfx"),
         {QStringLiteral("gfx-standalone"),
          QStringLiteral("With --gfx, declare the library's GFXglyph and GFXfont in the header "
                         "instead of including <Adafruit_GFX.h>.")}},
    };
}

// An option that goes only with others: with any of needs where it names some, never with
// excludes; what it says otherwise.
struct Conflict
{
    const char* option;
    QStringList needs;
    QStringList excludes;
    const char* message;
};

// --progmem is const as well: both together are refused, as pixmint_add_font refuses CONST
// PROGMEM, rather than one silently taken for the other.
const Conflict Conflicts[] = {
    {"progmem",
     {},
     {"const"},
     "give --const or --progmem, not both (--progmem makes the array const as well)"},
    {"text", {"png"}, {}, "--text draws into an image: give its file with --png"},
    // A tile of u8x8 has no baseline; the images follow the C table.
    {"baseline",
     {"bdf", "gfx", "u8g2", "lvgl", "ttf"},
     {},
     "--baseline places the glyphs of a font that --bdf, --gfx, --u8g2, --lvgl or --ttf writes: "
     "give its file"},
    {"address", {"hex"}, {}, "--address places the Intel HEX records: give their file with --hex"},
    {"gfx-standalone",
     {"gfx"},
     {},
     "--gfx-standalone shapes the GFX header: give its file with --gfx"},
};

} // namespace

ExportOptions::ExportOptions(QCommandLineParser& parser)
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

bool ExportOptions::Read(const QCommandLineParser& parser)
{
    if (parser.isSet(QStringLiteral("check"))) {
        for (const QString& name : parser.optionNames()) {
            if (name != QLatin1String("check"))
                return Fail(QStringLiteral("--check writes nothing: it takes no other option"));
        }
        _check = true;
        return true;
    }

    for (const Conflict& conflict : Conflicts) {
        const auto given = [&](const QString& option) { return parser.isSet(option); };
        if (parser.isSet(QLatin1String(conflict.option)) &&
            ((!conflict.needs.isEmpty() &&
              std::none_of(conflict.needs.begin(), conflict.needs.end(), given)) ||
             std::any_of(conflict.excludes.begin(), conflict.excludes.end(), given)))
            return Fail(QLatin1String(conflict.message));
    }
    if (!ReadNumber(parser, Option(u"scale"), GlyphSheet::MinScale, GlyphSheet::MaxScale,
                    _settings.scale))
        return false;
    if (!ReadWriter(parser) || !ReadPaths(parser))
        return false;
    _settings.text = parser.value(QStringLiteral("text"));
    if (parser.isSet(QStringLiteral("text")) && _settings.text.isEmpty())
        return Fail(QStringLiteral("--text is empty: there is nothing to draw"));
    _settings.grid = parser.isSet(QStringLiteral("grid"));
    if (_settings.grid && !parser.isSet(QStringLiteral("png")))
        return Fail(QStringLiteral("--grid draws into an image: give its file with --png"));
    if (_settings.grid && parser.isSet(QStringLiteral("text")))
        return Fail(QStringLiteral("give --grid or --text, not both: each draws the whole image"));
    // A paint program shows the sheet one pixel a pixel.
    if (_settings.grid && !parser.isSet(QStringLiteral("scale")))
        _settings.scale = 1;
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

// The fonts for other programs and the Intel HEX: what shapes them, and --name by the rule of
// each output for its names.
bool ExportOptions::ReadFonts(const QCommandLineParser& parser)
{
    _settings.gfxStandalone = parser.isSet(QStringLiteral("gfx-standalone"));
    if (!ReadNumber(parser, Option(u"baseline"), 0, int(FontChar::RowCount) - 1,
                    _settings.baseline))
        return false;
    for (const Request& request : _requests) {
        if (request.format->isValidName && !CheckName(parser, request.format->isValidName))
            return false;
    }
    if (!ReadAddress(parser))
        return false;
    return !parser.isSet(QStringLiteral("ttf")) || ReadSourceDate(_settings.time);
}

bool ExportOptions::ReadAddress(const QCommandLineParser& parser)
{
    const QString text = parser.value(QStringLiteral("address"));
    if (!parser.isSet(QStringLiteral("address")) ||
        IntelHexWriter::ParseAddress(text, &_settings.address))
        return true;
    return Fail(Message::Text(u"--address %1: expected a whole number from 0 to %2, decimal or "
                              u"0x hexadecimal",
                              {text, Message::Hex(qint64(IntelHexWriter::AddressLimit - 1))}));
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
    CArray::Storage storage = CArray::Storage::Plain;
    if (parser.isSet(QStringLiteral("progmem")))
        storage = CArray::Storage::Progmem;
    else if (parser.isSet(QStringLiteral("const")))
        storage = CArray::Storage::Const;
    // Given once at most, as every option that is not joined.
    std::vector<CodeRange> ranges;
    if (!ReadRanges(parser, Option(u"range"), ranges))
        return false;
    _settings.layout = layout.value_or(CArray::Layout::Columns);
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
