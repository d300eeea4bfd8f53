#include "ImportSources.h"

#include "CTableImport.h"
#include "FontImport.h"
#include "ImportOptions.h"
#include "SheetImport.h"

#include <QCommandLineParser>
#include <QFileInfo>

#include <algorithm>
#include <utility>

namespace {

Status ReadFreeType(QByteArray bytes, const ImportOptions& options, FontCharSet& font,
                    MessageList& notes)
{
    return FontImport::Fill(font, std::move(bytes), options.Import(), &notes);
}

// The glyphs of a table in C source; a reason that an option would answer names it.
Status ReadTable(QByteArray bytes, const ImportOptions& options, FontCharSet& font,
                 MessageList& notes)
{
    const Status read = CTableImport::Read(bytes, options.Table(), font, &notes);
    if (read.Is(CTableImport::Failure::NoLayout))
        return Status::Failure(Status::In(QStringLiteral("--layout is needed"), read.Reason()));
    if (read.Is(CTableImport::Failure::BeyondFromFirst))
        return Status::Failure(read.Reason() + QStringLiteral(" (see --first)"));
    return read;
}

// The glyphs of a picture of cells.
Status ReadPicture(QByteArray bytes, const ImportOptions& options, FontCharSet& font, MessageList&)
{
    return SheetImport::Read(bytes, options.PictureCodes(), options.Picture(), font);
}

bool Given(const QCommandLineParser& parser, const ImportSources::Source& source,
           const QString& suffix)
{
    return std::any_of(source.options.begin(), source.options.end(),
                       [&parser](const QString& option) { return parser.isSet(option); }) ||
           source.suffixes.contains(suffix, Qt::CaseInsensitive);
}

} // namespace

const std::vector<ImportSources::Source>& ImportSources::All()
{
    static const std::vector<Source> sources = {
        {QStringLiteral("an existing font (BDF, PCF, TrueType, OpenType: whatever FreeType reads)"),
         QStringLiteral("BDF, PCF (also .pcf.gz), TrueType or OpenType, whatever FreeType reads"),
         QStringLiteral("fonts that FreeType reads"),
         QStringLiteral("a font"),
         {},
         {QStringLiteral("size"), QStringLiteral("baseline"), QStringLiteral("chars")},
         {},
         QString(),
         false,
         ReadFreeType},
        {QStringLiteral("a table of glyphs in C or C++ source"),
         QStringLiteral("a table of glyphs in C or C++ source (.c, .h, .cpp, ...)"),
         QStringLiteral("a table in C source"),
         QStringLiteral("a table"),
         {QStringLiteral("c"), QStringLiteral("h"), QStringLiteral("cc"), QStringLiteral("cpp"),
          QStringLiteral("cxx"), QStringLiteral("hh"), QStringLiteral("hpp"), QStringLiteral("hxx"),
          QStringLiteral("ino"), QStringLiteral("c++"), QStringLiteral("h++")},
         {QStringLiteral("layout"), QStringLiteral("first"), QStringLiteral("array")},
         {},
         QString(),
         false,
         ReadTable},
        {QStringLiteral("a picture of glyphs in PNG"),
         QStringLiteral("a picture (.png) of cells, 16 a row, one for each code of --codes or "
                        "character of --chars"),
         QStringLiteral("a picture"),
         QStringLiteral("a picture"),
         {QStringLiteral("png")},
         {QStringLiteral("cell"), QStringLiteral("scale")},
         {QStringLiteral("chars")},
         QStringLiteral(" is not for a picture"),
         true,
         ReadPicture},
    };
    return sources;
}

const ImportSources::Source& ImportSources::Choose(const QCommandLineParser& parser,
                                                   const QString& fontPath)
{
    const QString suffix = QFileInfo(fontPath).suffix();
    const auto chosen = std::find_if(All().rbegin(), All().rend() - 1, [&](const Source& source) {
        return Given(parser, source, suffix);
    });
    return chosen == All().rend() - 1 ? All().front() : *chosen;
}

QString ImportSources::Summary()
{
    QStringList summaries;
    for (const Source& source : All())
        summaries << source.summary;
    const QString last = summaries.takeLast();
    return summaries.join(QStringLiteral(", ")) + QStringLiteral(" or ") + last;
}

QString ImportSources::Description()
{
    QStringList descriptions;
    for (const Source& source : All())
        descriptions << source.description;
    return QStringLiteral("The font to start from, in another format than Pixmint's: ") +
           descriptions.join(QStringLiteral("; or ")) + QLatin1Char('.');
}
