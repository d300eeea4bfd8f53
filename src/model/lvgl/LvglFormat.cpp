#include "LvglFormat.h"

QByteArray LvglFormat::Bytes(const FontCharSet& set, const QByteArray& encoding, QString*) const
{
    return _writer.Bytes(set, encoding);
}

void LvglFormat::Warnings(const FontCharSet& set, MessageList& warnings) const
{
    _writer.Warnings(set, warnings);
}
