#pragma once

#include "FontCharSet.h"

#include <optional>
#include <string>

// The name of a font that a name not in it most likely meant, where one is obvious: the one
// name nearest to it, at most MaxEdits characters inserted, removed or replaced and fewer than
// half its length ("C27 A" for "C27  A"); otherwise the glyph that stands for the character
// the name stands for ("A" or "0x41" for "C27  A"). Linear in the font.
class NearestName
{
public:
    static constexpr int MaxEdits = 2;

    static std::optional<std::string> Find(const FontCharSet& set, const std::string& name);

    // The number of edits from one text to the other, or limit + 1 when more are needed; the
    // work grows with the texts' length times the limit.
    static int Distance(const std::string& from, const std::string& to, int limit);
};
