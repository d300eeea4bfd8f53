#pragma once

#include <QImage>
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

    // A null image, with the reason, when the sheet would be too large to draw.
    static QImage Render(const FontCharSet& set, int scale, QString* error = nullptr);

    // The text as the display shows it: each character is the glyph that the font's character
    // map gives it, 5 columns, then 1 blank column before the next, no margin; a line feed
    // starts a new line 1 blank row below, and the image is as wide as the longest line. Each
    // glyph pixel is a block of scale x scale, lit pixels black and everything else white. A
    // character without a glyph stays blank and goes to missing, once. A null image, with the
    // reason, when there is no character or the image would be too large to draw.
    static QImage RenderText(const FontCharSet& set, const QString& text, int scale,
                             QList<char32_t>* missing, QString* error = nullptr);

private:
    // QPainter's coordinates and the image size stay within what the raster engine draws.
    static constexpr qint64 MaxSide = 32767;
    static constexpr qint64 MaxPixels = 256LL * 1024 * 1024;
};
