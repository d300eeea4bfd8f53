#include "FontFileReader.h"
#include "FontFileWriter.h"
#include "TestFiles.h"
#include "TestFonts.h"
#include "TestRun.h"
#include "TrueTypeWriter.h"

#include <QImage>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <numeric>

namespace {

// Draws standard input with the GFX font "font" as the library's write() and drawChar() walk it,
// as a PBM picture; the cursor of --text's line n is at y = 9 n + baseline + 1.
constexpr char Renderer[] = R"(#include "font.h"
#include <cstdio>
#include <cstdlib>
static bool screen[64][512];
int main(int, char** argv)
{
    int x = 0, y = std::atoi(argv[3]) + 1, c;
    while ((c = std::getchar()) != EOF) {
        if (c == '\n') {
            x = 0, y += font.yAdvance + 1;
        } else if (c != '\r' && c >= font.first && c <= font.last) {
            const GFXglyph* g = &font.glyph[c - font.first];
            for (int i = 0, bo = g->bitmapOffset, bits = 0; i < g->width * g->height; ++i) {
                bits = i % 8 ? bits << 1 : font.bitmap[bo++];
                screen[y + g->yOffset + i / g->width][x + g->xOffset + i % g->width] |= bits & 0x80;
            }
            x += g->xAdvance;
        }
    }
    std::printf("P1\n%s %s\n", argv[1], argv[2]);
    for (int row = 0; row < std::atoi(argv[2]); ++row, std::puts(""))
        for (int column = 0; column < std::atoi(argv[1]); ++column)
            std::printf("%d ", screen[row][column]);
}
)";

const QStringList Strict = {"-Wall", "-Wextra", "-pedantic", "-Werror"};

// Each glyph's contours in ttx's dump, by glyph index: areas in pixels, counter-clockwise > 0.
std::map<int, QList<qint64>> Contours(const QString& xml)
{
    static const QRegularExpression item(
        R"re(<(GlyphID id|TTGlyph name)="([^"]*)"(?: name="([^"]*)")?)re"
        R"re(|<pt x="(-?\d+)" y="(-?\d+)"|</contour>)re");
    constexpr qint64 Square = TrueTypeWriter::UnitsPerPixel * TrueTypeWriter::UnitsPerPixel;
    std::map<QString, int> ids;
    std::map<int, QList<qint64>> contours;
    std::vector<QPoint> points;
    int glyph = 0;
    for (const QRegularExpressionMatch& match : item.globalMatch(xml)) {
        const QString kind = match.captured(1);
        if (kind == u"GlyphID id")
            ids[match.captured(3)] = match.captured(2).toInt();
        else if (kind == u"TTGlyph name")
            contours[glyph = ids.at(match.captured(2))];
        else if (match.hasCaptured(4))
            points.emplace_back(match.captured(4).toInt(), match.captured(5).toInt());
        else {
            qint64 twice = 0;
            for (size_t at = 0; at < points.size(); ++at) {
                const QPoint& next = points[(at + 1) % points.size()];
                twice += qint64(points[at].x()) * next.y() - qint64(next.x()) * points[at].y();
            }
            contours[glyph] << twice / 2 / Square;
            points.clear();
        }
    }
    return contours;
}

} // namespace

class TestDisplayLibraries : public QObject
{
    Q_OBJECT

private slots:
    void gfxGoldenFile();
    void gfxDrawsWhatTextDraws_data();
    void gfxDrawsWhatTextDraws();
    void gfxCompilesForEveryTarget_data();
    void gfxCompilesForEveryTarget();
    void trueTypeReadersTakeEveryGlyph_data();
    void trueTypeReadersTakeEveryGlyph();
    void trueTypeDatesFromTheSources_data();
    void trueTypeDatesFromTheSources();
    void trueTypeGlyphsUpToTheLimit();

private:
    // Runs a program to its end in the test's folder.
    Run In(const QString& program, const QStringList& arguments, const QByteArray& input = {})
    {
        return StartIn(_dir.path(), program, arguments, input);
    }

    QTemporaryDir _dir;
    const QString _ttf = _dir.filePath(QStringLiteral("font.ttf"));
};

