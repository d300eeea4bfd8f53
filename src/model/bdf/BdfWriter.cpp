#include "BdfWriter.h"

#include "CharacterMap.h"
#include "GlyphName.h"
#include "Message.h"
#include "MessageList.h"
#include "NumberText.h"
#include "PlainGlyphNames.h"
#include "TextEscape.h"

#include <cstring>
#include <string_view>

namespace {

// The cell is as high as the font, at the resolution of the X11 misc-fixed fonts, whose
// 8-pixel size is called 8 points.
constexpr int PixelSize = int(FontChar::RowCount);
constexpr int Resolution = 75;
constexpr int PointSize = 8;
// The advance in thousandths of the point size, as BDF defines SWIDTH.
constexpr int ScalableWidth = int(FontChar::Advance) * 1000 * 72 / (PointSize * Resolution);

QByteArray Number(qint64 value)
{
    return QByteArray::number(value);
}

// Upper-case hexadecimal digits, at least that many.
void AppendHex(std::string& text, unsigned value, int digits)
{
    NumberText::AppendHex(text, value, digits, NumberText::Letters::Upper);
}

// Appends to a QByteArray that grows to hundreds of megabytes: resize grows it in place,
// where append copies it at each growth and keeps both copies until the copy is done.
void AppendLarge(QByteArray& bytes, std::string_view text)
{
    const qsizetype size = bytes.size();
    bytes.resize(size + qsizetype(text.size()));
    std::memcpy(bytes.data() + size, text.data(), text.size());
}

// A glyph name as ASCII that gives every byte back (TextEscape::Where::BdfComment, or
// BdfProperty in a property). A name whose escapes would be longer than LongestCommentName
// is cut there, between two escapes.
void AppendEscapedName(std::string& text, const std::string& name, bool& cut, bool property = false)
{
    const size_t start = text.size();
    cut = false;
    for (const char byte : name) {
        const size_t before = text.size();
        TextEscape::AppendByte(text, quint8(byte),
                               property ? TextEscape::Where::BdfProperty
                                        : TextEscape::Where::BdfComment);
        if (text.size() - start > size_t(BdfWriter::LongestCommentName)) {
            text.resize(before);
            cut = true;
            return;
        }
    }
}

QByteArray EscapedName(const std::string& name, bool& cut, bool property = false)
{
    std::string text;
    AppendEscapedName(text, name, cut, property);
    return QByteArray::fromStdString(text);
}

// A glyph from the comment that gives its Pixmint name, where its BDF name differs, to
// ENDCHAR; the rows of its bitmap top first, each a byte with the left column in bit 7.
void AppendGlyph(std::string& text, const std::string& name, const std::string& bdfName, int code,
                 std::string_view metrics, const FontChar& glyph)
{
    if (bdfName != name) {
        bool cut = false;
        text += BdfWriter::NameComment;
        AppendEscapedName(text, name, cut);
        text += '"';
        if (cut)
            text += BdfWriter::CutMark;
        text += '\n';
    }
    text += "STARTCHAR ";
    text += bdfName;
    text += "\nENCODING ";
    text += std::to_string(code);
    text += '\n';
    text += metrics;
    text += "BITMAP\n";
    for (quint32 row = 0; row < FontChar::RowCount; ++row) {
        unsigned bits = 0;
        for (quint32 column = 0; column < FontChar::ColumnCount; ++column)
            bits |= glyph.GetPixel(column, row) ? 0x80u >> column : 0u;
        AppendHex(text, bits, 2);
        text += '\n';
    }
    text += "ENDCHAR\n";
}

// The names of the glyphs that have a code, where the code's default name is another: the
// properties are what PCF keeps besides the glyphs that have a code, and their count, written
// first, says that the font is Pixmint's.
QByteArrayList NameProperties(const CharacterMap& map)
{
    QByteArrayList named;
    for (quint32 index = 0; index < map.Count(); ++index) {
        const int code = map.CodeOf(index);
        bool cut = false;
        if (code >= 0 && map.Name(index) != CharacterMap::NewGlyphName(code)) {
            named << BdfWriter::NamePropertyKey(code) + " \"" +
                         EscapedName(map.Name(index), cut, true) + '"';
        }
    }
    named.prepend(BdfWriter::NameCountProperty + (' ' + Number(named.size())));
    return named;
}

// The font's properties: the fields of its XLFD name, its ascent and descent, the names of
// its glyphs for PCF, and what a reader shows for a character that the font lacks: "?", or
// else a blank.
QByteArrayList Properties(const CharacterMap& map, const QByteArray& family, int ascent,
                          int descent)
{
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
    properties << NameProperties(map);
    for (const int code : {int('?'), int(' ')}) {
        if (map.GlyphIndex(code) != CharacterMap::NoGlyph) {
            properties << "DEFAULT_CHAR " + Number(code);
            break;
        }
    }
    return properties;
}

} // namespace

