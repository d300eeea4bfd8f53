#include "FileWriter.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

#include <memory>
#include <vector>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// How a file is replaced: renaming a complete new file over it (Atomic), or writing into it:
// a file in a folder that may not be written (InPlace), a device or a pipe (Device), or a
// stream this process already holds open, such as /dev/stdout (Stream).
enum class Route { Atomic, InPlace, Device, Stream };

struct Target
{
    QString path;
    Route route = Route::Atomic;
    int descriptor = -1;  // Stream: the descriptor to write to
    bool existed = false; // a regular file was there before
    bool saved = false;   // its old bytes are in old, to put back if a later output fails
    bool written = false; // this commit has replaced it
    QByteArray old;
};

constexpr int MaxLinks = 128;

// Where QSaveFile puts its new file: beside the file that a chain of links ends in.
QFileInfo LinkTarget(const QString& path)
{
    QFileInfo info(path);
    for (int depth = 0; depth < MaxLinks && info.isSymLink(); ++depth)
        info.setFile(info.symLinkTarget());
    return info;
}

// The descriptor a path names when it is one of this process's open streams: writing there
// must go to the stream as it is open (appending, or into a pipe), never replace the file.
int StreamDescriptor(const QString& path)
{
#ifdef Q_OS_UNIX
    static const QRegularExpression stream(
        QStringLiteral(R"(^/(?:dev/(stdout|stderr|fd/([0-9]{1,6}))|proc/self/fd/([0-9]{1,6}))$)"));
    const QRegularExpressionMatch match = stream.match(path);
    if (match.hasMatch()) {
        if (match.captured(1) == QLatin1String("stdout"))
            return STDOUT_FILENO;
        if (match.captured(1) == QLatin1String("stderr"))
            return STDERR_FILENO;
        return (match.captured(2) + match.captured(3)).toInt();
    }
#else
    Q_UNUSED(path);
#endif
    return -1;
}

Target TargetOf(const QString& path)
{
    Target target;
    target.path = path;
    target.descriptor = StreamDescriptor(path);
    if (target.descriptor >= 0) {
        target.route = Route::Stream;
        return target;
    }
    const QFileInfo info = LinkTarget(path);
    // Renaming over a device node or a pipe would delete it.
    if (info.exists() && !info.isFile() && !info.isDir())
        target.route = Route::Device;
    else if (info.isFile() && info.isWritable() && !QFileInfo(info.absolutePath()).isWritable())
        target.route = Route::InPlace;
    target.existed = info.isFile();
    return target;
}

QString SystemError(int error)
{
#ifdef Q_OS_UNIX
    return QString::fromLocal8Bit(std::strerror(error));
#else
    Q_UNUSED(error);
    return QStringLiteral("the system could not write the file");
#endif
}

// QIODevice::write may take less than asked without reporting an error (a file size limit);
// asking again for the rest makes the device report the reason.
bool WriteAll(QFileDevice& device, const QByteArray& bytes)
{
    const char* data = bytes.constData();
    qint64 remaining = bytes.size();
    while (remaining > 0) {
        const qint64 written = device.write(data, remaining);
        if (written <= 0)
            return false;
        data += written;
        remaining -= written;
    }
    return true;
}

// A flush that writes only part of the buffer fails without a reason; flushing again either
// writes the rest or makes the device report why it cannot.
bool FlushAll(QFileDevice& device)
{
    qint64 pending = device.bytesToWrite();
    while (!device.flush()) {
        const qint64 left = device.bytesToWrite();
        if (left == 0 || left >= pending)
            return false;
        pending = left;
    }
    return true;
}

// Writes, flushes and syncs, or gives the reason. The buffered bytes reach the file only at
// the flush, whose failure (a full disk) QSaveFile::commit() would not report; a file system
// that reports its errors only when the data goes to disk does so at the sync.
QString WriteWhole(QFileDevice& device, const QByteArray& bytes, bool sync)
{
    if (!WriteAll(device, bytes) || !FlushAll(device))
        return device.errorString();
#ifdef Q_OS_UNIX
    if (sync && ::fsync(device.handle()) != 0 && errno != EINVAL && errno != ENOTSUP)
        return SystemError(errno);
#else
    Q_UNUSED(sync);
#endif
    return {};
}

