#include "FontEdit.h"

#include "CharacterMap.h"
#include "FontFileCheck.h"
#include "FontFileReader.h"
#include "GlyphName.h"
#include "Message.h"
#include "NearestName.h"

FontEdit::Opened FontEdit::Open(const QByteArray& bytes, QString* error)
{
    Opened opened;
    FontFileCheck::Check(bytes, &opened.font, &opened.changed);
    // The check stops early on a file of many problems, or one the editor does not open: the
    // reader alone then says whether it opens it.
    if (!opened.font) {
        opened.font = FontFileReader::Read(bytes, error);
        opened.wholeFile = false;
    }
    return opened;
}

FontChar* FontEdit::Find(QStringView name, QString* error) const
{
    const std::string stored = GlyphName::FromString(name);
    if (GlyphName::IsLatin1(name)) {
        const auto entry = _set.Find(stored);
        if (entry != _set.end())
            return entry->second;
    }
    QString reason = QStringLiteral("no glyph is named ") + Message::Quoted(name);
    if (const std::optional<std::string> nearest = NearestName::Find(_set, stored)) {
        reason += QStringLiteral(" (the nearest name is ") + GlyphName::Quoted(*nearest) +
                  QStringLiteral(")");
    }
    Message::Fail(error, reason);
    return nullptr;
}

bool FontEdit::IsNew(QStringView name, QString* error) const
{
    QString reason;
    if (!GlyphName::IsCarried(name, &reason))
        return Message::Fail(error, QStringLiteral("the name ") + Message::Quoted(name) +
                                        QStringLiteral(": ") + reason);
    if (_set.Find(GlyphName::FromString(name)) != _set.end())
        return Message::Fail(error,
                             QStringLiteral("a glyph is already named ") + Message::Quoted(name));
    return true;
}

bool FontEdit::Add(QStringView name, const FontChar* like, QString* error)
{
    if (!IsNew(name, error))
        return false;
    auto glyph = like ? std::make_unique<FontChar>(*like) : std::make_unique<FontChar>();
    _set.At(GlyphName::FromString(name)) = glyph.release();
    return true;
}

bool FontEdit::Rename(QStringView from, QStringView to, QString* error)
{
    if (!Find(from, error) || !IsNew(to, error))
        return false;
    std::unique_ptr<FontChar> glyph = _set.Take(GlyphName::FromString(from));
    _set.At(GlyphName::FromString(to)) = glyph.release();
    return true;
}

bool FontEdit::Delete(const QStringList& names, QString* error)
{
    for (const QString& name : names) {
        if (!Find(name, error))
            return false;
    }
    for (const QString& name : names)
        _set.Take(GlyphName::FromString(name));
    return true;
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
}
