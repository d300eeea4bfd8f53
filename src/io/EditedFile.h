#pragma once

#include "Status.h"

#include <QByteArray>
#include <QString>

// The file that an edit reads and then replaces whole. It is a regular file: a stream, a
// device or a pipe cannot take the edit in place of what was read from it. It is read under
// an exclusive advisory lock (flock) that holds until the object goes, after the replacement,
// so that two edits of one file run one after the other, the second reading what the first
// wrote, instead of one of them being lost.
class EditedFile
{
public:
    EditedFile() = default;
    ~EditedFile();
    EditedFile(const EditedFile&) = delete;
    EditedFile& operator=(const EditedFile&) = delete;

    // The bytes of the file at path, at most one beyond the limit, as FileReader::ReadBytes
    // gives them; a failure, with the reason, when the file cannot be read or edited.
    Status Read(const QString& path, qint64 limit, QByteArray& bytes);

private:
    void Close();

    int _descriptor = -1;
};