// The bytes as they go to disk: in text mode, line ends follow the platform's convention.
QByteArray OnDisk(const QByteArray& bytes, FileWriter::Mode mode)
{
#ifdef Q_OS_WIN
    if (mode == FileWriter::Mode::Text)
        return QByteArray(bytes).replace("\n", "\r\n");
#else
    Q_UNUSED(mode);
#endif
    return bytes;
}

// The new file takes the place of the old one with its permissions and, where the system
// allows it (as root), its owner, not those of whoever saved it.
void KeepAttributes(QSaveFile& file, const QString& path)
{
#ifdef Q_OS_UNIX
    struct stat old = {};
    if (::stat(QFile::encodeName(path).constData(), &old) != 0)
        return;
    if (::fchown(file.handle(), old.st_uid, old.st_gid) != 0) {
        // Not permitted to give the file away: the permissions alone are kept.
    }
    ::fchmod(file.handle(), old.st_mode & 07777);
#else
    Q_UNUSED(file);
    Q_UNUSED(path);
#endif
}

// Writes into an existing file without first cutting it: the room for the new bytes is
// reserved before any byte is written, so that a full disk leaves the old file as it was.
QString WriteInPlace(const QString& path, const QByteArray& bytes)
{
#ifdef Q_OS_UNIX
    const int descriptor = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CLOEXEC);
    if (descriptor < 0)
        return SystemError(errno);
    QFile file;
    if (!file.open(descriptor, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
        ::close(descriptor);
        return file.errorString();
    }
    const int reserved = ::posix_fallocate(descriptor, 0, off_t(bytes.size()));
    if (reserved != 0 && reserved != EOPNOTSUPP && reserved != EINVAL)
        return SystemError(reserved);
    QString reason = WriteWhole(file, bytes, false);
    if (reason.isEmpty() && !file.resize(bytes.size()))
        reason = file.errorString();
    if (reason.isEmpty() && ::fsync(descriptor) != 0 && errno != EINVAL)
        reason = SystemError(errno);
    return reason;
#else
    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    QString reason = WriteWhole(file, bytes, true);
    if (reason.isEmpty() && !file.commit())
        reason = file.errorString();
    return reason;
#endif
}

QString WriteDevice(const QString& path, int descriptor, const QByteArray& bytes)
{
    QFile device(path);
    const bool opened = descriptor >= 0 ? device.open(descriptor, QIODevice::WriteOnly,
                                                      QFileDevice::DontCloseHandle)
                                        : device.open(QIODevice::WriteOnly);
    if (!opened)
        return device.errorString();
    return WriteWhole(device, bytes, false);
}

#ifdef Q_OS_UNIX
// Past a file size limit the system stops the process with SIGXFSZ, which would lose the
// editor's unsaved work; ignored, the write fails with a reason instead.
class FileSizeSignalIgnored
{
public:
    FileSizeSignalIgnored()
    {
        struct sigaction ignore = {};
        ignore.sa_handler = SIG_IGN;
        ::sigaction(SIGXFSZ, &ignore, &_previous);
    }
    ~FileSizeSignalIgnored() { ::sigaction(SIGXFSZ, &_previous, nullptr); }
    FileSizeSignalIgnored(const FileSizeSignalIgnored&) = delete;
    FileSizeSignalIgnored& operator=(const FileSizeSignalIgnored&) = delete;

private:
    struct sigaction _previous = {};
};
#endif

// Best effort: what a failed commit already replaced gets its old bytes back, and what it
// made goes again. A device or a stream cannot take back what it was given.
void RollBack(const std::vector<Target>& targets)
{
    for (const Target& target : targets) {
        if (!target.written || target.route == Route::Device || target.route == Route::Stream)
            continue;
        if (target.saved)
            WriteInPlace(target.path, target.old);
        else if (!target.existed)
            QFile::remove(target.path);
    }
}

} // namespace

void FileWriter::Add(const QString& path, const QByteArray& bytes, Mode mode)
{
    _outputs.append({path, bytes, mode});
}

void FileWriter::AddStandardOutput(const QByteArray& bytes)
{
    _outputs.append({QStringLiteral("standard output"), bytes, Mode::Binary, true});
}

void FileWriter::Protect(const QString& path)
{
    _protected.append(path);
}

bool FileWriter::Fail(const QString& path, const QString& reason)
{
    _failedPath = path;
    _reason = reason;
    return false;
}

