#include "CodeRange.h"

#include <QTest>

class TestCodeRange : public QObject
{
    Q_OBJECT

private slots:
    void readsBoundsInEitherBase_data();
    void readsBoundsInEitherBase();
};

// The bounds as pixmint_add_font's RANGE reads them; the refusals that the converter reports
// are in tst_export.
void TestCodeRange::readsBoundsInEitherBase_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("first"); // -1: refused
    QTest::addColumn<int>("last");
    QTest::newRow("every code") << "0-255" << 0 << 255;
    QTest::newRow("hexadecimal, either case") << "0x00-0xFF" << 0 << 255;
    QTest::newRow("capital X") << "0X10-0x1f" << 16 << 31;
    QTest::newRow("one code") << "255-255" << 255 << 255;
    QTest::newRow("both bases") << "32-0x7e" << 32 << 126;
    QTest::newRow("leading zeros are decimal") << "010-0010" << 10 << 10;
    QTest::newRow("many leading zeros") << "0000000000000000000001-0x000000000000002" << 1 << 2;
    QTest::newRow("digits beyond any integer") << "99999999999999999999-1" << -1 << 0;
    QTest::newRow("hexadecimal beyond any integer") << "0-0xffffffffffffffffff" << -1 << 0;
    QTest::newRow("one beyond") << "0-0x100" << -1 << 0;
    QTest::newRow("reversed") << "2-1" << -1 << 0;
    // An empty side is no bound, not 0.
    QTest::newRow("no first") << "-5" << -1 << 0;
    QTest::newRow("no last") << "5-" << -1 << 0;
    QTest::newRow("no last after 0") << "0-" << -1 << 0;
    QTest::newRow("digits of another script") << "\u0661-\u0662" << -1 << 0;
}

void TestCodeRange::readsBoundsInEitherBase()
{
    QFETCH(QString, text);
    QFETCH(int, first);
    QFETCH(int, last);
    CodeRange range(7, 9);
    QCOMPARE(CodeRange::Parse(text, &range), first >= 0);
    QCOMPARE(range.First(), first >= 0 ? first : 7);
    QCOMPARE(range.Last(), first >= 0 ? last : 9);
}

QTEST_APPLESS_MAIN(TestCodeRange)
#include "tst_coderange.moc"
