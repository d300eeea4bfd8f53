#include "GfxFormat.h"

QByteArray GfxFormat::Bytes(const FontCharSet& set, const QByteArray& encoding, QString*) const
{
    return _writer.Bytes(set, encoding);
}

void GfxFormat::Warnings(const FontCharSet& set, MessageList& warnings) const
{
    _writer.Warnings(set, warnings);
}
