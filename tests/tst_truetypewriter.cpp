#include "FontFileReader.h"
#include "FontFileWriter.h"
#include "PixelOutline.h"
#include "TestFiles.h"
#include "TestFonts.h"
#include "TrueTypeWriter.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <ctime>

namespace {

struct Run
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Run Start(const QString& program, const QStringList& arguments, const QString& epoch = QString())
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("SOURCE_DATE_EPOCH"));
    if (!epoch.isNull())
        environment.insert(QStringLiteral("SOURCE_DATE_EPOCH"), epoch);
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    Run run;
    if (process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit)
        run = {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
    return run;
}

quint32 Word(const QByteArray& bytes, qsizetype at)
{
    return quint32(quint8(bytes[at])) << 24 | quint32(quint8(bytes[at + 1])) << 16 |
           quint32(quint8(bytes[at + 2])) << 8 | quint8(bytes[at + 3]);
}

// What fontTools reads: each code's glyph index, and each glyph's area by its index, the
// signed sum over its contours, counter-clockwise positive.
void ReadTtx(const QByteArray& xml, std::map<int, int>& codes, std::map<int, qint64>& areas)
{
    QXmlStreamReader reader(xml);
    std::map<QString, int> ids;
    std::vector<QPoint> contour;
    int glyph = -1;
    while (!reader.atEnd()) {
        reader.readNext();
        const QXmlStreamAttributes attributes = reader.attributes();
        const auto value = [&attributes](const char* name) {
            return attributes.value(QLatin1String(name)).toString();
        };
        if (reader.isStartElement() && reader.name() == u"GlyphID")
            ids[value("name")] = value("id").toInt();
        else if (reader.isStartElement() && reader.name() == u"map")
            codes[value("code").toInt(nullptr, 16)] = ids.at(value("name"));
        else if (reader.isStartElement() && reader.name() == u"TTGlyph")
            areas[glyph = ids.at(value("name"))] = 0;
        else if (reader.isStartElement() && reader.name() == u"pt")
            contour.emplace_back(value("x").toInt(), value("y").toInt());
        else if (reader.isEndElement() && reader.name() == u"contour") {
            for (size_t point = 0; point < contour.size(); ++point) {
                const QPoint& next = contour[(point + 1) % contour.size()];
                areas[glyph] +=
                    qint64(contour[point].x()) * next.y() - qint64(next.x()) * contour[point].y();
            }
            contour.clear();
        }
    }
    QVERIFY2(!reader.hasError(), qPrintable(reader.errorString()));
}

} // namespace

class TestTrueTypeWriter : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void readersTakeEveryGlyph_data();
    void readersTakeEveryGlyph();
    void outlinesOfPixels_data();
    void outlinesOfPixels();
    void datesFromTheSources_data();
    void datesFromTheSources();
    void glyphsUpToTheLimitInLinearTime();

private:
    std::unique_ptr<QTemporaryDir> _dir;
};

void TestTrueTypeWriter::init()
{
    _dir = std::make_unique<QTemporaryDir>();
    QVERIFY(_dir->isValid());
}

void TestTrueTypeWriter::readersTakeEveryGlyph_data()
{
    QTest::addColumn<TestFonts::Font>("font");
    QTest::addColumn<int>("baseline");
    QTest::addColumn<QByteArray>("warning");
    const TestFonts::Font full(TestFonts::Full());
    const QByteArray repeated = "pixmint-export: warning: glyph \"x  A\" stands for the code 0x41 "
                                "like \"C27  A\", which comes first: the TrueType font has it "
                                "without a code\n";
    QTest::newRow("default baseline 6") << full << -1 << repeated;
    QTest::newRow("baseline 7, no descent") << full << 7 << repeated;
    QTest::newRow("baseline 0") << full << 0 << repeated;
    QTest::newRow("blank default table") << TestFonts::Default() << -1 << QByteArray();
}

