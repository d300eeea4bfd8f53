#pragma once

#include "FontChar.h"

#include <QWidget>

// The enlarged 5 x 8 grid of one glyph. A press of any mouse button inverts the pixel
// under the pointer in the glyph itself; the grid does not own the glyph.
class FontCharView : public QWidget
{
    Q_OBJECT

public:
    FontCharView();

    void ClearFontChar();

public slots:
    void SetFontChar(FontChar* fontchar);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    FontChar* _fontChar = nullptr;
};
