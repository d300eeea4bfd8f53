#include "CSourceWriter.h"
#include "CSubset.h"
#include "ExportFormats.h"
#include "FileWriter.h"
#include "FontCharSet.h"
#include "FontFileCheck.h"
#include "TestFiles.h"
#include "TestFonts.h"
#include "TestLocales.h"
#include "TestRun.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <vector>

#ifdef Q_OS_UNIX
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

const QString DataFolder = QStringLiteral(PIXMINT_TEST_DATA);

// Runs the converter; standardOutput names a file to take its output instead of the test.
Run Export(const QStringList& arguments, const QString& standardOutput = QString(),
           const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    RunSetup setup;
    setup.outputFile = standardOutput;
    setup.environment = environment;
    return Start(QStringLiteral(PIXMINT_EXPORT), arguments, setup);
}

#ifdef Q_OS_UNIX
// Runs the converter to its end and gives what it used; false when it fails.
bool Spawn(const QStringList& arguments, rusage& usage)
{
    QByteArrayList encoded = {PIXMINT_EXPORT};
    for (const QString& argument : arguments)
        encoded << QFile::encodeName(argument);
    std::vector<char*> argv;
    for (QByteArray& argument : encoded)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    if (posix_spawn(&child, PIXMINT_EXPORT, nullptr, nullptr, argv.data(), environ) != 0)
        return false;
    int status = 0;
    return wait4(child, &status, 0, &usage) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

// The CPU time in seconds that a run of the converter takes, or -1 when it fails.
double CpuSeconds(const QStringList& arguments)
{
    rusage usage = {};
    if (!Spawn(arguments, usage))
        return -1;
    const auto seconds = [](const timeval& time) { return time.tv_sec + time.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}
#endif

} // namespace

class TestExport : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void writesWhatTheEditorExports_data();
    void writesWhatTheEditorExports();
    void writesFirmwareGoldenFiles_data();
    void writesFirmwareGoldenFiles();
    void writesInTheLocaleEncoding_data();
    void writesInTheLocaleEncoding();
    void checkReportsEveryPlantedProblem();
    void checkVerdicts_data();
    void checkVerdicts();
    void drawsSpecimenSheet();
    void drawsTextAsTheDisplayShowsIt_data();
    void drawsTextAsTheDisplayShowsIt();
    void labelsWithoutTheirFont();
    void sheetIsAsWideAsItsGlyphs_data();
    void sheetIsAsWideAsItsGlyphs();
    void longNameDrawsAsFastAsItsExport();
    void failuresWriteNothing_data();
    void failuresWriteNothing();
    void helpAndVersion();
    void everyFormatIsOffered_data();
    void everyFormatIsOffered();
    void keepsLargeFilesWithoutReadingThem();
    void writesIntoOpenStreams_data();
    void writesIntoOpenStreams();
    void standardOutputThatIsTheFontIsRefused_data();
    void standardOutputThatIsTheFontIsRefused();
    void checkStopsAfterManyProblems_data();
    void checkStopsAfterManyProblems();
    void nameNotInTheSystemEncodingIsRefused();
    void textPreviewReachesWhatTheMapReaches();
    void unwritableStandardOutputFails_data();
    void unwritableStandardOutputFails();

private:
    std::unique_ptr<QTemporaryDir> _dir;
};

void TestExport::init()
{
    _dir = std::make_unique<QTemporaryDir>();
    QVERIFY(_dir->isValid());
}

void TestExport::writesWhatTheEditorExports_data()
{
    QTest::addColumn<QString>("font");
    QTest::newRow("default font") << DataFolder + QStringLiteral("/default.xml");
    QTest::newRow("Latin-1 names") << DataFolder + QStringLiteral("/two-glyphs.xml");
    QTest::newRow("UTF-16 file") << DataFolder + QStringLiteral("/hostile/utf16.xml");
    QTest::newRow("comment end in a name") << QStringLiteral("comment-end.xml");
}

void TestExport::writesWhatTheEditorExports()
{
    QFETCH(QString, font);
    if (!font.contains(QLatin1Char('/'))) {
        font = _dir->filePath(font);
        QVERIFY(TestFiles::Write(font, "<CharSet><FontChar Char=\"*/ int x; /*\">"
                                       "<Byte Index=\"0\">81</Byte></FontChar>"
                                       "<FontChar Char=\"C27  A\"/></CharSet>"));
    }
    // What "Export font as C/C++ code" writes for the font the editor opens.
    const std::unique_ptr<FontCharSet> opened = TestFonts::Load(font);
    QVERIFY(opened);
    const QString editorPath = _dir->filePath(QStringLiteral("editor.cpp"));
    QVERIFY(FileWriter::WriteFile(editorPath, CSourceWriter().SourceBytes(*opened),
                                  FileWriter::Mode::Text));
    const QByteArray editor = TestFiles::Read(editorPath);
    QVERIFY(editor.startsWith("/* Auto generated file */\n"));

    const QString outPath = _dir->filePath(QStringLiteral("out.cpp"));
    const Run toFile = Export({font, QStringLiteral("-o"), outPath});
    QCOMPARE(toFile.exitCode, 0);
    QVERIFY(toFile.out.isEmpty());
    QCOMPARE(TestFiles::Read(outPath), editor);

    const Run toStandardOutput = Export({font});
    QCOMPARE(toStandardOutput.exitCode, 0);
    QCOMPARE(toStandardOutput.out, editor);
    QVERIFY(toStandardOutput.err.isEmpty());
}

