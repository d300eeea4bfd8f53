#include "LvglGlyphs.h"

#include "CharacterMap.h"
#include "CodeRange.h"

#include <algorithm>

namespace {

// Bytes of flash that a table entry takes on a 32-bit target: a glyph description, and an
// offset of a character map. The choice between the two kinds of map weighs them.
constexpr int GlyphBytes = 8;
constexpr int OffsetBytes = 1;

} // namespace

bool LvglGlyphs::Glyph::SameDrawing(const Glyph& other) const
{
    return bitmapIndex == other.bitmapIndex && width == other.width && height == other.height &&
           left == other.left && bottom == other.bottom && advance == other.advance;
}

LvglGlyphs::LvglGlyphs(const CharacterMap& map, const CodeRange& range, int baseline)
    : _baseline(baseline), _glyphs(1)
{
    // A map for each run of codes that LVGL looks up: 0 and 9 split the range.
    int first = -1;
    for (int code = range.First(); code <= range.Last() + 1; ++code) {
        const bool inside = code <= range.Last() && IsLookedUp(code);
        if (inside && first < 0)
            first = code;
        if (!inside && first >= 0) {
            AddMap(map, first, code - 1, code > range.Last());
            first = -1;
        }
    }
}

LvglGlyphs::Glyph LvglGlyphs::Cropped(const FontChar& glyph)
{
    Glyph cropped;
    cropped.advance = Advance;
    int top = int(FontChar::RowCount), bottom = -1, left = int(FontChar::ColumnCount), right = -1;
    for (int row = 0; row < int(FontChar::RowCount); ++row) {
        for (int column = 0; column < int(FontChar::ColumnCount); ++column) {
            if (glyph.GetPixel(quint32(column), quint32(row))) {
                top = std::min(top, row), bottom = std::max(bottom, row);
                left = std::min(left, column), right = std::max(right, column);
            }
        }
    }
    if (bottom < 0)
        return cropped;
    cropped.width = right - left + 1;
    cropped.height = bottom - top + 1;
    cropped.left = left;
    cropped.bottom = _baseline - bottom;
    QByteArray bits((cropped.width * cropped.height + 7) / 8, '\0');
    for (int bit = 0; bit < cropped.width * cropped.height; ++bit) {
        const int row = top + bit / cropped.width, column = left + bit % cropped.width;
        if (glyph.GetPixel(quint32(column), quint32(row)))
            bits[bit / 8] = char(bits[bit / 8] | (0x80 >> (bit % 8)));
    }
    cropped.bitmapIndex = Place(bits);
    return cropped;
}

// Where a glyph's bytes begin in the bitmaps: where they already are, or else after the
// longest end of the bitmaps that they begin with, adding only what follows it.
int LvglGlyphs::Place(const QByteArray& bits)
{
    if (const qsizetype at = _bitmaps.indexOf(bits); at >= 0)
        return int(at);
    qsizetype shared = bits.size() - 1;
    while (shared > 0 && !_bitmaps.endsWith(bits.left(shared)))
        --shared;
    _bitmaps += bits.mid(shared);
    return int(_bitmaps.size() - bits.size());
}

// The map of the codes first to last: consecutive glyphs, one a code, or offsets that let
// the codes share the glyphs that draw the same, whichever takes fewer bytes. LVGL 8 takes a
// map to reach one code past its end (range_length included), so after the last map it
// looks up the code after the last: an extra glyph that draws nothing, or an offset to glyph
// 0, which LVGL takes for none, keeps it within the tables. LVGL 9 never reads them: the
// source keeps them to LVGL 8.
void LvglGlyphs::AddMap(const CharacterMap& map, int first, int last, bool final)
{
    std::vector<Glyph> glyphs;
    for (int code = first; code <= last; ++code) {
        const quint32 index = map.GlyphIndex(code);
        glyphs.push_back(index == CharacterMap::NoGlyph ? Glyph{0, 0, 0, 0, 0, Advance, {}}
                                                        : Cropped(map.Glyph(index)));
        glyphs.back().codes = {code};
    }
    std::vector<Glyph> shared;
    std::vector<quint8> offsets;
    for (const Glyph& glyph : glyphs) {
        auto same = std::find_if(shared.begin(), shared.end(),
                                 [&](const Glyph& other) { return other.SameDrawing(glyph); });
        if (same == shared.end())
            same = shared.insert(shared.end(), glyph);
        else
            same->codes.push_back(glyph.codes.front());
        offsets.push_back(quint8(_glyphs.size() + size_t(same - shared.begin())));
    }
    offsets.push_back(0);
    const int length = last - first + 1;
    const bool consecutive = GlyphBytes * length + (final ? GlyphBytes : 0) <=
                             GlyphBytes * int(shared.size()) + OffsetBytes * (length + 1);
    // Below 256 codes, the offsets of a byte reach every glyph: 0 and 9 are never looked up.
    Map added{first, length, consecutive ? int(_glyphs.size()) : 0,
              consecutive ? MapKind::Consecutive : MapKind::Offsets,
              consecutive ? std::vector<quint8>() : offsets};
    _maps.push_back(added);
    const std::vector<Glyph>& kept = consecutive ? glyphs : shared;
    _glyphs.insert(_glyphs.end(), kept.begin(), kept.end());
    if (consecutive && final)
        _glyphs.emplace_back();
}
