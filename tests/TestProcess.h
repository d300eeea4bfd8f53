#pragma once

// Running a program to its end in the tests: in a folder, with standard input.

#include <QProcess>
#include <QStringList>

namespace TestProcess {

struct Run
{
    int exitCode = -1; // -1: it did not end normally within two minutes
    QByteArray out;
    QByteArray err;
};

inline Run Start(const QString& program, const QStringList& arguments,
                 const QString& folder = QString(), const QByteArray& input = QByteArray())
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(program, arguments);
    process.write(input);
    process.closeWriteChannel();
    Run run;
    if (process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit)
        run = {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
    return run;
}

} // namespace TestProcess
