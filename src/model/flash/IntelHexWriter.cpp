#include "IntelHexWriter.h"

#include "Message.h"
#include "NumberText.h"

#include <algorithm>

namespace {

// ":LLAAAATT<data>CC": the count, the address's lower 16 bits, the type, the data and the
// two's complement of the sum of all of them, in upper-case hexadecimal.
QByteArray Record(quint8 type, quint16 address, const char* data, int count)
{
    QByteArray bytes;
    bytes.append(char(count)).append(char(address >> 8)).append(char(address & 0xFF));
    bytes.append(char(type)).append(data, count);
    quint8 sum = 0;
    for (const char byte : bytes)
        sum = quint8(sum + quint8(byte));
    bytes.append(char(quint8(-sum)));
    return ':' + bytes.toHex().toUpper() + '\n';
}

QByteArray UpperAddress(quint64 address)
{
    const quint16 upper = quint16(address >> 16);
    const char data[] = {char(upper >> 8), char(upper & 0xFF)};
    return Record(4, 0, data, 2);
}

} // namespace

IntelHexWriter::IntelHexWriter(const FlashImageWriter& image, quint64 address)
    : _image(image), _address(address)
{
}

bool IntelHexWriter::ParseAddress(const QString& text, quint64* address)
{
    return NumberText::ReadNumber(text, AddressLimit - 1, *address);
}

Status IntelHexWriter::Accepts(const FontCharSet& set) const
{
    const quint64 size = quint64(_image.Bytes(set).size());
    if (_address >= AddressLimit || size > AddressLimit - _address) {
        return Status::Failure(Message::Text(u"%1 bytes from the address %2 pass the end of the "
                                             u"4 GiB that Intel HEX addresses",
                                             {qint64(size), Message::Hex(qint64(_address))}));
    }
    return Status();
}

QByteArray IntelHexWriter::Bytes(const FontCharSet& set) const
{
    return Records(_image.Bytes(set), _address);
}

void IntelHexWriter::Warnings(const FontCharSet& set, MessageList& warnings) const
{
    _image.Warnings(set, warnings);
}

QByteArray IntelHexWriter::Records(const QByteArray& bytes, quint64 address)
{
    QByteArray text;
    if (address >> 16 != 0)
        text += UpperAddress(address);
    for (qsizetype at = 0; at < bytes.size();) {
        if (at > 0 && address % 0x10000 == 0)
            text += UpperAddress(address);
        // Up to 16 bytes, ending at the boundary rather than wrapping round its 16 bits.
        const int count = int(std::min<quint64>(
            {quint64(RecordBytes), quint64(bytes.size() - at), 0x10000 - address % 0x10000}));
        text += Record(0, quint16(address & 0xFFFF), bytes.constData() + at, count);
        at += count;
        address += quint64(count);
    }
    return text + Record(1, 0, nullptr, 0);
}
