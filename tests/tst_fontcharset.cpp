#include "FontCharSet.h"
#include "GlyphName.h"

#include <QTest>

#include <algorithm>
#include <array>
#include <set>
#include <vector>

namespace {

using Bytes = std::array<quint8, 5>;

Bytes BytesOf(const FontChar& glyph)
{
    Bytes bytes;
    for (quint32 column = 0; column < 5; ++column)
        bytes[column] = glyph.GetColumn(column);
    return bytes;
}

FontChar GlyphOf(const Bytes& bytes)
{
    FontChar glyph;
    for (quint32 column = 0; column < 5; ++column)
        glyph.SetColumn(column, bytes[column]);
    return glyph;
}

std::vector<std::string> NamesOf(const FontCharSet& set)
{
    std::vector<std::string> names;
    for (const auto& entry : set)
        names.push_back(entry.first);
    return names;
}

// The default character table written out name by name, independently of the code
// that builds it.
const std::vector<std::string> DefaultNames = {
    "C00  a",    "C01  b",    "C02  c", "C03  d",    "C04  e",    "C05  f",     "C06  g",  "C07  h",
    "C08  i",    "C09  j",    "C10  k", "C12  l",    "C13  m",    "C14  n",     "C15  o",  "C16  p",
    "C17  q",    "C18  r",    "C19  s", "C20  t",    "C21  u",    "C22  v",     "C23  w",  "C24  x",
    "C25  y",    "C26  z",    "C27  A", "C28  B",    "C29  C",    "C30  D",     "C31  E",  "C32  F",
    "C33  G",    "C34  H",    "C35  I", "C36  J",    "C37  K",    "C38  L",     "C39  M",  "C40  N",
    "C41  O",    "C42  P",    "C43  Q", "C44  R",    "C45  S",    "C46  T",     "C47  U",  "C48  V",
    "C49  W",    "C50  X",    "C51  Y", "C52  Z",    "C53  0",    "C54  1",     "C55  2",  "C56  3",
    "C57  4",    "C58  5",    "C59  6", "C60  7",    "C61  8",    "C62  9",     "C63  <",  "C64  >",
    "C65  +",    "C66  -",    "C67  =", "C68  ,",    "C69  ;",    "C70  .",     "C71  [",  "C72  ]",
    "C73  (",    "C74  )",    "C75  *", "C76  \"",   "C77  '",    "C78  /",     "C79  \\", "C80  :",
    "C81  \xB2", "C82  \xB1", "C83  @", "C84  \xAE", "C85  \xA9", "C86  Space",
};

} // namespace

Q_DECLARE_METATYPE(Bytes)
Q_DECLARE_METATYPE(std::string)
Q_DECLARE_METATYPE(std::vector<std::string>)

class TestFontCharSet : public QObject
{
    Q_OBJECT

private slots:
    void newGlyphIsBlank();
    void setPixelSetsOneBit_data();
    void setPixelSetsOneBit();
    void setPixelKeepsOtherBits();
    void togglePixelTwiceRestores_data();
    void togglePixelTwiceRestores();
    void outOfRangeIsIgnored_data();
    void outOfRangeIsIgnored();

    void defaultTable();
    void find_data();
    void find();
    void atExistingNameReturnsSameSlot();
    void atNewNameInsertsNullEntryInOrder();
    void storingOverAGlyphDisplacesIt();
    void namesSortByUnsignedBytes_data();
    void namesSortByUnsignedBytes();
    void destroysSetWithNullEntry();
    void equality();
    void nameConversion_data();
    void nameConversion();
};

void TestFontCharSet::newGlyphIsBlank()
{
    FontChar glyph;
    QCOMPARE(BytesOf(glyph), (Bytes{0, 0, 0, 0, 0}));
    glyph.SetColumn(3, 0xA5);
    glyph.Clear();
    QCOMPARE(BytesOf(glyph), (Bytes{0, 0, 0, 0, 0}));
}

void TestFontCharSet::setPixelSetsOneBit_data()
{
    QTest::addColumn<quint32>("column");
    QTest::addColumn<quint32>("row");
    for (quint32 column = 0; column < 5; ++column)
        for (quint32 row = 0; row < 8; ++row)
            QTest::addRow("c%u r%u", column, row) << column << row;
}

