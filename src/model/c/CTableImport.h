#pragma once

#include "CArray.h"
#include "CodeRange.h"
#include "Status.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

class FontCharSet;
class MessageList;

// A font from a table of glyphs in C or C++ source (CTableReader): its bytes taken a glyph at
// a time in a layout, glyph i standing for the code first + i and named by
// CharacterMap::NewGlyphName. A table that CSourceWriter wrote comes back as it was made: a
// table of codes by its layout and first code, an array of glyphs under the names of its
// rows' comments.
class CTableImport
{
public:
    struct Options
    {
        // Unset: as the comment at the top of a table that Pixmint wrote says.
        std::optional<CArray::Layout> layout;
        // The code of the first glyph; -1 for the table's own, or 0.
        int first = -1;
        // Empty: the first array defined.
        QByteArray arrayName;
        // Empty: every glyph; otherwise only the glyphs that stand for these codes.
        std::vector<CodeRange> codes;
    };

    // The failures that the caller words further: no layout given where the file says none
    // (NoLayout), glyphs that would reach beyond 255 from the first code given or the table's
    // own (BeyondFromFirst).
    enum class Failure { Other, NoLayout, BeyondFromFirst };
    // Replaces the set's glyphs with the table's. Fails, with the reason, when the source holds
    // no such table, its byte count is no multiple of the layout's, a byte has bits set that
    // the layout leaves zero or a glyph would stand for a code beyond 255; the set is then
    // unchanged. Notes name the codes asked for that the table lacks.
    static Status Read(const QByteArray& source, const Options& options, FontCharSet& set,
                       MessageList* notes = nullptr);
};
