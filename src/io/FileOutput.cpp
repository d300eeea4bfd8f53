#include "FileOutput.h"

#include "DeviceWriter.h"
#include "NewFile.h"
#include "PathResolver.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif
#ifdef Q_OS_LINUX
#include <linux/capability.h>
#include <sys/syscall.h>
#endif

namespace {

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

#ifdef Q_OS_UNIX
// CAP_FOWNER lets a process act as the owner of any file (root has it).
bool ActsAsEveryOwner()
{
#ifdef Q_OS_LINUX
    __user_cap_header_struct header = {_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct capabilities[_LINUX_CAPABILITY_U32S_3] = {};
    if (::syscall(SYS_capget, &header, capabilities) == 0)
        return capabilities[CAP_FOWNER / 32].effective & (1u << (CAP_FOWNER % 32));
#endif
    return ::geteuid() == 0;
}
#endif

// Whether a new file may be renamed over an existing one. That takes writing its folder, and
// in a folder with the sticky bit (/tmp) owning the file or the folder, or CAP_FOWNER, however
// writable the file itself is. Known before anything is written, such a file goes in place
// with the others that must, instead of failing at the rename after other outputs are in.
bool MayRenameOver(const QFileInfo& file)
{
    if (!QFileInfo(file.absolutePath()).isWritable())
        return false;
#ifdef Q_OS_UNIX
    struct stat folder = {};
    struct stat target = {};
    if (::stat(QFile::encodeName(file.absolutePath()).constData(), &folder) != 0 ||
        ::stat(QFile::encodeName(file.absoluteFilePath()).constData(), &target) != 0 ||
        !(folder.st_mode & S_ISVTX))
        return true;
    const uid_t user = ::geteuid();
    return target.st_uid == user || folder.st_uid == user || ActsAsEveryOwner();
#else
    return true;
#endif
}

#ifdef Q_OS_UNIX
// What the system knows of the file that a path or an open descriptor leads to; false when
// there is none yet.
bool FileStatus(const QString& path, int descriptor, struct stat& status)
{
    return descriptor >= 0 ? ::fstat(descriptor, &status) == 0
                           : ::stat(QFile::encodeName(path).constData(), &status) == 0;
}

// A terminal or /dev/null may well be read and written at once: writing there loses nothing.
bool SameStatus(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino && !S_ISCHR(a.st_mode);
}
#endif

} // namespace

FileOutput::FileOutput(const QString& path, const QByteArray& bytes, Mode mode)
    : _path(path), _name(path), _bytes(bytes), _mode(mode)
{
}

FileOutput FileOutput::StandardOutput(const QByteArray& bytes)
{
    FileOutput output(QStringLiteral("/dev/stdout"), bytes, Mode::Binary);
    output._name = QStringLiteral("standard output");
    output._descriptor = 1;
    return output;
}

FileOutput FileOutput::New(const QString& path, const QByteArray& bytes, Mode mode)
{
    FileOutput output(path, bytes, mode);
    output._new = true;
    output._descriptor = -1;
    return output;
}

Status FileOutput::Resolve()
{
    // A new file takes its name only where nothing has it, so no link on the way is followed
    // at the last component.
    if (_new && !_path.isEmpty()) {
        _route = Route::Create;
        _target = QFileInfo(_path).absoluteFilePath();
        return Status();
    }
    // Standard output closed at the start may be open now as a file of another output.
    if (IsStream()) {
        _route = Route::Stream;
        if (PathResolver::OpenAtStart(_descriptor))
            return Status();
        return Status::Failure(DeviceWriter::SystemError(EBADF));
    }
    if (_path.isEmpty())
        return Status::Failure(QStringLiteral("the file name is empty"));
    PathResolver::Place place;
    if (Status resolved = PathResolver::Resolve(_path, place); !resolved)
        return resolved;
    _target = place.path;
    _descriptor = place.descriptor;
    if (IsStream()) {
        _route = Route::Stream;
        return Status();
    }
    const QFileInfo info(_target);
    // Renaming over a device node or a pipe would delete it.
    if (info.exists() && !info.isFile() && !info.isDir())
        _route = Route::Device;
    else if (info.isFile() && info.isWritable() && !MayRenameOver(info))
        _route = Route::InPlace;
    _existed = info.isFile();
    return Status();
}

QString FileOutput::KeepOldBytes()
{
    if (!_existed || (_route != Route::Atomic && _route != Route::InPlace))
        return {};
    auto old = std::make_shared<QFile>(_target);
    if (!old->open(QIODevice::ReadOnly))
        return {};
    // A file that is renamed over keeps its old bytes as long as it is open, whatever its
    // size (reading it whole took as much memory as it held).
    if (_route == Route::Atomic) {
        _old = old;
        return {};
    }
    // A file written in place changes under any descriptor or mapping: its bytes are copied
    // aside, a piece at a time, into a temporary file that has no name once it is open.
    auto copy =
        std::make_shared<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/pixmint-old-XXXXXX"));
    if (!copy->open())
        return QStringLiteral("its old bytes cannot be kept: ") + copy->errorString();
    copy->setAutoRemove(false);
    QFile::remove(copy->fileName());
    const QString reason = DeviceWriter::WriteWhole(*copy, *old, false);
    if (!reason.isEmpty())
        return QStringLiteral("its old bytes cannot be kept: ") + reason;
    _old = copy;
    return {};
}

QString FileOutput::Prepare()
{
    if (_route == Route::Create) {
        _created = std::make_shared<NewFile>(_path);
        return _created->Prepare(OnDisk());
    }
    if (_route != Route::Atomic)
        return {};
    // Until it is committed, QSaveFile discards the new file on destruction.
    auto file = std::make_shared<QSaveFile>(_target);
    if (!file->open(QIODevice::WriteOnly))
        return file->errorString();
    KeepAttributes(*file, _target);
    const QString reason = DeviceWriter::WriteWhole(*file, OnDisk(), true);
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
        reason = DeviceWriter::WriteInPlace(_target, OnDisk());
        break;
    case Route::Device:
    case Route::Stream:
        reason = DeviceWriter::WriteDevice(_target, _descriptor, OnDisk());
        break;
    case Route::Create:
        reason = _created->Link();
        break;
    }
    _replaced = reason.isEmpty();
    return reason;
}

void FileOutput::RollBack()
{
    if (!_replaced || _route == Route::Device || _route == Route::Stream)
        return;
    if (_route == Route::Create) {
        _created->Remove();
        return;
    }
    if (_old)
        DeviceWriter::WriteInPlace(_target, *_old);
    else if (!_existed)
        QFile::remove(_target);
}

bool FileOutput::SameFile(const QString& path) const
{
#ifdef Q_OS_UNIX
    struct stat a = {};
    struct stat b = {};
    if (FileStatus(_target, _descriptor, a) && FileStatus(path, -1, b))
        return SameStatus(a, b);
#endif
    PathResolver::Place place;
    return !IsStream() && PathResolver::Resolve(path, place) && place.path == _target;
}

bool FileOutput::SameFile(const FileOutput& other) const
{
#ifdef Q_OS_UNIX
    struct stat a = {};
    struct stat b = {};
    if (FileStatus(_target, _descriptor, a) && FileStatus(other._target, other._descriptor, b))
        return SameStatus(a, b);
#endif
    return !IsStream() && !other.IsStream() && _target == other._target;
}

QByteArray FileOutput::OnDisk() const
{
#ifdef Q_OS_WIN
    if (_mode == Mode::Text)
        return QByteArray(_bytes).replace("\n", "\r\n");
#endif
    return _bytes;
}
