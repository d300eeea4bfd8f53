#include "TextEscape.h"

#include "NumberText.h"

#include <utility>

namespace {

using Where = TextEscape::Where;

// The controls (C0, DEL, C1), which every place escapes.
bool IsControl(char32_t code)
{
    return QChar::category(code) == QChar::Other_Control;
}

// What would break a line: the controls and the line and paragraph separators.
bool BreaksLine(char32_t code)
{
    return IsControl(code) || QChar::category(code) == QChar::Separator_Line ||
           QChar::category(code) == QChar::Separator_Paragraph;
}

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

// One character as Visible escapes it: \t, \n, \r, \\, else \x, \u or \U and lower-case
// hexadecimal digits.
QString CEscape(char32_t code)
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

// The character that a backslash and this letter stand for, or false for any other letter.
bool ReadLetter(QChar letter, QChar& character)
{
    for (const auto& [escaped, known] : LetterEscapes) {
        if (letter == known) {
            character = QChar(escaped);
            return true;
        }
    }
    return false;
}

// Visible, or Line: only what would break the line escaped.
QString VisibleOrLine(QStringView text, bool all)
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
        if (all ? IsHidden(code) || code == u'\\' || (code == u' ' && last) : BreaksLine(code))
            visible += CEscape(code);
        else
            visible += text.mid(index, pair ? 2 : 1);
        index += pair ? 1 : 0;
    }
    return visible;
}

bool ReadVisible(QStringView visible, QString& text)
{
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
        else if (ReadLetter(letter, character))
            text += character;
        else
            return false;
        index += 1 + digits;
    }
    // What Visible would not write (\x41 for A, upper-case digits) names no text.
    return VisibleOrLine(text, true) == visible;
}

// Whether a backslash of a comment's text, before the character next, would be read back as
// the start of an escape or as the backslash that keeps "*/" and "/*" apart: such a
// backslash is written twice.
bool NeedsDoubling(QChar previous, QChar next)
{
    QChar escaped;
    return ReadLetter(next, escaped) || next == u'x' || IsControl(next.unicode()) ||
           (previous == u'*' && next == u'/') || (previous == u'/' && next == u'*');
}

// A comment's text is compiled into firmware, so nothing in it may end the comment or reach
// the next line: "*/" would end it, a line break (after a backslash, or the trigraph ??/)
// would splice the next line into it, and "/*" makes the compiler warn.
QString CComment(QStringView original)
{
    QString text;
    text.reserve(original.size());
    for (qsizetype index = 0; index < original.size(); ++index) {
        const QChar character = original[index];
        if (!text.isEmpty() && ((text.back() == u'*' && character == u'/') ||
                                (text.back() == u'/' && character == u'*')))
            text += u'\\';
        if (character == u'\\' && index + 1 < original.size() &&
            NeedsDoubling(index > 0 ? original[index - 1] : QChar(), original[index + 1]))
            text += u'\\';
        if (IsControl(character.unicode()))
            text += CEscape(character.unicode());
        else
            text += character;
    }
    return text;
}

int HexDigit(QChar character)
{
    return NumberText::Digit(character.unicode(), 16);
}

void ReadCComment(QStringView text, QString& original)
{
    for (qsizetype index = 0; index < text.size(); ++index) {
        const QChar character = text[index];
        const QChar next = index + 1 < text.size() ? text[index + 1] : QChar();
        if (character != u'\\') {
            original += character;
            continue;
        }
        const bool separates = index > 0 && ((next == u'/' && text[index - 1] == u'*') ||
                                             (next == u'*' && text[index - 1] == u'/'));
        QChar escaped;
        if (ReadLetter(next, escaped)) {
            original += escaped;
            ++index;
        } else if (next == u'x' && index + 3 < text.size() && HexDigit(text[index + 2]) >= 0 &&
                   HexDigit(text[index + 3]) >= 0) {
            original += QChar(HexDigit(text[index + 2]) * 16 + HexDigit(text[index + 3]));
            index += 3;
        } else if (!separates) {
            original += character;
        }
    }
}

// A byte of a C string literal.
void AppendCString(std::string& text, quint8 byte, int next)
{
    if (byte == '"' || byte == '\\' || byte == '?') {
        text += '\\';
        text += char(byte);
    } else if (byte >= 0x20 && byte < 0x7F) {
        text += char(byte);
    } else {
        const bool digitNext = next >= '0' && next <= '7';
        if (digitNext || byte >= 0100)
            text += {'\\', char('0' + (byte >> 6))};
        else
            text += '\\';
        if (digitNext || byte >= 010)
            text += char('0' + ((byte >> 3) & 7));
        text += char('0' + (byte & 7));
    }
}

} // namespace

QString TextEscape::Escaped(QStringView text, Where where)
{
    switch (where) {
    case Where::Visible:
    case Where::Line:
        return VisibleOrLine(text, where == Where::Visible);
    case Where::CComment:
        return CComment(text);
    default:
        Q_ASSERT_X(false, "TextEscape::Escaped", "a place of bytes");
        return QString();
    }
}

bool TextEscape::Unescaped(QStringView escaped, Where where, QString& text)
{
    text.clear();
    if (where == Where::Visible)
        return ReadVisible(escaped, text);
    if (where != Where::CComment)
        return false;
    ReadCComment(escaped, text);
    return true;
}

void TextEscape::AppendByte(std::string& text, quint8 byte, Where where, int next)
{
    if (where == Where::CString) {
        AppendCString(text, byte, next);
        return;
    }
    Q_ASSERT(where == Where::BdfComment || where == Where::BdfProperty);
    if (byte < 0x20 || byte >= 0x7F || (byte == '"' && where == Where::BdfProperty)) {
        text += "\\x";
        NumberText::AppendHex(text, byte, 2, NumberText::Letters::Upper);
        return;
    }
    if (byte == '\\' || byte == '"')
        text += '\\';
    text += char(byte);
}
