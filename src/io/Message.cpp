#include "Message.h"

#include "NumberText.h"
#include "TextEscape.h"

QString Message::Text(QStringView pattern, std::initializer_list<Value> values)
{
    QString text;
    text.reserve(pattern.size());
    for (qsizetype index = 0; index < pattern.size(); ++index) {
        const QChar character = pattern[index];
        const qsizetype number =
            index + 1 < pattern.size() ? pattern[index + 1].unicode() - u'0' : qsizetype(0);
        if (character == u'%' && number >= 1 && number <= qsizetype(values.size()) && number <= 9) {
            text += (values.begin() + (number - 1))->Text();
            ++index;
        } else {
            text += character;
        }
    }
    return text;
}

namespace {

// Shown's rule, named apart so that Quoted's use of it reads as no call of another Shown.
QString Shortened(QStringView text)
{
    if (text.size() <= Message::MaxShown)
        return TextEscape::Escaped(text, TextEscape::Where::Visible);
    return TextEscape::Escaped(text.left(Message::MaxShown), TextEscape::Where::Visible) +
           u'\u2026';
}

} // namespace

QString Message::Shown(QStringView text)
{
    return Shortened(text);
}

QString Message::Quoted(QStringView text)
{
    return u'"' + Shortened(text) + u'"';
}

QString Message::Hex(qint64 value)
{
    // An error number may be negative (zlib's are): its magnitude, after a minus sign.
    if (value < 0)
        return QStringLiteral("0x-") +
               NumberText::Hex(0 - quint64(value), 1, NumberText::Letters::Lower);
    return QStringLiteral("0x") + NumberText::Hex(quint64(value), 2, NumberText::Letters::Lower);
}

QString Message::CodePoint(char32_t code)
{
    return QStringLiteral("U+") + NumberText::Hex(code, 4, NumberText::Letters::Upper);
}

QString Message::LibraryError(QLatin1String library, qint64 code)
{
    return library + QStringLiteral(" error ") + Hex(code);
}
