#include "GlyphDrawing.h"

#include FT_BITMAP_H
#include FT_FONT_FORMATS_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

struct BitmapDeleter
{
    FT_Library library;
    void operator()(FT_Bitmap* bitmap) const { FT_Bitmap_Done(library, bitmap); }
};

// Puts the pixels of a bitmap whose top left pixel lies at column left and height top - 1 on
// the grid, and counts the lit pixels that fall outside it.
FT_Error Place(FT_Library library, const FT_Bitmap& source, qint64 left, qint64 top, int baseline,
               FontChar& glyph, qint64& dropped)
{
    const FT_Bitmap* bitmap = &source;
    // 1 and 8 bits a pixel are read as they are; 2 and 4 bit grey (BDF) and colour are
    // converted to 8 bits first.
    FT_Bitmap converted;
    FT_Bitmap_Init(&converted);
    const std::unique_ptr<FT_Bitmap, BitmapDeleter> convertedOwner(&converted, {library});
    if (bitmap->pixel_mode != FT_PIXEL_MODE_MONO && bitmap->pixel_mode != FT_PIXEL_MODE_GRAY) {
        if (const FT_Error failure = FT_Bitmap_Convert(library, bitmap, &converted, 1))
            return failure;
        bitmap = &converted;
    }
    const bool mono = bitmap->pixel_mode == FT_PIXEL_MODE_MONO;
    // A grey pixel counts as lit from half its scale on.
    const unsigned halfScale = std::max(1u, unsigned(bitmap->num_grays) / 2);
    const size_t pitch = size_t(std::abs(bitmap->pitch));
    dropped = 0;
    for (unsigned row = 0; row < bitmap->rows; ++row) {
        // A negative pitch means the rows are stored from the bottom up.
        const unsigned stored = bitmap->pitch >= 0 ? row : bitmap->rows - 1 - row;
        const unsigned char* line = bitmap->buffer + stored * pitch;
        const qint64 gridRow = baseline - (top - 1 - row);
        for (unsigned column = 0; column < bitmap->width; ++column) {
            // Eight blank pixels at once: bitmaps beyond the grid are mostly blank.
            if (mono && column % 8 == 0 && line[column / 8] == 0) {
                column += 7;
                continue;
            }
            const bool lit =
                mono ? (line[column / 8] & (0x80 >> (column % 8))) != 0 : line[column] >= halfScale;
            if (!lit)
                continue;
            const qint64 gridColumn = left + column;
            if (gridColumn >= 0 && gridColumn < qint64(FontChar::ColumnCount) && gridRow >= 0 &&
                gridRow < qint64(FontChar::RowCount))
                glyph.SetPixel(quint32(gridColumn), quint32(gridRow), true);
            else
                ++dropped;
        }
    }
    return 0;
}

// The pixels FreeType's bitmap of an outline covers, right and top excluded: the outline's
// box rounded as FreeType does for black and white, so that pixels keep their centres in.
struct PixelBox
{
    qint64 left;
    qint64 bottom;
    qint64 right;
    qint64 top;
};

qint64 RoundedMin(FT_Pos edge)
{
    return qint64(edge >> 6) + ((edge & 63) + 31) / 64;
}

qint64 RoundedMax(FT_Pos edge)
{
    return qint64(edge >> 6) + ((edge & 63) + 32) / 64;
}

// A box that rounded to nothing gets the pixel on the side its rounding took the most from.
void Widen(qint64& low, qint64& high, FT_Pos lowEdge, FT_Pos highEdge)
{
    if (low != high)
        return;
    if ((((lowEdge & 63) + 31) & 63) - 31 + (((highEdge & 63) + 32) & 63) - 32 < 0)
        --low;
    else
        ++high;
}

PixelBox MonoBox(const FT_Outline& outline)
{
    FT_BBox box;
    FT_Outline_Get_CBox(&outline, &box);
    PixelBox pixels{RoundedMin(box.xMin), RoundedMin(box.yMin), RoundedMax(box.xMax),
                    RoundedMax(box.yMax)};
    Widen(pixels.left, pixels.right, box.xMin, box.xMax);
    Widen(pixels.bottom, pixels.top, box.yMin, box.yMax);
    return pixels;
}

