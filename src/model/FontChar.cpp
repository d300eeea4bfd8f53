#include "FontChar.h"

#include <algorithm>
#include <cstring>
#include <iterator>

FontChar::FontChar()
{
    Clear();
}

void FontChar::Clear()
{
    std::fill(std::begin(_columns), std::end(_columns), quint8(0));
}

bool FontChar::GetPixel(quint32 column, quint32 row) const
{
    if (column >= ColumnCount || row >= RowCount)
        return false;
    return (_columns[column] >> row) & 1u;
}

void FontChar::SetPixel(quint32 column, quint32 row, bool on)
{
    if (column >= ColumnCount || row >= RowCount)
        return;
    const quint8 mask = quint8(1u << row);
    if (on)
        _columns[column] |= mask;
    else
        _columns[column] &= quint8(~mask);
}

void FontChar::TogglePixel(quint32 column, quint32 row)
{
    SetPixel(column, row, !GetPixel(column, row));
}

quint8 FontChar::GetColumn(quint32 column) const
{
    return column < ColumnCount ? _columns[column] : quint8(0);
}

void FontChar::SetColumn(quint32 column, quint8 bits)
{
    if (column < ColumnCount)
        _columns[column] = bits;
}

bool FontChar::operator==(const FontChar& other) const
{
    return std::memcmp(_columns, other._columns, sizeof _columns) == 0;
}
