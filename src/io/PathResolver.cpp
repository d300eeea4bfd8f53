#include "PathResolver.h"

#include "Console.h"
#include "DeviceWriter.h"

#include <QByteArrayList>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <vector>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

#ifdef Q_OS_UNIX
// As many links as the system follows in one path (MAXSYMLINKS).
constexpr int MaxLinks = 40;

// Every descriptor open now: /proc/self/fd lists them all; without it (where /dev/fd cannot
// name one either) the low ones are asked one by one.
std::vector<int> OpenDescriptors()
{
    std::vector<int> open;
#ifdef Q_OS_LINUX
    if (DIR* folder = ::opendir("/proc/self/fd")) {
        while (const dirent* entry = ::readdir(folder)) {
            bool number = false;
            const int descriptor = QByteArray(entry->d_name).toInt(&number);
            if (number && descriptor != ::dirfd(folder))
                open.push_back(descriptor);
        }
        ::closedir(folder);
        return open;
    }
#endif
    for (int descriptor = 0; descriptor < 256; ++descriptor) {
        if (::fcntl(descriptor, F_GETFD) != -1)
            open.push_back(descriptor);
    }
    return open;
}

// Recorded as the program starts, before main() and so before any file of the writer is
// open: a descriptor opened later may be the temporary file of another output.
const std::vector<int> StartDescriptors = OpenDescriptors();

// Linux follows a link in a sticky folder that anyone may write, such as /tmp, only if this
// user or the folder's owner owns the link (fs.protected_symlinks, on in Debian): another
// user's link there may point at any file.
bool MayFollow(const QByteArray& folder, const struct stat& link)
{
    struct stat status = {};
    if (::stat(folder.isEmpty() ? "/" : folder.constData(), &status) != 0)
        return false;
    const bool shared = (status.st_mode & S_ISVTX) && (status.st_mode & S_IWOTH);
    return !shared || link.st_uid == ::geteuid() || link.st_uid == status.st_uid;
}

// Whether a folder is this process's list of descriptors, /proc/<this process>/fd, which
// /dev/fd, /dev/stdout and /proc/self/fd lead to.
bool IsOwnDescriptorFolder(const QByteArray& folder)
{
    static const QRegularExpression own(QStringLiteral(R"(^/proc/([0-9]+)(?:/task/[0-9]+)?/fd$)"));
    const QRegularExpressionMatch match = own.match(QString::fromLatin1(folder));
    return match.hasMatch() && match.captured(1).toLongLong() == qint64(::getpid());
}

// What a link holds. The size that lstat gives may be 0 (links in /proc) or out of date.
bool ReadLink(const QByteArray& link, QByteArray& target)
{
    for (qsizetype size = 256;; size *= 2) {
        target.resize(size);
        const ssize_t length = ::readlink(link.constData(), target.data(), size_t(size));
        if (length < 0)
            return false;
        if (length < size) {
            target.truncate(length);
            return true;
        }
    }
}

// The folder that a relative path starts from, free of links as the system keeps it.
Status StartFolder(const QByteArray& path, QByteArray& walked)
{
    if (path.startsWith('/'))
        return Status();
    char* current = ::getcwd(nullptr, 0);
    if (!current)
        return Status::Failure(DeviceWriter::SystemError(errno));
    walked = current == QByteArray("/") ? QByteArray() : QByteArray(current);
    ::free(current);
    return Status();
}

// Meets the link next (named name, in the folder walked so far): a stream of this program,
// a link the system would not follow, or one whose target comes before the rest of the path.
Status MeetLink(const QByteArray& path, const QByteArray& next, const QByteArray& name,
                const struct stat& status, QByteArray& walked, QByteArrayList& pending,
                int& descriptor)
{
    if (!MayFollow(walked, status)) {
        QString text = QStringLiteral("another user's link in a folder that anyone may write, "
                                      "such as /tmp, is not followed");
        if (next != path)
            text += QStringLiteral(" (") + QFile::decodeName(next) + QLatin1Char(')');
        return Status::Failure(text);
    }
    bool number = false;
    const int named = name.toInt(&number);
    if (number && pending.isEmpty() && IsOwnDescriptorFolder(walked)) {
        if (!PathResolver::OpenAtStart(named))
            return Status::Failure(DeviceWriter::SystemError(ENOENT));
        descriptor = named;
        return Status();
    }
    QByteArray target;
    if (!ReadLink(next, target))
        return Status::Failure(DeviceWriter::SystemError(errno));
    if (target.startsWith('/'))
        walked.clear();
    pending = target.split('/') + pending;
    return Status();
}

// Whether the system opens the file that the walk reached. It does not where it follows a
// link by what the link stands for rather than its text, such as another process's
// /proc/N/fd/M that names a pipe or a deleted file.
bool SystemAgrees(const QByteArray& path, const QByteArray& walked)
{
    struct stat named = {};
    struct stat reached = {};
    const bool namedExists = ::stat(path.constData(), &named) == 0;
    const bool reachedExists = ::stat(walked.constData(), &reached) == 0;
    return namedExists == reachedExists &&
           (!namedExists || (named.st_dev == reached.st_dev && named.st_ino == reached.st_ino));
}

// The file that the system opens for the path, as bytes, or the stream it names.
Status Walk(const QByteArray& path, QByteArray& walked, int& descriptor)
{
    if (Status started = StartFolder(path, walked); !started)
        return started;
    QByteArrayList pending = path.split('/');
    for (int links = 0; !pending.isEmpty() && descriptor < 0;) {
        const QByteArray name = pending.takeFirst();
        if (name.isEmpty() || name == ".")
            continue;
        if (name == "..") {
            walked.truncate(std::max(qsizetype(0), walked.lastIndexOf('/')));
            continue;
        }
        const QByteArray next = walked + '/' + name;
        struct stat status = {};
        if (::lstat(next.constData(), &status) != 0) {
            if (errno != ENOENT || !pending.isEmpty())
                return Status::Failure(DeviceWriter::SystemError(errno));
            walked = next; // a new file
        } else if (!S_ISLNK(status.st_mode)) {
            if (!pending.isEmpty() && !S_ISDIR(status.st_mode))
                return Status::Failure(DeviceWriter::SystemError(ENOTDIR));
            walked = next;
        } else if (++links > MaxLinks) {
            return Status::Failure(QStringLiteral("too many levels of symbolic links"));
        } else if (Status met = MeetLink(path, next, name, status, walked, pending, descriptor);
                   !met) {
            return met;
        }
    }
    if (walked.isEmpty())
        walked = "/";
    if (descriptor < 0 && !SystemAgrees(path, walked))
        return Status::Failure(QStringLiteral("the system opens another file than its links name"));
    return Status();
}
#endif

} // namespace

Status PathResolver::Resolve(const QString& path, Place& place)
{
    place = Place();
#ifdef Q_OS_UNIX
    QByteArray walked;
    if (Status walk = Walk(QFile::encodeName(path), walked, place.descriptor); !walk)
        return walk;
    if (place.descriptor >= 0)
        return Status();
    if (!Console::DecodeFileName(walked, place.path))
        return Status::Failure(QStringLiteral("the name of the file it leads to is not valid in "
                                              "the system's encoding"));
#else
    place.path = QFileInfo(path).absoluteFilePath();
#endif
    return Status();
}

bool PathResolver::OpenAtStart(int descriptor)
{
#ifdef Q_OS_UNIX
    return std::find(StartDescriptors.begin(), StartDescriptors.end(), descriptor) !=
           StartDescriptors.end();
#else
    return descriptor >= 0 && descriptor <= 2;
#endif
}
