#include "CSourceWriter.h"

#include "CharacterMap.h"
#include "FontCharSet.h"
#include "GlyphComment.h"
#include "GlyphName.h"
#include "Message.h"
#include "MessageList.h"
#include "NumberText.h"

#include <QTextStream>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

// The words of the comment at the top that ReadMadeBy reads back.
constexpr char MadeByWords[] = " Auto generated file";
constexpr char RangeWords[] = "\n   a row for each code from 0x";
constexpr char LayoutWords[] = "\n   layout ";
constexpr char SubsetWords[] = "\n   a row for each character asked for";

} // namespace

CSourceWriter::CSourceWriter(const CArray& array, bool header,
                             const std::optional<CodeRange>& range, const CSubset& subset)
    : _array(array), _header(header), _range(range), _subset(subset), _editorExport(false)
{
}

QStringList CSourceWriter::Identifiers(const QString& name, bool range)
{
    QStringList identifiers{name,
                            name + QStringLiteral("_map"),
                            name + QStringLiteral("_COUNT"),
                            name + QStringLiteral("_BYTES"),
                            name + QStringLiteral("_NONE"),
                            QStringLiteral("PIXMINT_FONT_") + name + QStringLiteral("_H")};
    if (range)
        identifiers << name + QStringLiteral("_FIRST") << name + QStringLiteral("_LAST");
    return identifiers;
}

Status CSourceWriter::Accepts(const FontCharSet& set) const
{
    if (IsEditorExport())
        return Status();
    if (const Status valid = CArray::IsValidName(_array.Name()); !valid)
        return Status::Failure(Message::Text(u"the name %1 %2", {_array.Name(), valid.Reason()}));
    if (!_subset.IsEmpty() && _subset.Rows(CharacterMap(set)).empty()) {
        return Status::Failure(QStringLiteral("the font has no glyph for any of the characters, "
                                              "and C has no empty array"));
    }
    // A table of codes has its rows whatever the font holds.
    if (set.Count() == 0 && !_range)
        return Status::Failure(QStringLiteral("the font has no glyphs, and C has no empty array"));
    return Status();
}

void CSourceWriter::Warnings(const FontCharSet& set, MessageList& warnings) const
{
    if (_range) {
        CharacterMap(set).MissingWarning(
            *_range, Message::Text(u"zero bytes in the table %1", {_array.Name()}), warnings);
        return;
    }
    if (!_subset.IsEmpty())
        return _subset.Warnings(CharacterMap(set), _array.Name(), warnings);
    if (!_header)
        return;
    // In font order, as the glyphs are listed.
    const CharacterMap map(set);
    std::vector<std::pair<quint32, int>> beyond;
    for (int code = 0; code < CharacterMap::CodeCount; ++code) {
        const quint32 index = map.GlyphIndex(code);
        if (index != CharacterMap::NoGlyph && !MapReaches(index))
            beyond.emplace_back(index, code);
    }
    std::sort(beyond.begin(), beyond.end());
    for (const auto& [index, code] : beyond) {
        warnings.Add(Message::Text(u"glyph %1, for the character %2, is number %3 of the font, "
                                   u"beyond the first %4 that %5_map can index: the map gives "
                                   u"%5_NONE for it",
                                   {GlyphName::Quoted(map.Name(index)), Message::Hex(code),
                                    qint64(index) + 1, MapNone, _array.Name()}));
    }
}

void CSourceWriter::WriteSource(const FontCharSet& set, QTextStream& stream) const
{
    if (IsEditorExport()) {
        stream << "/* Auto generated file */\n";
        set.ExportC(stream);
        return;
    }
    WriteMadeBy(stream);
    stream << '\n';
    WriteDeclarations(set, stream);
    stream << '\n';
    if (_range) {
        WriteTable(CharacterMap(set), stream);
        return;
    }
    if (!_subset.IsEmpty())
        return _subset.WriteTable(CharacterMap(set), _array, _header, stream);
    set.ExportC(stream, _array);
    stream << '\n';
    if (_header) {
        stream << '\n';
        WriteMap(CharacterMap(set), stream);
    }
}

