#include "ToolOptions.h"

#include "Message.h"
#include "NumberText.h"
#include "Status.h"

#include <QCommandLineParser>

Status ToolOptions::ReadArguments(const QStringList& arguments, QString& fontPath)
{
    if (arguments.size() != 1)
        return Fail(Message::Text(u"expected one font file, got %1", {arguments.size()}));
    fontPath = arguments.first();
    return Status();
}

bool ToolOptions::Accumulates(const QString&) const
{
    return false;
}

Status ToolOptions::ReadNumber(const QCommandLineParser& parser, const QCommandLineOption& option,
                               int minimum, int maximum, int& value)
{
    if (!parser.isSet(option))
        return Status();
    const QString text = parser.value(option);
    qint64 number = 0;
    if (ToNumber(text, minimum, maximum, number)) {
        value = int(number);
        return Status();
    }
    return Fail(Message::Text(u"--%1 %2: expected a whole number from %3 to %4",
                              {option.names().constFirst(), text, minimum, maximum}));
}

bool ToolOptions::ToNumber(QStringView text, qint64 minimum, qint64 maximum, qint64& value)
{
    quint64 number = 0;
    if (maximum < 0 || !NumberText::ReadDigits(text, 10, quint64(maximum), number) ||
        qint64(number) < minimum)
        return false;
    value = qint64(number);
    return true;
}

Status ToolOptions::NotOneOf(const QString& option, const QString& value, const QStringList& names)
{
    return Fail(Message::Text(u"--%1 %2: expected one of %3",
                              {option, value, names.join(QStringLiteral(", "))}));
}

Status ToolOptions::ReadLayout(const QCommandLineParser& parser, const QCommandLineOption& option,
                               std::optional<CArray::Layout>& layout)
{
    if (!parser.isSet(option))
        return Status();
    const QString text = parser.value(option);
    CArray::Layout read = CArray::Layout::Columns;
    if (!CArray::LayoutFromName(text, &read))
        return NotOneOf(option.names().constFirst(), text, CArray::LayoutNames());
    layout = read;
    return Status();
}

Status ToolOptions::ReadCharacters(const QCommandLineParser& parser,
                                   const QCommandLineOption& option, std::vector<int>& codes)
{
    for (const char32_t character : parser.values(option).join(QString()).toUcs4()) {
        if (const Status latin1 = CodeRange::IsLatin1(character); !latin1)
            return Fail(latin1.In(QStringLiteral("--") + option.names().constFirst()));
        codes.push_back(int(character));
    }
    return Status();
}

Status ToolOptions::ReadRanges(const QCommandLineParser& parser, const QCommandLineOption& option,
                               std::vector<CodeRange>& ranges)
{
    for (const QString& text : parser.values(option)) {
        CodeRange range(0, 0);
        if (!CodeRange::Parse(text, &range)) {
            return Fail(Message::Text(u"--%1 %2: expected %3",
                                      {option.names().constFirst(), text, CodeRange::Syntax()}));
        }
        ranges.push_back(range);
    }
    return Status();
}
