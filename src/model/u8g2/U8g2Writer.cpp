#include "U8g2Writer.h"

#include "CharacterMap.h"
#include "Message.h"
#include "U8g2BitStream.h"
#include "U8g2Runs.h"

#include <algorithm>
#include <climits>
#include <initializer_list>
#include <vector>

namespace {

constexpr QLatin1String Section("U8G2_FONT_SECTION");
// The widest counts that the library reads: it takes a field from two bytes at most.
constexpr int MaxCountWidth = 8;

// A code's glyph in a box as the library places it: x from the cursor to the left column, y
// from the baseline up to the bottom row; 0 x 0 without pixels.
struct Box
{
    int code = 0;
    const FontChar* glyph = nullptr;
    int x = 0, y = 0, width = 0, height = 0;
    U8g2Runs runs = U8g2Runs({});
};

// The box from that column and row (the top left) to that column and row, both included.
Box Cut(const Box& box, int left, int top, int right, int bottom, int baseline)
{
    Box cut = box;
    std::vector<bool> pixels;
    for (int row = top; row <= bottom; ++row) {
        for (int column = left; column <= right; ++column)
            pixels.push_back(box.glyph->GetPixel(quint32(column), quint32(row)));
    }
    cut.x = left, cut.y = baseline - bottom;
    cut.width = right - left + 1, cut.height = bottom - top + 1;
    cut.runs = U8g2Runs(pixels);
    return cut;
}

// The glyph cropped to its lit pixels.
Box Crop(int code, const FontChar* glyph, int baseline)
{
    int left = int(FontChar::ColumnCount), right = -1, top = int(FontChar::RowCount), bottom = -1;
    for (int row = 0; glyph && row < int(FontChar::RowCount); ++row) {
        for (int column = 0; column < int(FontChar::ColumnCount); ++column) {
            if (glyph->GetPixel(quint32(column), quint32(row))) {
                left = std::min(left, column), right = std::max(right, column);
                top = std::min(top, row), bottom = std::max(bottom, row);
            }
        }
    }
    const Box box{code, glyph};
    return right < 0 ? box : Cut(box, left, top, right, bottom, baseline);
}

// The widths of the fields of every glyph, which the header gives.
struct Widths
{
    int zeros = 0, ones = 1, width = 1, height = 1, x = 1, y = 1, advance = 1;
    int Metrics() const { return width + height + x + y + advance; }
};

// The narrowest fields for the boxes.
Widths FieldWidths(const std::vector<Box>& boxes)
{
    Widths widths;
    int most[2] = {0, 0}, x[2] = {0, 0}, y[2] = {0, 0};
    for (const Box& box : boxes) {
        most[0] = std::max(most[0], box.width), most[1] = std::max(most[1], box.height);
        x[0] = std::min(x[0], box.x), x[1] = std::max(x[1], box.x);
        y[0] = std::min(y[0], box.y), y[1] = std::max(y[1], box.y);
    }
    widths.width = U8g2BitStream::UnsignedWidth(most[0]);
    widths.height = U8g2BitStream::UnsignedWidth(most[1]);
    widths.x = U8g2BitStream::SignedWidth(x[0], x[1]);
    widths.y = U8g2BitStream::SignedWidth(y[0], y[1]);
    widths.advance = U8g2BitStream::SignedWidth(0, int(FontChar::Advance));
    return widths;
}

// The glyphs' boxes and the widths of their fields.
struct Layout
{
    std::vector<Box> boxes;
    Widths widths;
    int bytes = INT_MAX; // of all glyphs
};

// The widths of the counts that make the fewest bytes of all glyphs (the first such, the
// narrowest counts of unlit pixels first).
void ChooseCounts(Layout& layout)
{
    Widths& widths = layout.widths;
    for (int zeros = 0; zeros <= MaxCountWidth; ++zeros) {
        for (int ones = 1; ones <= MaxCountWidth; ++ones) {
            int total = 0;
            for (auto box = layout.boxes.begin(); box != layout.boxes.end() && total < layout.bytes;
                 ++box) {
                const int bits = box->width == 0 ? 0 : box->runs.Bits(zeros, ones);
                total = bits < 0 ? INT_MAX : total + 2 + (widths.Metrics() + bits + 7) / 8;
            }
            if (total < layout.bytes)
                layout.bytes = total, widths.zeros = zeros, widths.ones = ones;
        }
    }
}

// The boxes of lit pixels or, where a field of a bit less for x or y saves more than the
// unlit pixels cost, boxes stretched left or down within the cell to fit it: whichever makes
// the fewest bytes, the boxes of lit pixels on a tie.
Layout Choose(const std::vector<Box>& crops, int baseline)
{
    Layout best;
    const Widths cropped = FieldWidths(crops);
    for (int x = cropped.x; x >= 1; --x) {
        for (int y = cropped.y; y >= 1; --y) {
            // The most x, and the row that every bottom row must reach for y to fit.
            const int mostX = (1 << (x - 1)) - 1, lowest = baseline - ((1 << (y - 1)) - 1);
            if (lowest >= int(FontChar::RowCount))
                continue;
            Layout layout;
            for (const Box& box : crops) {
                if (box.width == 0 || (box.x <= mostX && baseline - box.y >= lowest)) {
                    layout.boxes.push_back(box);
                    continue;
                }
                const int top = baseline - box.y - box.height + 1;
                layout.boxes.push_back(Cut(box, std::min(box.x, mostX), top, box.x + box.width - 1,
                                           std::max(baseline - box.y, lowest), baseline));
            }
            layout.widths = FieldWidths(layout.boxes);
            ChooseCounts(layout);
            if (layout.bytes < best.bytes)
                best = std::move(layout);
        }
    }
    return best;
}

// A glyph: its code, its size with these two bytes, then its fields and its pixels. The
// library draws nothing for a width of 0, and reads no counts then.
QByteArray Glyph(const Box& box, const Widths& widths)
{
    U8g2BitStream bits;
    bits.Write(quint32(box.width), widths.width);
    bits.Write(quint32(box.height), widths.height);
    bits.WriteSigned(box.x, widths.x);
    bits.WriteSigned(box.y, widths.y);
    bits.WriteSigned(int(FontChar::Advance), widths.advance);
    if (box.width > 0)
        box.runs.Write(widths.zeros, widths.ones, bits);
    return QByteArray(1, char(box.code)) + char(2 + bits.Bytes().size()) + bits.Bytes();
}

// How far a code's lit pixels reach above the baseline, and below it (negative); the cell's
// reach for a code without any, which is where u8g2_SetFontPosTop and the like then align.
std::pair<int, int> Reach(const std::vector<Box>& boxes, int code, int baseline)
{
    for (const Box& box : boxes) {
        if (box.code == code && box.width > 0)
            return {box.y + box.height, box.y};
    }
    return {baseline + 1, baseline + 1 - int(FontChar::RowCount)};
}

// The offsets are from the end of the header. The font's box is the cell, as a display
// shows the font; the glyph count, which the library does not read, stops at its byte's most.
QByteArray Header(const std::vector<Box>& boxes, const Widths& widths, int baseline,
                  const int (&starts)[3])
{
    const std::pair<int, int> upper = Reach(boxes, 'A', baseline),
                              lower = Reach(boxes, 'g', baseline);
    QByteArray header;
    const auto add = [&header](std::initializer_list<int> values) {
        for (const int value : values)
            header.append(char(quint8(value)));
    };
    add({std::min(int(boxes.size()), 255), 0, widths.zeros, widths.ones});
    add({widths.width, widths.height, widths.x, widths.y, widths.advance});
    add({int(FontChar::ColumnCount), int(FontChar::RowCount), 0,
         baseline + 1 - int(FontChar::RowCount)});
    add({upper.first, lower.second, Reach(boxes, '(', baseline).first,
         Reach(boxes, ')', baseline).second});
    for (const int start : starts)
        add({start >> 8, start & 0xFF});
    return header;
}

} // namespace

