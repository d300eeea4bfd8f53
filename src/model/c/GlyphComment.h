#pragma once

#include <QString>

#include <string>

// A glyph's name inside a comment of generated C: after the bytes of each row of an array, in
// the character map and in the GFX header. A name comes from a font file and is compiled into
// firmware, so no name may end the comment or reach the next line; and the comment gives the
// name back, so that a table that Pixmint wrote is read back under its names.
class GlyphComment
{
public:
    // A name as generated C shows it inside a comment: visible, and never ending the comment
    // or splicing a line into it. Every comment that holds a name is written through this.
    static QString Text(const std::string& name);
    // The inverse: the name that Text wrote as this text. False for a text that it cannot have
    // written (a character beyond Latin-1).
    static bool Name(QStringView text, std::string& name);

    // The comment of a row, between "/* " and " */": "Char = NAME" in an array of glyphs (code
    // -1); "0xHH: Char = NAME", or "0xHH: no glyph" without a name, in a table of codes.
    static QString RowText(int code, const std::string* name);
    // What the comment of a row says, read from its text between "/*" and "*/": the code of a
    // table's row (or -1), and the glyph's name, if it has one. False for a comment that
    // RowText does not write.
    struct Row
    {
        int code = -1;
        bool hasGlyph = false;
        std::string name;
    };
    static bool ReadRow(QStringView body, Row& row);
};
