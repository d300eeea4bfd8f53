#pragma once

#include "OutputFormat.h"
#include "TrueTypeWriter.h"

// TrueType (TrueTypeWriter) as an output.
class TrueTypeFormat : public OutputFormat
{
public:
    explicit TrueTypeFormat(const TrueTypeWriter& writer) : _writer(writer) {}

    Kind BytesKind() const override { return Kind::Binary; }
    bool Accepts(const FontCharSet& set, QString* reason) const override;
    QByteArray Bytes(const FontCharSet& set, const QByteArray& encoding,
                     QString* error) const override;
    void Warnings(const FontCharSet& set, MessageList& warnings) const override;

private:
    TrueTypeWriter _writer;
};
