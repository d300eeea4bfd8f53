#include "CSourceWriter.h"

#include "CharacterMap.h"
#include "Console.h"
#include "FontCharSet.h"
#include "GlyphName.h"

#include <QBuffer>
#include <QTextStream>

#include <algorithm>
#include <utility>
#include <vector>

CSourceWriter::CSourceWriter(const CArray& array, bool header)
    : _array(array), _header(header), _editorExport(false)
{
}

bool CSourceWriter::Accepts(const FontCharSet& set, QString* reason) const
{
    if (IsEditorExport())
        return true;
    QString why;
    if (!CArray::IsValidName(_array.Name(), &why)) {
        if (reason)
            *reason = QStringLiteral("the name %1 %2").arg(_array.Name(), why);
        return false;
    }
    if (set.Count() == 0) {
        if (reason)
            *reason = QStringLiteral("the font has no glyphs, and C has no empty array");
        return false;
    }
    return true;
}

QStringList CSourceWriter::Warnings(const FontCharSet& set) const
{
    QStringList warnings;
    if (!_header)
        return warnings;
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
        warnings << QStringLiteral("glyph \"%1\", for the character 0x%2, is number %3 of "
                                   "the font, beyond the first %4 that %5_map can index: the map "
                                   "gives %5_NONE for it")
                        .arg(Console::VisibleText(GlyphName::ToString(map.Name(index))))
                        .arg(code, 2, 16, QLatin1Char('0'))
                        .arg(index + 1)
                        .arg(MapNone)
                        .arg(_array.Name());
    }
    return warnings;
}

void CSourceWriter::WriteSource(const FontCharSet& set, QTextStream& stream) const
{
    stream.setEncoding(QStringConverter::System);
    if (IsEditorExport()) {
        stream << "/* Auto generated file */\n";
        set.ExportC(stream);
        return;
    }
    WriteMadeBy(stream);
    stream << '\n';
    WriteDeclarations(set, stream);
    stream << '\n';
    set.ExportC(stream, _array);
    stream << '\n';
    if (_header) {
        stream << '\n';
        WriteMap(CharacterMap(set), stream);
    }
}

void CSourceWriter::WriteHeader(const FontCharSet& set, QTextStream& stream) const
{
    stream.setEncoding(QStringConverter::System);
    const QString& name = _array.Name();
    const QString guard = QStringLiteral("PIXMINT_FONT_%1_H").arg(name);
    WriteMadeBy(stream);
    stream << "#ifndef " << guard << "\n#define " << guard << "\n\n";
    stream << "/* " << name << "_COUNT glyphs of " << name << "_BYTES bytes; " << name
           << "_map[c] is the index of the glyph\n   for the Latin-1 code c, or " << name
           << "_NONE. */\n"
           << "#define " << name << "_COUNT " << set.Count() << '\n'
           << "#define " << name << "_BYTES " << _array.ByteCount() << '\n'
           << "#define " << name << "_NONE 0xFFFF\n\n";
    WriteDeclarations(set, stream);
    if (_array.GetStorage() == CArray::Storage::Progmem) {
        // After the declarations, so that a macro of avr-libc cannot take their names.
        stream << "\n/* In AVR program memory: read " << name << " with pgm_read_byte() and "
               << name << "_map with pgm_read_word(). */\n"
               << "#if defined(__AVR__)\n#include <avr/pgmspace.h>\n#endif\n";
    }
    stream << "\n#endif\n";
}

QByteArray CSourceWriter::SourceBytes(const FontCharSet& set) const
{
    return Bytes(&CSourceWriter::WriteSource, set);
}

QByteArray CSourceWriter::HeaderBytes(const FontCharSet& set) const
{
    return Bytes(&CSourceWriter::WriteHeader, set);
}

// How the output was made, without a date or a path, so that builds stay reproducible.
void CSourceWriter::WriteMadeBy(QTextStream& stream) const
{
    stream << "/* Auto generated file: array " << _array.Name();
    if (_array.GetStorage() != CArray::Storage::Plain) {
        stream << (_array.GetStorage() == CArray::Storage::Const ? ", const"
                                                                 : ", const in AVR program memory");
    }
    if (_header)
        stream << ", character map " << _array.Name() << "_map";
    stream << "\n   layout " << CArray::LayoutName(_array.GetLayout()) << ": "
           << CArray::LayoutDescription(_array.GetLayout()) << " */\n";
}

// The header's declarations, which the source repeats before its definitions: under C++ a
// const array has internal linkage unless it is declared extern first, and the definitions
// must have the C linkage that the header gives them.
void CSourceWriter::WriteDeclarations(const FontCharSet& set, QTextStream& stream) const
{
    const QString qualifiers = QStringLiteral("extern ") + _array.Qualifiers();
    stream << "#ifdef __cplusplus\nextern \"C\" {\n#endif\n"
           << qualifiers << "unsigned char " << _array.Name() << '[' << set.Count() << "]["
           << _array.ByteCount() << "];\n";
    if (_header) {
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
            stream << "0xffff";
        stream << (code + 1 < CharacterMap::CodeCount ? ",\t/* " : "\t/* ")
               << QStringLiteral("0x%1").arg(code, 2, 16, QLatin1Char('0'));
        if (index != CharacterMap::NoGlyph)
            stream << ": " << CArray::CommentText(map.Name(index));
        if (index != CharacterMap::NoGlyph && !MapReaches(index))
            stream << ", glyph " << index << ", beyond what an unsigned short indexes";
        stream << " */\n";
    }
    stream << "};\n";
}

QByteArray CSourceWriter::Bytes(void (CSourceWriter::*write)(const FontCharSet&, QTextStream&)
                                    const,
                                const FontCharSet& set) const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QTextStream stream(&buffer);
    (this->*write)(set, stream);
    stream.flush();
    return bytes;
}
