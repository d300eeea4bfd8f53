#include "FontCharSetView.h"

#include "FontCharSet.h"

FontCharSetView::FontCharSetView()
{
    // Every name is one line in one font: the view can lay out a font of 100,000 names
    // without measuring each of them.
    setUniformItemSizes(true);
    connect(this, &QListWidget::itemSelectionChanged, this, &FontCharSetView::_ItemChanged);
}

void FontCharSetView::SetFontCharSet(FontCharSet* fontCharSet)
{
    _fontCharSet = fontCharSet;
    if (!_fontCharSet) {
        ClearFontCharSet();
        return;
    }
    for (const auto& entry : *_fontCharSet) {
        // A name with a line break shows on several lines: then items differ in height.
        const std::string& name = entry.first;
        if (uniformItemSizes() && name.find_first_of("\n\r") != std::string::npos)
            setUniformItemSizes(false);
        addItem(FontCharSet::NameToString(name));
    }
}

void FontCharSetView::ClearFontCharSet()
{
    // Emptying the list may report a selection change; the set must still be known then,
    // so it is forgotten only afterwards.
    clear();
    _fontCharSet = nullptr;
    setUniformItemSizes(true);
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
