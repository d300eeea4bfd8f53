// pixmint-bench: generates font files of growing size, times every operation of the editor
// and the converter on them, each in a process of its own, and prints one table with the
// peak memory of each process and the ratio to its floor.
//
// Floors: a bare Qt Widgets program for the editor's start-up, "xmllint --noout" for reading
// a font file from the command line. For the operations inside the editor the ratio is
// their growth: the time per glyph against the time per glyph at 1,000 glyphs.
#include "BenchFonts.h"
#include "BenchProcess.h"
#include "TrueTypeWriter.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMap>

#include <algorithm>
#include <cstdio>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace {

using BenchProcess::Measure;
using BenchProcess::Median;
using BenchProcess::RunProcess;
using BenchProcess::SharedObjects;

const QList<int> Sizes = {86, 1000, 10000, 100000};

QString Time(double milliseconds)
{
    return milliseconds < 10 ? QString::number(milliseconds, 'f', 2) + QStringLiteral(" ms")
                             : QString::number(milliseconds, 'f', 1) + QStringLiteral(" ms");
}

void Row(const QString& operation, const QString& size, const Measure& measure,
         const QString& ratio)
{
    std::printf("| %s | %s | %s | %.1f MiB | %s |\n", qPrintable(operation), qPrintable(size),
                qPrintable(Time(measure.milliseconds)), measure.peakMiB, qPrintable(ratio));
    std::fflush(stdout);
}

QString Ratio(double value)
{
    return QString::number(value, 'f', 2) + QStringLiteral("x");
}

// pixmint-font on a copy of a font: an edit against what it does at least, opening and
// writing the file in one process (bench_operations read-write), and the commands that print.
void FontCommands(const QString& bin, const QString& work, const QString& font, int size, int runs)
{
    const QString copy = work + QStringLiteral("/edit-%1.xml").arg(size);
    QFile::remove(copy);
    if (!QFile::copy(font, copy))
        qFatal("cannot copy %s", qPrintable(font));
    const QString program = bin + QStringLiteral("/pixmint-font");
    const QString name = QStringLiteral("bench glyph");
    RunProcess({program, "add", copy, name});
    const Measure floor =
        Median({bin + "/bench_operations", "read-write", copy, QString::number(runs)}, 1, true);
    // Each run draws other pixels, so that each writes the file.
    std::vector<Measure> edits;
    for (int run = 0; run < runs; ++run) {
        const QString rows =
            run % 2 ? QStringLiteral("#..../...../...../...../...../...../...../.....")
                    : QStringLiteral(".#.../...../...../...../...../...../...../.....");
        edits.push_back(RunProcess({program, "draw", copy, name, rows}));
    }
    std::sort(edits.begin(), edits.end(),
              [](const Measure& a, const Measure& b) { return a.milliseconds < b.milliseconds; });
    const Measure edit = edits[edits.size() / 2];
    const Measure list = Median({program, "list", copy}, runs);
    const Measure show = Median({program, "show", copy}, runs);
    auto toFloor = [&](const Measure& measure) {
        return Ratio(measure.milliseconds / floor.milliseconds) +
               QStringLiteral(" time vs open and write");
    };
    const QString glyphs = QString::number(size + 1);
    Row(QStringLiteral("open a font file and write it whole (floor of an edit)"), glyphs, floor,
        "1.00x");
    Row(QStringLiteral("pixmint-font draw"), glyphs, edit, toFloor(edit));
    Row(QStringLiteral("pixmint-font list"), glyphs, list, toFloor(list));
    Row(QStringLiteral("pixmint-font show"), glyphs, show, toFloor(show));
}

// The editor's start-up to its first frame against bare Qt Widgets windows.
void StartUp(const QString& bin, bool quick)
{
    const int startupRuns = quick ? 3 : 21;
    const Measure bare = Median({bin + "/bench_startup", "bare"}, startupRuns);
    const Measure text = Median({bin + "/bench_startup", "text"}, startupRuns);
    const Measure editor = Median({bin + "/bench_startup", "editor"}, startupRuns);
    auto idleMiB = [](const Measure& measure) {
        const QList<QByteArray> words = measure.output.simplified().split(' ');
        const qsizetype at = words.indexOf("VmRSS:");
        return at >= 0 && at + 1 < words.size() ? words[at + 1].toDouble() / 1024.0 : 0.0;
    };
    auto against = [&](const Measure& floor) {
        return Ratio(editor.milliseconds / floor.milliseconds) + QStringLiteral(" time, ") +
               Ratio(idleMiB(editor) / idleMiB(floor)) + QStringLiteral(" idle memory");
    };
    auto idle = [&](const Measure& measure) {
        return QStringLiteral("idle %1 MiB").arg(idleMiB(measure), 0, 'f', 1);
    };
    Row(QStringLiteral("start-up to first frame: empty Qt Widgets window (floor)"), "-", bare,
        idle(bare));
    Row(QStringLiteral("start-up to first frame: Qt Widgets window with a line of text (floor)"),
        "-", text, idle(text));
    Row(QStringLiteral("start-up to first frame: editor"), "86", editor,
        idle(editor) + QStringLiteral("; ") + against(bare) + QStringLiteral(" vs empty; ") +
            against(text) + QStringLiteral(" vs text"));
}

