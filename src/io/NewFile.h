#pragma once

#include <QByteArray>
#include <QString>

// A file that must not exist yet. Its bytes are written whole, flushed and synced under a
// temporary name beside it; then the system gives it its name only if no file has that name
// (a hard link, which is refused where any file or link is, even a dangling one). A file that
// appears between a check and the write is never replaced, and no reader ever sees the file
// half written. The temporary name goes in any case.
class NewFile
{
public:
    explicit NewFile(const QString& path);
    ~NewFile();
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;

    // Each gives the reason of a failure, or an empty text on success.
    QString Prepare(const QByteArray& bytes);
    QString Link();
    // Takes back the name that Link gave.
    void Remove();

private:
    QString _path;
    QString _temporary;
    bool _linked = false;
};