void TestDisplayLibraries::gfxGoldenFile()
{
    // Codes without a glyph, a glyph without ink of a hostile name, a repeated code, one
    // pixel on the baseline; no warning of a C table.
    const Run run = In(PIXMINT_EXPORT,
                       {TestFiles::DataPath("firmware.xml"), "--gfx", "font.h", "--gfx-standalone",
                        "--name", "font5x8", "--range", "66-97", "--baseline", "7"});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err,
             QByteArray("pixmint-export: warning: the font has no glyph for 0x43 to 0x50, 0x52 "
                        "to 0x60: the GFX font font5x8 draws nothing there and moves on\n"));
    QCOMPARE(TestFiles::Read(_dir.filePath("font.h")), TestFiles::Data("gfx.h"));
}

void TestDisplayLibraries::gfxDrawsWhatTextDraws_data()
{
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("baseline");
    QTest::addColumn<QString>("font"); // imported, or the test's own full font when empty
    // "!" and "~" have no glyph: blank, and the cursor moves on.
    QTest::newRow("printable ASCII")
        << QString("Hello, World! (x=1)") << QStringList() << 6 << QString();
    QTest::newRow("lines, baseline 0")
        << QString("AB\nab~\n\n+") << QStringList{"--baseline", "0", "--range", "32-126"} << 0
        << QString();
    QTest::newRow("Latin-1 and 0x07, baseline 7")
        << QString("\u00e9\a\u00b2@A") << QStringList{"--baseline", "7", "--range", "0-0xff"} << 7
        << QString();
    // Glyphs whose ink reaches each edge of the cell or none, a blank space; every code but
    // the line feed and the carriage return, which the library takes as commands.
    QString every;
    for (int code = 1; code < 256; ++code) {
        if (code != '\n' && code != '\r')
            every += QChar(code) + QString(every.size() % 64 == 63 ? "\n" : "");
    }
    const QString x11 = QStringLiteral("/usr/share/fonts/X11/misc/5x8.pcf.gz");
    for (const int baseline : {0, 6, 7}) {
        QTest::addRow("X11 5x8, every code, baseline %d", baseline)
            << every << QStringList{"--baseline", QString::number(baseline), "--range", "1-255"}
            << baseline << x11;
    }
}

void TestDisplayLibraries::gfxDrawsWhatTextDraws()
{
    QFETCH(QString, shown);
    QFETCH(QStringList, options);
    QFETCH(int, baseline);
    QFETCH(QString, font);
    if (font.isEmpty())
        QVERIFY(
            TestFiles::Write(_dir.filePath("font.xml"), FontFileWriter::Bytes(*TestFonts::Full())));
    else if (!QFile::exists(font))
        QSKIP("the X11 fonts are not installed (scripts/lib.sh installs them)");
    else
        QCOMPARE(In(PIXMINT_IMPORT, {font, "--codes", "0-255", "-o", "font.xml"}).exitCode, 0);
    QCOMPARE(In(PIXMINT_EXPORT,
                QStringList{"font.xml", "--gfx", "font.h", "--gfx-standalone", "--name", "font",
                            "--png", "text.png", "--scale", "1", "--text", shown} +
                    options)
                 .exitCode,
             0);
    QVERIFY(TestFiles::Write(_dir.filePath("render.cpp"), Renderer));
    const Run compiled =
        In(PIXMINT_CXX_COMPILER, Strict + QStringList{"render.cpp", "-o", "render"});
    QVERIFY2(compiled.exitCode == 0, compiled.err.constData());
    const QImage text(_dir.filePath("text.png"));
    const QStringList size = {QString::number(text.width()), QString::number(text.height()),
                              QString::number(baseline)};
    QCOMPARE(QImage::fromData(In(_dir.filePath("render"), size, shown.toLatin1()).out, "PBM")
                 .convertToFormat(text.format()),
             text);
}

