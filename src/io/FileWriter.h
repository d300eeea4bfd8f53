#pragma once

#include "FileOutput.h"
#include "Status.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Replaces files as a whole or not at all. Several files given to one writer go together:
// each is written in full beside its target, flushed and synced before any of them replaces
// its target, so that a failure (a full disk, a missing folder) writes nothing.
//
// A file in a folder that the user may not write, another user's file in a sticky folder
// such as /tmp, and a device or a pipe, cannot be replaced by renaming: they are written in
// place, after every other file is ready and before any is renamed. A failure is still
// reported then, but such a file may be left cut.
class FileWriter
{
public:
    using Mode = FileOutput::Mode;

    void Add(const QString& path, const QByteArray& bytes, Mode mode);
    // A file that must not exist: created when the others are renamed, and refused, nothing
    // replaced, where any file has its name by then.
    void AddNew(const QString& path, const QByteArray& bytes, Mode mode);
    // Standard output as one of the outputs: written after every file is ready and before
    // any is replaced, so that a failure there replaces no file either.
    void AddStandardOutput(const QByteArray& bytes);
    // A file that none of the outputs may replace, such as the file being read.
    void Protect(const QString& path);

    // False when any output could not be written; nothing is replaced then, except for a
    // file written in place that failed half way. FailedPath and Reason then tell which and
    // why.
    bool Commit();
    const QString& FailedPath() const { return _failedPath; }
    const QString& Reason() const { return _reason; }

    // Standard output, with every failure noticed: what cannot be written there is an error,
    // not a success.
    static bool WriteStandardOutput(const QByteArray& bytes);
    // One file alone, replaced as a whole or left as it was; a failure with the reason.
    static Status WriteFile(const QString& path, const QByteArray& bytes, Mode mode);

private:
    // The steps of a commit, in order; each gives false after Fail.
    bool Check();
    bool Prepare();
    bool Replace();
    void RollBack();

    bool Fail(const FileOutput& output, const QString& reason);

    QList<FileOutput> _outputs;
    QStringList _protected;
    QString _failedPath;
    QString _reason;
};