void TestTrueTypeWriter::readersTakeEveryGlyph()
{
    QFETCH(TestFonts::Font, font);
    QFETCH(int, baseline);
    QFETCH(QByteArray, warning);
    const QString xml = _dir->filePath(QStringLiteral("font.xml"));
    const QString ttf = _dir->filePath(QStringLiteral("font.ttf"));
    QVERIFY(TestFiles::Write(xml, FontFileWriter::Bytes(*font)));
    QStringList arguments = {xml, QStringLiteral("--ttf"), ttf};
    if (baseline >= 0)
        arguments << QStringLiteral("--baseline") << QString::number(baseline);
    const Run run = Start(PIXMINT_EXPORT, arguments);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, warning);
    // The whole font adds up to what head's checkSumAdjustment makes it.
    const QByteArray bytes = TestFiles::Read(ttf);
    const QByteArray padded = bytes + QByteArray(3, '\0');
    quint32 sum = 0;
    for (qsizetype at = 0; at < bytes.size(); at += 4)
        sum += Word(padded, at);
    QCOMPARE(sum, 0xB1B0AFBAu);

    // FreeType, through the importer at 8 pixels, gives every glyph of a character back.
    const Run imported = Start(PIXMINT_IMPORT, {ttf, "--size", "8"});
    QCOMPARE(imported.exitCode, 0);
    QVERIFY2(imported.err.isEmpty(), imported.err.constData());
    const std::unique_ptr<FontCharSet> back = FontFileReader::Read(imported.out);
    QVERIFY(back);
    std::map<int, FontChar> glyphs = TestFonts::ByCode(*font);
    for (const auto& [name, glyph] : *back)
        QVERIFY2(*glyph == glyphs[CharacterMap::Code(name)], name.c_str());

    const QString ots = QStandardPaths::findExecutable(QStringLiteral("ots-sanitize"));
    const QString ttx = QStandardPaths::findExecutable(QStringLiteral("ttx"));
    if (ots.isEmpty() || ttx.isEmpty())
        QSKIP("needs opentype-sanitizer and fonttools (scripts/lib.sh installs them)");
    QCOMPARE(Start(ots, {ttf}).exitCode, 0);
    // fontTools reads every table; each code has the glyph the character map gives it, and
    // each glyph's outline encloses its pixels once, clockwise around and counter-clockwise
    // around holes.
    const Run dump = Start(ttx, {"-q", "-o", "-", ttf});
    QCOMPARE(dump.exitCode, 0);
    QVERIFY2(dump.err.isEmpty(), dump.err.constData());
    std::map<int, int> codes, expectedCodes;
    // .notdef is the cell's outline, 22 pixels.
    std::map<int, qint64> areas, expectedAreas = {{0, -22 * 2 * 128 * 128}};
    ReadTtx(dump.out, codes, areas);
    const CharacterMap map(*font);
    for (quint32 index = 0; index < map.Count(); ++index) {
        const int code = CharacterMap::Code(map.Name(index));
        if (code >= 0 && map.GlyphIndex(code) == index)
            expectedCodes[code] = int(index) + 1;
        qint64& area = expectedAreas[int(index) + 1];
        for (quint32 pixel = 0; pixel < 40; ++pixel)
            area -= map.Glyph(index).GetPixel(pixel % 5, pixel / 5) ? 2 * 128 * 128 : 0;
    }
    QCOMPARE(codes, expectedCodes);
    QCOMPARE(areas, expectedAreas);

    const QString fontforge = QStandardPaths::findExecutable(QStringLiteral("fontforge"));
    if (fontforge.isEmpty())
        QSKIP("FontForge (fontforge-nox) is not installed");
    Run opened = Start(fontforge, {"-quiet", "-lang=ff", "-c", "Open($1)", ttf});
    QCOMPARE(opened.exitCode, 0);
    QCOMPARE(opened.err.replace("Program root: /usr\n", ""), QByteArray());
}

void TestTrueTypeWriter::outlinesOfPixels_data()
{
    QTest::addColumn<TestFonts::Bytes>("columns");
    QTest::addColumn<QList<int>>("areas"); // of each contour, in pixels, clockwise negative
    QTest::addColumn<int>("points");
    QTest::newRow("blank") << TestFonts::Bytes{} << QList<int>{} << 0;
    QTest::newRow("block") << TestFonts::Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF} << QList<int>{-40}
                           << 4;
    QTest::newRow("ring and its hole")
        << TestFonts::Bytes{0xFF, 0x81, 0x81, 0x81, 0xFF} << QList<int>{-40, 18} << 8;
    QTest::newRow("pixels meeting at corners")
        << TestFonts::Bytes{1, 2, 4, 8, 16} << QList<int>{-1, -1, -1, -1, -1} << 20;
    QTest::newRow("a diamond, no hole")
        << TestFonts::Bytes{0, 2, 5, 2, 0} << QList<int>{-1, -1, -1, -1} << 16;
    QTest::newRow("an L") << TestFonts::Bytes{0xFF, 0x80, 0x80, 0, 0} << QList<int>{-10} << 6;
}

void TestTrueTypeWriter::outlinesOfPixels()
{
    QFETCH(TestFonts::Bytes, columns);
    QFETCH(QList<int>, areas);
    QFETCH(int, points);
    QList<int> traced;
    int corners = 0;
    for (const PixelOutline::Contour& contour : PixelOutline::Of(TestFonts::Glyph(columns))) {
        int area = 0;
        for (size_t point = 0; point < contour.size(); ++point) {
            const QPoint& next = contour[(point + 1) % contour.size()];
            area += contour[point].x() * next.y() - next.x() * contour[point].y();
            // Each point turns the way: no point lies between two in line with it.
            const QPoint& last = contour[(point + contour.size() - 1) % contour.size()];
            QVERIFY((last.x() == contour[point].x()) != (next.x() == contour[point].x()));
        }
        traced << area / 2;
        corners += int(contour.size());
    }
    QCOMPARE(traced, areas);
    QCOMPARE(corners, points);
}

