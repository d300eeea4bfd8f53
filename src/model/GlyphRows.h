#pragma once

#include "FontChar.h"
#include "Status.h"

#include <QList>
#include <QString>

#include <string>

// A glyph drawn in text, as people read it and git diff shows it: 8 rows of 5 characters, top
// row first, '#' for a pixel that is on and '.' for one that is off.
class GlyphRows
{
public:
    static constexpr char16_t On = u'#';
    static constexpr char16_t Off = u'.';

    // The 8 rows, each ended by a line feed.
    static QString Draw(const FontChar& glyph);
    // One row, 0 the top, without a line end.
    static QString Row(const FontChar& glyph, quint32 row);
    // A line with the glyph's name as the editor's list shows it, then its rows: what
    // pixmint-font show prints for one glyph.
    static QString Picture(const std::string& name, const FontChar& glyph);
    // The rows in one argument, separated by '/': ".###./#...#/...". A failure, with the
    // reason.
    static Status ReadArgument(QStringView text, FontChar& glyph);
    // A Picture, or the rows alone (nine lines or eight): the first line of nine is a name and
    // says nothing of the pixels. The last line end may be left out. A failure, with the
    // reason.
    static Status ReadPicture(QStringView text, FontChar& glyph);

private:
    static Status ReadRows(const QList<QStringView>& rows, FontChar& glyph);
};
