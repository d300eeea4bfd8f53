// pixmint-export: the editor's "Export font as C/C++ code" from the command line, for build
// systems, plus a checker for font files and a specimen sheet.
#include "FontFile.h"
#include "FontFileCheck.h"
#include "GlyphSheet.h"

#include <QBuffer>
#include <QCommandLineParser>
#include <QFile>
#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

enum ExitStatus { Success = 0, ProblemsFound = 1, Failure = 2 };

int Fail(const QString& message)
{
    std::fprintf(stderr, "pixmint-export: %s\n", qPrintable(message));
    return Failure;
}

bool WantsSheet(int argc, char* argv[])
{
    return std::any_of(argv + 1, argv + argc, [](const char* argument) {
        return std::strcmp(argument, "--png") == 0 || std::strncmp(argument, "--png=", 6) == 0;
    });
}

int Check(const QString& path)
{
    QByteArray bytes;
    QString error;
    if (!FontFile::ReadBytes(path, bytes, &error))
        return Fail(path + QStringLiteral(": ") + error);
    const QList<FontFileCheck::Problem> problems = FontFileCheck::Check(bytes);
    for (const FontFileCheck::Problem& problem : problems)
        std::printf("%s:%lld: %s\n", qPrintable(path), problem.line, qPrintable(problem.message));
    return problems.isEmpty() ? Success : ProblemsFound;
}

bool WriteToStandardOutput(const QByteArray& bytes)
{
    QFile out;
    return out.open(stdout, QIODevice::WriteOnly | QIODevice::Text) &&
           out.write(bytes) == bytes.size() && out.flush();
}

} // namespace

int main(int argc, char* argv[])
{
    // The specimen sheet draws text, which takes a GUI application; it never needs a display.
    const bool sheet = WantsSheet(argc, argv);
    if (sheet && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::unique_ptr<QCoreApplication> application;
    if (sheet) {
        // Setting up the platform may warn about the desktop session (no runtime folder, for
        // one); none of that concerns a program that only draws into an image, and errors
        // must stay one line.
        const QtMessageHandler previous =
            qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
        application = std::make_unique<QGuiApplication>(argc, argv);
        qInstallMessageHandler(previous);
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(QStringLiteral("pixmint-export"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PIXMINT_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Writes the C/C++ source of a Pixmint font file, byte for byte as the "
                       "editor's \"Export font as C/C++ code\" does."));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("font"), QStringLiteral("The font file to read."),
                                 QStringLiteral("FONT.xml"));
    const QCommandLineOption outputOption(
        {QStringLiteral("o"), QStringLiteral("output")},
        QStringLiteral("Write the C/C++ source to <file>, replacing it as a whole, instead of "
                       "to standard output."),
        QStringLiteral("file"));
    const QCommandLineOption checkOption(
        QStringLiteral("check"),
        QStringLiteral("Report every problem in the font file, one line each with its line "
                       "number, and write nothing. Exit status 1 when there are problems."));
    const QCommandLineOption pngOption(
        QStringLiteral("png"),
        QStringLiteral("Draw every glyph, in font order, on a labelled specimen sheet in <file> "
                       "(PNG). The C/C++ source then goes only where -o says."),
        QStringLiteral("file"));
    const QCommandLineOption scaleOption(
        QStringLiteral("scale"),
        QStringLiteral("Size of one glyph pixel on the specimen sheet, 1 to 64 (default 4)."),
        QStringLiteral("n"), QStringLiteral("4"));
    parser.addOptions({outputOption, checkOption, pngOption, scaleOption});

    if (!parser.parse(QCoreApplication::arguments()))
        return Fail(parser.errorText());
    if (parser.isSet(helpOption))
        parser.showHelp(Success);
    if (parser.isSet(versionOption))
        parser.showVersion();

    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 1) {
        return Fail(
            QStringLiteral("expected one font file, got %1 (see --help)").arg(positional.size()));
    }
    const QString fontPath = positional.first();
    if (parser.isSet(checkOption)) {
        if (parser.isSet(outputOption) || parser.isSet(pngOption))
            return Fail(QStringLiteral("--check writes nothing: it takes neither -o nor --png"));
        return Check(fontPath);
    }
    bool scaleIsNumber = false;
    const int scale = parser.value(scaleOption).toInt(&scaleIsNumber);
    if (!scaleIsNumber || scale < GlyphSheet::MinScale || scale > GlyphSheet::MaxScale) {
        return Fail(QStringLiteral("--scale %1: expected a whole number from %2 to %3")
                        .arg(parser.value(scaleOption))
                        .arg(GlyphSheet::MinScale)
                        .arg(GlyphSheet::MaxScale));
    }

    QString error;
    const std::unique_ptr<FontCharSet> font = FontFile::Load(fontPath, &error);
    if (!font)
        return Fail(fontPath + QStringLiteral(": ") + error);

    // Everything is made before anything is written, so that a failure writes nothing.
    const QByteArray source = FontFile::CSourceBytes(*font);
    QByteArray png;
    if (parser.isSet(pngOption)) {
        const QImage image = GlyphSheet::Render(*font, scale, &error);
        if (image.isNull())
            return Fail(fontPath + QStringLiteral(": ") + error);
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (!image.save(&buffer, "PNG"))
            return Fail(QStringLiteral("the specimen sheet could not be encoded as PNG"));
    }

    if (parser.isSet(outputOption)) {
        const QString outputPath = parser.value(outputOption);
        if (!FontFile::WriteFile(outputPath, source, FontFile::Mode::Text, &error))
            return Fail(outputPath + QStringLiteral(": ") + error);
    } else if (!parser.isSet(pngOption) && !WriteToStandardOutput(source)) {
        return Fail(QStringLiteral("standard output: the source could not be written"));
    }
    if (parser.isSet(pngOption)) {
        const QString pngPath = parser.value(pngOption);
        if (!FontFile::WriteFile(pngPath, png, FontFile::Mode::Binary, &error))
            return Fail(pngPath + QStringLiteral(": ") + error);
    }
    return Success;
}
