#include "FlashImageWriter.h"

#include "CharacterMap.h"
#include "FontCharSet.h"
#include "Message.h"
#include "MessageList.h"

namespace {

void Append(QByteArray& image, const FontChar* glyph, CArray::Layout layout)
{
    const CArray::LayoutBytes bytes = glyph ? CArray::Bytes(*glyph, layout) : CArray::LayoutBytes{};
    image.append(reinterpret_cast<const char*>(bytes.data()), qsizetype(CArray::ByteCount(layout)));
}

} // namespace

FlashImageWriter::FlashImageWriter(const CArray& array, const std::optional<CodeRange>& range)
    : _array(array), _range(range)
{
}

QByteArray FlashImageWriter::Bytes(const FontCharSet& set) const
{
    QByteArray image;
    if (!_range) {
        image.reserve(qsizetype(set.Count() * _array.ByteCount()));
        for (const auto& [name, glyph] : set)
            Append(image, glyph, _array.GetLayout());
        return image;
    }
    const CharacterMap map(set);
    image.reserve(qsizetype(_range->Count()) * _array.ByteCount());
    for (int code = _range->First(); code <= _range->Last(); ++code) {
        const quint32 index = map.GlyphIndex(code);
        Append(image, index == CharacterMap::NoGlyph ? nullptr : &map.Glyph(index),
               _array.GetLayout());
    }
    return image;
}

void FlashImageWriter::Warnings(const FontCharSet& set, MessageList& warnings) const
{
    if (!_range)
        return;
    CharacterMap(set).MissingWarning(
        *_range, Message::Text(u"zero bytes in the image of %1", {_array.Name()}), warnings);
}
