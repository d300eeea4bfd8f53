#include "FileOutput.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

constexpr int MaxLinks = 128;

// Where QSaveFile puts its new file: beside the file that a chain of links ends in.
QFileInfo LinkTarget(const QString& path)
{
    QFileInfo info(path);
    for (int depth = 0; depth < MaxLinks && info.isSymLink(); ++depth)
        info.setFile(info.symLinkTarget());
    return info;
}

// The descriptor a path names when it is one of this process's open streams, or -1.
int StreamDescriptor(const QString& path)
{
    static const QRegularExpression stream(
        QStringLiteral(R"(^/(?:dev/(stdout|stderr|fd/([0-9]{1,6}))|proc/self/fd/([0-9]{1,6}))$)"));
    const QRegularExpressionMatch match = stream.match(path);
    if (!match.hasMatch())
        return -1;
    if (match.captured(1) == QLatin1String("stdout"))
        return 1;
    if (match.captured(1) == QLatin1String("stderr"))
        return 2;
    return (match.captured(2) + match.captured(3)).toInt();
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
    QString reason = FileOutput::WriteWhole(file, bytes, false);
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
    QString reason = FileOutput::WriteWhole(file, bytes, true);
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
    return FileOutput::WriteWhole(device, bytes, false);
}

} // namespace

FileOutput::FileOutput(const QString& path, const QByteArray& bytes, Mode mode)
    : _path(path), _name(path), _bytes(bytes), _mode(mode), _descriptor(StreamDescriptor(path))
{
}

FileOutput FileOutput::StandardOutput(const QByteArray& bytes)
{
    FileOutput output(QStringLiteral("/dev/stdout"), bytes, Mode::Binary);
    output._name = QStringLiteral("standard output");
    return output;
}

bool FileOutput::Resolve(QString* reason)
{
    if (IsStream()) {
        _route = Route::Stream;
        return true;
    }
    if (_path.isEmpty()) {
        *reason = QStringLiteral("the file name is empty");
        return false;
    }
    const QFileInfo info = LinkTarget(_path);
    if (info.isSymLink()) {
        *reason = QStringLiteral("too many levels of symbolic links");
        return false;
    }
    // Renaming over a device node or a pipe would delete it.
    if (info.exists() && !info.isFile() && !info.isDir())
        _route = Route::Device;
    else if (info.isFile() && info.isWritable() && !QFileInfo(info.absolutePath()).isWritable())
        _route = Route::InPlace;
    _existed = info.isFile();
    return true;
}

void FileOutput::KeepOldBytes()
{
    if (!_existed)
        return;
    QFile old(_path);
    if (old.open(QIODevice::ReadOnly)) {
        _old = old.readAll();
        _oldKept = old.error() == QFileDevice::NoError;
    }
}

QString FileOutput::Prepare()
{
    if (_route != Route::Atomic)
        return {};
    // Until it is committed, QSaveFile discards the new file on destruction.
    auto file = std::make_shared<QSaveFile>(_path);
    if (!file->open(QIODevice::WriteOnly))
        return file->errorString();
    KeepAttributes(*file, _path);
    const QString reason = WriteWhole(*file, OnDisk(), true);
    if (reason.isEmpty())
        _prepared = file;
    return reason;
}

QString FileOutput::Replace()
{
    QString reason;
    switch (_route) {
    case Route::Atomic:
        if (!_prepared->commit())
            reason = _prepared->errorString();
        break;
    case Route::InPlace:
        reason = WriteInPlace(_path, OnDisk());
        break;
    case Route::Device:
    case Route::Stream:
        reason = WriteDevice(_path, _descriptor, OnDisk());
        break;
    }
    _replaced = reason.isEmpty();
    return reason;
}

void FileOutput::RollBack()
{
    if (!_replaced || _route == Route::Device || _route == Route::Stream)
        return;
    if (_oldKept)
        WriteInPlace(_path, _old);
    else if (!_existed)
        QFile::remove(_path);
}

bool FileOutput::SameFile(const QString& first, const QString& second)
{
#ifdef Q_OS_UNIX
    struct stat a = {};
    struct stat b = {};
    // A terminal or /dev/null may well be read and written at once: writing there loses
    // nothing.
    if (::stat(QFile::encodeName(first).constData(), &a) == 0 &&
        ::stat(QFile::encodeName(second).constData(), &b) == 0)
        return a.st_dev == b.st_dev && a.st_ino == b.st_ino && !S_ISCHR(a.st_mode);
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

// The buffered bytes reach the file only at the flush, whose failure (a full disk)
// QSaveFile::commit() would not report; a file system that reports its errors only when the
// data goes to disk does so at the sync.
QString FileOutput::WriteWhole(QFileDevice& device, const QByteArray& bytes, bool sync)
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

QByteArray FileOutput::OnDisk() const
{
#ifdef Q_OS_WIN
    if (_mode == Mode::Text)
        return QByteArray(_bytes).replace("\n", "\r\n");
#endif
    return _bytes;
}
