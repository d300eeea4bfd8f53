#include "CSourceWriter.h"
#include "FontFileWriter.h"
#include "IntelHexWriter.h"
#include "LvglWriter.h"
#include "MessageList.h"
#include "TestFiles.h"
#include "TestFonts.h"
#include "TestRun.h"

#include <QImage>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Draws standard input as LVGL's documentation describes the built-in form: a code's glyph id
// from the first character map whose range holds it, glyph_id_start plus its place or its
// offset (0 for "no glyph"); its box_w x box_h bits from bitmap_index on, row by row, most
// significant bit first; the box's bottom ofs_y above the baseline, which lies base_line above
// the line's bottom; the pen moving on adv_w / 16, lines one pixel apart as --text has them.
// For LVGL 8 it checks that what it finds one code past the last map (it counts range_length in)
// lies within the glyphs and draws nothing.
constexpr char Renderer[] = R"(#include "font.c"
#include <stdio.h>
#include <stdlib.h>
#if LVGL_VERSION_MAJOR == 8
const uint8_t* lv_font_get_bitmap_fmt_txt(const lv_font_t* f, uint32_t c) { (void)f, (void)c; return NULL; }
#elif LVGL_VERSION_MINOR < 2
const void* lv_font_get_bitmap_fmt_txt(lv_font_glyph_dsc_t* g, uint32_t c, lv_draw_buf_t* b) { (void)g, (void)c, (void)b; return NULL; }
#else
const void* lv_font_get_bitmap_fmt_txt(lv_font_glyph_dsc_t* g, lv_draw_buf_t* b) { (void)g, (void)b; return NULL; }
#endif
bool lv_font_get_glyph_dsc_fmt_txt(const lv_font_t* f, lv_font_glyph_dsc_t* g, uint32_t c, uint32_t n) { (void)f, (void)g, (void)c, (void)n; return false; }
static unsigned char screen[64][2048];
static uint32_t id(const lv_font_fmt_txt_dsc_t* d, uint32_t c, uint32_t past)
{
    for (uint32_t i = 0; i < d->cmap_num; ++i) {
        const lv_font_fmt_txt_cmap_t* m = &d->cmaps[i];
        uint32_t r = c - m->range_start;
        if (r >= m->range_length + past) continue;
        if (m->type == LV_FONT_FMT_TXT_CMAP_FORMAT0_TINY) return m->glyph_id_start + r;
        if (m->type != LV_FONT_FMT_TXT_CMAP_FORMAT0_FULL) exit(3);
        return m->glyph_id_start + ((const uint8_t*)m->glyph_id_ofs_list)[r];
    }
    return 0;
}
int main(int argc, char** argv)
{
    const lv_font_fmt_txt_dsc_t* d = font.dsc;
    int w = atoi(argv[1]), h = atoi(argv[2]), x = 0, y = 0, c;
    const uint32_t count = sizeof font_glyphs / sizeof font_glyphs[0];
    if (LVGL_VERSION_MAJOR == 8 && d->cmap_num > 0) {
        const lv_font_fmt_txt_cmap_t* last = &d->cmaps[d->cmap_num - 1];
        uint32_t past = id(d, last->range_start + last->range_length, 1);
        if (past >= count || font_glyphs[past].adv_w || font_glyphs[past].box_w) return 6;
    }
    while (argc == 3 && (c = getchar()) != EOF) {
        if (c == '\n') { x = 0, y += font.line_height + 1; continue; }
        uint32_t g = id(d, (uint32_t)c, 0);
        if (g == 0 || g >= count) return 4;
        const lv_font_fmt_txt_glyph_dsc_t* s = &font_glyphs[g];
        int top = y + font.line_height - font.base_line - s->box_h - s->ofs_y;
        for (int i = 0; i < s->box_w * s->box_h; ++i) {
            int row = top + i / s->box_w, column = x + s->ofs_x + i % s->box_w;
            if (row < y || row >= y + font.line_height || column < 0 || column >= w) return 5;
            screen[row][column] |= d->glyph_bitmap[s->bitmap_index + i / 8] >> (7 - i % 8) & 1;
        }
        x += (s->adv_w + 8) >> 4;
    }
    printf("P1\n%d %d\n", w, h);
    for (int row = 0; row < h; ++row, puts(""))
        for (int column = 0; column < w; ++column) printf("%d ", screen[row][column]);
    return 0;
}
)";

const QStringList Strict = {"-Wall", "-Wextra", "-pedantic", "-Werror"};

} // namespace

