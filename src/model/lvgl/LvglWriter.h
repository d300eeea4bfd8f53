#pragma once

#include "CodeRange.h"
#include "Status.h"

#include <QByteArray>
#include <QString>

class CharacterMap;
class FontCharSet;
class LvglGlyphs;
class MessageList;
class QTextStream;

// The font as a C source in LVGL's built-in font form (lv_font_fmt_txt, 1 bit a pixel), for
// lv_obj_set_style_text_font(label, &NAME, 0) with LV_FONT_DECLARE(NAME): NAME is the
// lv_font_t, the tables behind it are static and named after it (LvglGlyphs makes them). It
// compiles against LVGL 8 and 9, guarding what differs between them as LVGL's generated
// fonts do. The line is 8 pixels high, each glyph's ink placed at the baseline, the pen moving
// 6 pixels a code.
class LvglWriter
{
public:
    // Printable ASCII, as the GFX header has by default.
    static CodeRange DefaultRange() { return CodeRange(0x20, 0x7E); }
    static constexpr int LineHeight = 8;

    // baseline: the grid row just above the baseline, 0 (top) to 7, as for BDF.
    LvglWriter(const QString& name, const CodeRange& range, int baseline);

    // A name is usable when it is one for a C array (CArray::IsValidName) and not in LVGL's
    // own name space (lv_, LV_, lvgl, LVGL), where the headers that the source includes
    // declare their names; the reason otherwise.
    static Status IsValidName(const QString& name);
    // The source in the encoding of that name, as the C source is (CArray::Encoded).
    QByteArray Bytes(const FontCharSet& set, const QByteArray& encoding = "UTF-8") const;
    // The codes that LVGL never looks up (0, 9) and the codes without a glyph, each in one
    // line.
    void Warnings(const FontCharSet& set, MessageList& warnings) const;

private:
    void WriteStart(QTextStream& stream) const;
    void WriteBitmaps(const LvglGlyphs& tables, QTextStream& stream) const;
    void WriteGlyphs(const CharacterMap& map, const LvglGlyphs& tables, QTextStream& stream) const;
    void WriteMaps(const LvglGlyphs& tables, QTextStream& stream) const;
    void WriteFont(const LvglGlyphs& tables, QTextStream& stream) const;

    QString _name;
    CodeRange _range;
    int _baseline;
};
