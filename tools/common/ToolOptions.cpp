#include "ToolOptions.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QRegularExpression>

bool ToolOptions::ReadNumber(const QCommandLineParser& parser, const QCommandLineOption& option,
                             int minimum, int maximum, int& value)
{
    if (!parser.isSet(option))
        return true;
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,9}$"));
    const QString text = parser.value(option);
    if (digits.match(text).hasMatch()) {
        const int number = text.toInt();
        if (number >= minimum && number <= maximum) {
            value = number;
            return true;
        }
    }
    return Fail(QStringLiteral("--%1 %2: expected a whole number from %3 to %4")
                    .arg(option.names().constFirst(), text)
                    .arg(minimum)
                    .arg(maximum));
}
