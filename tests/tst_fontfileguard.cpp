#include "FontCharSet.h"
#include "FontFileGuard.h"
#include "FontFileReader.h"
#include "FontFileShortcut.h"
#include "FontFileWriter.h"
#include "TestFonts.h"

#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#include <ctime>
#include <functional>

namespace {

// The sanitizer build runs slower; its script stretches the time bounds.
qint64 Scaled(qint64 milliseconds)
{
    const int scale = qEnvironmentVariableIntValue("PIXMINT_TIME_SCALE");
    return milliseconds * (scale > 0 ? scale : 1);
}

// The processor time this process has spent, in milliseconds. A hang guard reads this, not
// the wall clock: what the code itself spends does not grow when other programs keep the
// machine busy.
qint64 CpuMilliseconds()
{
    return qint64(std::clock()) * 1000 / CLOCKS_PER_SEC;
}

QByteArray Repeated(const QByteArray& piece, int times)
{
    return piece.repeated(times);
}

QByteArray CharSet(const QByteArray& content)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<CharSet>" + content + "</CharSet>\n";
}

QByteArray HugeFont(int glyphs)
{
    QByteArray bytes = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<CharSet>\n";
    bytes.reserve(glyphs * 170);
    for (int glyph = 0; glyph < glyphs; ++glyph) {
        bytes += "    <FontChar Char=\"G" + QByteArray::number(glyph) + "\">\n";
        for (int column = 0; column < 5; ++column) {
            bytes += "        <Byte Index=\"" + QByteArray::number(column) + "\">" +
                     QByteArray::number((glyph + column) % 256, 16) + "</Byte>\n";
        }
        bytes += "    </FontChar>\n";
    }
    return bytes + "</CharSet>\n";
}

QByteArray Nested(int depth)
{
    return CharSet(Repeated("<a>", depth - 1) + Repeated("</a>", depth - 1));
}

QByteArray WithAttributes(int count)
{
    QByteArray attributes;
    for (int index = 1; index < count; ++index)
        attributes += " a" + QByteArray::number(index) + "=\"1\"";
    return CharSet("<FontChar Char=\"many\"" + attributes + "/>");
}

using Check = std::function<void(const FontCharSet&)>;

void ExpectGlyph(const FontCharSet& set, const std::string& name, const QByteArray& hexBytes)
{
    const auto entry = set.Find(name);
    QVERIFY2(entry != set.end(), name.c_str());
    QByteArray bytes;
    for (quint32 column = 0; column < 5; ++column)
        bytes += char(entry->second->GetColumn(column));
    QCOMPARE(bytes.toHex(), hexBytes);
}

} // namespace

Q_DECLARE_METATYPE(Check)
Q_DECLARE_METATYPE(std::function<QByteArray()>)

class TestFontFileGuard : public QObject
{
    Q_OBJECT

private slots:
    void openingIsSafeAndBounded_data();
    void openingIsSafeAndBounded();
    void bothReadingRoutesAgree_data();
    void bothReadingRoutesAgree();
    void shortcutReadsAsTheParser_data();
    void shortcutReadsAsTheParser();
    void unboundedDeviceIsRefused();
};

