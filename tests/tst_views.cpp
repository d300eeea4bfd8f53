#include "FontCharSet.h"
#include "FontCharSetView.h"
#include "FontCharView.h"
#include "GlyphName.h"

#include <QImage>
#include <QMetaMethod>
#include <QSignalSpy>
#include <QTest>

#include <array>

namespace {

const int VerticalLines[] = {0, 49, 99, 149, 199, 249};
const int HorizontalLines[] = {0, 49, 99, 149, 199, 249, 299, 349, 399};

bool IsLine(int position, const int* lines, int count)
{
    return std::find(lines, lines + count, position) != lines + count;
}

QImage Grab(QWidget& widget)
{
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// A pixel inside cell (column, row) that no grid line crosses.
QPoint CellCenter(int column, int row)
{
    return {50 * column + 25, 50 * row + 25};
}

} // namespace

class TestViews : public QObject
{
    Q_OBJECT

private slots:
    void gridHasFixedSize();
    void emptyGridIsGrayWithLines();
    void pressOnEmptyGridDoesNothing();
    void gridPaintsGlyph();
    void pressTogglesCell_data();
    void pressTogglesCell();
    void doubleClickTogglesTwice();
    void dragTogglesOnlyPressedCell();
    void nullGlyphClearsGrid();

    void listShowsNamesInSetOrder();
    void listAppendsWithoutClearing();
    void selectingByMouseAnnouncesGlyph();
    void selectingByKeyboardAnnouncesGlyph();
    void latin1NameIsFoundAgain();
    void unknownNameAnnouncesNothing();
    void detachedListAnnouncesNothing();
    void nameWithLineBreakShowsOnOneLine();

