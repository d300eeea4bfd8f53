#include "ExportShaping.h"

#include "CArray.h"
#include "DisplayPresets.h"
#include "FontChar.h"
#include "Message.h"
#include "TrueTypeWriter.h"

#include <QCommandLineParser>

#include <algorithm>

namespace {

using Option = ExportShaping::Option;

// --display's help: each display of the table with what it chooses.
QString DisplayHelp()
{
    QStringList displays;
    for (const DisplayPresets::Display& display : DisplayPresets::All()) {
        const QString storage =
            display.storage == CArray::Storage::Progmem ? QStringLiteral("--progmem")
            : display.storage == CArray::Storage::Const ? QStringLiteral("--const")
                                                        : QStringLiteral("in RAM");
        displays << Message::Text(
            u"%1 (%2): %3, %4-%5, %6",
            {QString::fromLatin1(display.name), QString::fromLatin1(display.description),
             CArray::LayoutName(display.layout), display.first, display.last, storage});
    }
    return QStringLiteral("Shape the array as the display's usual driver takes it, its layout, "
                          "range and storage: ") +
           displays.join(QStringLiteral("; ")) +
           QStringLiteral(". --layout, --range, --const and --progmem given win.");
}

// The options of the C array, which pixmint_add_font offers under their keywords.
QList<Option> ArrayOptions()
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
          Message::Text(
              u"Name of the array and of the GFX, u8g2, u8x8 and LVGL fonts, a C identifier "
              u"(default PIXMINT_xxxx); also the family of the BDF and TrueType fonts (default "
              u"%1).",
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
        {QStringLiteral("output"),
         {QStringLiteral("art"),
          QStringLiteral("Draw each glyph in comments beside its bytes, '#' a lit pixel and '.' "
                         "an unlit one: each row after its byte in the rows layouts, the 8 rows "
                         "above the glyph's bytes in the columns layouts.")},
         QStringLiteral("ART"),
         true},
    };
}

// The options that choose the rows of the C array, which pixmint_add_font offers likewise.
QList<Option> TableOptions()
{
    return {
        {QStringLiteral("header"),
         {QStringLiteral("range"),
          QStringLiteral("Make the array a table with a row for each code from FIRST to LAST (0 "
                         "to 255, decimal or 0x hexadecimal), zero bytes where the font has no "
                         "glyph, instead of the glyphs and a map; also the codes of the GFX, "
                         "u8g2, u8x8 and LVGL fonts (default 32-126) and of --grid (default "
                         "0-255)."),
          QStringLiteral("first-last")},
         QStringLiteral("RANGE")},
        {QStringLiteral("header"),
         {QStringLiteral("chars"),
          QStringLiteral("Make the array the glyphs of the characters of <text> alone, in its "
                         "order, each once; with --header, NAME_row(c) gives the row of a "
                         "character, or NAME_NONE. Characters without a glyph are left out."),
          QStringLiteral("text")},
         QStringLiteral("CHARS"),
         true},
        {QStringLiteral("header"),
         {QStringLiteral("display"), DisplayHelp(), QStringLiteral("display")},
         QStringLiteral("DISPLAY"),
         true,
         DisplayPresets::Names()},
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
    {"chars",
     {},
     {"range"},
     "give --chars or --range, not both: each chooses the rows of the table"},
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

QList<ExportShaping::Option> ExportShaping::All()
{
    return ArrayOptions() + TableOptions() +
           QList<Option>{
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
                {QStringLiteral("grid"),
                 QStringLiteral(
                     "With --png, draw a plain sheet for paint programs instead: a cell of 6 "
                     "x 9 pixels for each code of --range, 16 a row, the glyph in its top "
                     "left, black on white, no labels; pixmint-import reads it back.")}},
               {QStringLiteral("png"),
                {QStringLiteral("scale"),
                 QStringLiteral(
                     "Size of one glyph pixel in the image, 1 to 64 (default 4, with --grid 1)."),
                 QStringLiteral("n"), QStringLiteral("4")}},
               {QStringLiteral("bdf"),
                {QStringLiteral("baseline"),
                 Message::Text(
                     u"With --bdf, --gfx, --u8g2, --lvgl or --ttf, the grid row just above "
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
                 QStringLiteral(
                     "With --gfx, declare the library's GFXglyph and GFXfont in the header "
                     "instead of including <Adafruit_GFX.h>.")}},
           };
}

QList<ExportShaping::Exclusion> ExportShaping::Exclusions()
{
    QList<Exclusion> exclusions;
    for (const Conflict& conflict : Conflicts) {
        for (const QString& excluded : conflict.excludes) {
            exclusions.push_back(
                {QLatin1String(conflict.option), excluded, QLatin1String(conflict.message)});
        }
    }
    return exclusions;
}

bool ExportShaping::Given(const QCommandLineParser& parser, const QString& option)
{
    if (parser.isSet(option))
        return true;
    const QList<Exclusion> exclusions = Exclusions();
    return std::any_of(exclusions.begin(), exclusions.end(), [&](const Exclusion& exclusion) {
        return (exclusion.first == option && parser.isSet(exclusion.second)) ||
               (exclusion.second == option && parser.isSet(exclusion.first));
    });
}

QString ExportShaping::Refusal(const QCommandLineParser& parser)
{
    const auto given = [&parser](const QString& option) { return parser.isSet(option); };
    for (const Conflict& conflict : Conflicts) {
        if (parser.isSet(QLatin1String(conflict.option)) &&
            ((!conflict.needs.isEmpty() &&
              std::none_of(conflict.needs.begin(), conflict.needs.end(), given)) ||
             std::any_of(conflict.excludes.begin(), conflict.excludes.end(), given)))
            return QLatin1String(conflict.message);
    }
    return QString();
}
