#pragma once

#include "BdfWriter.h"
#include "Status.h"
#include "WriterFormat.h"

// BDF (BdfWriter) as an output: ASCII with LF line ends on every system, so binary; and the
// rule of the family that --name gives it.
class BdfFormat : public WriterFormat<BdfWriter, OutputFormat::Kind::Binary>
{
public:
    // baseline, family, importer: as BdfWriter takes them.
    using WriterFormat::WriterFormat;

    // The longest family: its FONT name, the family in the XLFD name's fields, then fits the
    // 255 characters that X allows a font name.
    static constexpr int LongestFamily = 200;
    // A family that the XLFD name holds as one field and a property string as it is: 1 to
    // LongestFamily printable ASCII characters, none of - ? * , " (the name's separators and
    // wildcards). The reason otherwise.
    static Status IsValidFamily(const QString& family);
};
