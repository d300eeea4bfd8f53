#include "SheetImport.h"

#include "CharacterMap.h"
#include "FontCharSet.h"
#include "Message.h"
#include "PngFile.h"

#include <memory>

namespace {

constexpr int Half = 128;

struct Grid
{
    int cellWidth;  // in glyph pixels
    int cellHeight; // in glyph pixels
    int scale;
    int rows;
};

// The scale and the rows of cells of the picture, or the reason it is no whole number of cells.
Status Measure(const PixelImage& image, const SheetImport::Options& options, Grid& grid)
{
    grid = {options.cellWidth, options.cellHeight, options.scale, 0};
    const int rowWidth = SheetImport::Columns * grid.cellWidth;
    if (grid.scale == 0 && image.Width() % rowWidth == 0)
        grid.scale = image.Width() / rowWidth;
    const QString cell = Message::Text(u"%1 x %2", {grid.cellWidth, grid.cellHeight});
    if (grid.scale == 0 || image.Width() != rowWidth * grid.scale) {
        return Status::Failure(
            options.scale == 0
                ? Message::Text(u"the picture is %1 pixels wide, which is no row of %2 "
                                u"cells of %3 pixels at any scale",
                                {image.Width(), SheetImport::Columns, cell})
                : Message::Text(u"the picture is %1 pixels wide, not the %2 of a row of "
                                u"%3 cells of %4 pixels at scale %5",
                                {image.Width(), rowWidth * grid.scale, SheetImport::Columns, cell,
                                 grid.scale}));
    }
    const int rowHeight = grid.cellHeight * grid.scale;
    if (image.Height() % rowHeight != 0) {
        return Status::Failure(Message::Text(u"the picture is %1 pixels high, which is no "
                                             u"whole number of rows of cells of %2 pixels "
                                             u"at scale %3",
                                             {image.Height(), cell, grid.scale}));
    }
    grid.rows = image.Height() / rowHeight;
    return Status();
}

// Whether the block of the picture is darker than half: on average, or at any pixel.
bool Dark(const PixelImage& image, int left, int top, int width, int height, bool anyPixel)
{
    qint64 sum = 0;
    for (int y = top; y < top + height; ++y) {
        for (int x = left; x < left + width; ++x) {
            if (anyPixel && image.Level(x, y) < Half)
                return true;
            sum += image.Level(x, y);
        }
    }
    return !anyPixel && sum < qint64(Half) * width * height;
}

// The cell's glyph; false where the cell has ink outside the glyph's pixels.
bool ReadCell(const PixelImage& image, const Grid& grid, int cell, FontChar& glyph)
{
    const int s = grid.scale;
    const int left = cell % SheetImport::Columns * grid.cellWidth * s;
    const int top = cell / SheetImport::Columns * grid.cellHeight * s;
    const int glyphWidth = int(FontChar::ColumnCount) * s;
    const int glyphHeight = int(FontChar::RowCount) * s;
    if (Dark(image, left + glyphWidth, top, grid.cellWidth * s - glyphWidth, grid.cellHeight * s,
             true) ||
        Dark(image, left, top + glyphHeight, glyphWidth, grid.cellHeight * s - glyphHeight, true))
        return false;
    for (quint32 column = 0; column < FontChar::ColumnCount; ++column) {
        for (quint32 row = 0; row < FontChar::RowCount; ++row)
            glyph.SetPixel(column, row,
                           Dark(image, left + int(column) * s, top + int(row) * s, s, s, false));
    }
    return true;
}

QString CellPlace(int cell)
{
    return Message::Text(u"cell %1 (row %2, column %3)", {cell + 1, cell / SheetImport::Columns + 1,
                                                          cell % SheetImport::Columns + 1});
}

} // namespace

Status SheetImport::Read(const QByteArray& png, const std::vector<int>& codes,
                         const Options& options, FontCharSet& set)
{
    const Result<PixelImage> decoded = PngFile::DecodeGray(png);
    if (!decoded)
        return decoded.GetStatus();
    const PixelImage& image = *decoded;
    Grid grid;
    if (Status measured = Measure(image, options, grid); !measured)
        return measured;
    const qint64 cells = qint64(grid.rows) * Columns;
    if (cells < qint64(codes.size())) {
        return Status::Failure(Message::Text(u"the picture holds %1 cells, fewer than the "
                                             u"%2 codes asked for",
                                             {cells, codes.size()}));
    }
    std::vector<FontChar> glyphs(codes.size());
    for (int cell = 0; cell < int(cells); ++cell) {
        FontChar blank;
        FontChar& glyph = size_t(cell) < codes.size() ? glyphs[size_t(cell)] : blank;
        if (!ReadCell(image, grid, cell, glyph)) {
            return Status::Failure(CellPlace(cell) +
                                   QStringLiteral(" has ink outside the 5 x 8 pixels of "
                                                  "its glyph"));
        }
        if (size_t(cell) >= codes.size() && blank != FontChar()) {
            return Status::Failure(CellPlace(cell) +
                                   Message::Text(u" is inked, beyond the %1 codes asked "
                                                 u"for",
                                                 {codes.size()}));
        }
    }
    set.Clear();
    for (size_t index = 0; index < codes.size(); ++index)
        set.At(CharacterMap::NewGlyphName(codes[index])) = new FontChar(glyphs[index]);
    return Status();
}
