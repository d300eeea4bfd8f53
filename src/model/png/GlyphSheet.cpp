#include "GlyphSheet.h"

#include "CSourceWriter.h"
#include "CharacterMap.h"
#include "FontCharSet.h"
#include "GlyphName.h"
#include "Message.h"
#include "SheetLabels.h"

#include <QSet>

#include <algorithm>

namespace {

// The most glyphs a row of the sheet holds.
constexpr int MaxColumns = 8;
constexpr int Padding = 8;
constexpr int LabelWidth = 110;
// A glyph and the blank column after it on a line of text; a line and the blank row below it.
constexpr int Advance = int(FontChar::Advance);
constexpr int LineAdvance = int(FontChar::RowCount) + 1;
constexpr quint8 Black = 0;
constexpr quint8 Off = 0xE4;

// A picture of the size, or the reason it cannot be had.
Result<PixelImage> Allocate(qint64 width, qint64 height)
{
    PixelImage image{int(width), int(height)};
    if (image.IsNull())
        return Status::Failure(Message::Text(u"there is not enough memory for an image of %1 x %2 "
                                             u"pixels",
                                             {width, height}));
    return image;
}

// The glyph's lit pixels as blocks of scale x scale from (left, top).
void DrawLit(PixelImage& image, const FontChar& glyph, int left, int top, int scale)
{
    for (quint32 column = 0; column < FontChar::ColumnCount; ++column) {
        for (quint32 row = 0; row < FontChar::RowCount; ++row) {
            if (glyph.GetPixel(column, row))
                image.FillRect(left + int(column) * scale, top + int(row) * scale, scale, scale,
                               Black);
        }
    }
}

} // namespace

Result<PixelImage> GlyphSheet::Render(const FontCharSet& set, int scale)
{
    scale = std::clamp(scale, MinScale, MaxScale);

    const int glyphWidth = int(FontChar::ColumnCount) * scale;
    const int glyphHeight = int(FontChar::RowCount) * scale;
    const int cellWidth = std::max(glyphWidth, LabelWidth) + 2 * Padding;
    const int cellHeight = glyphHeight + SheetLabels::Height + 3 * Padding;
    const qint64 count = set.Count();
    // As wide as its glyphs need: a font of three glyphs makes a sheet of three cells.
    const int columns = int(std::clamp<qint64>(count, 1, MaxColumns));
    const qint64 rows = std::max<qint64>(1, (count + columns - 1) / columns);
    const qint64 width = qint64(columns) * cellWidth;
    const qint64 height = rows * cellHeight;
    if (height > MaxSide || width * height > MaxPixels) {
        return Status::Failure(Message::Text(u"%1 glyphs at scale %2 do not fit on one sheet "
                                             u"(%3 x %4 pixels)",
                                             {count, scale, width, height}));
    }

    Result<PixelImage> allocated = Allocate(width, height);
    if (!allocated)
        return allocated;
    PixelImage& image = *allocated;
    const CharacterMap map(set);
    const SheetLabels labels(map);
    qint64 index = 0;
    for (const auto& [name, glyph] : set) {
        const int left = int(index % columns) * cellWidth + Padding;
        const int top = int(index / columns) * cellHeight + Padding;
        const int glyphLeft = left + (cellWidth - 2 * Padding - glyphWidth) / 2;
        for (quint32 column = 0; column < FontChar::ColumnCount; ++column) {
            for (quint32 row = 0; row < FontChar::RowCount; ++row) {
                // A gap between dots keeps them countable once they are large enough.
                const int side = scale >= 4 ? scale - 1 : scale;
                image.FillRect(glyphLeft + int(column) * scale, top + int(row) * scale, side, side,
                               glyph->GetPixel(column, row) ? Black : Off);
            }
        }
        labels.Draw(image, left, top + glyphHeight + Padding, cellWidth - 2 * Padding,
                    GlyphName::Listed(name));
        ++index;
    }
    return allocated;
}

// Why a text of lines of at most longest characters makes no picture at the scale, or nothing.
QString GlyphSheet::TextTooLarge(qsizetype longest, qsizetype lines, int scale, qint64 width,
                                 qint64 height)
{
    if (longest == 0)
        return QStringLiteral("there is no character to draw");
    if (width > MaxSide) {
        return Message::Text(u"%1 characters at scale %2 do not fit on one line of at most %3 "
                             u"pixels",
                             {longest, scale, MaxSide});
    }
    if (height > MaxSide) {
        return Message::Text(u"%1 lines at scale %2 do not fit in an image of at most %3 "
                             u"pixels high",
                             {lines, scale, MaxSide});
    }
    if (width * height > MaxPixels) {
        return Message::Text(u"%1 lines of up to %2 characters at scale %3 make %4 x %5 "
                             u"pixels, more than the %6 of one image",
                             {lines, longest, scale, width, height, MaxPixels});
    }
    return QString();
}

Result<PixelImage> GlyphSheet::RenderText(const FontCharSet& set, const QString& text, int scale,
                                          QList<char32_t>* missing)
{
    scale = std::clamp(scale, MinScale, MaxScale);
    QList<QList<uint>> lines;
    qsizetype longest = 0;
    for (const QString& line : text.split(u'\n')) {
        lines << line.toUcs4();
        longest = std::max(longest, lines.last().size());
    }
    // One blank row between lines, as on a character LCD.
    const qint64 width = (qint64(longest) * Advance - 1) * scale;
    const qint64 height = (qint64(lines.size()) * LineAdvance - 1) * scale;
    const QString tooLarge = TextTooLarge(longest, lines.size(), scale, width, height);
    if (!tooLarge.isEmpty())
        return Status::Failure(tooLarge);

    const CharacterMap map(set);
    QSet<char32_t> named;
    Result<PixelImage> allocated = Allocate(width, height);
    if (!allocated)
        return allocated;
    PixelImage& image = *allocated;
    for (qsizetype lineIndex = 0; lineIndex < lines.size(); ++lineIndex) {
        const QList<uint>& characters = lines[lineIndex];
        const int top = int(lineIndex) * LineAdvance * scale;
        for (qsizetype position = 0; position < characters.size(); ++position) {
            const char32_t character = characters[position];
            // As the map of the header has it: its unsigned short reaches the first 65,535
            // glyphs.
            const quint32 index = character < CharacterMap::CodeCount
                                      ? map.GlyphIndex(int(character))
                                      : CharacterMap::NoGlyph;
            if (!CSourceWriter::MapReaches(index)) {
                if (missing && !named.contains(character)) {
                    named.insert(character);
                    missing->append(character);
                }
                continue;
            }
            DrawLit(image, map.Glyph(index), int(position) * Advance * scale, top, scale);
        }
    }
    return allocated;
}

Result<PixelImage> GlyphSheet::RenderGrid(const FontCharSet& set, const CodeRange& range, int scale)
{
    scale = std::clamp(scale, MinScale, MaxScale);
    const int rows = (range.Count() + GridColumns - 1) / GridColumns;
    Result<PixelImage> allocated = Allocate(qint64(GridColumns) * GridCellWidth * scale,
                                            qint64(rows) * GridCellHeight * scale);
    if (!allocated)
        return allocated;
    PixelImage& image = *allocated;
    const CharacterMap map(set);
    for (int code = range.First(); code <= range.Last(); ++code) {
        const quint32 index = map.GlyphIndex(code);
        const int cell = code - range.First();
        if (index != CharacterMap::NoGlyph)
            DrawLit(image, map.Glyph(index), cell % GridColumns * GridCellWidth * scale,
                    cell / GridColumns * GridCellHeight * scale, scale);
    }
    return allocated;
}
