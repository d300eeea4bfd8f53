#pragma once

#include <QString>

#include <initializer_list>
#include <type_traits>

// How every program words its messages. What comes from the user (a path, a glyph name, an
// option's value, the text of a font file) is put in whole and never read again: Text
// replaces every marker of its pattern in one pass, so that a "%1" in a file name stays a
// "%1". Chaining QString::arg would look for markers in what the earlier calls put in.
class Message
{
public:
    // One value put into a message: a text as it is, or a whole number in decimal.
    class Value
    {
    public:
        Value(const QString& text) : _text(text) {}
        template <typename Number, std::enable_if_t<std::is_integral_v<Number>, int> = 0>
        Value(Number number) : _text(QString::number(number))
        {
        }
        const QString& Text() const { return _text; }

    private:
        QString _text;
    };

    // The most characters of a text that a message shows, as the editor's list of names does.
    static constexpr qsizetype MaxShown = 256;

    // The pattern with each marker %1 to %9 replaced by the value of that number; a marker
    // without a value stays as it is.
    static QString Text(QStringView pattern, std::initializer_list<Value> values);

    // A text as a message shows it: one line, told apart from any other (a backslash as \\,
    // control characters as escapes, see TextEscape::Where::Visible), of at most MaxShown
    // characters, then an ellipsis.
    static QString Shown(QStringView text);
    // The same between quotation marks.
    static QString Quoted(QStringView text);
    // A code or an error number in lower-case hexadecimal, at least two digits: "0x41".
    static QString Hex(qint64 value);
    // A character by its code point: "U+00E9".
    static QString CodePoint(char32_t code);
    // A library's error number as its documentation lists it: "FreeType error 0x14".
    static QString LibraryError(QLatin1String library, qint64 code);
};
