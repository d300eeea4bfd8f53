// bench_flash: the flash that a font's data takes in firmware, read from compiled objects.
// Printable ASCII and an icon font of three glyphs, each exported by pixmint-export with its
// character map and as a table of its codes (--range), compiled by the host's compiler and,
// when it is installed, by avr-gcc with the font in program memory; nm gives the size of each
// array. Prints one table against the bytes of the glyphs alone.
#include "FileWriter.h"
#include "FontCharSet.h"
#include "FontFileWriter.h"

#include <QCoreApplication>
#include <QDir>
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
    QString error;
    if (!FileWriter::WriteFile(path, FontFileWriter::Bytes(set), FileWriter::Mode::Text, &error))
        qFatal("cannot write %s: %s", qPrintable(path), qPrintable(error));
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
    return 0;
}
