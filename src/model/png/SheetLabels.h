#pragma once

#include "PixelImage.h"

#include <QString>

#include <memory>

class CharacterMap;

// The glyph names below a specimen sheet's glyphs, in dark gray: with DejaVu Sans at 11
// pixels (the face the desktop's sans-serif is on Debian) through FreeType, or, where that
// font is not installed, with the glyphs of the font itself, so that a sheet is always drawn.
class SheetLabels
{
public:
    // The band a label is drawn in, as high as DejaVu Sans' lines at 11 pixels.
    static constexpr int Height = 13;

    explicit SheetLabels(const CharacterMap& map);
    ~SheetLabels();
    SheetLabels(const SheetLabels&) = delete;
    SheetLabels& operator=(const SheetLabels&) = delete;

    // The text centred in the band from (left, top), width wide, cut short with an ellipsis
    // where it is wider; only what fits is measured, however long the text.
    void Draw(PixelImage& image, int left, int top, int width, const QString& text) const;

private:
    struct Face;
    // A character's advance and its drawing at pen (x on the left, y at the baseline).
    int Advance(char32_t character) const; // in 64ths of a pixel
    void DrawCharacter(PixelImage& image, int pen, int baseline, char32_t character) const;

    const CharacterMap& _map;
    std::unique_ptr<Face> _face;
};
