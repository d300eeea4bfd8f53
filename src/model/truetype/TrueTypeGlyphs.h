#pragma once

#include <QByteArray>

#include <vector>

class CharacterMap;
class FontChar;

// The outlines of a font as TrueType's glyf table holds them, with what the other tables say
// of them: where each starts (loca), its left side bearing (hmtx) and the largest and extreme
// values (maxp, head, hhea). Glyph 0 is .notdef, a box; glyph i + 1 is the map's glyph i,
// its pixels squares of unitsPerPixel units, merged by PixelOutline, with the grid row just
// above the baseline from 0 to unitsPerPixel high.
class TrueTypeGlyphs
{
public:
    struct Box
    {
        int xMin = 0;
        int yMin = 0;
        int xMax = 0;
        int yMax = 0;
    };

    TrueTypeGlyphs(const CharacterMap& map, int baseline, int unitsPerPixel);

    int Count() const { return int(_boxes.size()); }
    const QByteArray& Glyf() const { return _glyf; }
    // Offsets in 16-bit words (short) while the table is small enough, else in bytes.
    bool LongOffsets() const;
    QByteArray Loca() const;
    // Every glyph with the same advance; its left side bearing is its leftmost point.
    QByteArray Hmtx(int advance) const;

    int MaxPoints() const { return _maxPoints; }
    int MaxContours() const { return _maxContours; }
    // Over the glyphs that have contours.
    Box Bounds() const;
    int MinRightBearing(int advance) const;

private:
    void Add(const FontChar& glyph, int baseline, int unitsPerPixel);

    QByteArray _glyf;
    std::vector<quint32> _offsets;
    // A glyph without contours has no box.
    std::vector<bool> _drawn;
    std::vector<Box> _boxes;
    int _maxPoints = 0;
    int _maxContours = 0;
};
