#pragma once

#include "GfxWriter.h"
#include "OutputFormat.h"

// The Adafruit GFX header (GfxWriter) as an output; it takes every font.
class GfxFormat : public OutputFormat
{
public:
    explicit GfxFormat(const GfxWriter& writer) : _writer(writer) {}

    Kind BytesKind() const override { return Kind::Text; }
    QByteArray Bytes(const FontCharSet& set, const QByteArray& encoding,
                     QString* error) const override;
    void Warnings(const FontCharSet& set, MessageList& warnings) const override;

private:
    GfxWriter _writer;
};
