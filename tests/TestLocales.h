#pragma once

// Locales that a system may lack, built for a test with localedef from the sources in
// Debian's locales package; a program finds them through LOCPATH.

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QString>

namespace TestLocales {

inline QString Localedef()
{
    return QStandardPaths::findExecutable(QStringLiteral("localedef"));
}

// Builds the locale named by its language and character set, "en_US.ISO-8859-1", into
// folder; false when it could not be built.
inline bool Build(const QString& folder, const QString& locale)
{
    const qsizetype dot = locale.indexOf(QLatin1Char('.'));
    const QString built = folder + QLatin1Char('/') + locale;
    QProcess localedef;
    localedef.start(Localedef(), {QStringLiteral("-i"), locale.left(dot), QStringLiteral("-f"),
                                  locale.mid(dot + 1), built});
    // Warnings about the character set end with status 1, and the locale is built all the same.
    return localedef.waitForFinished(120000) && localedef.exitStatus() == QProcess::NormalExit &&
           localedef.exitCode() <= 1 && QFile::exists(built + QStringLiteral("/LC_CTYPE"));
}

} // namespace TestLocales
