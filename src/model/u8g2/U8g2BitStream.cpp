#include "U8g2BitStream.h"

void U8g2BitStream::Write(quint32 value, int count)
{
    for (int bit = 0; bit < count; ++bit, ++_count) {
        if (_count % 8 == 0)
            _bytes.append('\0');
        if (value >> bit & 1u)
            _bytes[_bytes.size() - 1] = char(quint8(_bytes.back()) | 1u << (_count % 8));
    }
}

void U8g2BitStream::WriteSigned(int value, int count)
{
    Write(quint32(value + (1 << (count - 1))), count);
}

int U8g2BitStream::UnsignedWidth(int most)
{
    int width = 1;
    while (most >> width != 0)
        ++width;
    return width;
}

int U8g2BitStream::SignedWidth(int least, int most)
{
    int width = 1;
    while (least < -(1 << (width - 1)) || most > (1 << (width - 1)) - 1)
        ++width;
    return width;
}
