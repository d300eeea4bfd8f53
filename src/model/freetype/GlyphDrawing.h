#pragma once

#include "FontChar.h"

#include <array>

#include <ft2build.h>
#include FT_FREETYPE_H

// One glyph of a FreeType face drawn onto the 5 x 8 grid: pixel column x from the origin goes
// to grid column x, the pixel row at height y above the baseline (0 just above it) to grid
// row baseline - y.
class GlyphDrawing
{
public:
    // A bitmap glyph whose bitmap holds more pixels is not drawn, so that no bitmap glyph costs
    // more than a bitmap of this size: far more than any glyph of a real font at the largest
    // size. Outlines need no such limit: only their pixels near the grid are rendered.
    static constexpr qint64 MaxCountedPixels = qint64(1) << 22;
    // How far beyond the grid, in pixels on every side, an outline is rendered, besides two
    // ems of the face's size: enough for every glyph of the fonts at hand, at every size and
    // baseline, to be rendered whole, so that its pixels and its count of those outside the
    // grid are FreeType's own.
    static constexpr qint64 Margin = 32;

    struct Result
    {
        enum class Outcome { Drawn, DrawnInGrid, TooLarge };
        Outcome outcome = Outcome::Drawn;
        // Drawn: the lit pixels that fall outside the grid.
        qint64 dropped = 0;
        // Otherwise: the size of the glyph's bitmap in pixels.
        qint64 width = 0;
        qint64 height = 0;
    };

    // Loads the glyph at the face's chosen size, a TrueType glyph hinted by FreeType's
    // auto-hinter rather than by the font's program, and draws it into glyph. An outline is
    // rendered only where it lies within two ems and Margin pixels of the grid, so that its
    // cost is that of a glyph of the face's size whatever its coordinates; one that reaches
    // further is DrawnInGrid.
    static FT_Error Draw(FT_Library library, FT_Face face, FT_UInt index, int baseline,
                         FontChar& glyph, Result& result);

    // For each baseline row, the lit pixels that Draw would drop; for a glyph that it draws
    // only in part (DrawnInGrid) or not at all (TooLarge), every pixel of the glyph's box that
    // does not land on the grid.
    using Losses = std::array<qint64, FontChar::RowCount>;
    // The glyph loaded and rendered once, as Draw does, around every row a baseline may take.
    static FT_Error Measure(FT_Library library, FT_Face face, FT_UInt index, Losses& lost);
};
