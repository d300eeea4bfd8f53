#include "U8g2Source.h"

#include "CArray.h"
#include "Message.h"
#include "TextEscape.h"

#include <QTextStream>

namespace {

// How many characters of escapes a line of the literal holds at most, besides its quotes.
constexpr int LineLength = 72;
// The longest string literal that C99 and C11 compilers must take (gcc -pedantic warns of a
// longer one), and how many numbers a line of a list of them holds.
constexpr qsizetype MaxLiteral = 4095;
constexpr qsizetype ListLine = 12;

} // namespace

Status U8g2Source::IsValidName(const QString& name)
{
    if (Status valid = CArray::IsValidName(name); !valid)
        return valid;
    if (name == u"U8G2_FONT_SECTION" || name == u"U8X8_FONT_SECTION" || name == u"uint8_t")
        return Status::Failure(QStringLiteral("is a name that the font's C source uses"));
    // The source includes <stdint.h>, and u8g2.h, beside it, the other standard headers.
    if (CArray::IsStandardHeaderName(name)) {
        return Status::Failure(QStringLiteral("is declared by the standard headers that "
                                              "the font's C source and u8g2.h include"));
    }
    return Status();
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
    std::string escaped;
    for (qsizetype at = 0; at < bytes.size(); ++at) {
        escaped.clear();
        TextEscape::AppendByte(escaped, quint8(bytes[at]), TextEscape::Where::CString,
                               at + 1 < bytes.size() ? quint8(bytes[at + 1]) : -1);
        if (line + int(escaped.size()) > LineLength) {
            text += QStringLiteral("\"\n    \"");
            line = 0;
        }
        text += QLatin1String(escaped.data(), qsizetype(escaped.size()));
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