    void longNameShowsShortAndIsFoundWhole();
    void metaObjects();
};

void TestViews::gridHasFixedSize()
{
    FontCharView grid;
    QCOMPARE(grid.size(), QSize(250, 400));
    QCOMPARE(grid.minimumSize(), QSize(250, 400));
    QCOMPARE(grid.maximumSize(), QSize(250, 400));
    QCOMPARE(grid.parentWidget(), nullptr);
}

void TestViews::emptyGridIsGrayWithLines()
{
    FontCharView grid;
    const QImage image = Grab(grid);
    QCOMPARE(image.size(), QSize(250, 400));
    const QRgb gray = QColor(Qt::gray).rgb();
    const QRgb line = grid.palette().color(grid.foregroundRole()).rgb();
    QVERIFY(line != gray);

    for (int y = 0; y < 400; ++y) {
        for (int x = 0; x < 250; ++x) {
            const bool onLine = IsLine(x, VerticalLines, 6) || IsLine(y, HorizontalLines, 9);
            if (image.pixel(x, y) != (onLine ? line : gray))
                QFAIL(qPrintable(QStringLiteral("pixel (%1, %2)").arg(x).arg(y)));
        }
    }
}

void TestViews::pressOnEmptyGridDoesNothing()
{
    FontCharView grid;
    const QImage before = Grab(grid);
    QTest::mouseClick(&grid, Qt::LeftButton, {}, QPoint(120, 70));
    QCOMPARE(Grab(grid), before);
}

void TestViews::gridPaintsGlyph()
{
    FontChar glyph;
    glyph.SetColumn(0, 0x81);
    glyph.SetColumn(2, 0x02);
    glyph.SetColumn(4, 0xFF);
    FontCharView grid;
    grid.SetFontChar(&glyph);
    const QImage image = Grab(grid);
    const QRgb line = grid.palette().color(grid.foregroundRole()).rgb();

    for (int column = 0; column < 5; ++column) {
        for (int row = 0; row < 8; ++row) {
            const QColor expected = glyph.GetPixel(column, row) ? Qt::black : Qt::white;
            // Whole cell body up to (not including) its grid lines.
            for (const QPoint& offset : {QPoint(1, 1), QPoint(25, 25), QPoint(48, 48)}) {
                const QPoint at = QPoint(50 * column, 50 * row) + offset;
                QCOMPARE(QColor(image.pixel(at)), expected);
            }
        }
    }
    QCOMPARE(image.pixel(49, 25), line);
    QCOMPARE(image.pixel(25, 399), line);
    QCOMPARE(image.pixel(249, 399), line);
    QCOMPARE(QColor(image.pixel(50, 25)), QColor(Qt::white)); // first pixel of column 1
}

void TestViews::pressTogglesCell_data()
{
    QTest::addColumn<QPoint>("position");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::newRow("(120, 70)") << QPoint(120, 70) << Qt::LeftButton << 2 << 1;
    QTest::newRow("line crossing (49, 49)") << QPoint(49, 49) << Qt::LeftButton << 0 << 0;
    QTest::newRow("(50, 50)") << QPoint(50, 50) << Qt::LeftButton << 1 << 1;
    QTest::newRow("last pixel (249, 399)") << QPoint(249, 399) << Qt::LeftButton << 4 << 7;
    QTest::newRow("top left corner") << QPoint(0, 1) << Qt::LeftButton << 0 << 0;
    QTest::newRow("right button") << QPoint(120, 70) << Qt::RightButton << 2 << 1;
    QTest::newRow("middle button") << QPoint(120, 70) << Qt::MiddleButton << 2 << 1;
}

void TestViews::pressTogglesCell()
{
    QFETCH(QPoint, position);
    QFETCH(Qt::MouseButton, button);
    QFETCH(int, column);
    QFETCH(int, row);

    FontChar glyph;
    glyph.SetColumn(3, 0x55);
    FontCharView grid;
    grid.SetFontChar(&glyph);

    QTest::mousePress(&grid, button, {}, position);
    FontChar expected;
    expected.SetColumn(3, 0x55);
    expected.TogglePixel(column, row);
    QVERIFY(glyph == expected);
    QTest::mouseRelease(&grid, button, {}, position);
    QVERIFY(glyph == expected);
    QCOMPARE(QColor(Grab(grid).pixel(CellCenter(column, row))),
             QColor(expected.GetPixel(column, row) ? Qt::black : Qt::white));

    QTest::mouseClick(&grid, button, {}, position);
    expected.TogglePixel(column, row);
    QVERIFY(glyph == expected);
}

void TestViews::doubleClickTogglesTwice()
{
    FontChar glyph;
    FontCharView grid;
    grid.SetFontChar(&glyph);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    // Through the window, as the window system delivers it: press, release, double click,
    // release.
    QTest::mouseDClick(grid.windowHandle(), Qt::LeftButton, {}, QPoint(120, 70));
    QVERIFY(glyph == FontChar());
    QTest::mouseClick(grid.windowHandle(), Qt::LeftButton, {}, QPoint(120, 70));
    QCOMPARE(glyph.GetColumn(2), quint8(0x02));
}

void TestViews::dragTogglesOnlyPressedCell()
{
    FontChar glyph;
    FontCharView grid;
    grid.SetFontChar(&glyph);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QTest::mousePress(&grid, Qt::LeftButton, {}, QPoint(10, 10));
    for (int step = 1; step <= 10; ++step)
        QTest::mouseMove(&grid, QPoint(10 + 23 * step, 10 + 38 * step));
    QTest::mouseRelease(&grid, Qt::LeftButton, {}, QPoint(240, 390));
    FontChar expected;
    expected.SetPixel(0, 0, true);
    QVERIFY(glyph == expected);
}

void TestViews::nullGlyphClearsGrid()
{
    FontCharView empty;
    const QImage gray = Grab(empty);

    FontChar glyph;
    FontCharView grid;
    grid.SetFontChar(&glyph);
    QVERIFY(Grab(grid) != gray);
    grid.SetFontChar(nullptr);
    QCOMPARE(Grab(grid), gray);
    QTest::mouseClick(&grid, Qt::LeftButton, {}, QPoint(120, 70));
    QVERIFY(glyph == FontChar());

    grid.SetFontChar(&glyph);
    grid.ClearFontChar();
    QCOMPARE(Grab(grid), gray);
}

void TestViews::listShowsNamesInSetOrder()
{
    FontCharSet set;
    set.At("") = new FontChar;
    set.At("C81  \xB1") = new FontChar;
    FontCharSetView list;
    QCOMPARE(list.count(), 0);
    list.SetFontCharSet(&set);

    QStringList expected;
    for (const auto& entry : set)
        expected << QString::fromLatin1(entry.first.c_str());
    QStringList shown;
    for (int row = 0; row < list.count(); ++row)
        shown << list.item(row)->text();
    QCOMPARE(shown, expected);
    QCOMPARE(shown.size(), 88);
    QCOMPARE(shown.first(), QString());
    QCOMPARE(shown.at(1), QStringLiteral("C00  a"));
    QCOMPARE(shown.last(), QStringLiteral("C86  Space"));
    QVERIFY(shown.contains(QStringLiteral("C81  \u00B1")));
    QVERIFY(shown.contains(QStringLiteral("C84  \u00AE")));
    QCOMPARE(list.currentItem(), nullptr);
    QVERIFY(list.selectedItems().isEmpty());
}

void TestViews::listAppendsWithoutClearing()
{
    FontCharSet set;
    FontCharSetView list;
    QSignalSpy spy(&list, &FontCharSetView::FontCharSelected);
    list.SetFontCharSet(&set);
    list.SetFontCharSet(&set);
    QCOMPARE(list.count(), 172);
    QCOMPARE(list.item(0)->text(), list.item(86)->text());

    list.setCurrentRow(26);
    list.setCurrentRow(26 + 86);
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(0).at(0).value<FontChar*>(), set.Find("C27  A")->second);
    QCOMPARE(spy.at(1).at(0).value<FontChar*>(), set.Find("C27  A")->second);

