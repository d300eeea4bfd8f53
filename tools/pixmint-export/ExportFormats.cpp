#include "ExportFormats.h"

#include "BdfFormat.h"
#include "CSourceFormat.h"
#include "GfxFormat.h"
#include "Message.h"
#include "PngFormat.h"
#include "TrueTypeFormat.h"

namespace {

std::unique_ptr<OutputFormat> Source(const ExportFormats::Settings& settings)
{
    return std::make_unique<CSourceFormat>(settings.source, CSourceFormat::Part::Source);
}

std::unique_ptr<OutputFormat> Header(const ExportFormats::Settings& settings)
{
    return std::make_unique<CSourceFormat>(settings.source, CSourceFormat::Part::Header);
}

std::unique_ptr<OutputFormat> Png(const ExportFormats::Settings& settings)
{
    return std::make_unique<PngFormat>(settings.text, settings.scale);
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
    return std::make_unique<GfxFormat>(
        GfxWriter(settings.name.value_or(QLatin1String(CArray::EditorName)),
                  settings.range.value_or(GfxWriter::DefaultRange()), settings.baseline,
                  settings.gfxStandalone));
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

// What each option that takes another format's file adds to its description.
const QString Alone = QStringLiteral(" The C/C++ source then goes only where -o says.");

} // namespace

QCommandLineOption ExportFormats::Format::Option() const
{
    QStringList names{option};
    if (!shortOption.isEmpty())
        names.prepend(shortOption);
    return QCommandLineOption(names, description, QStringLiteral("file"));
}

const std::vector<ExportFormats::Format>& ExportFormats::All()
{
    static const std::vector<Format> formats = {
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
        {QStringLiteral("png"), QString(),
         QStringLiteral("Draw every glyph, in font order, on a labelled specimen sheet in <file> "
                        "(PNG).") +
             Alone,
         true, QStringLiteral("png"), Png, QString(), QString(), QString(), nullptr},
        {QStringLiteral("bdf"), QString(),
         Message::Text(u"Write the font as BDF 2.1, the interchange format of bitmap fonts, to "
                       u"<file>: its family named by --name (default %1).",
                       {QString::fromLatin1(BdfWriter::DefaultFamily)}) +
             Alone,
         true, QStringLiteral("bdf"), Bdf, QString(), QString(), QString(), nullptr},
        {QStringLiteral("gfx"), QString(),
         QStringLiteral("Write the font as a C++ header in the Adafruit GFX custom-font form to "
                        "<file>, for display.setFont(&NAME): the codes of --range (default "
                        "32-126), the cursor's y on the baseline.") +
             Alone,
         true, QStringLiteral("gfx"), Gfx, QStringLiteral("GFX"),
         QStringLiteral("include/@name@.h"), QStringLiteral("a header"), GfxIdentifiers},
        {QStringLiteral("ttf"), QString(),
         Message::Text(u"Write the font as TrueType to <file>: each pixel a square, exact at 8 "
                       u"pixels per em, named by --name (default %1). Its dates are "
                       u"SOURCE_DATE_EPOCH, or else 1970-01-01.",
                       {QString::fromLatin1(TrueTypeWriter::DefaultName)}) +
             Alone,
         true, QStringLiteral("ttf"), TrueType, QString(), QString(), QString(), nullptr},
    };
    return formats;
}
