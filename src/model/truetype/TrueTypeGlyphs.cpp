#include "TrueTypeGlyphs.h"

#include "CharacterMap.h"
#include "FontCharSet.h"
#include "PixelOutline.h"
#include "SfntData.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace {

// The flags of a glyph's point.
constexpr int OnCurve = 0x01;
constexpr int XShort = 0x02;
constexpr int YShort = 0x04;
// With a short coordinate, that it is positive; without one, that it repeats the last.
constexpr int XSameOrPositive = 0x10;
constexpr int YSameOrPositive = 0x20;

// One coordinate as the difference from the one before, in the fewest bytes; its flag bits.
int Delta(int delta, int shortBit, int sameBit, SfntData& data)
{
    if (delta == 0)
        return sameBit;
    if (delta >= -255 && delta <= 255) {
        data.U8(std::abs(delta));
        return shortBit | (delta > 0 ? sameBit : 0);
    }
    data.U16(delta);
    return 0;
}

} // namespace

TrueTypeGlyphs::TrueTypeGlyphs(const CharacterMap& map, int baseline, int unitsPerPixel)
{
    _offsets.reserve(map.Count() + 2);
    _offsets.push_back(0);
    // .notdef is the outline of the cell, which renderers show for a character that the font
    // lacks; with it the glyf table is never empty, which sanitizers refuse.
    FontChar box;
    for (quint32 column = 0; column < FontChar::ColumnCount; ++column)
        box.SetColumn(column, column == 0 || column + 1 == FontChar::ColumnCount ? 0xFF : 0x81);
    Add(box, baseline, unitsPerPixel);
    for (quint32 index = 0; index < map.Count(); ++index)
        Add(map.Glyph(index), baseline, unitsPerPixel);
}

void TrueTypeGlyphs::Add(const FontChar& glyph, int baseline, int unitsPerPixel)
{
    const std::vector<PixelOutline::Contour> contours = PixelOutline::Of(glyph);
    Box box{std::numeric_limits<int>::max(), std::numeric_limits<int>::max(),
            std::numeric_limits<int>::min(), std::numeric_limits<int>::min()};
    SfntData ends, flags, xs, ys;
    int points = 0;
    QPoint last;
    for (const PixelOutline::Contour& contour : contours) {
        for (const QPoint& lattice : contour) {
            // The lattice's y of 0 is the bottom of row 7; the baseline lies below `baseline`.
            const QPoint point(lattice.x() * unitsPerPixel,
                               (lattice.y() + baseline + 1 - int(FontChar::RowCount)) *
                                   unitsPerPixel);
            box = {std::min(box.xMin, point.x()), std::min(box.yMin, point.y()),
                   std::max(box.xMax, point.x()), std::max(box.yMax, point.y())};
            flags.U8(OnCurve | Delta(point.x() - last.x(), XShort, XSameOrPositive, xs) |
                     Delta(point.y() - last.y(), YShort, YSameOrPositive, ys));
            last = point;
        }
        points += int(contour.size());
        ends.U16(points - 1);
    }
    const bool drawn = !contours.empty();
    if (drawn) {
        SfntData glyph;
        glyph.U16(int(contours.size())).U16(box.xMin).U16(box.yMin).U16(box.xMax).U16(box.yMax);
        // No instructions: the points lie on the pixel grid at the size the font is made for.
        glyph.Append(ends.Bytes()).U16(0).Append(flags.Bytes()).Append(xs.Bytes());
        _glyf += glyph.Append(ys.Bytes()).Pad().Bytes();
    }
    _offsets.push_back(quint32(_glyf.size()));
    _drawn.push_back(drawn);
    _boxes.push_back(drawn ? box : Box());
    _maxPoints = std::max(_maxPoints, points);
    _maxContours = std::max(_maxContours, int(contours.size()));
}

bool TrueTypeGlyphs::LongOffsets() const
{
    return _glyf.size() / 2 > FontCharSet::Max16BitCount;
}

QByteArray TrueTypeGlyphs::Loca() const
{
    SfntData loca;
    for (const quint32 offset : _offsets) {
        if (LongOffsets())
            loca.U32(offset);
        else
            loca.U16(int(offset / 2));
    }
    return loca.Bytes();
}

QByteArray TrueTypeGlyphs::Hmtx(int advance) const
{
    SfntData hmtx;
    for (const Box& box : _boxes)
        hmtx.U16(advance).U16(box.xMin);
    return hmtx.Bytes();
}

// .notdef has contours, so every bound is one of a glyph that has.
TrueTypeGlyphs::Box TrueTypeGlyphs::Bounds() const
{
    Box bounds = _boxes.front();
    for (size_t glyph = 1; glyph < _boxes.size(); ++glyph) {
        const Box& box = _boxes[glyph];
        if (_drawn[glyph]) {
            bounds = {std::min(bounds.xMin, box.xMin), std::min(bounds.yMin, box.yMin),
                      std::max(bounds.xMax, box.xMax), std::max(bounds.yMax, box.yMax)};
        }
    }
    return bounds;
}

int TrueTypeGlyphs::MinRightBearing(int advance) const
{
    int least = advance - _boxes.front().xMax;
    for (size_t glyph = 1; glyph < _boxes.size(); ++glyph) {
        if (_drawn[glyph])
            least = std::min(least, advance - _boxes[glyph].xMax);
    }
    return least;
}