void TestExport::writesFirmwareGoldenFiles_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("golden");
    QTest::addColumn<QString>("goldenHeader");
    QTest::addColumn<QStringList>("outputs"); // other outputs: an option, its golden file
    QTest::addColumn<QByteArray>("warning");
    QTest::newRow("columns") << QStringList{"--name", "small"} << "firmware-columns.export"
                             << QString() << QStringList() << QByteArray();
    QTest::newRow("columns-msb, const")
        << QStringList{"--layout", "columns-msb", "--name", "small", "--const"}
        << "firmware-columns-msb.export" << QString() << QStringList() << QByteArray();
    QTest::newRow("rows, PROGMEM, header")
        << QStringList{"--layout", "rows", "--name", "small", "--progmem"} << "firmware-rows.export"
        << "firmware-rows.header" << QStringList() << QByteArray();
    QTest::newRow("rows-msb, const")
        << QStringList{"--const", "--name", "small", "--layout", "rows-msb"}
        << "firmware-rows-msb.export" << QString() << QStringList() << QByteArray();
    // Each glyph's picture in every layout, in an array and in a table of codes, whose gaps
    // have none; the header is the one without pictures.
    QTest::newRow("columns, pictures")
        << QStringList{"--name", "small", "--art"} << "firmware-columns-art.export" << QString()
        << QStringList() << QByteArray();
    QTest::newRow("range, columns-msb, pictures")
        << QStringList{"--range", "0x42-0x51", "--layout", "columns-msb",
                       "--name",  "small",     "--art"}
        << "firmware-range-columns-msb-art.export" << QString() << QStringList()
        << QByteArray("pixmint-export: warning: the font has no glyph for 0x43 to 0x50: zero "
                      "bytes in the table small\n");
    QTest::newRow("range, rows-msb, PROGMEM, header, pictures")
        << QStringList{"--art",    "--range", "0x42-81", "--layout",
                       "rows-msb", "--name",  "small",   "--progmem"}
        << "firmware-range-art.export"
        << "firmware-range.header" << QStringList()
        << QByteArray("pixmint-export: warning: the font has no glyph for 0x43 to 0x50: zero "
                      "bytes in the table small\n");
    // The first glyph of B by name order, a name that would end its comment, codes without
    // a glyph named in runs.
    QTest::newRow("range, rows-msb, PROGMEM, header")
        << QStringList{"--range", "0x42-81", "--layout", "rows-msb", "--name", "small", "--progmem"}
        << "firmware-range.export"
        << "firmware-range.header" << QStringList()
        << QByteArray("pixmint-export: warning: the font has no glyph for 0x43 to 0x50: zero "
                      "bytes in the table small\n");
    // Characters in their order, each once: the glyph of a name that would end its comment, a
    // control character and one without a glyph named in one line, escaped.
    QTest::newRow("chars, rows, const, header")
        << QStringList{"--chars", "Qz\001",   "--chars", "Ba Q",   "--name",
                       "small",   "--layout", "rows",    "--const"}
        << "firmware-chars.export"
        << "firmware-chars.header" << QStringList()
        << QByteArray("pixmint-export: warning: the font has no glyph for \"z\\x01\" (0x01, 0x7a), "
                      "which the table small leaves out\n");
    // A display chooses what no option given chooses: HD44780 CGRAM rows (bit 4 the left
    // column, B as 1e 11 11 1e ...) in RAM; the pages of graphic displays, a byte a column with
    // bit 0 at the top, in flash; rows with bit 7 the left column for a MAX7219's registers and
    // the 16-bit words of an ST7920's graphic RAM; printable ASCII unless --range or --const say.
    const QByteArray gap("pixmint-export: warning: the font has no glyph for 0x43 to 0x50: zero "
                         "bytes in the table small\n");
    QTest::newRow("hd44780, range given")
        << QStringList{"--display", "hd44780", "--range", "0x42-81", "--name", "small"}
        << "display-hd44780.export"
        << "display-hd44780.header" << QStringList() << gap;
    for (const char* display : {"ssd1306", "sh1106", "ks0108", "pcd8544"}) {
        QTest::addRow("%s, range given", display)
            << QStringList{"--name", "small", "--display", display, "--range", "0x42-81"}
            << "display-columns.export"
            << "display-columns.header" << QStringList() << gap;
    }
    for (const char* display : {"max7219", "st7920"}) {
        QTest::addRow("%s, range given", display)
            << QStringList{"--display", display, "--range", "0x42-81", "--name", "small"}
            << "firmware-range.export"
            << "firmware-range.header" << QStringList() << gap;
    }
    QTest::newRow("hd44780, layout and progmem given")
        << QStringList{"--layout", "rows-msb", "--display", "hd44780",  "--range",
                       "0x42-81",  "--name",   "small",     "--progmem"}
        << "firmware-range.export"
        << "firmware-range.header" << QStringList() << gap;
    // A display's layout and storage with characters instead of its codes, their pictures, and
    // the look-up of three as a switch.
    QTest::newRow("ssd1306, chars, pictures, header")
        << QStringList{"--display", "ssd1306", "--chars", "aQ`B", "--art", "--name", "small"}
        << "display-chars.export"
        << "display-chars.header" << QStringList()
        << QByteArray("pixmint-export: warning: the font has no glyph for \"`\" (0x60), which "
                      "the table small leaves out\n");
    // The fonts and images in one run with the C table, taking its range, layout and name;
    // the Intel HEX crossing 64 KiB.
    QTest::newRow("range, rows-msb, every font and image")
        << QStringList{"--range",   "0x42-81",   "--layout", "rows-msb",   "--name", "small",
                       "--progmem", "--address", "0xfff8",   "--baseline", "7"}
        << "firmware-range.export"
        << "firmware-range.header"
        << QStringList{"--u8g2", "firmware-range.u8g2.c", "--u8x8", "firmware-range.u8x8.c",
                       "--lvgl", "firmware-range.lvgl.c", "--bin",  "firmware-range.bin",
                       "--hex",  "firmware-range.hex"}
        << QByteArray("pixmint-export: warning: the font has no glyph for 0x43 to 0x50: zero "
                      "bytes in the table small\n"
                      "pixmint-export: warning: the font has no glyph for 0x43 to 0x50: the u8g2 "
                      "font small draws nothing there and moves on\n"
                      "pixmint-export: warning: the font has no glyph for 0x43 to 0x50: the u8x8 "
                      "font small draws a blank tile there\n"
                      "pixmint-export: warning: the font has no glyph for 0x43 to 0x50: the LVGL "
                      "font small draws nothing there and moves on\n"
                      "pixmint-export: warning: the font has no glyph for 0x43 to 0x50: zero "
                      "bytes in the image of small\n");
    // The fonts' own range of printable ASCII, on the top row; the image in name order.
    QTest::newRow("columns, fonts of printable ASCII")
        << QStringList{"--name", "small", "--baseline", "0"} << "firmware-columns.export"
        << QString()
        << QStringList{"--u8g2", "firmware-columns.u8g2.c", "--lvgl", "firmware-columns.lvgl.c",
                       "--bin",  "firmware-columns.bin"}
        << QByteArray("pixmint-export: warning: the font has no glyph for 0x21 to 0x41, 0x43 to "
                      "0x50, 0x52 to 0x60, 0x62 to 0x7e: the u8g2 font small draws nothing there "
                      "and moves on\n"
                      "pixmint-export: warning: the font has no glyph for 0x21 to 0x41, 0x43 to "
                      "0x50, 0x52 to 0x60, 0x62 to 0x7e: the LVGL font small draws nothing there "
                      "and moves on\n");
}

void TestExport::writesFirmwareGoldenFiles()
{
    QFETCH(QStringList, options);
    QFETCH(QString, golden);
    QFETCH(QString, goldenHeader);
    QFETCH(QStringList, outputs);
    QFETCH(QByteArray, warning);
    const QString source = _dir->filePath(QStringLiteral("font.c"));
    const QString header = _dir->filePath(QStringLiteral("font.h"));
    if (!goldenHeader.isEmpty())
        options << QStringLiteral("--header") << header;
    for (qsizetype at = 0; at < outputs.size(); at += 2)
        options << outputs[at] << _dir->filePath(outputs[at + 1]);
    const Run run = Export(QStringList{DataFolder + "/firmware.xml", "-o", source} + options);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, warning);
    QCOMPARE(TestFiles::Read(source), TestFiles::Read(DataFolder + QLatin1Char('/') + golden));
    if (!goldenHeader.isEmpty()) {
        QCOMPARE(TestFiles::Read(header),
                 TestFiles::Read(DataFolder + QLatin1Char('/') + goldenHeader));
    }
    for (qsizetype at = 1; at < outputs.size(); at += 2) {
        QCOMPARE(TestFiles::Read(_dir->filePath(outputs[at])),
                 TestFiles::Read(DataFolder + QLatin1Char('/') + outputs[at]));
    }
    // The Intel HEX, read back by objcopy, is the raw image written beside it.
    if (outputs.contains(QStringLiteral("--hex"))) {
        QProcess objcopy;
        objcopy.setWorkingDirectory(_dir->path());
        objcopy.start(QStringLiteral("objcopy"),
                      {"-I", "ihex", "-O", "binary", "firmware-range.hex", "copied.bin"});
        QVERIFY(objcopy.waitForFinished(60000) && objcopy.exitCode() == 0);
        QCOMPARE(TestFiles::Read(_dir->filePath(QStringLiteral("copied.bin"))),
                 TestFiles::Read(_dir->filePath(QStringLiteral("firmware-range.bin"))));
    }
}

void TestExport::writesInTheLocaleEncoding_data()
{
    QTest::addColumn<QString>("locale"); // built with localedef when it names a language
    QTest::addColumn<QByteArray>("name");
    QTest::newRow("Latin-1: the name's byte as it is")
        << "en_US.ISO-8859-1" << QByteArray("C81  \xB2");
    QTest::newRow("UTF-8") << "C.UTF-8" << QByteArray("C81  \xC2\xB2");
    QTest::newRow("C: ASCII lacks the character, UTF-8") << "C" << QByteArray("C81  \xC2\xB2");
    QTest::newRow("a character set Qt has no converter for: UTF-8")
        << "hy_AM.ARMSCII-8" << QByteArray("C81  \xC2\xB2");
}

void TestExport::writesInTheLocaleEncoding()
{
    QFETCH(QString, locale);
    QFETCH(QByteArray, name);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), locale);
    if (locale.contains(QLatin1Char('_'))) {
        if (TestLocales::Localedef().isEmpty())
            QSKIP("needs localedef");
        QVERIFY(TestLocales::Build(_dir->path(), locale));
        environment.insert(QStringLiteral("LOCPATH"), _dir->path());
    }
    const Run run =
        Export({DataFolder + QStringLiteral("/two-glyphs.xml")}, QString(), environment);
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.err.isEmpty(), run.err.constData());
    QVERIFY2(run.out.contains("/* Char = " + name + " */"), run.out.constData());
}

void TestExport::checkReportsEveryPlantedProblem()
{
    const Run run = Export({QStringLiteral("--check"), DataFolder + "/check/problems.xml"});
    QCOMPARE(run.exitCode, 1);
    const QByteArray prefix = (DataFolder + "/check/problems.xml:").toUtf8();
    QByteArrayList lines = run.out.split('\n');
    QCOMPARE(lines.takeLast(), QByteArray());
    for (QByteArray& line : lines) {
        QVERIFY2(line.startsWith(prefix), line.constData());
        line.remove(0, prefix.size());
    }
    QCOMPARE(lines.join('\n') + '\n', TestFiles::Read(DataFolder + "/check/problems.expected"));
}

