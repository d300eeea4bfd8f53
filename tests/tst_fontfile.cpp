#include "FontCharSet.h"
#include "FontFileReader.h"
#include "FontFileWriter.h"
#include "GlyphName.h"
#include "TestFiles.h"
#include "TestFonts.h"

#include <QDomDocument>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Reads through the DOM into the given set and through the reading route the open
// command uses: both routes must give the same font, and the open command refuses a
// document of another root.
void ReadXml(const QByteArray& xml, FontCharSet& set)
{
    QDomDocument document;
    QVERIFY(document.setContent(xml, false));
    set.ReadXml(document.documentElement());

    QString error;
    const std::unique_ptr<FontCharSet> streamed = TestFonts::Parse(xml, &error);
    if (document.documentElement().tagName() == QLatin1String("CharSet")) {
        QVERIFY2(streamed, qPrintable(error));
        QVERIFY(*streamed == set);
    } else {
        QVERIFY(!streamed);
        QVERIFY2(error.startsWith(QLatin1String("not a font file: the root element is <")),
                 qPrintable(error));
    }
}

using TestFonts::Store;

// "name=b0 b1 b2 b3 b4" per entry, bytes in hex: compact expectations for reading tests.
QStringList Describe(const FontCharSet& set)
{
    QStringList lines;
    for (const auto& [name, glyph] : set) {
        QStringList bytes;
        for (quint32 column = 0; column < 5; ++column)
            bytes << QString::number(glyph->GetColumn(column), 16);
        lines << GlyphName::ToString(name) + QLatin1Char('=') + bytes.join(QLatin1Char(' '));
    }
    return lines;
}

QByteArray CharSetDocument(const QByteArray& body)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<CharSet version=\"b100915\" comment=\"Vandrell/Pimsel\">" +
           body + "</CharSet>\n";
}

QByteArray FontCharWithByte(const QByteArray& byteElement)
{
    return CharSetDocument("<FontChar Char=\"g\">" + byteElement + "</FontChar>");
}

} // namespace

class TestFontFile : public QObject
{
    Q_OBJECT

private slots:
    void writesGoldenFile_data();
    void writesGoldenFile();
    void writesBytesAsLowercaseHex_data();
    void writesBytesAsLowercaseHex();
    void goldenFilesReadBack_data();
    void goldenFilesReadBack();
    void builtInNamesRoundTrip();
    void unusualNamesRoundTrip_data();
    void unusualNamesRoundTrip();
    void readingRules_data();
    void readingRules();
    void byteElements_data();
    void byteElements();
    void otherRootLeavesSetUnchanged_data();
    void otherRootLeavesSetUnchanged();
    void xmllintAcceptsWrittenFile();
};

void TestFontFile::writesGoldenFile_data()
{
    QTest::addColumn<QString>("golden");
    QTest::addColumn<TestFonts::Font>("font");
    QTest::newRow("default font") << "default.xml" << TestFonts::Default();
    QTest::newRow("empty font") << "empty.xml" << TestFonts::Font(TestFonts::Make({}));
    QTest::newRow("two glyphs") << "two-glyphs.xml"
                                << TestFonts::Font(TestFonts::Make(
                                       {{"C81  \xB2", {0x02, 0x19, 0x15, 0x12, 0x00}},
                                        {"C63  <", {0x00, 0x0F, 0x80, 0xFF, 0x07}}}));
}

void TestFontFile::writesGoldenFile()
{
    QFETCH(QString, golden);
    QFETCH(TestFonts::Font, font);
    QCOMPARE(FontFileWriter::Bytes(*font), TestFiles::Data(golden));
}

void TestFontFile::writesBytesAsLowercaseHex_data()
{
    QTest::addColumn<int>("byte");
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("0") << 0 << QByteArray("0");
    QTest::newRow("9") << 9 << QByteArray("9");
    QTest::newRow("10") << 10 << QByteArray("a");
    QTest::newRow("127") << 127 << QByteArray("7f");
    QTest::newRow("128") << 128 << QByteArray("80");
    QTest::newRow("171") << 171 << QByteArray("ab");
    QTest::newRow("255") << 255 << QByteArray("ff");
}

