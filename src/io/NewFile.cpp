#include "NewFile.h"

#include "DeviceWriter.h"

#include <QFile>
#include <QRandomGenerator>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <unistd.h>
#endif

namespace {

constexpr int MaxAttempts = 100;

} // namespace

NewFile::NewFile(const QString& path) : _path(path) {}

NewFile::~NewFile()
{
    if (!_temporary.isEmpty())
        QFile::remove(_temporary);
}

QString NewFile::Prepare(const QByteArray& bytes)
{
    // NewOnly creates the file or fails, with the permissions any new file gets (the umask's).
    QFile file;
    for (int attempt = 0; attempt < MaxAttempts && !file.isOpen(); ++attempt) {
        file.setFileName(_path + QStringLiteral(".") +
                         QString::number(QRandomGenerator::global()->generate(), 36) +
                         QStringLiteral(".new"));
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly) && !file.exists())
            return file.errorString();
    }
    if (!file.isOpen())
        return QStringLiteral("no temporary name is free beside it");
    _temporary = file.fileName();
    return DeviceWriter::WriteWhole(file, bytes, true);
}

QString NewFile::Link()
{
    const QString taken = QStringLiteral("this file already exists, and a new file never replaces "
                                         "one");
#ifdef Q_OS_UNIX
    if (::link(QFile::encodeName(_temporary).constData(), QFile::encodeName(_path).constData()) !=
        0)
        return errno == EEXIST ? taken : DeviceWriter::SystemError(errno);
#else
    // Renaming does not replace a file on the other systems.
    if (!QFile::rename(_temporary, _path))
        return QFile::exists(_path) ? taken : QStringLiteral("the file could not be created");
#endif
    _linked = true;
    QFile::remove(_temporary);
    _temporary.clear();
    return {};
}

void NewFile::Remove()
{
    if (_linked)
        QFile::remove(_path);
    _linked = false;
}