// Each operation inside the editor at each size, against its time per glyph at 1,000.
void Operations(const QString& bin, const QMap<int, QString>& fonts, bool quick)
{
    const QList<QPair<QString, QString>> operations = {
        {"read", "open a font file (stream reader)"},
        {"read-dom", "open a font file through the DOM (the former route)"},
        {"write", "write the font file"},
        {"export", "write the C source"},
        {"export-firmware", "write the C source and header, layout rows, const"},
        {"export-gfx", "write the GFX header, codes 32 to 126"},
        {"export-ttf", "write the TrueType font"},
        {"fill-list", "fill the list of names"},
        {"select-last", "select the last name"}};
    for (const auto& [operation, described] : operations) {
        double perGlyphAt1000 = 0;
        for (int size : Sizes) {
            // TrueType holds at most 65,534 glyphs besides .notdef.
            if (operation == "export-ttf" && size > int(TrueTypeWriter::MaxGlyphs))
                continue;
            const int runs = quick ? 1 : (size >= 100000 ? 3 : 5);
            const Measure measure =
                Median({bin + "/bench_operations", operation, fonts[size], QString::number(runs)},
                       1, true);
            const double perGlyph = measure.milliseconds / size;
            if (size == 1000)
                perGlyphAt1000 = perGlyph;
            const QString ratio = size > 1000 ? Ratio(perGlyph / perGlyphAt1000) +
                                                    QStringLiteral(" per glyph vs 1,000")
                                              : QStringLiteral("-");
            Row(described, QString::number(size), measure, ratio);
        }
    }
}

// The converter on a font file of that size against reading it with xmllint.
void Converter(const QString& bin, const QString& work, const QString& font, int size, bool quick)
{
    const int runs = quick ? 1 : 5;
    const Measure floor = Median({"xmllint", "--noout", font}, runs);
    const Measure converter =
        Median({bin + "/pixmint-export", font, "-o", work + "/export.cpp"}, runs);
    const Measure firmware =
        Median({bin + "/pixmint-export", font, "-o", work + "/export.c", "--layout", "rows",
                "--name", "font", "--const", "--header", work + "/export.h"},
               runs);
    // A table of the printable codes: its size does not grow with the font, the reading
    // does. A random font lacks most of them, which one line on standard error names.
    const Measure table =
        Median({bin + "/pixmint-export", font, "-o", work + "/export.c", "--range", "32-126",
                "--name", "font", "--const", "--header", work + "/export.h"},
               runs);
    // The checker reads the font as the export does and reports instead of writing.
    // Exit status 1: a random font may well give two glyphs one character.
    const Measure check = Median({bin + "/pixmint-export", "--check", font}, runs, false, 1);
    auto toFloor = [&](const Measure& measure) {
        return Ratio(measure.milliseconds / floor.milliseconds) + QStringLiteral(" time, ") +
               Ratio(measure.peakMiB / floor.peakMiB) + QStringLiteral(" memory");
    };
    Row(QStringLiteral("xmllint --noout (floor)"), QString::number(size), floor, "1.00x");
    Row(QStringLiteral("pixmint-export -o"), QString::number(size), converter, toFloor(converter));
    Row(QStringLiteral("pixmint-export -o --layout rows --const --header"), QString::number(size),
        firmware, toFloor(firmware));
    Row(QStringLiteral("pixmint-export -o --range 32-126 --const --header"), QString::number(size),
        table, toFloor(table));
    Row(QStringLiteral("pixmint-export --check"), QString::number(size), check,
        toFloor(check) + QStringLiteral("; ") + Ratio(check.milliseconds / converter.milliseconds) +
            QStringLiteral(" vs -o"));
}

