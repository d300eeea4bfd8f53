#include "CSourceFile.h"

QByteArray CSourceFile::Bytes(const FontCharSet& set, const QByteArray& encoding) const
{
    return _part == Part::Source ? SourceBytes(set, encoding) : HeaderBytes(set, encoding);
}
