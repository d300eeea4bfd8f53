#include "FontFileOpen.h"

#include "EditedFile.h"
#include "FileReader.h"
#include "FontCharSet.h"
#include "FontFileGuard.h"
#include "FontFileReader.h"

bool FontFileOpen::ReadBytes(const QString& path, QByteArray& bytes, QString* error)
{
    return FileReader::ReadBytes(path, FontFileGuard::MaxFileSize, bytes, error);
}

Result<std::unique_ptr<FontCharSet>> FontFileOpen::Read(const QString& path)
{
    QByteArray bytes;
    QString error;
    if (!ReadBytes(path, bytes, &error))
        return Status::Failure(error);
    return FontFileReader::Read(bytes);
}

Result<FontEdit::Opened> FontFileOpen::Edit(EditedFile& file, const QString& path,
                                            QByteArray& bytes)
{
    QString error;
    if (!file.Read(path, FontFileGuard::MaxFileSize, bytes, &error))
        return Status::Failure(error);
    return FontEdit::Open(bytes);
}
