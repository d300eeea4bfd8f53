#pragma once

#include "U8g2FontWriter.h"

// The font as a C source in u8g2's own font format, for u8g2_SetFont(&u8g2, NAME): a header
// of 23 bytes (the widths of the fields below, the font's box, the heights of "A", "g", "("
// and ")", where the glyphs of "A", of "a" and of the codes above 255 begin), then a glyph
// for each code of the range: its code, its size, and in bits its box (width, height, x and y
// of the lower left corner from the baseline), its advance and its pixels in the library's
// run-length code. Each glyph's box is that of its lit pixels, as the library's own fonts
// crop them, but stretched left or down where a narrower x or y field for every glyph saves
// more than the unlit pixels cost; a glyph without any, or a code without a glyph, is a box of
// 0 x 0 that still advances, so that u8g2_DrawStr(&u8g2, x, y, text) with y the baseline draws
// what the display shows: 5 columns a glyph, then a blank one. The widths of the run-length
// counts are those that make the smallest font. In the library's solid font mode only each
// glyph's box is cleared, not its cell: the font is one for its transparent mode, as its "t"
// fonts are (the header's build mode 0).
class U8g2Writer : public U8g2FontWriter
{
public:
    // The header's size, before the first glyph.
    static constexpr int HeaderSize = 23;

    // baseline: the grid row just above the baseline, 0 (top) to 7, as for BDF.
    U8g2Writer(const QString& name, const CodeRange& range, int baseline);

    // The font's bytes, as u8g2_SetFont takes them.
    QByteArray Font(const FontCharSet& set) const override;

private:
    QString Comment() const override;
    int _baseline;
};