U8g2Writer::U8g2Writer(const QString& name, const CodeRange& range, int baseline)
    : U8g2FontWriter(name, range, Section, u"the u8g2 font %1 draws nothing there and moves on"),
      _baseline(baseline)
{
}

// The glyphs in ascending code, as the library looks a code up: from the first glyph, or
// from that of "A" or of "a" on, to the end of the codes up to 255 (a size of 0). Then the
// codes above 255: a lookup table of one entry, 0xffff, that leads to an empty list.
QByteArray U8g2Writer::Font(const FontCharSet& set) const
{
    const CharacterMap map(set);
    std::vector<Box> boxes;
    for (int code = _range.First(); code <= _range.Last(); ++code) {
        const quint32 index = map.GlyphIndex(code);
        boxes.push_back(
            Crop(code, index == CharacterMap::NoGlyph ? nullptr : &map.Glyph(index), _baseline));
    }
    const Layout layout = Choose(boxes, _baseline);
    QByteArray glyphs;
    int starts[3] = {-1, -1, -1};
    for (const Box& box : layout.boxes) {
        for (const int first : {'A', 'a'}) {
            if (box.code >= first && starts[first == 'a'] < 0)
                starts[first == 'a'] = int(glyphs.size());
        }
        glyphs += Glyph(box, layout.widths);
    }
    for (int& start : starts)
        start = start < 0 ? int(glyphs.size()) : start;
    starts[2] = int(glyphs.size()) + 2;
    glyphs += QByteArray::fromHex("0000"
                                  "0004ffff"
                                  "0000");
    return Header(boxes, layout.widths, _baseline, starts) + glyphs;
}

QString U8g2Writer::Comment() const
{
    return Message::Text(
        u"Auto generated file: u8g2 font %1, for u8g2_SetFont(&u8g2, %1)\n"
        u"   codes %2 to %3, 5 x 8 pixels a glyph, advance 6; u8g2_DrawStr's y is "
        u"the baseline,\n   just below grid row %4; each glyph in a box around its "
        u"lit pixels",
        {_name, Message::Hex(_range.First()), Message::Hex(_range.Last()), _baseline});
}