    list.SetFontCharSet(nullptr);
    QCOMPARE(list.count(), 0);
}

void TestViews::selectingByMouseAnnouncesGlyph()
{
    FontCharSet set;
    FontCharSetView list;
    list.SetFontCharSet(&set);
    list.resize(200, 600);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    QSignalSpy spy(&list, &FontCharSetView::FontCharSelected);

    const QList<QListWidgetItem*> found =
        list.findItems(QStringLiteral("C02  c"), Qt::MatchExactly);
    QCOMPARE(found.size(), 1);
    const QRect rect = list.visualItemRect(found.first());
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, rect.center());

    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).value<FontChar*>(), set.Find("C02  c")->second);
    QCOMPARE(set.Count(), 86u);
}

void TestViews::selectingByKeyboardAnnouncesGlyph()
{
    FontCharSet set;
    FontCharSetView list;
    list.SetFontCharSet(&set);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    list.setCurrentRow(0);
    QSignalSpy spy(&list, &FontCharSetView::FontCharSelected);

    QTest::keyClick(&list, Qt::Key_Down);
    QTest::keyClick(&list, Qt::Key_End);
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(0).at(0).value<FontChar*>(), set.Find("C01  b")->second);
    QCOMPARE(spy.at(1).at(0).value<FontChar*>(), set.Find("C86  Space")->second);
}

void TestViews::latin1NameIsFoundAgain()
{
    FontCharSet set;
    FontCharSetView list;
    list.SetFontCharSet(&set);
    QSignalSpy spy(&list, &FontCharSetView::FontCharSelected);
    const auto found = list.findItems(QStringLiteral("C85  \u00A9"), Qt::MatchExactly);
    QCOMPARE(found.size(), 1);
    list.setCurrentItem(found.first());
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).value<FontChar*>(), set.Find("C85  \xA9")->second);
}

void TestViews::unknownNameAnnouncesNothing()
{
    FontCharSet set;
    FontCharSetView list;
    list.SetFontCharSet(&set);
    list.addItem(QStringLiteral("not in the font"));
    list.addItem(QStringLiteral("C81  \u20AC"));
    QSignalSpy spy(&list, &FontCharSetView::FontCharSelected);
    list.setCurrentRow(86);
    list.setCurrentRow(87);
    QCOMPARE(spy.count(), 0);
    QCOMPARE(set.Count(), 86u);
}

void TestViews::detachedListAnnouncesNothing()
{
    FontCharSet set;
    FontCharSetView list;
    list.SetFontCharSet(&set);
    list.ClearFontCharSet();
    QCOMPARE(list.count(), 0);
    list.addItem(QStringLiteral("C27  A"));
    QSignalSpy spy(&list, &FontCharSetView::FontCharSelected);
    list.setCurrentRow(0);
    QCOMPARE(spy.count(), 0);
}

