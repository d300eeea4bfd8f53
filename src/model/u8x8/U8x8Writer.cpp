#include "U8x8Writer.h"

#include "CharacterMap.h"
#include "Message.h"

#include <algorithm>

namespace {

constexpr QLatin1String Section("U8X8_FONT_SECTION");

} // namespace

U8x8Writer::U8x8Writer(const QString& name, const CodeRange& range)
    : U8g2FontWriter(name, range, Section, u"the u8x8 font %1 draws a blank tile there")
{
}

// Without any glyph, the first code is above the last (1 and 0): every code is outside.
QByteArray U8x8Writer::Font(const FontCharSet& set) const
{
    const CharacterMap map(set);
    int first = _range.Last() + 1, last = _range.First() - 1;
    for (int code = _range.First(); code <= _range.Last(); ++code) {
        if (map.GlyphIndex(code) != CharacterMap::NoGlyph)
            first = std::min(first, code), last = code;
    }
    if (first > last)
        first = 1, last = 0;
    QByteArray font;
    for (const int value : {first, last, 1, 1})
        font.append(char(value));
    for (int code = first; code <= last; ++code) {
        const quint32 index = map.GlyphIndex(code);
        for (quint32 column = 0; column < TileSize; ++column) {
            font.append(index == CharacterMap::NoGlyph ? '\0'
                                                       : char(map.Glyph(index).GetColumn(column)));
        }
    }
    return font;
}

QString U8x8Writer::Comment() const
{
    return Message::Text(u"Auto generated file: u8x8 font %1, for u8x8_SetFont(&u8x8, %1)\n"
                         u"   codes %2 to %3 (those with a glyph), 5 x 8 pixels a glyph at the "
                         u"left of its\n   8 x 8 tile, whose rows are the glyph's",
                         {_name, Message::Hex(_range.First()), Message::Hex(_range.Last())});
}
