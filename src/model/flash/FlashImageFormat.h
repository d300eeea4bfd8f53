#pragma once

#include "FlashImageWriter.h"
#include "OutputFormat.h"

// The raw image (FlashImageWriter) as an output of bytes as they are; it takes every font,
// one without glyphs as an empty image.
class FlashImageFormat : public OutputFormat
{
public:
    explicit FlashImageFormat(const FlashImageWriter& writer) : _writer(writer) {}

    Kind BytesKind() const override { return Kind::Binary; }
    QByteArray Bytes(const FontCharSet& set, const QByteArray& encoding,
                     QString* error) const override;
    void Warnings(const FontCharSet& set, MessageList& warnings) const override;

private:
    FlashImageWriter _writer;
};
