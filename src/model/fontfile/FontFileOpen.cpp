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
    std::unique_ptr<FontCharSet> font;
    if (ReadBytes(path, bytes, &error))
        font = FontFileReader::Read(bytes, &error);
    if (!font)
        return Status::Failure(error);
    return font;
}

Result<FontEdit::Opened> FontFileOpen::Edit(EditedFile& file, const QString& path,
                                            QByteArray& bytes)
{
    QString error;
    FontEdit::Opened opened;
    if (file.Read(path, FontFileGuard::MaxFileSize, bytes, &error))
        opened = FontEdit::Open(bytes, &error);
    if (!opened.font)
        return Status::Failure(error);
    return opened;
}
