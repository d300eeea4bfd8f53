#pragma once

#include "BdfGlyphNames.h"
#include "CodeRange.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <set>
#include <string>
#include <vector>

class FontCharSet;
class MessageList;

// The glyphs that an import draws from a FreeType face, each a name and the code that FreeType
// finds its glyph by.
class ImportTargets
{
public:
    struct Target
    {
        std::string name;
        FT_ULong charCode;
    };

    // Pixmint's own glyphs, each by the code the scan gave it (own), or by its properties; or
    // else each name of the set that stands for a code, and a new name for each code asked for
    // that the font has and no name stands for. The codes asked for that no glyph stands for
    // are named in one note. replaces: whether they are Pixmint's own glyphs, which replace
    // those of the set.
    static std::vector<Target> Find(FT_Face face, const FontCharSet& set,
                                    const std::vector<BdfGlyphNames::Glyph>* own,
                                    const std::vector<CodeRange>& codes, MessageList& report,
                                    bool& replaces);

private:
    // A BDF or PCF font that Pixmint wrote, which lost its comments (bdftopcf, pcf2bdf): every
    // glyph of a Latin-1 code, named by its property or by the code's default name. False for
    // any other font.
    static bool FromProperties(FT_Face face, std::vector<Target>& targets, std::set<int>& present);
};
