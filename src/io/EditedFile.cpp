#include "EditedFile.h"

#include "DeviceWriter.h"
#include "FileReader.h"
#include "Message.h"
#include "PathResolver.h"

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

// False, with the reason, only when another program keeps the lock; a file system without
// locks leaves the file unlocked.
bool Lock(int descriptor, QString* error)
{
    const QDeadlineTimer deadline(LockWaitSeconds * 1000);
    while (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR)
            return true;
        if (deadline.hasExpired()) {
            return Message::Fail(error, Message::Text(u"another program has held the file locked "
                                                      u"for more than %1 s",
                                                      {LockWaitSeconds}));
        }
        QThread::msleep(LockPollMilliseconds);
    }
    return true;
}

// The file that has the name once the lock is held, open and locked, or -1 with the reason:
// an edit that held the lock before may have renamed a new file over the one opened.
int OpenLocked(const QByteArray& name, QString* error)
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
        if (reason.isEmpty() && Lock(descriptor, &reason) &&
            ::stat(name.constData(), &named) == 0 && named.st_dev == opened.st_dev &&
            named.st_ino == opened.st_ino)
            return descriptor;
        if (descriptor >= 0)
            ::close(descriptor);
        if (!reason.isEmpty()) {
            Message::Fail(error, reason);
            return -1;
        }
    }
}
#endif

} // namespace

EditedFile::~EditedFile()
{
    Close();
}

bool EditedFile::Read(const QString& path, qint64 limit, QByteArray& bytes, QString* error)
{
#ifdef Q_OS_UNIX
    if (path.isEmpty())
        return Message::Fail(error, QStringLiteral("the file name is empty"));
    PathResolver::Place place;
    QString reason;
    if (!PathResolver::Resolve(path, place, &reason))
        return Message::Fail(error, reason);
    if (place.descriptor >= 0) {
        return Message::Fail(error, QStringLiteral("a stream the program was started with, which "
                                                   "an edit cannot replace"));
    }
    Close();
    _descriptor = OpenLocked(QFile::encodeName(place.path), error);
    if (_descriptor < 0)
        return false;
    QFile file;
    if (!file.open(_descriptor, QIODevice::ReadOnly, QFileDevice::DontCloseHandle))
        return Message::Fail(error, file.errorString());
    return FileReader::ReadBytes(file, limit, bytes, error);
#else
    return FileReader::ReadBytes(path, limit, bytes, error);
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
