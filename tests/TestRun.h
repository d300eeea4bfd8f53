#pragma once

// Running a program to its end in the tests and keeping what it printed.

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

struct Run
{
    int exitCode = -1; // -1 when the program did not end by itself
    QByteArray out;
    QByteArray err;

    // Standard output and error in the locale's encoding, as a terminal shows them.
    QString OutText() const { return QString::fromLocal8Bit(out); }
    QString ErrText() const { return QString::fromLocal8Bit(err); }
};

struct RunSetup
{
    QString folder;     // where the program runs, the test's own when empty
    QString outputFile; // a file that takes its standard output instead of the test
    QByteArray input;   // its standard input, closed after this
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // A hang guard, not a speed test: the CPU seconds the run may take, stretched for the
    // sanitizer build (PIXMINT_TIME_SCALE), beyond which the system stops it; none when 0.
    int cpuSeconds = 0;
};

inline RunSetup InFolder(const QString& folder)
{
    RunSetup setup;
    setup.folder = folder;
    return setup;
}

inline Run Start(const QString& program, const QStringList& arguments, const RunSetup& setup = {})
{
    QProcess process;
    process.setWorkingDirectory(setup.folder);
    process.setProcessEnvironment(setup.environment);
    if (!setup.outputFile.isEmpty())
        process.setStandardOutputFile(setup.outputFile);
#ifdef Q_OS_UNIX
    if (setup.cpuSeconds > 0) {
        const int scale = qEnvironmentVariableIntValue("PIXMINT_TIME_SCALE");
        const rlim_t seconds = rlim_t(setup.cpuSeconds) * rlim_t(scale > 0 ? scale : 1);
        process.setChildProcessModifier([seconds] {
            const rlimit limit{seconds, seconds};
            setrlimit(RLIMIT_CPU, &limit);
        });
    }
#endif
    process.start(program, arguments);
    process.write(setup.input);
    process.closeWriteChannel();
    Run run;
    if (process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit)
        run = {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
    return run;
}

// Runs a program to its end in that folder, with that standard input.
inline Run StartIn(const QString& folder, const QString& program, const QStringList& arguments,
                   const QByteArray& input = {})
{
    RunSetup setup = InFolder(folder);
    setup.input = input;
    return Start(program, arguments, setup);
}
