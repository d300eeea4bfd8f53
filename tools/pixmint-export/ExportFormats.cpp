#include "ExportFormats.h"

#include "BdfFormat.h"
#include "CSourceFormat.h"
#include "FlashImageFormat.h"
#include "GfxFormat.h"
#include "IntelHexFormat.h"
#include "LvglFormat.h"
#include "Message.h"
#include "PngFormat.h"
#include "TrueTypeFormat.h"
#include "U8g2Format.h"
#include "U8x8Format.h"

#include <iterator>

namespace {

// --name, or the editor's name of the array.
QString Name(const ExportFormats::Settings& settings)
{
    return settings.name.value_or(QLatin1String(CArray::EditorName));
}

std::unique_ptr<OutputFormat> Source(const ExportFormats::Settings& settings)
{
    return std::make_unique<CSourceFormat>(settings.source, CSourceFile::Part::Source);
}

std::unique_ptr<OutputFormat> Header(const ExportFormats::Settings& settings)
{
    return std::make_unique<CSourceFormat>(settings.source, CSourceFile::Part::Header);
}

std::unique_ptr<OutputFormat> Png(const ExportFormats::Settings& settings)
{
    std::optional<CodeRange> grid;
    if (settings.grid)
        grid = settings.range.value_or(CodeRange(0, CodeRange::MaxCode));
    return std::make_unique<PngFormat>(settings.text, settings.scale, grid);
}

std::unique_ptr<OutputFormat> Bdf(const ExportFormats::Settings& settings)
{
    // The warnings name the program that would read the font back.
    return std::make_unique<BdfFormat>(
        settings.baseline,
        settings.name.value_or(QLatin1String(BdfWriter::DefaultFamily)).toLatin1(),
        QStringLiteral("pixmint-import"));
}

std::unique_ptr<OutputFormat> Gfx(const ExportFormats::Settings& settings)
{
    return std::make_unique<GfxFormat>(GfxWriter(Name(settings),
                                                 settings.range.value_or(GfxWriter::DefaultRange()),
                                                 settings.baseline, settings.gfxStandalone));
}

std::unique_ptr<OutputFormat> U8g2(const ExportFormats::Settings& settings)
{
    return std::make_unique<U8g2Format>(U8g2Writer(
        Name(settings), settings.range.value_or(U8g2Writer::DefaultRange()), settings.baseline));
}

std::unique_ptr<OutputFormat> U8x8(const ExportFormats::Settings& settings)
{
    return std::make_unique<U8x8Format>(
        U8x8Writer(Name(settings), settings.range.value_or(U8x8Writer::DefaultRange())));
}

std::unique_ptr<OutputFormat> Lvgl(const ExportFormats::Settings& settings)
{
    return std::make_unique<LvglFormat>(LvglWriter(
        Name(settings), settings.range.value_or(LvglWriter::DefaultRange()), settings.baseline));
}

// The C table's bytes: its layout and range, its name in the warnings.
FlashImageWriter Image(const ExportFormats::Settings& settings)
{
    return FlashImageWriter(CArray(settings.layout, Name(settings), CArray::Storage::Plain),
                            settings.range);
}

std::unique_ptr<OutputFormat> FlashImage(const ExportFormats::Settings& settings)
{
    return std::make_unique<FlashImageFormat>(Image(settings));
}

std::unique_ptr<OutputFormat> IntelHex(const ExportFormats::Settings& settings)
{
    return std::make_unique<IntelHexFormat>(Image(settings), settings.address);
}

std::unique_ptr<OutputFormat> TrueType(const ExportFormats::Settings& settings)
{
    return std::make_unique<TrueTypeFormat>(
        TrueTypeWriter(settings.name.value_or(QLatin1String(TrueTypeWriter::DefaultName)),
                       settings.baseline, settings.time));
}

QStringList SourceIdentifiers(const QString& name, bool range)
{
    return CSourceWriter::Identifiers(name, range);
}

QStringList GfxIdentifiers(const QString& name, bool)
{
    return GfxWriter::Identifiers(name);
}

// The u8g2, u8x8 and LVGL sources define the font alone; the rest of what they define is static.
QStringList NameAlone(const QString& name, bool)
{
    return {name};
}

// What each option that takes another format's file adds to its description.
const QString Alone = QStringLiteral(" The C/C++ source then goes only where -o says.");

// The C source and its header, which the editor exports too.
std::vector<ExportFormats::Format> SourceFormats()
{
    return {
        {QStringLiteral("output"), QStringLiteral("o"),
         QStringLiteral("Write the C/C++ source to <file>, replacing it as a whole, instead of to "
                        "standard output."),
         true, QStringLiteral("c"), Source, QString(), QStringLiteral("@name@.@extension@"),
         QString(), SourceIdentifiers},
        {QStringLiteral("header"), QString(),
         QStringLiteral("Also write a header for C and C++ to <file>: the array, its sizes and "
                        "the character map NAME_map, which the source then defines."),
         false, QStringLiteral("c"), Header, QStringLiteral("HEADER"),
         QStringLiteral("include/@name@.h"), QString(), nullptr},
    };
}

// The picture of the glyphs.
std::vector<ExportFormats::Format> PictureFormats()
{
    return {
        {QStringLiteral("png"), QString(),
         QStringLiteral("Draw every glyph, in font order, on a labelled specimen sheet in <file> "
                        "(PNG).") +
             Alone,
         true, QStringLiteral("png"), Png, QString(), QString(), QString(), nullptr},
    };
}

// BDF, the interchange format of bitmap fonts.
std::vector<ExportFormats::Format> BdfFormats()
{
    return {
        {QStringLiteral("bdf"), QString(),
         Message::Text(u"Write the font as BDF 2.1, the interchange format of bitmap fonts, to "
                       u"<file>: its family named by --name (default %1).",
                       {QString::fromLatin1(BdfWriter::DefaultFamily)}) +
             Alone,
         true, QStringLiteral("bdf"), Bdf, QString(), QString(), QString(), nullptr,
         BdfFormat::IsValidFamily},
    };
}

// The fonts of display libraries, each a source for its library's own font form.
std::vector<ExportFormats::Format> DisplayLibraryFormats()
{
    return {
        {QStringLiteral("gfx"), QString(),
         QStringLiteral("Write the font as a C++ header in the Adafruit GFX custom-font form to "
                        "<file>, for display.setFont(&NAME): the codes of --range (default "
                        "32-126), the cursor's y on the baseline.") +
             Alone,
         true, QStringLiteral("gfx"), Gfx, QStringLiteral("GFX"),
         QStringLiteral("include/@name@.h"), QStringLiteral("a header"), GfxIdentifiers,
         GfxWriter::IsValidName},
        {QStringLiteral("u8g2"), QString(),
         QStringLiteral("Write the font as a C source in u8g2's own font format to <file>, for "
                        "u8g2_SetFont(&u8g2, NAME): the codes of --range (default 32-126), "
                        "u8g2_DrawStr's y on the baseline.") +
             Alone,
         true, QStringLiteral("u8g2"), U8g2, QStringLiteral("U8G2"),
         QStringLiteral("@name@.@extension@"), QStringLiteral("a C source"), NameAlone,
         U8g2Writer::IsValidName},
        {QStringLiteral("u8x8"), QString(),
         QStringLiteral("Write the font as a C source in the 8 x 8 tile form of u8g2's text mode "
                        "to <file>, for u8x8_SetFont(&u8x8, NAME): the codes of --range (default "
                        "32-126), each glyph's 5 columns then 3 blank ones.") +
             Alone,
         true, QStringLiteral("u8x8"), U8x8, QStringLiteral("U8X8"),
         QStringLiteral("@name@.@extension@"), QStringLiteral("a C source"), NameAlone,
         U8x8Writer::IsValidName},
        {QStringLiteral("lvgl"), QString(),
         QStringLiteral("Write the font as a C source in LVGL's built-in font form (LVGL 8 and "
                        "9, 1 bit a pixel) to <file>, for LV_FONT_DECLARE(NAME): the codes of "
                        "--range (default 32-126) but 0 and 9, which LVGL never looks up, the "
                        "glyphs on the baseline.") +
             Alone,
         true, QStringLiteral("lvgl"), Lvgl, QStringLiteral("LVGL"), QStringLiteral("@name@.c"),
         QStringLiteral("a C source"), NameAlone, LvglWriter::IsValidName},
    };
}

// The C table's bytes for external flash.
std::vector<ExportFormats::Format> FlashFormats()
{
    return {
        {QStringLiteral("bin"), QString(),
         QStringLiteral("Write the C array's bytes, in its --layout and --range, as a raw image "
                        "to <file>, for external flash or an EEPROM; --header describes it.") +
             Alone,
         true, QStringLiteral("flash"), FlashImage, QString(), QString(), QString(), nullptr},
        {QStringLiteral("hex"), QString(),
         QStringLiteral("Write the same image as Intel HEX records to <file>, for a programmer "
                        "of flash or EEPROMs.") +
             Alone,
         true, QStringLiteral("flash"), IntelHex, QString(), QString(), QString(), nullptr},
    };
}

// TrueType, the outline font.
std::vector<ExportFormats::Format> TrueTypeFormats()
{
    return {
        {QStringLiteral("ttf"), QString(),
         Message::Text(u"Write the font as TrueType to <file>: each pixel a square, exact at 8 "
                       u"pixels per em, named by --name (default %1). Its dates are "
                       u"SOURCE_DATE_EPOCH, or else 1970-01-01.",
                       {QString::fromLatin1(TrueTypeWriter::DefaultName)}) +
             Alone,
         true, QStringLiteral("ttf"), TrueType, QString(), QString(), QString(), nullptr,
         TrueTypeWriter::IsValidName},
    };
}

} // namespace

QCommandLineOption ExportFormats::Format::Option() const
{
    QStringList names{option};
    if (!shortOption.isEmpty())
        names.prepend(shortOption);
    return QCommandLineOption(names, description, QStringLiteral("file"));
}

// The families in the order of --help.
const std::vector<ExportFormats::Format>& ExportFormats::All()
{
    static const std::vector<Format> formats = [] {
        std::vector<Format> all;
        // Room for every row and a few more, so that the rows are moved once.
        all.reserve(16);
        for (std::vector<Format> (*family)() :
             {SourceFormats, PictureFormats, BdfFormats, DisplayLibraryFormats, FlashFormats,
              TrueTypeFormats}) {
            std::vector<Format> rows = family();
            all.insert(all.end(), std::make_move_iterator(rows.begin()),
                       std::make_move_iterator(rows.end()));
        }
        return all;
    }();
    return formats;
}
