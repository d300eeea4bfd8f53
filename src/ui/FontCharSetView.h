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
