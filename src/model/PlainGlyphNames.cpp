#include "PlainGlyphNames.h"

#include "CharacterMap.h"

#include <cstdio>

bool PlainGlyphNames::IsPlain(const std::string& name)
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

PlainGlyphNames::PlainGlyphNames(const CharacterMap& map) : _map(map)
{
    for (quint32 index = 0; index < map.Count(); ++index) {
        if (IsPlain(map.Name(index)))
            _plain.insert(map.Name(index));
    }
}

std::string PlainGlyphNames::Name(quint32 index)
{
    const std::string& own = _map.Name(index);
    if (IsPlain(own))
        return own;
    const int code = CharacterMap::Code(own);
    char made[24];
    if (code >= 0)
        std::snprintf(made, sizeof made, "uni%04X", unsigned(code));
    else
        std::snprintf(made, sizeof made, "glyph%u", unsigned(index));
    const std::string base = made;
    // The next variant of each code, so that many glyphs for one code take linear time.
    int unused = 0;
    int& variant = code >= 0 ? _variants[code] : unused;
    std::string name = variant == 0 ? base : base + '.' + std::to_string(variant);
    while (_plain.count(name) > 0)
        name = base + '.' + std::to_string(++variant);
    ++variant;
    return name;
}
