#pragma once

#include "OutputFormat.h"
#include "U8g2Writer.h"

// The u8g2 font (U8g2Writer) as an output; it takes every font.
class U8g2Format : public OutputFormat
{
public:
    explicit U8g2Format(const U8g2Writer& writer) : _writer(writer) {}

    Kind BytesKind() const override { return Kind::Text; }
    QByteArray Bytes(const FontCharSet& set, const QByteArray& encoding,
                     QString* error) const override;
    void Warnings(const FontCharSet& set, MessageList& warnings) const override;

private:
    U8g2Writer _writer;
};
