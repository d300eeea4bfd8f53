#include "FontFileReader.h"
#include "FontFileWriter.h"
#include "PixelOutline.h"
#include "TestFiles.h"
#include "TestFonts.h"
#include "TestProcess.h"
#include "TrueTypeWriter.h"

#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <utility>

namespace {

using TestProcess::Run;
using TestProcess::Start;

quint32 Word(const QByteArray& bytes, qsizetype at)
{
    return qFromBigEndian<quint32>(bytes.constData() + at);
}

// Twice the signed area of a contour, counter-clockwise positive.
qint64 TwiceArea(const std::vector<QPoint>& contour)
{
    qint64 area = 0;
    for (size_t point = 0; point < contour.size(); ++point) {
        const QPoint& next = contour[(point + 1) % contour.size()];
        area += qint64(contour[point].x()) * next.y() - qint64(next.x()) * contour[point].y();
    }
    return area;
}

// What ttx dumps: each code's glyph index, and each glyph's contours' areas summed.
void ReadTtx(const QString& xml, std::map<int, int>& codes, std::map<int, qint64>& areas)
{
    static const QRegularExpression item(
        R"re(<(GlyphID id|map code|TTGlyph name)="([^"]*)"(?: name="([^"]*)")?)re"
        R"re(|<pt x="(-?\d+)" y="(-?\d+)"|</contour>)re");
    std::map<QString, int> ids;
    std::vector<QPoint> contour;
    int glyph = 0;
    for (const QRegularExpressionMatch& match : item.globalMatch(xml)) {
        const QString kind = match.captured(1);
        if (kind == u"GlyphID id")
            ids[match.captured(3)] = match.captured(2).toInt();
        else if (kind == u"map code")
            codes[match.captured(2).toInt(nullptr, 16)] = ids.at(match.captured(3));
        else if (kind == u"TTGlyph name")
            areas[glyph = ids.at(match.captured(2))] = 0;
        else if (match.hasCaptured(4))
            contour.emplace_back(match.captured(4).toInt(), match.captured(5).toInt());
        else
            areas[glyph] += TwiceArea(std::exchange(contour, {}));
    }
}

} // namespace

class TestTrueTypeWriter : public QObject
{
    Q_OBJECT

private slots:
    void readersTakeEveryGlyph_data();
    void readersTakeEveryGlyph();
    void outlinesOfPixels_data();
    void outlinesOfPixels();
    void datesFromTheSources_data();
    void datesFromTheSources();
    void glyphsUpToTheLimit();

private:
    QTemporaryDir _dir;
    const QString _ttf = _dir.filePath(QStringLiteral("font.ttf"));
};

void TestTrueTypeWriter::readersTakeEveryGlyph_data()
{
    QTest::addColumn<TestFonts::Font>("font");
    QTest::addColumn<QString>("baseline");
    const TestFonts::Font full(TestFonts::Full());
    QTest::newRow("baseline 6") << full << "6";
    QTest::newRow("baseline 7, no descent") << full << "7";
    QTest::newRow("baseline 0") << full << "0";
    QTest::newRow("blank default table") << TestFonts::Default() << "6";
}

void TestTrueTypeWriter::readersTakeEveryGlyph()
{
    QFETCH(TestFonts::Font, font);
    QFETCH(QString, baseline);
    const QString xml = _dir.filePath(QStringLiteral("font.xml"));
    QVERIFY(TestFiles::Write(xml, FontFileWriter::Bytes(*font)));
    const Run run = Start(PIXMINT_EXPORT, {xml, "--ttf", _ttf, "--baseline", baseline});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, font->Count() == 86
                          ? QByteArray()
                          : "pixmint-export: warning: glyph \"x  A\" stands for the "
                            "code 0x41 like \"C27  A\", which comes first: the "
                            "TrueType font has it without a code\n");
    // The whole font adds up to what head's checkSumAdjustment makes it.
    const QByteArray bytes = TestFiles::Read(_ttf) + QByteArray(3, '\0');
    quint32 sum = 0;
    for (qsizetype at = 0; at + 3 < bytes.size(); at += 4)
        sum += Word(bytes, at);
    QCOMPARE(sum, 0xB1B0AFBAu);

    // FreeType, through the importer at 8 pixels, gives every glyph of a character back.
    const Run imported = Start(PIXMINT_IMPORT, {_ttf, "--size", "8"});
    QVERIFY2(imported.exitCode == 0 && imported.err.isEmpty(), imported.err.constData());
    std::map<int, FontChar> glyphs = TestFonts::ByCode(*font);
    const std::unique_ptr<FontCharSet> back = FontFileReader::Read(imported.out);
    QVERIFY(back);
    for (const auto& [name, glyph] : *back)
        QVERIFY2(*glyph == glyphs[CharacterMap::Code(name)], name.c_str());

    const QString ots = QStandardPaths::findExecutable(QStringLiteral("ots-sanitize"));
    const QString ttx = QStandardPaths::findExecutable(QStringLiteral("ttx"));
    if (ots.isEmpty() || ttx.isEmpty())
        QSKIP("needs opentype-sanitizer and fonttools (scripts/lib.sh installs them)");
    QCOMPARE(Start(ots, {_ttf}).exitCode, 0);
    // fontTools reads every table; each code has the glyph the character map gives it, and
    // each glyph's contours enclose its pixels once, clockwise (negative), holes the other way.
    const Run dump = Start(ttx, {"-q", "-o", "-", _ttf});
    QVERIFY2(dump.exitCode == 0 && dump.err.isEmpty(), dump.err.constData());
    std::map<int, int> codes, expectedCodes;
    // .notdef is the cell's outline, 22 pixels.
    std::map<int, qint64> areas, expectedAreas = {{0, -22}};
    ReadTtx(QString::fromUtf8(dump.out), codes, areas);
    const CharacterMap map(*font);
    for (quint32 index = 0; index < map.Count(); ++index) {
        const int code = CharacterMap::Code(map.Name(index));
        if (code >= 0 && map.GlyphIndex(code) == index)
            expectedCodes[code] = int(index) + 1;
        for (quint32 pixel = 0; pixel < 40; ++pixel)
            expectedAreas[int(index) + 1] -= map.Glyph(index).GetPixel(pixel % 5, pixel / 5);
    }
    for (auto& [glyph, area] : areas)
        area /= 2 * TrueTypeWriter::UnitsPerPixel * TrueTypeWriter::UnitsPerPixel;
    QCOMPARE(codes, expectedCodes);
    QCOMPARE(areas, expectedAreas);

