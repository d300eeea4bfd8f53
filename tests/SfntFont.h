#pragma once

// Small TrueType (sfnt) fonts written byte by byte for the importer's tests: outlines made of
// squares, or bitmap strikes and no outlines. One glyph index a character, glyph 0 empty.

#include <QByteArray>
#include <QList>
#include <QRect>

#include <algorithm>
#include <initializer_list>
#include <map>

namespace SfntFont {

inline QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray bytes;
    for (const int value : values)
        bytes += char(value);
    return bytes;
}

inline QByteArray U16(int value)
{
    return Bytes({value >> 8, value});
}

inline QByteArray U32(quint32 value)
{
    return U16(int(value >> 16)) + U16(int(value & 0xFFFF));
}

// The table directory, then each table padded to four bytes.
inline QByteArray Font(const std::map<QByteArray, QByteArray>& tables)
{
    const int count = int(tables.size());
    int power = 1;
    while (power * 2 <= count)
        power *= 2;
    QByteArray directory = U32(0x00010000) + U16(count) + U16(power * 16) +
                           U16(QByteArray::number(power, 2).size() - 1) +
                           U16(count * 16 - power * 16);
    QByteArray data;
    for (const auto& [tag, table] : tables) {
        QByteArray padded = table + QByteArray((4 - table.size() % 4) % 4, '\0');
        quint32 sum = 0;
        for (int at = 0; at < padded.size(); at += 4)
            sum += quint32(quint8(padded[at])) << 24 | quint32(quint8(padded[at + 1])) << 16 |
                   quint32(quint8(padded[at + 2])) << 8 | quint8(padded[at + 3]);
        directory += tag + U32(sum) + U32(quint32(12 + 16 * count + data.size())) +
                     U32(quint32(table.size()));
        data += padded;
    }
    return directory + data;
}

// head, hhea, maxp, hmtx and a cmap that maps the codes from firstCode on to these glyph
// indexes; the em is 16 units, the ascent 14 and the descent 2.
inline std::map<QByteArray, QByteArray> Common(int glyphs, int firstCode, const QList<int>& indexes)
{
    QByteArray cmap = U16(0) + U16(1) + U16(3) + U16(1) + U32(12) + U16(6) +
                      U16(10 + 2 * int(indexes.size())) + U16(0) + U16(firstCode) +
                      U16(int(indexes.size()));
    for (const int index : indexes)
        cmap += U16(index);
    QByteArray hmtx;
    for (int glyph = 0; glyph < glyphs; ++glyph)
        hmtx += U16(12) + U16(0);
    return {{"head", U32(0x00010000) + U32(0x00010000) + U32(0) + U32(0x5F0F3CF5) + U16(3) +
                         U16(16) + QByteArray(16, '\0') + U16(0) + U16(0) + U16(16) + U16(16) +
                         U16(0) + U16(8) + U16(2) + U16(1) + U16(0)},
            {"hhea", U32(0x00010000) + U16(14) + U16(-2) + U16(0) + U16(12) + U16(0) + U16(0) +
                         U16(12) + U16(1) + U16(0) + U16(0) + QByteArray(8, '\0') + U16(0) +
                         U16(glyphs)},
            // A maximum size of instructions, though no glyph has any: FreeType would otherwise
            // take the font for unhinted and move its points with its own hinter.
            {"maxp", U32(0x00010000) + U16(glyphs) + U16(64) + U16(16) + U16(0) + U16(0) + U16(2) +
                         QByteArray(10, '\0') + U16(1) + U16(0) + U16(0)},
            {"hmtx", hmtx},
            {"cmap", cmap}};
}

