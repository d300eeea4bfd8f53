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

    // A name as it is shown to people, in the editor's list or on a specimen sheet: laying out
    // a name of megabytes, or a million names of several lines, would take seconds, so a
    // longer name shows its first MaxShownLength characters and an ellipsis, and control
    // characters show as escapes (\n), so that every name is one short line.
    static constexpr size_t MaxShownLength = 256;
    static QString Shown(const std::string& name);
};
