#include "TrueTypeWriter.h"

#include "CharacterMap.h"
#include "FontCharSet.h"
#include "Message.h"
#include "MessageList.h"
#include "PlainGlyphNames.h"
#include "SfntData.h"
#include "TrueTypeGlyphs.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

constexpr int Em = int(FontChar::RowCount) * TrueTypeWriter::UnitsPerPixel;
constexpr int Advance = int(FontChar::Advance) * TrueTypeWriter::UnitsPerPixel;
// The size at which every pixel is one pixel of the screen.
constexpr int PixelsPerEm = int(FontChar::RowCount);
// Seconds from 1904, where TrueType's dates start, to 1970.
constexpr qint64 From1904To1970 = 2082844800;
// post names its glyphs by index: below 258 the standard Macintosh names, from 258 on its own
// names in order, up to the largest 16-bit index.
constexpr int StandardNames = 258;
constexpr quint32 MaxOwnNames = FontCharSet::Max16BitCount - StandardNames + 1;
constexpr char Version[] = "Version 1.000";

// The table directory and the tables in the order given, each padded to four bytes; the
// directory lists them by tag. Last, head's checkSumAdjustment makes the whole font add up
// to the number that TrueType fixes.
QByteArray Font(const std::vector<std::pair<QByteArray, QByteArray>>& tables)
{
    std::vector<std::pair<QByteArray, QByteArray>> sorted = tables;
    std::sort(sorted.begin(), sorted.end());
    const int count = int(tables.size());
    SfntData font;
    font.U32(0x00010000).U16(count).SearchFields(count, 16);
    SfntData data;
    int headAt = 0;
    std::vector<int> offsets;
    for (const auto& [tag, table] : tables) {
        offsets.push_back(12 + 16 * count + data.Size());
        if (tag == "head")
            headAt = offsets.back();
        data.Append(table).Pad();
    }
    for (const auto& [tag, table] : sorted) {
        const auto at = std::find_if(tables.begin(), tables.end(), [&tag = tag](const auto& entry) {
            return entry.first == tag;
        });
        font.Append(tag).U32(SfntData::Checksum(table));
        font.U32(quint32(offsets[size_t(at - tables.begin())])).U32(quint32(table.size()));
    }
    QByteArray bytes = font.Append(data.Bytes()).Bytes();
    const quint32 adjustment = 0xB1B0AFBA - SfntData::Checksum(bytes);
    bytes.replace(headAt + 8, 4, SfntData().U32(adjustment).Bytes());
    return bytes;
}

} // namespace

TrueTypeWriter::TrueTypeWriter(const QString& name, int baseline, qint64 time)
    : _name(name), _baseline(baseline), _time(time)
{
}

Status TrueTypeWriter::IsValidName(const QString& name)
{
    constexpr qsizetype Longest = 63;
    bool plain = !name.isEmpty() && name.size() <= Longest;
    for (const QChar character : name) {
        plain = plain && character > u' ' && character < u'\x7F' &&
                !QStringLiteral("[]{}()<>/%").contains(character);
    }
    if (plain)
        return Status();
    return Status::Failure(QStringLiteral("is not a PostScript name, as a TrueType font's "
                                          "name must be: 1 to 63 printable ASCII "
                                          "characters, none of them blank or one of "
                                          "[]{}()<>/%"));
}

Status TrueTypeWriter::Accepts(const FontCharSet& set)
{
    if (set.Count() <= MaxGlyphs)
        return Status();
    return Status::Failure(Message::Text(u"the font has %1 glyphs, and a TrueType font "
                                         u"holds at most %2 besides .notdef",
                                         {set.Count(), MaxGlyphs}));
}

QByteArray TrueTypeWriter::Bytes(const FontCharSet& set) const
{
    const CharacterMap map(set);
    const TrueTypeGlyphs glyphs(map, _baseline, UnitsPerPixel);
    // In the order that TrueType recommends for a file.
    return Font({{"head", Head(glyphs)},
                 {"hhea", Hhea(glyphs)},
                 {"maxp", Maxp(glyphs)},
                 {"OS/2", Os2(map)},
                 {"hmtx", glyphs.Hmtx(Advance)},
                 {"cmap", Cmap(map)},
                 {"loca", glyphs.Loca()},
                 {"glyf", glyphs.Glyf()},
                 {"name", Name()},
                 {"post", Post(map)}});
}

