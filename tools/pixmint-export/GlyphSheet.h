#pragma once

#include <QImage>
#include <QString>

class FontCharSet;

// Every glyph of a font, in font order, drawn as enlarged dots with its name below.
class GlyphSheet
{
public:
    static constexpr int MinScale = 1;
    static constexpr int MaxScale = 64;

    // A null image, with the reason, when the sheet would be too large to draw.
    static QImage Render(const FontCharSet& set, int scale, QString* error = nullptr);
};
