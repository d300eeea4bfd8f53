#pragma once

#include "FontCharSet.h"

#include <QString>

#include <array>
#include <string>
#include <vector>

class CodeRange;
class MessageList;

// Which glyph of a font stands for each Latin-1 character. A glyph's character is its name's
// label: what follows the first two consecutive spaces of the name, or the whole name when it
// has none. A label of one character stands for that character, "Space" for 32, "0x" and two
// hexadecimal digits (either case) for that code, so that custom glyphs and icons reach the
// codes no character names; any other label stands for nothing. When several glyphs stand for
// one character, the first in name order has it.
class CharacterMap
{
public:
    static constexpr int CodeCount = 256;
    // The glyph index of a character that no glyph stands for.
    static constexpr quint32 NoGlyph = 0xFFFFFFFF;

    explicit CharacterMap(const FontCharSet& set);

    // The Latin-1 code a name stands for, or -1. So "C27  A" stands for 65, "bell  0x07" for 7.
    static int Code(const std::string& name);
    // The label that stands for a code: the character itself where it is printable, "Space"
    // for 32, "0xHH" for every other code (controls, the no-break space, the soft hyphen), so
    // that any code has a label that a font file carries and a reader sees.
    static std::string Label(int code);
    // The "0xHH" label of a code, whatever the code: "0x41".
    static std::string HexLabel(int code);
    // The name of a glyph made for a code: "U+", four upper-case hexadecimal digits, two
    // spaces and the code's label, so "U+0041  A", "U+0001  0x01", "U+0020  Space".
    static std::string GlyphNameFor(int code);
    // The name of a glyph that a new font gives a code: the default name that stands for it
    // (65, "C27  A"), or else GlyphNameFor.
    static std::string NewGlyphName(int code);

    // The index in name order of the first glyph that stands for a code, or NoGlyph.
    quint32 GlyphIndex(int code) const { return _first[size_t(code)]; }
    // The inverse: the code whose glyph the glyph of that index is, or -1 for a glyph that
    // stands for no code or for one that an earlier glyph has.
    int CodeOf(quint32 index) const;
    // Where a range has codes that no glyph stands for, a line naming them, each run once
    // ("0x00 to 0x1f, 0x7f"), then what a format made of the font does there; only the codes
    // that the format looks up, where it says which.
    void MissingWarning(const CodeRange& range, const QString& outcome, MessageList& warnings,
                        bool (*looksUp)(int code) = nullptr) const;
    // The indexes of the glyphs that stand for a code an earlier glyph already has, in order.
    const std::vector<quint32>& Repeated() const { return _repeated; }
    // A line for each of those glyphs naming it, its code and the glyph that has the code,
    // then what a format made of the font does with it.
    void RepeatedWarnings(const QString& outcome, MessageList& warnings) const;

    // The font's glyphs by index in name order.
    quint32 Count() const { return quint32(_entries.size()); }
    const std::string& Name(quint32 index) const { return _entries[index]->first; }
    const FontChar& Glyph(quint32 index) const { return *_entries[index]->second; }

private:
    std::array<quint32, CodeCount> _first;
    std::vector<quint32> _repeated;
    std::vector<FontCharSet::const_iterator> _entries;
};
