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

std::unique_ptr<FontCharSet> FontFileOpen::Read(const QString& path, QString* error)
{
    QByteArray bytes;
    if (!ReadBytes(path, bytes, error))
        return nullptr;
    return FontFileReader::Read(bytes, error);
}

FontEdit::Opened FontFileOpen::Edit(EditedFile& file, const QString& path, QByteArray& bytes,
                                    QString* error)
{
    if (!file.Read(path, FontFileGuard::MaxFileSize, bytes, error))
        return FontEdit::Opened();
    return FontEdit::Open(bytes, error);
}
