#include "CharacterMap.h"

#include <cctype>

CharacterMap::CharacterMap(const FontCharSet& set)
{
    _first.fill(NoGlyph);
    _entries.reserve(set.Count());
    for (auto entry = set.begin(); entry != set.end(); ++entry) {
        const quint32 index = quint32(_entries.size());
        _entries.push_back(entry);
        const int code = Code(entry->first);
        if (code < 0)
            continue;
        if (_first[size_t(code)] == NoGlyph)
            _first[size_t(code)] = index;
        else
            _repeated.push_back(index);
    }
}

int CharacterMap::Code(const std::string& name)
{
    const size_t spaces = name.find("  ");
    const std::string label = spaces == std::string::npos ? name : name.substr(spaces + 2);
    if (label.size() == 1)
        return int(quint8(label.front()));
    if (label == "Space")
        return int(' ');
    if (label.size() == 4 && label.compare(0, 2, "0x") == 0 && std::isxdigit(quint8(label[2])) &&
        std::isxdigit(quint8(label[3])))
        return std::stoi(label.substr(2), nullptr, 16);
    return -1;
}
