#pragma once

#include <QByteArray>
#include <QStringList>

class FontCharSet;

// The font as BDF 2.1, the interchange format of bitmap fonts, for bdftopcf, font editors and
// the converters of display libraries. Every glyph is a 5 x 8 cell with an advance of 6, in
// name order; a glyph's code is its label's (CharacterMap), or -1 for a glyph that stands for
// no character or for one an earlier glyph already has, so that no code appears twice. The
// file is ASCII with LF line ends and holds no date and no path.
class BdfWriter
{
public:
    static constexpr int DefaultBaseline = 6;

    // baseline: the grid row just above the baseline, 0 (top) to 7; the rows below it descend.
    explicit BdfWriter(int baseline = DefaultBaseline);

    // False, with the reason, for a font without glyphs, which BDF readers refuse; Bytes
    // expects a font that is accepted.
    static bool Accepts(const FontCharSet& set, QString* reason = nullptr);
    QByteArray Bytes(const FontCharSet& set) const;
    // Each glyph that stands for a code an earlier glyph has, which is written with -1.
    QStringList Warnings(const FontCharSet& set) const;

private:
    int _baseline;
};