void TestExport::checkVerdicts_data()
{
    QTest::addColumn<QString>("font");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("firstLine");
    QTest::newRow("clean default font") << "/default.xml" << 0 << QString();
    QTest::newRow("clean two glyphs") << "/two-glyphs.xml" << 0 << QString();
    QTest::newRow("other root") << "/check/other-root.xml" << 1 << ":2: the root element is <Font>";
    QTest::newRow("not well-formed") << "/check/unterminated.xml" << 1 << ":6: not well-formed XML";
    QTest::newRow("the cause of a malformed file before what it made skipped")
        << "<CharSet><FontChar Char='a'>\n<FontChar Char='b'/>\n</CharSet>" << 1
        << ":3: not well-formed XML (column 10: Opening and ending tag mismatch.): the editor "
           "does not open this file\n";
    QTest::newRow("refused as too deep")
        << "<CharSet>" + QString("<a>").repeated(1000) + "</CharSet>" << 1
        << ":1: the editor refuses this file";
    QTest::newRow("markers in a name and in the path stay as they are")
        << "<CharSet><FontChar Char='x%1  a'/>\n<FontChar Char='x%1  a'/></CharSet>" << 1
        << ":2: Char \"x%1  a\" was already used on line 1: this later glyph replaces it\n";
    QTest::newRow("line break in a name stays on one line")
        << "<CharSet><FontChar Char='a&#10;b'/>\n<FontChar Char='a&#10;b'/></CharSet>" << 1
        << ":2: Char \"a\\nb\" was already used on line 1: this later glyph replaces it\n";
    QTest::newRow("a backslash in a name, escaped once, beside a tab")
        << "<CharSet><FontChar Char='a\\t&#9;'/>\n<FontChar Char='a\\t&#9;'/></CharSet>" << 1
        << ":2: Char \"a\\\\t\\t\" was already used on line 1: this later glyph replaces it\n";
    QTest::newRow("two glyphs for one character, by name order")
        << "<CharSet><FontChar Char='B  A'/>\n<FontChar Char='A'/></CharSet>" << 1
        << ":1: Char \"B  A\" stands for the character \"A\" (0x41) like Char \"A\", which "
           "comes first in the array: the character map keeps that one\n";
    QTest::newRow("no glyphs") << "<CharSet/>" << 1 << ":1: the font has no glyphs";
    QTest::newRow("misplaced document type declaration")
        << "/hostile/two-doctypes.xml" << 1
        << ":3: not well-formed XML (column 18: Unexpected document type declaration.)";
    QTest::newRow("missing file") << "/no/such/font.xml" << 2 << QString();
}

void TestExport::checkVerdicts()
{
    QFETCH(QString, font);
    QFETCH(int, exitCode);
    QFETCH(QString, firstLine);
    if (font.startsWith(QLatin1Char('<'))) {
        const QByteArray content = font.toUtf8();
        font = _dir->filePath(QStringLiteral("odd%1.xml"));
        QVERIFY(TestFiles::Write(font, content));
    } else {
        font = DataFolder + font;
    }
    const Run run = Export({QStringLiteral("--check"), font});
    QCOMPARE(run.exitCode, exitCode);
    if (exitCode == 0)
        QVERIFY(run.out.isEmpty());
    if (!firstLine.isEmpty())
        QVERIFY2(run.out.startsWith((font + firstLine).toUtf8()), run.out.constData());
    if (exitCode == 2) {
        QVERIFY(run.err.startsWith(("pixmint-export: " + font + ": ").toUtf8()));
        QCOMPARE(run.err.count('\n'), 1);
    }
}

void TestExport::drawsSpecimenSheet()
{
    const QString font = _dir->filePath(QStringLiteral("font.xml"));
    QVERIFY(TestFiles::Write(
        font, "<CharSet><FontChar Char=\"first\"><Byte Index=\"2\">2</Byte></FontChar>"
              "<FontChar Char=\"second\"><Byte Index=\"0\">ff</Byte></FontChar></CharSet>"));
    const QString sheet = _dir->filePath(QStringLiteral("sheet.png"));
    // The converter never needs a display, whatever platform the environment names.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    const Run run = Export(
        {font, QStringLiteral("--png"), sheet, QStringLiteral("--scale"), QStringLiteral("10")},
        QString(), environment);
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.out.isEmpty(), "the source goes only where -o says");

    const QImage image(sheet);
    QVERIFY(!image.isNull());
    QVERIFY(image.width() > 100 && image.height() > 80);
    // Each glyph is drawn in a cell of its own, in font order, as 10 x 10 dots: find the
    // dots by colour and check which are on.
    int blackDots = 0;
    for (int y = 0; y < image.height(); y += 1)
        for (int x = 0; x < image.width(); x += 1)
            blackDots += image.pixelColor(x, y) == QColor(Qt::black);
    // One pixel of "first" and eight of "second", 9 x 9 visible per dot.
    QCOMPARE(blackDots, 9 * 9 * 9);
#ifdef Q_OS_LINUX
    // Nor any GUI library, which build servers lack: the loader lists what it would load.
    environment.insert(QStringLiteral("LD_TRACE_LOADED_OBJECTS"), QStringLiteral("1"));
    const QByteArray libraries = Export({}, QString(), environment).out;
    QVERIFY(libraries.contains("libQt6Core"));
    for (const char* gui : {"libQt6Gui", "libQt6Widgets", "libQt6DBus", "libGL", "libX11"})
        QVERIFY2(!libraries.contains(gui), gui);
#endif
}

void TestExport::drawsTextAsTheDisplayShowsIt_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("warning");
    QTest::newRow("characters without a glyph")
        << QStringLiteral("AB\u20ac\U0001F600B")
        << QStringLiteral("pixmint-export: warning: no glyph for \"\u20ac\" (U+20AC), "
                          "\"\U0001F600\" (U+1F600): drawn blank\n");
    QString many; // 1,002 characters beyond Latin-1
    QStringList named;
    for (char32_t code = 0x100; code < 0x100 + 1002; ++code) {
        many += QString::fromUcs4(&code, 1);
        // U+034F, the combining grapheme joiner, shows as nothing.
        named << "\"" + (code == 0x34F ? "\\u034f" : QString::fromUcs4(&code, 1)) + "\" (U+0" +
                     QString::number(code, 16).toUpper() + ')';
    }
    QTest::newRow("the first 1,000 characters without a glyph")
        << many
        << "pixmint-export: warning: no glyph for " + named.mid(0, 1000).join(", ") +
               " and 2 more characters: drawn blank\n";
    QTest::newRow("lines as wide as the longest") << QStringLiteral("AB\nBAB\nA") << QString();
    QTest::newRow("empty lines are blank bands") << QStringLiteral("\nA\n\nBB\n") << QString();
}

void TestExport::drawsTextAsTheDisplayShowsIt()
{
    QFETCH(QString, text);
    QFETCH(QString, warning);
    const QString font = _dir->filePath(QStringLiteral("font.xml"));
    QVERIFY(TestFiles::Write(
        font, "<CharSet><FontChar Char=\"C27  A\"><Byte Index=\"0\">7e</Byte>"
              "<Byte Index=\"1\">9</Byte><Byte Index=\"2\">9</Byte><Byte Index=\"3\">9</Byte>"
              "<Byte Index=\"4\">7e</Byte></FontChar>"
              "<FontChar Char=\"B\"><Byte Index=\"0\">81</Byte><Byte Index=\"4\">ff</Byte>"
              "</FontChar></CharSet>"));
    const QString png = _dir->filePath(QStringLiteral("text.png"));
    const QList<int> glyphBytes = {0x7e, 9, 9, 9, 0x7e, 0x81, 0, 0, 0, 0xff};
    const int scale = 3;
    // No table is written, so none of its codes is missing.
    const Run run = Export({font, "--png", png, "--text", text, "--scale", QString::number(scale),
                            "--range", "0-255"});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, warning.toUtf8());

    // Lines of 5 columns a character and 1 blank between, one below the other with 1 blank row
    // between; the picture is as wide as the longest line.
    QList<QList<uint>> lines;
    qsizetype longest = 0;
    for (const QString& line : text.split(u'\n')) {
        lines << line.toUcs4();
        longest = std::max(longest, lines.last().size());
    }
    QImage expected(int(longest * 6 - 1) * scale, int(lines.size() * 9 - 1) * scale,
                    QImage::Format_RGB32);
    for (int y = 0; y < expected.height(); ++y) {
        const QList<uint>& line = lines[y / scale / 9];
        const int row = y / scale % 9;
        for (int x = 0; x < expected.width(); ++x) {
            const qsizetype position = x / scale / 6;
            const uint character = position < line.size() ? line[position] : 0;
            const int glyph = character == 'A' ? 0 : character == 'B' ? 1 : -1;
            const int column = x / scale % 6;
            const bool lit =
                glyph >= 0 && column < 5 && row < 8 && (glyphBytes[glyph * 5 + column] >> row & 1);
            expected.setPixel(x, y, lit ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
        }
    }
    QCOMPARE(QImage(png).convertToFormat(QImage::Format_RGB32), expected);
}

