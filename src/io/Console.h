#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Text between a program and its console: the command line it is given, what it prints.
class Console
{
public:
    // The text on one line, every character of it told apart from any other: a backslash is
    // written \\, and as C escapes (\t, \n, \r, \xHH, \uHHHH, \UHHHHHHHH) every character
    // that a terminal shows as nothing or as another: the controls (C0, DEL, C1), the
    // no-break and other spaces, the soft hyphen and other format characters (zero-width
    // spaces and joiners, the byte order mark, bidirectional marks and overrides), the line
    // and paragraph separators, a surrogate without its pair, the characters that Unicode lets
    // a text ignore, and a space at the end. Two texts never give the same visible text, and
    // ReadVisibleText gives each back.
    static QString VisibleText(QStringView text);
    // The text that VisibleText writes as visible; false when visible is not what it writes
    // for any text (a backslash that begins no escape, an escape that it would not write).
    static bool ReadVisibleText(QStringView visible, QString& text);
    // The text on one line: the controls (C0, DEL, C1) and the line and paragraph separators
    // escaped as VisibleText writes them, every other character as it is. For a message whose
    // parts from elsewhere (Message::Shown) are visible text already, which it leaves as it
    // is, and for names shown where nobody types them back (the editor's list, a specimen
    // sheet), as they have always been shown there.
    static QString OneLine(QStringView text);

    // The controls (C0, DEL, C1), which every visible text escapes.
    static bool IsControl(char32_t code);
    // One character as VisibleText escapes it: \t, \n, \r, \\, else \x, \u or \U and
    // lower-case hexadecimal digits.
    static QString Escape(char32_t code);
    // The character that a backslash and this letter stand for (t, n, r, or a backslash), or
    // false for any other letter.
    static bool ReadLetterEscape(QChar letter, QChar& character);

    // A file name in the system's bytes, as a command line gives it, as the toolkit's text;
    // false when the bytes do not survive the conversion (not valid UTF-8, say): the text
    // would then name another file.
    static bool DecodeFileName(const QByteArray& local, QString& name);
    // The whole command line so decoded, or false with the reason.
    static bool DecodeArguments(int argc, char* argv[], QStringList& arguments,
                                QString* error = nullptr);

    // "program: message" as one line on standard error, whatever the message holds.
    static void PrintError(const QString& program, const QString& message);

    // The encoding of the locale the program runs in, as the C library names it (its
    // codeset, "ISO-8859-1" say), for text that is to be in the user's encoding. The
    // application object sets the locale from the environment: ask after it exists.
    static QByteArray LocaleEncoding();
};
