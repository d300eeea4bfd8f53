#pragma once

#include "Status.h"

#include <QByteArray>
#include <QString>

#include <vector>

class FontCharSet;

// A font from a picture of cells, as GlyphSheet::RenderGrid draws them and a paint program
// keeps them: 16 cells a row, read in reading order, each holding a glyph of 5 x 8 pixels in its
// top left, every glyph pixel a block of scale x scale; a block darker than half on average is
// lit. Transparent pixels count as white.
class SheetImport
{
public:
    static constexpr int Columns = 16;

    struct Options
    {
        // The cell's pitch in glyph pixels, at least 5 x 8; 6 x 9 as GlyphSheet draws it.
        int cellWidth = 6;
        int cellHeight = 9;
        // 0: found from the picture's width, 16 cells of the pitch.
        int scale = 0;
    };

    // Replaces the set's glyphs with one for each code, cell i for codes[i], each named by
    // CharacterMap::NewGlyphName. A failure, with the reason in one line, for bytes that are no
    // PNG or a picture too large to read, a size that is no whole number of cells, fewer cells
    // than codes, ink in a cell outside its glyph's pixels or in a cell beyond the codes; the
    // set is then unchanged.
    static Status Read(const QByteArray& png, const std::vector<int>& codes, const Options& options,
                       FontCharSet& set);
};
