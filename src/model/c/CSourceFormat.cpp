#include "CSourceFormat.h"

bool CSourceFormat::Accepts(const FontCharSet& set, QString* reason) const
{
    return _writer.Accepts(set, reason);
}

QByteArray CSourceFormat::Bytes(const FontCharSet& set, const QByteArray& encoding, QString*) const
{
    return _part == Part::Source ? _writer.SourceBytes(set, encoding)
                                 : _writer.HeaderBytes(set, encoding);
}

void CSourceFormat::Warnings(const FontCharSet& set, MessageList& warnings) const
{
    _writer.Warnings(set, warnings);
}
