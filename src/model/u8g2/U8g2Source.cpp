#include "U8g2Source.h"

#include "CArray.h"
#include "Message.h"

#include <QRegularExpression>
#include <QTextStream>

namespace {

// <stdint.h>'s types and macros, and C++'s namespace std where the source is compiled as C++.
constexpr char Declared[] = "^(?:u?int(?:_least|_fast)?[0-9]+_t|u?int(?:ptr|max)_t"
                            "|U?INT(?:_LEAST|_FAST)?[0-9]+_(?:MAX|MIN|WIDTH|C)"
                            "|U?INT(?:PTR|MAX)_(?:MAX|MIN|WIDTH|C)"
                            "|(?:SIZE|PTRDIFF|SIG_ATOMIC|WCHAR|WINT)_(?:MAX|MIN|WIDTH)|std)$";

// How many characters of escapes a line of the literal holds at most, besides its quotes.
constexpr int LineLength = 72;
// The longest string literal that C99 and C11 compilers must take (gcc -pedantic warns of a
// longer one), and how many numbers a line of a list of them holds.
constexpr qsizetype MaxLiteral = 4095;
constexpr qsizetype ListLine = 12;

// A byte of the literal: printable ASCII as itself, but for the quote and the backslash and
// the question mark, which would begin a trigraph ("??/"); any other byte as an octal escape,
// of three digits where an octal digit follows it, which the escape would take in.
QString Escaped(quint8 byte, int next)
{
    if (byte == '"' || byte == '\\' || byte == '?')
        return QStringLiteral("\\") + QChar(byte);
    if (byte >= 0x20 && byte < 0x7F)
        return QString(QLatin1Char(char(byte)));
    const QString octal = QString::number(byte, 8);
    const bool digitNext = next >= '0' && next <= '7';
    return QStringLiteral("\\") + (digitNext ? octal.rightJustified(3, u'0') : octal);
}

} // namespace

bool U8g2Source::IsValidName(const QString& name, QString* reason)
{
    if (!CArray::IsValidName(name, reason))
        return false;
    if (name == u"U8G2_FONT_SECTION" || name == u"U8X8_FONT_SECTION" || name == u"uint8_t")
        return Message::Fail(reason, QStringLiteral("is a name that the font's C source uses"));
    static const QRegularExpression declared(QLatin1String{Declared});
    if (declared.match(name).hasMatch()) {
        return Message::Fail(reason, QStringLiteral("is declared by <stdint.h>, which the font's "
                                                    "C source includes"));
    }
    return true;
}

// avr-gcc reads a constant from RAM unless it is in program memory, and the library reads
// its fonts from program memory there: without the library's header, the source puts the
// font where the header would (".progmem.NAME"), and nowhere special elsewhere.
QString U8g2Source::Text(const QString& comment, const QString& name, QLatin1String section,
                         const QByteArray& bytes)
{
    const qsizetype characters = bytes.size() - (bytes.endsWith('\0') ? 1 : 0);
    const bool literal = characters <= MaxLiteral;
    const QString declarator =
        Message::Text(u"const uint8_t %1[%2] %3(\"%1\")",
                      {name, literal ? characters + 1 : bytes.size(), QString(section)});
    QString text;
    QTextStream stream(&text);
    stream << "/* " << comment << " */\n#include <stdint.h>\n\n#ifndef " << section
           << "\n#if defined(__GNUC__) && defined(__AVR__)\n#define " << section
           << "(name) __attribute__((section(\".progmem.\" name)))\n#else\n#define " << section
           << "(name)\n#endif\n#endif\n\n#ifdef __cplusplus\nextern \"C\" {\n#endif\nextern "
           << declarator << ";\n#ifdef __cplusplus\n}\n#endif\n\n"
           << declarator << " =\n"
           << (literal ? Literal(bytes.left(characters)) : List(bytes)) << ";\n";
    stream.flush();
    return text;
}

QString U8g2Source::Literal(const QByteArray& bytes)
{
    QString text = QStringLiteral("    \"");
    int line = 0;
    for (qsizetype at = 0; at < bytes.size(); ++at) {
        const QString escaped =
            Escaped(quint8(bytes[at]), at + 1 < bytes.size() ? quint8(bytes[at + 1]) : -1);
        if (line + escaped.size() > LineLength) {
            text += QStringLiteral("\"\n    \"");
            line = 0;
        }
        text += escaped;
        line += int(escaped.size());
    }
    return text + u'"';
}

QString U8g2Source::List(const QByteArray& bytes)
{
    QString text = QStringLiteral("{");
    for (qsizetype at = 0; at < bytes.size(); ++at) {
        if (at % ListLine == 0)
            text += QStringLiteral("\n   ");
        text += u' ' + Message::Hex(quint8(bytes[at]));
        if (at + 1 < bytes.size())
            text += u',';
    }
    return text + QStringLiteral("\n}");
}
