// pixmint-export: the editor's "Export font as C/C++ code" from the command line, for build
// systems, plus a checker for font files and a specimen sheet.
#include "FileWriter.h"
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

// Every message is one line, whatever a path or a font file holds.
int Fail(const QString& message)
{
    std::fprintf(stderr, "pixmint-export: %s\n",
                 FontCharSet::VisibleText(message).toLocal8Bit().constData());
    return Failure;
}

bool WantsSheet(int argc, char* argv[])
{
    return std::any_of(argv + 1, argv + argc, [](const char* argument) {
        return std::strcmp(argument, "--png") == 0 || std::strncmp(argument, "--png=", 6) == 0;
    });
}

// The toolkit is given no arguments: it must not read -platform or the like from them, and
// the converter's own options are all that is accepted.
std::unique_ptr<QCoreApplication> MakeApplication(bool drawing, char* program)
{
    static int argc = 1;
    static char* argv[] = {program, nullptr};
    if (!drawing)
        return std::make_unique<QCoreApplication>(argc, argv);
    // Drawing text takes a GUI application, but the converter never shows a window: it
    // draws offscreen whatever the environment names. Setting up the platform may warn
    // about the desktop session (no runtime folder, for one), which does not concern a
    // program that draws into an image; critical and fatal messages still go through.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QtMessageHandler previous = nullptr;
    previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (type == QtCriticalMsg || type == QtFatalMsg)
                previous(type, context, message);
        });
    auto application = std::make_unique<QGuiApplication>(argc, argv);
    qInstallMessageHandler(previous);
    return application;
}

// Standard output with every failure noticed: a report that cannot be written is an error.
bool WriteToStandardOutput(const QByteArray& bytes)
{
    QFile out;
    return out.open(stdout, QIODevice::WriteOnly | QIODevice::Text) &&
           out.write(bytes) == bytes.size() && out.flush();
}

int Check(const QString& path)
{
    QByteArray bytes;
    QString error;
    if (!FontFile::ReadBytes(path, bytes, &error))
        return Fail(path + QStringLiteral(": ") + error);
    const QList<FontFileCheck::Problem> problems = FontFileCheck::Check(bytes);
    QString report;
    for (const FontFileCheck::Problem& problem : problems) {
        report +=
            FontCharSet::VisibleText(
                QStringLiteral("%1:%2: %3").arg(path).arg(problem.line).arg(problem.message)) +
            QLatin1Char('\n');
    }
    if (!WriteToStandardOutput(report.toLocal8Bit()))
        return Fail(QStringLiteral("standard output: the report could not be written"));
    return problems.isEmpty() ? Success : ProblemsFound;
}

} // namespace

int main(int argc, char* argv[])
{
    const std::unique_ptr<QCoreApplication> application =
        MakeApplication(WantsSheet(argc, argv), argv[0]);
    QCoreApplication::setApplicationName(QStringLiteral("pixmint-export"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PIXMINT_VERSION));
    QStringList arguments;
    for (int index = 0; index < argc; ++index)
        arguments << QString::fromLocal8Bit(argv[index]);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Writes the C/C++ source of a Pixmint font file, byte for byte as the "
                       "editor's \"Export font as C/C++ code\" does."));
    const QCommandLineOption helpOption({QStringLiteral("h"), QStringLiteral("help")},
                                        QStringLiteral("Show this help and exit."));
    const QCommandLineOption versionOption({QStringLiteral("v"), QStringLiteral("version")},
                                           QStringLiteral("Show the version and exit."));
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
    parser.addOptions(
        {helpOption, versionOption, outputOption, checkOption, pngOption, scaleOption});

    if (!parser.parse(arguments))
        return Fail(parser.errorText());
    if (parser.isSet(helpOption) || parser.isSet(versionOption)) {
        const QString text = parser.isSet(helpOption)
                                 ? parser.helpText()
                                 : QStringLiteral("pixmint-export " PIXMINT_VERSION "\n");
        if (!WriteToStandardOutput(text.toLocal8Bit()))
            return Fail(QStringLiteral("standard output: the text could not be written"));
        return Success;
    }

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

    // Every output is made, then written beside its target, before any target is replaced:
    // a failure writes nothing, and no output may replace the font or another output.
    const QByteArray source = FontFile::CSourceBytes(*font);
    FileWriter writer;
    writer.Protect(fontPath);
    if (parser.isSet(outputOption))
        writer.Add(parser.value(outputOption), source, FileWriter::Mode::Text);
    if (parser.isSet(pngOption)) {
        const QImage image = GlyphSheet::Render(*font, scale, &error);
        if (image.isNull())
            return Fail(fontPath + QStringLiteral(": ") + error);
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (!image.save(&buffer, "PNG"))
            return Fail(QStringLiteral("the specimen sheet could not be encoded as PNG"));
        writer.Add(parser.value(pngOption), png, FileWriter::Mode::Binary);
    }
    if (!writer.Commit())
        return Fail(writer.FailedPath() + QStringLiteral(": ") + writer.Reason());
    if (!parser.isSet(outputOption) && !parser.isSet(pngOption) && !WriteToStandardOutput(source))
        return Fail(QStringLiteral("standard output: the source could not be written"));
    return Success;
}
