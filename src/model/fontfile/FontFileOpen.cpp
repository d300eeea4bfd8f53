#include "FontFileOpen.h"

#include "EditedFile.h"
#include "FileReader.h"
#include "FontCharSet.h"
#include "FontFileGuard.h"
#include "FontFileReader.h"

Status FontFileOpen::ReadBytes(const QString& path, QByteArray& bytes)
{
    return FileReader::ReadBytes(path, FontFileGuard::MaxFileSize, bytes);
}

Result<std::unique_ptr<FontCharSet>> FontFileOpen::Read(const QString& path)
{
    QByteArray bytes;
    if (Status read = ReadBytes(path, bytes); !read)
        return read;
    return FontFileReader::Read(bytes);
}

Result<FontEdit::Opened> FontFileOpen::Edit(EditedFile& file, const QString& path,
                                            QByteArray& bytes)
{
    if (Status read = file.Read(path, FontFileGuard::MaxFileSize, bytes); !read)
        return read;
    return FontEdit::Open(bytes);
}
