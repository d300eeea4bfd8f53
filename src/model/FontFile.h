#pragma once

#include "FileWriter.h"
#include "FontCharSet.h"

#include <QByteArray>
#include <QString>

#include <memory>

class QDomDocument;
class QXmlStreamReader;

// Reading and writing whole files: the font file and the exported C source. Failures are
// reported through the return value and a reason in words; showing them is the caller's
// business.
class FontFile
{
public:
    // A new font read from a font file; null, with the reason, when the file cannot be
    // read, is refused by a limit, is not well-formed XML or its root is not CharSet.
    static std::unique_ptr<FontCharSet> Load(const QString& path, QString* error = nullptr);
    // The same from the bytes of a font file.
    static std::unique_ptr<FontCharSet> Parse(const QByteArray& bytes, QString* error = nullptr);
    // The bytes of a file exactly as they are, at most one beyond the limit (so that the
    // caller can tell a file that is too large; the guards refuse one beyond MaxFileSize).
    static bool ReadBytes(const QString& path, QByteArray& bytes, QString* error = nullptr,
                          qint64 limit = MaxFileSize);
    // Parses into a DOM document, behind the same guards as Parse: what the DOM reading
    // route of FontCharSet::ReadXml starts from.
    static bool ParseDocument(const QByteArray& bytes, QDomDocument& document,
                              QString* error = nullptr);

    // A file name in the system's bytes, as a command line gives it, as the toolkit's text;
    // false when the bytes do not survive the conversion (not valid UTF-8, say): the text
    // would then name another file.
    static bool DecodeFileName(const QByteArray& local, QString& name);
    // The whole command line so decoded, or false with the reason.
    static bool DecodeArguments(int argc, char* argv[], QStringList& arguments,
                                QString* error = nullptr);

    // Sets up the reader that every reading route parses with, behind the guards below:
    // false, with the reason, when the bytes are refused. The reader is given the bytes
    // themselves only when it reads them as UTF-8, as the guards do; any other encoding
    // (by its byte order mark or its XML declaration) is decoded here, once, and the reader
    // and the guards both see that text.
    static bool StartReading(const QByteArray& bytes, QXmlStreamReader& reader,
                             QString* error = nullptr);

    // Bounds beyond which a document is refused before it reaches the XML parser. The
    // parsers' cost grows with the square of the nesting depth (DOM) and of the number of
    // attributes of one element (both); no font file comes near those bounds. Whatever a
    // file within the other two holds, the editor opens it in a few seconds and well under
    // 1 GB: a font of 300,000 glyphs as the editor writes it takes 64 MB.
    static constexpr qint64 MaxFileSize = 80 * 1024 * 1024;
    static constexpr qint64 MaxGlyphs = 1000000;
    static constexpr qint64 MaxElements = 6 * MaxGlyphs;
    static constexpr int MaxDepth = 256;
    static constexpr int MaxAttributes = 64;

    // The exact bytes of the font file and of the C export.
    static QByteArray XmlBytes(const FontCharSet& set);
    static QByteArray CSourceBytes(const FontCharSet& set);

    // The file on disk is either left as it was or holds the whole new text: a failed
    // write never leaves a truncated file behind.
    static bool Save(const FontCharSet& set, const QString& path, QString* error = nullptr);
    static bool ExportC(const FontCharSet& set, const QString& path, QString* error = nullptr);

    // Replaces a file's contents as a whole, or leaves it as it was (see FileWriter).
    using Mode = FileWriter::Mode;
    static bool WriteFile(const QString& path, const QByteArray& bytes, Mode mode,
                          QString* error = nullptr);
};
