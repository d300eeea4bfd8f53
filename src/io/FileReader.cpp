#include "FileReader.h"

#include "Message.h"

#include <QFile>

Status FileReader::ReadBytes(const QString& path, qint64 limit, QByteArray& bytes)
{
    if (path.isEmpty())
        return Status::Failure(QStringLiteral("the file name is empty"));
    // Binary: text mode would drop every byte 0x0D, which in UTF-16 is half of a character.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Status::Failure(file.errorString());
    return ReadBytes(file, limit, bytes);
}

Status FileReader::ReadWithin(const QString& path, qint64 limit, QStringView what,
                              QByteArray& bytes)
{
    if (Status read = ReadBytes(path, limit, bytes); !read)
        return read;
    if (bytes.size() <= limit)
        return Status();
    return Status::Failure(Message::Text(u"the file is too large to be %1 (more than %2 bytes)",
                                         {what.toString(), limit}));
}

Status FileReader::ReadBytes(QFileDevice& file, qint64 limit, QByteArray& bytes)
{
    bytes = file.read(limit + 1);
    if (file.error() != QFileDevice::NoError)
        return Status::Failure(file.errorString());
    return Status();
}
