#include "BdfGlyphNames.h"

#include "BdfLines.h"
#include "BdfWriter.h"

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
        } else if (BdfWriter::ReadNameComment(line, glyph.name, glyph.cut)) {
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