void TestFontFile::writesBytesAsLowercaseHex()
{
    QFETCH(int, byte);
    QFETCH(QByteArray, text);
    const quint8 value = quint8(byte);
    const QByteArray xml =
        FontFileWriter::Bytes(*TestFonts::Make({{"g", {value, 0, 0, 0, value}}}));
    QVERIFY(xml.contains("<Byte Index=\"0\">" + text + "</Byte>"));
    QVERIFY(xml.contains("<Byte Index=\"4\">" + text + "</Byte>"));
}

void TestFontFile::goldenFilesReadBack_data()
{
    QTest::addColumn<QString>("golden");
    QTest::newRow("default font") << "default.xml";
    QTest::newRow("empty font") << "empty.xml";
    QTest::newRow("two glyphs") << "two-glyphs.xml";
}

void TestFontFile::goldenFilesReadBack()
{
    QFETCH(QString, golden);
    const QByteArray bytes = TestFiles::Data(golden);
    FontCharSet set;
    ReadXml(bytes, set);
    QCOMPARE(FontFileWriter::Bytes(set), bytes);
}

void TestFontFile::builtInNamesRoundTrip()
{
    FontCharSet written;
    auto* random = QRandomGenerator::global();
    for (auto& entry : written)
        for (quint32 column = 0; column < 5; ++column)
            entry.second->SetColumn(column, quint8(random->bounded(256)));

    const QByteArray xml = FontFileWriter::Bytes(written);
    // Latin-1 names travel as UTF-8 characters.
    QVERIFY(xml.contains("Char=\"C81  \xC2\xB2\""));
    QVERIFY(xml.contains("Char=\"C85  \xC2\xA9\""));
    QVERIFY(xml.contains("Char=\"C76  &quot;\""));

    FontCharSet read;
    read.Clear();
    Store(read, "stale", {1, 2, 3, 4, 5});
    ReadXml(xml, read);
    QVERIFY(read == written);
    QVERIFY(read.Find("C84  \xAE") != read.end());
}

void TestFontFile::unusualNamesRoundTrip_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::newRow("empty") << QByteArray("");
    QTest::newRow("markup characters") << QByteArray("<&>\"'");
    QTest::newRow("entity-like text") << QByteArray("&amp;&lt;");
    QTest::newRow("comment end") << QByteArray("a*/b");
    QTest::newRow("tab, line feed and carriage return") << QByteArray("a\tb\nc\rd");
    QTest::newRow("surrounding blanks") << QByteArray("  x  ");
    QTest::newRow("C1 control and 0xFF") << QByteArray("\x85\x9F\xFF");
    QTest::newRow("DEL") << QByteArray("a\x7F");
    QTest::newRow("long") << QByteArray(5000, 'n');
}

void TestFontFile::unusualNamesRoundTrip()
{
    QFETCH(QByteArray, name);
    FontCharSet written;
    Store(written, name.toStdString(), {0x11, 0x22, 0x33, 0x44, 0x55});
    FontCharSet read;
    ReadXml(FontFileWriter::Bytes(written), read);
    QCOMPARE(Describe(read), Describe(written));
}

