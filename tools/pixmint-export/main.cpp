// pixmint-export: the editor's "Export font as C/C++ code" from the command line, for build
// systems, the same array in the forms that firmware takes, a checker for font files, a BDF
// font, a specimen sheet and a preview of text.
#include "CommandLineTool.h"
#include "Console.h"
#include "ExportOptions.h"
#include "FileReader.h"
#include "FileWriter.h"
#include "FontCharSet.h"
#include "FontFileCheck.h"
#include "FontFileGuard.h"
#include "FontFileReader.h"
#include "GlyphSheet.h"

#include <QBuffer>
#include <QGuiApplication>

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

// What --help says of the program.
const QString Description =
    QStringLiteral("Writes the C/C++ source of a Pixmint font file, byte for byte as the "
                   "editor's \"Export font as C/C++ code\" does, or in the form that "
                   "firmware takes when any of --layout, --name, --const, --progmem, "
                   "--header and --range is given; also a BDF font, a specimen sheet and a "
                   "preview of text.");

const QList<HelpText::Example> Examples = {
    {QStringLiteral("Write the source and header of a firmware table, codes 32 to 126, rows:"),
     QStringLiteral("pixmint-export --layout rows --range 32-126 --header font.h \\\n"
                    "-o font.c font.xml")},
    {QStringLiteral("Report every problem in a font file:"),
     QStringLiteral("pixmint-export --check font.xml")},
    {QStringLiteral("Draw every glyph, labelled, on a specimen sheet:"),
     QStringLiteral("pixmint-export --png sheet.png font.xml")}};

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

int Check(const CommandLineTool& tool, const QString& path, const QByteArray& bytes)
{
    const QList<FontFileCheck::Problem> problems = FontFileCheck::Check(bytes);
    QString report;
    for (const FontFileCheck::Problem& problem : problems) {
        report +=
            Console::VisibleText(
                QStringLiteral("%1:%2: %3").arg(path).arg(problem.line).arg(problem.message)) +
            QLatin1Char('\n');
    }
    // Standard output may be the font itself (">> font.xml"), which the report must not end.
    FileWriter files;
    files.Protect(path);
    files.AddStandardOutput(report.toLocal8Bit());
    if (!files.Commit())
        return tool.Fail(files.FailedPath() + QStringLiteral(": ") + files.Reason());
    return problems.isEmpty() ? CommandLineTool::Success : CommandLineTool::ProblemsFound;
}

// One line naming each character that --text has no glyph for.
QString Missing(const QList<char32_t>& missing)
{
    QStringList named;
    for (const char32_t character : missing) {
        named << QStringLiteral("\"%1\" (U+%2)")
                     .arg(QString::fromUcs4(&character, 1),
                          QString::number(uint(character), 16).toUpper().rightJustified(4, u'0'));
    }
    return QStringLiteral("no glyph for %1: drawn blank").arg(named.join(QStringLiteral(", ")));
}

QByteArray Png(const QImage& image)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    return image.save(&buffer, "PNG") ? png : QByteArray();
}

} // namespace

int main(int argc, char* argv[])
{
    const std::unique_ptr<QCoreApplication> application =
        MakeApplication(WantsSheet(argc, argv), argv[0]);
    CommandLineTool tool(QStringLiteral("pixmint-export"), Description, Examples);
    ExportOptions options(tool.Parser());
    int status = CommandLineTool::Success;
    if (!tool.Parse(argc, argv, options, status))
        return status;

    const QString& fontPath = tool.FontPath();
    QString error;
    QByteArray bytes;
    if (!FileReader::ReadBytes(fontPath, FontFileGuard::MaxFileSize, bytes, &error))
        return tool.Fail(fontPath + QStringLiteral(": ") + error);
    if (options.IsCheck())
        return Check(tool, fontPath, bytes);
    const std::unique_ptr<FontCharSet> font = FontFileReader::Read(bytes, &error);
    if (!font)
        return tool.Fail(fontPath + QStringLiteral(": ") + error);
    const CSourceWriter& writer = options.Writer();
    if (!writer.Accepts(*font, &error) ||
        (!options.BdfPath().isEmpty() && !BdfWriter::Accepts(*font, &error)))
        return tool.Fail(fontPath + QStringLiteral(": ") + error);

    // Every output is made, then written beside its target, before any target is replaced:
    // a failure writes nothing, and no output may replace the font or another output.
    // In the user's encoding, as the editor exports.
    const QByteArray encoding = Console::LocaleEncoding();
    const QByteArray source = writer.SourceBytes(*font, encoding);
    FileWriter files;
    files.Protect(fontPath);
    if (!options.OutputPath().isEmpty())
        files.Add(options.OutputPath(), source, FileWriter::Mode::Text);
    if (!options.HeaderPath().isEmpty())
        files.Add(options.HeaderPath(), writer.HeaderBytes(*font, encoding),
                  FileWriter::Mode::Text);
    QList<char32_t> missing;
    if (!options.PngPath().isEmpty()) {
        const QImage image =
            options.Text().isEmpty()
                ? GlyphSheet::Render(*font, options.Scale(), &error)
                : GlyphSheet::RenderText(*font, options.Text(), options.Scale(), &missing, &error);
        if (image.isNull()) {
            return tool.Fail((options.Text().isEmpty() ? fontPath : QStringLiteral("--text")) +
                             QStringLiteral(": ") + error);
        }
        const QByteArray png = Png(image);
        if (png.isEmpty())
            return tool.Fail(QStringLiteral("the image could not be encoded as PNG"));
        files.Add(options.PngPath(), png, FileWriter::Mode::Binary);
    }
    // BDF is ASCII with LF line ends on every system.
    if (!options.BdfPath().isEmpty())
        files.Add(options.BdfPath(), options.Bdf().Bytes(*font), FileWriter::Mode::Binary);
    if (options.OutputPath().isEmpty() && options.PngPath().isEmpty() &&
        options.BdfPath().isEmpty())
        files.AddStandardOutput(source);
    if (!files.Commit())
        return tool.Fail(files.FailedPath() + QStringLiteral(": ") + files.Reason());
    for (const QString& warning : writer.Warnings(*font))
        tool.Warn(warning);
    if (!options.BdfPath().isEmpty()) {
        for (const QString& warning : options.Bdf().Warnings(*font))
            tool.Warn(warning);
    }
    if (!missing.isEmpty())
        tool.Warn(Missing(missing));
    return CommandLineTool::Success;
}
