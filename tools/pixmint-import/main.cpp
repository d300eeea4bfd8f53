// pixmint-import: a Pixmint font file from a font that already exists (BDF, PCF, TrueType,
// OpenType), for the editor to open and refine.
#include "CommandLineTool.h"
#include "FileReader.h"
#include "FileWriter.h"
#include "FontEdit.h"
#include "FontFileWriter.h"
#include "FontImport.h"
#include "ImportOptions.h"
#include "ImportSources.h"
#include "MessageList.h"
#include "Status.h"

#include <QCoreApplication>

#include <utility>

namespace {

// What --help says of the program.
QString Description()
{
    return QStringLiteral("Writes a Pixmint font file with the glyphs of ") +
           ImportSources::Summary() +
           QStringLiteral(", byte for byte as the editor's \"Save font\" would. Glyphs that "
                          "lose pixels to the 5 x 8 grid, and characters the font lacks, are "
                          "named on standard error.");
}

const QList<HelpText::Example> Examples = {
    {QStringLiteral("Start from the 5x8 font of X11 (Debian's xfonts-base):"),
     QStringLiteral("pixmint-import -o font.xml /usr/share/fonts/X11/misc/5x8.pcf.gz")},
    {QStringLiteral("Fit a TrueType font to the grid, with glyphs for the codes 160 to 255:"),
     QStringLiteral("pixmint-import --codes 160-255 -o dejavu.xml \\\n"
                    "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf")},
    {QStringLiteral("Read back a table that pixmint-export wrote:"),
     QStringLiteral("pixmint-import -o back.xml font.c")}};

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    CommandLineTool tool(QStringLiteral("pixmint-import"), Description(), Examples);
    ImportOptions options(tool.Parser());
    int status = CommandLineTool::Success;
    if (!tool.Parse(argc, argv, options, status))
        return status;

    const QString& fontPath = tool.FontPath();
    FontCharSet font;
    // A picture's characters are its cells', not glyphs to add.
    if (!options.Source().cells)
        FontEdit(font).AddCodes(options.CharacterCodes());
    MessageList notes;
    const ImportSources::Source& kind = options.Source();
    QByteArray source;
    if (const Status within =
            FileReader::ReadWithin(fontPath, FontImport::MaxFileSize, kind.noun, source);
        !within)
        return tool.Fail(within.In(fontPath));
    const Status read = kind.read(std::move(source), options, font, notes);
    if (!read)
        return tool.Fail(read.In(fontPath));

    const Result<QByteArray> written = FontFileWriter::ReadableBytes(font);
    if (!written)
        return tool.Fail(written.GetStatus().In(fontPath));
    // The font being read would be lost if the import replaced it.
    FileWriter files;
    files.Protect(fontPath);
    if (options.ToStandardOutput())
        files.AddStandardOutput(*written);
    else
        files.Add(options.OutputPath(), *written, FileWriter::Mode::Text);
    if (tool.Commit(files) != CommandLineTool::Success)
        return CommandLineTool::Failure;
    tool.Note(notes);
    return CommandLineTool::Success;
}
