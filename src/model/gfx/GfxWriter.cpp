#include "GfxWriter.h"

#include "CArray.h"
#include "CharacterMap.h"
#include "FontCharSet.h"
#include "GlyphComment.h"
#include "Message.h"
#include "MessageList.h"
#include "NumberText.h"

#include <QRegularExpression>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// A glyph cut down to the box of its lit pixels: what the library stores of it, and where
// the box stands in the 5 x 8 cell. A glyph without ink is 0 x 0 and stores no byte.
struct Cropped
{
    int left = 0, top = 0, width = 0, height = 0;
    std::vector<quint8> bytes;
};

// The box's pixels row by row, left to right, most significant bit first, the bits running on
// from one row to the next; the library starts each glyph at a byte of its own.
Cropped Crop(const FontChar& glyph)
{
    quint8 columns[FontChar::ColumnCount];
    int left = int(FontChar::ColumnCount), right = -1;
    quint32 rows = 0; // bit n: row n has a lit pixel
    for (int column = 0; column < int(FontChar::ColumnCount); ++column) {
        columns[column] = glyph.GetColumn(quint32(column));
        rows |= columns[column];
        if (columns[column])
            left = std::min(left, column), right = column;
    }
    Cropped cropped;
    if (right < 0)
        return cropped;
    int top = 0, bottom = int(FontChar::RowCount) - 1;
    while (!(rows & (1u << top)))
        ++top;
    while (!(rows & (1u << bottom)))
        --bottom;
    cropped = {left, top, right - left + 1, bottom - top + 1, {}};
    cropped.bytes.resize(size_t(cropped.width * cropped.height + 7) / 8);
    for (int bit = 0; bit < cropped.width * cropped.height; ++bit) {
        if (columns[left + bit % cropped.width] & (1u << (top + bit / cropped.width)))
            cropped.bytes[size_t(bit / 8)] |= quint8(0x80u >> (bit % 8));
    }
    return cropped;
}

// Whether a name stands in a comment as it is (GlyphComment::Text gives it back unchanged):
// printable ASCII without the characters that it escapes or separates.
bool IsPlainName(const std::string& name)
{
    return std::all_of(name.begin(), name.end(), [](char character) {
        return character >= ' ' && character <= '~' && character != '*' && character != '/' &&
               character != '\\';
    });
}

// "0x" and at least two lower-case digits, as Message::Hex writes a code or a byte.
void AppendHex(std::string& text, int value)
{
    text += "0x";
    NumberText::AppendHex(text, quint64(value), 2, NumberText::Letters::Lower);
}

// The row's comment: its code and the glyph's name, or that it has none.
void AppendComment(std::string& text, const CharacterMap& map, int code)
{
    const quint32 index = map.GlyphIndex(code);
    text += " /* ";
    AppendHex(text, code);
    text += ": ";
    if (index == CharacterMap::NoGlyph)
        text += "no glyph";
    else if (IsPlainName(map.Name(index)))
        text += map.Name(index);
    else
        text += GlyphComment::Text(map.Name(index)).toStdString();
    text += " */\n";
}

// The library's gfxfont.h, field for field, under its own guard: whichever comes first
// declares the types.
constexpr char Types[] = "#include <stdint.h>\n\n"
                         "#ifndef _GFXFONT_H_\n#define _GFXFONT_H_\n"
                         "typedef struct {\n"
                         "    uint16_t bitmapOffset;\n"
                         "    uint8_t width;\n"
                         "    uint8_t height;\n"
                         "    uint8_t xAdvance;\n"
                         "    int8_t xOffset;\n"
                         "    int8_t yOffset;\n"
                         "} GFXglyph;\n"
                         "typedef struct {\n"
                         "    uint8_t *bitmap;\n"
                         "    GFXglyph *glyph;\n"
                         "    uint16_t first;\n"
                         "    uint16_t last;\n"
                         "    uint8_t yAdvance;\n"
                         "} GFXfont;\n"
                         "#endif\n";

// What the header's includes already declare, which a font of that name would declare again:
// <stdint.h>'s types and macros, <stddef.h>'s (which the library brings) and C++'s namespace
// std. In a build the header is NAME.h, which must not hide the library's <Adafruit_GFX.h>: it
// would include itself instead.
constexpr char Declared[] = "^(?:u?int(?:_least|_fast)?[0-9]+_t|u?int(?:ptr|max)_t"
                            "|U?INT(?:_LEAST|_FAST)?[0-9]+_(?:MAX|MIN|WIDTH|C)"
                            "|U?INT(?:PTR|MAX)_(?:MAX|MIN|WIDTH|C)"
                            "|(?:SIZE|PTRDIFF|SIG_ATOMIC|WCHAR|WINT)_(?:MAX|MIN|WIDTH)"
                            "|size_t|ptrdiff_t|max_align_t|NULL|offsetof|std|Adafruit_GFX)$";

// Before each declaration: in flash, as the library reads it (pgm_read_*). The platform's
// PROGMEM where it has one; on AVR avr-gcc's own attribute, which PROGMEM stands for, without
// <avr/pgmspace.h>, whose macros (SREG, PGM_P, memcpy_P) could take the font's name.
constexpr char InFlash[] = "#if defined(PROGMEM)\nPROGMEM\n"
                           "#elif defined(__AVR__)\n__attribute__((__progmem__))\n#endif\n";

// A code of the range as both tables write it: its box and its comment, made once.
struct Row
{
    Cropped box;
    std::string comment;
};

