#pragma once

#include "Status.h"

#include <QByteArray>
#include <QFileDevice>
#include <QSaveFile>
#include <QString>

#include <memory>

class NewFile;

// One output of a FileWriter: where its bytes go, how they can get there, and what was there
// before, so that a failed commit can put it back.
class FileOutput
{
public:
    // In text mode line ends follow the platform's convention on disk.
    enum class Mode { Text, Binary };

    // How the target is replaced: a complete new file renamed over it (Atomic), or writing
    // into it: a file that may be written but not renamed over, in a folder that may not be
    // written or another user's in a sticky folder such as /tmp (InPlace), a device or a
    // pipe (Device), or a stream this process already holds open, such as standard output
    // (Stream); or a new file that takes its name only where no file has it (Create).
    enum class Route { Atomic, InPlace, Device, Stream, Create };

    // A path; /dev/stdout, /dev/stderr, /dev/fd/N and /proc/self/fd/N name the streams the
    // program was started with and are written as they are open, never replaced.
    FileOutput(const QString& path, const QByteArray& bytes, Mode mode);
    // This process's standard output.
    static FileOutput StandardOutput(const QByteArray& bytes);
    // A file that must not exist yet, whatever its name spells: it is created, never replaced
    // (NewFile).
    static FileOutput New(const QString& path, const QByteArray& bytes, Mode mode);

    // The path, or "standard output" for the implicit one: what messages name.
    const QString& Name() const { return _name; }
    bool IsStream() const { return _descriptor >= 0; }
    Route RouteTaken() const { return _route; }
    // Whether the output takes its place by a name given last (a rename or a link).
    bool IsNamedLast() const { return _route == Route::Atomic || _route == Route::Create; }

    // Where the output goes, as the system resolves the path, and by which route; a failure
    // with the reason when it cannot go anywhere (an empty name, a loop of links).
    Status Resolve();
    // Keeps what a regular file that is there holds, for RollBack, in bounded memory: a file
    // that will be renamed over stays open, one written in place is copied aside. An empty
    // reason on success or when there is nothing to keep.
    QString KeepOldBytes();
    // Makes the new file complete beside the target (Atomic only); an empty reason on
    // success. Until Replace, the target is untouched.
    QString Prepare();
    // Puts the bytes in place; an empty reason on success.
    QString Replace();
    // Best effort: a replaced file gets its old bytes back, a new one goes again. A device or
    // a stream cannot take back what it was given.
    void RollBack();

    // Whether the output, once resolved, writes the file at a path, or the file of another
    // resolved output: the same file on disk (hard links included), or the same new file.
    bool SameFile(const QString& path) const;
    bool SameFile(const FileOutput& other) const;

private:
    QByteArray OnDisk() const;

    QString _path;
    QString _name;
    QString _target; // where the path leads: absolute and free of links
    QByteArray _bytes;
    Mode _mode;
    Route _route = Route::Atomic;
    int _descriptor = -1; // Stream: the descriptor to write to
    bool _existed = false;
    bool _replaced = false;
    std::shared_ptr<QFileDevice> _old; // what to put back: the old file, or a copy of it
    std::shared_ptr<QSaveFile> _prepared;
    bool _new = false;
    std::shared_ptr<NewFile> _created;
};
