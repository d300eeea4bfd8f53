#pragma once

#include "CSourceWriter.h"
#include "OutputFormat.h"

// The C source or its header (CSourceWriter) as an output; both parts of one writer accept
// and warn alike.
class CSourceFormat : public OutputFormat
{
public:
    enum class Part { Source, Header };

    CSourceFormat(const CSourceWriter& writer, Part part) : _writer(writer), _part(part) {}

    Kind BytesKind() const override { return Kind::Text; }
    bool Accepts(const FontCharSet& set, QString* reason) const override;
    QByteArray Bytes(const FontCharSet& set, const QByteArray& encoding,
                     QString* error) const override;
    void Warnings(const FontCharSet& set, MessageList& warnings) const override;

private:
    CSourceWriter _writer;
    Part _part;
};
