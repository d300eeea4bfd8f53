#pragma once

#include "Message.h"
#include "Status.h"

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
    // Whether a font file carries a character in a name, so that the name reads back as it
    // is: a Latin-1 character but a C0 control, which XML cannot hold. Tab, line feed and
    // carriage return are carried: the writer puts them in as character references (&#9;),
    // which a reader keeps where it would turn the characters themselves into spaces.
    static bool IsCarried(char32_t character);
    // Whether a font file carries every character of a text; a failure, with the reason
    // naming the first character that it does not carry.
    static Status IsCarried(QStringView text);

    // A name as messages show it: laying out a name of megabytes, or a million names of
    // several lines, would take seconds, so a longer name shows its first MaxShownLength
    // characters and an ellipsis; a backslash shows as \\, and control characters and the
    // others that would show as nothing or as another as escapes (\n, \xa0), so that every
    // name is one short line (Message::Shown). Only what is shown is converted, so a long name
    // costs no more.
    static constexpr size_t MaxShownLength = size_t(Message::MaxShown);
    static QString Shown(const std::string& name);
    // The same for a name in the toolkit's text, such as one typed on a command line.
    static QString Shown(QStringView name);
    // The whole name, escaped as Shown escapes it, where it is typed back (pixmint-font's list
    // and show): two names that share their first MaxShownLength characters differ here.
    static QString Whole(const std::string& name);
    // A name where nobody types it back, in the editor's list and on a specimen sheet: cut as
    // Shown, with only what would break its line or show as nothing escaped
    // (TextEscape::Where::Line).
    static QString Listed(const std::string& name);
    // The same between quotation marks, as messages name a glyph.
    static QString Quoted(const std::string& name);
    // The name that a text is shown for, whole (not shortened); false when no name is shown
    // as the text (TextEscape::Unescaped).
    static bool FromShown(QStringView shown, std::string& name);
};