bool FileWriter::Commit()
{
#ifdef Q_OS_UNIX
    const FileSizeSignalIgnored fileSizeSignalIgnored;
#endif
    std::vector<Target> targets;
    for (qsizetype index = 0; index < _outputs.size(); ++index) {
        const QString& path = _outputs[index].path;
        if (_outputs[index].standardOutput) {
            Target target;
            target.path = path;
            target.route = Route::Stream;
            target.descriptor = 1;
            targets.push_back(target);
            continue;
        }
        if (path.isEmpty())
            return Fail(path, QStringLiteral("the file name is empty"));
        for (const QString& kept : _protected) {
            if (SameFile(path, kept))
                return Fail(path, QStringLiteral("this is the file being read (%1)").arg(kept));
        }
        for (qsizetype earlier = 0; earlier < index; ++earlier) {
            if (!_outputs[earlier].standardOutput && SameFile(path, _outputs[earlier].path)) {
                return Fail(path, QStringLiteral("this file is already an output (%1)")
                                      .arg(_outputs[earlier].path));
            }
        }
        if (LinkTarget(path).isSymLink())
            return Fail(path, QStringLiteral("too many levels of symbolic links"));
        targets.push_back(TargetOf(path));
    }

    // With several outputs, a later failure puts back what earlier ones replaced.
    if (_outputs.size() > 1) {
        for (qsizetype index = 0; index < _outputs.size(); ++index) {
            Target& target = targets[size_t(index)];
            if (!target.existed)
                continue;
            QFile old(_outputs[index].path);
            if (old.open(QIODevice::ReadOnly)) {
                target.old = old.readAll();
                target.saved = old.error() == QFileDevice::NoError;
            }
        }
    }

    // Every file that can be replaced by renaming is made complete first; until they are
    // committed, QSaveFile discards them on destruction.
    std::vector<std::unique_ptr<QSaveFile>> ready(size_t(_outputs.size()));
    for (qsizetype index = 0; index < _outputs.size(); ++index) {
        const Output& output = _outputs[index];
        if (targets[size_t(index)].route != Route::Atomic)
            continue;
        auto file = std::make_unique<QSaveFile>(output.path);
        if (!file->open(QIODevice::WriteOnly))
            return Fail(output.path, file->errorString());
        KeepAttributes(*file, output.path);
        const QString reason = WriteWhole(*file, OnDisk(output.bytes, output.mode), true);
        if (!reason.isEmpty())
            return Fail(output.path, reason);
        ready[size_t(index)] = std::move(file);
    }

    // Then the files written where they are, and last the renames.
    for (const Route pass : {Route::InPlace, Route::Atomic}) {
        for (qsizetype index = 0; index < _outputs.size(); ++index) {
            const Output& output = _outputs[index];
            Target& target = targets[size_t(index)];
            if ((pass == Route::Atomic) != (target.route == Route::Atomic))
                continue;
            QString reason;
            if (target.route == Route::Atomic) {
                if (!ready[size_t(index)]->commit())
                    reason = ready[size_t(index)]->errorString();
            } else if (target.route == Route::InPlace) {
                reason = WriteInPlace(output.path, OnDisk(output.bytes, output.mode));
            } else {
                reason =
                    WriteDevice(output.path, target.descriptor, OnDisk(output.bytes, output.mode));
            }
            if (!reason.isEmpty()) {
                RollBack(targets);
                return Fail(output.path, reason);
            }
            target.written = true;
        }
    }
    return true;
}

bool FileWriter::WriteStandardOutput(const QByteArray& bytes)
{
    QFile out;
    return out.open(stdout, QIODevice::WriteOnly) && WriteWhole(out, bytes, false).isEmpty();
}

bool FileWriter::SameFile(const QString& first, const QString& second)
{
#ifdef Q_OS_UNIX
    struct stat a = {};
    struct stat b = {};
    if (::stat(QFile::encodeName(first).constData(), &a) == 0 &&
        ::stat(QFile::encodeName(second).constData(), &b) == 0)
        return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
#endif
    const auto resolved = [](const QString& path) {
        const QFileInfo target = LinkTarget(path);
        if (target.exists())
            return target.canonicalFilePath();
        const QString folder = QFileInfo(target.absolutePath()).canonicalFilePath();
        return (folder.isEmpty() ? target.absolutePath() : folder) + QLatin1Char('/') +
               target.fileName();
    };
    return resolved(first) == resolved(second);
}
