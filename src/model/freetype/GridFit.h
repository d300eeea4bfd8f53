#pragma once

#include "ImportTargets.h"
#include "Status.h"

#include <QString>

#include <ft2build.h>
#include FT_FREETYPE_H

#include <vector>

class MessageList;

// The pixel size and the baseline that an import draws a font's glyphs at.
class GridFit
{
public:
    // Sets the face's size. size: pixels, or 0; baseline: the grid row just above the
    // baseline, or -1, and then the row chosen. A scalable font takes what is given, and what
    // is not is searched, FontImport::MinFitSize to MaxFitSize and every row: the fit that loses
    // the fewest pixels of the targets' glyphs (a glyph drawn twice counts twice) to the grid wins,
    // then the larger size, then the row nearest the font's own, then the lower row; one note in
    // the report says what was chosen and what it loses. Each size is one rendering of the
    // glyphs, which the baselines only move. A bitmap font takes the strike whose height is
    // nearest to size (default FontImport::DefaultSize), of two as near the lower. The font's
    // own row is its ascent in pixels minus 1, at most 7. A failure, with the reason,
    // when FreeType cannot set a size or runs out of memory.
    static Status Choose(FT_Library library, FT_Face face,
                         const std::vector<ImportTargets::Target>& targets, int size, int& baseline,
                         MessageList& report);
};
