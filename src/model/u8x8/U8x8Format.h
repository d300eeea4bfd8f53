#pragma once

#include "OutputFormat.h"
#include "U8x8Writer.h"

// The u8x8 tile font (U8x8Writer) as an output; it takes every font.
class U8x8Format : public OutputFormat
{
public:
    explicit U8x8Format(const U8x8Writer& writer) : _writer(writer) {}

    Kind BytesKind() const override { return Kind::Text; }
    QByteArray Bytes(const FontCharSet& set, const QByteArray& encoding,
                     QString* error) const override;
    void Warnings(const FontCharSet& set, MessageList& warnings) const override;

private:
    U8x8Writer _writer;
};
