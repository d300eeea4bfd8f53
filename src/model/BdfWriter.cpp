#include "BdfWriter.h"

#include "CharacterMap.h"
#include "GlyphName.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <vector>

namespace {

// The cell is as high as the font, at the resolution of the X11 misc-fixed fonts, whose
// 8-pixel size is called 8 points.
constexpr int PixelSize = int(FontChar::RowCount);
constexpr int Resolution = 75;
constexpr int PointSize = 8;
// The advance in thousandths of the point size, as BDF defines SWIDTH.
constexpr int ScalableWidth = int(FontChar::Advance) * 1000 * 72 / (PointSize * Resolution);
// BDF readers read lines into buffers of a few hundred bytes and take what does not fit as
// the next line: longer names are cut in their comment (BdfWriter::LongestCommentName).
constexpr char CutMark[] = "...";

QByteArray Number(qint64 value)
{
    return QByteArray::number(value);
}

QByteArray Hex(int value, int digits)
{
    return QByteArray::number(value, 16).toUpper().rightJustified(digits, '0');
}

// Whether a glyph name is a BDF glyph name as it stands: up to 14 ASCII letters, digits, "."
// and "_", not starting with a digit or ".", which every reader takes.
bool IsPlainName(const std::string& name)
{
    constexpr size_t Longest = 14;
    if (name.empty() || name.size() > Longest || (name[0] >= '0' && name[0] <= '9') ||
        name[0] == '.')
        return false;
    for (const char character : name) {
        const bool letter =
            (character >= 'A' && character <= 'Z') || (character >= 'a' && character <= 'z');
        if (!letter && !(character >= '0' && character <= '9') && character != '.' &&
            character != '_')
            return false;
    }
    return true;
}

// A glyph name as ASCII that gives every byte back: printable ASCII as it is but for "\" and
// the quotation mark, which get a backslash, every other byte as \xHH. A name whose escapes
// would be longer than LongestCommentName is cut there, between two escapes. In a property
// the quotation mark is \x22: BDF readers end a property's string at any quotation mark that
// is not doubled.
QByteArray EscapedName(const std::string& name, bool& cut, bool property = false)
{
    QByteArray escaped;
    cut = false;
    for (const char byte : name) {
        const quint8 value = quint8(byte);
        QByteArray next(1, byte);
        if (byte == '\\' || (byte == '"' && !property))
            next.prepend('\\');
        else if (value < 0x20 || value >= 0x7F || byte == '"')
            next = "\\x" + Hex(value, 2);
        if (escaped.size() + next.size() > BdfWriter::LongestCommentName) {
            cut = true;
            break;
        }
        escaped += next;
    }
    return escaped;
}

// The code a glyph is written with: its label's, unless an earlier glyph has it.
int WrittenCode(const CharacterMap& map, quint32 index)
{
    const int code = CharacterMap::Code(map.Name(index));
    return code >= 0 && map.GlyphIndex(code) == index ? code : -1;
}

// One BDF name a glyph, no two alike: the glyph's own where it is plain; otherwise uniXXXX by
// its label's code, or glyphN by its index, with .1, .2 and so on where that name is taken.
std::vector<std::string> BdfNames(const CharacterMap& map)
{
    std::vector<std::string> names(map.Count());
    std::set<std::string> used;
    for (quint32 index = 0; index < map.Count(); ++index) {
        if (IsPlainName(map.Name(index))) {
            names[index] = map.Name(index);
            used.insert(names[index]);
        }
    }
    // The next variant of each base, so that many glyphs for one code take linear time.
    std::map<std::string, int> variants;
    for (quint32 index = 0; index < map.Count(); ++index) {
        if (!names[index].empty())
            continue;
        const int code = CharacterMap::Code(map.Name(index));
        const std::string base =
            (code >= 0 ? "uni" + Hex(code, 4) : "glyph" + Number(index)).toStdString();
        std::string name = base;
        int& variant = variants[base];
        while (!used.insert(name).second)
            name = base + '.' + std::to_string(++variant);
        names[index] = name;
    }
    return names;
}

// The glyph's rows, top first, each a byte with the left column in bit 7.
QByteArray Bitmap(const FontChar& glyph)
{
    QByteArray rows;
    for (quint32 row = 0; row < FontChar::RowCount; ++row) {
        int bits = 0;
        for (quint32 column = 0; column < FontChar::ColumnCount; ++column)
            bits |= glyph.GetPixel(column, row) ? 0x80 >> column : 0;
        rows += Hex(bits, 2) + '\n';
    }
    return rows;
}

} // namespace

BdfWriter::BdfWriter(int baseline) : _baseline(baseline) {}

bool BdfWriter::Accepts(const FontCharSet& set, QString* reason)
{
    if (set.Count() > 0)
        return true;
    if (reason)
        *reason = QStringLiteral("the font has no glyphs, and BDF readers refuse a font without "
                                 "glyphs");
    return false;
}

