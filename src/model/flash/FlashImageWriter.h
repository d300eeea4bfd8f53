#pragma once

#include "CArray.h"
#include "CodeRange.h"

#include <QByteArray>

#include <optional>

class FontCharSet;
class MessageList;

// The bytes of the C table as a raw image, for external flash or an EEPROM: with a range of
// codes, a row for each code of it (zero bytes where the font has no glyph), else every glyph
// in name order, each in the array's layout; exactly the bytes of the array that
// CSourceWriter writes with the same array and range, which its header describes.
class FlashImageWriter
{
public:
    FlashImageWriter(const CArray& array, const std::optional<CodeRange>& range);

    QByteArray Bytes(const FontCharSet& set) const;
    // The codes of the range without a glyph, in one line.
    void Warnings(const FontCharSet& set, MessageList& warnings) const;

private:
    CArray _array;
    std::optional<CodeRange> _range;
};