void TestFontCharSet::setPixelSetsOneBit()
{
    QFETCH(quint32, column);
    QFETCH(quint32, row);
    FontChar glyph;
    glyph.SetPixel(column, row, true);

    Bytes expected{0, 0, 0, 0, 0};
    expected[column] = quint8(1u << row);
    QCOMPARE(BytesOf(glyph), expected);
    for (quint32 c = 0; c < 5; ++c)
        for (quint32 r = 0; r < 8; ++r)
            QCOMPARE(glyph.GetPixel(c, r), c == column && r == row);

    glyph.SetPixel(column, row, true);
    QCOMPARE(BytesOf(glyph), expected);
    glyph.SetPixel(column, row, false);
    QCOMPARE(BytesOf(glyph), (Bytes{0, 0, 0, 0, 0}));
    glyph.SetPixel(column, row, false);
    QCOMPARE(BytesOf(glyph), (Bytes{0, 0, 0, 0, 0}));
}

void TestFontCharSet::setPixelKeepsOtherBits()
{
    FontChar glyph = GlyphOf({0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
    glyph.SetPixel(2, 1, false);
    QCOMPARE(BytesOf(glyph), (Bytes{0xFF, 0xFF, 0xFD, 0xFF, 0xFF}));
    glyph.SetPixel(0, 7, false);
    QCOMPARE(BytesOf(glyph), (Bytes{0x7F, 0xFF, 0xFD, 0xFF, 0xFF}));
}

void TestFontCharSet::togglePixelTwiceRestores_data()
{
    QTest::addColumn<Bytes>("bytes");
    QTest::newRow("blank") << Bytes{0, 0, 0, 0, 0};
    QTest::newRow("full") << Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    QTest::newRow("pattern") << Bytes{0x00, 0x0F, 0x80, 0xFF, 0x07};
}

void TestFontCharSet::togglePixelTwiceRestores()
{
    QFETCH(Bytes, bytes);
    for (quint32 column = 0; column < 5; ++column) {
        for (quint32 row = 0; row < 8; ++row) {
            FontChar glyph = GlyphOf(bytes);
            glyph.TogglePixel(column, row);
            Bytes toggled = bytes;
            toggled[column] ^= quint8(1u << row);
            QCOMPARE(BytesOf(glyph), toggled);
            glyph.TogglePixel(column, row);
            QCOMPARE(BytesOf(glyph), bytes);
        }
    }
}

void TestFontCharSet::outOfRangeIsIgnored_data()
{
    QTest::addColumn<quint32>("column");
    QTest::addColumn<quint32>("row");
    QTest::newRow("column 5") << 5u << 0u;
    QTest::newRow("row 8") << 0u << 8u;
    QTest::newRow("both") << 5u << 8u;
    QTest::newRow("column from -1") << quint32(-1) << 0u;
    QTest::newRow("row from -1") << 0u << quint32(-1);
    QTest::newRow("row 32") << 0u << 32u;
    QTest::newRow("column huge") << 0x80000000u << 3u;
}

void TestFontCharSet::outOfRangeIsIgnored()
{
    QFETCH(quint32, column);
    QFETCH(quint32, row);
    for (const Bytes& bytes : {Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, Bytes{0, 0, 0, 0, 0}}) {
        FontChar glyph = GlyphOf(bytes);
        QVERIFY(!glyph.GetPixel(column, row));
        glyph.SetPixel(column, row, true);
        QCOMPARE(BytesOf(glyph), bytes);
        glyph.SetPixel(column, row, false);
        QCOMPARE(BytesOf(glyph), bytes);
        glyph.TogglePixel(column, row);
        QCOMPARE(BytesOf(glyph), bytes);
    }
}

void TestFontCharSet::defaultTable()
{
    const FontCharSet set;
    QCOMPARE(set.Count(), 86u);
    QCOMPARE(NamesOf(set), DefaultNames);
    for (const auto& [name, glyph] : set) {
        QVERIFY2(glyph, name.c_str());
        QCOMPARE(BytesOf(*glyph), (Bytes{0, 0, 0, 0, 0}));
    }
    // Every glyph is its own.
    std::set<const FontChar*> distinct;
    for (const auto& entry : set)
        distinct.insert(entry.second);
    QCOMPARE(distinct.size(), size_t(86));
}

void TestFontCharSet::find_data()
{
    QTest::addColumn<std::string>("name");
    QTest::addColumn<bool>("found");
    QTest::newRow("C27  A") << std::string("C27  A") << true;
    QTest::newRow("first") << std::string("C00  a") << true;
    QTest::newRow("last") << std::string("C86  Space") << true;
    QTest::newRow("Latin-1 byte") << std::string("C81  \xB2") << true;
    QTest::newRow("double quote") << std::string("C76  \"") << true;
    QTest::newRow("one space") << std::string("C27 A") << false;
    QTest::newRow("lower case label") << std::string("C27  a") << false;
    QTest::newRow("number 11") << std::string("C11  l") << false;
    QTest::newRow("space character") << std::string("C86   ") << false;
    QTest::newRow("UTF-8 instead of Latin-1") << std::string("C81  \xC2\xB2") << false;
    QTest::newRow("empty") << std::string() << false;
    QTest::newRow("prefix") << std::string("C27") << false;
}

void TestFontCharSet::find()
{
    QFETCH(std::string, name);
    QFETCH(bool, found);
    FontCharSet set;
    const auto entry = set.Find(name);
    QCOMPARE(entry != set.end(), found);
    if (found)
        QCOMPARE(entry->first, name);
    QCOMPARE(set.Count(), 86u);
    const FontCharSet& constSet = set;
    QCOMPARE(constSet.Find(name) != constSet.end(), found);
}

void TestFontCharSet::atExistingNameReturnsSameSlot()
{
    FontCharSet set;
    FontChar** first = &set.At("C27  A");
    FontChar** second = &set.At("C27  A");
    QCOMPARE(first, second);
    QVERIFY(*first);
    QCOMPARE(*first, set.Find("C27  A")->second);
    QCOMPARE(set.Count(), 86u);
}

void TestFontCharSet::atNewNameInsertsNullEntryInOrder()
{
    FontCharSet set;
    FontChar*& slot = set.At("C11  l");
    QCOMPARE(set.Count(), 87u);
    QCOMPARE(slot, nullptr);
    slot = new FontChar;

    std::vector<std::string> expected = DefaultNames;
    expected.insert(expected.begin() + 11, "C11  l");
    QCOMPARE(NamesOf(set), expected);
}

void TestFontCharSet::storingOverAGlyphDisplacesIt()
{
    FontChar displaced;
    {
        FontCharSet set;
        FontChar*& slot = set.At("C27  A");
        delete slot;
        slot = &displaced;
        auto* replacement = new FontChar;
        replacement->SetColumn(0, 0x81);
        set.At("C27  A") = replacement;
        QCOMPARE(set.Count(), 86u);
        QCOMPARE(set.Find("C27  A")->second, replacement);
    }
    // Destroying the set must not have touched the displaced glyph (a stack object: deleting
    // it would crash, and the sanitizer build reports any access).
    QCOMPARE(BytesOf(displaced), (Bytes{0, 0, 0, 0, 0}));
}

void TestFontCharSet::namesSortByUnsignedBytes_data()
{
    QTest::addColumn<std::vector<std::string>>("inserted");
    QTest::addColumn<std::vector<std::string>>("expected");
    QTest::newRow("empty name first")
        << std::vector<std::string>{"B", "", "A"} << std::vector<std::string>{"", "A", "B"};
    QTest::newRow("prefix first") << std::vector<std::string>{"ABC", "A", "AB"}
                                  << std::vector<std::string>{"A", "AB", "ABC"};
    QTest::newRow("high bytes after ASCII")
        << std::vector<std::string>{"A\xFF", "A\x80", "A\x7F", "A\x01", "B"}
        << std::vector<std::string>{"A\x01", "A\x7F", "A\x80", "A\xFF", "B"};
    QTest::newRow("NUL byte is lowest")
        << std::vector<std::string>{std::string("A\x01", 2), std::string("A\0", 2), "A"}
        << std::vector<std::string>{"A", std::string("A\0", 2), std::string("A\x01", 2)};
    QTest::newRow("no case or space folding") << std::vector<std::string>{"a", "A", " A", "A "}
                                              << std::vector<std::string>{" A", "A", "A ", "a"};
}

void TestFontCharSet::namesSortByUnsignedBytes()
{
    QFETCH(std::vector<std::string>, inserted);
    QFETCH(std::vector<std::string>, expected);
    FontCharSet set;
    for (const std::string& name : inserted)
        set.At(name) = new FontChar;

    std::vector<std::string> extra;
    for (const std::string& name : NamesOf(set))
        if (std::find(DefaultNames.begin(), DefaultNames.end(), name) == DefaultNames.end())
            extra.push_back(name);
    QCOMPARE(extra, expected);
    QCOMPARE(set.Count(), quint32(86 + expected.size()));
}

void TestFontCharSet::destroysSetWithNullEntry()
{
    auto* set = new FontCharSet;
    set->At("no glyph yet");
    QCOMPARE(set->Find("no glyph yet")->second, nullptr);
    delete set;
}

void TestFontCharSet::equality()
{
    FontCharSet a;
    FontCharSet b;
    QVERIFY(a == b);
    b.At("C27  A")->SetPixel(2, 1, true);
    QVERIFY(a != b);
    a.At("C27  A")->SetPixel(2, 1, true);
    QVERIFY(a == b);
    a.At("extra") = new FontChar;
    QVERIFY(a != b);
    b.At("extrb") = new FontChar;
    QVERIFY(a != b);
}

void TestFontCharSet::nameConversion_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::string>("name");
    QTest::addColumn<bool>("roundTrips");
    QTest::addColumn<QString>("shown"); // GlyphName::Shown, which reads back as the name

    std::string allBytes;
    QString allCharacters;
    for (int byte = 0; byte < 256; ++byte) {
        allBytes += char(byte);
        allCharacters += QChar(byte);
    }
    QTest::newRow("all 256 bytes")
        << allCharacters << allBytes << true
        << QString::fromUtf8(
               R"(\x00\x01\x02\x03\x04\x05\x06\x07\x08\t\n\x0b\x0c\r\x0e\x0f\x10\x11\x12\x13)"
               R"(\x14\x15\x16\x17\x18\x19\x1a\x1b\x1c\x1d\x1e\x1f !"#$%&'()*+,-./0123456789:;)"
               R"(<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`abcdefghijklmnopqrstuvwxyz{|}~\x7f\x80)"
               R"(\x81\x82\x83\x84\x85\x86\x87\x88\x89\x8a\x8b\x8c\x8d\x8e\x8f\x90\x91\x92\x93)"
               R"(\x94\x95\x96\x97\x98\x99\x9a\x9b\x9c\x9d\x9e\x9f\xa0¡¢£¤¥¦§¨©ª«¬\xad®¯°±²³´µ¶)"
               R"(·¸¹º»¼½¾¿ÀÁÂÃÄÅÆÇÈÉÊËÌÍÎÏÐÑÒÓÔÕÖ×ØÙÚÛÜÝÞßàáâãäåæçèéêëìíîïðñòóôõö÷øùúûüýþÿ)");
    QTest::newRow("Latin-1 sign") << QStringLiteral("C81  \u00B2") << std::string("C81  \xB2")
                                  << true << QStringLiteral("C81  \u00B2");
    QTest::newRow("empty") << QString() << std::string() << true << QString();
    QTest::newRow("beyond Latin-1")
        << QStringLiteral("A\u20ACB") << std::string("A?B") << false << "A?B";
    QTest::newRow("astral code point is one character")
        << QStringLiteral("A\U0001F600B") << std::string("A?B") << false << "A?B";
    // Names that looked alike, and blanks that a line's end hides.
    QTest::newRow("a backslash and t") << "x\\tA" << std::string("x\\tA") << true << "x\\\\tA";
    QTest::newRow("a tab") << "x\tA" << std::string("x\tA") << true << "x\\tA";
    QTest::newRow("a backslash and x85")
        << "c\\x85d" << std::string("c\\x85d") << true << "c\\\\x85d";
    QTest::newRow("U+0085") << "c\u0085d"
                            << std::string("c\x85"
                                           "d")
                            << true << "c\\x85d";
    QTest::newRow("blanks at the end") << "A  " << std::string("A  ") << true << "A \\x20";
}

void TestFontCharSet::nameConversion()
{
    QFETCH(QString, text);
    QFETCH(std::string, name);
    QFETCH(bool, roundTrips);
    QFETCH(QString, shown);
    QCOMPARE(GlyphName::FromString(text), name);
    if (roundTrips)
        QCOMPARE(GlyphName::ToString(name), text);
    QCOMPARE(GlyphName::Shown(name), shown);
    std::string back;
    QVERIFY(GlyphName::FromShown(shown, back));
    QCOMPARE(back, name);
    // Only the form that is shown reads back: an escape it never writes names nothing.
    QVERIFY(!GlyphName::FromShown(shown + "\\x41", back) &&
            !GlyphName::FromShown(shown + "\\", back));
}

QTEST_APPLESS_MAIN(TestFontCharSet)
#include "tst_fontcharset.moc"
