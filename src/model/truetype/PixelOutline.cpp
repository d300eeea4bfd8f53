#include "PixelOutline.h"

#include "FontChar.h"

#include <array>

namespace {

// Lattice points of the grid, and the four ways along its lines.
constexpr int Columns = int(FontChar::ColumnCount) + 1;
constexpr int Rows = int(FontChar::RowCount) + 1;
enum Direction { Up, Right, Down, Left };
constexpr int StepX[] = {0, 1, 0, -1};
constexpr int StepY[] = {1, 0, -1, 0};

// For each lattice point, a bit for each way that an edge of the outline leaves it.
using Edges = std::array<quint8, Columns * Rows>;

int At(int x, int y)
{
    return y * Columns + x;
}

// Every pixel edge with a lit pixel on its right and none on its left, so that a lit region
// lies to the right of its outline.
Edges Boundary(const FontChar& glyph)
{
    const auto lit = [&glyph](int column, int row) {
        return column >= 0 && row >= 0 && glyph.GetPixel(quint32(column), quint32(row));
    };
    Edges edges = {};
    for (int row = 0; row < int(FontChar::RowCount); ++row) {
        for (int column = 0; column < int(FontChar::ColumnCount); ++column) {
            if (!lit(column, row))
                continue;
            const int bottom = int(FontChar::RowCount) - 1 - row;
            if (!lit(column - 1, row))
                edges[At(column, bottom)] |= 1 << Up;
            if (!lit(column, row - 1))
                edges[At(column, bottom + 1)] |= 1 << Right;
            if (!lit(column + 1, row))
                edges[At(column + 1, bottom + 1)] |= 1 << Down;
            if (!lit(column, row + 1))
                edges[At(column + 1, bottom)] |= 1 << Left;
        }
    }
    return edges;
}

// The way on from a point reached going one way: the sharpest turn to the right that an edge
// takes. Where two regions meet at a corner this keeps each to its own contour; each edge
// that arrives there has its own edge to leave by, so the contours never cross.
int Next(const Edges& edges, int x, int y, int arriving)
{
    for (const int turn : {1, 0, 3}) {
        const int way = (arriving + turn) % 4;
        if (edges[At(x, y)] & (1 << way))
            return way;
    }
    Q_UNREACHABLE();
}

} // namespace

std::vector<PixelOutline::Contour> PixelOutline::Of(const FontChar& glyph)
{
    const Edges edges = Boundary(glyph);
    Edges used = {};
    std::vector<Contour> contours;
    for (int y = 0; y < Rows; ++y) {
        for (int x = 0; x < Columns; ++x) {
            for (int start = Up; start <= Left; ++start) {
                if (!(edges[At(x, y)] & ~used[At(x, y)] & (1 << start)))
                    continue;
                // Along the outline until it comes back to this edge; a point where the way
                // turns is a corner of the contour.
                Contour contour;
                int atX = x, atY = y, way = start;
                while (!(used[At(atX, atY)] & (1 << way))) {
                    used[At(atX, atY)] |= quint8(1 << way);
                    atX += StepX[way];
                    atY += StepY[way];
                    const int next = Next(edges, atX, atY, way);
                    if (next != way)
                        contour.emplace_back(atX, atY);
                    way = next;
                }
                contours.push_back(contour);
            }
        }
    }
    return contours;
}