void TestFontFileGuard::openingIsSafeAndBounded_data()
{
    QTest::addColumn<std::function<QByteArray()>>("make");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<Check>("check");
    QTest::addColumn<int>("milliseconds");

    const auto file = [](const char* name) {
        return std::function<QByteArray()>([name] {
            QFile data(QStringLiteral(PIXMINT_TEST_DATA "/hostile/") + QLatin1String(name));
            return data.open(QIODevice::ReadOnly) ? data.readAll() : QByteArray();
        });
    };
    const auto bytes = [](QByteArray content) {
        return std::function<QByteArray()>([content] { return content; });
    };
    const Check nothing = [](const FontCharSet&) {};

    // A hang guard, not a speed test: ten times the processor time a normal run takes, or
    // more. What these guards stop grows with the square of the input and takes a minute or
    // more.
    const int small = 2000;
    const int large = 10000;
    // An internal subset of the document type declaration is refused whatever it holds.
    for (const char* rejected :
         {"not-xml.txt", "binary.bin", "png-header.xml", "invalid-utf8.xml", "empty.xml",
          "unterminated.xml", "billion-laughs.xml", "quadratic-blowup.xml",
          "external-entity-attribute.xml", "external-entity.xml", "parameter-entities.xml"}) {
        QTest::newRow(rejected) << file(rejected) << false << nothing << small;
    }
    QTest::newRow("utf16.xml") << file("utf16.xml") << true << Check([](const FontCharSet& set) {
        QCOMPARE(set.Count(), 2u);
        ExpectGlyph(set, "C81  \xB2", "0219000000");
        ExpectGlyph(set, "C27  A", "000000007e");
    }) << small;
    QTest::newRow("external-dtd.xml")
        << file("external-dtd.xml") << true
        << Check([](const FontCharSet& set) { ExpectGlyph(set, "d", "0001000000"); }) << small;
    QTest::newRow("whitespace-in-byte.xml")
        << file("whitespace-in-byte.xml") << true
        << Check([](const FontCharSet& set) { ExpectGlyph(set, "w", "1234560009"); }) << small;
    // UTF-16 whose bytes include 0x0D: in CRLF line ends, and in the character U+010D.
    QTest::newRow("UTF-16 with CRLF line ends and U+010D") << std::function<QByteArray()>([] {
        const QString text =
            QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n<CharSet>\r\n"
                           "<FontChar Char=\"\u010D\"><Byte Index=\"0\">d</Byte></FontChar>\r\n"
                           "<FontChar Char=\"C27  A\"><Byte Index=\"4\">7e</Byte></FontChar>\r\n"
                           "</CharSet>\r\n");
        QStringEncoder utf16(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
        return QByteArray(utf16.encode(text));
    }) << true << Check([](const FontCharSet& set) {
        QCOMPARE(set.Count(), 2u);
        ExpectGlyph(set, "?", "0d00000000");
        ExpectGlyph(set, "C27  A", "000000007e");
    }) << small;
    // Ways around the reading limits: markup the scan before the parser could not see.
    QTest::newRow("quote in a comment of the internal subset, then 200000 attributes")
        << std::function<QByteArray()>([] {
               return "<?xml version=\"1.0\"?><!DOCTYPE CharSet [<!-- ' -->]>" +
                      WithAttributes(200000).mid(39);
           })
        << false << nothing << small;
    QTest::newRow("200000 attributes in UTF-7") << std::function<QByteArray()>([] {
        QStringEncoder utf7("UTF-7");
        return "<?xml version=\"1.0\" encoding=\"UTF-7\"?>" +
               QByteArray(utf7.encode(QString::fromLatin1(WithAttributes(200000).mid(39))));
    }) << false << nothing << small;
    QTest::newRow("attribute defaults on 100000 elements") << std::function<QByteArray()>([] {
        QByteArray attributes;
        for (int index = 0; index < 4000; ++index)
            attributes += " a" + QByteArray::number(index) + " CDATA \"1\"";
        return "<?xml version=\"1.0\"?><!DOCTYPE CharSet [<!ATTLIST x" + attributes + ">]>" +
               CharSet(Repeated("<x/>", 100000)).mid(39);
    }) << false << nothing << small;
    QTest::newRow("100000 references to a 4000-character entity")
        << std::function<QByteArray()>([] {
               return "<?xml version=\"1.0\"?><!DOCTYPE CharSet [<!ENTITY e \"" +
                      QByteArray(4000, 'e') + "\">]>" +
                      CharSet("<FontChar Char=\"x\"><Byte>" + Repeated("&e;", 100000) +
                              "</Byte></FontChar>")
                          .mid(39);
           })
        << false << nothing << small;
    QTest::newRow("unknown encoding")
        << bytes("<?xml version=\"1.0\" encoding=\"no-such-code\"?><CharSet/>") << false << nothing
        << small;
    QTest::newRow("Latin-1 by its declaration")
        << bytes("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><CharSet>"
                 "<FontChar Char=\"C81  \xB2\"><Byte Index=\"1\">2</Byte></FontChar></CharSet>")
        << true
        << Check([](const FontCharSet& set) { ExpectGlyph(set, "C81  \xB2", "0002000000"); })
        << small;

    QTest::newRow("huge font, 100000 glyphs") << std::function<QByteArray()>([] {
        return HugeFont(100000);
    }) << true << Check([](const FontCharSet& set) {
        QCOMPARE(set.Count(), 100000u);
        ExpectGlyph(set, "G99999", "9fa0a1a2a3");
    }) << large;
    QTest::newRow("huge text node, 32 MB") << std::function<QByteArray()>([] {
        return CharSet("<FontChar Char=\"t\"><Byte Index=\"1\">" + QByteArray(32 << 20, '7') +
                       "</Byte></FontChar>");
    }) << true << Check([](const FontCharSet& set) { ExpectGlyph(set, "t", "0000000000"); })
                                           << large;
    QTest::newRow("name of 8 MB") << std::function<QByteArray()>([] {
        return CharSet("<FontChar Char=\"" + QByteArray(8 << 20, 'n') + "\"/>");
    }) << true << Check([](const FontCharSet& set) {
        QCOMPARE(set.Count(), 1u);
        QCOMPARE(set.begin()->first.size(), size_t(8 << 20));
    }) << large;
    QTest::newRow("as many children of the root as allowed") << std::function<QByteArray()>([] {
        return CharSet(Repeated("<x/>", int(FontFileGuard::MaxGlyphs)));
    }) << true << Check([](const FontCharSet& set) { QCOMPARE(set.Count(), 0u); })
                                                             << large;
    QTest::newRow("one child of the root more than allowed") << std::function<QByteArray()>([] {
        return CharSet(Repeated("<x/>", int(FontFileGuard::MaxGlyphs) + 1));
    }) << false << nothing << large;
    QTest::newRow("one element more than allowed") << std::function<QByteArray()>([] {
        return CharSet("<FontChar>" + Repeated("<x/>", int(FontFileGuard::MaxElements) - 1) +
                       "</FontChar>");
    }) << false << nothing << large;
    QTest::newRow("nested 300000 deep")
        << std::function<QByteArray()>([] { return Nested(300000); }) << false << nothing << small;
    QTest::newRow("nested as deep as allowed")
        << std::function<QByteArray()>([] { return Nested(FontFileGuard::MaxDepth); }) << true
        << Check([](const FontCharSet& set) { QCOMPARE(set.Count(), 0u); }) << small;
    QTest::newRow("nested one deeper than allowed")
        << std::function<QByteArray()>([] { return Nested(FontFileGuard::MaxDepth + 1); }) << false
        << nothing << small;
    QTest::newRow("200000 attributes on one element")
        << std::function<QByteArray()>([] { return WithAttributes(200000); }) << false << nothing
        << small;
    QTest::newRow("as many attributes as allowed")
        << std::function<QByteArray()>([] { return WithAttributes(FontFileGuard::MaxAttributes); })
        << true << Check([](const FontCharSet& set) { ExpectGlyph(set, "many", "0000000000"); })
        << small;
    QTest::newRow("one attribute more than allowed") << std::function<QByteArray()>([] {
        return WithAttributes(FontFileGuard::MaxAttributes + 1);
    }) << false << nothing << small;
    QTest::newRow("markup characters in comments and values do not count")
        << bytes(CharSet("<!-- <a><a><a> = = = -->" + Repeated("<!-- <b> -->", 1000) +
                         "<FontChar Char=\"&lt;a&gt; = '/' =\"><![CDATA[<c><c>]]></FontChar>" +
                         Repeated("<?pi <d> ?>", 1000)))
        << true
        << Check([](const FontCharSet& set) { ExpectGlyph(set, "<a> = '/' =", "0000000000"); })
        << small;
}

