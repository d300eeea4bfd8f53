#include "CSubset.h"

#include "CharacterMap.h"
#include "CodeRange.h"
#include "Message.h"
#include "MessageList.h"

#include <QTextStream>

#include <algorithm>

namespace {

// The codes of NAME_codes on each line of the source.
constexpr size_t CodesPerLine = 8;

} // namespace

CSubset::CSubset(const std::vector<int>& codes)
{
    for (const int code : codes) {
        if (std::find(_codes.begin(), _codes.end(), code) == _codes.end())
            _codes.push_back(code);
    }
}

QStringList CSubset::Identifiers(const QString& name)
{
    return {name + QStringLiteral("_codes"), name + QStringLiteral("_row")};
}

std::vector<CSubset::Row> CSubset::Rows(const CharacterMap& map) const
{
    std::vector<Row> rows;
    for (const int code : _codes) {
        const quint32 index = map.GlyphIndex(code);
        if (index != CharacterMap::NoGlyph)
            rows.push_back({code, index});
    }
    return rows;
}

// The characters between quotation marks in the order asked for, escaped where they are not
// visible, then their codes.
void CSubset::Warnings(const CharacterMap& map, const QString& name, MessageList& warnings) const
{
    QString characters;
    std::vector<int> missing;
    for (const int code : _codes) {
        if (map.GlyphIndex(code) == CharacterMap::NoGlyph) {
            characters += QChar(char16_t(code));
            missing.push_back(code);
        }
    }
    if (missing.empty())
        return;
    std::sort(missing.begin(), missing.end());
    warnings.Add(Message::Text(
        u"the font has no glyph for %1 (%2), which the table %3 leaves out",
        {Message::Quoted(characters), CodeRange::Runs(missing, CodeRange::Naming::Hex), name}));
}

void CSubset::WriteAbout(const QString& name, QTextStream& stream)
{
    stream << "/* " << name << "_COUNT glyphs of " << name << "_BYTES bytes, in the order of the "
           << "characters asked for;\n   " << name << "_row(c) is the row of the glyph for the "
           << "Latin-1 code c, or " << name << "_NONE\n   for a character that the table does "
           << "not hold. */\n";
}

void CSubset::WriteDeclaration(const CharacterMap& map, const CArray& array,
                               QTextStream& stream) const
{
    const size_t count = Rows(map).size();
    if (count > SwitchMost) {
        stream << "extern " << array.Qualifiers() << "unsigned char " << array.Name() << "_codes["
               << count << "];\n";
    }
}

void CSubset::WriteTable(const CharacterMap& map, const CArray& array, bool header,
                         QTextStream& stream) const
{
    const std::vector<Row> rows = Rows(map);
    std::vector<CArray::TableRow> table;
    for (const Row& row : rows)
        table.push_back({&map.Name(row.index), &map.Glyph(row.index)});
    array.WriteRows(stream, table);
    stream << '\n';
    if (!header || rows.size() <= SwitchMost)
        return;
    stream << '\n'
           << array.Placement() << array.Qualifiers() << "unsigned char " << array.Name()
           << "_codes[" << rows.size() << "] = \n{";
    for (size_t index = 0; index < rows.size(); ++index) {
        stream << (index % CodesPerLine == 0 ? "\n    " : " ") << Message::Hex(rows[index].code)
               << (index + 1 < rows.size() ? "," : "\n");
    }
    stream << "};\n";
}

void CSubset::WriteLookUp(const CharacterMap& map, const CArray& array, QTextStream& stream) const
{
    const std::vector<Row> rows = Rows(map);
    // C89 has no inline: GCC's own keyword there keeps an unused look-up free of warnings.
    const QString signature = QStringLiteral(" unsigned short ") + array.Name() +
                              QStringLiteral("_row(unsigned char ") + array.Name() +
                              QStringLiteral("_c)\n");
    stream << "\n#if defined(__cplusplus) || (defined(__STDC_VERSION__) && __STDC_VERSION__ >= "
           << "199901L)\nstatic inline" << signature << "#elif defined(__GNUC__)\nstatic __inline__"
           << signature << "#else\nstatic" << signature << "#endif\n{\n";
    if (rows.size() <= SwitchMost)
        WriteSwitch(rows, array.Name(), stream);
    else
        WriteSearch(array, stream);
    stream << "}\n";
}

void CSubset::WriteSwitch(const std::vector<Row>& rows, const QString& name, QTextStream& stream)
{
    stream << "    switch (" << name << "_c) {\n";
    for (size_t index = 0; index < rows.size(); ++index)
        stream << "    case " << Message::Hex(rows[index].code) << ": return " << index << ";\n";
    stream << "    default: return " << name << "_NONE;\n    }\n";
}

// A loop over the codes, read from program memory where the table is there. The parameter and
// the counter take the array's prefix, so that they shadow none of the program's names.
void CSubset::WriteSearch(const CArray& array, QTextStream& stream)
{
    const QString& name = array.Name();
    const QString row = name + QStringLiteral("_i");
    const QString code = name + QStringLiteral("_codes[") + row + QLatin1Char(']');
    const QString wanted = QStringLiteral(" == ") + name + QStringLiteral("_c)\n");
    stream << "    unsigned short " << row << ";\n    for (" << row << " = 0; " << row << " < "
           << name << "_COUNT; ++" << row << ") {\n";
    if (array.GetStorage() == CArray::Storage::Progmem) {
        stream << "#if defined(__AVR__)\n        if (pgm_read_byte(&" << code << ")" << wanted
               << "#else\n        if (" << code << wanted << "#endif\n";
    } else {
        stream << "        if (" << code << wanted;
    }
    stream << "            return " << row << ";\n    }\n    return " << name << "_NONE;\n";
}
