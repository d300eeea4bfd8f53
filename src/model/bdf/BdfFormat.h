#pragma once

#include "BdfWriter.h"
#include "OutputFormat.h"

// BDF (BdfWriter) as an output: ASCII with LF line ends on every system, so binary.
class BdfFormat : public OutputFormat
{
public:
    // importer: as BdfWriter names it in its warnings.
    BdfFormat(int baseline, const QByteArray& family, const QString& importer)
        : _writer(baseline, family, importer)
    {
    }

    // The longest family: its FONT name, the family in the XLFD name's fields, then fits the
    // 255 characters that X allows a font name.
    static constexpr int LongestFamily = 200;
    // A family that the XLFD name holds as one field and a property string as it is: 1 to
    // LongestFamily printable ASCII characters, none of - ? * , " (the name's separators and
    // wildcards). The reason otherwise.
    static bool IsValidFamily(const QString& family, QString* reason = nullptr);

    Kind BytesKind() const override { return Kind::Binary; }
    bool Accepts(const FontCharSet& set, QString* reason) const override;
    QByteArray Bytes(const FontCharSet& set, const QByteArray& encoding,
                     QString* error) const override;
    void Warnings(const FontCharSet& set, MessageList& warnings) const override;

private:
    BdfWriter _writer;
};