void TestViews::nameWithLineBreakShowsOnOneLine()
{
    // Names of several lines made the list measure every item: a million of them took
    // seconds to show.
    FontCharSet set;
    set.StoreRead(QStringLiteral("two\nlines"), std::make_unique<FontChar>());
    FontCharSetView list;
    list.resize(200, 600);
    list.SetFontCharSet(&set);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    const auto oneLine = list.findItems(QStringLiteral("C00  a"), Qt::MatchExactly);
    const auto escaped = list.findItems(QStringLiteral("two\\nlines"), Qt::MatchExactly);
    QCOMPARE(oneLine.size(), 1);
    QCOMPARE(escaped.size(), 1);
    QCOMPARE(list.visualItemRect(escaped.first()).height(),
             list.visualItemRect(oneLine.first()).height());
    QSignalSpy spy(&list, &FontCharSetView::FontCharSelected);
    list.setCurrentItem(escaped.first());
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).value<FontChar*>(), set.Find("two\nlines")->second);
}

void TestViews::longNameShowsShortAndIsFoundWhole()
{
    // Laid out whole, a name of 8 MB took seconds to show.
    FontCharSet set;
    const std::string name(8 << 20, 'n');
    set.StoreRead(GlyphName::ToString(name), std::make_unique<FontChar>());
    const std::string prefix = name.substr(0, GlyphName::MaxShownLength);
    set.StoreRead(GlyphName::ToString(prefix), std::make_unique<FontChar>());
    FontCharSetView list;
    list.resize(200, 400);
    list.SetFontCharSet(&set);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    QCOMPARE(list.count(), 88);
    const QListWidgetItem* shortened = list.item(87);
    QCOMPARE(shortened->text(), GlyphName::ToString(prefix) + u'\u2026');
    QCOMPARE(list.item(86)->text(), GlyphName::ToString(prefix));

    QSignalSpy spy(&list, &FontCharSetView::FontCharSelected);
    list.setCurrentRow(87);
    list.setCurrentRow(86);
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(0).at(0).value<FontChar*>(), set.Find(name)->second);
    QCOMPARE(spy.at(1).at(0).value<FontChar*>(), set.Find(prefix)->second);
    QCOMPARE(set.Count(), 88u);
}

void TestViews::metaObjects()
{
    const QMetaObject& listMeta = FontCharSetView::staticMetaObject;
    QCOMPARE(listMeta.className(), "FontCharSetView");
    QCOMPARE(listMeta.superClass(), &QListWidget::staticMetaObject);
    QCOMPARE(listMeta.methodCount() - listMeta.methodOffset(), 2);
    const QMetaMethod signal = listMeta.method(listMeta.methodOffset());
    QCOMPARE(signal.methodSignature(), QByteArray("FontCharSelected(FontChar*)"));
    QCOMPARE(signal.methodType(), QMetaMethod::Signal);
    QCOMPARE(signal.parameterNames(), QList<QByteArray>{"fontchar"});
    const QMetaMethod slot = listMeta.method(listMeta.methodOffset() + 1);
    QCOMPARE(slot.methodSignature(), QByteArray("_ItemChanged()"));
    QCOMPARE(slot.methodType(), QMetaMethod::Slot);
    QCOMPARE(slot.access(), QMetaMethod::Private);
    QCOMPARE(listMeta.propertyCount(), listMeta.propertyOffset());
    QCOMPARE(listMeta.classInfoCount(), 0);

    const QMetaObject& gridMeta = FontCharView::staticMetaObject;
    QCOMPARE(gridMeta.className(), "FontCharView");
    QCOMPARE(gridMeta.superClass(), &QWidget::staticMetaObject);
    QCOMPARE(gridMeta.methodCount() - gridMeta.methodOffset(), 1);
    const QMetaMethod setter = gridMeta.method(gridMeta.methodOffset());
    QCOMPARE(setter.methodSignature(), QByteArray("SetFontChar(FontChar*)"));
    QCOMPARE(setter.methodType(), QMetaMethod::Slot);
    QCOMPARE(setter.access(), QMetaMethod::Public);
    QCOMPARE(setter.parameterNames(), QList<QByteArray>{"fontchar"});
    QCOMPARE(gridMeta.propertyCount(), gridMeta.propertyOffset());
}

QTEST_MAIN(TestViews)
#include "tst_views.moc"
