#pragma once

#include <QByteArray>

#include <set>

// What FreeType reads from a BDF font without a word: a glyph whose bounding box (BBX) has a
// negative width or height is read as 0 pixels wide or high, so it comes out blank.
class BdfBoxCheck
{
public:
    // The character codes (ENCODING, or its second number after -1, as FreeType reads it) of
    // the glyphs whose BBX gives a negative width or height.
    static std::set<long> NegativeBoxCodes(const QByteArray& bdf);
};
