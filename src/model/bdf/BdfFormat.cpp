#include "BdfFormat.h"

bool BdfFormat::Accepts(const FontCharSet& set, QString* reason) const
{
    return BdfWriter::Accepts(set, reason);
}

QByteArray BdfFormat::Bytes(const FontCharSet& set, const QByteArray&, QString*) const
{
    return _writer.Bytes(set);
}

void BdfFormat::Warnings(const FontCharSet& set, MessageList& warnings) const
{
    _writer.Warnings(set, warnings);
}
