#include "FontChar.h"

#include "NumberText.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <algorithm>
#include <cstring>

namespace {

// Plain digits of the base, the form that every stored font holds, read here: the locale's
// parser costs several hundred instructions a number, a measurable share of a converter's
// start. Anything else (blanks, a sign, a prefix, too many digits) is left to it, which reads
// it as before. Seven digits stay within an int in either base.
bool ReadPlainDigits(QStringView text, int base, int& value)
{
    if (text.isEmpty() || text.size() > 7)
        return false;
    int result = 0;
    for (const QChar character : text) {
        const int digit = NumberText::Digit(character.unicode(), base);
        if (digit < 0)
            return false;
        result = result * base + digit;
    }
    value = result;
    return true;
}

} // namespace

FontChar::FontChar() : _columns{} {}

void FontChar::Clear()
{
    std::fill_n(_columns, ColumnCount, quint8(0));
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

void FontChar::WriteXml(QXmlStreamWriter& writer) const
{
    for (quint32 column = 0; column < ColumnCount; ++column) {
        writer.writeStartElement(QStringLiteral("Byte"));
        writer.writeAttribute(QStringLiteral("Index"), QString::number(column));
        writer.writeCharacters(QString::number(_columns[column], 16));
        writer.writeEndElement();
    }
}

FontChar::ByteIndex FontChar::ReadByteIndex(QStringView index, bool present)
{
    ByteIndex read;
    bool isNumber = ReadPlainDigits(index, 10, read.column);
    if (!isNumber)
        read.column = index.toInt(&isNumber, 10);
    if (!present)
        read.reading = ByteIndex::Reading::Missing;
    else if (!isNumber)
        read.reading = ByteIndex::Reading::NotDecimal;
    return read;
}

FontChar::ByteValue FontChar::ReadByteValue(QStringView text)
{
    ByteValue read;
    if (!ReadPlainDigits(text, 16, read.value))
        read.value = text.toInt(&read.isNumber, 16);
    return read;
}

void FontChar::ReadXmlByte(const ByteIndex& index, QStringView text)
{
    if (index.IsUsed())
        _columns[index.column] = ReadByteValue(text).Byte();
}

bool FontChar::IsByteText(const QXmlStreamReader& reader)
{
    return reader.isCDATA() || !reader.text().trimmed().isEmpty();
}
