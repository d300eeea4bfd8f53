#pragma once

#include <QCommandLineOption>
#include <QList>
#include <QString>
#include <QStringList>

class QCommandLineParser;

// The options of pixmint-export that shape its outputs, and what each needs or excludes: the
// converter's --help lists and checks them, and tells pixmint_add_font of them
// (ExportVocabulary).
class ExportShaping
{
public:
    // An option that shapes outputs, listed in --help after the option of the format named;
    // with the keyword that pixmint_add_font takes for it, whether it shapes the C array
    // alone, and the values it takes where they are few.
    struct Option
    {
        Option(const QString& after, const QCommandLineOption& option,
               const QString& cmakeKeyword = QString(), bool shapesArray = false,
               const QStringList& values = QStringList())
            : after(after), option(option), cmakeKeyword(cmakeKeyword), shapesArray(shapesArray),
              values(values)
        {
        }

        QString after;
        QCommandLineOption option;
        QString cmakeKeyword;
        bool shapesArray;
        QStringList values;
    };
    static QList<Option> All();
    // Whether the option of that name may be given again, its texts joined: --chars, as
    // pixmint-import's and pixmint-font's.
    static bool Joins(const QString& name) { return name == QLatin1String("chars"); }
    // Two options that cannot be given together, and the message that refuses them.
    struct Exclusion
    {
        QString first;
        QString second;
        QString message;
    };
    static QList<Exclusion> Exclusions();

    // Whether the option is given, or one that cannot go with it: what a display's choice for
    // the option yields to (--const to the --progmem of a display).
    static bool Given(const QCommandLineParser& parser, const QString& option);

    // The message of the first option given without what it needs or with what it excludes;
    // empty when there is none.
    static QString Refusal(const QCommandLineParser& parser);
};
