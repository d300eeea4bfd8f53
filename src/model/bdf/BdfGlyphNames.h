#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <string>
#include <vector>

// The glyphs of a BDF font that Pixmint wrote (BdfWriter), under their Pixmint names: a
// glyph's name is in the comment before its STARTCHAR (COMMENT Pixmint name "..."), or is
// its BDF name where it has none. FreeType gives neither comments nor the glyphs of
// ENCODING -1, so the scan also gives every glyph a code of its own for FreeType to find it
// by. One pass over the lines.
class BdfGlyphNames
{
public:
    // Glyph i of the file gets the code FirstCode + i, beyond any code of a Latin-1 font and
    // within the codes that FreeType's BDF reader takes.
    static constexpr long FirstCode = 0x10000;

    struct Glyph
    {
        std::string name;
        bool cut = false; // the name was too long for its comment: this is its first part
    };

    // Whether the BDF font is one that Pixmint wrote, which its comments tell; if so, its
    // glyphs in the order of the file, and its text with each glyph's ENCODING line giving its
    // own code instead.
    static bool Scan(const QByteArray& bdf, std::vector<Glyph>& glyphs, QByteArray& encoded);
    // Whether a line is the comment that gives a glyph's name (BdfWriter::NameComment), and
    // the name it gives back: the whole name, or the part before the cut.
    static bool ReadNameComment(QByteArrayView line, std::string& name, bool& cut);
    // The name that escaped text gives back, up to the first quotation mark that is not
    // escaped: its index, the text's size when there is none, -1 for a malformed escape.
    static qsizetype Unescape(QByteArrayView text, std::string& name);
};
