#include "MessageList.h"
#include "TestFiles.h"
#include "TestFonts.h"
#include "U8g2Source.h"
#include "U8g2Writer.h"
#include "U8x8Writer.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

using Screen = QByteArrayList; // rows of '.' and '#'

// The fonts as the libraries read them, after u8g2_font.c and u8x8_8x8.c; what they draw,
// with each error of the data named.
struct Reader
{
    explicit Reader(const QByteArray& bytes) : font(bytes) {}

    QByteArray font;
    QStringList errors;
    qsizetype bit = 0; // where the next field of a glyph starts, in bits

    int Byte(qsizetype at) const { return at < font.size() ? quint8(font[at]) : -1; }
    int Word(qsizetype at) const { return Byte(at) << 8 | Byte(at + 1); }
    // A glyph's field: bytes filled from their least significant bit, signed ones stored
    // plus 2^(n-1).
    int Field(int width, bool isSigned = false)
    {
        int value = 0;
        for (int at = 0; at < width; ++at, ++bit)
            value |= (Byte(bit / 8) >> (bit % 8) & 1) << at;
        return isSigned ? value - (1 << (width - 1)) : value;
    }
    void Set(Screen& screen, int x, int y)
    {
        if (y < 0 || y >= screen.size() || x < 0 || x >= screen[y].size())
            errors << QString("drawn outside at %1, %2").arg(x).arg(y);
        else
            screen[y][x] = '#';
    }
    // u8g2_font_get_glyph_data: from the first glyph, or from "A" or "a" on, to a size of 0;
    // above 255 the lookup table's entries up to the code, then the list; 0 for none.
    qsizetype Find(int code) const
    {
        qsizetype at = U8g2Writer::HeaderSize;
        if (code > 255) {
            qsizetype table = at += Word(21);
            do
                at += Word(table);
            while (Word(table + 2) < code && (table += 4) < font.size());
            for (; Word(at) > 0 && Byte(at + 2) > 0; at += Byte(at + 2)) {
                if (Word(at) == code)
                    return at + 3;
            }
            return 0;
        }
        at += code >= 'a' ? Word(19) : code >= 'A' ? Word(17) : 0;
        for (; Byte(at + 1) > 0; at += Byte(at + 1)) {
            if (Byte(at) == code)
                return at + 2;
        }
        return 0;
    }
    // u8g2_DrawGlyph at the baseline y: the box from the glyph's fields, then pairs of runs,
    // each repeated while a bit 1 follows, wrapped at the box's width, until a pair ends on
    // or past its last row. A run past the box's end would draw there in solid mode.
    int DrawGlyph(Screen& screen, int x, int y, int code)
    {
        const qsizetype start = Find(code);
        if (start == 0)
            return 0;
        bit = start * 8;
        const int width = Field(Byte(4)), height = Field(Byte(5)), left = Field(Byte(6), true),
                  bottom = Field(Byte(7), true), advance = Field(Byte(8), true);
        int pixel = 0;
        while (width > 0 && bit < font.size() * 8) {
            const int zeros = Field(Byte(2)), ones = Field(Byte(3));
            do {
                for (int one = pixel + zeros; one < pixel + zeros + ones; ++one)
                    Set(screen, x + left + one % width, y - height - bottom + one / width);
                pixel += zeros + ones;
            } while (Field(1) == 1 && bit < font.size() * 8);
            if (pixel / width >= height)
                break;
        }
        if (pixel != width * height)
            errors << QString("code %1 runs %2 pixels past its box").arg(code).arg(pixel);
        if ((bit + 7) / 8 > start + Byte(start - 1) - 2)
            errors << QString("code %1 reads past its size").arg(code);
        return advance;
    }
    // u8g2_DrawStr and u8x8_DrawString: up to a zero byte or a line feed.
    void DrawStr(Screen& screen, int y, const QByteArray& text)
    {
        for (int at = 0, x = 0; at < text.size() && text[at] != '\n'; ++at)
            x += DrawGlyph(screen, x, y, quint8(text[at]));
    }
    void DrawString(Screen& screen, const QByteArray& text)
    {
        for (int at = 0; at < text.size() && text[at] != '\n'; ++at) {
            const int code = quint8(text[at]), first = Byte(0);
            for (int column = 0; column < 8 && code >= first && code <= Byte(1); ++column) {
                for (int row = 0; row < 8; ++row) {
                    if (Byte(4 + (code - first) * 8 + column) >> row & 1)
                        Set(screen, at * 8 + column, row);
                }
            }
        }
    }
    // u8g2_GetFontSize: the glyphs up to a size of 0, the lookup table, the list up to 0.
    qsizetype Size() const
    {
        qsizetype at = U8g2Writer::HeaderSize;
        while (Byte(at + 1) > 0)
            at += Byte(at + 1);
        for (at += 2 + Word(at + 2); Word(at) > 0 && Byte(at + 2) > 0; at += Byte(at + 2)) {
        }
        return at + 2;
    }
};

