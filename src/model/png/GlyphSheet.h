#pragma once

#include "CodeRange.h"
#include "FontChar.h"
#include "PixelImage.h"
#include "Result.h"

#include <QList>
#include <QString>

class FontCharSet;

// Glyphs of a font drawn as enlarged dots: every glyph in font order with its name below, or
// a line of text as the display shows it.
class GlyphSheet
{
public:
    static constexpr int MinScale = 1;
    static constexpr int MaxScale = 64;
    // The plain sheet for paint programs: cells of 6 x 9 pixels, 16 a row, a glyph in the
    // top left of each and the blank column and row that the display leaves between glyphs.
    static constexpr int GridColumns = 16;
    static constexpr int GridCellWidth = int(FontChar::Advance);
    static constexpr int GridCellHeight = int(FontChar::RowCount) + 1;

    // The sheet, or the reason when it would be too large to draw.
    static Result<PixelImage> Render(const FontCharSet& set, int scale);

    // The text as the display shows it: each character is the glyph that the font's character
    // map gives it, 5 columns, then 1 blank column before the next, no margin; a line feed
    // starts a new line 1 blank row below, and the image is as wide as the longest line. Each
    // glyph pixel is a block of scale x scale, lit pixels black and everything else white. A
    // character without a glyph stays blank and goes to missing, once. The reason instead when
    // there is no character or the image would be too large to draw.
    static Result<PixelImage> RenderText(const FontCharSet& set, const QString& text, int scale,
                                         QList<char32_t>* missing);

    // A cell for each code of the range in code order, each the glyph the character map gives
    // the code, blank for a code without one; lit pixels black, all else white, no label. The
    // reason instead when the memory cannot be had.
    static Result<PixelImage> RenderGrid(const FontCharSet& set, const CodeRange& range, int scale);

private:
    // The sizes that the drawing of the sheets has always kept to.
    static constexpr qint64 MaxSide = 32767;
    static constexpr qint64 MaxPixels = 256LL * 1024 * 1024;

    static QString TextTooLarge(qsizetype longest, qsizetype lines, int scale, qint64 width,
                                qint64 height);
};