void TestExport::labelsWithoutTheirFont()
{
#ifndef Q_OS_LINUX
    QSKIP("needs a private mount namespace");
#else
    // Where DejaVu Sans is not installed, a label is drawn in the font's own glyphs: "A", all
    // lit, for the name "C27  A", in the labels' gray with no shade between.
    const QString font = _dir->filePath(QStringLiteral("lit.xml"));
    QByteArray bytes;
    for (int column = 0; column < 5; ++column)
        bytes += "<Byte Index=\"" + QByteArray::number(column) + "\">ff</Byte>";
    QVERIFY(TestFiles::Write(font, "<CharSet><FontChar Char=\"C27  A\">" + bytes +
                                       "</FontChar></CharSet>"));
    const QString sheet = _dir->filePath(QStringLiteral("lit.png"));
    QProcess process;
    process.start(QStringLiteral("unshare"),
                  {"-rm", "sh", "-c",
                   "mount -t tmpfs none /usr/share/fonts/truetype/dejavu || exit 77; "
                   "exec \"$0\" \"$@\"",
                   PIXMINT_EXPORT, font, "--png", sheet, "--scale", "1"});
    QVERIFY(process.waitForFinished(60000));
    const QByteArray error = process.readAllStandardError();
    if (process.exitCode() != 0 && !error.startsWith("pixmint-export"))
        QSKIP(("no private mount namespace: " + error).constData());
    QCOMPARE(process.exitCode(), 0);
    const QImage image(sheet);
    QCOMPARE(image.size(), QSize(110 + 2 * 8, 8 + 13 + 3 * 8));
    int gray = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int level = qGray(image.pixel(x, y));
            QVERIFY2(level == 0 || level == 128 || level == 255,
                     qPrintable(QString::number(level)));
            gray += level == 128;
        }
    }
    QCOMPARE(gray, 5 * 8);
#endif
}

void TestExport::sheetIsAsWideAsItsGlyphs_data()
{
    QTest::addColumn<int>("glyphs");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("rows");
    QTest::newRow("none") << 0 << 1 << 1;
    QTest::newRow("one") << 1 << 1 << 1;
    QTest::newRow("three") << 3 << 3 << 1;
    QTest::newRow("eight") << 8 << 8 << 1;
    QTest::newRow("nine") << 9 << 8 << 2;
    QTest::newRow("seventeen") << 17 << 8 << 3;
}

void TestExport::sheetIsAsWideAsItsGlyphs()
{
    QFETCH(int, glyphs);
    QFETCH(int, columns);
    QFETCH(int, rows);
    QByteArray content = "<CharSet>";
    for (int glyph = 0; glyph < glyphs; ++glyph)
        content += "<FontChar Char=\"" + QByteArray::number(glyph) + "\"/>";
    const QString font = _dir->filePath(QStringLiteral("font.xml"));
    QVERIFY(TestFiles::Write(font, content + "</CharSet>"));
    const QString sheet = _dir->filePath(QStringLiteral("sheet.png"));
    const QString one = _dir->filePath(QStringLiteral("one.png"));
    // Only the outputs asked for are made: the C source's options change nothing, and the
    // C source of a font without glyphs, which C refuses, is not made.
    QCOMPARE(Export({font, "--png", sheet, "--scale", "10", "--name", "unused"}).exitCode, 0);
    QVERIFY(TestFiles::Write(font, "<CharSet><FontChar Char=\"x\"/></CharSet>"));
    QCOMPARE(Export({font, "--png", one, "--scale", "10"}).exitCode, 0);
    // A cell holds a label 110 pixels wide and a padding of 8 on either side.
    const QImage image(sheet);
    QCOMPARE(image.width(), columns * (110 + 2 * 8));
    QCOMPARE(image.height(), rows * QImage(one).height());
}

void TestExport::longNameDrawsAsFastAsItsExport()
{
#ifndef Q_OS_UNIX
    QSKIP("needs the CPU time of a child process");
#else
    // Measured whole, a name of 8 MB took 3 s to draw, 5 times as long as the C export of
    // the font. What the process itself spends does not depend on what else the machine runs.
    const QString font = _dir->filePath(QStringLiteral("font.xml"));
    QVERIFY(TestFiles::Write(font, "<CharSet><FontChar Char=\"" + QByteArray(8 << 20, 'n') +
                                       "\"/></CharSet>"));
    const double drawn = CpuSeconds({font, "--png", _dir->filePath(QStringLiteral("sheet.png"))});
    const double exported = CpuSeconds({font, "-o", _dir->filePath(QStringLiteral("font.c"))});
    qInfo("the sheet: %.2f s, the C export: %.2f s", drawn, exported);
    QVERIFY(drawn >= 0 && exported >= 0);
    QVERIFY2(drawn <= 2 * exported + 0.5, "drawing the name takes longer than exporting it");
#endif
}

