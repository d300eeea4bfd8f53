#include "IntelHexFormat.h"

bool IntelHexFormat::Accepts(const FontCharSet& set, QString* reason) const
{
    return _writer.Accepts(set, reason);
}

QByteArray IntelHexFormat::Bytes(const FontCharSet& set, const QByteArray&, QString*) const
{
    return _writer.Bytes(set);
}

void IntelHexFormat::Warnings(const FontCharSet& set, MessageList& warnings) const
{
    _image.Warnings(set, warnings);
}