void CSourceWriter::WriteHeader(const FontCharSet& set, QTextStream& stream) const
{
    const QString& name = _array.Name();
    const QString guard = QStringLiteral("PIXMINT_FONT_") + name + QStringLiteral("_H");
    WriteMadeBy(stream);
    stream << "#ifndef " << guard << "\n#define " << guard << "\n\n";
    WriteSizes(set, stream);
    WriteDeclarations(set, stream);
    if (_array.GetStorage() == CArray::Storage::Progmem) {
        // After the declarations, so that a macro of avr-libc cannot take their names.
        stream << "\n/* In AVR program memory: read " << name << " with pgm_read_byte()"
               << (_range || !_subset.IsEmpty() ? QString()
                                                : QStringLiteral(" and ") + name +
                                                      QStringLiteral("_map with pgm_read_word()"))
               << ". */\n#if defined(__AVR__)\n#include <avr/pgmspace.h>\n#endif\n";
    }
    if (!_subset.IsEmpty())
        _subset.WriteLookUp(CharacterMap(set), _array, stream);
    stream << "\n#endif\n";
}

QByteArray CSourceWriter::SourceBytes(const FontCharSet& set, const QByteArray& encoding) const
{
    return Bytes(&CSourceWriter::WriteSource, set, encoding);
}

QByteArray CSourceWriter::HeaderBytes(const FontCharSet& set, const QByteArray& encoding) const
{
    return Bytes(&CSourceWriter::WriteHeader, set, encoding);
}

// How the output was made, without a date or a path, so that builds stay reproducible.
void CSourceWriter::WriteMadeBy(QTextStream& stream) const
{
    stream << "/*" << MadeByWords << ": array " << _array.Name();
    if (_array.GetStorage() != CArray::Storage::Plain) {
        stream << (_array.GetStorage() == CArray::Storage::Const ? ", const"
                                                                 : ", const in AVR program memory");
    }
    if (!_subset.IsEmpty())
        stream << SubsetWords
               << (_header
                       ? QStringLiteral(", found by ") + _array.Name() + QStringLiteral("_row()")
                       : QString());
    else if (_header && !_range)
        stream << ", character map " << _array.Name() << "_map";
    if (_range) {
        stream << RangeWords << Message::Hex(_range->First()).mid(2) << " to "
               << Message::Hex(_range->Last());
    }
    stream << LayoutWords << CArray::LayoutName(_array.GetLayout()) << ": "
           << CArray::LayoutDescription(_array.GetLayout()) << " */\n";
}

// The header's macros: the size of the array and how to find a code's glyph.
void CSourceWriter::WriteSizes(const FontCharSet& set, QTextStream& stream) const
{
    const QString& name = _array.Name();
    if (_range) {
        stream << "/* " << name << "[c - " << name << "_FIRST] is the glyph of the Latin-1 code c, "
               << "for c from " << name << "_FIRST\n   to " << name << "_LAST: " << name
               << "_COUNT rows of " << name << "_BYTES bytes, zero bytes where the font has "
               << "none. */\n"
               << "#define " << name << "_FIRST " << _range->First() << '\n'
               << "#define " << name << "_LAST " << _range->Last() << '\n';
    } else if (!_subset.IsEmpty()) {
        CSubset::WriteAbout(name, stream);
    } else {
        stream << "/* " << name << "_COUNT glyphs of " << name << "_BYTES bytes; " << name
               << "_map[c] is the index of the glyph\n   for the Latin-1 code c, or " << name
               << "_NONE. */\n";
    }
    stream << "#define " << name << "_COUNT " << RowCount(set) << '\n'
           << "#define " << name << "_BYTES " << _array.ByteCount() << '\n';
    if (!_range)
        stream << "#define " << name << "_NONE 0x"
               << NumberText::Hex(MapNone, 4, NumberText::Letters::Upper) << '\n';
    stream << '\n';
}

quint32 CSourceWriter::RowCount(const FontCharSet& set) const
{
    if (!_subset.IsEmpty())
        return quint32(_subset.Rows(CharacterMap(set)).size());
    return _range ? quint32(_range->Count()) : set.Count();
}