void TestExport::failuresWriteNothing_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing font") << QStringList{"missing.xml", "-o", "out.cpp"}
                                  << "pixmint-export: missing.xml: No such file or directory";
    // Its controls as escapes, on one line, as pixmint_add_font names it.
    QTest::newRow("missing font with controls")
        << QStringList{"mis\x1bsing\t.xml", "-o", "out.cpp"}
        << "pixmint-export: mis\\x1bsing\\t.xml: No such file or directory";
    QTest::newRow("not well-formed")
        << QStringList{"broken.xml", "-o", "out.cpp", "--png", "sheet.png"}
        << "pixmint-export: broken.xml: not a well-formed XML document";
    QTest::newRow("scale out of range")
        << QStringList{"good.xml", "--png", "sheet.png", "--scale", "0"}
        << "pixmint-export: --scale 0: expected a whole number";
    // A number is decimal digits alone, by the rule that pixmint-import reads numbers with.
    QTest::newRow("scale with a blank")
        << QStringList{"good.xml", "--png", "sheet.png", "--scale", " 4"}
        << "pixmint-export: --scale  4: expected a whole number";
    QTest::newRow("scale with a sign")
        << QStringList{"good.xml", "--png", "sheet.png", "--scale", "+4"}
        << "pixmint-export: --scale +4: expected a whole number";
    // A value is echoed as given, never read for markers.
    QTest::newRow("scale %3")
        << QStringList{"good.xml", "--png", "sheet.png", "--scale", "%3"}
        << "pixmint-export: --scale %3: expected a whole number from 1 to 64\n";
    QTest::newRow("unknown option") << QStringList{"good.xml", "--bogus"}
                                    << "pixmint-export: unknown option --bogus (see --help)\n";
    QTest::newRow("option without its value")
        << QStringList{"good.xml", "--name"}
        << "pixmint-export: missing value after '--name' (see --help)\n";
    QTest::newRow("name given twice")
        << QStringList{"good.xml", "-o", "out.cpp", "--name", "a", "--name", "b"}
        << "pixmint-export: --name is given twice (see --help)\n";
    QTest::newRow("chars empty") << QStringList{"good.xml", "-o", "out.cpp", "--chars", ""}
                                 << "pixmint-export: --chars is empty";
    QTest::newRow("chars beyond Latin-1")
        << QStringList{"good.xml", "-o", "out.cpp", "--chars", "a\u20ac"}
        << "pixmint-export: --chars: \"\u20ac\" (U+20AC) is not a Latin-1 character\n";
    QTest::newRow("chars without a glyph")
        << QStringList{"good.xml", "-o", "out.cpp", "--header", "out.h", "--chars", "ab"}
        << "pixmint-export: good.xml: the font has no glyph for any of the characters";
    QTest::newRow("chars and range")
        << QStringList{"good.xml", "-o", "out.cpp", "--chars", "<", "--range", "1-2"}
        << "pixmint-export: give --chars or --range, not both";
    QTest::newRow("chars and an image")
        << QStringList{"good.xml", "-o", "out.cpp", "--chars", "<", "--hex", "font.hex"}
        << "pixmint-export: --chars chooses the rows of the C source, not of the image";
    QTest::newRow("unknown display")
        << QStringList{"good.xml", "-o", "out.c", "--display", "SSD1306"}
        << "pixmint-export: --display SSD1306: expected one of hd44780, ssd1306, sh1106, ks0108, "
           "pcd8544, max7219, st7920\n";
    QTest::newRow("display %2") << QStringList{"good.xml", "-o", "out.c", "--display", "%2"}
                                << "pixmint-export: --display %2: expected one of hd44780, ";
    QTest::newRow("display and both storages")
        << QStringList{"good.xml", "-o", "out.c", "--display", "hd44780", "--progmem", "--const"}
        << "pixmint-export: give --const or --progmem, not both";
    QTest::newRow("const and progmem")
        << QStringList{"good.xml", "-o", "out.c", "--progmem", "--const"}
        << "pixmint-export: give --const or --progmem, not both";
    QTest::newRow("output given twice, by both its names")
        << QStringList{"good.xml", "-o", "sheet.png", "--output", "out.cpp"}
        << "pixmint-export: -o is given twice";
    QTest::newRow("two fonts") << QStringList{"good.xml", "good.xml"}
                               << "pixmint-export: expected one font file, got 2";
    QTest::newRow("check writes nothing") << QStringList{"--check", "good.xml", "-o", "out.cpp"}
                                          << "pixmint-export: --check writes nothing";
    QTest::newRow("unwritable output") << QStringList{"good.xml", "-o", "no/such/folder/out.cpp"}
                                       << "pixmint-export: no/such/folder/out.cpp: ";
    QTest::newRow("unwritable sheet after the source")
        << QStringList{"good.xml", "-o", "out.cpp", "--png", "no/such/folder/sheet.png"}
        << "pixmint-export: no/such/folder/sheet.png: ";
    QTest::newRow("root is not CharSet") << QStringList{"other.xml", "-o", "out.cpp"}
                                         << "pixmint-export: other.xml: not a font file";
    QTest::newRow("source over the font")
        << QStringList{"good.xml", "-o", "./good.xml"}
        << "pixmint-export: ./good.xml: this is the file being read (good.xml)";
    QTest::newRow("sheet over the font through a link")
        << QStringList{"good.xml", "--png", "link.xml"}
        << "pixmint-export: link.xml: this is the file being read";
    QTest::newRow("source over the font through a hard link")
        << QStringList{"hard.xml", "-o", "good.xml"}
        << "pixmint-export: good.xml: this is the file being read";
    QTest::newRow("output in a loop of links")
        << QStringList{"good.xml", "-o", "loop"}
        << "pixmint-export: loop: too many levels of symbolic links";
    QTest::newRow("both outputs one file")
        << QStringList{"good.xml", "-o", "out.cpp", "--png", "./out.cpp"}
        << "pixmint-export: ./out.cpp: this file is already an output (out.cpp)";
    QTest::newRow("name is a keyword") << QStringList{"good.xml", "-o", "out.cpp", "--name", "int"}
                                       << "pixmint-export: --name int: is a keyword of C or C++";
    QTest::newRow("name begins with a digit")
        << QStringList{"good.xml", "-o", "out.cpp", "--name", "9x"}
        << "pixmint-export: --name 9x: is not a C identifier";
    QTest::newRow("name with a letter beyond ASCII")
        << QStringList{"good.xml", "-o", "out.cpp", "--name", "gr\u00fcn"}
        << "pixmint-export: --name gr\u00fcn: is not a C identifier";
    QTest::newRow("name that injects code")
        << QStringList{"good.xml", "-o", "out.cpp", "--name", "x[1]; int y"}
        << "pixmint-export: --name x[1]; int y: is not a C identifier";
    QTest::newRow("reserved name") << QStringList{"good.xml", "-o", "out.cpp", "--name", "x__y"}
                                   << "pixmint-export: --name x__y: is reserved";
    QTest::newRow("name main") << QStringList{"good.xml", "-o", "out.cpp", "--name", "main"}
                               << "pixmint-export: --name main: already has a meaning";
    QTest::newRow("name of a standard header")
        << QStringList{"good.xml", "-o", "out.cpp", "--name", "stdio"}
        << "pixmint-export: --name stdio: already has a meaning";
    QTest::newRow("empty font with the default layout given")
        << QStringList{"empty.xml", "-o", "out.cpp", "--layout", "columns"}
        << "pixmint-export: empty.xml: the font has no glyphs";
    // The pictures, too, ask for the firmware source, which has no empty array.
    QTest::newRow("empty font with pictures")
        << QStringList{"empty.xml", "-o", "out.cpp", "--art"}
        << "pixmint-export: empty.xml: the font has no glyphs";
    QTest::newRow("unknown layout")
        << QStringList{"good.xml", "-o", "out.cpp", "--layout", "bogus"}
        << "pixmint-export: --layout bogus: expected one of columns, columns-msb, rows, rows-msb";
    QTest::newRow("header over the source")
        << QStringList{"good.xml", "-o", "out.cpp", "--header", "./out.cpp"}
        << "pixmint-export: ./out.cpp: this file is already an output (out.cpp)";
    QTest::newRow("header over the font")
        << QStringList{"good.xml", "--header", "good.xml"}
        << "pixmint-export: good.xml: this is the file being read";
    QTest::newRow("unwritable header after the source")
        << QStringList{"good.xml", "-o", "out.cpp", "--header", "no/such/folder/out.h"}
        << "pixmint-export: no/such/folder/out.h: ";
    QTest::newRow("empty font with an option")
        << QStringList{"empty.xml", "-o", "out.cpp", "--header", "out.h"}
        << "pixmint-export: empty.xml: the font has no glyphs";
    QTest::newRow("empty text") << QStringList{"good.xml", "--png", "sheet.png", "--text", ""}
                                << "pixmint-export: --text is empty";
    QTest::newRow("grid without an image") << QStringList{"good.xml", "-o", "out.cpp", "--grid"}
                                           << "pixmint-export: --grid draws into an image";
    QTest::newRow("grid and text")
        << QStringList{"good.xml", "--png", "sheet.png", "--grid", "--text", "A"}
        << "pixmint-export: give --grid or --text, not both";
    QTest::newRow("text without an image")
        << QStringList{"good.xml", "-o", "out.cpp", "--text", "A"}
        << "pixmint-export: --text draws into an image";
    QTest::newRow("text too long for one image")
        << QStringList{"good.xml",          "--png",   "sheet.png", "--text",
                       QString(5462, u'A'), "--scale", "1"}
        << "pixmint-export: --text: 5462 characters at scale 1 do not fit";
    QTest::newRow("text of line feeds alone")
        << QStringList{"good.xml", "--png", "sheet.png", "--text", "\n\n"}
        << "pixmint-export: --text: there is no character to draw";
    QTest::newRow("text of too many lines")
        << QStringList{"good.xml",
                       "--png",
                       "sheet.png",
                       "--scale",
                       "64",
                       "--text",
                       QStringList(57, QStringLiteral("A")).join(u'\n')}
        << "pixmint-export: --text: 57 lines at scale 64 do not fit";
    QTest::newRow("text of too many pixels")
        << QStringList{"good.xml",
                       "--png",
                       "sheet.png",
                       "--scale",
                       "64",
                       "--text",
                       QStringList(20, QString(85, u'A')).join(u'\n')}
        << "pixmint-export: --text: 20 lines of up to 85 characters at scale 64 make 32576 x "
           "11456 pixels, more than";
    for (const char* range : {"100-32", "0-256", "0x0-0x100", "a-b", "", "32", "-1-5", "+1-5",
                              "1-5x", " 1-5", "1-2-3", "0x-5",
                              "1\xe2\x80\x93"
                              "5"}) {
        QTest::addRow("range \"%s\"", range)
            << QStringList{"good.xml", "-o", "out.cpp", "--range", QString::fromUtf8(range)}
            << QStringLiteral("pixmint-export: --range %1: expected FIRST-LAST with 0 <= FIRST <= "
                              "LAST <= 255, each decimal or 0x hexadecimal\n")
                   .arg(QString::fromUtf8(range));
    }
    QTest::newRow("check with an option of the export")
        << QStringList{"--check", "good.xml", "--header", "out.h"}
        << "pixmint-export: --check writes nothing";
    QTest::newRow("BDF over the font") << QStringList{"good.xml", "--bdf", "link.xml"}
                                       << "pixmint-export: link.xml: this is the file being read";
    QTest::newRow("BDF over the source")
        << QStringList{"good.xml", "-o", "out.cpp", "--bdf", "./out.cpp"}
        << "pixmint-export: ./out.cpp: this file is already an output (out.cpp)";
    QTest::newRow("unwritable BDF after the others")
        << QStringList{"good.xml", "-o",        "out.cpp",
                       "--png",    "sheet.png", "--header",
                       "out.h",    "--bdf",     "no/such/folder/font.bdf"}
        << "pixmint-export: no/such/folder/font.bdf: ";
    QTest::newRow("BDF with an empty name")
        << QStringList{"good.xml", "--bdf", ""} << "pixmint-export: --bdf: expected a file name";
    QTest::newRow("BDF of a font without glyphs")
        << QStringList{"empty.xml", "--bdf", "font.bdf"}
        << "pixmint-export: empty.xml: the font has no glyphs";
    QTest::newRow("baseline without BDF")
        << QStringList{"good.xml", "-o", "out.cpp", "--baseline", "6"}
        << "pixmint-export: --baseline places the glyphs of a font that --bdf, --gfx, --u8g2, "
           "--lvgl or --ttf writes: give its file\n";
    // A tile has no baseline; the images follow the C table.
    QTest::newRow("baseline with u8x8 and the images")
        << QStringList{"good.xml", "--u8x8", "u8x8.c", "--bin", "font.bin", "--baseline", "6"}
        << "pixmint-export: --baseline places the glyphs of a font that";
    QTest::newRow("address without the Intel HEX")
        << QStringList{"good.xml", "--bin", "font.bin", "--address", "16"}
        << "pixmint-export: --address places the Intel HEX records: give their file with --hex\n";
    QTest::newRow("address of 4 GiB")
        << QStringList{"good.xml", "--hex", "font.hex", "--address", "0x100000000"}
        << "pixmint-export: --address 0x100000000: expected a whole number from 0 to 0xffffffff, "
           "decimal or 0x hexadecimal\n";
    QTest::newRow("address with a sign")
        << QStringList{"good.xml", "--hex", "font.hex", "--address", "+16"}
        << "pixmint-export: --address +16: expected";
    // The image's family warns once, but each is checked: the raw image before it has no
    // address to refuse.
    QTest::newRow("Intel HEX past 4 GiB after the raw image")
        << QStringList{"good.xml", "--bin",     "font.bin",  "--hex",
                       "font.hex", "--address", "0xfffffff8"}
        << "pixmint-export: good.xml: 10 bytes from the address 0xfffffff8 pass the end of the "
           "4 GiB that Intel HEX addresses\n";
    QTest::newRow("raw image over the font")
        << QStringList{"good.xml", "--bin", "link.xml"}
        << "pixmint-export: link.xml: this is the file being read";
    QTest::newRow("unwritable Intel HEX after every other output")
        << QStringLiteral("good.xml -o out.cpp --u8g2 u8g2.c --u8x8 u8x8.c --lvgl lvgl.c --bin "
                          "font.bin --hex no/such/folder/font.hex")
               .split(u' ')
        << "pixmint-export: no/such/folder/font.hex: ";
    QTest::newRow("u8g2 font named as its source's macro")
        << QStringList{"good.xml", "--u8g2", "u8g2.c", "--name", "U8G2_FONT_SECTION"}
        << "pixmint-export: --name U8G2_FONT_SECTION: is a name that the font's C source uses\n";
    QTest::newRow("u8x8 font named as a type of <stdint.h>")
        << QStringList{"good.xml", "--u8x8", "u8x8.c", "--name", "uint8_t"}
        << "pixmint-export: --name uint8_t: is a name that the font's C source uses\n";
    QTest::newRow("LVGL font in LVGL's names")
        << QStringList{"good.xml", "--lvgl", "lvgl.c", "--name", "lv_font_small"}
        << "pixmint-export: --name lv_font_small: begins as the names that LVGL declares";
    QTest::newRow("baseline 8") << QStringList{"good.xml", "--bdf", "font.bdf", "--baseline", "8"}
                                << "pixmint-export: --baseline 8: expected a whole number from "
                                   "0 to 7";
    QTest::newRow("baseline not decimal")
        << QStringList{"good.xml", "--bdf", "font.bdf", "--baseline", "+6"}
        << "pixmint-export: --baseline +6: expected";
    QTest::newRow("GFX font named as a type it uses")
        << QStringList{"good.xml", "--gfx", "out.h", "--name", "GFXfont"}
        << "pixmint-export: --name GFXfont: is a type that the GFX font header uses";
    for (const char* name : {"uint32_t", "INT8_MAX", "size_t", "std", "Adafruit_GFX"}) {
        QTest::addRow("GFX font named %s, which its includes declare", name)
            << QStringList{"good.xml", "--gfx", "out.h", "--name", name}
            << QStringLiteral("pixmint-export: --name %1: is declared by the headers").arg(name);
    }
    QTest::newRow("standalone without GFX")
        << QStringList{"good.xml", "--gfx-standalone"} << "pixmint-export: --gfx-standalone shapes";
    QTest::newRow("BDF family beyond what a font name holds")
        << QStringList{"good.xml", "--bdf", "font.bdf", "--name", QString(201, u'a')}
        << "pixmint-export: --name " + QString(201, u'a') +
               ": is not a BDF family name: 1 to 200 "
               "printable ASCII characters, none of - ? * , \"";
    QTest::newRow("TrueType name beyond 63 characters")
        << QStringList{"good.xml", "--ttf", "font.ttf", "--name", QString(64, u'a')}
        << "pixmint-export: --name " + QString(64, u'a') + ": is not a PostScript name";
