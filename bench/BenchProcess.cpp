#include "BenchProcess.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace {

QString SpawnHelper;
QString ResultFile;

} // namespace

namespace BenchProcess {

void SetUp(const QString& spawnHelper, const QString& resultFile)
{
    SpawnHelper = spawnHelper;
    ResultFile = resultFile;
}

Measure RunProcess(const QStringList& command, int lastSuccess)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        qFatal("pipe failed");
    QStringList full = {SpawnHelper, ResultFile};
    full += command;
    std::vector<QByteArray> arguments;
    for (const QString& argument : full)
        arguments.push_back(argument.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    const pid_t child = fork();
    if (child == 0) {
        dup2(pipeEnds[1], STDOUT_FILENO);
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(pipeEnds[1]);
    Measure measure;
    char buffer[4096];
    ssize_t got = 0;
    while ((got = read(pipeEnds[0], buffer, sizeof buffer)) > 0)
        measure.output.append(buffer, got);
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) > lastSuccess)
        qFatal("failed: %s", qPrintable(command.join(QLatin1Char(' '))));
    QFile result(ResultFile);
    if (!result.open(QIODevice::ReadOnly))
        qFatal("no result from bench_spawn");
    const QList<QByteArray> values = result.readAll().simplified().split(' ');
    measure.milliseconds = values.value(0).toDouble();
    measure.peakMiB = values.value(1).toDouble() / 1024.0;
    return measure;
}

Measure Median(const QStringList& command, int runs, bool timeFromOutput, int lastSuccess)
{
    std::vector<Measure> measures;
    for (int run = 0; run < runs; ++run) {
        Measure measure = RunProcess(command, lastSuccess);
        if (timeFromOutput)
            measure.milliseconds = measure.output.trimmed().toDouble();
        measures.push_back(measure);
    }
    std::sort(measures.begin(), measures.end(),
              [](const Measure& a, const Measure& b) { return a.milliseconds < b.milliseconds; });
    return measures[measures.size() / 2];
}

int SharedObjects(const QString& work, const QStringList& command)
{
    QDir folder(work + QStringLiteral("/libraries"));
    folder.removeRecursively();
    QDir().mkpath(folder.path());
    RunProcess(QStringList{"env", "LD_DEBUG=libs", "LD_DEBUG_OUTPUT=" + folder.path() + "/log"} +
               command);
    int count = 0;
    for (const QString& name : folder.entryList(QDir::Files)) {
        QFile log(folder.filePath(name));
        if (log.open(QIODevice::ReadOnly))
            count += int(log.readAll().count("calling init: "));
    }
    return count;
}

} // namespace BenchProcess