void TestFontFileGuard::openingIsSafeAndBounded()
{
    QFETCH(std::function<QByteArray()>, make);
    QFETCH(bool, opens);
    QFETCH(Check, check);
    QFETCH(int, milliseconds);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("font.xml"));
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        const QByteArray content = make();
        QCOMPARE(file.write(content), content.size());
    }

    const qint64 start = CpuMilliseconds();
    QString error;
    const std::unique_ptr<FontCharSet> set = TestFonts::Load(path, &error);
    const qint64 elapsed = CpuMilliseconds() - start;

    qInfo("%s in %lld ms of processor time",
          set ? "opened" : qPrintable(QStringLiteral("refused (%1)").arg(error)), elapsed);
    QVERIFY2(bool(set) == opens, qPrintable(error));
    QVERIFY2(elapsed <= Scaled(milliseconds),
             qPrintable(QStringLiteral("took %1 ms of processor time").arg(elapsed)));
    if (set)
        check(*set);
    else
        QVERIFY(!error.isEmpty());
}

void TestFontFileGuard::bothReadingRoutesAgree_data()
{
    QTest::addColumn<QString>("path");
    for (const QString& folder :
         {QStringLiteral(PIXMINT_TEST_DATA), QStringLiteral(PIXMINT_TEST_DATA "/hostile")}) {
        for (const QFileInfo& info : QDir(folder).entryInfoList(QDir::Files))
            QTest::newRow(qPrintable(info.fileName())) << info.filePath();
    }
}