class TestLvgl : public QObject
{
    Q_OBJECT

private slots:
    void drawsWhatTextDraws_data();
    void drawsWhatTextDraws();
    void compilesForEveryTarget_data();
    void compilesForEveryTarget();
    void names_data();
    void names();
    void flashImageIsTheTable_data();
    void flashImageIsTheTable();
    void intelHexReadsBack_data();
    void intelHexReadsBack();

private:
    // Runs a program to its end in the test's folder.
    Run In(const QString& program, const QStringList& arguments, const QByteArray& input = {})
    {
        return StartIn(_dir.path(), program, arguments, input);
    }
    bool Write(const QString& name, const QByteArray& bytes)
    {
        return TestFiles::Write(_dir.filePath(name), bytes);
    }
    QStringList Include() const
    {
        return {"-I", QStringLiteral(PIXMINT_TEST_DATA "/../consumer/lvgl")};
    }

    QTemporaryDir _dir;
};

void TestLvgl::drawsWhatTextDraws_data()
{
    QTest::addColumn<TestFonts::Font>("font");
    QTest::addColumn<QString>("range");
    QTest::addColumn<int>("baseline");
    QTest::addColumn<QString>("shown"); // empty: nothing to draw
    QTest::addColumn<QString>("version");
    QTest::addColumn<QStringList>("warnings");
    QTest::addColumn<QString>("kinds"); // of the character maps, in order
    const TestFonts::Font full(TestFonts::Full());
    QString every; // each code LVGL looks up, on two lines
    for (int code = 1; code < 256; ++code)
        every += code == 9 || code == 10 ? QString() : QString(QChar(code));
    every.insert(127, u'\n');
    const QString tab = "the LVGL font font leaves out 0x09: LVGL draws a tab as the space, "
                        "twice as wide";
    QTest::newRow("printable ASCII, baseline 6")
        << full << "32-126" << 6 << "Hello, World! (x=1)"
        << "9.5"
        << QStringList{"the font has no glyph for 0x21, 0x23 to 0x26, 0x3f, 0x5e to 0x60, 0x7b "
                       "to 0x7e: the LVGL font font draws nothing there and moves on"}
        << "FULL";
    QTest::newRow("capitals, a glyph each, LVGL 8") << full << "65-90" << 6 << "AZ\nQ"
                                                    << "8.3" << QStringList() << "TINY";
    QTest::newRow("both kinds, LVGL 8")
        << full << "7-90" << 6 << "\aA\a"
        << "8.3"
        << QStringList{tab, "the font has no glyph for 0x08, 0x0a to 0x1f, 0x21, 0x23 to 0x26, "
                            "0x3f: the LVGL font font draws nothing there and moves on"}
        << "TINY FULL";
    QTest::newRow("every code, baseline 0, LVGL 8")
        << full << "0-255" << 0 << every << "8.3"
        << QStringList{"the LVGL font font leaves out 0x00: LVGL takes it for the end of a text",
                       tab,
                       "the font has no glyph for 0x01 to 0x06, 0x08, 0x0a to 0x1f, 0x21, 0x23 "
                       "to 0x26, 0x3f, 0x5e to 0x60, 0x7b to 0xa8, 0xaa to 0xad, 0xaf to 0xb0, "
                       "0xb3 to 0xe8, 0xea to 0xff: the LVGL font font draws nothing there and "
                       "moves on"}
        << "FULL FULL";
    QTest::newRow("Latin-1, baseline 7, LVGL 9.0")
        << full << "0xc0-0xff" << 7 << "\u00e9\u00e0\u00ff"
        << "9.0"
        << QStringList{"the font has no glyph for 0xc0 to 0xe8, 0xea to 0xff: the LVGL font "
                       "font draws nothing there and moves on"}
        << "FULL";
    QTest::newRow("no ink") << TestFonts::Default() << "48-57" << 6 << "01\n9"
                            << "9.2" << QStringList() << "FULL";
    const TestFonts::Font few(TestFonts::Make({{"g  A", {0x7E, 0x09, 0x09, 0x09, 0x7E}},
                                               {"u  B", {0x7E, 0x09, 0x09, 0x09, 0x7E}},
                                               {"dot  0x01", {0, 0, 0x80, 0, 0}},
                                               {"x  0x0b", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF}}}));
    const QString missingFew = "the font has no glyph for %1: the LVGL font font draws nothing "
                               "there and moves on";
    QTest::newRow("offsets, glyphs alike")
        << few << "1-8" << 6 << "\x01\x02\x01"
        << "8.3" << QStringList{missingFew.arg("0x02 to 0x08")} << "FULL";
    QTest::newRow("offsets after the tab")
        << few << "9-127" << 5 << "AB\x0b@A"
        << "9.5" << QStringList{tab, missingFew.arg("0x0a, 0x0c to 0x40, 0x43 to 0x7f")} << "FULL";
    QTest::newRow("no code looked up") << few << "9-9" << 6 << ""
                                       << "8.3" << QStringList{tab} << "";
}

