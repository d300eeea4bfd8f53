#include "FlashImageFormat.h"

QByteArray FlashImageFormat::Bytes(const FontCharSet& set, const QByteArray&, QString*) const
{
    return _writer.Bytes(set);
}

void FlashImageFormat::Warnings(const FontCharSet& set, MessageList& warnings) const
{
    _writer.Warnings(set, warnings);
}