void TestFontFileGuard::bothReadingRoutesAgree()
{
    QFETCH(QString, path);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();

    QDomDocument document;
    const bool opens = FontFileReader::ParseDocument(bytes, document) &&
                       document.documentElement().tagName() == QLatin1String("CharSet");
    const std::unique_ptr<FontCharSet> streamed = TestFonts::Parse(bytes);
    QCOMPARE(bool(streamed), opens);
    if (opens) {
        FontCharSet read;
        read.ReadXml(document.documentElement());
        QVERIFY(read == *streamed);
    }
}

void TestFontFileGuard::shortcutReadsAsTheParser_data()
{
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<bool>("taken"); // by the reading without the parser
    const auto font = [](const QByteArray& glyphs) {
        return QByteArray(FontFileGuard::WrittenDeclaration) +
               "\n<CharSet version=\"b100915\" comment=\"Vandrell/Pimsel\">\n" + glyphs +
               "</CharSet>\n";
    };
    const auto glyph = [&](const QByteArray& name, const QByteArray& bytes = "") {
        return font("    <FontChar Char=\"" + name + "\">\n" + bytes + "    </FontChar>\n");
    };
    const auto byte = [&](const QByteArray& index, const QByteArray& text) {
        return glyph("g", "        <Byte Index=\"" + index + "\">" + text + "</Byte>\n");
    };
    QTest::newRow("the default font as written")
        << FontFileWriter::Bytes(FontCharSet(FontCharSet::Start::DefaultTable)) << true;
    QTest::newRow("no glyph") << font("") << true;
    QTest::newRow("the five entities") << glyph("&amp;&lt;&gt;&quot;&apos;'>") << true;
    QTest::newRow("a name twice")
        << font("<FontChar Char=\"a\"><Byte Index=\"0\">1</Byte></FontChar>"
                "<FontChar Char=\"a\"><Byte Index=\"1\">2</Byte></FontChar>")
        << true;
    QTest::newRow("UTF-8 of two, three and four bytes")
        << glyph("\xC2\xB2\xE2\x82\xAC\xF0\x9F\x98\x80") << true;
    QTest::newRow("a column out of range") << byte("5", "ff") << true;
    QTest::newRow("a column not decimal") << byte("x1", "ff") << true;
    QTest::newRow("a column in another form") << byte("+01", "7") << true;
    QTest::newRow("a value too large") << byte("0", "1ff") << true;
    QTest::newRow("a value not hexadecimal") << byte("0", "zz") << true;
    QTest::newRow("a value in upper case") << byte("4", "7E") << true;
    QTest::newRow("U+FFFE") << glyph("\xEF\xBF\xBE") << false;
    QTest::newRow("U+FDD0") << glyph("\xEF\xB7\x90") << false;
    QTest::newRow("a C1 control") << glyph("\xC2\x85") << false;
    QTest::newRow("an overlong form") << glyph("\xC0\xAF") << false;
    QTest::newRow("a surrogate") << glyph("\xED\xA0\x80") << false;
    QTest::newRow("beyond U+10FFFF") << glyph("\xF4\x90\x80\x80") << false;
    QTest::newRow("a sequence cut short") << glyph("\xE2\x82") << false;
    QTest::newRow("a lone continuation byte") << glyph("a\x80") << false;
    QTest::newRow("a character reference") << glyph("&#65;") << false;
    QTest::newRow("an undeclared entity") << glyph("&nbsp;") << false;
    QTest::newRow("an ampersand alone") << glyph("a & b") << false;
    QTest::newRow("a tab in a name") << glyph("a\tb") << false;
    QTest::newRow("a less-than sign in a name") << glyph("a<b") << false;
    QTest::newRow("white space around a value") << byte("0", " 7 ") << false;
    QTest::newRow("an empty value") << byte("0", "") << false;
    QTest::newRow("a comment in a value") << byte("0", "7<!-- -->7") << false;
    QTest::newRow("CDATA") << byte("0", "<![CDATA[7]]>") << false;
    QTest::newRow("an unclosed byte") << byte("0", "7</FontChar>") << false;
    QTest::newRow("an unclosed glyph") << font("<FontChar Char=\"a\">") << false;
    QTest::newRow("an empty glyph element") << font("<FontChar Char=\"a\"/>") << false;
    QTest::newRow("a glyph without a name") << font("<FontChar></FontChar>") << false;
    QTest::newRow("single quotes") << font("<FontChar Char='a'></FontChar>") << false;
    QTest::newRow("a root attribute twice")
        << QByteArray(FontFileGuard::WrittenDeclaration) + "<CharSet a=\"1\" a=\"2\"></CharSet>"
        << false;
    QTest::newRow("a root attribute without a value")
        << QByteArray(FontFileGuard::WrittenDeclaration) + "<CharSet a></CharSet>" << false;
    QTest::newRow("another root") << QByteArray(FontFileGuard::WrittenDeclaration) +
                                         "<CharSets></CharSets>"
                                  << false;
    QTest::newRow("text after the root") << font("") + "x" << false;
    QTest::newRow("a second root") << font("") + "<CharSet></CharSet>" << false;
    QTest::newRow("a byte order mark") << "\xEF\xBB\xBF" + font("") << false;
}