// What the display shows: each code's glyph by the character map from the top row, advance
// `advance`; a code outside the range is nothing to u8g2, a blank tile to u8x8.
Screen Blank(qsizetype characters)
{
    return Screen(16, QByteArray(characters * 8 + 8, '.'));
}

Screen Expected(const FontCharSet& set, const QByteArray& text, const CodeRange& range, int advance)
{
    Screen screen = Blank(text.size());
    const std::map<int, FontChar> glyphs = TestFonts::ByCode(set);
    for (int at = 0, x = 0; at < text.size(); ++at) {
        const int code = quint8(text[at]);
        const bool drawn = range.Contains(code) && glyphs.count(code);
        for (quint32 pixel = 0; drawn && pixel < FontChar::ColumnCount * FontChar::RowCount;
             ++pixel) {
            if (glyphs.at(code).GetPixel(pixel % 5, pixel / 5))
                screen[pixel / 5][x + pixel % 5] = '#';
        }
        x += range.Contains(code) || advance == 8 ? advance : 0;
    }
    return screen;
}

const QStringList Strict = {"-Wall", "-Wextra", "-pedantic", "-Werror"};

} // namespace

class TestU8g2 : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void drawsTheFontsPixels_data();
    void drawsTheFontsPixels();
    void noLargerThanTheLibrarysConverter();
    void warnsOfCodesWithoutGlyph();
    void namesThatBreakC_data();
    void namesThatBreakC();
    void compilesForEveryTarget_data();
    void compilesForEveryTarget();

private:
    int Run(const QString& program, const QStringList& arguments, QByteArray* out = nullptr)
    {
        QProcess process;
        process.setWorkingDirectory(_dir.path());
        process.start(program, arguments);
        const bool ended = process.waitForFinished(120000) && process.exitStatus() == 0;
        if (out)
            *out = process.readAllStandardOutput() + process.readAllStandardError();
        return ended ? process.exitCode() : -1;
    }

    QTemporaryDir _dir;
    TestFonts::Font _x11; // X11's 5x8 at 32-126, null when it is not installed
};

void TestU8g2::initTestCase()
{
    const QString path = QStringLiteral("/usr/share/fonts/X11/misc/5x8.pcf.gz");
    if (!QFile::exists(path))
        return;
    QCOMPARE(Run(PIXMINT_IMPORT, {path, "--codes", "32-126", "-o", "x11.xml"}), 0);
    _x11 = TestFonts::Load(_dir.filePath("x11.xml"));
    QVERIFY(_x11);
}

