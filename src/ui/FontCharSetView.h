#pragma once

#include "FontChar.h"

#include <QListWidget>

class FontCharSet;

// The list of the glyph names of one font, in the font's order. Selecting a name
// announces the glyph stored under it; the list does not own the font.
class FontCharSetView : public QListWidget
{
    Q_OBJECT

public:
    FontCharSetView();

    // Laying out a name of megabytes, or a million names of several lines, would take
    // seconds: longer names show their beginning and an ellipsis, control characters show
    // as escapes (\n), and such an item keeps the whole name to find the glyph again.
    static constexpr size_t MaxShownLength = 256;

    // Appends the names of the set after any items already listed; null empties the list.
    void SetFontCharSet(FontCharSet* fontCharSet);
    void ClearFontCharSet();

signals:
    void FontCharSelected(FontChar* fontchar);

private slots:
    void _ItemChanged();

private:
    FontCharSet* _fontCharSet = nullptr;
};