std::vector<Row> Rows(const CharacterMap& map, const CodeRange& range)
{
    std::vector<Row> rows;
    rows.reserve(size_t(range.Last() - range.First() + 1));
    for (int code = range.First(); code <= range.Last(); ++code) {
        const quint32 index = map.GlyphIndex(code);
        Row row;
        if (index != CharacterMap::NoGlyph)
            row.box = Crop(map.Glyph(index));
        AppendComment(row.comment, map, code);
        rows.push_back(std::move(row));
    }
    return rows;
}

void WriteBitmaps(const std::vector<Row>& rows, const std::string& name, std::string& text)
{
    text += InFlash;
    text += "const uint8_t " + name + "_Bitmaps[] = {\n";
    bool empty = true;
    for (const Row& row : rows) {
        if (row.box.bytes.empty())
            continue;
        text += "   ";
        for (const quint8 byte : row.box.bytes) {
            text += ' ';
            AppendHex(text, byte);
            text += ',';
        }
        text += row.comment;
        empty = false;
    }
    // C++ has no empty array.
    if (empty)
        text += "    0x00 /* no code of the range has a lit pixel: never read */\n";
    text += "};\n\n";
}

// Each code's box is placed from the cursor's baseline: the cell's top row is baseline + 1
// rows above the cursor, the box's top row that less its own row in the cell. A code without a
// glyph or without ink has no pixels, but the cursor still moves on; its offset is the next
// glyph's, as no byte of its own is read.
void WriteGlyphs(const std::vector<Row>& rows, int baseline, const std::string& name,
                 std::string& text)
{
    text += InFlash;
    text += "const GFXglyph " + name + "_Glyphs[] = {\n";
    int offset = 0;
    for (const Row& row : rows) {
        const Cropped& box = row.box;
        const int top = box.bytes.empty() ? 0 : box.top - (baseline + 1);
        text += "    {";
        for (const int field : {offset, box.width, box.height, int(FontChar::Advance), box.left})
            text += std::to_string(field) + ", ";
        text += std::to_string(top) + '}' + (&row != &rows.back() ? "," : "");
        text += row.comment;
        offset += int(row.box.bytes.size());
    }
    text += "};\n\n";
}

} // namespace

GfxWriter::GfxWriter(const QString& name, const CodeRange& range, int baseline, bool standalone)
    : _name(name), _range(range), _baseline(baseline), _standalone(standalone)
{
}

Status GfxWriter::IsValidName(const QString& name)
{
    if (Status valid = CArray::IsValidName(name); !valid)
        return valid;
    for (const char* used : {"GFXfont", "GFXglyph", "int8_t", "uint8_t", "uint16_t"}) {
        if (name == QLatin1String(used))
            return Status::Failure(QStringLiteral("is a type that the GFX font header uses"));
    }
    static const QRegularExpression declared(QLatin1String{Declared});
    if (declared.match(name).hasMatch()) {
        return Status::Failure(QStringLiteral("is declared by the headers that the GFX font "
                                              "header includes"));
    }
    return Status();
}

QStringList GfxWriter::Identifiers(const QString& name)
{
    return {name, name + QStringLiteral("_Bitmaps"), name + QStringLiteral("_Glyphs"),
            QStringLiteral("PIXMINT_GFX_") + name + QStringLiteral("_H")};
}

// The header is built as UTF-8 in one string, without a text stream: a build runs this once a
// font, so its start-up is most of what it costs.
QByteArray GfxWriter::Bytes(const FontCharSet& set, const QByteArray& encoding) const
{
    const CharacterMap map(set);
    const std::string name = _name.toStdString();
    std::string text;
    text.reserve(size_t(_range.Last() - _range.First() + 1) * 96 + 2048);
    WriteStart(name, text);
    const std::vector<Row> rows = Rows(map, _range);
    WriteBitmaps(rows, name, text);
    WriteGlyphs(rows, _baseline, name, text);
    text += InFlash;
    text += "const GFXfont " + name + " = {(uint8_t *)" + name + "_Bitmaps, (GFXglyph *)" + name +
            "_Glyphs, ";
    AppendHex(text, _range.First());
    text += ", ";
    AppendHex(text, _range.Last());
    text += ", " + std::to_string(LineAdvance) + "};\n\n#endif\n";
    return CArray::Encoded(QString::fromStdString(text), encoding);
}

void GfxWriter::Warnings(const FontCharSet& set, MessageList& warnings) const
{
    CharacterMap(set).MissingWarning(
        _range, Message::Text(u"the GFX font %1 draws nothing there and moves on", {_name}),
        warnings);
}

// How it was made, without a date or a path, so that builds stay reproducible.
void GfxWriter::WriteStart(const std::string& name, std::string& text) const
{
    const std::string guard = "PIXMINT_GFX_" + name + "_H";
    text += "/* Auto generated file: Adafruit GFX font " + name + ", for setFont(&" + name +
            ")\n   codes ";
    AppendHex(text, _range.First());
    text += " to ";
    AppendHex(text, _range.Last());
    text += " of 5 x 8 pixels, advance 6; each glyph's bitmap is the box of its\n"
            "   lit pixels (width, height, xOffset, yOffset), row by row, the most significant\n"
            "   bit first, the bits running on across rows; the cursor's y is the baseline,\n"
            "   just below grid row " +
            std::to_string(_baseline) + " */\n#ifndef " + guard + "\n#define " + guard + "\n\n";
    text += _standalone ? Types : "#include <Adafruit_GFX.h>\n";
    text += '\n';
}
