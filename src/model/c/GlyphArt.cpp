#include "GlyphArt.h"

#include "FontChar.h"
#include "GlyphRows.h"

#include <QTextStream>

void GlyphArt::WriteRow(QTextStream& stream, CArray::Layout layout, const FontChar& glyph,
                        const QString& end)
{
    const CArray::LayoutBytes bytes = CArray::Bytes(glyph, layout);
    const quint32 count = CArray::ByteCount(layout);
    if (layout == CArray::Layout::Rows || layout == CArray::Layout::RowsMsb) {
        // The closing brace on a line of its own keeps the last row's picture beside its byte.
        for (quint32 row = 0; row < count; ++row) {
            stream << (row == 0 ? "{" : " ") << CArray::ByteText(bytes[row])
                   << (row + 1 < count ? ",\t/* " : "\t/* ") << GlyphRows::Row(glyph, row)
                   << " */\n";
        }
        stream << end;
        return;
    }
    for (quint32 row = 0; row < FontChar::RowCount; ++row)
        stream << "/* " << GlyphRows::Row(glyph, row) << " */\n";
    stream << '{';
    for (quint32 index = 0; index < count; ++index)
        stream << (index > 0 ? "," : "") << CArray::ByteText(bytes[index]);
    stream << end;
}
