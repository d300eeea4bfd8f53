#pragma once

#include <QString>

#include <string>

// Glyph names are Latin-1 byte strings. They meet the toolkit's strings byte for byte: each
// byte is the code point of the same value, and a code point above U+00FF, having no byte,
// becomes "?".
class GlyphName
{
public:
    static QString ToString(const std::string& name);
    static std::string FromString(QStringView text);
    // Whether a text becomes a name without losing a character to "?".
    static bool IsLatin1(QStringView text);
};
