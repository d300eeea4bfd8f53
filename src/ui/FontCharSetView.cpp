#include "FontCharSetView.h"

#include "FontCharSet.h"

FontCharSetView::FontCharSetView()
{
    connect(this, &QListWidget::itemSelectionChanged, this, &FontCharSetView::_ItemChanged);
}

void FontCharSetView::SetFontCharSet(FontCharSet* fontCharSet)
{
    _fontCharSet = fontCharSet;
    if (!_fontCharSet) {
        ClearFontCharSet();
        return;
    }
    for (const auto& entry : *_fontCharSet)
        addItem(FontCharSet::NameToString(entry.first));
}

void FontCharSetView::ClearFontCharSet()
{
    // Emptying the list may report a selection change; the set must still be known then,
    // so it is forgotten only afterwards.
    clear();
    _fontCharSet = nullptr;
}

void FontCharSetView::_ItemChanged()
{
    if (!_fontCharSet)
        return;
    const QListWidgetItem* item = currentItem();
    if (!item)
        return;
    // Find, never At: a selection must not add an entry to the font.
    const auto entry = _fontCharSet->Find(FontCharSet::NameFromString(item->text()));
    if (entry == _fontCharSet->end())
        return;
    emit FontCharSelected(entry->second);
}
