#include "U8g2Format.h"

QByteArray U8g2Format::Bytes(const FontCharSet& set, const QByteArray& encoding, QString*) const
{
    return _writer.Bytes(set, encoding);
}

void U8g2Format::Warnings(const FontCharSet& set, MessageList& warnings) const
{
    _writer.Warnings(set, warnings);
}