// Renders the pixels of the outline's black-and-white bitmap that lie within margin pixels of
// the grid, with the rasteriser FreeType renders glyphs with, into a bitmap of their own. The
// rasteriser's drop-out rules and rounding depend on where its bitmap ends, so a glyph that
// fits the window gets exactly its own bitmap, and one cut by it may differ near the cut:
// margin keeps the cut far from the grid. FreeType's renderer never returns for a bitmap of
// 32,768 rows or more; the window stays far below.
FT_Error DrawOutline(FT_Library library, FT_Outline& outline, qint64 margin, int baseline,
                     FontChar& glyph, GlyphDrawing::Result& result)
{
    const PixelBox full = MonoBox(outline);
    const qint64 gridBottom = baseline - qint64(FontChar::RowCount) + 1;
    const PixelBox window{std::max(full.left, -margin), std::max(full.bottom, gridBottom - margin),
                          std::min(full.right, qint64(FontChar::ColumnCount) + margin),
                          std::min(full.top, qint64(baseline) + 1 + margin)};
    const bool whole = window.left == full.left && window.bottom == full.bottom &&
                       window.right == full.right && window.top == full.top;
    if (!whole) {
        result = {GlyphDrawing::Result::Outcome::DrawnInGrid, 0, full.right - full.left,
                  full.top - full.bottom};
    }
    if (window.left >= window.right || window.bottom >= window.top)
        return 0;
    FT_Outline_Translate(&outline, FT_Pos(-window.left * 64), FT_Pos(-window.bottom * 64));
    FT_Bitmap part;
    FT_Bitmap_Init(&part);
    part.width = unsigned(window.right - window.left);
    part.rows = unsigned(window.top - window.bottom);
    part.pitch = int(part.width + 7) / 8;
    std::vector<unsigned char> buffer(size_t(part.pitch) * part.rows);
    part.buffer = buffer.data();
    part.num_grays = 2;
    part.pixel_mode = FT_PIXEL_MODE_MONO;
    if (const FT_Error failure = FT_Outline_Get_Bitmap(library, &outline, &part))
        return failure;
    qint64 dropped = 0;
    const FT_Error failure =
        Place(library, part, window.left, window.top, baseline, glyph, dropped);
    if (whole)
        result.dropped = dropped;
    return failure;
}

// TrueType hinting runs the font's own program, up to a million instructions a glyph, some of
// which walk every point of the glyph: a glyph of 30,000 points took 17 s of CPU time.
// FreeType's auto-hinter works from the outline alone, in time that grows with its points; the
// other formats' hints are data, not programs, and keep their own hinters.
FT_Int32 HintingFlags(FT_Face face)
{
    return qstrcmp(FT_Get_Font_Format(face), "TrueType") == 0 ? FT_LOAD_FORCE_AUTOHINT : 0;
}

} // namespace

FT_Error GlyphDrawing::Draw(FT_Library library, FT_Face face, FT_UInt index, int baseline,
                            FontChar& glyph, Result& result)
{
    result = {};
    const FT_Int32 flags = FT_LOAD_TARGET_MONO | HintingFlags(face);
    // A bitmap's size first: FreeType would read all of its bytes, which a font may share
    // between all its glyphs.
    if (const FT_Error failure = FT_Load_Glyph(face, index, flags | FT_LOAD_BITMAP_METRICS_ONLY))
        return failure;
    const FT_GlyphSlot slot = face->glyph;
    if (slot->format == FT_GLYPH_FORMAT_BITMAP) {
        const qint64 width = slot->bitmap.width;
        const qint64 height = slot->bitmap.rows;
        if (width * height > MaxCountedPixels) {
            result = {Result::Outcome::TooLarge, 0, width, height};
            return 0;
        }
        if (const FT_Error failure = FT_Load_Glyph(face, index, flags))
            return failure;
    } else if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
        const FT_Size_Metrics& metrics = face->size->metrics;
        const qint64 em = std::max(metrics.x_ppem, metrics.y_ppem);
        return DrawOutline(library, slot->outline, 2 * em + Margin, baseline, glyph, result);
    } else if (const FT_Error failure = FT_Render_Glyph(slot, FT_RENDER_MODE_MONO)) {
        return failure;
    }
    return Place(library, slot->bitmap, slot->bitmap_left, slot->bitmap_top, baseline, glyph,
                 result.dropped);
}
