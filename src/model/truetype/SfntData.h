#pragma once

#include <QByteArray>

// Numbers one after the other in the big-endian order of the tables of a TrueType (sfnt)
// font, and the checksums that the font's table directory holds.
class SfntData
{
public:
    SfntData& U8(int value);
    SfntData& U16(int value);
    SfntData& U32(quint32 value);
    SfntData& U64(quint64 value);
    SfntData& Append(const QByteArray& bytes);
    // Zero bytes up to the next multiple of four, where every table starts.
    SfntData& Pad();
    // What a reader needs to search count entries of size bytes each: searchRange, the bytes
    // of the largest power of two of entries not above count, entrySelector, that power's
    // logarithm, and rangeShift, the bytes of the entries beyond.
    SfntData& SearchFields(int count, int size);

    const QByteArray& Bytes() const { return _bytes; }
    int Size() const { return int(_bytes.size()); }

    // The sum of the bytes as big-endian 32-bit numbers, the last one padded with zeros.
    static quint32 Checksum(const QByteArray& bytes);

private:
    QByteArray _bytes;
};
