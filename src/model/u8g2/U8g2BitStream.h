#pragma once

#include <QByteArray>

// Bits in the order u8g2 reads a glyph: each byte filled from its least significant bit, each
// value written least significant bit first.
class U8g2BitStream
{
public:
    // The low count bits of the value, 0 to 8 of them.
    void Write(quint32 value, int count);
    // A value from -2^(count - 1) to 2^(count - 1) - 1, as the library reads a signed field:
    // stored plus 2^(count - 1). count is 1 to 8.
    void WriteSigned(int value, int count);

    int Count() const { return _count; }
    // The bits written, the unused bits of the last byte zero.
    const QByteArray& Bytes() const { return _bytes; }

    // The fewest bits that hold 0 to most, as Write takes them; at least one.
    static int UnsignedWidth(int most);
    // The fewest bits that hold least to most, as WriteSigned takes them.
    static int SignedWidth(int least, int most);

private:
    QByteArray _bytes;
    int _count = 0;
};
