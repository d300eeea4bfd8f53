#pragma once

#include "FlashImageWriter.h"
#include "IntelHexWriter.h"
#include "OutputFormat.h"

// The raw image as Intel HEX records (IntelHexWriter) as an output: ASCII lines, which
// programmers read with either line end; it refuses an image that passes the records' reach,
// and warns as the image does.
class IntelHexFormat : public OutputFormat
{
public:
    IntelHexFormat(const FlashImageWriter& image, quint64 address)
        : _image(image), _writer(image, address)
    {
    }

    Kind BytesKind() const override { return Kind::Text; }
    bool Accepts(const FontCharSet& set, QString* reason) const override;
    QByteArray Bytes(const FontCharSet& set, const QByteArray& encoding,
                     QString* error) const override;
    void Warnings(const FontCharSet& set, MessageList& warnings) const override;

private:
    FlashImageWriter _image;
    IntelHexWriter _writer;
};
