#include "FontFileWriter.h"
#include "TestFiles.h"
#include "TestFonts.h"

#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

namespace {

// The picture's pixels as dark (0) or light (255), in a picture of that size, light where the
// picture has no pixel.
QImage Thresholded(const QImage& picture, const QSize& size)
{
    QImage result(size, QImage::Format_Grayscale8);
    result.fill(255);
    for (int y = 0; y < qMin(size.height(), picture.height()); ++y) {
        for (int x = 0; x < qMin(size.width(), picture.width()); ++x)
            result.scanLine(y)[x] = qGray(picture.pixel(x, y)) < 128 ? 0 : 255;
    }
    return result;
}

} // namespace

// The TrueType font on a web page, drawn by Chromium with its own anti-aliasing: the pixels
// of the screenshot, dark or light, are those of pixmint-export --png --text.
class TestWebFont : public QObject
{
    Q_OBJECT

private slots:
    void browserDrawsWhatTextDraws_data();
    void browserDrawsWhatTextDraws();

private:
    // Runs a program to its end in the test's folder; its exit code, -1 when it did not end.
    int In(const QString& program, const QStringList& arguments)
    {
        QProcess process;
        process.setWorkingDirectory(_dir.path());
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice()); // Chromium's chatter
        // Chromium keeps crash reports and settings under the home folder whatever its
        // --user-data-dir: the test's folder.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"})
            environment.insert(QLatin1String(name), _dir.path());
        process.setProcessEnvironment(environment);
        process.start(program, arguments);
        return process.waitForFinished(180000) && process.exitStatus() == 0 ? process.exitCode()
                                                                            : -1;
    }

    QTemporaryDir _dir;
};

void TestWebFont::browserDrawsWhatTextDraws_data()
{
    QTest::addColumn<int>("scale"); // CSS pixels a grid pixel: font-size 8 px a grid pixel
    QTest::addColumn<QString>("baseline");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("font"); // imported, or the test's own full font when empty
    const QString x11 = QStringLiteral("/usr/share/fonts/X11/misc/5x8.pcf.gz");
    QString ascii, latin1; // the soft hyphen, 0xad, is not drawn by a browser
    for (int code = 0x21; code < 0x7f; ++code)
        ascii += QChar(code);
    for (int code = 0xa1; code < 0x100; ++code)
        latin1 += code == 0xad ? QString() : QString(QChar(code));
    QTest::newRow("8 px") << 1 << "6" << QStringList{"Hello, World! (x=1) {~}"} << x11;
    QTest::newRow("16 px, two lines")
        << 2 << "6" << QStringList{"Gr\u00fc\u00dfe, \u00e7a a \u00e9t\u00e9 \u00b1\u00bd", "<&>"}
        << x11;
    QTest::newRow("8 px, every printable code, baseline 7")
        << 1 << "7" << QStringList{ascii, latin1} << x11;
    QTest::newRow("16 px, every printable code, baseline 0")
        << 2 << "0" << QStringList{ascii, latin1} << x11;
    QTest::newRow("dense glyphs, 8 px")
        << 1 << "6" << QStringList{"\u00e9\u00b2\u00b1(A+b)*[c]"} << QString();
    QTest::newRow("dense glyphs, 16 px, baseline 0")
        << 2 << "0" << QStringList{"@\u00ae\u00a9", "x=y;z\\"} << QString();
}

void TestWebFont::browserDrawsWhatTextDraws()
{
    QFETCH(int, scale);
    QFETCH(QString, baseline);
    QFETCH(QStringList, lines);
    QFETCH(QString, font);
    const QString chromium = QStandardPaths::findExecutable(QStringLiteral("chromium"));
    if (chromium.isEmpty() || (!font.isEmpty() && !QFile::exists(font)))
        QSKIP("needs chromium and xfonts-base (scripts/lib.sh installs them)");
    if (font.isEmpty())
        QVERIFY(
            TestFiles::Write(_dir.filePath("font.xml"), FontFileWriter::Bytes(*TestFonts::Full())));
    else
        QCOMPARE(In(PIXMINT_IMPORT, {font, "--codes", "0-255", "-o", "font.xml"}), 0);
    QCOMPARE(In(PIXMINT_EXPORT,
                {"font.xml", "--ttf", "font.ttf", "--baseline", baseline, "--png", "text.png",
                 "--scale", QString::number(scale), "--text", lines.join('\n')}),
             0);
    // Each line on whole pixels: its top at --text's (a blank grid row between lines), the
    // line box one em high, so that the baseline is the ascent below it, a whole pixel too.
    QString page = QStringLiteral(
        "<!DOCTYPE html><meta charset=\"utf-8\"><style>@font-face {font-family: Pixmint; "
        "src: url(font.ttf)} body {margin: 0; background: white} div {position: absolute; "
        "left: 0; font: %1px/1 Pixmint; white-space: pre}</style>\n");
    page = page.arg(8 * scale);
    for (int line = 0; line < lines.size(); ++line)
        page += QStringLiteral("<div style=\"top: %1px\">%2</div>\n")
                    .arg(9 * scale * line)
                    .arg(lines[line].toHtmlEscaped());
    QVERIFY(TestFiles::Write(_dir.filePath("page.html"), page.toUtf8()));
    // A margin on the right and below, where nothing may be drawn.
    const QImage text(_dir.filePath("text.png"));
    const QSize window = text.size() + QSize(16, 16);
    const QStringList options = {
        "-k",
        "10",
        "150",
        chromium,
        "--headless",
        "--no-sandbox",
        "--disable-gpu",
        "--disable-quic",
        "--no-first-run",
        "--disable-background-networking",
        "--disable-component-update",
        "--disable-sync",
        "--force-device-scale-factor=1",
        "--hide-scrollbars",
        "--user-data-dir=" + _dir.filePath("profile"),
        "--screenshot=" + _dir.filePath("shot.png"),
        QStringLiteral("--window-size=%1,%2").arg(window.width()).arg(window.height()),
        QUrl::fromLocalFile(_dir.filePath("page.html")).toString()};
    QCOMPARE(In(QStringLiteral("timeout"), options), 0);
    QCOMPARE(Thresholded(QImage(_dir.filePath("shot.png")), window), Thresholded(text, window));
}

QTEST_GUILESS_MAIN(TestWebFont)
#include "tst_webfont.moc"
