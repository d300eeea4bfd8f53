#include "GlyphRows.h"

#include "GlyphName.h"
#include "Message.h"

#include <algorithm>

QString GlyphRows::Draw(const FontChar& glyph)
{
    QString text;
    text.reserve(int(FontChar::RowCount * (FontChar::ColumnCount + 1)));
    for (quint32 row = 0; row < FontChar::RowCount; ++row)
        text += Row(glyph, row) + u'\n';
    return text;
}

QString GlyphRows::Row(const FontChar& glyph, quint32 row)
{
    QString text(qsizetype{FontChar::ColumnCount}, QChar(Off));
    for (quint32 column = 0; column < FontChar::ColumnCount; ++column) {
        if (glyph.GetPixel(column, row))
            text[column] = QChar(On);
    }
    return text;
}

QString GlyphRows::Picture(const std::string& name, const FontChar& glyph)
{
    return GlyphName::Whole(name) + QLatin1Char('\n') + Draw(glyph);
}

Status GlyphRows::ReadArgument(QStringView text, FontChar& glyph)
{
    return ReadRows(text.split(u'/'), glyph);
}

Status GlyphRows::ReadPicture(QStringView text, FontChar& glyph)
{
    if (text.endsWith(u'\n'))
        text.chop(1);
    QList<QStringView> lines = text.split(u'\n');
    if (lines.size() == qsizetype(FontChar::RowCount) + 1)
        lines.removeFirst();
    return ReadRows(lines, glyph);
}

Status GlyphRows::ReadRows(const QList<QStringView>& rows, FontChar& glyph)
{
    if (rows.size() != qsizetype(FontChar::RowCount)) {
        return Status::Failure(
            Message::Text(u"expected %1 rows of %2 characters, # for a "
                          u"pixel that is on and . for one that is off; "
                          u"got %3 rows",
                          {FontChar::RowCount, FontChar::ColumnCount, rows.size()}));
    }
    FontChar read;
    for (quint32 row = 0; row < FontChar::RowCount; ++row) {
        const QStringView text = rows[row];
        const bool wellFormed =
            text.size() == qsizetype(FontChar::ColumnCount) &&
            std::all_of(text.begin(), text.end(), [](QChar c) { return c == On || c == Off; });
        if (!wellFormed) {
            return Status::Failure(Message::Text(u"row %1 is not %2 characters, each # or .",
                                                 {row + 1, FontChar::ColumnCount}));
        }
        for (quint32 column = 0; column < FontChar::ColumnCount; ++column)
            read.SetPixel(column, row, text[column] == On);
    }
    glyph = read;
    return Status();
}
