#include "GfxWriter.h"

#include "CArray.h"
#include "CharacterMap.h"
#include "FontCharSet.h"
#include "GlyphComment.h"
#include "Message.h"
#include "MessageList.h"

#include <QRegularExpression>
#include <QTextStream>

#include <algorithm>
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
    int left = int(FontChar::ColumnCount), right = -1, top = int(FontChar::RowCount), bottom = -1;
    for (int row = 0; row < int(FontChar::RowCount); ++row) {
        for (int column = 0; column < int(FontChar::ColumnCount); ++column) {
            if (glyph.GetPixel(quint32(column), quint32(row))) {
                left = std::min(left, column), right = std::max(right, column);
                top = std::min(top, row), bottom = std::max(bottom, row);
            }
        }
    }
    Cropped cropped;
    if (right < 0)
        return cropped;
    cropped = {left, top, right - left + 1, bottom - top + 1, {}};
    cropped.bytes.resize(size_t(cropped.width * cropped.height + 7) / 8);
    for (int bit = 0; bit < cropped.width * cropped.height; ++bit) {
        if (glyph.GetPixel(quint32(left + bit % cropped.width), quint32(top + bit / cropped.width)))
            cropped.bytes[size_t(bit / 8)] |= quint8(0x80u >> (bit % 8));
    }
    return cropped;
}

// The row's comment: its code and the glyph's name, or that it has none.
QString Comment(const CharacterMap& map, int code)
{
    const quint32 index = map.GlyphIndex(code);
    return QStringLiteral(" /* ") + Message::Hex(code) + QStringLiteral(": ") +
           (index == CharacterMap::NoGlyph ? QStringLiteral("no glyph")
                                           : GlyphComment::Text(map.Name(index))) +
           QStringLiteral(" */\n");
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

} // namespace

GfxWriter::GfxWriter(const QString& name, const CodeRange& range, int baseline, bool standalone)
    : _name(name), _range(range), _baseline(baseline), _standalone(standalone)
{
}

bool GfxWriter::IsValidName(const QString& name, QString* reason)
{
    if (!CArray::IsValidName(name, reason))
        return false;
    for (const char* used : {"GFXfont", "GFXglyph", "int8_t", "uint8_t", "uint16_t"}) {
        if (name == QLatin1String(used))
            return Message::Fail(reason, QStringLiteral("is a type that the GFX font header uses"));
    }
    static const QRegularExpression declared(QLatin1String{Declared});
    if (declared.match(name).hasMatch()) {
        return Message::Fail(reason, QStringLiteral("is declared by the headers that the GFX font "
                                                    "header includes"));
    }
    return true;
}

QStringList GfxWriter::Identifiers(const QString& name)
{
    return {name, name + QStringLiteral("_Bitmaps"), name + QStringLiteral("_Glyphs"),
            QStringLiteral("PIXMINT_GFX_") + name + QStringLiteral("_H")};
}

QByteArray GfxWriter::Bytes(const FontCharSet& set, const QByteArray& encoding) const
{
    const CharacterMap map(set);
    QString text;
    QTextStream stream(&text);
    WriteStart(stream);
    WriteBitmaps(map, stream);
    WriteGlyphs(map, stream);
    stream << InFlash << "const GFXfont " << _name << " = {(uint8_t *)" << _name
           << "_Bitmaps, (GFXglyph *)" << _name << "_Glyphs, " << Message::Hex(_range.First())
           << ", " << Message::Hex(_range.Last()) << ", " << LineAdvance << "};\n\n#endif\n";
    stream.flush();
    return CArray::Encoded(text, encoding);
}

void GfxWriter::Warnings(const FontCharSet& set, MessageList& warnings) const
{
    const QString missing = CharacterMap(set).MissingCodes(_range);
    if (!missing.isEmpty()) {
        warnings.Add(Message::Text(
            u"the font has no glyph for %1: the GFX font %2 draws nothing there and moves on",
            {missing, _name}));
    }
}

// How it was made, without a date or a path, so that builds stay reproducible.
void GfxWriter::WriteStart(QTextStream& stream) const
{
    const QString guard = QStringLiteral("PIXMINT_GFX_") + _name + QStringLiteral("_H");
    stream << "/* Auto generated file: Adafruit GFX font " << _name << ", for setFont(&" << _name
           << ")\n   codes " << Message::Hex(_range.First()) << " to "
           << Message::Hex(_range.Last())
           << " of 5 x 8 pixels, advance 6; each glyph's bitmap is the box of its\n"
           << "   lit pixels (width, height, xOffset, yOffset), row by row, the most significant\n"
           << "   bit first, the bits running on across rows; the cursor's y is the baseline,\n"
           << "   just below grid row " << _baseline << " */\n#ifndef " << guard << "\n#define "
           << guard << "\n\n";
    if (_standalone)
        stream << Types;
    else
        stream << "#include <Adafruit_GFX.h>\n";
    stream << '\n';
}

void GfxWriter::WriteBitmaps(const CharacterMap& map, QTextStream& stream) const
{
    stream << InFlash << "const uint8_t " << _name << "_Bitmaps[] = {\n";
    bool empty = true;
    for (int code = _range.First(); code <= _range.Last(); ++code) {
        const quint32 index = map.GlyphIndex(code);
        const std::vector<quint8> bytes =
            index == CharacterMap::NoGlyph ? std::vector<quint8>() : Crop(map.Glyph(index)).bytes;
        if (bytes.empty())
            continue;
        stream << "   ";
        for (const quint8 byte : bytes)
            stream << ' ' << Message::Hex(byte) << ',';
        stream << Comment(map, code);
        empty = false;
    }
    // C++ has no empty array.
    if (empty)
        stream << "    0x00 /* no code of the range has a lit pixel: never read */\n";
    stream << "};\n\n";
}

// Each code's box is placed from the cursor's baseline: the cell's top row is baseline + 1
// rows above the cursor, the box's top row that less its own row in the cell. A code without a
// glyph or without ink has no pixels, but the cursor still moves on; its offset is the next
// glyph's, as no byte of its own is read.
void GfxWriter::WriteGlyphs(const CharacterMap& map, QTextStream& stream) const
{
    stream << InFlash << "const GFXglyph " << _name << "_Glyphs[] = {\n";
    int offset = 0;
    for (int code = _range.First(); code <= _range.Last(); ++code) {
        const quint32 index = map.GlyphIndex(code);
        const Cropped box = index == CharacterMap::NoGlyph ? Cropped() : Crop(map.Glyph(index));
        const int top = box.bytes.empty() ? 0 : box.top - (_baseline + 1);
        stream << "    {" << offset << ", " << box.width << ", " << box.height << ", "
               << FontChar::Advance << ", " << box.left << ", " << top << '}'
               << (code < _range.Last() ? "," : "") << Comment(map, code);
        offset += int(box.bytes.size());
    }
    stream << "};\n\n";
}
