#pragma once

// The benchmark's processes: each program runs to its end through bench_spawn, which times
// the whole process and reads its peak memory.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace BenchProcess {

struct Measure
{
    double milliseconds = 0; // wall time of the process, or what it printed
    double peakMiB = 0;      // peak resident memory of the process
    QByteArray output;
};

// The helper that spawns, and the file where it leaves what it measured.
void SetUp(const QString& spawnHelper, const QString& resultFile);
// Runs a program to its end; its standard output comes back here. An exit status above
// lastSuccess is a failure.
Measure RunProcess(const QStringList& command, int lastSuccess = 0);
// The median of several runs, time and memory taken from the same run; the time is what the
// program printed where timeFromOutput is set.
Measure Median(const QStringList& command, int runs, bool timeFromOutput = false,
               int lastSuccess = 0);
// The shared objects that a command loads, dlopen included: those whose initialisers the
// dynamic linker runs, as LD_DEBUG=libs reports them into a folder under work.
int SharedObjects(const QString& work, const QStringList& command);

} // namespace BenchProcess