void TestTrueTypeWriter::datesFromTheSources_data()
{
    QTest::addColumn<QString>("epoch");  // null: not set
    QTest::addColumn<qint64>("seconds"); // since 1904, or -1 when refused
    QTest::newRow("not set: 1970") << QString() << 2082844800LL;
    QTest::newRow("empty: 1970") << "" << 2082844800LL;
    QTest::newRow("the sources' time") << "1700000000" << 1700000000LL + 2082844800LL;
    QTest::newRow("the end of 9999") << "253402300799" << 253402300799LL + 2082844800LL;
    QTest::newRow("beyond 9999") << "253402300800" << -1LL;
    QTest::newRow("negative") << "-1" << -1LL;
    QTest::newRow("not decimal") << "17e8" << -1LL;
    QTest::newRow("many digits") << QString(40, u'9') << -1LL;
}

void TestTrueTypeWriter::datesFromTheSources()
{
    QFETCH(QString, epoch);
    QFETCH(qint64, seconds);
    const QString ttf = _dir->filePath(QStringLiteral("font.ttf"));
    const QStringList arguments = {TestFiles::DataPath("bdf.xml"), "--ttf", ttf};
    const Run run = Start(PIXMINT_EXPORT, arguments, epoch);
    QCOMPARE(run.exitCode, seconds < 0 ? 2 : 0);
    if (seconds < 0) {
        QVERIFY(run.err.startsWith("pixmint-export: SOURCE_DATE_EPOCH "));
        QCOMPARE(run.err.count('\n'), 1);
        QVERIFY(!QFile::exists(ttf));
        return;
    }
    const QByteArray bytes = TestFiles::Read(ttf);
    const qsizetype record = bytes.indexOf("head", 12);
    const qsizetype head = Word(bytes, record + 8);
    for (const qsizetype date : {head + 20, head + 28})
        QCOMPARE(qint64(Word(bytes, date)) << 32 | Word(bytes, date + 4), seconds);
    // The same bytes every time.
    QCOMPARE(Start(PIXMINT_EXPORT, arguments, epoch).exitCode, 0);
    QCOMPARE(TestFiles::Read(ttf), bytes);
}

void TestTrueTypeWriter::glyphsUpToTheLimitInLinearTime()
{
    // Ten times the glyphs: about ten times the time, and a hundred if it grew squared.
    const auto cpuSeconds = [](const FontCharSet& set, QByteArray& bytes) {
        const std::clock_t start = std::clock();
        bytes = TrueTypeWriter().Bytes(set);
        return std::max(double(std::clock() - start) / CLOCKS_PER_SEC, 0.001);
    };
    // Numbered fonts hold the default table too.
    const int most = int(TrueTypeWriter::MaxGlyphs - FontCharSet().Count());
    QByteArray bytes;
    const double small = cpuSeconds(*TestFonts::Numbered(most / 10), bytes);
    const double large = cpuSeconds(*TestFonts::Numbered(most), bytes);
    QVERIFY2(large / small < 40, qPrintable(QStringLiteral("%1 s, %2 s").arg(small).arg(large)));
    const QString ttf = _dir->filePath(QStringLiteral("large.ttf"));
    const QString ots = QStandardPaths::findExecutable(QStringLiteral("ots-sanitize"));
    QVERIFY(TestFiles::Write(ttf, bytes));
    const Run sanitized = Start(ots, {ttf});
    QVERIFY2(ots.isEmpty() || sanitized.exitCode == 0, sanitized.err + sanitized.out);

    // One glyph more is refused in one line, and nothing is written.
    const QString xml = _dir->filePath(QStringLiteral("font.xml"));
    QVERIFY(TestFiles::Write(xml, FontFileWriter::Bytes(*TestFonts::Numbered(most + 1))));
    const Run run = Start(PIXMINT_EXPORT, {xml, "--ttf", ttf + ".new"});
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.endsWith(": the font has 65535 glyphs, and a TrueType font holds at most "
                              "65534 besides .notdef\n"),
             run.err.constData());
    QCOMPARE(run.err.count('\n'), 1);
    QVERIFY(!QFile::exists(ttf + ".new"));
}

QTEST_GUILESS_MAIN(TestTrueTypeWriter)
#include "tst_truetypewriter.moc"
