#pragma once

#include <QtGlobal>

#include <array>

class QDomElement;
class QString;
class QTextStream;
class QXmlStreamReader;
class QXmlStreamWriter;

// One glyph of the 5 x 8 font, stored as the display takes it: one byte per column,
// column 0 at the left, bit r of a column byte is row r with row 0 at the top.
class FontChar
{
public:
    static constexpr quint32 ColumnCount = 5;
    static constexpr quint32 RowCount = 8;

    // The orders of bytes and bits that displays take a glyph in.
    enum class Layout {
        Columns,    // 5 bytes, left column first, bit 0 = top row: how the glyph is stored
        ColumnsMsb, // 5 bytes, left column first, bit 7 = top row
        Rows,       // 8 bytes, top row first, bit 4 = left column, bits 7 to 5 zero
        RowsMsb,    // 8 bytes, top row first, bit 7 = left column, bits 2 to 0 zero
    };
    using LayoutBytes = std::array<quint8, RowCount>;
    static quint32 ByteCount(Layout layout);

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
    // One Byte element given by its Index attribute and its text. An index that is not a
    // decimal number means column 0, one outside 0..4 makes the element ignored; a text
    // that is not a hexadecimal 32-bit number means 0, and the column takes the low 8 bits.
    void ReadXmlByte(const QString& index, const QString& text);
    // Whether the text a stream reader stands on inside a Byte element counts towards its
    // value: a piece of nothing but blanks between child elements or comments does not
    // (outside CDATA), as the DOM drops it.
    static bool IsByteText(const QXmlStreamReader& reader);

    // The glyph in a layout: its first ByteCount(layout) bytes, the rest zero.
    LayoutBytes Bytes(Layout layout) const;

    // The C export's row for this glyph: "{0x..,0x..,0x..,0x..,0x..}", one byte a column, or
    // the bytes of another layout.
    void WriteCInitializer(QTextStream& stream, Layout layout = Layout::Columns) const;

    bool operator==(const FontChar& other) const;
    bool operator!=(const FontChar& other) const { return !(*this == other); }

private:
    quint8 _columns[ColumnCount];
};

// Arrays of glyphs are laid out exactly like the exported C array.
static_assert(sizeof(FontChar) == FontChar::ColumnCount, "a glyph is exactly five bytes");
