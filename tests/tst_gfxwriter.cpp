#include "FontFileWriter.h"
#include "TestFiles.h"
#include "TestFonts.h"
#include "TestProcess.h"

#include <QImage>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Draws standard input with the GFX font "font" as the library's write() and drawChar() walk
// a GFXfont: from bitmapOffset, width x height bits row by row, the most significant first,
// running on across rows; the top left at the cursor plus xOffset and yOffset; the cursor
// moving by xAdvance, also past a glyph without pixels; a code outside first to last skipped.
// The cursor of --text's line n is at y = 9 n + baseline + 1: a line feed moves it down by
// yAdvance and the blank row between --text's lines.
constexpr char Renderer[] = R"(#include "font.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>
static char screen[64][512];
int main(int, char** argv)
{
    std::memset(screen, '.', sizeof screen);
    int x = 0, y = std::atoi(argv[3]) + 1, c;
    while ((c = std::getchar()) != EOF) {
        if (c == '\n') {
            x = 0;
            y += font.yAdvance + 1;
        } else if (c >= font.first && c <= font.last) {
            const GFXglyph* glyph = &font.glyph[c - font.first];
            uint16_t bo = glyph->bitmapOffset;
            uint8_t bits = 0, bit = 0;
            for (int yy = 0; yy < glyph->height; yy++)
                for (int xx = 0; xx < glyph->width; xx++, bits <<= 1) {
                    if (!(bit++ & 7))
                        bits = font.bitmap[bo++];
                    if (bits & 0x80)
                        screen[y + glyph->yOffset + yy][x + glyph->xOffset + xx] = '#';
                }
            x += glyph->xAdvance;
        }
    }
    for (int row = 0; row < std::atoi(argv[2]); ++row)
        std::printf("%.*s\n", std::atoi(argv[1]), screen[row]);
}
)";

const QStringList Strict = {"-Wall", "-Wextra", "-pedantic", "-Werror"};

} // namespace

class TestGfxWriter : public QObject
{
    Q_OBJECT

private slots:
    void writesGoldenFile();
    void drawsWhatTextDraws_data();
    void drawsWhatTextDraws();
    void compilesForEveryTarget_data();
    void compilesForEveryTarget();

private:
    TestProcess::Run In(const QString& program, const QStringList& arguments,
                        const QByteArray& input = {}) const
    {
        return TestProcess::Start(program, arguments, _dir.path(), input);
    }

    QTemporaryDir _dir;
};

void TestGfxWriter::writesGoldenFile()
{
    // Codes without a glyph, a name that would end its comment, the second glyph of "A" left
    // out, the library's types declared; no warning of the C table that --range would shape.
    const TestProcess::Run run =
        In(PIXMINT_EXPORT, {TestFiles::DataPath("bdf.xml"), "--gfx", "font.h", "--gfx-standalone",
                            "--name", "font5x8", "--range", "62-67"});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err,
             QByteArray("pixmint-export: warning: the font has no glyph for 0x3e, 0x40, 0x42 "
                        "to 0x43: the GFX font font5x8 draws nothing there and moves on\n"));
    QCOMPARE(TestFiles::Read(_dir.filePath("font.h")), TestFiles::Data("gfx.h"));
}

void TestGfxWriter::drawsWhatTextDraws_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("baseline");
    // "!" and "~" have no glyph: blank, and the cursor moves on.
    QTest::newRow("printable ASCII") << QString("Hello, World! (x=1)") << QStringList() << 6;
    QTest::newRow("lines, baseline 0")
        << QString("AB\nab~\n\n+") << QStringList{"--baseline", "0", "--range", "32-126"} << 0;
    QTest::newRow("Latin-1 and 0x07, baseline 7")
        << QString("\u00e9\a\u00b2@A") << QStringList{"--baseline", "7", "--range", "0-0xff"} << 7;
    QTest::newRow("one code") << QString("AAA") << QStringList{"--range", "65-65"} << 6;
}

