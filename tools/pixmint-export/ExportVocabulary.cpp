#include "ExportVocabulary.h"

#include "CArray.h"
#include "CSubset.h"
#include "ExportFormats.h"
#include "ExportShaping.h"

#include <QStringList>

namespace {

const QString Empty = QStringLiteral("-");
const QString Name = QStringLiteral("@name@");

QString Line(const QStringList& fields)
{
    QStringList shown = fields;
    for (QString& field : shown) {
        if (field.isEmpty())
            field = Empty;
    }
    return shown.join(QLatin1Char('\t')) + QLatin1Char('\n');
}

QString Option(const QString& name)
{
    return QStringLiteral("--") + name;
}

QString Role(const ExportFormats::Format& format)
{
    if (&format == &ExportFormats::StandardOutput())
        return QStringLiteral("source");
    return format.family == ExportFormats::StandardOutput().family ? QStringLiteral("adds")
                                                                   : QStringLiteral("replaces");
}

QString Formats()
{
    QString text;
    for (const ExportFormats::Format& format : ExportFormats::All()) {
        text += Line({QStringLiteral("format"), format.cmakeKeyword, Option(format.option),
                      format.cmakeFile, Role(format), format.cmakeMakes});
    }
    for (const ExportFormats::Format& format : ExportFormats::All()) {
        if (!format.identifiers)
            continue;
        const QStringList always = format.identifiers(Name, false);
        text +=
            Line(QStringList{QStringLiteral("identifiers"), Option(format.option), Empty} + always);
        QStringList ranged = format.identifiers(Name, true);
        for (const QString& identifier : always)
            ranged.removeOne(identifier);
        // Every display chooses a range, unless the options given rule it out.
        if (ranged.isEmpty())
            continue;
        for (const QString& option : {QStringLiteral("--range"), QStringLiteral("--display")}) {
            text += Line(QStringList{QStringLiteral("identifiers"), Option(format.option), option} +
                         ranged);
        }
    }
    // The subset is the C source's alone.
    return text + Line(QStringList{QStringLiteral("identifiers"),
                                   Option(ExportFormats::StandardOutput().option),
                                   QStringLiteral("--chars")} +
                       CSubset::Identifiers(Name));
}

} // namespace

QByteArray ExportVocabulary::Text()
{
    QString text = Line({QStringLiteral("name"), QLatin1String(CArray::EditorName),
                         QLatin1String(CArray::IdentifierPattern)});
    for (const ExportShaping::Option& shaping : ExportShaping::All()) {
        if (shaping.cmakeKeyword.isEmpty())
            continue;
        const QString name = shaping.option.names().constLast();
        const QString kind = shaping.option.valueName().isEmpty() ? QStringLiteral("flag")
                             : ExportShaping::Joins(name)         ? QStringLiteral("text")
                                                                  : QStringLiteral("value");
        text += Line(
            QStringList{QStringLiteral("option"), shaping.cmakeKeyword, Option(name), kind,
                        shaping.shapesArray ? QStringLiteral("array") : QStringLiteral("any")} +
            shaping.values);
    }
    for (const ExportShaping::Exclusion& exclusion : ExportShaping::Exclusions()) {
        text += Line({QStringLiteral("excludes"), Option(exclusion.first), Option(exclusion.second),
                      exclusion.message});
    }
    return (text + Formats()).toUtf8();
}