void TestFontFile::readingRules_data()
{
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("partial font keeps only the named glyphs, in name order")
        << CharSetDocument("<FontChar Char=\"C53  0\"><Byte Index=\"0\">3e</Byte></FontChar>"
                           "<FontChar Char=\"C27  A\"><Byte Index=\"2\">ff</Byte></FontChar>")
        << QStringList{"C27  A=0 0 ff 0 0", "C53  0=3e 0 0 0 0"};
    QTest::newRow("CharSet without FontChar gives an empty font")
        << CharSetDocument("") << QStringList{};
    QTest::newRow("duplicate name: the later glyph wins")
        << CharSetDocument("<FontChar Char=\"x\"><Byte Index=\"0\">1</Byte></FontChar>"
                           "<FontChar Char=\"y\"/>"
                           "<FontChar Char=\"x\"><Byte Index=\"1\">2</Byte></FontChar>")
        << QStringList{"x=0 2 0 0 0", "y=0 0 0 0 0"};
    QTest::newRow("missing Char is the empty name, first in order")
        << CharSetDocument("<FontChar Char=\"a\"/><FontChar><Byte Index=\"4\">80</Byte></FontChar>")
        << QStringList{"=0 0 0 0 80", "a=0 0 0 0 0"};
    QTest::newRow("FontChar without Byte children is blank")
        << CharSetDocument("<FontChar Char=\"C00  a\">text</FontChar>")
        << QStringList{"C00  a=0 0 0 0 0"};
    QTest::newRow("characters beyond Latin-1 become ?")
        << CharSetDocument("<FontChar Char=\"\xE2\x82\xAC\xF0\x9F\x98\x80\xC3\xA9\"/>")
        << QStringList{QStringLiteral("??\u00E9=0 0 0 0 0")};
    QTest::newRow("other elements, text and comments are skipped")
        << CharSetDocument(
               "text<!-- c --><Other Char=\"o\"/><Group><FontChar Char=\"deep\"/></Group>"
               "<FontChar Char=\"k\"><Other><Byte Index=\"0\">5</Byte></Other>"
               "<Byte Index=\"1\">6</Byte><?pi x?></FontChar><fontchar Char=\"case\"/>")
        << QStringList{"k=0 6 0 0 0"};
    QTest::newRow("version and comment are ignored")
        << QByteArray("<CharSet version=\"zzz\"><FontChar Char=\"v\"/></CharSet>")
        << QStringList{"v=0 0 0 0 0"};
    QTest::newRow("entities and character references")
        << CharSetDocument("<FontChar Char=\"&#65;&amp;&#x42;\"><Byte Index=\"0\">&#x66;f</Byte>"
                           "</FontChar>")
        << QStringList{"A&B=ff 0 0 0 0"};
}

void TestFontFile::readingRules()
{
    QFETCH(QByteArray, xml);
    QFETCH(QStringList, expected);
    FontCharSet set;
    ReadXml(xml, set);
    QCOMPARE(Describe(set), expected);
}

