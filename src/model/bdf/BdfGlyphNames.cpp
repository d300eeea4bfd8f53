#include "BdfGlyphNames.h"

#include "BdfLines.h"
#include "BdfWriter.h"
#include "NumberText.h"

#include <QByteArrayView>

#include <algorithm>

bool BdfGlyphNames::Scan(const QByteArray& bdf, std::vector<Glyph>& glyphs, QByteArray& encoded)
{
    glyphs.clear();
    encoded.clear();
    // Most fonts are not Pixmint's: they are not copied.
    if (!bdf.startsWith("STARTFONT") ||
        (!bdf.contains(BdfWriter::MadeByComment) && !bdf.contains(BdfWriter::NameComment)))
        return false;
    bool pixmint = false;
    Glyph glyph;
    bool named = false;
    encoded.reserve(bdf.size() + bdf.size() / 8);
    const QByteArrayView text(bdf);
    for (qsizetype start = 0; start < text.size();) {
        const qsizetype end = BdfLines::End(text, start);
        const QByteArrayView line = text.sliced(start, end - start);
        const qsizetype next = std::min(end + 1, text.size());
        if (line.startsWith(BdfWriter::MadeByComment)) {
            pixmint = true;
        } else if (ReadNameComment(line, glyph.name, glyph.cut)) {
            pixmint = named = true;
        } else if (line.startsWith("STARTCHAR ") && !named) {
            glyph.name = line.sliced(10).trimmed().toByteArray().toStdString();
            glyph.cut = false;
        } else if (line.startsWith("ENCODING")) {
            encoded += "ENCODING " + QByteArray::number(FirstCode + qint64(glyphs.size()));
            encoded += text.sliced(end, next - end);
            start = next;
            continue;
        } else if (line.startsWith("ENDCHAR")) {
            glyphs.push_back(glyph);
            glyph = Glyph();
            named = false;
        }
        encoded += text.sliced(start, next - start);
        start = next;
    }
    return pixmint;
}

bool BdfGlyphNames::ReadNameComment(QByteArrayView line, std::string& name, bool& cut)
{
    if (!line.startsWith(BdfWriter::NameComment))
        return false;
    const QByteArrayView text = line.sliced(qsizetype(sizeof BdfWriter::NameComment) - 1);
    const qsizetype end = Unescape(text, name);
    if (end < 0 || end == text.size())
        return false;
    const QByteArrayView rest = text.sliced(end + 1);
    cut = rest == BdfWriter::CutMark;
    return cut || rest.isEmpty();
}

qsizetype BdfGlyphNames::Unescape(QByteArrayView text, std::string& name)
{
    name.clear();
    for (qsizetype index = 0; index < text.size(); ++index) {
        const char c = text[index];
        if (c == '"')
            return index;
        if (c != '\\') {
            name += c;
        } else if (index + 1 < text.size() && text[index + 1] != 'x') {
            name += text[++index];
        } else {
            const int high =
                index + 3 < text.size() ? NumberText::Digit(quint8(text[index + 2]), 16) : -1;
            const int low =
                index + 3 < text.size() ? NumberText::Digit(quint8(text[index + 3]), 16) : -1;
            if (high < 0 || low < 0)
                return -1;
            name += char(high * 16 + low);
            index += 3;
        }
    }
    return text.size();
}
