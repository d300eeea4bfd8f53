#pragma once

#include "FontChar.h"

#include <QByteArray>

#include <vector>

class CharacterMap;
class CodeRange;

// The tables of a font in LVGL's built-in form (lv_font_fmt_txt) at 1 bit a pixel, as numbers:
// the glyphs' bitmaps, their descriptions and the character maps. Each glyph is cropped to the
// box of its ink, its pixels row by row, most significant bit first, running on across rows;
// a glyph whose bytes already lie in the bitmaps is not stored again. Every code of the range
// that LVGL looks up gets a glyph, a blank one where the font has none, so that LVGL moves on
// there as --text does instead of drawing its box for a missing glyph.
class LvglGlyphs
{
public:
    // One lv_font_fmt_txt_glyph_dsc_t.
    struct Glyph
    {
        int bitmapIndex = 0;
        int width = 0; // the box of the ink, 0 x 0 for a glyph without ink
        int height = 0;
        int left = 0;           // ofs_x: columns from the pen to the box
        int bottom = 0;         // ofs_y: rows from the baseline up to the bottom of the box
        int advance = 0;        // adv_w: in sixteenths of a pixel
        std::vector<int> codes; // the codes that this glyph draws

        bool SameDrawing(const Glyph& other) const;
    };
    // How a character map gives a code's glyph: the one at glyph_id_start + (code -
    // range_start) (LV_FONT_FMT_TXT_CMAP_FORMAT0_TINY), or the one at glyph_id_start +
    // offsets[code - range_start] (LV_FONT_FMT_TXT_CMAP_FORMAT0_FULL), which lets codes share
    // a glyph.
    enum class MapKind { Consecutive, Offsets };
    // One lv_font_fmt_txt_cmap_t.
    struct Map
    {
        int first = 0;
        int length = 0;
        int glyphStart = 0;
        MapKind kind = MapKind::Consecutive;
        std::vector<quint8> offsets; // length + 1 for Offsets: see LvglGlyphs.cpp
    };

    // One glyph and the blank column after it, as LVGL counts an advance.
    static constexpr int Advance = int(FontChar::Advance) * 16;

    // Whether LVGL ever looks a code up: it takes 0 for the end of a text, and draws a tab
    // (9) with the glyph of the space, twice as wide.
    static bool IsLookedUp(int code) { return code != 0 && code != '\t'; }

    // baseline: the grid row just above the baseline, 0 (top) to 7.
    LvglGlyphs(const CharacterMap& map, const CodeRange& range, int baseline);

    const QByteArray& Bitmaps() const { return _bitmaps; }
    // Glyph id 0 first, which LVGL takes for "no glyph".
    const std::vector<Glyph>& Glyphs() const { return _glyphs; }
    const std::vector<Map>& Maps() const { return _maps; }

private:
    Glyph Cropped(const FontChar& glyph);
    int Place(const QByteArray& bits);
    void AddMap(const CharacterMap& map, int first, int last, bool final);

    int _baseline;
    QByteArray _bitmaps;
    std::vector<Glyph> _glyphs;
    std::vector<Map> _maps;
};
