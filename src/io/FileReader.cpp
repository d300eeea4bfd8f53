#include "FileReader.h"

#include "Message.h"

#include <QFile>

bool FileReader::ReadBytes(const QString& path, qint64 limit, QByteArray& bytes, QString* error)
{
    if (path.isEmpty())
        return Message::Fail(error, QStringLiteral("the file name is empty"));
    // Binary: text mode would drop every byte 0x0D, which in UTF-16 is half of a character.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Message::Fail(error, file.errorString());
    return ReadBytes(file, limit, bytes, error);
}

bool FileReader::ReadWithin(const QString& path, qint64 limit, QStringView what, QByteArray& bytes,
                            QString* error)
{
    if (!ReadBytes(path, limit, bytes, error))
        return false;
    if (bytes.size() <= limit)
        return true;
    return Message::Fail(error,
                         Message::Text(u"the file is too large to be %1 (more than %2 bytes)",
                                       {what.toString(), limit}));
}

bool FileReader::ReadBytes(QFileDevice& file, qint64 limit, QByteArray& bytes, QString* error)
{
    bytes = file.read(limit + 1);
    if (file.error() != QFileDevice::NoError)
        return Message::Fail(error, file.errorString());
    return true;
}
