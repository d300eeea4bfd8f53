#pragma once

#include "BdfWriter.h"
#include "OutputFormat.h"

// BDF (BdfWriter) as an output: ASCII with LF line ends on every system, so binary.
class BdfFormat : public OutputFormat
{
public:
    // importer: as BdfWriter names it in its warnings.
    BdfFormat(int baseline, const QString& importer) : _writer(baseline, importer) {}

    Kind BytesKind() const override { return Kind::Binary; }
    bool Accepts(const FontCharSet& set, QString* reason) const override;
    QByteArray Bytes(const FontCharSet& set, const QByteArray& encoding,
                     QString* error) const override;
    void Warnings(const FontCharSet& set, MessageList& warnings) const override;

private:
    BdfWriter _writer;
};
