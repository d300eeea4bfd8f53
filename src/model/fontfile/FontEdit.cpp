#include "FontEdit.h"

#include "CharacterMap.h"
#include "CodeRange.h"
#include "FontFileCheck.h"
#include "FontFileReader.h"
#include "GlyphName.h"
#include "Message.h"
#include "NearestName.h"

FontEdit::FontEdit(FontCharSet& set) : _set(set) {}

FontEdit::~FontEdit() = default;

const CharacterMap& FontEdit::Map() const
{
    if (!_map)
        _map = std::make_unique<CharacterMap>(_set);
    return *_map;
}

Result<FontEdit::Opened> FontEdit::Open(const QByteArray& bytes)
{
    Opened opened;
    FontFileCheck::Check(bytes, &opened.font, &opened.changed);
    // The check stops early on a file of many problems, or one the editor does not open: the
    // reader alone then says whether it opens it.
    if (!opened.font) {
        Result<std::unique_ptr<FontCharSet>> font = FontFileReader::Read(bytes);
        if (!font)
            return font.GetStatus();
        opened.font = std::move(*font);
        opened.wholeFile = false;
    }
    return opened;
}

namespace {

// The code that a text names by itself: a single character, or 0x and up to two hexadecimal
// digits, or U+ and up to six; -1 for any other text and a code beyond Latin-1. A code is read
// as a range of one code, by the rule of the ranges.
int SelectedCode(QStringView text)
{
    const QList<uint> characters = text.toUcs4();
    if (characters.size() == 1)
        return characters.front() < uint(CharacterMap::CodeCount) ? int(characters.front()) : -1;
    const bool hexadecimal = text.startsWith(u"0x", Qt::CaseInsensitive) && text.size() <= 4;
    const bool point = text.startsWith(u"U+") && text.size() > 2 && text.size() <= 8;
    if (!hexadecimal && !point)
        return -1;
    const QString code = QStringLiteral("0x") + text.mid(2).toString();
    CodeRange range(0, 0);
    return CodeRange::Parse(code + u'-' + code, &range) ? range.First() : -1;
}

} // namespace

Result<const std::string*> FontEdit::Named(QStringView name) const
{
    std::string stored;
    if (GlyphName::FromShown(name, stored)) {
        const auto entry = _set.Find(stored);
        if (entry != _set.end())
            return &entry->first;
    }
    stored = GlyphName::FromString(name);
    if (GlyphName::IsLatin1(name)) {
        const auto entry = _set.Find(stored);
        if (entry != _set.end())
            return &entry->first;
    }
    const CharacterMap& map = Map();
    int code = SelectedCode(name);
    if (code >= 0 && map.GlyphIndex(code) != CharacterMap::NoGlyph)
        return &map.Name(map.GlyphIndex(code));
    QString reason = QStringLiteral("no glyph is named ") + Message::Quoted(name);
    if (code >= 0)
        reason += QStringLiteral(" or stands for the code ") +
                  QString::fromLatin1(CharacterMap::HexLabel(code).c_str());
    else if (GlyphName::IsLatin1(name))
        code = CharacterMap::Code(stored);
    if (const std::optional<std::string> nearest = NearestName::Find(_set, stored, code)) {
        reason += QStringLiteral(" (the nearest name is ") + GlyphName::Quoted(*nearest) +
                  QStringLiteral(")");
    }
    return Status::Failure(reason);
}

Result<FontChar*> FontEdit::Find(QStringView name) const
{
    const Result<const std::string*> named = Named(name);
    if (!named)
        return named.GetStatus();
    return _set.Find(**named)->second;
}

Status FontEdit::IsNew(QStringView name) const
{
    if (const Status carried = GlyphName::IsCarried(name); !carried)
        return Status::Failure(carried.In(QStringLiteral("the name ") + Message::Quoted(name)));
    if (_set.Find(GlyphName::FromString(name)) != _set.end())
        return Status::Failure(QStringLiteral("a glyph is already named ") + Message::Quoted(name));
    return Status();
}

Status FontEdit::Add(QStringView name, const FontChar* like)
{
    if (Status fresh = IsNew(name); !fresh)
        return fresh;
    auto glyph = like ? std::make_unique<FontChar>(*like) : std::make_unique<FontChar>();
    _set.At(GlyphName::FromString(name)) = glyph.release();
    _map.reset();
    return Status();
}

Status FontEdit::Rename(QStringView from, QStringView to)
{
    const Result<const std::string*> named = Named(from);
    if (!named)
        return named.GetStatus();
    if (Status fresh = IsNew(to); !fresh)
        return fresh;
    std::unique_ptr<FontChar> glyph = _set.Take(std::string(**named));
    _set.At(GlyphName::FromString(to)) = glyph.release();
    _map.reset();
    return Status();
}

Status FontEdit::Delete(const QStringList& names)
{
    std::vector<std::string> named;
    for (const QString& name : names) {
        const Result<const std::string*> found = Named(name);
        if (!found)
            return found.GetStatus();
        named.push_back(**found);
    }
    for (const std::string& name : named)
        _set.Take(name);
    _map.reset();
    return Status();
}

void FontEdit::AddCodes(const std::vector<int>& codes)
{
    std::vector<bool> present(CharacterMap::CodeCount, false);
    for (const auto& entry : _set) {
        const int code = CharacterMap::Code(entry.first);
        if (code >= 0)
            present[size_t(code)] = true;
    }
    for (const int code : codes) {
        if (present[size_t(code)])
            continue;
        present[size_t(code)] = true;
        auto glyph = std::make_unique<FontChar>();
        _set.At(CharacterMap::GlyphNameFor(code)) = glyph.release();
    }
    _map.reset();
}