void TestU8g2::drawsTheFontsPixels_data()
{
    QTest::addColumn<TestFonts::Font>("font");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<int>("baseline");
    QTest::addColumn<QByteArray>("text");
    const TestFonts::Font full(TestFonts::Full());
    QTest::newRow("one character") << full << 32 << 126 << 6 << QByteArray("A");
    QTest::newRow("baseline 0; 0x7f and 0xe9 outside")
        << full << 32 << 126 << 0 << QByteArray("a\x7f\xe9gy, (x)~");
    QTest::newRow("Latin-1 and 0x07, baseline 7")
        << full << 0 << 255 << 7 << QByteArray("\xe9\a\xb2@A\x01");
    QTest::newRow("blank glyphs") << TestFonts::Default() << 32 << 126 << 6 << QByteArray("A a");
    QTest::newRow("no glyph at all")
        << TestFonts::Font(TestFonts::Make({})) << 32 << 126 << 6 << QByteArray("ab");
    // Runs longer than a count says, repeated patterns, a box without an unlit pixel.
    QTest::newRow("long runs, patterns, solid boxes")
        << TestFonts::Font(TestFonts::Make({{"corners  A", {0x81, 0, 0, 0, 0x81}},
                                            {"dots  B", {0x55, 0xAA, 0x55, 0xAA, 0x55}},
                                            {"block  C", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
                                            {"bar  D", {0, 0, 0x7E, 0, 0}},
                                            {"0x00", {1, 0, 0, 0, 0}},
                                            {"0xff", {0, 0, 0, 0, 0x80}}}))
        << 0 << 255 << 3 << QByteArray("ABCDEA\xff");
    QTest::newRow("solid boxes only")
        << TestFonts::Font(
               TestFonts::Make({{"C", {0x3C, 0x3C, 0, 0, 0}}, {"D", {0x10, 0, 0, 0, 0}}}))
        << int('C') << int('D') << 5 << QByteArray("CDDC");
    if (_x11) {
        QTest::newRow("X11 5x8") << _x11 << 32 << 126 << 6
                                 << QByteArray("Hello, World! (x=1) gjpqy");
    }
}

// Each string as u8g2_DrawStr and u8x8_DrawString draw it, then every code alone as
// u8g2_DrawGlyph draws it, the codes below 32 and above 255 included.
void TestU8g2::drawsTheFontsPixels()
{
    QFETCH(TestFonts::Font, font);
    QFETCH(int, first);
    QFETCH(int, last);
    const CodeRange range(first, last);
    QFETCH(int, baseline);
    QFETCH(QByteArray, text);
    Reader u8g2(U8g2Writer("font", range, baseline).Font(*font));
    QCOMPARE(u8g2.Size(), u8g2.font.size());
    // The font's box, the cell, and how far "A" and "(" reach up and "g" and ")" down from the
    // baseline, the cell's reach where they have no pixel.
    const std::map<int, FontChar> glyphs = TestFonts::ByCode(*font);
    QList<int> box = {5, 8, 0, baseline - 7};
    for (const int code : {'A', 'g', '(', ')'}) {
        int top = 8, bottom = -1;
        for (int pixel = 0; range.Contains(code) && glyphs.count(code) && pixel < 40; ++pixel) {
            if (glyphs.at(code).GetPixel(pixel % 5, pixel / 5))
                top = std::min(top, pixel / 5), bottom = pixel / 5;
        }
        if (bottom < 0)
            top = 0, bottom = 7;
        box << (code == 'A' || code == '(' ? baseline + 1 - top : baseline - bottom);
    }
    for (int field = 9; field <= 16; ++field)
        QCOMPARE(qint8(u8g2.Byte(field)), box.at(field - 9));
    Screen screen = Blank(text.size());
    u8g2.DrawStr(screen, baseline + 1, text);
    QCOMPARE(screen, Expected(*font, text, range, 6));
    for (int code = 0; code <= 0x100; ++code) {
        Screen one = Blank(1);
        QCOMPARE(u8g2.DrawGlyph(one, 0, baseline + 1, code), range.Contains(code) ? 6 : 0);
        QCOMPARE(one, code > 255 ? Blank(1) : Expected(*font, QByteArray(1, char(code)), range, 6));
    }
    QCOMPARE(u8g2.errors, QStringList());
    Reader u8x8(U8x8Writer("font", range).Font(*font));
    screen = Blank(text.size());
    u8x8.DrawString(screen, text);
    QCOMPARE(screen, Expected(*font, text, range, 8));
    QCOMPARE(u8x8.Byte(2) * u8x8.Byte(3), 1);
    QCOMPARE(int(u8x8.font.size()), 4 + std::max(0, u8x8.Byte(1) - u8x8.Byte(0) + 1) * 8);
}

void TestU8g2::noLargerThanTheLibrarysConverter()
{
    if (!_x11)
        QSKIP("X11's 5x8 font is not installed (xfonts-base)");
    const qsizetype size = U8g2Writer("font", U8g2Writer::DefaultRange(), 6).Font(*_x11).size();
    qInfo("u8g2: %lld bytes for X11's 5x8 at 32-126; bdfconv -f 1: 844", qint64(size));
    QVERIFY2(size <= 844, qPrintable(QString::number(size)));
}

void TestU8g2::warnsOfCodesWithoutGlyph()
{
    const std::unique_ptr<FontCharSet> font = TestFonts::Make({{"A", {1, 0, 0, 0, 0}}});
    MessageList warnings;
    U8g2Writer("f", CodeRange(64, 66), 6).Warnings(*font, warnings);
    U8x8Writer("g", CodeRange(64, 65)).Warnings(*font, warnings);
    U8x8Writer("h", CodeRange(65, 65)).Warnings(*font, warnings);
    QCOMPARE(warnings.Listed(),
             QStringList({"the font has no glyph for 0x40, 0x42: the u8g2 font f "
                          "draws nothing there and moves on",
                          "the font has no glyph for 0x40: the u8x8 font g draws "
                          "a blank tile there"}));
}

void TestU8g2::namesThatBreakC_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("reason"); // empty for a usable name
    QTest::newRow("usable") << "u8g2_font_pixmint_tr" << QString();
    QTest::newRow("a keyword") << "int"
                               << "is a keyword of C or C++";
    QTest::newRow("the array's type") << "uint8_t"
                                      << "is a name that the font's C source uses";
    QTest::newRow("u8x8's section") << "U8X8_FONT_SECTION"
                                    << "is a name that the font's C source uses";
    const char* declared = "is declared by the standard headers that the font's C source and "
                           "u8g2.h include";
    QTest::newRow("<stdint.h>") << "UINT8_MAX" << declared;
    QTest::newRow("C++") << "std" << declared;
    QTest::newRow("<stddef.h>, which u8g2.h includes") << "size_t" << declared;
    QTest::newRow("<limits.h>, which u8g2.h includes") << "CHAR_BIT" << declared;
    QTest::newRow("not an identifier") << "a\"b"
                                       << "is not a C identifier";
}

