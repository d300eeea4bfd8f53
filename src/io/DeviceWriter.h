#pragma once

#include <QByteArray>
#include <QString>

class QFileDevice;
class QIODevice;

// Writes bytes into what is already there: an open device, an existing file, a stream of this
// process. Each operation gives the reason of a failure, or an empty text on success; none of
// them takes a short write or a failed flush for success.
class DeviceWriter
{
public:
    // Writes, flushes and, with sync, syncs the device: a write or flush that takes less than
    // asked without an error is asked again until the device says why.
    static QString WriteWhole(QFileDevice& device, const QByteArray& bytes, bool sync);
    // The same with the bytes that source holds from its start, read a piece at a time, so
    // that a file of any size takes little memory.
    static QString WriteWhole(QFileDevice& device, QIODevice& source, bool sync);
    // Writes into an existing file without first cutting it: the room for the new bytes is
    // reserved before any byte is written, so that a full disk leaves the old file as it was.
    static QString WriteInPlace(const QString& path, const QByteArray& bytes);
    static QString WriteInPlace(const QString& path, QIODevice& source);
    // Writes into a device or a pipe by its path, or into an open descriptor when it is 0 or
    // more.
    static QString WriteDevice(const QString& path, int descriptor, const QByteArray& bytes);

    // The system's text for an errno value.
    static QString SystemError(int error);
};
