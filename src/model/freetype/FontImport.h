#pragma once

#include "CodeRange.h"
#include "FontCharSet.h"
#include "MessageList.h"
#include "Status.h"

#include <QString>

#include <vector>

// Fills a font from a font file that FreeType reads: BDF, PCF (compressed with gzip or compress
// too), TrueType and OpenType, with outlines or bitmap strikes. Kept out of the editor, which does
// not link FreeType.
class FontImport
{
public:
    // Pixel sizes that make sense for a 5 x 8 grid and keep an outline's bitmaps small.
    static constexpr int MinSize = 1;
    static constexpr int MaxSize = 255;
    // The strike height chosen when none is asked for.
    static constexpr int DefaultSize = int(FontChar::RowCount);
    // The sizes that outline fonts are fitted to the grid at when none is asked for: smaller
    // ones leave too few pixels to tell letters apart, larger ones hardly fit a 5 x 8 cell.
    static constexpr int MinFitSize = 6;
    static constexpr int MaxFitSize = 16;
    // Larger files, and compressed files that hold more, are refused before FreeType sees
    // them: the largest outline fonts stay far below.
    static constexpr qint64 MaxFileSize = 256 * 1024 * 1024;
    // The memory FreeType may take to read a font: several times what it needs for the
    // largest plain font within MaxFileSize, and far below what tables made to ask for
    // gigabytes would take.
    static constexpr size_t MaxMemory = size_t(1) << 30;

    struct Options
    {
        // Pixels, MinSize to MaxSize. Bitmap fonts take the strike whose height is nearest (0:
        // DefaultSize), outline fonts are rendered at it (0: the size that fits best).
        int size = 0;
        // The grid row just above the baseline, 0 to 7; -1 for the row that fits best in an
        // outline font, the font's ascent in pixels minus 1 (at most 7) in a bitmap font.
        int baseline = -1;
        // Codes to import besides the names of the set: a glyph named by
        // CharacterMap::GlyphNameFor for each code that the font has and no name stands for.
        std::vector<CodeRange> codes;
    };

    // Draws into each glyph of the set whose name stands for a character that character's
    // glyph from the bytes of a font file (at most MaxFileSize, compressed or not), placed by
    // the font's origin and baseline, at the size and baseline that GridFit::Choose gives (with
    // its note); every other glyph keeps its pixels. Pixels outside the grid are dropped, and
    // each glyph that lost some, or whose character the font lacks (that glyph is made blank),
    // gets one line in notes. A BDF font that Pixmint wrote gives the set its own glyphs
    // instead, every one under its Pixmint name, those of ENCODING -1 included. The notes are
    // then the import's. Fails, with the reason, when the bytes are no font FreeType reads; the
    // set and the notes are then unchanged.
    static Status Fill(FontCharSet& set, QByteArray bytes, const Options& options,
                       MessageList* notes = nullptr);
};
