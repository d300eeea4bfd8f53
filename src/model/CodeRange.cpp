#include "CodeRange.h"

#include "Message.h"
#include "NumberText.h"

#include <QStringList>

CodeRange::CodeRange(int first, int last) : _first(first), _last(last)
{
    Q_ASSERT(0 <= first && first <= last && last <= MaxCode);
}

bool CodeRange::Parse(const QString& text, CodeRange* range)
{
    quint64 first = 0;
    quint64 last = 0;
    if (!NumberText::ReadRange(text, MaxCode, first, last))
        return false;
    *range = CodeRange(int(first), int(last));
    return true;
}

QString CodeRange::Syntax()
{
    return Message::Text(u"FIRST-LAST with 0 <= FIRST <= LAST <= %1, each decimal or 0x "
                         u"hexadecimal",
                         {MaxCode});
}

Status CodeRange::IsLatin1(char32_t character)
{
    if (character <= char32_t(MaxCode))
        return Status();
    return Status::Failure(Message::Text(
        u"%1 (%2) is not a Latin-1 character",
        {Message::Quoted(QString::fromUcs4(&character, 1)), Message::CodePoint(character)}));
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