void TestDisplayLibraries::gfxCompilesForEveryTarget_data()
{
    QTest::addColumn<QString>("compiler");
    QTest::addColumn<QStringList>("flags");
    QTest::addColumn<QString>("section"); // where the data go, read-only with relocations too
    QTest::addColumn<QString>("objdump");
    QTest::newRow("host") << PIXMINT_CXX_COMPILER << QStringList() << "(rodata|data\\.rel\\.ro.*)"
                          << "objdump";
    QTest::newRow("AVR, C++98") << "avr-g++" << QStringList{"-mmcu=atmega328p"} << "progmem.data"
                                << "avr-objdump";
    QTest::newRow("ARM") << "arm-none-eabi-g++" << QStringList{"-mcpu=cortex-m0", "-mthumb"}
                         << "rodata"
                         << "arm-none-eabi-objdump";
}

void TestDisplayLibraries::gfxCompilesForEveryTarget()
{
    QFETCH(QString, compiler);
    QFETCH(QStringList, flags);
    QFETCH(QString, section);
    QFETCH(QString, objdump);
    if (QStandardPaths::findExecutable(compiler).isEmpty() ||
        QStandardPaths::findExecutable(objdump).isEmpty())
        QSKIP("the cross compilers are not installed (scripts/lib.sh installs them)");
    // Names that try to end or splice their comments; a font without glyphs, still an array.
    const TestFonts::Font hostile =
        TestFonts::Make({{"a*\\\n/ int evil1 = 1; /*  A", {0x80, 0x40, 0x20, 0x10, 0x08}},
                         {"b*?\?/\n/ int evil2 = 2; /*  B", {1, 2, 4, 8, 16}}});
    // avr-libc's macros and functions are the program's to avoid, not the header's; a name
    // that the header or a compiler takes may be refused, but never accepted and broken.
    const QStringList accepted = {"font",  "SREG",       "SP",       "PORTB",    "RAMEND",
                                  "PGM_P", "PGM_VOID_P", "memcpy_P", "strlen_P", "pgm_read_byte"};
    const QStringList mayRefuse = {"GFXglyph", "GFXfont", "uint8_t", "PROGMEM", "AVR", "linux"};
    std::vector<std::pair<TestFonts::Font, QString>> cases = {{TestFonts::Make({}), "font"}};
    for (const QString& name : accepted + mayRefuse)
        cases.emplace_back(hostile, name);
    for (const auto& [font, name] : cases) {
        QVERIFY(TestFiles::Write(_dir.filePath("font.xml"), FontFileWriter::Bytes(*font)));
        const int exported =
            In(PIXMINT_EXPORT, {"font.xml", "--gfx", "font.h", "--gfx-standalone", "--name", name})
                .exitCode;
        QVERIFY2(exported == 0 || (exported == 2 && mayRefuse.contains(name)), qPrintable(name));
        if (exported != 0)
            continue;
        QVERIFY(TestFiles::Write(_dir.filePath("use.cpp"),
                                 "#include \"font.h\"\nconst GFXfont* used = &" + name.toLatin1() +
                                     ";\n"));
        const Run compiled = In(compiler, Strict + flags + QStringList{"-O2", "-c", "use.cpp"});
        QVERIFY2(compiled.exitCode == 0, qPrintable(name + ": " + compiled.err));
        const QString symbols = In(objdump, {"-t", "-C", "use.o"}).out;
        QVERIFY2(!symbols.contains("evil"), qPrintable(symbols));
        // The library reads the font too with pgm_read_*.
        for (const QString& symbol : {name + "_Bitmaps", name + "_Glyphs", name}) {
            QVERIFY2(symbols.contains(
                         QRegularExpression("\\s\\." + section + "\\s.*\\s" + symbol + "\n")),
                     qPrintable(symbols));
        }
    }
}

