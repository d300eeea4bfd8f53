#include "Console.h"

#include "Message.h"
#include "NumberText.h"

#include <QFile>

#include <cstdio>
#include <utility>

#ifdef Q_OS_UNIX
#include <langinfo.h>
#endif

namespace {

// The characters beyond the controls that a terminal shows as nothing or as another: spaces
// other than U+0020, format characters, line and paragraph separators, a lone surrogate, and
// the other characters that Unicode lets a text ignore where it cannot show them
// (Default_Ignorable_Code_Point).
bool IsHidden(char32_t code)
{
    switch (QChar::category(code)) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Other_Surrogate:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return true;
    case QChar::Separator_Space:
        return code != u' ';
    default:
        break;
    }
    if (code < 0x034F)
        return false;
    static constexpr char32_t Ignorable[][2] = {
        {0x034F, 0x034F},   {0x115F, 0x1160},   {0x17B4, 0x17B5},  {0x180B, 0x180F},
        {0x3164, 0x3164},   {0xFE00, 0xFE0F},   {0xFFA0, 0xFFA0},  {0xFFF0, 0xFFF8},
        {0x1BCA0, 0x1BCA3}, {0x1D173, 0x1D17A}, {0xE0000, 0xE0FFF}};
    for (const auto& range : Ignorable) {
        if (code >= range[0] && code <= range[1])
            return true;
    }
    return false;
}

// The characters written as a backslash and a letter, with the letter.
constexpr char16_t LetterEscapes[][2] = {
    {u'\t', u't'}, {u'\n', u'n'}, {u'\r', u'r'}, {u'\\', u'\\'}};

// VisibleText, or OneLine: only what would break the line or show as nothing on it escaped.
QString Visible(QStringView text, bool all)
{
    QString visible;
    visible.reserve(text.size());
    for (qsizetype index = 0; index < text.size(); ++index) {
        char32_t code = text[index].unicode();
        const bool pair = QChar::isHighSurrogate(code) && index + 1 < text.size() &&
                          text[index + 1].isLowSurrogate();
        if (pair)
            code = QChar::surrogateToUcs4(text[index], text[index + 1]);
        const bool last = index + (pair ? 2 : 1) == text.size();
        const bool breaks = Console::IsControl(code) ||
                            QChar::category(code) == QChar::Separator_Line ||
                            QChar::category(code) == QChar::Separator_Paragraph;
        if (all ? IsHidden(code) || code == u'\\' || (code == u' ' && last) : breaks)
            visible += Console::Escape(code);
        else
            visible += text.mid(index, pair ? 2 : 1);
        index += pair ? 1 : 0;
    }
    return visible;
}

} // namespace

QString Console::VisibleText(QStringView text)
{
    return Visible(text, true);
}

QString Console::OneLine(QStringView text)
{
    return Visible(text, false);
}

bool Console::IsControl(char32_t code)
{
    return QChar::category(code) == QChar::Other_Control;
}

QString Console::Escape(char32_t code)
{
    for (const auto& [character, letter] : LetterEscapes) {
        if (code == character)
            return u'\\' + QChar(letter);
    }
    const auto [letter, digits] = code <= 0xFF     ? std::pair(u'x', 2)
                                  : code <= 0xFFFF ? std::pair(u'u', 4)
                                                   : std::pair(u'U', 8);
    return u'\\' + QChar(letter) + NumberText::Hex(code, digits, NumberText::Letters::Lower);
}

bool Console::ReadLetterEscape(QChar letter, QChar& character)
{
    for (const auto& [escaped, known] : LetterEscapes) {
        if (letter == known) {
            character = QChar(escaped);
            return true;
        }
    }
    return false;
}

bool Console::ReadVisibleText(QStringView visible, QString& text)
{
    text.clear();
    for (qsizetype index = 0; index < visible.size(); ++index) {
        if (visible[index] != u'\\') {
            text += visible[index];
            continue;
        }
        const QChar letter = index + 1 < visible.size() ? visible[index + 1] : QChar();
        const int digits = letter == u'x' ? 2 : letter == u'u' ? 4 : letter == u'U' ? 8 : 0;
        quint64 number = 0;
        if (digits > 0 &&
            !(index + 2 + digits <= visible.size() &&
              NumberText::ReadDigits(visible.mid(index + 2, digits), 16, 0x10FFFF, number)))
            return false;
        const char32_t code = char32_t(number);
        QChar character;
        if (digits > 0)
            text += code > 0xFFFF ? QString::fromUcs4(&code, 1) : QChar(char16_t(code));
        else if (ReadLetterEscape(letter, character))
            text += character;
        else
            return false;
        index += 1 + digits;
    }
    // What VisibleText would not write (\x41 for A, upper-case digits) names no text.
    return VisibleText(text) == visible;
}

bool Console::DecodeFileName(const QByteArray& local, QString& name)
{
    name = QFile::decodeName(local);
    // The conversion drops a leading byte order mark, which a name may well hold.
    if (local.startsWith("\xEF\xBB\xBF") && !name.startsWith(QChar(0xFEFF)))
        name.prepend(QChar(0xFEFF));
    return QFile::encodeName(name) == local;
}

bool Console::DecodeArguments(int argc, char* argv[], QStringList& arguments, QString* error)
{
    arguments.clear();
    for (int index = 0; index < argc; ++index) {
        QString argument;
        if (!DecodeFileName(argv[index], argument)) {
            return Message::Fail(
                error, Message::Text(u"argument %1 (%2) is not valid in the system's encoding",
                                     {index, VisibleText(argument)}));
        }
        arguments << argument;
    }
    return true;
}

void Console::PrintError(const QString& program, const QString& message)
{
    std::fprintf(stderr, "%s: %s\n", program.toLocal8Bit().constData(),
                 OneLine(message).toLocal8Bit().constData());
}

QByteArray Console::LocaleEncoding()
{
#ifdef Q_OS_UNIX
    return QByteArray(nl_langinfo(CODESET));
#else
    // Qt's name for the system's code page.
    return QByteArrayLiteral("Locale");
#endif
}