void TestLvgl::drawsWhatTextDraws()
{
    QFETCH(TestFonts::Font, font);
    QFETCH(QString, range);
    QFETCH(int, baseline);
    QFETCH(QString, shown);
    QFETCH(QString, version);
    QFETCH(QStringList, warnings);
    QFETCH(QString, kinds);
    CodeRange codes(0, 0);
    QVERIFY(CodeRange::Parse(range, &codes));
    const LvglWriter writer("font", codes, baseline);
    const QByteArray source = writer.Bytes(*font);
    static const QRegularExpression kind("CMAP_FORMAT0_(\\w+)");
    QStringList found;
    for (const QRegularExpressionMatch& match : kind.globalMatch(source))
        found << match.captured(1);
    QCOMPARE(found.join(' '), kinds);
    QVERIFY(Write("font.c", source));
    QVERIFY(Write("render.c", Renderer));
    const QStringList defines = {"-DLVGL_VERSION_MAJOR=" + version.section('.', 0, 0),
                                 "-DLVGL_VERSION_MINOR=" + version.section('.', 1)};
    const Run compiled =
        In("gcc", Strict + Include() + defines + QStringList{"render.c", "-o", "render"});
    QVERIFY2(compiled.exitCode == 0, compiled.err.constData());
    if (shown.isEmpty()) {
        QCOMPARE(In(_dir.filePath("render"), {"0", "0", "no text"}).exitCode, 0);
    } else {
        QVERIFY(Write("font.xml", FontFileWriter::Bytes(*font)));
        const Run text =
            In(PIXMINT_EXPORT, {"font.xml", "--png", "text.png", "--scale", "1", "--text", shown});
        QVERIFY2(text.exitCode == 0, text.err.constData());
        const QImage expected(_dir.filePath("text.png"));
        const Run drawn =
            In(_dir.filePath("render"),
               {QString::number(expected.width()), QString::number(expected.height())},
               shown.toLatin1());
        QCOMPARE(drawn.exitCode, 0);
        QCOMPARE(QImage::fromData(drawn.out, "PBM").convertToFormat(expected.format()), expected);
    }
    MessageList listed;
    writer.Warnings(*font, listed);
    QCOMPARE(listed.Listed(), warnings);
}

void TestLvgl::compilesForEveryTarget_data()
{
    QTest::addColumn<QString>("compiler");
    QTest::addColumn<QStringList>("flags");
    for (const char* version : {"8.3", "9.0", "9.2", "9.5"}) {
        const QStringList defines = {QStringLiteral("-DLVGL_VERSION_MAJOR=%1").arg(version[0]),
                                     QStringLiteral("-DLVGL_VERSION_MINOR=%1").arg(version[2])};
        QTest::addRow("host, C99, LVGL %s", version) << "gcc" << defines + QStringList{"-std=c99"};
        QTest::addRow("AVR, LVGL %s", version)
            << "avr-gcc" << defines + QStringList{"-mmcu=atmega328p"};
        QTest::addRow("ARM, LVGL %s", version)
            << "arm-none-eabi-gcc" << defines + QStringList{"-mcpu=cortex-m0", "-mthumb"};
    }
}

void TestLvgl::compilesForEveryTarget()
{
    QFETCH(QString, compiler);
    QFETCH(QStringList, flags);
    if (QStandardPaths::findExecutable(compiler).isEmpty())
        QSKIP("the cross compilers are not installed (scripts/lib.sh installs them)");
    // Names that try to end or splice their comments, and every kind of map.
    const TestFonts::Font hostile =
        TestFonts::Make({{"a*\\\n/ int evil1 = 1; /*  A", {0x80, 0x40, 0x20, 0x10, 0x08}},
                         {"b*?\?/\n/ int evil2 = 2; /*  B", {1, 2, 4, 8, 16}}});
    for (const CodeRange& range : {CodeRange(0, 255), CodeRange(65, 66)}) {
        QVERIFY(Write("font.c", LvglWriter("font", range, 6).Bytes(*hostile)));
        const Run compiled =
            In(compiler, Strict + Include() + flags + QStringList{"-O2", "-c", "font.c"});
        QVERIFY2(compiled.exitCode == 0, compiled.err.constData());
        const Run symbols = In(compiler.chopped(3) + "nm", {"font.o"});
        QVERIFY2(!symbols.out.contains("evil") && symbols.out.contains(" font\n"),
                 symbols.out.constData());
    }
}

void TestLvgl::names_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("reason"); // empty: usable
    QTest::newRow("plain") << "font5x8"
                           << "";
    QTest::newRow("a table's own name") << "font_cmaps"
                                        << "";
    QTest::newRow("LVGL's") << "lv_font_montserrat_14"
                            << "begins as the names that LVGL declares (lv_, LV_, lvgl, LVGL)";
    QTest::newRow("LVGL's macro") << "LVGL_VERSION_MAJOR"
                                  << "begins as the names that LVGL declares (lv_, LV_, lvgl, "
                                     "LVGL)";
    QTest::newRow("a keyword") << "int"
                               << "is a keyword of C or C++";
    QTest::newRow("<stdarg.h>, which lvgl.h includes")
        << "va_list"
        << "is declared by the standard headers that lvgl.h includes";
}

