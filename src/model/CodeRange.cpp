#include "CodeRange.h"

#include "Message.h"

#include <QStringList>

namespace {

// One bound: decimal digits, or 0x (0X) and hexadecimal digits. Leading zeros are read as
// zeros, as CMake's RANGE reads them, and a value beyond the codes stops the reading, so that
// no number of digits overflows.
bool ParseBound(const QString& text, int* value)
{
    const bool hexadecimal =
        text.size() > 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X');
    const int base = hexadecimal ? 16 : 10;
    const QString digits = hexadecimal ? text.mid(2) : text;
    if (digits.isEmpty())
        return false;
    int number = 0;
    for (const QChar character : digits) {
        const char16_t c = character.unicode();
        const int digit = c >= u'0' && c <= u'9'                 ? c - u'0'
                          : base == 16 && c >= u'a' && c <= u'f' ? c - u'a' + 10
                          : base == 16 && c >= u'A' && c <= u'F' ? c - u'A' + 10
                                                                 : -1;
        if (digit < 0)
            return false;
        number = number * base + digit;
        if (number > CodeRange::MaxCode)
            return false;
    }
    *value = number;
    return true;
}

} // namespace

CodeRange::CodeRange(int first, int last) : _first(first), _last(last)
{
    Q_ASSERT(0 <= first && first <= last && last <= MaxCode);
}

bool CodeRange::Parse(const QString& text, CodeRange* range)
{
    const QStringList bounds = text.split(u'-');
    int first = 0;
    int last = 0;
    if (bounds.size() != 2 || !ParseBound(bounds[0], &first) || !ParseBound(bounds[1], &last) ||
        first > last)
        return false;
    *range = CodeRange(first, last);
    return true;
}

QString CodeRange::Syntax()
{
    return Message::Text(u"FIRST-LAST with 0 <= FIRST <= LAST <= %1, each decimal or 0x "
                         u"hexadecimal",
                         {MaxCode});
}

bool CodeRange::IsLatin1(char32_t character, QString* reason)
{
    if (character <= char32_t(MaxCode))
        return true;
    return Message::Fail(reason, Message::Text(u"%1 (%2) is not a Latin-1 character",
                                               {Message::Quoted(QString::fromUcs4(&character, 1)),
                                                Message::CodePoint(character)}));
}

QString CodeRange::Runs(const std::vector<int>& codes, Naming naming)
{
    const auto name = [naming](int code) {
        return naming == Naming::Hex ? Message::Hex(code) : Message::CodePoint(char32_t(code));
    };
    QStringList runs;
    for (size_t start = 0; start < codes.size();) {
        size_t end = start;
        while (end + 1 < codes.size() && codes[end + 1] == codes[end] + 1)
            ++end;
        runs << (end == start ? name(codes[start])
                              : name(codes[start]) + QStringLiteral(" to ") + name(codes[end]));
        start = end + 1;
    }
    return runs.join(QStringLiteral(", "));
}
