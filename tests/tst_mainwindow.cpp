#include "FontCharSet.h"
#include "FontCharSetView.h"
#include "FontCharView.h"
#include "MainWindow.h"

#include <QHBoxLayout>
#include <QImage>
#include <QTest>

namespace {

QColor CellColor(FontCharView* grid, int column, int row)
{
    const QImage image = grid->grab().toImage();
    return image.pixelColor(50 * column + 25, 50 * row + 25);
}

void Select(FontCharSetView* list, const QString& name)
{
    const auto found = list->findItems(name, Qt::MatchExactly);
    QVERIFY(found.size() == 1);
    list->scrollToItem(found.first());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(found.first()).center());
    QVERIFY(list->currentItem() == found.first());
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void startsWithTitledWindowGridAndList();
    void selectingAndPressingEditsTheFont();

private:
    MainWindow* _window = nullptr;
    FontCharView* _grid = nullptr;
    FontCharSetView* _list = nullptr;
};

void TestMainWindow::init()
{
    _window = new MainWindow;
    _window->show();
    QVERIFY(QTest::qWaitForWindowExposed(_window));
    _grid = _window->findChild<FontCharView*>();
    _list = _window->findChild<FontCharSetView*>();
    QVERIFY(_grid);
    QVERIFY(_list);
}

void TestMainWindow::cleanup()
{
    delete _window;
    _window = nullptr;
}

void TestMainWindow::startsWithTitledWindowGridAndList()
{
    QCOMPARE(_window->windowTitle(), QStringLiteral("Pixmint - VANDRELL/PIMSEL - 2010"));
    auto* layout = qobject_cast<QHBoxLayout*>(_window->centralWidget()->layout());
    QVERIFY(layout);
    QCOMPARE(layout->count(), 2);
    QCOMPARE(layout->itemAt(0)->widget(), _grid);
    QCOMPARE(layout->itemAt(1)->widget(), _list);
    QVERIFY(_grid->geometry().right() < _list->geometry().left());
    QCOMPARE(_grid->size(), QSize(250, 400));

    QCOMPARE(_list->count(), 86);
    QCOMPARE(_list->item(0)->text(), QStringLiteral("C00  a"));
    QCOMPARE(_list->item(85)->text(), QStringLiteral("C86  Space"));
    // Focus may make the first row current, but nothing is selected or announced.
    QVERIFY(_list->selectedItems().isEmpty());
    QCOMPARE(CellColor(_grid, 2, 1), QColor(Qt::gray));
    QVERIFY(*_window->GetFontCharSet() == FontCharSet());
}

void TestMainWindow::selectingAndPressingEditsTheFont()
{
    Select(_list, QStringLiteral("C27  A"));
    QCOMPARE(CellColor(_grid, 2, 1), QColor(Qt::white));

    QTest::mouseClick(_grid, Qt::LeftButton, {}, QPoint(120, 70));
    QCOMPARE(CellColor(_grid, 2, 1), QColor(Qt::black));
    const FontChar* glyph = _window->GetFontCharSet()->Find("C27  A")->second;
    QCOMPARE(glyph->GetColumn(2), quint8(0x02));

    Select(_list, QStringLiteral("C28  B"));
    QCOMPARE(CellColor(_grid, 2, 1), QColor(Qt::white));
    Select(_list, QStringLiteral("C27  A"));
    QCOMPARE(CellColor(_grid, 2, 1), QColor(Qt::black));

    FontCharSet expected;
    expected.At("C27  A")->SetPixel(2, 1, true);
    QVERIFY(*_window->GetFontCharSet() == expected);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