void TestDisplayLibraries::trueTypeReadersTakeEveryGlyph_data()
{
    QTest::addColumn<TestFonts::Font>("font");
    QTest::addColumn<QString>("baseline");
    QTest::addColumn<QList<qint64>>("contours"); // of "g  A", clockwise negative
    const TestFonts::Font full(TestFonts::Full());
    const auto one = [](const TestFonts::Bytes& bytes) {
        return TestFonts::Font(TestFonts::Make({{"g  A", bytes}}));
    };
    QTest::newRow("baseline 6") << full << "6" << QList<qint64>();
    QTest::newRow("baseline 7, no descent") << full << "7" << QList<qint64>();
    QTest::newRow("baseline 0") << full << "0" << QList<qint64>();
    QTest::newRow("blank default table") << TestFonts::Default() << "6" << QList<qint64>();
    QTest::newRow("a ring and its hole")
        << one({0xFF, 0x81, 0x81, 0x81, 0xFF}) << "6" << QList<qint64>{-40, 18};
    QTest::newRow("pixels meeting at corners apart")
        << one({1, 2, 4, 8, 16}) << "6" << QList<qint64>{-1, -1, -1, -1, -1};
    QTest::newRow("an L, a diamond without a hole")
        << one({0xFF, 0x80, 0x84, 0x0A, 0x04}) << "6" << QList<qint64>{-10, -1, -1, -1, -1};
}

void TestDisplayLibraries::trueTypeReadersTakeEveryGlyph()
{
    QFETCH(TestFonts::Font, font);
    QFETCH(QString, baseline);
    QFETCH(QList<qint64>, contours);
    QVERIFY(TestFiles::Write(_dir.filePath("font.xml"), FontFileWriter::Bytes(*font)));
    const Run run = In(PIXMINT_EXPORT, {"font.xml", "--ttf", _ttf, "--baseline", baseline});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err.isEmpty(), font->Find("x  A") == font->end()); // a repeated code
    // The whole font adds up to what head's checkSumAdjustment makes it.
    const QByteArray bytes = TestFiles::Read(_ttf) + QByteArray(3, '\0');
    quint32 sum = 0;
    for (qsizetype at = 0; at + 3 < bytes.size(); at += 4)
        sum += qFromBigEndian<quint32>(bytes.constData() + at);
    QCOMPARE(sum, 0xB1B0AFBAu);
    // OS/2's x-height and cap height: the top of the highest pixel of "x" and of "H", or 0.
    const char* os2 =
        bytes.constData() + qFromBigEndian<quint32>(bytes.constData() + bytes.indexOf("OS/2") + 8);
    const std::map<int, FontChar> byCode = TestFonts::ByCode(*font);
    for (const int code : {'x', 'H'}) {
        int top = 0;
        for (int pixel = 39; byCode.count(code) && pixel >= 0; --pixel) {
            if (byCode.at(code).GetPixel(quint32(pixel % 5), quint32(pixel / 5)))
                top = (baseline.toInt() + 1 - pixel / 5) * 128;
        }
        QCOMPARE(qFromBigEndian<qint16>(os2 + (code == 'x' ? 86 : 88)), qint16(top));
    }
    // FreeType, through the importer at 8 pixels, gives every glyph back at its code.
    const Run imported = In(PIXMINT_IMPORT, {_ttf, "--size", "8", "--codes", "0-255"});
    QCOMPARE(imported.exitCode, 0);
    const std::unique_ptr<FontCharSet> back = TestFonts::Parse(imported.out);
    QVERIFY(back);
    const std::map<int, FontChar> got = TestFonts::ByCode(*back);
    for (const auto& [code, glyph] : TestFonts::ByCode(*font))
        QVERIFY2(got.count(code) && got.at(code) == glyph, qPrintable(QString::number(code)));
    const QString ots = QStandardPaths::findExecutable(QStringLiteral("ots-sanitize"));
    const QString ttx = QStandardPaths::findExecutable(QStringLiteral("ttx"));
    if (ots.isEmpty() || ttx.isEmpty())
        QSKIP("needs opentype-sanitizer and fonttools (scripts/lib.sh installs them)");
    QCOMPARE(In(ots, {_ttf}).exitCode, 0);
    // fontTools reads every table; the contours enclose each pixel once, clockwise (< 0).
    const Run dump = In(ttx, {"-q", "-o", "-", _ttf});
    QVERIFY2(dump.exitCode == 0 && dump.err.isEmpty(), dump.err.constData());
    const std::map<int, QList<qint64>> read = Contours(QString::fromUtf8(dump.out));
    std::map<int, qint64> areas, expected = {{0, -22}}; // .notdef: the cell's outline
    for (const auto& [glyph, areasOfGlyph] : read)
        areas[glyph] = std::accumulate(areasOfGlyph.begin(), areasOfGlyph.end(), qint64(0));
    int glyph = 0;
    for (const auto& [name, pixels] : *font) {
        for (quint32 pixel = 0; pixel < 40; ++pixel)
            expected[glyph + 1] -= pixels->GetPixel(pixel % 5, pixel / 5);
        ++glyph;
    }
    QCOMPARE(areas, expected);
    QVERIFY(contours.isEmpty() || read.at(1) == contours);
    const QString fontforge = QStandardPaths::findExecutable(QStringLiteral("fontforge"));
    if (fontforge.isEmpty())
        QSKIP("FontForge (fontforge-nox) is not installed");
    Run opened = In(fontforge, {"-quiet", "-lang=ff", "-c", "Open($1)", _ttf});
    QCOMPARE(opened.exitCode, 0);
    QCOMPARE(opened.err.replace("Program root: /usr\n", ""), QByteArray());
}

