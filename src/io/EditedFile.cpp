#include "EditedFile.h"

#include "DeviceWriter.h"
#include "FileReader.h"
#include "Message.h"
#include "PathResolver.h"
#include "Result.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

#ifdef Q_OS_UNIX
// An edit holds the lock for as long as it reads, checks and writes the largest font file,
// some seconds; a lock held much longer is not an edit's, and waiting on would freeze.
constexpr int LockWaitSeconds = 60;
constexpr int LockPollMilliseconds = 10;

// A failure, with the reason, only when another program keeps the lock; a file system
// without locks leaves the file unlocked.
Status Lock(int descriptor)
{
    const QDeadlineTimer deadline(LockWaitSeconds * 1000);
    while (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR)
            return Status();
        if (deadline.hasExpired()) {
            return Status::Failure(Message::Text(u"another program has held the file locked "
                                                 u"for more than %1 s",
                                                 {LockWaitSeconds}));
        }
        QThread::msleep(LockPollMilliseconds);
    }
    return Status();
}

// The file that has the name once the lock is held, open and locked, or the reason: an edit
// that held the lock before may have renamed a new file over the one opened.
Result<int> OpenLocked(const QByteArray& name)
{
    for (;;) {
        // A pipe opened without O_NONBLOCK would wait for a program to write into it.
        const int descriptor = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        struct stat opened = {};
        QString reason;
        if (descriptor < 0 || ::fstat(descriptor, &opened) != 0)
            reason = DeviceWriter::SystemError(errno);
        else if (S_ISDIR(opened.st_mode))
            reason = DeviceWriter::SystemError(EISDIR);
        else if (!S_ISREG(opened.st_mode))
            reason = QStringLiteral("not a regular file (a device or a pipe), which an edit "
                                    "cannot replace");
        struct stat named = {};
        if (const Status locked = reason.isEmpty() ? Lock(descriptor) : Status(); !locked)
            reason = locked.Reason();
        if (reason.isEmpty() && ::stat(name.constData(), &named) == 0 &&
            named.st_dev == opened.st_dev && named.st_ino == opened.st_ino)
            return descriptor;
        if (descriptor >= 0)
            ::close(descriptor);
        if (!reason.isEmpty())
            return Status::Failure(reason);
    }
}
#endif

} // namespace

EditedFile::~EditedFile()
{
    Close();
}

Status EditedFile::Read(const QString& path, qint64 limit, QByteArray& bytes)
{
#ifdef Q_OS_UNIX
    if (path.isEmpty())
        return Status::Failure(QStringLiteral("the file name is empty"));
    PathResolver::Place place;
    if (Status resolved = PathResolver::Resolve(path, place); !resolved)
        return resolved;
    if (place.descriptor >= 0) {
        return Status::Failure(QStringLiteral("a stream the program was started with, which "
                                              "an edit cannot replace"));
    }
    Close();
    const Result<int> opened = OpenLocked(QFile::encodeName(place.path));
    if (!opened)
        return opened.GetStatus();
    _descriptor = *opened;
    QFile file;
    if (!file.open(_descriptor, QIODevice::ReadOnly, QFileDevice::DontCloseHandle))
        return Status::Failure(file.errorString());
    return FileReader::ReadBytes(file, limit, bytes);
#else
    return FileReader::ReadBytes(path, limit, bytes);
#endif
}

void EditedFile::Close()
{
#ifdef Q_OS_UNIX
    if (_descriptor >= 0)
        ::close(_descriptor);
#endif
    _descriptor = -1;
}
