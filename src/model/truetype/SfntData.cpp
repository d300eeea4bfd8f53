#include "SfntData.h"

SfntData& SfntData::U8(int value)
{
    _bytes += char(quint8(value));
    return *this;
}

// A negative value is written in two's complement, as the signed fields take it.
SfntData& SfntData::U16(int value)
{
    return U8(value >> 8).U8(value);
}

SfntData& SfntData::U32(quint32 value)
{
    return U16(int(value >> 16)).U16(int(value & 0xFFFF));
}

SfntData& SfntData::U64(quint64 value)
{
    return U32(quint32(value >> 32)).U32(quint32(value));
}

SfntData& SfntData::Append(const QByteArray& bytes)
{
    _bytes += bytes;
    return *this;
}

SfntData& SfntData::Pad()
{
    _bytes.append((4 - _bytes.size() % 4) % 4, '\0');
    return *this;
}

SfntData& SfntData::SearchFields(int count, int size)
{
    int power = 1, log = 0;
    while (power * 2 <= count) {
        power *= 2;
        ++log;
    }
    return U16(power * size).U16(log).U16((count - power) * size);
}

quint32 SfntData::Checksum(const QByteArray& bytes)
{
    quint32 sum = 0;
    for (qsizetype at = 0; at < bytes.size(); at += 4) {
        quint32 word = 0;
        for (qsizetype byte = at; byte < at + 4; ++byte)
            word = word << 8 | (byte < bytes.size() ? quint8(bytes[byte]) : 0u);
        sum += word;
    }
    return sum;
}
