#include "LvglWriter.h"

#include "CArray.h"
#include "CharacterMap.h"
#include "FontCharSet.h"
#include "GlyphComment.h"
#include "LvglGlyphs.h"
#include "Message.h"
#include "MessageList.h"

#include <QTextStream>

namespace {

// What a glyph description's comment says: the code it draws and that code's glyph, or the
// codes that share it.
QString GlyphText(const CharacterMap& map, const LvglGlyphs::Glyph& glyph)
{
    if (glyph.codes.empty()) {
        return QStringLiteral("what LVGL 8 finds one code past the last: nothing");
    }
    if (glyph.codes.size() > 1)
        return CodeRange::Runs(glyph.codes, CodeRange::Naming::Hex);
    const int code = glyph.codes.front();
    const quint32 index = map.GlyphIndex(code);
    return Message::Hex(code) + QStringLiteral(": ") +
           (index == CharacterMap::NoGlyph ? QStringLiteral("no glyph")
                                           : GlyphComment::Text(map.Name(index)));
}

// Includes lvgl.h beside the file when there is one, as LVGL's generated fonts do, else from
// LVGL's folder.
constexpr char Include[] = "#ifdef __has_include\n"
                           "#if __has_include(\"lvgl.h\")\n"
                           "#ifndef LV_LVGL_H_INCLUDE_SIMPLE\n"
                           "#define LV_LVGL_H_INCLUDE_SIMPLE\n"
                           "#endif\n"
                           "#endif\n"
                           "#endif\n"
                           "#ifdef LV_LVGL_H_INCLUDE_SIMPLE\n"
                           "#include \"lvgl.h\"\n"
                           "#else\n"
                           "#include \"lvgl/lvgl.h\"\n"
                           "#endif\n\n";

} // namespace

LvglWriter::LvglWriter(const QString& name, const CodeRange& range, int baseline)
    : _name(name), _range(range), _baseline(baseline)
{
}

Status LvglWriter::IsValidName(const QString& name)
{
    if (Status valid = CArray::IsValidName(name); !valid)
        return valid;
    const QString lower = name.toLower();
    if (lower.startsWith(QLatin1String("lv_")) || lower.startsWith(QLatin1String("lvgl"))) {
        return Status::Failure(QStringLiteral("begins as the names that LVGL declares "
                                              "(lv_, LV_, lvgl, LVGL)"));
    }
    if (CArray::IsStandardHeaderName(name)) {
        return Status::Failure(QStringLiteral("is declared by the standard headers that "
                                              "lvgl.h includes"));
    }
    return Status();
}

QByteArray LvglWriter::Bytes(const FontCharSet& set, const QByteArray& encoding) const
{
    const CharacterMap map(set);
    const LvglGlyphs tables(map, _range, _baseline);
    QString text;
    QTextStream stream(&text);
    WriteStart(stream);
    WriteBitmaps(tables, stream);
    WriteGlyphs(map, tables, stream);
    WriteMaps(tables, stream);
    WriteFont(tables, stream);
    stream.flush();
    return CArray::Encoded(text, encoding);
}

void LvglWriter::Warnings(const FontCharSet& set, MessageList& warnings) const
{
    if (_range.Contains(0)) {
        warnings.Add(Message::Text(u"the LVGL font %1 leaves out 0x00: LVGL takes it for the "
                                   u"end of a text",
                                   {_name}));
    }
    if (_range.Contains('\t')) {
        warnings.Add(Message::Text(u"the LVGL font %1 leaves out 0x09: LVGL draws a tab as the "
                                   u"space, twice as wide",
                                   {_name}));
    }
    CharacterMap(set).MissingWarning(
        _range, Message::Text(u"the LVGL font %1 draws nothing there and moves on", {_name}),
        warnings, LvglGlyphs::IsLookedUp);
}

// How it was made, without a date or a path, so that builds stay reproducible.
void LvglWriter::WriteStart(QTextStream& stream) const
{
    stream << "/* Auto generated file: LVGL font " << _name << ", for LV_FONT_DECLARE(" << _name
           << ")\n   codes " << Message::Hex(_range.First()) << " to "
           << Message::Hex(_range.Last())
           << ", 1 bit a pixel, each glyph cropped to its ink, advance 6;\n   line height "
           << LineHeight << ", the baseline just below grid row " << _baseline << " */\n"
           << Include << "#if LVGL_VERSION_MAJOR < 8\n#error \"the LVGL font " << _name
           << " takes LVGL 8 or later\"\n#endif\n\n";
}

void LvglWriter::WriteBitmaps(const LvglGlyphs& tables, QTextStream& stream) const
{
    stream << "static LV_ATTRIBUTE_LARGE_CONST const uint8_t " << _name << "_bitmaps[] = {";
    const QByteArray& bitmaps = tables.Bitmaps();
    for (qsizetype at = 0; at < bitmaps.size(); ++at)
        stream << (at % 12 ? " " : "\n    ") << Message::Hex(quint8(bitmaps[at])) << ',';
    // C has no empty array.
    if (bitmaps.isEmpty())
        stream << "\n    0x00 /* no glyph has ink: never read */";
    stream << "\n};\n\n";
}