void TestLvgl::names()
{
    QFETCH(QString, name);
    QFETCH(QString, reason);
    const Status valid = LvglWriter::IsValidName(name);
    QCOMPARE(valid.Ok(), reason.isEmpty());
    QCOMPARE(valid.Reason(), reason);
}

void TestLvgl::flashImageIsTheTable_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<int>("first"); // -1: every glyph in name order
    QTest::newRow("columns, a range") << "columns" << 32;
    QTest::newRow("rows-msb, a range") << "rows-msb" << 0;
    QTest::newRow("rows, every glyph") << "rows" << -1;
}

void TestLvgl::flashImageIsTheTable()
{
    QFETCH(QString, layout);
    QFETCH(int, first);
    const std::unique_ptr<FontCharSet> font = TestFonts::Full();
    CArray::Layout bytes = CArray::Layout::Columns;
    QVERIFY(CArray::LayoutFromName(layout, &bytes));
    const CArray array(bytes, "font", CArray::Storage::Const);
    std::optional<CodeRange> range;
    if (first >= 0)
        range = CodeRange(first, 255);
    // The C table, compiled and written out byte for byte, is the image.
    QVERIFY(Write("font.c", CSourceWriter(array, false, range).SourceBytes(*font)));
    QVERIFY(Write("dump.c", "#include <stdio.h>\n#include \"font.c\"\nint main(void) {\n"
                            "return fwrite(font, 1, sizeof font, stdout) != sizeof font; }\n"));
    const Run compiled = In("gcc", Strict + QStringList{"dump.c", "-o", "dump"});
    QVERIFY2(compiled.exitCode == 0, compiled.err.constData());
    const Run dumped = In(_dir.filePath("dump"), {});
    QCOMPARE(dumped.exitCode, 0);
    QCOMPARE(FlashImageWriter(array, range).Bytes(*font), dumped.out);
}

void TestLvgl::intelHexReadsBack_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<int>("first"); // of the range to 255
    QTest::addColumn<int>("upper"); // extended linear address records
    QTest::newRow("0") << "0" << 0 << 0;
    QTest::newRow("across 64 KiB") << "0xfff8" << 0 << 0;
    QTest::newRow("one byte below 64 KiB") << "65535" << 0 << 0;
    QTest::newRow("flash of a Cortex-M") << "0x08000000" << 32 << 1;
    QTest::newRow("up to 4 GiB") << "0xFFFFFF60" << 224 << 1;
    QTest::newRow("one past 4 GiB") << "0xFFFFFF61" << 224 << -1;
    QTest::newRow("4 GiB") << "0x100000000" << 255 << -2;
    QTest::newRow("signed") << "+16" << 255 << -2;
}

void TestLvgl::intelHexReadsBack()
{
    QFETCH(QString, address);
    QFETCH(int, first);
    QFETCH(int, upper);
    quint64 at = 0;
    QCOMPARE(IntelHexWriter::ParseAddress(address, &at), upper > -2);
    if (upper == -2)
        return;
    const std::unique_ptr<FontCharSet> font = TestFonts::Full();
    const FlashImageWriter image(CArray(CArray::Layout::Columns, "font", CArray::Storage::Const),
                                 CodeRange(first, 255));
    const IntelHexWriter writer(image, at);
    const Status accepted = writer.Accepts(*font);
    QCOMPARE(accepted.Ok(), upper >= 0);
    if (upper < 0) {
        QCOMPARE(accepted.Reason(),
                 "160 bytes from the address 0xffffff61 pass the end of the 4 GiB that "
                 "Intel HEX addresses");
        return;
    }
    const QByteArray hex = writer.Bytes(*font);
    QCOMPARE(hex.count(":02000004"),
             qsizetype(upper + (at % 0x10000 + image.Bytes(*font).size() > 0x10000)));
    QVERIFY(hex.endsWith("\n:00000001FF\n"));
    QVERIFY(Write("font.hex", hex));
    const Run copied = In("objcopy", {"-I", "ihex", "-O", "binary", "font.hex", "font.bin"});
    QVERIFY2(copied.exitCode == 0, copied.err.constData());
    QCOMPARE(TestFiles::Read(_dir.filePath("font.bin")), image.Bytes(*font));
    // Where objcopy places the data.
    const Run sections = In("objdump", {"-h", "font.hex"});
    QVERIFY2(sections.out.contains(QString("%1").arg(at, 8, 16, QChar('0')).toLatin1()),
             sections.out.constData());
}

QTEST_GUILESS_MAIN(TestLvgl)
#include "tst_lvgl.moc"
