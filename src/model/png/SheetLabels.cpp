#include "SheetLabels.h"

#include "CharacterMap.h"
#include "FontChar.h"

#include <QList>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <cmath>
#include <vector>

namespace {

// Where fonts-dejavu-core puts the face that fontconfig names for sans-serif.
const char* const FontPaths[] = {"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
                                 "/usr/share/fonts/dejavu/DejaVuSans.ttf"};
constexpr int PixelSize = 11;
// Qt's dark gray.
constexpr quint8 Ink = 128;
constexpr char32_t Ellipsis = 0x2026;

} // namespace

struct SheetLabels::Face
{
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    int ascent = 0;
    ~Face()
    {
        if (face)
            FT_Done_Face(face);
        if (library)
            FT_Done_FreeType(library);
    }
};

SheetLabels::SheetLabels(const CharacterMap& map) : _map(map)
{
    auto face = std::make_unique<Face>();
    if (FT_Init_FreeType(&face->library) != 0)
        return;
    for (const char* path : FontPaths) {
        if (FT_New_Face(face->library, path, 0, &face->face) == 0)
            break;
        face->face = nullptr;
    }
    if (!face->face || FT_Set_Pixel_Sizes(face->face, 0, PixelSize) != 0)
        return;
    // As Qt places a line: the design ascent, scaled and rounded.
    face->ascent =
        int(std::lround(double(face->face->ascender) * PixelSize / face->face->units_per_EM));
    _face = std::move(face);
}

SheetLabels::~SheetLabels() = default;

int SheetLabels::Advance(char32_t character) const
{
    if (!_face)
        return int(FontChar::Advance) * 64;
    FT_Face face = _face->face;
    if (FT_Load_Char(face, character, FT_LOAD_TARGET_LIGHT) != 0)
        return 0;
    // The outline's own advance, as Qt places glyphs at fractions of a pixel.
    return int(face->glyph->linearHoriAdvance >> 10);
}

void SheetLabels::DrawCharacter(PixelImage& image, int pen, int baseline, char32_t character) const
{
    const int x = pen >> 6;
    if (!_face) {
        // The font's own glyph, its bottom row on the band's last but one.
        const quint32 index = character < char32_t(CharacterMap::CodeCount)
                                  ? _map.GlyphIndex(int(character))
                                  : CharacterMap::NoGlyph;
        if (index == CharacterMap::NoGlyph || index >= _map.Count())
            return;
        for (quint32 column = 0; column < FontChar::ColumnCount; ++column)
            for (quint32 row = 0; row < FontChar::RowCount; ++row)
                if (_map.Glyph(index).GetPixel(column, row))
                    image.Blend(x + int(column), baseline - 8 + int(row), Ink, 255);
        return;
    }
    FT_Face face = _face->face;
    if (FT_Load_Char(face, character, FT_LOAD_TARGET_LIGHT) != 0 ||
        face->glyph->format != FT_GLYPH_FORMAT_OUTLINE)
        return;
    // A quarter of a pixel at most from where the pen is, as Qt draws.
    FT_Outline_Translate(&face->glyph->outline, (pen & 63) / 16 * 16, 0);
    if (FT_Render_Glyph(face->glyph, FT_RENDER_MODE_LIGHT) != 0)
        return;
    const FT_Bitmap& bitmap = face->glyph->bitmap;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY)
        return;
    for (unsigned row = 0; row < bitmap.rows; ++row) {
        const unsigned char* line = bitmap.buffer + std::ptrdiff_t(row) * bitmap.pitch;
        for (unsigned column = 0; column < bitmap.width; ++column)
            image.Blend(x + face->glyph->bitmap_left + int(column),
                        baseline - face->glyph->bitmap_top + int(row), Ink, line[column]);
    }
}

void SheetLabels::Draw(PixelImage& image, int left, int top, int width, const QString& text) const
{
    std::vector<char32_t> shown;
    int shownWidth = 0;
    const int ellipsis = Advance(Ellipsis);
    int fitting = 0;      // how many characters fit beside an ellipsis
    int fittingWidth = 0; // and their width
    bool cut = false;
    for (const char32_t character : text.toUcs4()) {
        const int advance = Advance(character);
        if (shownWidth + advance > width * 64) {
            cut = true;
            break;
        }
        shown.push_back(character);
        shownWidth += advance;
        if (shownWidth + ellipsis <= width * 64) {
            fitting = int(shown.size());
            fittingWidth = shownWidth;
        }
    }
    if (cut) {
        shown.resize(size_t(fitting));
        shown.push_back(Ellipsis);
        shownWidth = fittingWidth + ellipsis;
    }
    int x = left * 64 + (width * 64 - shownWidth) / 2;
    const int baseline = top + (_face ? _face->ascent : Height - 2);
    for (const char32_t character : shown) {
        DrawCharacter(image, x, baseline, character);
        x += Advance(character);
    }
}
