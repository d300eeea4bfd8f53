#pragma once

#include <QPoint>

#include <vector>

class FontChar;

// The outline of a glyph's lit pixels, each a square of the grid: squares that share an edge
// are one region, whose boundary is traced as one contour; a region's holes are contours of
// their own. Points lie on the pixel lattice, x from 0 (the left of column 0) to 5, y from 0
// (the bottom of row 7) up to 8 (the top of row 0), at the corners only. A region's outer
// contour runs clockwise and its holes counter-clockwise, as TrueType wants them: the filled
// side is always on the right. Where two regions touch at a corner alone, their contours
// touch there and do not cross, so no two contours overlap.
class PixelOutline
{
public:
    using Contour = std::vector<QPoint>;

    static std::vector<Contour> Of(const FontChar& glyph);
};
