#pragma once

#include "FontChar.h"
#include "FontCharSet.h"
#include "Status.h"

#include <QByteArray>

class MessageList;

// The font as BDF 2.1, the interchange format of bitmap fonts, for bdftopcf, font editors and
// the converters of display libraries. Every glyph is a 5 x 8 cell with an advance of 6, in
// name order; a glyph's code is its label's (CharacterMap), or -1 for a glyph that stands for
// no character or for one an earlier glyph already has, so that no code appears twice. The
// file is ASCII with LF line ends and holds no date and no path.
class BdfWriter
{
public:
    static constexpr int DefaultBaseline = FontChar::DefaultBaseline;
    // The most glyphs of a PCF font that FreeType reads right: bdftopcf makes a font of more,
    // which FreeType misreads (65,535: the last glyph lost, others shifted) or, like
    // pcf2bdf, refuses (65,536 and more).
    static constexpr quint32 MaxPcfGlyphs = FontCharSet::Max16BitCount - 1;
    // The most glyphs of a BDF font that FreeType finds by their codes: its BDF reader keeps
    // a glyph's index in 16 bits, so that a code beyond gives no glyph or another one.
    static constexpr quint32 MaxCodedGlyphs = FontCharSet::Max16BitCount;

    static constexpr char DefaultFamily[] = "Pixmint";

    // baseline: the grid row just above the baseline, 0 (top) to 7; the rows below it descend.
    // family: FAMILY_NAME and the family field of the FONT name (BdfFormat::IsValidFamily).
    // importer: the program that reads the font back through FreeType, as the warnings name
    // it; none, "the BDF font cannot be read back".
    explicit BdfWriter(int baseline = DefaultBaseline,
                       const QByteArray& family = QByteArray(DefaultFamily),
                       const QString& importer = QString());

    // The reason, for a font without glyphs, which BDF readers refuse; Bytes expects a font
    // that is accepted.
    static Status Accepts(const FontCharSet& set);
    QByteArray Bytes(const FontCharSet& set) const;
    // What readers of the BDF font make of it although it is valid: a font too large for the
    // PCF font that bdftopcf makes of it, or for pixmint-import, or one without any code; then
    // each glyph that stands for a code an earlier glyph has, which is written with -1, and
    // each name too long for the line of its comment, which is cut there.
    void Warnings(const FontCharSet& set, MessageList& warnings) const;

    // A glyph's Pixmint name stands in the line before its STARTCHAR when the BDF name is
    // another: COMMENT Pixmint name "C27  A", escaped. At most LongestCommentName escaped
    // characters (a name of printable ASCII up to 200 characters, fewer with escapes) fit in
    // the lines that BDF readers take; a longer name is cut there, and "..." follows the
    // closing quotation mark.
    static constexpr int LongestCommentName = 200;
    // The file's first comment, by which a reader knows a font that Pixmint wrote.
    static constexpr char MadeByComment[] = "COMMENT Made by Pixmint";
    static constexpr char NameComment[] = "COMMENT Pixmint name \"";
    // BDF readers read lines into buffers of a few hundred bytes and take what does not fit
    // as the next line: what follows a name cut in its comment (BdfGlyphNames reads it).
    static constexpr char CutMark[] = "...";
    // PCF keeps no comment, and keeps only the glyphs that have a code, but keeps properties:
    // the font's properties also name each glyph that has a code whose default name
    // (CharacterMap::NewGlyphName) is another, as NameProperty and the code in two
    // hexadecimal digits: PIXMINT_NAME_07 "bell  0x07", the quotation mark as \x22. Their
    // number is NameCountProperty's value, which every font that Pixmint writes has.
    static constexpr char NameCountProperty[] = "PIXMINT_NAMES";
    static constexpr char NameProperty[] = "PIXMINT_NAME_";
    // The property that names the glyph of a code: "PIXMINT_NAME_07".
    static QByteArray NamePropertyKey(int code);

private:
    int _baseline;
    QByteArray _family;
    QString _importer;
};
