#pragma once

#include <QByteArray>
#include <QString>

class FontCharSet;

// The font file as the editor saves it.
class FontFileWriter
{
public:
    // The exact bytes of the font file: FontCharSet::WriteXml, in UTF-8.
    static QByteArray Bytes(const FontCharSet& set);
    // The same for a file that a program makes from other fonts or edits, where the file must
    // open again as this font: false, with the reason, for a name holding a character that XML
    // cannot hold (U+0000 to U+001F but tab, line feed and carriage return), which the writer
    // would drop, or for a file larger than the editor opens.
    static bool ReadableBytes(const FontCharSet& set, QByteArray& bytes, QString* error);
};
