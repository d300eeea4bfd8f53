#pragma once

#include <QtGlobal>

#include <map>
#include <string>
#include <string_view>
#include <unordered_set>

class CharacterMap;

// One name a glyph that font formats outside Pixmint take, no two alike: BDF's STARTCHAR and
// the glyph names of TrueType's post table. The glyph's own where it is plain; otherwise
// uniXXXX by its label's code, or glyphN by its index, with .1, .2 and so on where that name is
// taken. A made name holds no dot before its variant, so two made names differ: only the plain
// names are kept to be avoided, and the names are made one by one as the glyphs are written.
class PlainGlyphNames
{
public:
    // Up to 14 ASCII letters, digits, "." and "_", not starting with a digit or ".": a name
    // that every reader takes as it stands.
    static bool IsPlain(const std::string& name);

    explicit PlainGlyphNames(const CharacterMap& map);
    // The name of each glyph, asked in index order.
    std::string Name(quint32 index);

private:
    const CharacterMap& _map;
    std::unordered_set<std::string_view> _plain;
    std::map<int, int> _variants;
};
