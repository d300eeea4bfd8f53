#include "HelpText.h"

#include <QStringList>

QString HelpText::HelpDescription()
{
    return QStringLiteral("Show this help and exit.");
}

QString HelpText::VersionDescription()
{
    return QStringLiteral("Show the version and exit.");
}

QString HelpText::Version(const QString& program)
{
    return program + QStringLiteral(" " PIXMINT_VERSION "\n");
}

QString HelpText::SeeHelp(const QString& reason)
{
    return reason + QStringLiteral(" (see --help)");
}

QString HelpText::Wrap(const QString& text)
{
    const auto isSingleBlank = [](const QString& line, qsizetype index) {
        return line[index] == u' ' && index > 0 && line[index - 1] != u' ' &&
               index + 1 < line.size() && line[index + 1] != u' ';
    };
    QStringList lines;
    for (QString line : text.split(QLatin1Char('\n'))) {
        while (line.size() > Columns) {
            // The last blank that leaves a line short enough, else the first of all.
            qsizetype cut = Columns;
            while (cut > 0 && !isSingleBlank(line, cut))
                --cut;
            if (cut == 0) {
                cut = Columns + 1;
                while (cut < line.size() && !isSingleBlank(line, cut))
                    ++cut;
                if (cut == line.size())
                    break;
            }
            lines << line.left(cut);
            line.remove(0, cut + 1);
        }
        lines << line;
    }
    return lines.join(QLatin1Char('\n'));
}

QString HelpText::Ending(const QString& program, const QList<Example>& examples)
{
    QString text = QStringLiteral("\nExamples:\n");
    for (const Example& example : examples)
        text += QStringLiteral("  ") + example.purpose + QStringLiteral("\n    ") +
                QString(example.command).replace(u'\n', QStringLiteral("\n      ")) +
                QLatin1Char('\n');
    return text + QStringLiteral("\nSee ") + program + QStringLiteral("(1).\n");
}
