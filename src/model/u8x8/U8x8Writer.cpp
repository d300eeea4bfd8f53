#include "U8x8Writer.h"

#include "CArray.h"
#include "CharacterMap.h"
#include "Message.h"
#include "MessageList.h"
#include "U8g2Source.h"

#include <algorithm>

namespace {

constexpr QLatin1String Section("U8X8_FONT_SECTION");

} // namespace

U8x8Writer::U8x8Writer(const QString& name, const CodeRange& range) : _name(name), _range(range) {}

bool U8x8Writer::IsValidName(const QString& name, QString* reason)
{
    return U8g2Source::IsValidName(name, reason);
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

QByteArray U8x8Writer::Bytes(const FontCharSet& set, const QByteArray& encoding) const
{
    const QString comment =
        Message::Text(u"Auto generated file: u8x8 font %1, for u8x8_SetFont(&u8x8, %1)\n"
                      u"   codes %2 to %3 (those with a glyph), 5 x 8 pixels a glyph at the "
                      u"left of its\n   8 x 8 tile, whose rows are the glyph's",
                      {_name, Message::Hex(_range.First()), Message::Hex(_range.Last())});
    return CArray::Encoded(U8g2Source::Text(comment, _name, Section, Font(set)), encoding);
}

void U8x8Writer::Warnings(const FontCharSet& set, MessageList& warnings) const
{
    const QString missing = CharacterMap(set).MissingCodes(_range);
    if (!missing.isEmpty()) {
        warnings.Add(Message::Text(
            u"the font has no glyph for %1: the u8x8 font %2 draws a blank tile there",
            {missing, _name}));
    }
}
