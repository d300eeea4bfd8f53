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

// Calls visit(column, row) for each lit pixel of the bitmap, rows counted from its top.
template <typename Visit>
FT_Error ForEachLit(FT_Library library, const FT_Bitmap& source, Visit visit)
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
    for (unsigned row = 0; row < bitmap->rows; ++row) {
        // A negative pitch means the rows are stored from the bottom up.
        const unsigned stored = bitmap->pitch >= 0 ? row : bitmap->rows - 1 - row;
        const unsigned char* line = bitmap->buffer + stored * pitch;
        for (unsigned column = 0; column < bitmap->width; ++column) {
            // Eight blank pixels at once: bitmaps beyond the grid are mostly blank.
            if (mono && column % 8 == 0 && line[column / 8] == 0) {
                column += 7;
                continue;
            }
            if (mono ? (line[column / 8] & (0x80 >> (column % 8))) != 0 : line[column] >= halfScale)
                visit(qint64(column), qint64(row));
        }
    }
    return 0;
}

bool InGrid(qint64 column, qint64 row)
{
    return column >= 0 && column < qint64(FontChar::ColumnCount) && row >= 0 &&
           row < qint64(FontChar::RowCount);
}

// Puts the pixels of a bitmap whose top left pixel lies at column left and height top - 1 on
// the grid, and counts the lit pixels that fall outside it.
FT_Error Place(FT_Library library, const FT_Bitmap& bitmap, qint64 left, qint64 top, int baseline,
               FontChar& glyph, qint64& dropped)
{
    dropped = 0;
    return ForEachLit(library, bitmap, [&](qint64 column, qint64 row) {
        const qint64 gridColumn = left + column;
        const qint64 gridRow = baseline - (top - 1 - row);
        if (InGrid(gridColumn, gridRow))
            glyph.SetPixel(quint32(gridColumn), quint32(gridRow), true);
        else
            ++dropped;
    });
}

// What a bitmap placed as Place places it loses at each baseline.
FT_Error Count(FT_Library library, const FT_Bitmap& bitmap, qint64 left, qint64 top,
               GlyphDrawing::Losses& lost, qint64& total)
{
    constexpr int Rows = int(FontChar::RowCount);
    // The lit pixels within the grid's columns at each height from Rows - 1 below the
    // baseline to Rows - 1 above it, and all of them.
    qint64 inColumns[2 * Rows - 1] = {};
    const FT_Error failure = ForEachLit(library, bitmap, [&](qint64 column, qint64 row) {
        ++total;
        const qint64 height = top - 1 - row;
        if (InGrid(left + column, 0) && height > -Rows && height < Rows)
            ++inColumns[height + Rows - 1];
    });
    for (int baseline = 0; baseline < Rows; ++baseline) {
        lost[size_t(baseline)] = total;
        for (int height = baseline - Rows + 1; height <= baseline; ++height)
            lost[size_t(baseline)] -= inColumns[height + Rows - 1];
    }
    return failure;
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
// the grid's columns and of the heights from bottom to top (excluded), with the rasteriser
// FreeType renders glyphs with, into a bitmap of their own, and hands it to use. The
// rasteriser's drop-out rules and rounding depend on where its bitmap ends, so a glyph that
// fits the window gets exactly its own bitmap, and one cut by it may differ near the cut:
// margin keeps the cut far from the grid. FreeType's renderer never returns for a bitmap of
// 32,768 rows or more; the window stays far below.
template <typename Use>
FT_Error RenderOutline(FT_Library library, FT_Outline& outline, qint64 margin, qint64 bottom,
                       qint64 top, GlyphDrawing::Result& result, Use use)
{
    const PixelBox full = MonoBox(outline);
    const PixelBox window{std::max(full.left, -margin), std::max(full.bottom, bottom - margin),
                          std::min(full.right, qint64(FontChar::ColumnCount) + margin),
                          std::min(full.top, top + margin)};
    if (window.left != full.left || window.bottom != full.bottom || window.right != full.right ||
        window.top != full.top) {
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
    return use(part, window.left, window.top);
}

// TrueType hinting runs the font's own program, up to a million instructions a glyph, some of
// which walk every point of the glyph: a glyph of 30,000 points took 17 s of CPU time.
// FreeType's auto-hinter works from the outline alone, in time that grows with its points; the
// other formats' hints are data, not programs, and keep their own hinters.
FT_Int32 HintingFlags(FT_Face face)
{
    return qstrcmp(FT_Get_Font_Format(face), "TrueType") == 0 ? FT_LOAD_FORCE_AUTOHINT : 0;
}

// Loads the glyph as GlyphDrawing::Draw says and hands its bitmap, with the column of its left
// pixel and the height above the top one, to use; an outline only around the heights from
// bottom to top (excluded).
template <typename Use>
FT_Error Render(FT_Library library, FT_Face face, FT_UInt index, qint64 bottom, qint64 top,
                GlyphDrawing::Result& result, Use use)
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
        if (width * height > GlyphDrawing::MaxCountedPixels) {
            result = {GlyphDrawing::Result::Outcome::TooLarge, 0, width, height};
            return 0;
        }
        if (const FT_Error failure = FT_Load_Glyph(face, index, flags))
            return failure;
    } else if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
        const FT_Size_Metrics& metrics = face->size->metrics;
        const qint64 em = std::max(metrics.x_ppem, metrics.y_ppem);
        return RenderOutline(library, slot->outline, 2 * em + GlyphDrawing::Margin, bottom, top,
                             result, use);
    } else if (const FT_Error failure = FT_Render_Glyph(slot, FT_RENDER_MODE_MONO)) {
        return failure;
    }
    return use(slot->bitmap, qint64(slot->bitmap_left), qint64(slot->bitmap_top));
}

} // namespace

FT_Error GlyphDrawing::Draw(FT_Library library, FT_Face face, FT_UInt index, int baseline,
                            FontChar& glyph, Result& result)
{
    const qint64 top = baseline + 1;
    return Render(library, face, index, top - qint64(FontChar::RowCount), top, result,
                  [&](const FT_Bitmap& bitmap, qint64 left, qint64 bitmapTop) {
                      qint64 dropped = 0;
                      const FT_Error failure =
                          Place(library, bitmap, left, bitmapTop, baseline, glyph, dropped);
                      if (result.outcome == Result::Outcome::Drawn)
                          result.dropped = dropped;
                      return failure;
                  });
}

FT_Error GlyphDrawing::Measure(FT_Library library, FT_Face face, FT_UInt index, Losses& lost)
{
    lost.fill(0);
    Result result;
    qint64 rendered = 0;
    // Every height that some baseline puts on the grid.
    const qint64 rows = FontChar::RowCount;
    const FT_Error failure = Render(library, face, index, 1 - rows, rows, result,
                                    [&](const FT_Bitmap& bitmap, qint64 left, qint64 top) {
                                        return Count(library, bitmap, left, top, lost, rendered);
                                    });
    // Pixels that are not rendered cannot be counted: their whole box stands for them.
    if (result.outcome != Result::Outcome::Drawn) {
        for (qint64& each : lost)
            each += result.width * result.height - rendered;
    }
    return failure;
}
