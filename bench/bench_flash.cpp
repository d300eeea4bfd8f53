// bench_flash: the flash that a font's data takes in firmware, read from compiled objects.
// Printable ASCII and an icon font of three glyphs, each exported by pixmint-export with its
// character map and as a table of its codes (--range), compiled by the host's compiler and,
// when it is installed, by avr-gcc with the font in program memory; nm gives the size of each
// array. Prints one table against the bytes of the glyphs alone, then one of X11's 5x8 font
// at printable ASCII in each output that a display library takes, as size counts its flash.
#include "FileWriter.h"
#include "FontCharSet.h"
#include "FontFileWriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <cstdio>

namespace {

struct Font
{
    const char* title;
    QString path;
    int glyphs;
    const char* range;
    const char* layout;
};

struct Compiler
{
    const char* title;
    QString compiler;
    QStringList options;
    QString nm;
    const char* storage;
};

QByteArray Run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        qFatal("failed: %s %s\n%s", qPrintable(program), qPrintable(arguments.join(u' ')),
               process.readAllStandardError().constData());
    return process.readAllStandardOutput();
}

// A font whose glyphs each have a few pixels, under names that the character map reads.
QString WriteFont(const QString& path, const QStringList& names)
{
    FontCharSet set;
    set.Clear();
    for (qsizetype index = 0; index < names.size(); ++index) {
        auto glyph = std::make_unique<FontChar>();
        glyph->SetColumn(quint32(index % 5), quint8(index + 1));
        set.StoreRead(names[index], std::move(glyph));
    }
    if (const Status written =
            FileWriter::WriteFile(path, FontFileWriter::Bytes(set), FileWriter::Mode::Text);
        !written)
        qFatal("cannot write %s: %s", qPrintable(path), qPrintable(written.Reason()));
    return path;
}

// The size of each object that nm lists, by name.
QMap<QString, int> Sizes(const QString& nm, const QString& object)
{
    QMap<QString, int> sizes;
    for (const QByteArray& line : Run(nm, {"-S", "--defined-only", object}).split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() == 4)
            sizes[QString::fromLatin1(fields[3])] = fields[1].toInt(nullptr, 16);
    }
    return sizes;
}

// The flash of an object as size counts it: its code and constants, and the initial values
// of its data.
int Flash(const QString& size, const QString& object)
{
    const QList<QByteArray> lines = Run(size, {object}).split('\n');
    const QList<QByteArray> fields = lines.value(1).simplified().split(' ');
    return fields.size() < 2 ? -1 : fields[0].toInt() + fields[1].toInt();
}

// One output of the font, the file it is written to and how it compiles: the file itself,
// or a file that includes it where a font that nothing uses would be left out.
struct Output
{
    const char* title;
    QStringList options;
    const char* file;
    const char* language;
    QStringList flags;
    const char* user = nullptr;
};

// The outputs of the table, the GFX and LVGL fonts against the test suite's stand-ins for
// their libraries' headers.
QList<Output> Outputs()
{
    const QString lvgl = QStringLiteral("-I" PIXMINT_STANDINS "/lvgl");
    return {
        {"C table, `--range 32-126 --const -o`",
         {"--range", "32-126", "--const", "-o"},
         "font.c",
         "c",
         {}},
        // A const of C++ is its file's own: the sketch that uses the font declares it extern.
        {"Adafruit GFX, `--gfx`",
         {"--gfx"},
         "font.h",
         "c++",
         {QStringLiteral("-I" PIXMINT_STANDINS "/gfx")},
         "#include <Adafruit_GFX.h>\nextern const GFXfont font;\n#include \"font.h\"\n"},
        {"u8g2, `--u8g2`", {"--u8g2"}, "font.c", "c", {}},
        {"u8x8, `--u8x8`", {"--u8x8"}, "font.c", "c", {}},
        {"LVGL 8.3, `--lvgl`",
         {"--lvgl"},
         "font.c",
         "c",
         {lvgl, "-DLVGL_VERSION_MAJOR=8", "-DLVGL_VERSION_MINOR=3"}},
        {"LVGL 9.0 to 9.2, `--lvgl`",
         {"--lvgl"},
         "font.c",
         "c",
         {lvgl, "-DLVGL_VERSION_MAJOR=9", "-DLVGL_VERSION_MINOR=0"}},
        {"LVGL 9.3 to 9.5, `--lvgl`",
         {"--lvgl"},
         "font.c",
         "c",
         {lvgl, "-DLVGL_VERSION_MAJOR=9", "-DLVGL_VERSION_MINOR=5"}},
    };
}

