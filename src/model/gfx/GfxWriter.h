#pragma once

#include "CodeRange.h"
#include "Status.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <string>

class FontCharSet;
class MessageList;

// The font as a C++ header in the Adafruit GFX custom-font form, for display.setFont(&NAME):
// NAME_Bitmaps holds each glyph's box of lit pixels, row by row, left to right, the most
// significant bit first, bits running on across rows, from a byte of its own (none for a glyph
// without ink); NAME_Glyphs has an entry for each code of the range, whose glyph the character
// map gives, with that box's size and place in the cell, placed so that the cursor's y is the
// baseline; NAME is the GFXfont. It includes <Adafruit_GFX.h>, or declares
// the library's two types itself (standalone).
class GfxWriter
{
public:
    // Printable ASCII, the codes the library's own fonts hold.
    static CodeRange DefaultRange() { return CodeRange(0x20, 0x7E); }
    // How far the library moves the cursor down for a new line: the glyph's height.
    static constexpr int LineAdvance = 8;

    // baseline: the grid row just above the baseline, 0 (top) to 7, as for BDF.
    GfxWriter(const QString& name, const CodeRange& range, int baseline, bool standalone);

    // A name is usable when it is one for a C array (CArray::IsValidName) and not a name that
    // the header itself uses; the reason otherwise.
    static Status IsValidName(const QString& name);
    // The identifiers that the header defines for a font of that name.
    static QStringList Identifiers(const QString& name);
    // The header in the encoding of that name, as the C source is (CArray::Encoded).
    QByteArray Bytes(const FontCharSet& set, const QByteArray& encoding = "UTF-8") const;
    // The codes of the range without a glyph, in one line.
    void Warnings(const FontCharSet& set, MessageList& warnings) const;

private:
    void WriteStart(const std::string& name, std::string& text) const;

    QString _name;
    CodeRange _range;
    int _baseline;
    bool _standalone;
};