#ifdef Q_OS_LINUX
    // Descriptors 4 and 5 are the program's own: the unnamed new files of the header and BDF.
    QTest::newRow("a descriptor the program was not given")
        << QStringList{"good.xml", "--name", "f", "--header", "out.h", "-o", "/dev/fd/4"}
        << "pixmint-export: /dev/fd/4: No such file or directory";
    QTest::newRow("a descriptor the program was not given, by its number")
        << QStringList{"good.xml", "--header", "out.h",          "--bdf",
                       "font.bdf", "-o",       "/proc/self/fd/5"}
        << "pixmint-export: /proc/self/fd/5: No such file or directory";
    QTest::newRow("header to standard output with the source")
        << QStringList{"good.xml", "--name", "font", "--header", "/dev/stdout"}
        << "pixmint-export: standard output: this file is already an output (/dev/stdout)";
#endif
}

void TestExport::failuresWriteNothing()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    QVERIFY(QDir::setCurrent(_dir->path()));
    QVERIFY(TestFiles::Write(QStringLiteral("good.xml"),
                             TestFiles::Read(DataFolder + "/two-glyphs.xml")));
    QVERIFY(TestFiles::Write(QStringLiteral("broken.xml"), "<CharSet><FontChar Char=\"x\">"));
    QVERIFY(TestFiles::Write(QStringLiteral("out.cpp"), "previous export"));
    QVERIFY(TestFiles::Write(QStringLiteral("other.xml"), "<Font/>"));
    QVERIFY(TestFiles::Write(QStringLiteral("empty.xml"), "<CharSet/>"));
    QVERIFY(QFile::link(QStringLiteral("good.xml"), QStringLiteral("link.xml")));
    QVERIFY(QFile::link(QStringLiteral("loop"), QStringLiteral("pool")));
    QVERIFY(QFile::link(QStringLiteral("pool"), QStringLiteral("loop")));
#ifdef Q_OS_UNIX
    QCOMPARE(::link("good.xml", "hard.xml"), 0);
#endif

    const Run run = Export(arguments);
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.startsWith(message.toUtf8()), run.err.constData());
    QCOMPARE(run.err.count('\n'), 1);
    QVERIFY(run.out.isEmpty());
    QCOMPARE(TestFiles::Read(QStringLiteral("out.cpp")), QByteArray("previous export"));
    QCOMPARE(TestFiles::Read(QStringLiteral("good.xml")),
             TestFiles::Read(DataFolder + "/two-glyphs.xml"));
    QVERIFY(!QFile::exists(QStringLiteral("sheet.png")));
    QVERIFY(!QFile::exists(QStringLiteral("out.h")));
    QVERIFY(!QFile::exists(QStringLiteral("font.bdf")));
    for (const char* output : {"font.ttf", "u8g2.c", "u8x8.c", "lvgl.c", "font.bin", "font.hex"})
        QVERIFY2(!QFile::exists(QLatin1String(output)), output);
}

