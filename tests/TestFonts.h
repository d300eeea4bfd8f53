#pragma once

// The fonts that the tests write, read and export, all built one way.

#include "CharacterMap.h"
#include "FileReader.h"
#include "FontCharSet.h"
#include "FontFileGuard.h"
#include "FontFileReader.h"
#include "GlyphName.h"

#include <QByteArrayList>
#include <QList>
#include <QMetaType>
#include <QString>

#include <array>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <utility>

namespace TestFonts {

using Bytes = std::array<quint8, FontChar::ColumnCount>;
using Font = std::shared_ptr<const FontCharSet>;

inline FontChar Glyph(const Bytes& bytes)
{
    FontChar glyph;
    for (quint32 column = 0; column < FontChar::ColumnCount; ++column)
        glyph.SetColumn(column, bytes[column]);
    return glyph;
}

// Stores a glyph as the font file reader does: a later one of the same name replaces it.
inline void Store(FontCharSet& set, const std::string& name, const Bytes& bytes)
{
    set.StoreRead(GlyphName::ToString(name), std::make_unique<FontChar>(Glyph(bytes)));
}

// Exactly these glyphs; none of the default table.
inline std::unique_ptr<FontCharSet>
Make(std::initializer_list<std::pair<std::string, Bytes>> glyphs)
{
    auto set = std::make_unique<FontCharSet>();
    set->Clear();
    for (const auto& [name, bytes] : glyphs)
        Store(*set, name, bytes);
    return set;
}

// The default table: 86 blank glyphs.
inline Font Default()
{
    return std::make_shared<const FontCharSet>();
}

// "glyph 0" to "glyph N-1", each with one column byte set: 50,000 make a file of some
// megabytes, 250 an export of about 10 KB.
inline std::unique_ptr<FontCharSet> Numbered(int count)
{
    auto set = std::make_unique<FontCharSet>();
    for (int index = 0; index < count; ++index) {
        auto glyph = std::make_unique<FontChar>();
        glyph->SetColumn(quint32(index % 5), quint8(index));
        set->StoreRead(QStringLiteral("glyph %1").arg(index), std::move(glyph));
    }
    return set;
}

// The default table with pixels in every glyph, no two alike and reaching the top and the
// bottom row, and what fonts made here add: a 0xHH glyph, one for no character, one for a
// Latin-1 character without a default name and a second glyph for "A".
inline std::unique_ptr<FontCharSet> Full()
{
    auto set = std::make_unique<FontCharSet>();
    int number = 0;
    for (auto& [name, glyph] : *set)
        *glyph = Glyph({quint8(++number), 0x81, quint8(~number), 0xFF, 0x55});
    Store(*set, "bell  0x07", {0x7f, 0, 0, 0, 0x7f});
    Store(*set, "logo", {0xff, 0x81, 0x81, 0x81, 0xff});
    Store(*set, "U+00E9  \xE9", {0x38, 0x54, 0x56, 0x55, 0x18});
    Store(*set, "x  A", {0x80, 0x80, 0x80, 0x80, 0x80});
    return set;
}

// Each code's glyph by the character map.
inline std::map<int, FontChar> ByCode(const FontCharSet& set)
{
    const CharacterMap map(set);
    std::map<int, FontChar> glyphs;
    for (int code = 0; code < CharacterMap::CodeCount; ++code) {
        if (map.GlyphIndex(code) != CharacterMap::NoGlyph)
            glyphs[code] = map.Glyph(map.GlyphIndex(code));
    }
    return glyphs;
}

// The bytes of a font file read as the editor reads them, or null with the reason.
inline std::unique_ptr<FontCharSet> Parse(const QByteArray& bytes, QString* error = nullptr)
{
    Result<std::unique_ptr<FontCharSet>> font = FontFileReader::Read(bytes);
    if (!font && error)
        *error = font.Reason();
    return font ? std::move(*font) : nullptr;
}

// A font file opened as the editor opens it, or null with the reason.
inline std::unique_ptr<FontCharSet> Load(const QString& path, QString* error = nullptr)
{
    QByteArray bytes;
    if (const Status read = FileReader::ReadBytes(path, FontFileGuard::MaxFileSize, bytes); !read) {
        if (error)
            *error = read.Reason();
        return nullptr;
    }
    return Parse(bytes, error);
}

// The glyphs up to code 255 of a BDF font, placed with the baseline below row ascent - 1:
// read here from the text, independently of FreeType.
inline std::map<int, FontChar> ReadBdf(const QByteArray& text)
{
    std::map<int, FontChar> glyphs;
    int ascent = 0, code = -1, row = -1;
    QList<int> box; // width, height, x and y of the bounding box
    for (const QByteArray& line : text.split('\n')) {
        QByteArrayList fields = line.split(' ');
        const QByteArray keyword = fields.takeFirst();
        if (keyword == "FONT_ASCENT")
            ascent = fields.value(0).toInt();
        else if (keyword == "ENCODING" && (code = fields.value(0).toInt()) <= 0xFF)
            glyphs[code].Clear();
        else if (keyword == "BBX")
            box = {fields.value(0).toInt(), fields.value(1).toInt(), fields.value(2).toInt(),
                   fields.value(3).toInt()};
        else if (keyword == "BITMAP" || keyword == "ENDCHAR")
            row = keyword == "BITMAP" ? 0 : -1;
        else if (row >= 0 && code <= 0xFF) {
            const quint64 bits = line.toULongLong(nullptr, 16) << (64 - 4 * line.size());
            for (int x = 0; x < box[0]; ++x)
                glyphs[code].SetPixel(box[2] + x, ascent - box[3] - box[1] + row,
                                      bits >> (63 - x) & 1);
            ++row;
        }
    }
    return glyphs;
}

} // namespace TestFonts

Q_DECLARE_METATYPE(TestFonts::Font)
