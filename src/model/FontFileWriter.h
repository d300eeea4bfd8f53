#pragma once

#include <QByteArray>

class FontCharSet;

// The font file as the editor saves it.
class FontFileWriter
{
public:
    // The exact bytes of the font file: FontCharSet::WriteXml, in UTF-8.
    static QByteArray Bytes(const FontCharSet& set);
};