void LvglWriter::WriteGlyphs(const CharacterMap& map, const LvglGlyphs& tables,
                             QTextStream& stream) const
{
    stream << "static const lv_font_fmt_txt_glyph_dsc_t " << _name << "_glyphs[] = {\n";
    for (size_t id = 0; id < tables.Glyphs().size(); ++id) {
        const LvglGlyphs::Glyph& glyph = tables.Glyphs()[id];
        const QString text =
            id == 0 ? QStringLiteral("glyph id 0: LVGL's \"no glyph\"") : GlyphText(map, glyph);
        const bool past = id > 0 && glyph.codes.empty();
        stream << (past ? "#if LVGL_VERSION_MAJOR == 8\n" : "")
               << "    {.bitmap_index = " << glyph.bitmapIndex << ", .adv_w = " << glyph.advance
               << ", .box_w = " << glyph.width << ", .box_h = " << glyph.height
               << ", .ofs_x = " << glyph.left << ", .ofs_y = " << glyph.bottom << "}, /* " << text
               << " */\n"
               << (past ? "#endif\n" : "");
    }
    stream << "};\n\n";
}

void LvglWriter::WriteMaps(const LvglGlyphs& tables, QTextStream& stream) const
{
    const std::vector<LvglGlyphs::Map>& maps = tables.Maps();
    for (size_t index = 0; index < maps.size(); ++index) {
        if (maps[index].kind != LvglGlyphs::MapKind::Offsets)
            continue;
        stream << "/* The glyph id of each code from " << Message::Hex(maps[index].first)
               << ", and for LVGL 8 a 0 for the code after the last. */\nstatic const uint8_t "
               << _name << "_offsets" << index << "[] = {";
        const std::vector<quint8>& offsets = maps[index].offsets;
        for (size_t at = 0; at + 1 < offsets.size(); ++at)
            stream << (at % 16 ? " " : "\n    ") << int(offsets[at]) << ',';
        stream << "\n#if LVGL_VERSION_MAJOR == 8\n    " << int(offsets.back())
               << ",\n#endif\n};\n\n";
    }
    if (maps.empty())
        return;
    stream << "static const lv_font_fmt_txt_cmap_t " << _name << "_cmaps[] = {\n";
    for (size_t index = 0; index < maps.size(); ++index) {
        const LvglGlyphs::Map& map = maps[index];
        const bool offsets = map.kind == LvglGlyphs::MapKind::Offsets;
        stream << "    {.range_start = " << map.first << ", .range_length = " << map.length
               << ", .glyph_id_start = " << map.glyphStart << ",\n     .unicode_list = NULL"
               << ", .glyph_id_ofs_list = "
               << (offsets ? _name + QStringLiteral("_offsets") + QString::number(index)
                           : QStringLiteral("NULL"))
               << ", .list_length = " << (offsets ? map.length : 0) << ",\n     .type = "
               << (offsets ? "LV_FONT_FMT_TXT_CMAP_FORMAT0_FULL"
                           : "LV_FONT_FMT_TXT_CMAP_FORMAT0_TINY")
               << "},\n";
    }
    stream << "};\n\n";
}

// LVGL 8 caches the last code it looked up through the descriptor; LVGL 9 has no such field.
void LvglWriter::WriteFont(const LvglGlyphs& tables, QTextStream& stream) const
{
    const bool maps = !tables.Maps().empty();
    stream << "#if LVGL_VERSION_MAJOR == 8\nstatic lv_font_fmt_txt_glyph_cache_t " << _name
           << "_cache;\n#endif\n\n"
           << "static const lv_font_fmt_txt_dsc_t " << _name << "_dsc = {\n"
           << "    .glyph_bitmap = " << _name << "_bitmaps,\n"
           << "    .glyph_dsc = " << _name << "_glyphs,\n"
           << "    .cmaps = " << (maps ? _name + QStringLiteral("_cmaps") : QStringLiteral("NULL"))
           << ",\n    .kern_dsc = NULL,\n    .kern_scale = 0,\n"
           << "    .cmap_num = " << tables.Maps().size() << ",\n"
           << "    .bpp = 1,\n    .kern_classes = 0,\n    .bitmap_format = 0,\n"
           << "#if LVGL_VERSION_MAJOR == 8\n    .cache = &" << _name << "_cache,\n#endif\n};\n\n"
           << "const lv_font_t " << _name << " = {\n"
           << "    .get_glyph_dsc = lv_font_get_glyph_dsc_fmt_txt,\n"
           << "    .get_glyph_bitmap = lv_font_get_bitmap_fmt_txt,\n"
           << "    .line_height = " << LineHeight << ",\n"
           << "    .base_line = " << LineHeight - 1 - _baseline
           << ", /* rows below the baseline */\n"
           << "    .subpx = LV_FONT_SUBPX_NONE,\n"
           << "    .dsc = &" << _name << "_dsc,\n};\n";
}
