#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Finds what the editor would read silently in a way the author may not mean: skipped
// elements, numbers read as 0, values cut to a byte, names that lose characters or repeat.
// The editor itself stays lenient; this is for people who want to know.
class FontFileCheck
{
public:
    struct Problem
    {
        qint64 line = 0;
        QString message;
    };

    // A check stops after this many problems.
    static constexpr qsizetype MaxProblems = 1000;

    static QList<Problem> Check(const QByteArray& bytes);
};
