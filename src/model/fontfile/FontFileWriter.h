#pragma once

#include "Result.h"

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
    // open again as this font: the reason instead for a name holding a character that the
    // file does not carry (GlyphName::IsCarried), which the writer would drop, or for a file
    // larger than the editor opens.
    static Result<QByteArray> ReadableBytes(const FontCharSet& set);
};
