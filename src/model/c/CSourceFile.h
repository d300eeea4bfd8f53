#pragma once

#include "CSourceWriter.h"

// One file that the C source writer makes, the source or its header: the writer's Bytes for
// that file; both files accept and warn alike.
class CSourceFile : public CSourceWriter
{
public:
    enum class Part { Source, Header };

    CSourceFile(const CSourceWriter& writer, Part part) : CSourceWriter(writer), _part(part) {}

    QByteArray Bytes(const FontCharSet& set, const QByteArray& encoding) const;

private:
    Part _part;
};
