#pragma once

#include "FontCharSet.h"

#include <QByteArray>
#include <QString>

#include <memory>

// Reading and writing whole files: the font file and the exported C source. Failures are
// reported through the return value and a reason in words; showing them is the caller's
// business.
class FontFile
{
public:
    // A new font read from a font file; null when the file cannot be read or is not
    // well-formed XML. A well-formed document whose root is not CharSet gives the default
    // font.
    static std::unique_ptr<FontCharSet> Load(const QString& path, QString* error = nullptr);

    // The exact bytes of the font file and of the C export.
    static QByteArray XmlBytes(const FontCharSet& set);
    static QByteArray CSourceBytes(const FontCharSet& set);

    // The file on disk is either left as it was or holds the whole new text: a failed
    // write never leaves a truncated file behind.
    static bool Save(const FontCharSet& set, const QString& path, QString* error = nullptr);
    static bool ExportC(const FontCharSet& set, const QString& path, QString* error = nullptr);

private:
    static bool WriteFile(const QString& path, const QByteArray& bytes, QString* error);
};
