#pragma once

#include "FontEdit.h"
#include "Result.h"

#include <QByteArray>
#include <QString>

#include <memory>

class EditedFile;
class FontCharSet;

// Opening a font file, in one place for the editor and the programs: its bytes read within
// FontFileGuard::MaxFileSize (a file beyond is refused by the guards), then parsed behind the
// guards. The reasons do not name the file: each front end puts its path before them, or
// words them in a dialog of its own.
class FontFileOpen
{
public:
    // The bytes of the font file at path, for a caller that reads them otherwise (a check).
    static Status ReadBytes(const QString& path, QByteArray& bytes);
    // The font of the file at path, or the reason why it cannot be read or is refused.
    static Result<std::unique_ptr<FontCharSet>> Read(const QString& path);
    // The font of the file at path for an edit, held by file (its lock) until the file goes,
    // as FontEdit::Open gives it; bytes are what was read, for the edit to tell whether it
    // changed anything.
    static Result<FontEdit::Opened> Edit(EditedFile& file, const QString& path, QByteArray& bytes);
};
