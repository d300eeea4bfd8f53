#include "FileOutput.h"

#include "DeviceWriter.h"
#include "NewFile.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif
#ifdef Q_OS_LINUX
#include <linux/capability.h>
#include <sys/syscall.h>
#endif

namespace {

constexpr int MaxLinks = 128;

// Linux does not follow a link in a sticky folder that anyone may write, such as /tmp, unless
// this user or the folder's owner owns the link (fs.protected_symlinks, on in Debian): another
// user's link there may point at any file. QSaveFile reads links itself instead of letting the
// system follow them, so the writer applies the same rule.
bool MayFollow(const QFileInfo& link)
{
#ifdef Q_OS_UNIX
    struct stat own = {};
    struct stat folder = {};
    if (::lstat(QFile::encodeName(link.filePath()).constData(), &own) != 0 ||
        ::stat(QFile::encodeName(link.absolutePath()).constData(), &folder) != 0)
        return true;
    const bool shared = (folder.st_mode & S_ISVTX) && (folder.st_mode & S_IWOTH);
    return !shared || own.st_uid == ::geteuid() || own.st_uid == folder.st_uid;
#else
    Q_UNUSED(link);
    return true;
#endif
}

// Where QSaveFile puts its new file: beside the file that a chain of links ends in. With
// refused, it stops at a link that MayFollow refuses, and names it there.
QFileInfo LinkTarget(const QString& path, QString* refused = nullptr)
{
    QFileInfo info(path);
    for (int depth = 0; depth < MaxLinks && info.isSymLink(); ++depth) {
        if (refused && !MayFollow(info)) {
            *refused = info.filePath();
            break;
        }
        info.setFile(info.symLinkTarget());
    }
    return info;
}

// The descriptor of this process's open stream that a name spells as such, or -1.
int SpeltDescriptor(const QString& path)
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

// The descriptor a path names when it is one of this process's open streams, or -1: under
// any spelling (//dev/stdout, /dev/fd/../fd/1, /proc/<this process>/fd/1) and at the end of
// any chain of links, since renaming over what such a name leads to would replace the file
// behind ">> log" instead of appending to it.
int StreamDescriptor(const QString& path)
{
    if (const int descriptor = SpeltDescriptor(path); descriptor >= 0)
        return descriptor;
#ifdef Q_OS_LINUX
    static const QRegularExpression open(QStringLiteral(R"(^/proc/([0-9]+)/fd/([0-9]{1,6})$)"));
    QFileInfo info(path);
    for (int depth = 0; depth <= MaxLinks; ++depth) {
        // /proc/self and /dev/fd are links to /proc/<this process> and its fd folder.
        const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
        const QRegularExpressionMatch match =
            open.match(folder + QLatin1Char('/') + info.fileName());
        if (match.hasMatch() && match.captured(1).toLongLong() == qint64(::getpid()))
            return match.captured(2).toInt();
        if (!info.isSymLink())
            break;
        info.setFile(info.symLinkTarget());
    }
#endif
    return -1;
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

FileOutput FileOutput::New(const QString& path, const QByteArray& bytes, Mode mode)
{
    FileOutput output(path, bytes, mode);
    output._new = true;
    output._descriptor = -1;
    return output;
}

bool FileOutput::Resolve(QString* reason)
{
    if (_new && !_path.isEmpty()) {
        _route = Route::Create;
        return true;
    }
    if (IsStream()) {
        _route = Route::Stream;
        return true;
    }
    if (_path.isEmpty()) {
        *reason = QStringLiteral("the file name is empty");
        return false;
    }
    QString refused;
    const QFileInfo info = LinkTarget(_path, &refused);
    if (!refused.isEmpty()) {
        *reason = QStringLiteral("another user's link in a folder that anyone may write, such as "
                                 "/tmp, is not followed");
        if (refused != _path)
            *reason += QStringLiteral(" (%1)").arg(refused);
        return false;
    }
    if (info.isSymLink()) {
        *reason = QStringLiteral("too many levels of symbolic links");
        return false;
    }
    // Renaming over a device node or a pipe would delete it.
    if (info.exists() && !info.isFile() && !info.isDir())
        _route = Route::Device;
    else if (info.isFile() && info.isWritable() && !MayRenameOver(info))
        _route = Route::InPlace;
    _existed = info.isFile();
    return true;
}

void FileOutput::KeepOldBytes()
{
    if (!_existed)
        return;
    auto old = std::make_shared<QFile>(_path);
    if (!old->open(QIODevice::ReadOnly))
        return;
    // A file that is renamed over stays as it was, readable through a mapping that costs no
    // memory whatever its size (reading a file of gigabytes exhausted it). A file written in
    // place changes under any mapping, and is read.
    if (_route == Route::Atomic && old->size() > 0) {
        if (const uchar* mapped = old->map(0, old->size())) {
            _old = QByteArray::fromRawData(reinterpret_cast<const char*>(mapped),
                                           qsizetype(old->size()));
            _oldFile = old;
            _oldKept = true;
            return;
        }
    }
    _old = old->readAll();
    _oldKept = old->error() == QFileDevice::NoError;
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
    auto file = std::make_shared<QSaveFile>(_path);
    if (!file->open(QIODevice::WriteOnly))
        return file->errorString();
    KeepAttributes(*file, _path);
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
        reason = DeviceWriter::WriteInPlace(_path, OnDisk());
        break;
    case Route::Device:
    case Route::Stream:
        reason = DeviceWriter::WriteDevice(_path, _descriptor, OnDisk());
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
    if (_oldKept)
        DeviceWriter::WriteInPlace(_path, _old);
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

QByteArray FileOutput::OnDisk() const
{
#ifdef Q_OS_WIN
    if (_mode == Mode::Text)
        return QByteArray(_bytes).replace("\n", "\r\n");
#endif
    return _bytes;
}
