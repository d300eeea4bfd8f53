#pragma once

#include "LvglWriter.h"
#include "OutputFormat.h"

// The LVGL font (LvglWriter) as an output; it takes every font.
class LvglFormat : public OutputFormat
{
public:
    explicit LvglFormat(const LvglWriter& writer) : _writer(writer) {}

    Kind BytesKind() const override { return Kind::Text; }
    QByteArray Bytes(const FontCharSet& set, const QByteArray& encoding,
                     QString* error) const override;
    void Warnings(const FontCharSet& set, MessageList& warnings) const override;

private:
    LvglWriter _writer;
};
