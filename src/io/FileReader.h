#pragma once

#include "Status.h"

#include <QByteArray>
#include <QString>

class QFileDevice;

// Reads whole files as bytes, within a bound.
class FileReader
{
public:
    // The bytes of a file exactly as they are, at most one beyond the limit, so that the
    // caller can tell a file that is too large; devices and pipes report no size. A failure,
    // with the system's reason, when the file cannot be read.
    static Status ReadBytes(const QString& path, qint64 limit, QByteArray& bytes);
    // The same from a file that is already open for reading, such as one held locked.
    static Status ReadBytes(QFileDevice& file, qint64 limit, QByteArray& bytes);
    // The bytes of a file of at most limit bytes; when it cannot be read or is larger, a
    // failure with the reason: "the file is too large to be WHAT (more than LIMIT bytes)".
    static Status ReadWithin(const QString& path, qint64 limit, QStringView what,
                             QByteArray& bytes);
};
