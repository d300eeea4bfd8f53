#pragma once

#include "FontChar.h"

#include <QString>

#include <map>
#include <memory>
#include <string>

class CArray;
class QDomElement;
class QTextStream;
class QXmlStreamWriter;

// The font: glyphs under their names, in ascending byte order of the names.
// Names are Latin-1 byte strings; the set owns every glyph it holds.
class FontCharSet
{
public:
    using Map = std::map<std::string, FontChar*>;
    using iterator = Map::iterator;
    using const_iterator = Map::const_iterator;

    // Holds the 86 blank glyphs of the default character table, or nothing: a font being read
    // replaces them all, so making them would be wasted.
    enum class Start { DefaultTable, Empty };
    explicit FontCharSet(Start start = Start::DefaultTable);
    ~FontCharSet();

    // The set owns raw glyph pointers: a copy would delete each glyph twice.
    FontCharSet(const FontCharSet&) = delete;
    FontCharSet& operator=(const FontCharSet&) = delete;

    // Looks a name up, inserting an entry with a null glyph when it is missing; the caller
    // stores a glyph through the returned slot at once. A glyph displaced from its slot is
    // no longer owned by the set.
    FontChar*& At(const std::string& name);
    iterator Find(const std::string& name) { return _glyphs.find(name); }
    const_iterator Find(const std::string& name) const { return _glyphs.find(name); }
    quint32 Count() const { return quint32(_glyphs.size()); }
    // The most that a format's 16-bit count or index of glyphs holds (a TrueType font's
    // glyphs, FreeType's index of a BDF glyph, the C map's entries): 65,535.
    static constexpr quint32 Max16BitCount = 0xFFFF;

    iterator begin() { return _glyphs.begin(); }
    iterator end() { return _glyphs.end(); }
    const_iterator begin() const { return _glyphs.begin(); }
    const_iterator end() const { return _glyphs.end(); }

    // The whole font file, from the XML declaration to the final line end, in UTF-8.
    void WriteXml(QXmlStreamWriter& writer) const;
    // Replaces the whole content by the FontChar children of a CharSet element; a root of
    // any other name leaves the set as it is.
    void ReadXml(const QDomElement& root);
    // The rule for one FontChar element of a font file: its glyph goes under the name its
    // Char attribute gives (the empty name when it has none; see GlyphName), and replaces
    // a glyph that an earlier element gave the same name.
    void StoreRead(QStringView name, std::unique_ptr<FontChar> glyph);
    // Deletes every glyph and removes every entry.
    void Clear();
    // Takes a glyph and its entry out of the set; null when no entry has that name.
    std::unique_ptr<FontChar> Take(const std::string& name);

    // The C array of the glyphs in name order, each row with a comment naming its glyph, from
    // its definition to the closing "};" without a line end: by default the editor's array
    // PIXMINT_xxxx.
    void ExportC(QTextStream& stream) const;
    void ExportC(QTextStream& stream, const CArray& array) const;

    // Same names in the same order with the same bytes.
    bool operator==(const FontCharSet& other) const;
    bool operator!=(const FontCharSet& other) const { return !(*this == other); }

private:
    Map _glyphs;
};