// Whatever the reading without the parser takes, the DOM reads the same; what it leaves, the
// walk reads.
void TestFontFileGuard::shortcutReadsAsTheParser()
{
    QFETCH(QByteArray, document);
    QFETCH(bool, taken);
    QCOMPARE(bool(FontFileShortcut::Read(document)), taken);
    QDomDocument dom;
    const bool opens = FontFileReader::ParseDocument(document, dom) &&
                       dom.documentElement().tagName() == QLatin1String("CharSet");
    const std::unique_ptr<FontCharSet> read = TestFonts::Parse(document);
    QCOMPARE(bool(read), opens);
    if (opens) {
        FontCharSet viaDom;
        viaDom.ReadXml(dom.documentElement());
        QVERIFY(viaDom == *read);
    }
}

void TestFontFileGuard::unboundedDeviceIsRefused()
{
#ifndef Q_OS_LINUX
    QSKIP("needs /dev/zero");
#else
    const qint64 start = CpuMilliseconds();
    QString error;
    QVERIFY(!TestFonts::Load(QStringLiteral("/dev/zero"), &error));
    QVERIFY2(error.contains(QLatin1String("too large")), qPrintable(error));
    QVERIFY(CpuMilliseconds() - start <= Scaled(30000));
#endif
}

QTEST_APPLESS_MAIN(TestFontFileGuard)
#include "tst_fontfileguard.moc"
