#pragma once

#include "CArray.h"
#include "CSubset.h"
#include "CodeRange.h"
#include "FontCharSet.h"
#include "Status.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

class CharacterMap;
class MessageList;
class QTextStream;

// The C files of a font. The editor's export is one line, "/* Auto generated file */", and
// the array PIXMINT_xxxx. The source that firmware takes begins with a comment saying how it
// was made and compiles as C and as C++; with a header, it also defines the character map
// that the header declares beside the array. With a range of codes the array is a table with
// a row for each code instead, and there is no map; with a subset of characters it holds their
// glyphs alone, and the header finds a character's row instead of a map (CSubset).
class CSourceWriter
{
public:
    // The map holds glyph indexes as unsigned short; this value means "no glyph".
    static constexpr quint32 MapNone = FontCharSet::Max16BitCount;
    // Whether the map can give a glyph index: it must be one, and fit below MapNone.
    static bool MapReaches(quint32 index) { return index < MapNone; }

    // The editor's export.
    CSourceWriter() = default;
    // The source that firmware takes, with this array and, with a header, its map; with a
    // range, the array is the table of those codes; with a subset, of those characters.
    CSourceWriter(const CArray& array, bool header,
                  const std::optional<CodeRange>& range = std::nullopt,
                  const CSubset& subset = CSubset());

    bool IsEditorExport() const { return _editorExport; }
    // The identifiers that the source and its header define for an array of that name, which
    // no other font of one program may define; a table of codes also has NAME_FIRST and
    // NAME_LAST.
    static QStringList Identifiers(const QString& name, bool range);

    // The reason, when the font cannot be written in this form; the writers below expect a
    // font that is accepted.
    Status Accepts(const FontCharSet& set) const;
    // What the output cannot say although the font does: a character whose first glyph lies
    // beyond the indexes of the map's unsigned short, which the map then gives no glyph; the
    // codes of a range that have no glyph, in one line.
    void Warnings(const FontCharSet& set, MessageList& warnings) const;

    // The whole source or header in the encoding of that name, the locale's for a file the
    // user reads (Console::LocaleEncoding): under a Latin-1 locale a name's bytes reach the
    // file unchanged. UTF-8 when Qt has no such encoding or the text holds a character that
    // it lacks, so that nothing is replaced.
    QByteArray SourceBytes(const FontCharSet& set, const QByteArray& encoding = "UTF-8") const;
    QByteArray HeaderBytes(const FontCharSet& set, const QByteArray& encoding = "UTF-8") const;

    // What the comment at the top of a source that this class wrote says, read from its text
    // between "/*" and "*/": the layout and, for a table of codes, its first code (-1 for an
    // array of glyphs). False for any other comment.
    struct MadeBy
    {
        CArray::Layout layout = CArray::Layout::Columns;
        int first = -1;
    };
    static bool ReadMadeBy(QStringView body, MadeBy& madeBy);

private:
    void WriteSource(const FontCharSet& set, QTextStream& stream) const;
    void WriteHeader(const FontCharSet& set, QTextStream& stream) const;
    void WriteMadeBy(QTextStream& stream) const;
    void WriteSizes(const FontCharSet& set, QTextStream& stream) const;
    void WriteDeclarations(const FontCharSet& set, QTextStream& stream) const;
    void WriteMap(const CharacterMap& map, QTextStream& stream) const;
    void WriteTable(const CharacterMap& map, QTextStream& stream) const;
    // Rows of the array: the glyphs, or the codes of the range.
    quint32 RowCount(const FontCharSet& set) const;
    QByteArray Bytes(void (CSourceWriter::*write)(const FontCharSet&, QTextStream&) const,
                     const FontCharSet& set, const QByteArray& encoding) const;

    CArray _array;
    bool _header = false;
    std::optional<CodeRange> _range;
    CSubset _subset;
    bool _editorExport = true;
};