void TrueTypeWriter::Warnings(const FontCharSet& set, MessageList& warnings) const
{
    const CharacterMap map(set);
    map.RepeatedWarnings(QStringLiteral("the TrueType font has it without a code"), warnings);
    if (map.Count() > MaxOwnNames) {
        warnings.Add(Message::Text(u"the font has %1 glyphs, and the post table names at most "
                                   u"%2: the TrueType font names none",
                                   {map.Count(), MaxOwnNames}));
    }
}

QByteArray TrueTypeWriter::Head(const TrueTypeGlyphs& glyphs) const
{
    const TrueTypeGlyphs::Box box = glyphs.Bounds();
    const quint64 date = quint64(_time + From1904To1970);
    SfntData head;
    // Version and revision 1.0; the checksum adjustment comes last, then the magic number.
    head.U32(0x00010000).U32(0x00010000).U32(0).U32(0x5F0F3CF5);
    // The baseline at y = 0, the left side bearing at x = 0, sizes in whole pixels.
    head.U16(0x000B).U16(Em).U64(date).U64(date);
    head.U16(box.xMin).U16(box.yMin).U16(box.xMax).U16(box.yMax);
    // Regular; readable from 8 pixels; strong left to right.
    head.U16(0).U16(PixelsPerEm).U16(2);
    head.U16(glyphs.LongOffsets() ? 1 : 0).U16(0);
    return head.Bytes();
}

QByteArray TrueTypeWriter::Hhea(const TrueTypeGlyphs& glyphs) const
{
    const TrueTypeGlyphs::Box box = glyphs.Bounds();
    SfntData hhea;
    hhea.U32(0x00010000).U16((_baseline + 1) * UnitsPerPixel);
    hhea.U16(-(int(FontChar::RowCount) - 1 - _baseline) * UnitsPerPixel).U16(0);
    // The leftmost point is each glyph's left side bearing.
    hhea.U16(Advance).U16(box.xMin).U16(glyphs.MinRightBearing(Advance)).U16(box.xMax);
    // An upright caret, no offset, four reserved fields, the one metric data format.
    hhea.U16(1).U16(0).U16(0).U64(0).U16(0);
    return hhea.U16(glyphs.Count()).Bytes();
}

QByteArray TrueTypeWriter::Maxp(const TrueTypeGlyphs& glyphs)
{
    SfntData maxp;
    maxp.U32(0x00010000).U16(glyphs.Count()).U16(glyphs.MaxPoints()).U16(glyphs.MaxContours());
    // No composite glyphs; both zones; no storage, functions, instructions or stack.
    maxp.U16(0).U16(0).U16(2).U16(0).U16(0).U16(0).U16(0).U16(0).U16(0).U16(0).U16(0);
    return maxp.Bytes();
}

// Version 4. The codes are Latin-1, and their glyphs monospaced.
QByteArray TrueTypeWriter::Os2(const CharacterMap& map) const
{
    int first = -1, last = 0;
    for (int code = 0; code < CharacterMap::CodeCount; ++code) {
        if (map.GlyphIndex(code) != CharacterMap::NoGlyph) {
            first = first < 0 ? code : first;
            last = code;
        }
    }
    const int ascent = (_baseline + 1) * UnitsPerPixel;
    const int descent = Em - ascent;
    const int half = Em / 2;
    SfntData os2;
    // Version, average advance, normal weight and width, installable.
    os2.U16(4).U16(Advance).U16(400).U16(5).U16(0);
    // Subscripts and superscripts half an em high, a pixel below the baseline and three
    // above it; a strikeout of a pixel, three pixels up; no class.
    os2.U16(half).U16(half).U16(0).U16(UnitsPerPixel);
    os2.U16(half).U16(half).U16(0).U16(3 * UnitsPerPixel);
    os2.U16(UnitsPerPixel).U16(3 * UnitsPerPixel).U16(0);
    // PANOSE: Latin text, monospaced, anything else.
    os2.Append(QByteArray("\x02\x00\x00\x09\x00\x00\x00\x00\x00\x00", 10));
    // Unicode ranges: Basic Latin, Latin-1 Supplement.
    os2.U32((first >= 0 && first < 0x80 ? 1u : 0u) | (last >= 0x80 ? 2u : 0u)).U32(0).U32(0);
    os2.U32(0).Append("NONE");
    // Regular, and the typographic metrics below are the line's.
    os2.U16(0x00C0).U16(std::max(first, 0)).U16(last);
    os2.U16(ascent).U16(-descent).U16(0).U16(ascent).U16(descent);
    // Code page Latin 1.
    os2.U32(first >= 0 ? 1u : 0u).U32(0);
    // x-height, cap height; .notdef for a missing character, the space breaks words.
    os2.U16(Top(map, 'x')).U16(Top(map, 'H')).U16(0).U16(' ').U16(0);
    return os2.Bytes();
}

