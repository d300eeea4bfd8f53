#include "CharacterMap.h"

#include "CodeRange.h"
#include "GlyphName.h"
#include "Message.h"
#include "MessageList.h"
#include "NumberText.h"

#include <array>

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
    if (label.size() == 4 && label.compare(0, 2, "0x") == 0) {
        const int high = NumberText::Digit(quint8(label[2]), 16);
        const int low = NumberText::Digit(quint8(label[3]), 16);
        if (high >= 0 && low >= 0)
            return high * 16 + low;
    }
    return -1;
}

std::string CharacterMap::Label(int code)
{
    const bool printable =
        (code > ' ' && code < 0x7F) || (code > 0xA0 && code <= 0xFF && code != 0xAD);
    if (printable)
        return std::string(1, char(code));
    if (code == ' ')
        return "Space";
    return HexLabel(code);
}

std::string CharacterMap::HexLabel(int code)
{
    std::string label = "0x";
    NumberText::AppendHex(label, unsigned(code) & 0xFFu, 2, NumberText::Letters::Upper);
    return label;
}

std::string CharacterMap::GlyphNameFor(int code)
{
    std::string name = "U+";
    NumberText::AppendHex(name, unsigned(code) & 0xFFu, 4, NumberText::Letters::Upper);
    return name + "  " + Label(code);
}

std::string CharacterMap::NewGlyphName(int code)
{
    static const std::array<std::string, CodeCount> names = [] {
        const FontCharSet defaults;
        const CharacterMap map(defaults);
        std::array<std::string, CodeCount> made;
        for (int each = 0; each < CodeCount; ++each) {
            const quint32 index = map.GlyphIndex(each);
            made[size_t(each)] = index != NoGlyph ? map.Name(index) : GlyphNameFor(each);
        }
        return made;
    }();
    return names[size_t(code) & 0xFFu];
}

int CharacterMap::CodeOf(quint32 index) const
{
    const int code = Code(Name(index));
    return code >= 0 && GlyphIndex(code) == index ? code : -1;
}

void CharacterMap::MissingWarning(const CodeRange& range, const QString& outcome,
                                  MessageList& warnings, bool (*looksUp)(int code)) const
{
    std::vector<int> missing;
    for (int code = range.First(); code <= range.Last(); ++code) {
        if ((!looksUp || looksUp(code)) && GlyphIndex(code) == NoGlyph)
            missing.push_back(code);
    }
    if (!missing.empty()) {
        warnings.Add(Message::Text(u"the font has no glyph for %1: %2",
                                   {CodeRange::Runs(missing, CodeRange::Naming::Hex), outcome}));
    }
}

// Past the list's room the rest are counted, not worded.
void CharacterMap::RepeatedWarnings(const QString& outcome, MessageList& warnings) const
{
    for (const quint32 index : _repeated) {
        if (warnings.IsFull()) {
            warnings.AddUnlisted(1);
            continue;
        }
        const int code = Code(Name(index));
        warnings.Add(Message::Text(u"glyph %1 stands for the code %2 like %3, which comes first: "
                                   u"%4",
                                   {GlyphName::Quoted(Name(index)), Message::Hex(code),
                                    GlyphName::Quoted(Name(GlyphIndex(code))), outcome}));
    }
}
