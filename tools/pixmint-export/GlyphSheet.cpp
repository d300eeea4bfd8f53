#include "GlyphSheet.h"

#include "CSourceWriter.h"
#include "CharacterMap.h"
#include "FontCharSet.h"
#include "GlyphName.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace {

// The most glyphs a row of the sheet holds.
constexpr int MaxColumns = 8;
constexpr int Padding = 8;
constexpr int LabelWidth = 110;
// A glyph and the blank column after it on a line of text.
constexpr int Advance = int(FontChar::ColumnCount) + 1;

} // namespace

QImage GlyphSheet::Render(const FontCharSet& set, int scale, QString* error)
{
    scale = std::clamp(scale, MinScale, MaxScale);
    QFont font;
    font.setPixelSize(11);
    const QFontMetrics metrics(font);

    const int glyphWidth = int(FontChar::ColumnCount) * scale;
    const int glyphHeight = int(FontChar::RowCount) * scale;
    const int cellWidth = std::max(glyphWidth, LabelWidth) + 2 * Padding;
    const int cellHeight = glyphHeight + metrics.height() + 3 * Padding;
    const qint64 count = set.Count();
    // As wide as its glyphs need: a font of three glyphs makes a sheet of three cells.
    const int columns = int(std::clamp<qint64>(count, 1, MaxColumns));
    const qint64 rows = std::max<qint64>(1, (count + columns - 1) / columns);
    const qint64 width = qint64(columns) * cellWidth;
    const qint64 height = rows * cellHeight;
    if (height > MaxSide || width * height > MaxPixels) {
        if (error) {
            *error = QStringLiteral("%1 glyphs at scale %2 do not fit on one sheet "
                                    "(%3 x %4 pixels)")
                         .arg(count)
                         .arg(scale)
                         .arg(width)
                         .arg(height);
        }
        return {};
    }

    QImage image(int(width), int(height), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    const QColor off(0xE4, 0xE4, 0xE4);
    qint64 index = 0;
    for (const auto& [name, glyph] : set) {
        const int left = int(index % columns) * cellWidth + Padding;
        const int top = int(index / columns) * cellHeight + Padding;
        const int glyphLeft = left + (cellWidth - 2 * Padding - glyphWidth) / 2;
        for (quint32 column = 0; column < FontChar::ColumnCount; ++column) {
            for (quint32 row = 0; row < FontChar::RowCount; ++row) {
                const QRect dot(glyphLeft + int(column) * scale, top + int(row) * scale, scale,
                                scale);
                // A gap between dots keeps them countable once they are large enough.
                painter.fillRect(scale >= 4 ? dot.adjusted(0, 0, -1, -1) : dot,
                                 glyph->GetPixel(column, row) ? Qt::black : off);
            }
        }
        // Measured whole, a name of megabytes took seconds.
        const QString label =
            metrics.elidedText(GlyphName::Shown(name), Qt::ElideRight, cellWidth - 2 * Padding);
        painter.setPen(Qt::darkGray);
        painter.drawText(
            QRect(left, top + glyphHeight + Padding, cellWidth - 2 * Padding, metrics.height()),
            Qt::AlignHCenter | Qt::AlignTop, label);
        ++index;
    }
    return image;
}

QImage GlyphSheet::RenderText(const FontCharSet& set, const QString& text, int scale,
                              QList<char32_t>* missing, QString* error)
{
    scale = std::clamp(scale, MinScale, MaxScale);
    const QList<uint> characters = text.toUcs4();
    const qint64 width = (qint64(characters.size()) * Advance - 1) * scale;
    const qint64 height = qint64(FontChar::RowCount) * scale;
    if (characters.isEmpty() || width > MaxSide || width * height > MaxPixels) {
        if (error) {
            *error = QStringLiteral("%1 characters at scale %2 do not fit on one line of at "
                                    "most %3 pixels")
                         .arg(characters.size())
                         .arg(scale)
                         .arg(MaxSide);
        }
        return {};
    }

    const CharacterMap map(set);

    QImage image(int(width), int(height), QImage::Format_RGB32);
    image.fill(Qt::white);
    for (qsizetype position = 0; position < characters.size(); ++position) {
        const char32_t character = characters[position];
        // As the map of the header has it: its unsigned short reaches the first 65,535 glyphs.
        const quint32 index = character < CharacterMap::CodeCount ? map.GlyphIndex(int(character))
                                                                  : CharacterMap::NoGlyph;
        if (!CSourceWriter::MapReaches(index)) {
            if (missing && !missing->contains(character))
                missing->append(character);
            continue;
        }
        const int left = int(position) * Advance * scale;
        for (quint32 column = 0; column < FontChar::ColumnCount; ++column) {
            for (quint32 row = 0; row < FontChar::RowCount; ++row) {
                if (!map.Glyph(index).GetPixel(column, row))
                    continue;
                for (int y = int(row) * scale; y < int(row + 1) * scale; ++y) {
                    QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
                    const int x = left + int(column) * scale;
                    std::fill(line + x, line + x + scale, qRgb(0, 0, 0));
                }
            }
        }
    }
    return image;
}
