#include "CharacterMap.h"

#include <QTest>

#include <array>
#include <set>
#include <vector>

class TestCharacterMap : public QObject
{
    Q_OBJECT

private slots:
    void codeOfName_data();
    void codeOfName();
    void firstGlyphInNameOrderWins_data();
    void firstGlyphInNameOrderWins();
    void nameForCode_data();
    void nameForCode();
};

void TestCharacterMap::codeOfName_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<int>("code");
    QTest::newRow("C27  A") << QByteArray("C27  A") << int('A');
    QTest::newRow("C86  Space") << QByteArray("C86  Space") << 32;
    QTest::newRow("Latin-1 label") << QByteArray("C81  \xB2") << 0xB2;
    QTest::newRow("whole name") << QByteArray("x") << int('x');
    QTest::newRow("a blank") << QByteArray(" ") << 32;
    QTest::newRow("first two spaces") << QByteArray("a  b  c") << -1;
    QTest::newRow("three spaces") << QByteArray("C00   a") << -1;
    QTest::newRow("label a space") << QByteArray("q   ") << 32;
    QTest::newRow("empty label") << QByteArray("C00  ") << -1;
    QTest::newRow("longer label") << QByteArray("C00  ab") << -1;
    QTest::newRow("one space") << QByteArray("C27 A") << -1;
    QTest::newRow("empty name") << QByteArray("") << -1;
    QTest::newRow("lower-case space") << QByteArray("C86  space") << -1;
    QTest::newRow("code 0x01") << QByteArray("bell  0x01") << 1;
    QTest::newRow("code 0x00") << QByteArray("nul  0x00") << 0;
    QTest::newRow("code in either case") << QByteArray("0xFe") << 0xFE;
    QTest::newRow("one digit") << QByteArray("a  0x1") << -1;
    QTest::newRow("three digits") << QByteArray("a  0x123") << -1;
    QTest::newRow("capital X") << QByteArray("a  0X41") << -1;
    QTest::newRow("not hexadecimal") << QByteArray("a  0xg1") << -1;
    QTest::newRow("sign") << QByteArray("a  0x-1") << -1;
}

void TestCharacterMap::codeOfName()
{
    QFETCH(QByteArray, name);
    QFETCH(int, code);
    QCOMPARE(CharacterMap::Code(name.toStdString()), code);
}

void TestCharacterMap::firstGlyphInNameOrderWins_data()
{
    QTest::addColumn<QByteArrayList>("names");
    // Code and glyph index for every code that has a glyph; the rest have none.
    QTest::addColumn<QList<int>>("mapped");
    QTest::addColumn<QList<quint32>>("repeated");
    QTest::newRow("no glyphs") << QByteArrayList{} << QList<int>{} << QList<quint32>{};
    QTest::newRow("labels, Space and whole names")
        << QByteArrayList{"C27  A", "C86  Space", "C81  \xB2", "q", "long", "C00  ab"}
        << QList<int>{'A', 1, 0xB2, 2, ' ', 3, 'q', 5} << QList<quint32>{};
    QTest::newRow("first in name order wins, not first stored")
        << QByteArrayList{"Z  A", "B  A", "A", "x   ", "C86  Space"} << QList<int>{'A', 0, ' ', 2}
        << QList<quint32>{1, 3, 4};
}

void TestCharacterMap::firstGlyphInNameOrderWins()
{
    QFETCH(QByteArrayList, names);
    QFETCH(QList<int>, mapped);
    QFETCH(QList<quint32>, repeated);
    FontCharSet set;
    set.Clear();
    for (const QByteArray& name : names)
        set.At(name.toStdString()) = new FontChar;
    std::array<quint32, CharacterMap::CodeCount> expected;
    expected.fill(CharacterMap::NoGlyph);
    for (qsizetype at = 0; at < mapped.size(); at += 2)
        expected[size_t(mapped[at])] = quint32(mapped[at + 1]);
    const CharacterMap map(set);
    std::array<quint32, CharacterMap::CodeCount> actual;
    for (int code = 0; code < CharacterMap::CodeCount; ++code)
        actual[size_t(code)] = map.GlyphIndex(code);
    QCOMPARE(actual, expected);
    const std::vector<quint32>& later = map.Repeated();
    QCOMPARE(QList<quint32>(later.begin(), later.end()), repeated);
}

void TestCharacterMap::nameForCode_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QByteArray>("name");
    QTest::newRow("letter") << int('A') << QByteArray("U+0041  A");
    QTest::newRow("Latin-1 letter") << 0xE9 << QByteArray("U+00E9  \xE9");
    QTest::newRow("space") << 32 << QByteArray("U+0020  Space");
    QTest::newRow("nul") << 0 << QByteArray("U+0000  0x00");
    QTest::newRow("control") << 1 << QByteArray("U+0001  0x01");
    QTest::newRow("tilde") << 0x7E << QByteArray("U+007E  ~");
    QTest::newRow("delete") << 0x7F << QByteArray("U+007F  0x7F");
    QTest::newRow("C1 control") << 0x9F << QByteArray("U+009F  0x9F");
    QTest::newRow("no-break space") << 0xA0 << QByteArray("U+00A0  0xA0");
    QTest::newRow("inverted exclamation") << 0xA1 << QByteArray("U+00A1  \xA1");
    QTest::newRow("soft hyphen") << 0xAD << QByteArray("U+00AD  0xAD");
    QTest::newRow("last") << 0xFF << QByteArray("U+00FF  \xFF");
}

void TestCharacterMap::nameForCode()
{
    QFETCH(int, code);
    QFETCH(QByteArray, name);
    QCOMPARE(QByteArray::fromStdString(CharacterMap::GlyphNameFor(code)), name);
    // Every code's name stands for that code again, and no two codes share a name.
    std::set<std::string> names;
    for (int each = 0; each < CharacterMap::CodeCount; ++each) {
        QCOMPARE(CharacterMap::Code(CharacterMap::GlyphNameFor(each)), each);
        names.insert(CharacterMap::GlyphNameFor(each));
    }
    QCOMPARE(names.size(), size_t(CharacterMap::CodeCount));
}

QTEST_APPLESS_MAIN(TestCharacterMap)
#include "tst_charactermap.moc"