// The tables of an outline font: glyph i + 1 is made of the squares of squares[i], in font
// units, each glyph with the hinting program instructions (which may call functions that the
// caller puts in an fpgm table).
inline std::map<QByteArray, QByteArray> OutlineTables(const QList<QList<QRect>>& squares,
                                                      int firstCode, const QList<int>& indexes,
                                                      int em = 16,
                                                      const QByteArray& instructions = {})
{
    std::map<QByteArray, QByteArray> tables = Common(int(squares.size()) + 1, firstCode, indexes);
    tables["head"].replace(18, 2, U16(em)); // unitsPerEm
    QByteArray loca = U32(0) + U32(0);
    QByteArray glyf;
    // Each glyph's left side bearing is its leftmost point, or FreeType moves it there.
    QByteArray hmtx = U16(12) + U16(0);
    int points = 0, contours = 0;
    for (const QList<QRect>& glyph : squares) {
        QByteArray ends, xs, ys;
        QRect box;
        QPoint last;
        for (const QRect& square : glyph) {
            box |= square;
            ends += U16(int(ends.size() / 2 + 1) * 4 - 1);
            const int left = square.x(), bottom = square.y();
            const int right = left + square.width(), top = bottom + square.height();
            for (const QPoint corner : {QPoint(left, bottom), QPoint(left, top), QPoint(right, top),
                                        QPoint(right, bottom)}) {
                xs += U16(corner.x() - last.x());
                ys += U16(corner.y() - last.y());
                last = corner;
            }
        }
        glyf += U16(int(glyph.size())) + U16(box.x()) + U16(box.y()) + U16(box.x() + box.width()) +
                U16(box.y() + box.height()) + ends + U16(int(instructions.size())) + instructions +
                QByteArray(int(xs.size() / 2), '\x01') + xs + ys;
        glyf += QByteArray((4 - glyf.size() % 4) % 4, '\0');
        loca += U32(quint32(glyf.size()));
        hmtx += U16(12) + U16(box.x());
        points = std::max(points, int(xs.size() / 2));
        contours = std::max(contours, int(glyph.size()));
    }
    // Room for the hinting: the points and contours, one function, the stack, the program's size.
    if (!instructions.isEmpty()) {
        tables["maxp"].replace(6, 4, U16(points) + U16(contours));
        tables["maxp"].replace(20, 8, U16(1) + U16(0) + U16(16) + U16(int(instructions.size())));
    }
    tables["hmtx"] = hmtx;
    tables["loca"] = loca;
    tables["glyf"] = glyf;
    return tables;
}

// An outline font: glyph i + 1 is made of the squares of squares[i], in font units.
inline QByteArray Outlines(const QList<QList<QRect>>& squares, int firstCode,
                           const QList<int>& indexes, int em = 16)
{
    return Font(OutlineTables(squares, firstCode, indexes, em));
}

// A name table that gives the font this family name.
inline QByteArray Name(const QByteArray& family)
{
    QByteArray utf16;
    for (const char letter : family)
        utf16 += Bytes({0, letter});
    return U16(0) + U16(1) + U16(18) + U16(3) + U16(1) + U16(0x409) + U16(1) +
           U16(int(utf16.size())) + U16(0) + utf16;
}

// A font of bitmap strikes and no outlines, each strike a line ascent and descent in pixels
// and one glyph for code: a single pixel just above the baseline, in the given column.
struct Strike
{
    int ascent;
    int descent;
    int column;
};

inline QByteArray Strikes(const QList<Strike>& strikes, int code)
{
    std::map<QByteArray, QByteArray> tables = Common(2, code, {1});
    const int count = int(strikes.size());
    QByteArray sizes, indexes;
    QByteArray ebdt = U32(0x00020000);
    for (const Strike& strike : strikes) {
        const QByteArray line = Bytes({strike.ascent, -strike.descent, 1}) + QByteArray(9, '\0');
        // Where this strike's index lies in the EBLC table: one range of glyphs, glyph 1 only,
        // whose image (format 1: small metrics, then rows of whole bytes) starts at offset.
        sizes += U32(quint32(8 + 48 * count + indexes.size())) + U32(24) + U32(1) + U32(0) + line +
                 line + U16(1) + U16(1) +
                 Bytes({strike.ascent + strike.descent, strike.ascent + strike.descent, 1, 1});
        indexes += U16(1) + U16(1) + U32(8) + U16(1) + U16(1) + U32(quint32(ebdt.size())) + U32(0) +
                   U32(6);
        ebdt += Bytes({1, 1, strike.column, 1, 5, 0x80});
    }
    tables["EBLC"] = U32(0x00020000) + U32(quint32(count)) + sizes + indexes;
    tables["EBDT"] = ebdt;
    return Font(tables);
}

} // namespace SfntFont