void TestGfxWriter::drawsWhatTextDraws()
{
    QFETCH(QString, text);
    QFETCH(QStringList, options);
    QFETCH(int, baseline);
    QVERIFY(TestFiles::Write(_dir.filePath("font.xml"), FontFileWriter::Bytes(*TestFonts::Full())));
    QCOMPARE(In(PIXMINT_EXPORT,
                QStringList{"font.xml", "--gfx", "font.h", "--gfx-standalone", "--name", "font",
                            "--png", "text.png", "--scale", "1", "--text", text} +
                    options)
                 .exitCode,
             0);
    QVERIFY(TestFiles::Write(_dir.filePath("render.cpp"), Renderer));
    const TestProcess::Run compiled =
        In(PIXMINT_CXX_COMPILER, Strict + QStringList{"render.cpp", "-o", "render"});
    QVERIFY2(compiled.exitCode == 0, compiled.err.constData());
    const QImage image(_dir.filePath("text.png"));
    QByteArray expected;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            expected += qGray(image.pixel(x, y)) < 128 ? '#' : '.';
        expected += '\n';
    }
    const QStringList size = {QString::number(image.width()), QString::number(image.height()),
                              QString::number(baseline)};
    QCOMPARE(In(_dir.filePath("render"), size, text.toLatin1()).out, expected);
}

void TestGfxWriter::compilesForEveryTarget_data()
{
    QTest::addColumn<QString>("compiler");
    QTest::addColumn<QStringList>("flags");
    QTest::addColumn<QString>("section"); // where the bitmaps go
    const QString host = QStringLiteral(PIXMINT_CXX_COMPILER);
    QTest::newRow("host, C++98") << host << QStringList{"-std=c++98"} << "rodata";
    QTest::newRow("host, C++17") << host << QStringList{"-std=c++17"} << "rodata";
    QTest::newRow("AVR") << "avr-g++" << QStringList{"-mmcu=atmega328p"} << "progmem.data";
    QTest::newRow("ARM") << "arm-none-eabi-g++" << QStringList{"-mcpu=cortex-m0", "-mthumb"}
                         << "rodata";
}

void TestGfxWriter::compilesForEveryTarget()
{
    QFETCH(QString, compiler);
    QFETCH(QStringList, flags);
    QFETCH(QString, section);
    const QString objdump = QStandardPaths::findExecutable(
        compiler.endsWith("-g++") ? compiler.chopped(3) + "objdump" : QStringLiteral("objdump"));
    if (QStandardPaths::findExecutable(compiler).isEmpty() || objdump.isEmpty())
        QSKIP("the cross compilers are not installed (scripts/lib.sh installs them)");
    // Names that try to end their comments, splice lines into them or start others; a font
    // without glyphs, which has no bitmap but still an array.
    const TestFonts::Font hostile =
        TestFonts::Make({{"a*\\\n/ int evil1 = 1; /*  A", {0x80, 0x40, 0x20, 0x10, 0x08}},
                         {"b*?\?/\n/ int evil2 = 2; /*  B", {1, 2, 4, 8, 16}}});
    for (const TestFonts::Font& font : {hostile, TestFonts::Font(TestFonts::Make({}))}) {
        QVERIFY(TestFiles::Write(_dir.filePath("font.xml"), FontFileWriter::Bytes(*font)));
        QCOMPARE(In(PIXMINT_EXPORT,
                    {"font.xml", "--gfx", "font.h", "--gfx-standalone", "--name", "font"})
                     .exitCode,
                 0);
        QVERIFY(TestFiles::Write(_dir.filePath("use.cpp"),
                                 "#include \"font.h\"\nconst GFXfont* used = &font;\n"));
        const TestProcess::Run compiled =
            In(compiler, Strict + flags + QStringList{"-O2", "-c", "use.cpp"});
        QVERIFY2(compiled.exitCode == 0, compiled.err.constData());
        const QString symbols = In(objdump, {"-t", "use.o"}).out;
        QVERIFY2(!symbols.contains("evil"), qPrintable(symbols));
        QVERIFY2(symbols.contains(QRegularExpression("\\s\\." + section + "\\s.*font_Bitmaps")),
                 qPrintable(symbols));
    }
}

QTEST_GUILESS_MAIN(TestGfxWriter)
#include "tst_gfxwriter.moc"
