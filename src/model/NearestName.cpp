#include "NearestName.h"

#include "CharacterMap.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

std::optional<std::string> NearestName::Find(const FontCharSet& set, const std::string& name,
                                             int code)
{
    const CharacterMap map(set);
    if (code >= 0 && code < CharacterMap::CodeCount &&
        map.GlyphIndex(code) != CharacterMap::NoGlyph)
        return map.Name(map.GlyphIndex(code));
    // Fewer edits than half the name: none for a name of one or two characters.
    const int limit = std::min(MaxEdits, (int(std::min(name.size(), size_t(16))) - 1) / 2);
    int best = limit + 1;
    const std::string* nearest = nullptr;
    bool tied = false;
    for (const auto& entry : set) {
        // A glyph of another character is another glyph, however alike the names.
        const int other = CharacterMap::Code(entry.first);
        if (code >= 0 && other >= 0 && other != code)
            continue;
        const int distance = Distance(name, entry.first, best);
        if (distance < best) {
            best = distance;
            nearest = &entry.first;
            tied = false;
        } else if (distance == best && distance <= limit) {
            tied = true;
        }
    }
    if (nearest && !tied)
        return *nearest;
    return std::nullopt;
}

int NearestName::Distance(const std::string& from, const std::string& to, int limit)
{
    const int beyond = limit + 1;
    // A name is at most a file's size (FontFileGuard::MaxFileSize), far below INT_MAX.
    const int rows = int(from.size());
    const int columns = int(to.size());
    if (std::abs(rows - columns) > limit)
        return beyond;
    // The rows of the usual table, each computed only within limit of its diagonal: a cell
    // beyond it costs more than the limit anyway.
    std::vector<int> previous(size_t(columns) + 2, beyond);
    std::vector<int> current(size_t(columns) + 2, beyond);
    for (int column = 0; column <= std::min(columns, limit); ++column)
        previous[size_t(column)] = column;
    for (int row = 1; row <= rows; ++row) {
        const int first = std::max(1, row - limit);
        const int last = std::min(columns, row + limit);
        current[size_t(first - 1)] = first == 1 && row <= limit ? row : beyond;
        int smallest = current[size_t(first - 1)];
        for (int column = first; column <= last; ++column) {
            const int replace = previous[size_t(column - 1)] +
                                (from[size_t(row - 1)] != to[size_t(column - 1)] ? 1 : 0);
            const int cell = std::min(
                {replace, previous[size_t(column)] + 1, current[size_t(column - 1)] + 1, beyond});
            current[size_t(column)] = cell;
            smallest = std::min(smallest, cell);
        }
        current[size_t(last + 1)] = beyond;
        if (smallest >= beyond)
            return beyond;
        std::swap(previous, current);
    }
    return previous[size_t(columns)];
}
