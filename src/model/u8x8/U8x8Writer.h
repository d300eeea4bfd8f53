#pragma once

#include "U8g2FontWriter.h"

// The font as a C source in the tile font form of u8g2's text mode u8x8, for
// u8x8_SetFont(&u8x8, NAME) and u8x8_DrawString: the first and the last code, the font's
// width and height in tiles (1 and 1), then 8 bytes a code from the first to the last, a
// byte a column of the 8 x 8 tile, bit 0 the top row. A tile's rows are the grid's rows: a
// tile has no baseline, and the display's pages of 8 rows are its lines. The glyph's 5
// columns come first and 3 blank ones after them, so that the glyph's left column is the
// tile's, at x = 8 times the column as u8g2_DrawStr would put it there, and the blank runs
// between glyphs, as on a character LCD; a code without a glyph is a blank tile. The first
// and the last code are those of the range that have a glyph: the library draws a blank tile
// for a code outside them, as the tiles left out would be.
class U8x8Writer : public U8g2FontWriter
{
public:
    // The header's size, before the first tile, and the bytes of a tile.
    static constexpr int HeaderSize = 4;
    static constexpr int TileSize = 8;

    U8x8Writer(const QString& name, const CodeRange& range);

    // The font's bytes, as u8x8_SetFont takes them.
    QByteArray Font(const FontCharSet& set) const override;

private:
    QString Comment() const override;
};