void TestDisplayLibraries::trueTypeDatesFromTheSources_data()
{
    QTest::addColumn<QByteArray>("epoch"); // empty: not set
    QTest::addColumn<qint64>("seconds");   // since 1904, or -1 when refused
    QTest::newRow("not set: 1970") << QByteArray() << 2082844800LL;
    QTest::newRow("the end of 9999") << QByteArray("253402300799") << 255485145599LL;
    QTest::newRow("beyond 9999") << QByteArray("253402300800") << -1LL;
    QTest::newRow("leading zeros") << QByteArray("00000000000000000000001") << 2082844801LL;
    QTest::newRow("not decimal") << QByteArray("-17e8") << -1LL;
}

void TestDisplayLibraries::trueTypeDatesFromTheSources()
{
    QFETCH(QByteArray, epoch);
    QFETCH(qint64, seconds);
    QFile::remove(_ttf);
    qputenv("SOURCE_DATE_EPOCH", epoch); // empty counts as unset
    const QStringList arguments = {TestFiles::DataPath("bdf.xml"), "--ttf", _ttf};
    const Run run = In(PIXMINT_EXPORT, arguments);
    const QByteArray bytes = TestFiles::Read(_ttf);
    QCOMPARE(run.exitCode, seconds < 0 ? 2 : 0);
    QCOMPARE(run.err.startsWith("pixmint-export: SOURCE_DATE_EPOCH "), seconds < 0);
    QVERIFY(seconds >= 0 || (bytes.isNull() && run.err.count('\n') == 1));
    const char* data = bytes.constData(); // head's offset, then its two dates
    const qsizetype head =
        seconds < 0 ? 0 : qFromBigEndian<quint32>(data + bytes.indexOf("head") + 8);
    for (qsizetype date = head + 20; seconds >= 0 && date <= head + 28; date += 8)
        QCOMPARE(qFromBigEndian<qint64>(data + date), seconds);
    QCOMPARE(In(PIXMINT_EXPORT, arguments).exitCode, run.exitCode);
    QCOMPARE(TestFiles::Read(_ttf), bytes); // the same bytes every time
}

void TestDisplayLibraries::trueTypeGlyphsUpToTheLimit()
{
    // Beyond the names that post indexes, loca in bytes; Numbered adds the default table.
    const int most = int(TrueTypeWriter::MaxGlyphs - FontCharSet().Count());
    QVERIFY(TestFiles::Write(_ttf, TrueTypeWriter().Bytes(*TestFonts::Numbered(most))));
    const QString ots = QStandardPaths::findExecutable(QStringLiteral("ots-sanitize"));
    QVERIFY(ots.isEmpty() || In(ots, {_ttf}).exitCode == 0);
    const Status accepted = TrueTypeWriter::Accepts(*TestFonts::Numbered(most + 1));
    QVERIFY(!accepted);
    QCOMPARE(accepted.Reason(),
             QStringLiteral("the font has 65535 glyphs, and a TrueType font holds at most "
                            "65534 besides .notdef"));
}

QTEST_GUILESS_MAIN(TestDisplayLibraries)
#include "tst_displaylibraries.moc"
