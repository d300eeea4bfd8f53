#include "FontChar.h"

#include <QDomElement>
#include <QTextStream>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

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

void FontChar::WriteXml(QXmlStreamWriter& writer) const
{
    for (quint32 column = 0; column < ColumnCount; ++column) {
        writer.writeStartElement(QStringLiteral("Byte"));
        writer.writeAttribute(QStringLiteral("Index"), QString::number(column));
        writer.writeCharacters(QString::number(_columns[column], 16));
        writer.writeEndElement();
    }
}

void FontChar::ReadXml(const QDomElement& element)
{
    for (QDomNode node = element.firstChild(); !node.isNull(); node = node.nextSibling()) {
        const QDomElement byte = node.toElement();
        if (byte.isNull() || byte.tagName() != QLatin1String("Byte"))
            continue;
        ReadXmlByte(byte.attribute(QStringLiteral("Index")), byte.text());
    }
}

void FontChar::ReadXmlByte(const QString& index, const QString& text)
{
    const int column = index.toInt(nullptr, 10);
    if (column < 0 || column >= int(ColumnCount))
        return;
    _columns[column] = quint8(quint32(text.toInt(nullptr, 16)) & 0xFFu);
}

bool FontChar::IsByteText(const QXmlStreamReader& reader)
{
    return reader.isCDATA() || !reader.text().trimmed().isEmpty();
}

quint32 FontChar::ByteCount(Layout layout)
{
    return layout == Layout::Columns || layout == Layout::ColumnsMsb ? ColumnCount : RowCount;
}

FontChar::LayoutBytes FontChar::Bytes(Layout layout) const
{
    LayoutBytes bytes = {};
    for (quint32 column = 0; column < ColumnCount; ++column) {
        for (quint32 row = 0; row < RowCount; ++row) {
            if (!GetPixel(column, row))
                continue;
            switch (layout) {
            case Layout::Columns:
                bytes[column] |= quint8(1u << row);
                break;
            case Layout::ColumnsMsb:
                bytes[column] |= quint8(0x80u >> row);
                break;
            case Layout::Rows:
                bytes[row] |= quint8(0x10u >> column);
                break;
            case Layout::RowsMsb:
                bytes[row] |= quint8(0x80u >> column);
                break;
            }
        }
    }
    return bytes;
}

void FontChar::WriteCInitializer(QTextStream& stream, Layout layout) const
{
    const LayoutBytes bytes = Bytes(layout);
    const quint32 count = ByteCount(layout);
    stream << '{';
    for (quint32 index = 0; index < count; ++index) {
        if (index > 0)
            stream << ',';
        stream << "0x" << QString::number(bytes[index], 16);
    }
    stream << '}';
}
