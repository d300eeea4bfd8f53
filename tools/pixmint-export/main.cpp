// pixmint-export: the editor's "Export font as C/C++ code" from the command line, for build
// systems, the same array in the forms that firmware takes, a checker for font files, a
// specimen sheet and a preview of text.
#include "ExportOptions.h"
#include "FileWriter.h"
#include "FontFile.h"
#include "FontFileCheck.h"
#include "GlyphSheet.h"

#include <QBuffer>
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
    if (!FileWriter::WriteStandardOutput(report.toLocal8Bit()))
        return Fail(QStringLiteral("standard output: the report could not be written"));
    return problems.isEmpty() ? Success : ProblemsFound;
}

void Warn(const QString& message)
{
    std::fprintf(stderr, "pixmint-export: warning: %s\n",
                 FontCharSet::VisibleText(message).toLocal8Bit().constData());
}

// One line naming each character that --text has no glyph for.
void WarnMissing(const QList<char32_t>& missing)
{
    QStringList named;
    for (const char32_t character : missing) {
        named << QStringLiteral("\"%1\" (U+%2)")
                     .arg(QString::fromUcs4(&character, 1),
                          QString::number(uint(character), 16).toUpper().rightJustified(4, u'0'));
    }
    Warn(QStringLiteral("no glyph for %1: drawn blank").arg(named.join(QStringLiteral(", "))));
}

} // namespace

int main(int argc, char* argv[])
{
    const std::unique_ptr<QCoreApplication> application =
        MakeApplication(WantsSheet(argc, argv), argv[0]);
    QCoreApplication::setApplicationName(QStringLiteral("pixmint-export"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PIXMINT_VERSION));
    QStringList arguments;
    QString error;
    if (!FontFile::DecodeArguments(argc, argv, arguments, &error))
        return Fail(error);
    ExportOptions options;
    if (!options.Parse(arguments))
        return Fail(options.Error());
    if (options.WhatToDo() == ExportOptions::Action::Help ||
        options.WhatToDo() == ExportOptions::Action::Version) {
        const QString text = options.WhatToDo() == ExportOptions::Action::Help
                                 ? options.HelpText()
                                 : QStringLiteral("pixmint-export " PIXMINT_VERSION "\n");
        if (!FileWriter::WriteStandardOutput(text.toLocal8Bit()))
            return Fail(QStringLiteral("standard output: the text could not be written"));
        return Success;
    }
    const QString& fontPath = options.FontPath();
    if (options.WhatToDo() == ExportOptions::Action::Check)
        return Check(fontPath);

    const std::unique_ptr<FontCharSet> font = FontFile::Load(fontPath, &error);
    if (!font)
        return Fail(fontPath + QStringLiteral(": ") + error);
    const CSourceWriter& writer = options.Writer();
    if (!writer.Accepts(*font, &error))
        return Fail(fontPath + QStringLiteral(": ") + error);

    // Every output is made, then written beside its target, before any target is replaced:
    // a failure writes nothing, and no output may replace the font or another output.
    const QByteArray source = writer.SourceBytes(*font);
    FileWriter files;
    files.Protect(fontPath);
    if (!options.OutputPath().isEmpty())
        files.Add(options.OutputPath(), source, FileWriter::Mode::Text);
    if (!options.HeaderPath().isEmpty())
        files.Add(options.HeaderPath(), writer.HeaderBytes(*font), FileWriter::Mode::Text);
    QList<char32_t> missing;
    if (!options.PngPath().isEmpty()) {
        const QImage image =
            options.Text().isEmpty()
                ? GlyphSheet::Render(*font, options.Scale(), &error)
                : GlyphSheet::RenderText(*font, options.Text(), options.Scale(), &missing, &error);
        if (image.isNull()) {
            return Fail((options.Text().isEmpty() ? fontPath : QStringLiteral("--text")) +
                        QStringLiteral(": ") + error);
        }
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (!image.save(&buffer, "PNG"))
            return Fail(QStringLiteral("the image could not be encoded as PNG"));
        files.Add(options.PngPath(), png, FileWriter::Mode::Binary);
    }
    if (options.OutputPath().isEmpty() && options.PngPath().isEmpty())
        files.AddStandardOutput(source);
    if (!files.Commit())
        return Fail(files.FailedPath() + QStringLiteral(": ") + files.Reason());
    if (!options.HeaderPath().isEmpty()) {
        for (const QString& warning : writer.Warnings(*font))
            Warn(warning);
    }
    if (!missing.isEmpty())
        WarnMissing(missing);
    return Success;
}
