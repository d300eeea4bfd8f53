#pragma once

#include "FontChar.h"

#include <QString>

class QDomElement;
class QTextStream;
class QXmlStreamReader;
class QXmlStreamWriter;

#include <array>
#include <map>
#include <memory>
#include <string>
#include <vector>

// The font: glyphs under their names, in ascending byte order of the names.
// Names are Latin-1 byte strings; the set owns every glyph it holds.
class FontCharSet
{
public:
    using Map = std::map<std::string, FontChar*>;
    using iterator = Map::iterator;
    using const_iterator = Map::const_iterator;

    // Holds the 86 blank glyphs of the default character table.
    FontCharSet();
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

    iterator begin() { return _glyphs.begin(); }
    iterator end() { return _glyphs.end(); }
    const_iterator begin() const { return _glyphs.begin(); }
    const_iterator end() const { return _glyphs.end(); }

    // The whole font file, from the XML declaration to the final line end, in UTF-8.
    void WriteXml(QXmlStreamWriter& writer) const;
    // Replaces the whole content by the FontChar children of a CharSet element; a root of
    // any other name leaves the set as it is.
    void ReadXml(const QDomElement& root);
    // The same rules applied while streaming through a whole document. False when the
    // document is not well-formed; the set's content is then unspecified, so callers read
    // into a fresh set and drop it on failure. The root element's name goes to rootName.
    bool ReadXml(QXmlStreamReader& reader, QString* rootName = nullptr);
    // Stores a glyph read from a font file under a name given as text; a later glyph of the
    // same name replaces the earlier one.
    void StoreRead(const QString& name, std::unique_ptr<FontChar> glyph);
    // Deletes every glyph and removes every entry.
    void Clear();

    // The C array, from its declaration to the closing "};" without a line end, as
    // CSourceWriter writes it with its default options.
    void ExportC(QTextStream& stream) const;
    // The whole exported C source: the "Auto generated" line, then the array, in the
    // system's locale encoding. The editor's export writes through this.
    void ExportCSource(QTextStream& stream) const;

    // Same names in the same order with the same bytes.
    bool operator==(const FontCharSet& other) const;
    bool operator!=(const FontCharSet& other) const { return !(*this == other); }

    // Names meet the toolkit's strings byte for byte as Latin-1; a code point above
    // U+00FF has no byte and becomes "?".
    static QString NameToString(const std::string& name);
    static std::string NameFromString(const QString& text);

    // The text with every control character (C0, DEL and C1) and the line and paragraph
    // separators written as C escapes: \t, \n, \r, \xHH or \uHHHH. It stays on one line and
    // shows what it holds; every other character, the backslash included, is kept as it is.
    static QString VisibleText(QStringView text);

    // The Latin-1 code of the character a name stands for, or -1 when it stands for none.
    // The label is what follows the first two consecutive spaces of the name, or the whole
    // name when it has none; a label of one character stands for that character, the label
    // "Space" for 32, any other label for nothing. So "C27  A" stands for 65.
    static int CharacterCode(const std::string& name);

    static constexpr quint32 NoGlyph = 0xFFFFFFFF;
    using Characters = std::array<quint32, 256>;
    // For each Latin-1 code, the index in set order of the first glyph that stands for it
    // (CharacterCode), or NoGlyph. The index of every later glyph that stands for a code
    // already taken goes to repeated, in set order.
    Characters CharacterMap(std::vector<quint32>* repeated = nullptr) const;

    // A name as generated C shows it inside a comment: visible, and never ending the comment
    // or splicing a line into it. Every comment that holds a name is written through this.
    static QString CommentText(const std::string& name);

private:
    Map _glyphs;
};
