#pragma once

#include "FontCharSet.h"
#include "Result.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class CharacterMap;

// Changes to the glyph set of a font by name, as pixmint-font makes them. Each is checked
// whole before anything changes: it is made, or refused with the reason and the font left as
// it was.
class FontEdit
{
public:
    explicit FontEdit(FontCharSet& set);
    ~FontEdit();

    // A font file's font, to be edited and written back whole, with what its check found.
    struct Opened
    {
        std::unique_ptr<FontCharSet> font;
        // The problems that pixmint-export --check reports and a rewrite would make final
        // (numbers read as 0, values cut, skipped elements, names given twice or changed).
        qsizetype changed = 0;
        // False when the check stopped before the end of the file: changed is then the least.
        bool wholeFile = true;
    };
    // Read by the walk that the editor opens files with, and checked on the same walk; or the
    // reason why the editor would not open the file.
    static Result<Opened> Open(const QByteArray& bytes);

    // The name of the glyph that a name given to a program stands for, the first of:
    // 1. the glyph that is shown as it (GlyphName::Shown, as pixmint-font list prints it:
    //    "x\\tA" for a backslash and a t, "x\tA" for a tab), so that it names that glyph even
    //    beside one whose name is that text, shown otherwise;
    // 2. the glyph of that very name;
    // 3. for a single Latin-1 character ("A", "é") or a code ("0x41", "U+0041"), the glyph that
    //    the character map gives that code: of several glyphs for one code, the first in name
    //    order.
    // The reason when there is none, naming the nearest name there where one is obvious
    // (NearestName).
    Result<const std::string*> Named(QStringView name) const;
    // The glyph of Named.
    Result<FontChar*> Find(QStringView name) const;
    // A blank glyph, or a copy of like's pixels, under a new name that a font file carries.
    Status Add(QStringView name, const FontChar* like = nullptr);
    // The glyph of one name (Named) under another, taken as it is, that is new and carried.
    Status Rename(QStringView from, QStringView to);
    // Every glyph named (Named), or none when one of them is missing.
    Status Delete(const QStringList& names);
    // A blank glyph for each code (0 to 255) that no glyph stands for yet, named by
    // CharacterMap::GlyphNameFor.
    void AddCodes(const std::vector<int>& codes);

private:
    Status IsNew(QStringView name) const;
    // The font's character map, made once for the names of one command, however many.
    const CharacterMap& Map() const;

    FontCharSet& _set;
    mutable std::unique_ptr<CharacterMap> _map; // null after a change
};
