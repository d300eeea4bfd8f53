#pragma once

#include "BdfWriter.h"
#include "OutputFormat.h"

// BDF (BdfWriter) as an output: ASCII with LF line ends on every system, so binary.
class BdfFormat : public OutputFormat
{
public:
    BdfFormat(int baseline, const QByteArray& family) : _writer(baseline, family) {}

    Kind BytesKind() const override { return Kind::Binary; }
    bool Accepts(const FontCharSet& set, QString* reason) const override;
    QByteArray Bytes(const FontCharSet& set, const QByteArray& encoding,
                     QString* error) const override;
    void Warnings(const FontCharSet& set, MessageList& warnings) const override;

private:
    BdfWriter _writer;
};