BdfWriter::BdfWriter(int baseline, const QByteArray& family, const QString& importer)
    : _baseline(baseline), _family(family), _importer(importer)
{
}

Status BdfWriter::Accepts(const FontCharSet& set)
{
    if (set.Count() > 0)
        return Status();
    return Status::Failure(QStringLiteral("the font has no glyphs, and BDF readers refuse a "
                                          "font without glyphs"));
}

QByteArray BdfWriter::Bytes(const FontCharSet& set) const
{
    const CharacterMap map(set);
    const int ascent = _baseline + 1;
    const int descent = PixelSize - ascent;
    // Every glyph fills the 5 x 8 cell, whose lowest row is the descent below the baseline.
    const QByteArray box =
        Number(FontChar::ColumnCount) + ' ' + Number(PixelSize) + " 0 " + Number(-descent);
    const QByteArrayList properties = Properties(map, _family, ascent, descent);
    // The XLFD name: the properties in their order, spacing and width included.
    const QByteArray fontName = QByteArray("-Misc-") + _family + "-Medium-R-Normal--" +
                                Number(PixelSize) + '-' + Number(PointSize * 10) + '-' +
                                Number(Resolution) + '-' + Number(Resolution) + "-C-" +
                                Number(int(FontChar::Advance) * 10) + "-ISO8859-1";
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
    PlainGlyphNames names(map);
    std::string glyph;
    for (quint32 index = 0; index < map.Count(); ++index) {
        glyph.clear();
        AppendGlyph(glyph, map.Name(index), names.Name(index), map.CodeOf(index),
                    std::string_view(metrics.constData(), size_t(metrics.size())),
                    map.Glyph(index));
        AppendLarge(bdf, glyph);
    }
    AppendLarge(bdf, "ENDFONT\n");
    return bdf;
}

void BdfWriter::Warnings(const FontCharSet& set, MessageList& warnings) const
{
    const CharacterMap map(set);
    // Measured with bdftopcf 1.1, pcf2bdf 1.07 and FreeType 2.12: each exits 0 or writes on.
    if (map.Count() > MaxPcfGlyphs) {
        warnings.Add(Message::Text(u"the BDF font has %1 glyphs: FreeType reads it, but bdftopcf "
                                   u"makes of it a PCF font that FreeType and pcf2bdf cannot read "
                                   u"whole (at most %2 glyphs)",
                                   {map.Count(), MaxPcfGlyphs}));
    }
    if (map.Count() > MaxCodedGlyphs) {
        const QString lost = _importer.isEmpty()
                                 ? QStringLiteral("the BDF font cannot be read back")
                                 : _importer + QStringLiteral(" cannot read the BDF font back");
        warnings.Add(Message::Text(u"%1: FreeType finds at most %2 glyphs of a BDF font by their "
                                   u"codes",
                                   {lost, MaxCodedGlyphs}));
    }
    bool coded = false;
    for (int code = 0; code < CharacterMap::CodeCount && !coded; ++code)
        coded = map.GlyphIndex(code) != CharacterMap::NoGlyph;
    if (!coded && map.Count() > 0) {
        warnings.Add(QStringLiteral("no glyph stands for a character, so every ENCODING is -1: "
                                    "FreeType reads the BDF font, but bdftopcf makes of it a PCF "
                                    "font that FreeType and pcf2bdf cannot read"));
    }
    map.RepeatedWarnings(QStringLiteral("the BDF font has it with ENCODING -1"), warnings);
    std::string escaped;
    for (quint32 index = 0; index < map.Count(); ++index) {
        bool cut = false;
        if (PlainGlyphNames::IsPlain(map.Name(index)))
            continue;
        escaped.clear();
        AppendEscapedName(escaped, map.Name(index), cut);
        if (!cut)
            continue;
        if (warnings.IsFull()) {
            warnings.AddUnlisted(1);
            continue;
        }
        warnings.Add(Message::Text(
            u"glyph %1 has a name of %2 characters, longer than the line "
            u"of its BDF comment holds (%3 with escapes): it is cut there, "
            u"and comes back cut",
            {GlyphName::Quoted(map.Name(index)), map.Name(index).size(), LongestCommentName}));
    }
}

QByteArray BdfWriter::NamePropertyKey(int code)
{
    return NameProperty + NumberText::Hex(unsigned(code), 2, NumberText::Letters::Upper).toLatin1();
}
