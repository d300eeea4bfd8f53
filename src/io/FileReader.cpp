#include "FileReader.h"

#include <QFile>

namespace {

bool Fail(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
    return false;
}

} // namespace

bool FileReader::ReadBytes(const QString& path, qint64 limit, QByteArray& bytes, QString* error)
{
    if (path.isEmpty())
        return Fail(error, QStringLiteral("the file name is empty"));
    // Binary: text mode would drop every byte 0x0D, which in UTF-16 is half of a character.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Fail(error, file.errorString());
    bytes = file.read(limit + 1);
    if (file.error() != QFileDevice::NoError)
        return Fail(error, file.errorString());
    return true;
}
