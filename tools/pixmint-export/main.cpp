// pixmint-export: the editor's "Export font as C/C++ code" from the command line, for build
// systems, the same array in the forms that firmware takes, a checker for font files, BDF,
// Adafruit GFX and TrueType fonts, a specimen sheet and a preview of text.
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
#include "Message.h"
#include "MessageList.h"

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
                   "--header and --range is given; also BDF, Adafruit GFX and TrueType fonts, a "
                   "specimen sheet and a preview of text.");

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
            Console::OneLine(Message::Text(u"%1:%2: %3", {path, problem.line, problem.message})) +
            QLatin1Char('\n');
    }
    // Standard output may be the font itself (">> font.xml"), which the report must not end.
    FileWriter files;
    files.Protect(path);
    files.AddStandardOutput(report.toLocal8Bit());
    if (tool.Commit(files) != CommandLineTool::Success)
        return CommandLineTool::Failure;
    return problems.isEmpty() ? CommandLineTool::Success : CommandLineTool::ProblemsFound;
}

// One line naming the characters that --text has no glyph for, as many as a list of
// warnings holds.
QString Missing(const QList<char32_t>& missing)
{
    MessageList named;
    for (const char32_t character : missing) {
        if (named.IsFull()) {
            named.AddUnlisted(missing.size() - named.Listed().size());
            break;
        }
        named.Add(Message::Quoted(QString::fromUcs4(&character, 1)) + QStringLiteral(" (") +
                  Message::CodePoint(character) + u')');
    }
    QString line = QStringLiteral("no glyph for ") + named.Listed().join(QStringLiteral(", "));
    if (named.Unlisted() > 0)
        line += Message::Text(u" and %1 more characters", {named.Unlisted()});
    return line + QStringLiteral(": drawn blank");
}

QByteArray Png(const QImage& image)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    return image.save(&buffer, "PNG") ? png : QByteArray();
}

// The C/C++ source goes to standard output unless another output is asked for.
bool SourceToStandardOutput(const ExportOptions& options)
{
    return options.OutputPath().isEmpty() && options.PngPath().isEmpty() &&
           options.BdfPath().isEmpty() && options.GfxPath().isEmpty() &&
           options.TrueTypePath().isEmpty();
}

bool WantsSource(const ExportOptions& options)
{
    return !options.OutputPath().isEmpty() || !options.HeaderPath().isEmpty() ||
           SourceToStandardOutput(options);
}

// The specimen sheet or the text, as PNG; false, with the message, when it cannot be drawn.
bool AddImage(const ExportOptions& options, const QString& fontPath, const FontCharSet& font,
              FileWriter& files, QList<char32_t>& missing, QString& error)
{
    const QImage image =
        options.Text().isEmpty()
            ? GlyphSheet::Render(font, options.Scale(), &error)
            : GlyphSheet::RenderText(font, options.Text(), options.Scale(), &missing, &error);
    if (image.isNull()) {
        error = (options.Text().isEmpty() ? fontPath : QStringLiteral("--text")) +
                QStringLiteral(": ") + error;
        return false;
    }
    const QByteArray png = Png(image);
    if (png.isEmpty()) {
        error = QStringLiteral("the image could not be encoded as PNG");
        return false;
    }
    files.Add(options.PngPath(), png, FileWriter::Mode::Binary);
    return true;
}

// Every output that the command line asks for, and only those: the C source of a million
// glyphs costs as much as reading them. False, with the message, when one cannot be made.
bool AddOutputs(const ExportOptions& options, const QString& fontPath, const FontCharSet& font,
                FileWriter& files, QList<char32_t>& missing, QString& error)
{
    const CSourceWriter& writer = options.Writer();
    const bool source = WantsSource(options);
    const bool bdf = !options.BdfPath().isEmpty();
    const bool gfx = !options.GfxPath().isEmpty();
    const bool trueType = !options.TrueTypePath().isEmpty();
    if ((source && !writer.Accepts(font, &error)) || (bdf && !BdfWriter::Accepts(font, &error)) ||
        (trueType && !TrueTypeWriter::Accepts(font, &error))) {
        error = fontPath + QStringLiteral(": ") + error;
        return false;
    }
    // In the user's encoding, as the editor exports.
    const QByteArray encoding = source || gfx ? Console::LocaleEncoding() : QByteArray();
    if (!options.OutputPath().isEmpty())
        files.Add(options.OutputPath(), writer.SourceBytes(font, encoding), FileWriter::Mode::Text);
    if (!options.HeaderPath().isEmpty())
        files.Add(options.HeaderPath(), writer.HeaderBytes(font, encoding), FileWriter::Mode::Text);
    if (!options.PngPath().isEmpty() && !AddImage(options, fontPath, font, files, missing, error))
        return false;
    // BDF is ASCII with LF line ends on every system.
    if (bdf)
        files.Add(options.BdfPath(), options.Bdf().Bytes(font), FileWriter::Mode::Binary);
    if (gfx)
        files.Add(options.GfxPath(), options.Gfx().Bytes(font, encoding), FileWriter::Mode::Text);
    if (trueType)
        files.Add(options.TrueTypePath(), options.TrueType().Bytes(font), FileWriter::Mode::Binary);
    if (SourceToStandardOutput(options))
        files.AddStandardOutput(writer.SourceBytes(font, encoding));
    return true;
}

// What the outputs written cannot say although the font does, the first of them in full.
MessageList Warnings(const ExportOptions& options, const FontCharSet& font,
                     const QList<char32_t>& missing)
{
    MessageList warnings;
    if (WantsSource(options))
        options.Writer().Warnings(font, warnings);
    if (!missing.isEmpty())
        warnings.Add(Missing(missing));
    if (!options.BdfPath().isEmpty())
        options.Bdf().Warnings(font, warnings);
    if (!options.GfxPath().isEmpty())
        options.Gfx().Warnings(font, warnings);
    if (!options.TrueTypePath().isEmpty())
        options.TrueType().Warnings(font, warnings);
    return warnings;
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
    // Tens of megabytes for a large font, which its outputs need no more.
    bytes = QByteArray();

    // Every output is made, then written beside its target, before any target is replaced:
    // a failure writes nothing, and no output may replace the font or another output.
    FileWriter files;
    files.Protect(fontPath);
    QList<char32_t> missing;
    if (!AddOutputs(options, fontPath, *font, files, missing, error))
        return tool.Fail(error);
    if (tool.Commit(files) != CommandLineTool::Success)
        return CommandLineTool::Failure;
    tool.Warn(Warnings(options, *font, missing));
    return CommandLineTool::Success;
}