    const QString fontforge = QStandardPaths::findExecutable(QStringLiteral("fontforge"));
    if (fontforge.isEmpty())
        QSKIP("FontForge (fontforge-nox) is not installed");
    Run opened = Start(fontforge, {"-quiet", "-lang=ff", "-c", "Open($1)", _ttf});
    QCOMPARE(opened.exitCode, 0);
    QCOMPARE(opened.err.replace("Program root: /usr\n", ""), QByteArray());
}

void TestTrueTypeWriter::outlinesOfPixels_data()
{
    QTest::addColumn<TestFonts::Bytes>("columns");
    QTest::addColumn<QList<int>>("areas"); // of each contour, in pixels, clockwise negative
    QTest::addColumn<int>("points");       // a point at each corner, none between two in line
    QTest::newRow("an L") << TestFonts::Bytes{0xFF, 0x80, 0x80, 0, 0} << QList<int>{-10} << 6;
    QTest::newRow("ring and its hole")
        << TestFonts::Bytes{0xFF, 0x81, 0x81, 0x81, 0xFF} << QList<int>{-40, 18} << 8;
    QTest::newRow("pixels meeting at corners")
        << TestFonts::Bytes{1, 2, 4, 8, 16} << QList<int>{-1, -1, -1, -1, -1} << 20;
    QTest::newRow("a diamond, no hole")
        << TestFonts::Bytes{0, 2, 5, 2, 0} << QList<int>{-1, -1, -1, -1} << 16;
}

void TestTrueTypeWriter::outlinesOfPixels()
{
    QFETCH(TestFonts::Bytes, columns);
    QFETCH(QList<int>, areas);
    QFETCH(int, points);
    QList<int> traced;
    for (const PixelOutline::Contour& contour : PixelOutline::Of(TestFonts::Glyph(columns))) {
        traced << int(TwiceArea(contour) / 2);
        points -= int(contour.size());
    }
    QCOMPARE(traced, areas);
    QCOMPARE(points, 0);
}

void TestTrueTypeWriter::datesFromTheSources_data()
{
    QTest::addColumn<QByteArray>("epoch"); // empty: not set
    QTest::addColumn<qint64>("seconds");   // since 1904, or -1 when refused
    QTest::newRow("not set: 1970") << QByteArray() << 2082844800LL;
    QTest::newRow("the end of 9999") << QByteArray("253402300799") << 255485145599LL;
    QTest::newRow("beyond 9999") << QByteArray("253402300800") << -1LL;
    QTest::newRow("not decimal") << QByteArray("-17e8") << -1LL;
}

void TestTrueTypeWriter::datesFromTheSources()
{
    QFETCH(QByteArray, epoch);
    QFETCH(qint64, seconds);
    QFile::remove(_ttf);
    qputenv("SOURCE_DATE_EPOCH", epoch); // empty counts as unset
    const QStringList arguments = {TestFiles::DataPath("bdf.xml"), "--ttf", _ttf};
    const Run run = Start(PIXMINT_EXPORT, arguments);
    const QByteArray bytes = TestFiles::Read(_ttf);
    QCOMPARE(run.exitCode, seconds < 0 ? 2 : 0);
    QCOMPARE(run.err.startsWith("pixmint-export: SOURCE_DATE_EPOCH "), seconds < 0);
    QVERIFY(seconds >= 0 || (bytes.isNull() && run.err.count('\n') == 1));
    const qsizetype head = seconds < 0 ? 0 : Word(bytes, bytes.indexOf("head", 12) + 8);
    for (qsizetype date = head + 20; seconds >= 0 && date <= head + 28; date += 8)
        QCOMPARE(qint64(Word(bytes, date)) << 32 | Word(bytes, date + 4), seconds);
    QCOMPARE(Start(PIXMINT_EXPORT, arguments).exitCode, run.exitCode);
    QCOMPARE(TestFiles::Read(_ttf), bytes); // the same bytes every time
}

void TestTrueTypeWriter::glyphsUpToTheLimit()
{
    // Beyond the names that post indexes, with offsets in bytes. The Numbered fonts hold the
    // default table too.
    const int most = int(TrueTypeWriter::MaxGlyphs - FontCharSet().Count());
    QVERIFY(TestFiles::Write(_ttf, TrueTypeWriter().Bytes(*TestFonts::Numbered(most))));
    const QString ots = QStandardPaths::findExecutable(QStringLiteral("ots-sanitize"));
    QVERIFY(ots.isEmpty() || Start(ots, {_ttf}).exitCode == 0);
    QString reason;
    QVERIFY(!TrueTypeWriter::Accepts(*TestFonts::Numbered(most + 1), &reason));
    QCOMPARE(reason, QStringLiteral("the font has 65535 glyphs, and a TrueType font holds at most "
                                    "65534 besides .notdef"));
}

QTEST_GUILESS_MAIN(TestTrueTypeWriter)
#include "tst_truetypewriter.moc"