// Format 4: segments of consecutive codes whose glyphs follow one another, each mapped by a
// difference, then the final segment that every format 4 table ends with.
QByteArray TrueTypeWriter::Cmap(const CharacterMap& map)
{
    struct Segment
    {
        int start;
        int end;
        int delta;
    };
    std::vector<Segment> segments;
    for (int code = 0; code < CharacterMap::CodeCount; ++code) {
        if (map.GlyphIndex(code) == CharacterMap::NoGlyph)
            continue;
        const int delta = int(map.GlyphIndex(code)) + 1 - code;
        if (segments.empty() || segments.back().end != code - 1 || segments.back().delta != delta)
            segments.push_back({code, code, delta});
        else
            segments.back().end = code;
    }
    segments.push_back({0xFFFF, 0xFFFF, 1});
    const int count = int(segments.size());
    SfntData cmap;
    // One subtable: Windows, Unicode BMP, which Latin-1 codes are the start of.
    cmap.U16(0).U16(1).U16(3).U16(1).U32(12);
    cmap.U16(4).U16(16 + 8 * count).U16(0).U16(2 * count).SearchFields(count, 2);
    for (const Segment& segment : segments)
        cmap.U16(segment.end);
    cmap.U16(0);
    for (const Segment& segment : segments)
        cmap.U16(segment.start);
    for (const Segment& segment : segments)
        cmap.U16(segment.delta);
    for (int segment = 0; segment < count; ++segment)
        cmap.U16(0);
    return cmap.Bytes();
}

// Windows, Unicode BMP, US English: the family, its one style, a unique name, the full name,
// the version and the PostScript name.
QByteArray TrueTypeWriter::Name() const
{
    const QStringList names = {_name,
                               QStringLiteral("Regular"),
                               QStringLiteral("Pixmint: ") + _name + QStringLiteral(" Regular"),
                               _name,
                               QLatin1String(Version),
                               _name};
    SfntData table, strings;
    table.U16(0).U16(int(names.size())).U16(6 + 12 * int(names.size()));
    for (int id = 1; id <= int(names.size()); ++id) {
        SfntData text;
        for (const QChar character : names[id - 1])
            text.U16(character.unicode());
        table.U16(3).U16(1).U16(0x409).U16(id).U16(text.Size()).U16(strings.Size());
        strings.Append(text.Bytes());
    }
    return table.Append(strings.Bytes()).Bytes();
}

// Format 2, each glyph named by PlainGlyphNames and .notdef by its standard index; format 3,
// without names, where their indexes would not fit in 16 bits.
QByteArray TrueTypeWriter::Post(const CharacterMap& map)
{
    const bool named = map.Count() <= MaxOwnNames;
    SfntData post;
    post.U32(named ? 0x00020000 : 0x00030000).U32(0);
    // An underline a pixel thick below the baseline; monospaced; no memory figures.
    post.U16(-UnitsPerPixel / 2).U16(UnitsPerPixel).U32(1).U64(0).U64(0);
    if (!named)
        return post.Bytes();
    post.U16(int(map.Count()) + 1).U16(0);
    for (quint32 index = 0; index < map.Count(); ++index)
        post.U16(StandardNames + int(index));
    PlainGlyphNames names(map);
    for (quint32 index = 0; index < map.Count(); ++index) {
        const std::string name = names.Name(index);
        post.U8(int(name.size())).Append(QByteArray::fromStdString(name));
    }
    return post.Bytes();
}

// How high above the baseline the glyph of a code reaches, 0 without one.
int TrueTypeWriter::Top(const CharacterMap& map, int code) const
{
    const quint32 index = map.GlyphIndex(code);
    for (quint32 row = 0; index != CharacterMap::NoGlyph && row < FontChar::RowCount; ++row) {
        for (quint32 column = 0; column < FontChar::ColumnCount; ++column) {
            if (map.Glyph(index).GetPixel(column, row))
                return (_baseline + 1 - int(row)) * UnitsPerPixel;
        }
    }
    return 0;
}