// Each output alone at a million glyphs: only what is asked for is made, so the BDF font and a
// line of text cost no more than the C source.
void LargeFont(const QString& bin, const QString& work, bool quick)
{
    const QString large = BenchFonts::GenerateLargeFont(work);
    const int runs = quick ? 1 : 3;
    const QString exporter = bin + "/pixmint-export";
    const Measure source = Median({exporter, large, "-o", work + "/large.c"}, runs);
    const Measure bdf = Median({exporter, large, "--bdf", work + "/large.bdf"}, runs);
    const Measure preview =
        Median({exporter, large, "--png", work + "/large.png", "--text", "Hello"}, runs);
    auto toSource = [&](const Measure& measure) {
        return Ratio(measure.milliseconds / source.milliseconds) + QStringLiteral(" time, ") +
               Ratio(measure.peakMiB / source.peakMiB) + QStringLiteral(" memory vs -o");
    };
    Row(QStringLiteral("pixmint-export -o"), "1000000", source, "1.00x");
    Row(QStringLiteral("pixmint-export --bdf"), "1000000", bdf, toSource(bdf));
    Row(QStringLiteral("pixmint-export --png --text"), "1000000", preview, toSource(preview));
}

// The fonts of each size, and the large one, generated in a child process, so that the memory
// it takes is not this process's.
QMap<int, QString> Fonts(const QString& work)
{
    QMap<int, QString> fonts;
    for (int size : Sizes)
        fonts[size] = QStringLiteral("%1/font-%2.xml").arg(work).arg(size);
    const pid_t generator = fork();
    if (generator == 0) {
        for (int size : Sizes)
            BenchFonts::GenerateFont(work, size);
        BenchFonts::GenerateLargeFont(work);
        _exit(0);
    }
    int status = 0;
    waitpid(generator, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        qFatal("generating the fonts failed");
    return fonts;
}

// The converter's start-up, which a firmware build pays once a font: a GFX header of X11's
// 5x8 font against a plain C program on FreeType that writes such a header from the font.
void ConverterStartup(const QString& bin, const QString& work, int runs)
{
    const QString pcf = QStringLiteral("/usr/share/fonts/X11/misc/5x8.pcf.gz");
    const QString font = work + QStringLiteral("/x11-5x8.xml");
    RunProcess({bin + "/pixmint-import", pcf, "--codes", "32-126", "-o", font});
    const QStringList floorCommand = {bin + "/bench_gfx_floor", pcf, "32", "126",
                                      work + "/floor.h"};
    const QStringList exportCommand = {bin + "/pixmint-export", font, "--gfx", work + "/gfx.h"};
    const Measure floor = Median(floorCommand, runs);
    const Measure converter = Median(exportCommand, runs);
    auto libraries = [&](const QStringList& command) {
        return QStringLiteral("%1 shared libraries").arg(SharedObjects(work, command));
    };
    Row(QStringLiteral("C program on FreeType: 5x8.pcf.gz to a GFX header (floor)"), "95", floor,
        libraries(floorCommand));
    Row(QStringLiteral("pixmint-export font.xml --gfx f.h"), "95", converter,
        Ratio(converter.milliseconds / floor.milliseconds) + QStringLiteral(" time, ") +
            libraries(exportCommand));
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Times Pixmint against its floors."));
    parser.addHelpOption();
    const QCommandLineOption binOption(QStringLiteral("bin"),
                                       QStringLiteral("Folder of the programs to time."),
                                       QStringLiteral("folder"));
    const QCommandLineOption workOption(QStringLiteral("work"),
                                        QStringLiteral("Folder for the generated fonts."),
                                        QStringLiteral("folder"));
    const QCommandLineOption quickOption(QStringLiteral("quick"),
                                         QStringLiteral("Fewer runs, for a smoke test."));
    parser.addOptions({binOption, workOption, quickOption});
    parser.process(application);
    const QString bin = parser.value(binOption);
    const QString work = parser.value(workOption);
    const bool quick = parser.isSet(quickOption);
    if (bin.isEmpty() || work.isEmpty())
        parser.showHelp(2);
    QDir().mkpath(work);
    BenchProcess::SetUp(bin + QStringLiteral("/bench_spawn"),
                        work + QStringLiteral("/spawn-result.txt"));
    const QMap<int, QString> fonts = Fonts(work);

    std::printf("| operation | glyphs | time | peak memory | ratio |\n|---|---|---|---|---|\n");
    StartUp(bin, quick);
    ConverterStartup(bin, work, quick ? 3 : 21);
    Operations(bin, fonts, quick);
    for (int size : Sizes)
        FontCommands(bin, work, fonts[size], size, quick ? 1 : 5);
    for (int size : Sizes)
        Converter(bin, work, fonts[size], size, quick);
    LargeFont(bin, work, quick);
    return 0;
}