// The header's declarations, which the source repeats before its definitions: under C++ a
// const array has internal linkage unless it is declared extern first, and the definitions
// must have the C linkage that the header gives them.
void CSourceWriter::WriteDeclarations(const FontCharSet& set, QTextStream& stream) const
{
    const QString qualifiers = QStringLiteral("extern ") + _array.Qualifiers();
    stream << "#ifdef __cplusplus\nextern \"C\" {\n#endif\n"
           << qualifiers << "unsigned char " << _array.Name() << '[' << RowCount(set) << "]["
           << _array.ByteCount() << "];\n";
    if (_header && !_subset.IsEmpty())
        _subset.WriteDeclaration(CharacterMap(set), _array, stream);
    else if (_header && !_range) {
        stream << qualifiers << "unsigned short " << _array.Name() << "_map["
               << CharacterMap::CodeCount << "];\n";
    }
    stream << "#ifdef __cplusplus\n}\n#endif\n";
}

void CSourceWriter::WriteMap(const CharacterMap& map, QTextStream& stream) const
{
    stream << _array.Placement() << _array.Qualifiers() << "unsigned short " << _array.Name()
           << "_map[" << CharacterMap::CodeCount << "] = \n{\n";
    for (int code = 0; code < CharacterMap::CodeCount; ++code) {
        const quint32 index = map.GlyphIndex(code);
        if (MapReaches(index))
            stream << index;
        else
            stream << "0x" << NumberText::Hex(MapNone, 4, NumberText::Letters::Lower);
        stream << (code + 1 < CharacterMap::CodeCount ? ",\t/* " : "\t/* ") << Message::Hex(code);
        if (index != CharacterMap::NoGlyph)
            stream << ": " << GlyphComment::Text(map.Name(index));
        if (index != CharacterMap::NoGlyph && !MapReaches(index))
            stream << ", glyph " << index << ", beyond what an unsigned short indexes";
        stream << " */\n";
    }
    stream << "};\n";
}

// The table of the range: each code's row holds the glyph the character map gives it, which
// the table reaches whatever its place in the font.
void CSourceWriter::WriteTable(const CharacterMap& map, QTextStream& stream) const
{
    std::vector<CArray::TableRow> rows;
    rows.reserve(size_t(_range->Count()));
    for (int code = _range->First(); code <= _range->Last(); ++code) {
        const quint32 index = map.GlyphIndex(code);
        rows.push_back(index == CharacterMap::NoGlyph
                           ? CArray::TableRow()
                           : CArray::TableRow{&map.Name(index), &map.Glyph(index)});
    }
    _array.WriteTable(stream, _range->First(), rows);
    stream << '\n';
}

bool CSourceWriter::ReadMadeBy(QStringView body, MadeBy& madeBy)
{
    madeBy = MadeBy();
    const QString start = QLatin1String(MadeByWords);
    if (body == QString(start + u' '))
        return true; // the editor's export
    if (!body.startsWith(start + QStringLiteral(": array ")))
        return false;
    const QLatin1String range(RangeWords);
    const QLatin1String layout(LayoutWords);
    if (const qsizetype at = body.indexOf(range); at >= 0) {
        quint64 first = 0;
        if (!NumberText::ReadDigits(body.mid(at + range.size(), 2), 16, CodeRange::MaxCode, first))
            return false;
        madeBy.first = int(first);
    }
    const qsizetype at = body.indexOf(layout);
    const qsizetype end = body.indexOf(u':', at);
    return at >= 0 && end >= 0 &&
           CArray::LayoutFromName(body.mid(at + layout.size(), end - at - layout.size()).toString(),
                                  &madeBy.layout);
}

QByteArray CSourceWriter::Bytes(void (CSourceWriter::*write)(const FontCharSet&, QTextStream&)
                                    const,
                                const FontCharSet& set, const QByteArray& encoding) const
{
    QString text;
    QTextStream stream(&text);
    (this->*write)(set, stream);
    stream.flush();
    return CArray::Encoded(text, encoding);
}
