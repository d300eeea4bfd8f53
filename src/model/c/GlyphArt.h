#pragma once

#include "CArray.h"

#include <QString>

class FontChar;
class QTextStream;

// A glyph's picture in the comments of generated C, as hand-written firmware fonts carry it:
// 8 rows of 5, '#' for a lit pixel and '.' for an unlit one. In a layout of rows each byte
// is a row, on a line of its own with that row's picture after it; in a layout of columns
// each byte crosses every row, so the 8 rows go above the glyph's bytes, one comment a line.
// A picture holds nothing but '#' and '.', so it can neither end a comment nor splice a line
// into one; the glyph's name keeps its own comment after the closing brace, where a table's
// reader takes a row's name from (CTableReader), so that a table with pictures reads back as
// one without.
class GlyphArt
{
public:
    // The row of an array with the glyph's picture: its bytes in the layout, then end, which
    // begins with the closing brace ("},\t/* Char = A */\n").
    static void WriteRow(QTextStream& stream, CArray::Layout layout, const FontChar& glyph,
                         const QString& end);
};
