// pixmint-export: the editor's "Export font as C/C++ code" from the command line, for build
// systems, the same array in the forms that firmware takes, a checker for font files, fonts
// for other programs and display libraries, images for external flash, a specimen sheet and a
// preview of text.
#include "CommandLineTool.h"
#include "Console.h"
#include "ExportOptions.h"
#include "ExportVocabulary.h"
#include "FileWriter.h"
#include "FontCharSet.h"
#include "FontFileCheck.h"
#include "FontFileOpen.h"
#include "FontFileReader.h"
#include "Message.h"
#include "MessageList.h"
#include "Status.h"
#include "TextEscape.h"

#include <QCoreApplication>

#include <algorithm>
#include <memory>
#include <set>
#include <vector>

namespace {

// What --help says of the program.
const QString Description =
    QStringLiteral("Writes the C/C++ source of a Pixmint font file, byte for byte as the "
                   "editor's \"Export font as C/C++ code\" does, or in the form that "
                   "firmware takes when any of --layout, --name, --const, --progmem, "
                   "--header, --range and --chars is given; also BDF, Adafruit GFX, u8g2, "
                   "u8x8, LVGL and TrueType fonts, the table as a raw or Intel HEX image for "
                   "external flash, a specimen sheet and a preview of text.");

const QList<HelpText::Example> Examples = {
    {QStringLiteral("Write the source and header of a firmware table, codes 32 to 126, rows:"),
     QStringLiteral("pixmint-export --layout rows --range 32-126 --header font.h \\\n"
                    "-o font.c font.xml")},
    {QStringLiteral("Report every problem in a font file:"),
     QStringLiteral("pixmint-export --check font.xml")},
    {QStringLiteral("Draw every glyph, labelled, on a specimen sheet:"),
     QStringLiteral("pixmint-export --png sheet.png font.xml")}};

int Check(const CommandLineTool& tool, const QString& path, const QByteArray& bytes)
{
    const QList<FontFileCheck::Problem> problems = FontFileCheck::Check(bytes);
    QString report;
    for (const FontFileCheck::Problem& problem : problems) {
        report +=
            TextEscape::Escaped(Message::Text(u"%1:%2: %3", {path, problem.line, problem.message}),
                                TextEscape::Where::Line) +
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

// One output asked for: its format, made from the options, and its file (empty for standard
// output); only the first of a family warns. Each is checked: the Intel HEX refuses an
// address that the raw image beside it knows nothing of.
struct Output
{
    const ExportFormats::Format& format;
    QString path;
    std::unique_ptr<OutputFormat> made;
    bool first;
};

std::vector<Output> MakeOutputs(const ExportOptions& options)
{
    std::vector<Output> outputs;
    std::set<QString> families;
    for (const ExportOptions::Request& request : options.Requests()) {
        const bool first = families.insert(request.format->family).second;
        outputs.push_back(
            {*request.format, request.path, request.format->make(options.Settings()), first});
    }
    return outputs;
}

// Every output that the command line asks for, and only those: the C source of a million
// glyphs costs as much as reading them. A failure, with the message, when one cannot be made.
Status AddOutputs(const ExportOptions& options, const QString& fontPath, const FontCharSet& font,
                  const std::vector<Output>& outputs, FileWriter& files)
{
    for (const Output& output : outputs) {
        const Status accepted = output.made->Accepts(font);
        if (!accepted)
            return Status::Failure(accepted.In(fontPath));
    }
    // Text in the user's encoding, as the editor exports.
    const bool text = std::any_of(outputs.begin(), outputs.end(), [](const Output& output) {
        return output.made->BytesKind() == OutputFormat::Kind::Text;
    });
    const QByteArray encoding = text ? Console::LocaleEncoding() : QByteArray();
    for (const Output& output : outputs) {
        const Result<QByteArray> bytes = output.made->Bytes(font, encoding);
        if (!bytes) {
            return Status::Failure(
                bytes.GetStatus().In(options.FailurePlace(output.format, fontPath)));
        }
        if (output.path.isEmpty())
            files.AddStandardOutput(*bytes);
        else if (output.made->BytesKind() == OutputFormat::Kind::Text)
            files.Add(output.path, *bytes, FileWriter::Mode::Text);
        else
            files.Add(output.path, *bytes, FileWriter::Mode::Binary);
    }
    return Status();
}

// What the outputs written cannot say although the font does, the first of them in full.
MessageList Warnings(const std::vector<Output>& outputs, const FontCharSet& font)
{
    MessageList warnings;
    for (const Output& output : outputs) {
        if (output.first)
            output.made->Warnings(font, warnings);
    }
    return warnings;
}

} // namespace

int main(int argc, char* argv[])
{
    // Qt is given no arguments: it must not read -platform or the like from them, and the
    // converter's own options are all that is accepted.
    int applicationArgc = 1;
    char* applicationArgv[] = {argv[0], nullptr};
    const QCoreApplication application(applicationArgc, applicationArgv);
    CommandLineTool tool(QStringLiteral("pixmint-export"), Description, Examples);
    ExportOptions options(tool.Parser());
    int status = CommandLineTool::Success;
    if (!tool.Parse(argc, argv, options, status))
        return status;
    if (options.IsVocabulary())
        return tool.Print(ExportVocabulary::Text(), QStringLiteral("the vocabulary"));

    const QString& fontPath = tool.FontPath();
    QByteArray bytes;
    if (const Status read = FontFileOpen::ReadBytes(fontPath, bytes); !read)
        return tool.Fail(read.In(fontPath));
    if (options.IsCheck())
        return Check(tool, fontPath, bytes);
    Result<std::unique_ptr<FontCharSet>> read = FontFileReader::Read(bytes);
    if (!read)
        return tool.Fail(read.GetStatus().In(fontPath));
    const std::unique_ptr<FontCharSet> font = std::move(*read);
    // Tens of megabytes for a large font, which its outputs need no more.
    bytes = QByteArray();

    // Every output is made, then written beside its target, before any target is replaced:
    // a failure writes nothing, and no output may replace the font or another output.
    FileWriter files;
    files.Protect(fontPath);
    const std::vector<Output> outputs = MakeOutputs(options);
    if (const Status added = AddOutputs(options, fontPath, *font, outputs, files); !added)
        return tool.Fail(added.Reason());
    if (tool.Commit(files) != CommandLineTool::Success)
        return CommandLineTool::Failure;
    tool.Warn(Warnings(outputs, *font));
    return CommandLineTool::Success;
}
