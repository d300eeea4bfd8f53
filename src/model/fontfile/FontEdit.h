#pragma once

#include "FontCharSet.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

// Changes to the glyph set of a font by name, as pixmint-font makes them. Each is checked
// whole before anything changes: it is made, or refused with the reason and the font left as
// it was.
class FontEdit
{
public:
    explicit FontEdit(FontCharSet& set) : _set(set) {}

    // A font file's font, to be edited and written back whole, with what its check found.
    struct Opened
    {
        std::unique_ptr<FontCharSet> font; // null where the editor would not open the file
        // The problems that pixmint-export --check reports and a rewrite would make final
        // (numbers read as 0, values cut, skipped elements, names given twice or changed).
        qsizetype changed = 0;
        // False when the check stopped before the end of the file: changed is then the least.
        bool wholeFile = true;
    };
    // Read by the walk that the editor opens files with, and checked on the same walk; without
    // a font, the reason is in error.
    static Opened Open(const QByteArray& bytes, QString* error);

    // The glyph of a name; null, with the reason, when the font has none, naming the nearest
    // name there where one is obvious (NearestName).
    FontChar* Find(QStringView name, QString* error = nullptr) const;
    // A blank glyph, or a copy of like's pixels, under a new name that a font file carries.
    bool Add(QStringView name, const FontChar* like = nullptr, QString* error = nullptr);
    // The glyph of one name under another that is new and carried.
    bool Rename(QStringView from, QStringView to, QString* error = nullptr);
    // Every glyph named, or none when one of them is missing.
    bool Delete(const QStringList& names, QString* error = nullptr);
    // A blank glyph for each code (0 to 255) that no glyph stands for yet, named by
    // CharacterMap::GlyphNameFor.
    void AddCodes(const std::vector<int>& codes);

private:
    bool IsNew(QStringView name, QString* error) const;

    FontCharSet& _set;
};
