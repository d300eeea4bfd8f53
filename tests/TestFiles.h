#pragma once

// Reading and writing whole files in the tests, and finding the test data.

#include <QByteArray>
#include <QFile>
#include <QString>

namespace TestFiles {

// The whole file, or a null array when it cannot be read.
inline QByteArray Read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool Write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QString DataPath(const QString& name)
{
    return QStringLiteral(PIXMINT_TEST_DATA "/") + name;
}

// A file under tests/data; the tests cannot go on without it.
inline QByteArray Data(const QString& name)
{
    QFile file(DataPath(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read test data %s", qPrintable(name));
    return file.readAll();
}

} // namespace TestFiles
