#include "NumberText.h"

#include <algorithm>

int NumberText::Digit(char32_t character, int base)
{
    if (character >= U'0' && character <= U'9')
        return int(character - U'0');
    if (base == 16 && character >= U'a' && character <= U'f')
        return int(character - U'a') + 10;
    if (base == 16 && character >= U'A' && character <= U'F')
        return int(character - U'A') + 10;
    return -1;
}

bool NumberText::ReadDigits(QStringView digits, int base, quint64 limit, quint64& value)
{
    if (digits.isEmpty())
        return false;
    quint64 number = 0;
    for (const QChar character : digits) {
        const int digit = Digit(character.unicode(), base);
        // number * base + digit <= limit, asked without computing it, which could overflow.
        if (digit < 0 || quint64(digit) > limit ||
            number > (limit - quint64(digit)) / quint64(base))
            return false;
        number = number * quint64(base) + quint64(digit);
    }
    value = number;
    return true;
}

bool NumberText::ReadNumber(QStringView text, quint64 limit, quint64& value)
{
    const bool hexadecimal =
        text.size() > 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X');
    return hexadecimal ? ReadDigits(text.mid(2), 16, limit, value)
                       : ReadDigits(text, 10, limit, value);
}

bool NumberText::ReadRange(QStringView text, quint64 limit, quint64& first, quint64& last)
{
    const qsizetype dash = text.indexOf(u'-');
    if (dash < 0 || text.indexOf(u'-', dash + 1) >= 0)
        return false;
    quint64 from = 0;
    quint64 to = 0;
    if (!ReadNumber(text.left(dash), limit, from) || !ReadNumber(text.mid(dash + 1), limit, to) ||
        from > to)
        return false;
    first = from;
    last = to;
    return true;
}

QString NumberText::Hex(quint64 value, int digits, Letters letters)
{
    std::string text;
    AppendHex(text, value, digits, letters);
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

void NumberText::AppendHex(std::string& text, quint64 value, int digits, Letters letters)
{
    const char* const alphabet =
        letters == Letters::Upper ? "0123456789ABCDEF" : "0123456789abcdef";
    char buffer[24];
    int length = 0;
    do {
        buffer[length++] = alphabet[value & 0xFu];
        value >>= 4;
    } while (value != 0 || length < std::min(digits, int(sizeof buffer)));
    while (length > 0)
        text += buffer[--length];
}
