#pragma once

#include <QtGlobal>

// One glyph of the 5 x 8 font, stored as the display takes it: one byte per column,
// column 0 at the left, bit r of a column byte is row r with row 0 at the top.
class FontChar
{
public:
    static constexpr quint32 ColumnCount = 5;
    static constexpr quint32 RowCount = 8;

    FontChar();

    void Clear();

    // Coordinates outside 5 x 8 are ignored: reads answer false, writes change nothing.
    bool GetPixel(quint32 column, quint32 row) const;
    void SetPixel(quint32 column, quint32 row, bool on);
    void TogglePixel(quint32 column, quint32 row);

    // Whole column bytes; a column of 5 or more reads as 0 and is never written.
    quint8 GetColumn(quint32 column) const;
    void SetColumn(quint32 column, quint8 bits);

    bool operator==(const FontChar& other) const;
    bool operator!=(const FontChar& other) const { return !(*this == other); }

private:
    quint8 _columns[ColumnCount];
};

// Arrays of glyphs are laid out exactly like the exported C array.
static_assert(sizeof(FontChar) == FontChar::ColumnCount, "a glyph is exactly five bytes");
