#include "FileWriter.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <memory>
#include <vector>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// How a file is replaced: renaming a complete new file over it, or writing into it.
enum class Route { Atomic, InPlace, Device };

// Where QSaveFile puts its new file: beside the file that a chain of links ends in.
QFileInfo LinkTarget(const QString& path)
{
    QFileInfo info(path);
    for (int depth = 0; depth < 128 && info.isSymLink(); ++depth)
        info.setFile(info.symLinkTarget());
    return info;
}

Route RouteOf(const QString& path)
{
    const QFileInfo target = LinkTarget(path);
    // Renaming over a device node or a pipe would delete it.
    if (target.exists() && !target.isFile() && !target.isDir())
        return Route::Device;
    if (target.isFile() && target.isWritable() && !QFileInfo(target.absolutePath()).isWritable())
        return Route::InPlace;
    return Route::Atomic;
}

QString Resolved(const QString& path)
{
    const QFileInfo target = LinkTarget(path);
    if (target.exists())
        return target.canonicalFilePath();
    const QString folder = QFileInfo(target.absolutePath()).canonicalFilePath();
    return (folder.isEmpty() ? target.absolutePath() : folder) + QLatin1Char('/') +
           target.fileName();
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
        return QString::fromLocal8Bit(std::strerror(errno));
#else
    Q_UNUSED(sync);
#endif
    return {};
}

QIODevice::OpenMode OpenMode(FileWriter::Mode mode)
{
    return mode == FileWriter::Mode::Text ? QIODevice::WriteOnly | QIODevice::Text
                                          : QIODevice::WriteOnly;
}

} // namespace

void FileWriter::Add(const QString& path, const QByteArray& bytes, Mode mode)
{
    _outputs.append({path, bytes, mode});
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
    for (qsizetype index = 0; index < _outputs.size(); ++index) {
        const QString& path = _outputs[index].path;
        for (const QString& kept : _protected) {
            if (SameFile(path, kept))
                return Fail(path, QStringLiteral("this is the file being read (%1)").arg(kept));
        }
        for (qsizetype earlier = 0; earlier < index; ++earlier) {
            if (SameFile(path, _outputs[earlier].path)) {
                return Fail(path, QStringLiteral("this file is already an output (%1)")
                                      .arg(_outputs[earlier].path));
            }
        }
    }

    // Every file that can be replaced by renaming is made complete first; until they are
    // committed, QSaveFile discards them on destruction.
    std::vector<std::unique_ptr<QSaveFile>> ready;
    QList<const Output*> inPlace;
    for (const Output& output : _outputs) {
        if (RouteOf(output.path) != Route::Atomic) {
            inPlace.append(&output);
            continue;
        }
        auto file = std::make_unique<QSaveFile>(output.path);
        if (!file->open(OpenMode(output.mode)))
            return Fail(output.path, file->errorString());
        const QString reason = WriteWhole(*file, output.bytes, true);
        if (!reason.isEmpty())
            return Fail(output.path, reason);
        ready.push_back(std::move(file));
    }

    for (const Output* output : inPlace) {
        if (RouteOf(output->path) == Route::Device) {
            QFile device(output->path);
            if (!device.open(OpenMode(output->mode)))
                return Fail(output->path, device.errorString());
            const QString reason = WriteWhole(device, output->bytes, false);
            if (!reason.isEmpty())
                return Fail(output->path, reason);
            continue;
        }
        QSaveFile file(output->path);
        file.setDirectWriteFallback(true);
        if (!file.open(OpenMode(output->mode)))
            return Fail(output->path, file.errorString());
        QString reason = WriteWhole(file, output->bytes, true);
        if (reason.isEmpty() && !file.commit())
            reason = file.errorString();
        if (!reason.isEmpty())
            return Fail(output->path, reason);
    }

    for (const auto& file : ready) {
        if (!file->commit())
            return Fail(file->fileName(), file->errorString());
    }
    return true;
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
    return Resolved(first) == Resolved(second);
}