void TestExport::helpAndVersion()
{
    const Run help = Export({QStringLiteral("--help")});
    QCOMPARE(help.exitCode, 0);
    QVERIFY(help.out.contains("--check"));
    QVERIFY(help.out.contains("--png"));
    QVERIFY(help.out.contains("--layout"));
    // Only what works is offered.
    QVERIFY(!help.out.contains("--help-all"));
    const Run version = Export({QStringLiteral("--version")});
    QCOMPARE(version.exitCode, 0);
    QVERIFY(version.out.startsWith("pixmint-export "));
}

// With several outputs, the old bytes of each are kept to be put back after a failure:
// reading them took as much memory as the files held, and one of gigabytes ended the converter.
// Each format of the registry reaches every place that offers the formats: the help (and the
// manual page made from it), the bash completion, and the CMake package where it writes that
// format.
void TestExport::everyFormatIsOffered_data()
{
    QTest::addColumn<QString>("option");
    for (const ExportFormats::Format& format : ExportFormats::All())
        QTest::newRow(qPrintable(format.option)) << QStringLiteral("--") + format.option;
}

void TestExport::everyFormatIsOffered()
{
    QFETCH(QString, option);
    const QString root = DataFolder + QStringLiteral("/../..");
    const Run help = Export({QStringLiteral("--help")});
    QVERIFY(help.out.contains("\n  " + option.toUtf8()) ||
            help.out.contains(", " + option.toUtf8() + " <file>"));
    QProcess bash;
    bash.start(QStringLiteral("bash"),
               {QStringLiteral("-c"),
                QStringLiteral("source /usr/share/bash-completion/bash_completion && source \"$1\" "
                               "&& COMP_WORDS=(\"$2\" \"$3\") COMP_CWORD=1 COMP_LINE=\"$2 $3\" "
                               "COMP_POINT=${#COMP_LINE} && _pixmint \"$2\" \"$3\" \"$2\" && "
                               "printf '%s\\n' \"${COMPREPLY[@]}\""),
                QStringLiteral("bash"), root + QStringLiteral("/data/pixmint.bash-completion"),
                QStringLiteral(PIXMINT_EXPORT), option});
    QVERIFY(bash.waitForFinished(60000));
    QVERIFY(bash.readAllStandardOutput().split('\n').contains(option.toUtf8()));
    // The package offers what the converter's vocabulary says: each format is there, and one
    // that defines identifiers defines those it declares, which fonts of one target must not share.
    const ExportFormats::Format& format = *std::find_if(
        ExportFormats::All().begin(), ExportFormats::All().end(),
        [&option](const ExportFormats::Format& row) { return "--" + row.option == option; });
    const QString keyword = format.cmakeKeyword.isEmpty() ? "-" : format.cmakeKeyword;
    QVERIFY(Export({"--vocabulary"})
                .out.contains("\nformat\t" + keyword.toUtf8() + '\t' + option.toUtf8() + '\t'));
    for (const bool range : {false, true}) {
        if (!format.identifiers)
            break;
        const QString out = _dir->filePath("out"), header = _dir->filePath("out.h");
        QStringList arguments{DataFolder + "/firmware.xml", "--name", "lcd", option, out};
        if (format.family == ExportFormats::StandardOutput().family)
            arguments << "--header" << header;
        if (range)
            arguments << "--range"
                      << "0-7";
        QCOMPARE(Export(arguments).exitCode, 0);
        const QByteArray written = TestFiles::Read(out) + TestFiles::Read(header);
        // With --range, the identifiers that the table adds.
        QStringList declared = format.identifiers("lcd", range);
        for (const QString& always : format.identifiers("lcd", false)) {
            if (range)
                declared.removeOne(always);
        }
        for (const QString& identifier : declared)
            QVERIFY2(written.contains(identifier.toUtf8()), qPrintable(identifier));
    }
    // A subset's look-up, which the vocabulary declares for the C source.
    if (&format != &ExportFormats::StandardOutput())
        return;
    QCOMPARE(Export({DataFolder + "/firmware.xml", "--name", "lcd", "--chars", "aBQ ", "-o",
                     _dir->filePath("out"), "--header", _dir->filePath("out.h")})
                 .exitCode,
             0);
    const QByteArray written = TestFiles::Read(_dir->filePath("out.h"));
    for (const QString& identifier : CSubset::Identifiers("lcd"))
        QVERIFY2(written.contains(identifier.toUtf8()), qPrintable(identifier));
    QVERIFY(Export({"--vocabulary"})
                .out.contains("\nidentifiers\t--output\t--chars\t@name@_codes\t@name@_row\n"));
}

void TestExport::keepsLargeFilesWithoutReadingThem()
{
#ifndef Q_OS_UNIX
    QSKIP("needs wait4");
#else
    const QString font = DataFolder + QStringLiteral("/firmware.xml");
    const QString large = _dir->filePath(QStringLiteral("large.c"));
    QFile file(large);
    // Sparse where the file system allows it: a gibibyte that takes no room.
    QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(qint64(1) << 30));
    file.close();
    const QString header = _dir->filePath(QStringLiteral("font.h"));
    rusage usage = {};
    QVERIFY(Spawn({font, "--name", "font", "-o", large, "--header", header}, usage));
    QVERIFY2(usage.ru_maxrss < 256 * 1024, QByteArray::number(qint64(usage.ru_maxrss)));
    QCOMPARE(TestFiles::Read(large),
             Export({font, "--name", "font", "--header", _dir->filePath("again.h")}).out);
#endif
}

void TestExport::writesIntoOpenStreams_data()
{
    // What -o names: standard output under any spelling, or through a link ("stdout", made
    // in the test's folder). exec keeps the shell's process number for $$.
    QTest::addColumn<QString>("output");
    QTest::addColumn<bool>("intoTheStream"); // or into other.txt
    QTest::newRow("/dev/stdout") << "/dev/stdout" << true;
    QTest::newRow("doubled slash") << "//dev/stdout" << true;
    QTest::newRow("through ..") << "/dev/fd/../fd/1" << true;
    QTest::newRow("the process's own number") << "/proc/$$/fd/1" << true;
    QTest::newRow("a link to /dev/stdout") << "stdout" << true;
    // Another process's standard output is its file, not the program's own stream.
    QTest::newRow("another process's number") << "/proc/$(cat pid)/fd/1" << false;
}

void TestExport::writesIntoOpenStreams()
{
#ifndef Q_OS_LINUX
    QSKIP("needs /dev/stdout");
#else
    // /dev/stdout is the stream as the shell opened it: a pipe, or a file to append to,
    // never a file to replace.
    QFETCH(QString, output);
    QFETCH(bool, intoTheStream);
    const QString font = DataFolder + QStringLiteral("/two-glyphs.xml");
    const QByteArray source = Export({font}).out;
    QVERIFY(!source.isEmpty());
    const Run piped = Export({font, QStringLiteral("-o"), QStringLiteral("/dev/stdout")});
    QCOMPARE(piped.exitCode, 0);
    QCOMPARE(piped.out, source);

    QVERIFY(QFile::link(QStringLiteral("/dev/stdout"), _dir->filePath(QStringLiteral("stdout"))));
    const QString log = _dir->filePath(QStringLiteral("log"));
    QVERIFY(TestFiles::Write(log, "kept\n"));
    QProcess other;
    other.setStandardOutputFile(_dir->filePath(QStringLiteral("other.txt")));
    other.start(QStringLiteral("sleep"), {QStringLiteral("60")});
    QVERIFY(other.waitForStarted());
    QVERIFY(TestFiles::Write(_dir->filePath(QStringLiteral("pid")),
                             QByteArray::number(other.processId())));
    QProcess shell;
    shell.setWorkingDirectory(_dir->path());
    shell.start(QStringLiteral("sh"), {"-c", "exec \"$0\" \"$1\" -o " + output + " >> \"$2\"",
                                       QStringLiteral(PIXMINT_EXPORT), font, log});
    QVERIFY(shell.waitForFinished(60000));
    other.kill();
    other.waitForFinished();
    QCOMPARE(shell.exitCode(), 0);
    QCOMPARE(TestFiles::Read(log), intoTheStream ? "kept\n" + source : "kept\n");
    QCOMPARE(TestFiles::Read(_dir->filePath(QStringLiteral("other.txt"))),
             intoTheStream ? QByteArray() : source);
#endif
}

