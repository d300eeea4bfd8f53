#pragma once

#include "FontChar.h"

#include <ft2build.h>
#include FT_FREETYPE_H

// One glyph of a FreeType face drawn onto the 5 x 8 grid: pixel column x from the origin goes
// to grid column x, the pixel row at height y above the baseline (0 just above it) to grid
// row baseline - y.
class GlyphDrawing
{
public:
    // An outline whose bitmap would hold more pixels is drawn only where it meets the grid,
    // and a bitmap glyph so large is not drawn, so that no glyph costs more than a bitmap of
    // this size: far more than any glyph of a real font at the largest size.
    static constexpr qint64 MaxCountedPixels = qint64(1) << 22;

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

    // Loads the glyph at the face's chosen size and draws it into glyph.
    static FT_Error Draw(FT_Library library, FT_Face face, FT_UInt index, int baseline,
                         FontChar& glyph, Result& result);
};
