#pragma once

#include "FontCharSet.h"

#include <optional>
#include <string>

// The name of a font that a name not in it most likely meant, where one is obvious: the glyph
// that the character map gives the code the name stands for; otherwise the one name nearest
// to it, at most MaxEdits characters inserted, removed or replaced and fewer than half its
// length ("C27  A" for "C27 A"), never one of a glyph that stands for another character ("U+0021
// !" is not offered for "U+0041  A"). Linear in the font.
class NearestName
{
public:
    static constexpr int MaxEdits = 2;

    // code: the character the name stands for, -1 for none.
    static std::optional<std::string> Find(const FontCharSet& set, const std::string& name,
                                           int code);

    // The number of edits from one text to the other, or limit + 1 when more are needed; the
    // work grows with the texts' length times the limit.
    static int Distance(const std::string& from, const std::string& to, int limit);
};
