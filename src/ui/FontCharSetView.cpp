#include "FontCharSetView.h"

#include "FontCharSet.h"
#include "GlyphName.h"

#include <vector>

FontCharSetView::FontCharSetView()
{
    // Every name is one line in one font: the view can lay out a font of a million names
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
    // One insertion for all names: the view then lays itself out once.
    QStringList texts;
    texts.reserve(qsizetype(_fontCharSet->Count()));
    std::vector<std::pair<int, const std::string*>> shownOtherwise;
    for (const auto& entry : *_fontCharSet) {
        const std::string& name = entry.first;
        const QString shown = GlyphName::Listed(name);
        // An item shown otherwise keeps the whole name to find the glyph again.
        if (shown != QLatin1String(name.data(), qsizetype(name.size())))
            shownOtherwise.emplace_back(int(texts.size()), &name);
        texts << shown;
    }
    const int first = count();
    addItems(texts);
    for (const auto& [row, name] : shownOtherwise)
        item(first + row)->setData(Qt::UserRole, QByteArray(name->data(), qsizetype(name->size())));
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
    const QVariant whole = item->data(Qt::UserRole);
    const std::string name =
        whole.isValid() ? whole.toByteArray().toStdString() : GlyphName::FromString(item->text());
    // Find, never At: a selection must not add an entry to the font.
    const auto entry = _fontCharSet->Find(name);
    if (entry == _fontCharSet->end())
        return;
    emit FontCharSelected(entry->second);
}