void TestU8g2::namesThatBreakC()
{
    QFETCH(QString, name);
    QFETCH(QString, reason);
    const Status valid = U8g2Writer::IsValidName(name);
    QCOMPARE(valid.Ok(), reason.isEmpty());
    QVERIFY2(valid.Reason().startsWith(reason), qPrintable(valid.Reason()));
    QCOMPARE(U8x8Writer::IsValidName(name).Ok(), reason.isEmpty());
}

void TestU8g2::compilesForEveryTarget_data()
{
    QTest::addColumn<QString>("compiler");
    QTest::addColumn<QStringList>("flags");
    QTest::addColumn<QString>("section"); // where the font goes
    QTest::newRow("host C") << "gcc" << QStringList{"-x", "c"} << ".rodata";
    QTest::newRow("host C++") << "g++" << QStringList{"-x", "c++"} << ".rodata";
    QTest::newRow("AVR") << "avr-gcc" << QStringList{"-x", "c", "-mmcu=atmega328p"}
                         << ".progmem.font";
    QTest::newRow("ARM") << "arm-none-eabi-gcc"
                         << QStringList{"-x", "c", "-mcpu=cortex-m3", "-mthumb"} << ".rodata";
}

// Each font alone, and beside a stand-in for the library's header that defines the section
// macros as u8x8.h does: in program memory on AVR either way, the font's bytes exactly (read
// back on the host). Every byte value, a glyph name that would end a comment or a literal, and
// bytes longer than a literal may be.
void TestU8g2::compilesForEveryTarget()
{
    QFETCH(QString, compiler);
    QFETCH(QStringList, flags);
    QFETCH(QString, section);
    const QString objdump = compiler.chopped(3) + "objdump";
    if (QStandardPaths::findExecutable(compiler).isEmpty())
        QSKIP("the cross compilers are not installed (scripts/lib.sh installs them)");
    const std::unique_ptr<FontCharSet> font = TestFonts::Full();
    TestFonts::Store(*font, "\"?\?/\n*/  0x3f", {0x3F, 0x3F, 0x3F, 0x22, 0x5C});
    QVERIFY(TestFiles::Write(_dir.filePath("u8g2.h"),
                             "#ifdef __AVR__\n#define U8X8_FONT_SECTION(name) __attribute__(("
                             "section(\".progmem.\" name)))\n#else\n#define "
                             "U8X8_FONT_SECTION(name)\n#endif\n#define U8G2_FONT_SECTION(name) "
                             "U8X8_FONT_SECTION(name)\n"));
    QVERIFY(TestFiles::Write(_dir.filePath("beside.c"),
                             "#include \"u8g2.h\"\n#include \"font.c\"\n"
                             "#include <stdio.h>\nint main(void) { "
                             "fwrite(font, 1, sizeof font, stdout); }\n"));
    const CodeRange range(0, 255);
    const U8g2Writer u8g2("font", range, 6);
    const U8x8Writer u8x8("font", range);
    // The longest literal, and one byte more: a list.
    QByteArray longest(4096, '\x7f'), longer = longest;
    longest[4095] = '\0';
    const std::pair<QByteArray, QString> outputs[] = {
        {u8g2.Font(*font), u8g2.Bytes(*font)},
        {u8x8.Font(*font), u8x8.Bytes(*font)},
        {longest, U8g2Source::Text("", "font", QLatin1String("U8G2_FONT_SECTION"), longest)},
        {longer, U8g2Source::Text("", "font", QLatin1String("U8G2_FONT_SECTION"), longer)}};
    for (const auto& [bytes, text] : outputs) {
        QVERIFY(TestFiles::Write(_dir.filePath("font.c"), text.toUtf8()));
        for (const char* source : {"font.c", "beside.c"}) {
            QByteArray out;
            QVERIFY2(Run(compiler, Strict + flags + QStringList{"-c", source, "-o", "font.o"},
                         &out) == 0,
                     out.constData());
            QCOMPARE(Run(objdump, {"-t", "font.o"}, &out), 0);
            const QRegularExpression symbol(QRegularExpression::escape(section) + "\\s+0*" +
                                            QString::number(bytes.size(), 16) + " font\n");
            QVERIFY2(symbol.match(out).hasMatch(), out.constData());
        }
        if (objdump == "objdump") {
            QCOMPARE(Run(compiler, flags + QStringList{"beside.c", "-o", "beside"}), 0);
            QByteArray out;
            QCOMPARE(Run(_dir.filePath("beside"), {}, &out), 0);
            QCOMPARE(out, bytes);
        }
    }
}

QTEST_GUILESS_MAIN(TestU8g2)
#include "tst_u8g2.moc"
