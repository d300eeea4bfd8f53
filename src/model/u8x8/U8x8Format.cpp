#include "U8x8Format.h"

QByteArray U8x8Format::Bytes(const FontCharSet& set, const QByteArray& encoding, QString*) const
{
    return _writer.Bytes(set, encoding);
}

void U8x8Format::Warnings(const FontCharSet& set, MessageList& warnings) const
{
    _writer.Warnings(set, warnings);
}
