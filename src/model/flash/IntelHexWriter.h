#pragma once

#include "FlashImageWriter.h"
#include "Status.h"

#include <QByteArray>
#include <QString>

class FontCharSet;
class MessageList;

// The raw image (FlashImageWriter) as Intel HEX records from an address on, for a
// programmer of external flash or an EEPROM: data records of 16 bytes, none crossing a
// 64 KiB boundary, an extended linear address record (type 04) wherever the upper 16 bits of
// the address change (and first, when they are not zero), then the end of file record.
class IntelHexWriter
{
public:
    // The addresses that 32-bit records reach.
    static constexpr quint64 AddressLimit = quint64(1) << 32;
    static constexpr int RecordBytes = 16;

    IntelHexWriter(const FlashImageWriter& image, quint64 address);

    // The address, decimal or 0x hexadecimal, below AddressLimit; false when the text is no
    // such number.
    static bool ParseAddress(const QString& text, quint64* address);
    // The reason, when the image would pass the end of the 4 GiB that the records address.
    Status Accepts(const FontCharSet& set) const;
    // The records, each line ending in a line feed. Expects a font that is accepted.
    QByteArray Bytes(const FontCharSet& set) const;
    // What the image cannot say, as the image warns.
    void Warnings(const FontCharSet& set, MessageList& warnings) const;
    // The records of any bytes from an address on, address + size at most AddressLimit.
    static QByteArray Records(const QByteArray& bytes, quint64 address);

private:
    FlashImageWriter _image;
    quint64 _address;
};