void TestFontFile::byteElements_data()
{
    QTest::addColumn<QByteArray>("byteElements");
    QTest::addColumn<QString>("expected");

    QTest::newRow("Index 5 is ignored") << QByteArray("<Byte Index=\"5\">ff</Byte>") << "0 0 0 0 0";
    QTest::newRow("Index -1 is ignored")
        << QByteArray("<Byte Index=\"-1\">ff</Byte>") << "0 0 0 0 0";
    QTest::newRow("Index 99 is ignored")
        << QByteArray("<Byte Index=\"99\">ff</Byte>") << "0 0 0 0 0";
    QTest::newRow("missing Index is column 0") << QByteArray("<Byte>ff</Byte>") << "ff 0 0 0 0";
    QTest::newRow("Index x is column 0")
        << QByteArray("<Byte Index=\"x\">ff</Byte>") << "ff 0 0 0 0";
    QTest::newRow("empty Index is column 0")
        << QByteArray("<Byte Index=\"\">1</Byte>") << "1 0 0 0 0";
    QTest::newRow("Index with blanks") << QByteArray("<Byte Index=\" 3 \">1</Byte>") << "0 0 0 1 0";
    QTest::newRow("FF") << QByteArray("<Byte Index=\"1\">FF</Byte>") << "0 ff 0 0 0";
    QTest::newRow("ff") << QByteArray("<Byte Index=\"1\">ff</Byte>") << "0 ff 0 0 0";
    QTest::newRow("zz is 0") << QByteArray("<Byte Index=\"1\">zz</Byte>") << "0 0 0 0 0";
    QTest::newRow("empty text is 0") << QByteArray("<Byte Index=\"1\"></Byte>") << "0 0 0 0 0";
    QTest::newRow("1ff keeps the low byte")
        << QByteArray("<Byte Index=\"1\">1ff</Byte>") << "0 ff 0 0 0";
    QTest::newRow("100 keeps the low byte")
        << QByteArray("<Byte Index=\"1\">100</Byte>") << "0 0 0 0 0";
    QTest::newRow("-1 is ff") << QByteArray("<Byte Index=\"1\">-1</Byte>") << "0 ff 0 0 0";
    QTest::newRow("beyond 32 bits is 0")
        << QByteArray("<Byte Index=\"1\">80000000</Byte>") << "0 0 0 0 0";
    QTest::newRow("blanks around the digits")
        << QByteArray("<Byte Index=\"2\">\n  7f\t</Byte>") << "0 0 7f 0 0";
    QTest::newRow("text of child elements is joined")
        << QByteArray("<Byte Index=\"0\">1<b>2</b><![CDATA[3]]></Byte>") << "23 0 0 0 0";
    QTest::newRow("last Byte of a column wins")
        << QByteArray("<Byte Index=\"0\">1</Byte><Byte Index=\"0\">2</Byte>") << "2 0 0 0 0";
    QTest::newRow("all five columns in any order")
        << QByteArray(
               "<Byte Index=\"4\">5</Byte><Byte Index=\"3\">4</Byte><Byte Index=\"2\">3</Byte>"
               "<Byte Index=\"1\">2</Byte><Byte Index=\"0\">1</Byte>")
        << "1 2 3 4 5";
}

void TestFontFile::byteElements()
{
    QFETCH(QByteArray, byteElements);
    QFETCH(QString, expected);
    FontCharSet set;
    ReadXml(FontCharWithByte(byteElements), set);
    QCOMPARE(Describe(set), QStringList{QStringLiteral("g=") + expected});
}

void TestFontFile::otherRootLeavesSetUnchanged_data()
{
    QTest::addColumn<QByteArray>("xml");
    QTest::newRow("charset") << QByteArray("<charset><FontChar Char=\"x\"/></charset>");
    QTest::newRow("Font") << QByteArray("<Font><CharSet><FontChar Char=\"x\"/></CharSet></Font>");
    QTest::newRow("prefixed") << QByteArray(
        "<p:CharSet xmlns:p=\"urn:x\"><FontChar Char=\"x\"/></p:CharSet>");
}

void TestFontFile::otherRootLeavesSetUnchanged()
{
    QFETCH(QByteArray, xml);
    FontCharSet set;
    set.At("C27  A")->SetColumn(0, 0x81);
    const QStringList before = Describe(set);
    ReadXml(xml, set);
    QCOMPARE(Describe(set), before);
}

void TestFontFile::xmllintAcceptsWrittenFile()
{
    const QString xmllint = QStandardPaths::findExecutable(QStringLiteral("xmllint"));
    if (xmllint.isEmpty())
        QSKIP("xmllint is not installed (Debian package libxml2-utils)");

    FontCharSet set;
    for (const char* name : {"<&>\"'", "a\tb\nc\rd", "\x85\x9F\xFF", "*/", ""})
        Store(set, name, {0xFF, 0x80, 0x7F, 0x01, 0x00});
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("font.xml")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(FontFileWriter::Bytes(set));
    file.close();

    QProcess process;
    process.start(xmllint, {QStringLiteral("--noout"), file.fileName()});
    QVERIFY(process.waitForFinished(30000));
    QVERIFY2(process.exitCode() == 0, process.readAllStandardError().constData());
}

QTEST_APPLESS_MAIN(TestFontFile)
#include "tst_fontfile.moc"
