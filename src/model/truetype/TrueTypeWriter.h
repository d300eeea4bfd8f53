#pragma once

#include "FontChar.h"
#include "FontCharSet.h"
#include "Status.h"

#include <QByteArray>
#include <QString>

class CharacterMap;
class MessageList;
class TrueTypeGlyphs;

// The font as TrueType whose outlines are its pixels: each lit pixel a square of
// UnitsPerPixel units, squares that share an edge merged into one contour (PixelOutline), an
// em of 8 pixels, the advance 6 pixels, ascent and descent from the baseline as for BDF. At 8
// pixels per em every square falls on a whole pixel, so a renderer without anti-aliasing draws
// exactly the grid's pixels. Glyph 0 is .notdef, a box, then every glyph of the font in name order,
// named in the post table by PlainGlyphNames; the cmap gives each code the glyph the character
// map gives it. The dates in the head table are given, not read from the clock, so the same
// font gives the same bytes.
class TrueTypeWriter
{
public:
    static constexpr int UnitsPerPixel = 128;
    // TrueType counts glyphs in 16 bits, .notdef among them.
    static constexpr quint32 MaxGlyphs = FontCharSet::Max16BitCount - 1;
    static constexpr char DefaultName[] = "Pixmint";
    // The latest time the dates take, in seconds since 1970: the end of the year 9999.
    static constexpr qint64 MaxTime = 253402300799;

    // name: the family and PostScript name; time: the creation and modification dates, in
    // seconds since 1970.
    explicit TrueTypeWriter(const QString& name = QLatin1String(DefaultName),
                            int baseline = FontChar::DefaultBaseline, qint64 time = 0);

    // A PostScript name: up to 63 printable ASCII characters, none of them blank or one of
    // []{}()<>/%. The reason otherwise.
    static Status IsValidName(const QString& name);
    // The reason, for a font of more glyphs than TrueType numbers; Bytes expects a font that
    // is accepted.
    static Status Accepts(const FontCharSet& set);
    QByteArray Bytes(const FontCharSet& set) const;
    // Each glyph that stands for a code an earlier glyph has, which the cmap leaves out; that
    // the glyph names were left out where the post table cannot hold them.
    void Warnings(const FontCharSet& set, MessageList& warnings) const;

private:
    QByteArray Head(const TrueTypeGlyphs& glyphs) const;
    QByteArray Hhea(const TrueTypeGlyphs& glyphs) const;
    static QByteArray Maxp(const TrueTypeGlyphs& glyphs);
    QByteArray Os2(const CharacterMap& map) const;
    static QByteArray Cmap(const CharacterMap& map);
    QByteArray Name() const;
    static QByteArray Post(const CharacterMap& map);
    int Top(const CharacterMap& map, int code) const;

    QString _name;
    int _baseline;
    qint64 _time;
};