// X11's 5x8 font at codes 32 to 126, as the manual measures it beside the libraries' own
// converters: each output compiled with -Os for the host, an ATmega328P and a Cortex-M3.
void PrintOutputs(const QString& bin, const QString& work)
{
    const QString x11 = QStringLiteral("/usr/share/fonts/X11/misc/5x8.pcf.gz");
    if (!QFile::exists(x11)) {
        std::printf("\n%s is not installed (xfonts-base): no table of outputs\n", qPrintable(x11));
        return;
    }
    const QString font = work + QStringLiteral("/x11.xml");
    Run(bin + QStringLiteral("/pixmint-import"), {x11, "--codes", "32-126", "-o", font});
    const std::pair<const char*, QStringList> targets[] = {
        {"", {}},
        {"avr-", {"-mmcu=atmega328p"}},
        {"arm-none-eabi-", {"-mcpu=cortex-m3", "-mthumb"}}};
    std::printf("\n| X11's 5x8, codes 32-126 | host | avr-gcc, ATmega328P | arm-none-eabi-gcc, "
                "Cortex-M3 |\n|---|---|---|---|\n");
    for (const Output& output : Outputs()) {
        QString file = work + QLatin1Char('/') + QLatin1String(output.file);
        Run(bin + QStringLiteral("/pixmint-export"),
            QStringList{font, "--name", "font"} + output.options + QStringList{file});
        if (output.user) {
            file = work + QStringLiteral("/user.cpp");
            QFile user(file);
            if (!user.open(QIODevice::WriteOnly) || user.write(output.user) < 0)
                qFatal("cannot write %s", qPrintable(file));
        }
        std::printf("| %s |", output.title);
        for (const auto& [prefix, flags] : targets) {
            const QString compiler = QLatin1String(prefix) + QStringLiteral("gcc");
            if (QStandardPaths::findExecutable(compiler).isEmpty()) {
                std::printf(" |");
                continue;
            }
            const QString object = work + QStringLiteral("/font.o");
            Run(compiler, flags + output.flags +
                              QStringList{"-x", output.language, "-Os", "-c", file, "-o", object});
            std::printf(" %d |", Flash(QLatin1String(prefix) + QStringLiteral("size"), object));
        }
        std::printf("\n");
    }
    const QString image = work + QStringLiteral("/font.bin");
    Run(bin + QStringLiteral("/pixmint-export"), {font, "--range", "32-126", "--bin", image});
    std::printf("| raw image, `--range 32-126 --bin` | %lld bytes, whatever reads it | | |\n",
                qint64(QFileInfo(image).size()));
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() != 3)
        qFatal("usage: bench_flash BIN-FOLDER WORK-FOLDER");
    const QString exporter = arguments[1] + QStringLiteral("/pixmint-export");
    const QString work = arguments[2];
    QDir().mkpath(work);

    QStringList ascii;
    for (int code = 32; code < 127; ++code)
        ascii << QStringLiteral("C%1  %2").arg(code).arg(code == 32 ? QStringLiteral("Space")
                                                                    : QString(QChar(code)));
    const QList<Font> fonts = {
        {"printable ASCII", WriteFont(work + "/ascii.xml", ascii), 95, "32-126", "columns"},
        {"3 icons for an HD44780",
         WriteFont(work + "/icons.xml", {"bell  0x00", "heart  0x01", "note  0x02"}), 3, "0-2",
         "rows"}};
    QList<Compiler> compilers = {{"host " PIXMINT_CXX_COMPILER,
                                  QStringLiteral(PIXMINT_CXX_COMPILER),
                                  {},
                                  QStringLiteral("nm"),
                                  "--const"}};
    if (!QStandardPaths::findExecutable(QStringLiteral("avr-gcc")).isEmpty())
        compilers.append(
            {"avr-gcc, ATmega328P", "avr-gcc", {"-mmcu=atmega328p"}, "avr-nm", "--progmem"});

    std::printf("| font | layout | compiler | C source | glyph bytes | array | map | flash |\n"
                "|---|---|---|---|---|---|---|---|\n");
    for (const Font& font : fonts) {
        for (const Compiler& compiler : compilers) {
            for (const bool table : {false, true}) {
                const QString source = work + QStringLiteral("/font.c");
                QStringList options = {
                    font.path,  "-o",        source,           "--name",   "font",
                    "--layout", font.layout, compiler.storage, "--header", work + "/font.h"};
                if (table)
                    options << QStringLiteral("--range") << QLatin1String(font.range);
                Run(exporter, options);
                const QString object = work + QStringLiteral("/font.o");
                Run(compiler.compiler, compiler.options + QStringList{"-x", "c", "-std=c99", "-O2",
                                                                      "-c", source, "-o", object});
                const QMap<QString, int> sizes = Sizes(compiler.nm, object);
                const int glyphBytes = font.glyphs * (QLatin1String(font.layout) == "rows" ? 8 : 5);
                const int array = sizes.value(QStringLiteral("font"));
                const int map = sizes.value(QStringLiteral("font_map"));
                std::printf("| %s | %s | %s | %s | %d | %d | %d | %d (%.2fx) |\n", font.title,
                            font.layout, compiler.title,
                            table ? qPrintable(QStringLiteral("--range ") + font.range)
                                  : "character map",
                            glyphBytes, array, map, array + map, double(array + map) / glyphBytes);
            }
        }
    }
    PrintOutputs(arguments[1], work);
    return 0;
}
