#pragma once

#include <QStringView>
#include <QtGlobal>

class QDomElement;
class QXmlStreamReader;
class QXmlStreamWriter;

// One glyph of the 5 x 8 font, stored as the display takes it: one byte per column,
// column 0 at the left, bit r of a column byte is row r with row 0 at the top.
class FontChar
{
public:
    static constexpr quint32 ColumnCount = 5;
    static constexpr quint32 RowCount = 8;
    // A glyph and the blank column after it: how far a line of text moves on a display.
    static constexpr quint32 Advance = ColumnCount + 1;
    // The grid row just above the baseline where a format needs one and none is given: the
    // glyph ascends 7 pixels and descends 1.
    static constexpr int DefaultBaseline = 6;

    FontChar();

    void Clear();

    // Coordinates outside 5 x 8 are ignored: reads answer false, writes change nothing.
    bool GetPixel(quint32 column, quint32 row) const;
    void SetPixel(quint32 column, quint32 row, bool on);
    void TogglePixel(quint32 column, quint32 row);

    // Whole column bytes; a column of 5 or more reads as 0 and is never written.
    quint8 GetColumn(quint32 column) const;
    void SetColumn(quint32 column, quint8 bits);

    // The font file: five Byte elements, Index 0 to 4, each column byte as lowercase hex.
    void WriteXml(QXmlStreamWriter& writer) const;
    // Reads the Byte children of a FontChar element; a column no usable Byte names keeps
    // its value.
    void ReadXml(const QDomElement& element);

    // The rule for one Byte element of a font file, in its two halves. Its Index attribute
    // names a column as a decimal number; a missing index, or one that is not a decimal
    // number, names column 0, and a column outside 0 to 4 makes the element ignored.
    struct ByteIndex
    {
        enum class Reading { Decimal, Missing, NotDecimal };
        int column = 0;
        Reading reading = Reading::Decimal;
        bool IsUsed() const { return column >= 0 && column < int(ColumnCount); }
    };
    static ByteIndex ReadByteIndex(QStringView index, bool present);
    // Its text is a hexadecimal 32-bit number; any other text gives 0, and the column takes
    // the low 8 bits of the value.
    struct ByteValue
    {
        int value = 0;
        bool isNumber = true;
        quint8 Byte() const { return quint8(quint32(value) & 0xFFu); }
        bool IsCut() const { return value < 0 || value > 0xFF; }
    };
    static ByteValue ReadByteValue(QStringView text);
    // Both halves applied: the column the index names, if used, takes the value.
    void ReadXmlByte(const ByteIndex& index, QStringView text);
    // Whether the text a stream reader stands on inside a Byte element counts towards its
    // value: a piece of nothing but blanks between child elements or comments does not
    // (outside CDATA), as the DOM drops it.
    static bool IsByteText(const QXmlStreamReader& reader);

    bool operator==(const FontChar& other) const;
    bool operator!=(const FontChar& other) const { return !(*this == other); }

private:
    quint8 _columns[ColumnCount];
};

// Arrays of glyphs are laid out exactly like the exported C array.
static_assert(sizeof(FontChar) == FontChar::ColumnCount, "a glyph is exactly five bytes");
