#include "TrueTypeFormat.h"

bool TrueTypeFormat::Accepts(const FontCharSet& set, QString* reason) const
{
    return TrueTypeWriter::Accepts(set, reason);
}

QByteArray TrueTypeFormat::Bytes(const FontCharSet& set, const QByteArray&, QString*) const
{
    return _writer.Bytes(set);
}

void TrueTypeFormat::Warnings(const FontCharSet& set, MessageList& warnings) const
{
    _writer.Warnings(set, warnings);
}
