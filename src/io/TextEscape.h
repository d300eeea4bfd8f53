#pragma once

#include <QString>

#include <string>

// Text written where it must stay on its line and give every character back, by one
// classification of the characters: the controls (C0, DEL, C1), which break a line or show as
// nothing; the line and paragraph separators; the characters that a terminal shows as nothing
// or as another; and the backslash that begins every escape. Each place the text goes takes
// from it what that place needs, and writes an escape as that place reads one.
class TextEscape
{
public:
    enum class Where {
        // A message or the console, every character told apart: a backslash is written \\,
        // and as C escapes (\t, \n, \r, \xHH, \uHHHH, \UHHHHHHHH) the controls, the no-break
        // and other spaces, the soft hyphen and other format characters (zero-width spaces
        // and joiners, the byte order mark, bidirectional marks and overrides), the line and
        // paragraph separators, a surrogate without its pair, the characters that Unicode
        // lets a text ignore, and a space at the end. Two texts never give the same visible
        // text, and Unescaped gives each back.
        Visible,
        // One line: the controls and the line and paragraph separators escaped as Visible
        // writes them, every other character as it is. For a message whose parts from
        // elsewhere (Message::Shown) are visible already, and for names shown where nobody
        // types them back (the editor's list, a specimen sheet), as they have always been
        // shown there.
        Line,
        // Inside a comment of generated C, Latin-1 text: the controls as Visible writes them,
        // a backslash between the two characters of "*/" and of "/*", and a backslash of the
        // text that would read as one of those doubled, so that Unescaped gives the text back.
        CComment,
        // The bytes of a C string literal: printable ASCII as it is, but for the quotation
        // mark, the backslash and the question mark (which would begin a trigraph, "??/"),
        // which get a backslash; any other byte as an octal escape, of three digits where an
        // octal digit follows it, which the escape would take in.
        CString,
        // The bytes inside the quotation marks of a BDF comment, as ASCII: printable ASCII as
        // it is but for the backslash and the quotation mark, which get a backslash; every
        // other byte as \xHH, upper-case.
        BdfComment,
        // The same inside a BDF property's string, but for the quotation mark, \x22: BDF
        // readers end a property's string at any quotation mark that is not doubled.
        BdfProperty,
    };

    // The text as it is written there: Visible, Line or CComment.
    static QString Escaped(QStringView text, Where where);
    // The text that Escaped wrote there as escaped: false where it writes escaped for no text.
    // Visible takes only what Escaped writes (no \x41 for A, no upper-case digits); CComment
    // takes either case of digits and a backslash that begins no escape as itself. Line
    // cannot be read back.
    static bool Unescaped(QStringView escaped, Where where, QString& text);
    // One byte as it is written there, appended: CString, BdfComment or BdfProperty; next is
    // the byte after it, or -1 at the end.
    static void AppendByte(std::string& text, quint8 byte, Where where, int next = -1);
};