void TestExport::standardOutputThatIsTheFontIsRefused_data()
{
    // Shell commands: $0 is the converter, $1 the font, $2 another file.
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("error");
    const QByteArray refused = "pixmint-export: standard output: this is the file being read (";
    QTest::newRow("source appended to the font") << "\"$0\" \"$1\" >> \"$1\"" << 2 << refused;
    QTest::newRow("check report appended to the font")
        << "\"$0\" --check \"$1\" >> \"$1\"" << 2 << refused;
    QTest::newRow("font from standard input, appended to")
        << "\"$0\" /dev/stdin < \"$1\" >> \"$1\"" << 2 << refused;
    // A terminal or /dev/null is never the file being read.
    QTest::newRow("font from standard input")
        << "\"$0\" /dev/stdin < \"$1\" > \"$2\"" << 0 << QByteArray();
    QTest::newRow("source to /dev/null") << "\"$0\" \"$1\" > /dev/null" << 0 << QByteArray();
    QTest::newRow("check of /dev/null to /dev/null")
        << "\"$0\" --check /dev/null > /dev/null" << 1 << QByteArray();
}

void TestExport::standardOutputThatIsTheFontIsRefused()
{
#ifndef Q_OS_LINUX
    QSKIP("needs /dev/stdout");
#else
    QFETCH(QString, command);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, error);
    const QString font = _dir->filePath(QStringLiteral("font.xml"));
    const QByteArray bytes = TestFiles::Read(DataFolder + "/check/problems.xml");
    QVERIFY(TestFiles::Write(font, bytes));
    const QString other = _dir->filePath(QStringLiteral("other.cpp"));
    QProcess shell;
    shell.setWorkingDirectory(_dir->path());
    shell.start(QStringLiteral("sh"), {"-c", command, QStringLiteral(PIXMINT_EXPORT), font, other});
    QVERIFY(shell.waitForFinished(60000));
    QCOMPARE(shell.exitCode(), exitCode);
    const QByteArray err = shell.readAllStandardError();
    QVERIFY2(err.startsWith(error), err.constData());
    QCOMPARE(err.isEmpty(), error.isEmpty());
    QCOMPARE(TestFiles::Read(font), bytes);
    if (exitCode == 0 && command.contains(QLatin1String("$2")))
        QCOMPARE(TestFiles::Read(other), Export({font}).out);
#endif
}

void TestExport::checkStopsAfterManyProblems_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QByteArray>("lastProblem");
    QByteArray sameCharacter;
    for (int glyph = 0; glyph < 3000; ++glyph)
        sameCharacter +=
            "<FontChar Char=\"" + QByteArray::number(glyph).rightJustified(4, '0') + "  a\"/>\n";
    QByteArray descending;
    for (int glyph = 0; glyph < 1102; ++glyph)
        descending += "<FontChar Char=\"" + QByteArray::number(9999 - glyph) + "  a\"/>\n";
    const QByteArray skipped = "<x/>\n";
    QTest::newRow("skipped elements") << skipped.repeated(3000)
                                      << QByteArray("1001: <x> is skipped: <CharSet> holds only "
                                                    "<FontChar> elements");
    // Glyphs for one character show only once the whole font is read.
    QTest::newRow("glyphs for one character")
        << sameCharacter
        << QByteArray("1002: Char \"1000  a\" stands for the character \"a\" (0x61) like Char "
                      "\"0000  a\", which comes first in the array: the character map keeps "
                      "that one");
    // Names in the reverse of line order: still the first by line, not by name.
    QTest::newRow("glyphs for one character, names descending")
        << descending
        << QByteArray("1001: Char \"9000  a\" stands for the character \"a\" (0x61) like Char "
                      "\"8898  a\", which comes first in the array: the character map keeps "
                      "that one");
    // Both kinds: the report keeps the first problems by line.
    QTest::newRow("glyphs for one character, then skipped elements")
        << sameCharacter.left(sameCharacter.indexOf("<FontChar Char=\"0600")) +
               skipped.repeated(900)
        << QByteArray("1002: <x> is skipped: <CharSet> holds only <FontChar> elements");
}

void TestExport::checkStopsAfterManyProblems()
{
    QFETCH(QByteArray, content);
    QFETCH(QByteArray, lastProblem);
    const QString font = _dir->filePath(QStringLiteral("many.xml"));
    QVERIFY(TestFiles::Write(font, "<CharSet>\n" + content + "</CharSet>"));
    const Run run = Export({QStringLiteral("--check"), font});
    QCOMPARE(run.exitCode, 1);
    QByteArrayList lines = run.out.trimmed().split('\n');
    QCOMPARE(lines.size(), FontFileCheck::MaxProblems + 1);
    const QByteArray prefix = font.toUtf8() + ':';
    for (QByteArray& line : lines) {
        QVERIFY2(line.startsWith(prefix), line.constData());
        line.remove(0, prefix.size());
    }
    QCOMPARE(lines[FontFileCheck::MaxProblems - 1], lastProblem);
    QCOMPARE(lines.last(), lastProblem.left(lastProblem.indexOf(':')) +
                               ": the check stops here, after 1000 problems");
}

void TestExport::nameNotInTheSystemEncodingIsRefused()
{
#ifndef Q_OS_UNIX
    QSKIP("needs a shell to pass raw bytes");
#else
    // Read as text, the byte 0xFF would become U+FFFD and name another file.
    QVERIFY(QDir::setCurrent(_dir->path()));
    QVERIFY(TestFiles::Write(QStringLiteral("\uFFFD.xml"), "<CharSet/>"));
    QProcess shell;
    shell.start(QStringLiteral("sh"),
                {"-c", "exec \"$0\" \"$(printf '\\377.xml')\" -o \"$(printf '\\376.c')\"",
                 QStringLiteral(PIXMINT_EXPORT)});
    QVERIFY(shell.waitForFinished(60000));
    QCOMPARE(shell.exitCode(), 2);
    QVERIFY2(shell.readAllStandardError().contains("is not valid in the system's encoding"),
             "expected a refusal");
    QCOMPARE(QDir().entryList(QDir::Files).size(), 1);
    // A byte order mark at the start of a name is a character like any other.
    QVERIFY(TestFiles::Write(QStringLiteral("\uFEFFbom.xml"), "<CharSet/>"));
    QCOMPARE(Export({QStringLiteral("\uFEFFbom.xml")}).exitCode, 0);
#endif
}

void TestExport::textPreviewReachesWhatTheMapReaches()
{
    // The map's unsigned short reaches the first 65,535 glyphs; the glyph of Q comes after.
    QByteArray font = "<CharSet>";
    for (int index = 0; index < 65535; ++index)
        font += "<FontChar Char=\"g" + QByteArray::number(index).rightJustified(5, '0') + "\"/>";
    font += "<FontChar Char=\"z  Q\"><Byte Index=\"0\">ff</Byte></FontChar></CharSet>";
    const QString path = _dir->filePath(QStringLiteral("large.xml"));
    QVERIFY(TestFiles::Write(path, font));
    const QString image = _dir->filePath(QStringLiteral("q.png"));
    const Run run = Export({path, "--text", "Q", "--png", image, "--scale", "1"});
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.err.contains("Q"), run.err.constData());
    const QImage drawn(image);
    QCOMPARE(drawn.size(), QSize(5, 8));
    QCOMPARE(drawn.pixelColor(0, 0), QColor(Qt::white));
}

void TestExport::unwritableStandardOutputFails_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("check report") << QStringList{"--check", DataFolder + "/check/problems.xml"};
    QTest::newRow("source") << QStringList{DataFolder + "/default.xml"};
    QTest::newRow("help") << QStringList{"--help"};
    QTest::newRow("source with a header")
        << QStringList{DataFolder + "/default.xml", "--name", "font", "--header", "HEADER"};
}

void TestExport::unwritableStandardOutputFails()
{
#ifndef Q_OS_LINUX
    QSKIP("needs /dev/full");
#else
    QFETCH(QStringList, arguments);
    const QString header = _dir->filePath(QStringLiteral("font.h"));
    arguments.replaceInStrings(QStringLiteral("HEADER"), header);
    const Run run = Export(arguments, QStringLiteral("/dev/full"));
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.startsWith("pixmint-export: standard output: "), run.err.constData());
    QCOMPARE(run.err.count('\n'), 1);
    // The source failed, so its header is not written either.
    QVERIFY(!QFile::exists(header));
#endif
}

QTEST_APPLESS_MAIN(TestExport)
#include "tst_export.moc"
