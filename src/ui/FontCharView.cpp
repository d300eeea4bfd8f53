#include "FontCharView.h"

#include "FontChar.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr int GridWidth = 250;
constexpr int GridHeight = 400;

// Cells are whole pixels wide and high; painting and hit-testing share these sizes.
float CellWidth(const QWidget& widget)
{
    return float(widget.width() / int(FontChar::ColumnCount));
}

float CellHeight(const QWidget& widget)
{
    return float(widget.height() / int(FontChar::RowCount));
}

// Truncates toward zero; a negative index wraps to a huge one, which the glyph ignores.
quint32 CellIndex(qreal position, float cellSize)
{
    return quint32(qint64(position / cellSize));
}

} // namespace

FontCharView::FontCharView()
{
    setFixedSize(GridWidth, GridHeight);
}

void FontCharView::ClearFontChar()
{
    _fontChar = nullptr;
    update();
}

void FontCharView::SetFontChar(FontChar* fontchar)
{
    _fontChar = fontchar;
    update();
}

void FontCharView::mousePressEvent(QMouseEvent* event)
{
    if (!_fontChar)
        return;
    const QPointF position = event->position();
    _fontChar->TogglePixel(CellIndex(position.x(), CellWidth(*this)),
                           CellIndex(position.y(), CellHeight(*this)));
    update();
}

void FontCharView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const float cellWidth = CellWidth(*this);
    const float cellHeight = CellHeight(*this);

    if (!_fontChar) {
        painter.fillRect(0, 0, width(), height(), Qt::gray);
    } else {
        for (quint32 column = 0; column < FontChar::ColumnCount; ++column) {
            for (quint32 row = 0; row < FontChar::RowCount; ++row) {
                painter.fillRect(int(float(column) * cellWidth), int(float(row) * cellHeight),
                                 int(cellWidth), int(cellHeight),
                                 _fontChar->GetPixel(column, row) ? Qt::black : Qt::white);
            }
        }
    }

    // Spaced over width - 1 and height - 1 so that the outer lines fall on the border
    // pixels and every inner line on the last pixel of a cell.
    for (int k = 0; k <= int(FontChar::ColumnCount); ++k) {
        const int x = (width() - 1) * k / int(FontChar::ColumnCount);
        painter.drawLine(x, 0, x, height());
    }
    for (int l = 0; l <= int(FontChar::RowCount); ++l) {
        const int y = (height() - 1) * l / int(FontChar::RowCount);
        painter.drawLine(0, y, width(), y);
    }
}