QByteArray BdfWriter::Bytes(const FontCharSet& set) const
{
    const CharacterMap map(set);
    const int ascent = _baseline + 1;
    const int descent = PixelSize - ascent;
    // Every glyph fills the 5 x 8 cell, whose lowest row is the descent below the baseline.
    const QByteArray box =
        Number(FontChar::ColumnCount) + ' ' + Number(PixelSize) + " 0 " + Number(-descent);
    const QByteArray family = "Pixmint";
    QByteArrayList properties = {
        "FOUNDRY \"Misc\"",
        "FAMILY_NAME \"" + family + '"',
        "WEIGHT_NAME \"Medium\"",
        "SLANT \"R\"",
        "SETWIDTH_NAME \"Normal\"",
        "ADD_STYLE_NAME \"\"",
        "PIXEL_SIZE " + Number(PixelSize),
        "POINT_SIZE " + Number(PointSize * 10),
        "RESOLUTION_X " + Number(Resolution),
        "RESOLUTION_Y " + Number(Resolution),
        "SPACING \"C\"",
        "AVERAGE_WIDTH " + Number(int(FontChar::Advance) * 10),
        "CHARSET_REGISTRY \"ISO8859\"",
        "CHARSET_ENCODING \"1\"",
        "FONT_ASCENT " + Number(ascent),
        "FONT_DESCENT " + Number(descent),
    };
    // The names of the glyphs that have a code, where the code's default name is another: the
    // properties are what PCF keeps besides the glyphs that have a code, and the count says
    // that the font is Pixmint's.
    QByteArrayList named;
    for (quint32 index = 0; index < map.Count(); ++index) {
        const int code = WrittenCode(map, index);
        bool cut = false;
        if (code >= 0 && map.Name(index) != CharacterMap::NewGlyphName(code)) {
            named << NameProperty + Hex(code, 2) + " \"" + EscapedName(map.Name(index), cut, true) +
                         '"';
        }
    }
    properties << NameCountProperty + (' ' + Number(named.size())) << named;
    // What a reader shows for a character the font lacks: "?", or else a blank.
    for (const int code : {int('?'), int(' ')}) {
        if (map.GlyphIndex(code) != CharacterMap::NoGlyph) {
            properties << "DEFAULT_CHAR " + Number(code);
            break;
        }
    }
    // The XLFD name: the properties above in their order, spacing and width included.
    const QByteArray fontName = "-Misc-" + family + "-Medium-R-Normal--" + Number(PixelSize) + '-' +
                                Number(PointSize * 10) + '-' + Number(Resolution) + '-' +
                                Number(Resolution) + "-C-" + Number(int(FontChar::Advance) * 10) +
                                "-ISO8859-1";
    QByteArrayList lines = {
        "STARTFONT 2.1",
        MadeByComment + QByteArray(": 5 x 8 glyphs in the order of their names"),
        "FONT " + fontName,
        "SIZE " + Number(PointSize) + ' ' + Number(Resolution) + ' ' + Number(Resolution),
        "FONTBOUNDINGBOX " + box,
        "STARTPROPERTIES " + Number(properties.size()),
    };
    lines << properties << "ENDPROPERTIES"
          << "CHARS " + Number(map.Count());
    QByteArray bdf = lines.join('\n') + '\n';

    const QByteArray metrics = "SWIDTH " + Number(ScalableWidth) + " 0\nDWIDTH " +
                               Number(int(FontChar::Advance)) + " 0\nBBX " + box + '\n';
    const std::vector<std::string> names = BdfNames(map);
    for (quint32 index = 0; index < map.Count(); ++index) {
        const std::string& name = map.Name(index);
        if (names[index] != name) {
            bool cut = false;
            const QByteArray escaped = EscapedName(name, cut);
            bdf += QByteArray(NameComment) + escaped + '"' + (cut ? CutMark : "") + '\n';
        }
        bdf += "STARTCHAR " + QByteArray::fromStdString(names[index]) + "\nENCODING " +
               Number(WrittenCode(map, index)) + '\n' + metrics + "BITMAP\n" +
               Bitmap(map.Glyph(index)) + "ENDCHAR\n";
    }
    return bdf + "ENDFONT\n";
}

QStringList BdfWriter::Warnings(const FontCharSet& set) const
{
    const CharacterMap map(set);
    QStringList warnings;
    for (const quint32 index : map.Repeated()) {
        const int code = CharacterMap::Code(map.Name(index));
        warnings << QStringLiteral("glyph \"%1\" stands for the code 0x%2 like \"%3\", which "
                                   "comes first: the BDF font has it with ENCODING -1")
                        .arg(GlyphName::ToString(map.Name(index)),
                             QString::fromLatin1(Hex(code, 2)),
                             GlyphName::ToString(map.Name(map.GlyphIndex(code))));
    }
    for (quint32 index = 0; index < map.Count(); ++index) {
        bool cut = false;
        if (IsPlainName(map.Name(index)))
            continue;
        EscapedName(map.Name(index), cut);
        if (cut) {
            warnings << QStringLiteral("glyph \"%1\" has a name of %2 characters, longer than "
                                       "the line of its BDF comment holds (%3 with escapes): "
                                       "it is cut there, and comes back cut")
                            .arg(GlyphName::Shown(map.Name(index)),
                                 QString::number(map.Name(index).size()),
                                 QString::number(LongestCommentName));
        }
    }
    return warnings;
}

bool BdfWriter::ReadNameComment(QByteArrayView line, std::string& name, bool& cut)
{
    if (!line.startsWith(NameComment))
        return false;
    const QByteArrayView text = line.sliced(qsizetype(sizeof NameComment) - 1);
    const qsizetype end = Unescape(text, name);
    if (end < 0 || end == text.size())
        return false;
    const QByteArrayView rest = text.sliced(end + 1);
    cut = rest == CutMark;
    return cut || rest.isEmpty();
}

qsizetype BdfWriter::Unescape(QByteArrayView text, std::string& name)
{
    name.clear();
    for (qsizetype index = 0; index < text.size(); ++index) {
        const char c = text[index];
        if (c == '"')
            return index;
        if (c != '\\') {
            name += c;
        } else if (index + 1 < text.size() && text[index + 1] != 'x') {
            name += text[++index];
        } else {
            if (index + 3 >= text.size() || !std::isxdigit(quint8(text[index + 2])) ||
                !std::isxdigit(quint8(text[index + 3])))
                return -1;
            name += char(text.sliced(index + 2, 2).toByteArray().toInt(nullptr, 16));
            index += 3;
        }
    }
    return text.size();
}
