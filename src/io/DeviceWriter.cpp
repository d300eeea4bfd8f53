#include "DeviceWriter.h"

#include <QBuffer>
#include <QFile>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

// Large enough to cost nothing per piece, small enough to cost nothing in memory.
constexpr qint64 PieceSize = 1 << 20;

// QIODevice::write may take less than asked without reporting an error (a file size limit);
// asking again for the rest makes the device report the reason.
bool WriteAll(QFileDevice& device, const char* data, qint64 remaining)
{
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

} // namespace

// The buffered bytes reach the file only at the flush, whose failure (a full disk)
// QSaveFile::commit() would not report; a file system that reports its errors only when the
// data goes to disk does so at the sync.
QString DeviceWriter::WriteWhole(QFileDevice& device, const QByteArray& bytes, bool sync)
{
    QBuffer source;
    source.setData(bytes);
    source.open(QIODevice::ReadOnly);
    return WriteWhole(device, source, sync);
}

QString DeviceWriter::WriteWhole(QFileDevice& device, QIODevice& source, bool sync)
{
    if (!source.seek(0))
        return source.errorString();
    QByteArray piece(qsizetype(PieceSize), Qt::Uninitialized);
    for (qint64 got; (got = source.read(piece.data(), PieceSize)) != 0;) {
        if (got < 0)
            return source.errorString();
        if (!WriteAll(device, piece.constData(), got))
            return device.errorString();
    }
    if (!FlushAll(device))
        return device.errorString();
#ifdef Q_OS_UNIX
    if (sync && ::fsync(device.handle()) != 0 && errno != EINVAL && errno != ENOTSUP)
        return SystemError(errno);
#else
    Q_UNUSED(sync);
#endif
    return {};
}

QString DeviceWriter::WriteInPlace(const QString& path, const QByteArray& bytes)
{
    QBuffer source;
    source.setData(bytes);
    source.open(QIODevice::ReadOnly);
    return WriteInPlace(path, source);
}

QString DeviceWriter::WriteInPlace(const QString& path, QIODevice& source)
{
    const qint64 size = source.size();
#ifdef Q_OS_UNIX
    const int descriptor = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CLOEXEC);
    if (descriptor < 0)
        return SystemError(errno);
    QFile file;
    if (!file.open(descriptor, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
        ::close(descriptor);
        return file.errorString();
    }
    const int reserved = ::posix_fallocate(descriptor, 0, off_t(size));
    if (reserved != 0 && reserved != EOPNOTSUPP && reserved != EINVAL)
        return SystemError(reserved);
    QString reason = WriteWhole(file, source, false);
    if (reason.isEmpty() && !file.resize(size))
        reason = file.errorString();
    if (reason.isEmpty() && ::fsync(descriptor) != 0 && errno != EINVAL)
        reason = SystemError(errno);
    return reason;
#else
    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    QString reason = WriteWhole(file, source, true);
    if (reason.isEmpty() && !file.commit())
        reason = file.errorString();
    return reason;
#endif
}

QString DeviceWriter::WriteDevice(const QString& path, int descriptor, const QByteArray& bytes)
{
    QFile device(path);
    const bool opened = descriptor >= 0 ? device.open(descriptor, QIODevice::WriteOnly,
                                                      QFileDevice::DontCloseHandle)
                                        : device.open(QIODevice::WriteOnly);
    if (!opened)
        return device.errorString();
    return WriteWhole(device, bytes, false);
}

QString DeviceWriter::SystemError(int error)
{
#ifdef Q_OS_UNIX
    return QString::fromLocal8Bit(std::strerror(error));
#else
    Q_UNUSED(error);
    return QStringLiteral("the system could not write the file");
#endif
}
