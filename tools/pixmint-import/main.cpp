// pixmint-import: a Pixmint font file from a font that already exists (BDF, PCF, TrueType,
// OpenType), for the editor to open and refine.
#include "CTableImport.h"
#include "CommandLineTool.h"
#include "FileReader.h"
#include "FileWriter.h"
#include "FontEdit.h"
#include "FontFileWriter.h"
#include "FontImport.h"
#include "ImportOptions.h"
#include "MessageList.h"
#include "SheetImport.h"
#include "Status.h"

#include <QCoreApplication>

#include <utility>

namespace {

// What --help says of the program.
const QString Description =
    QStringLiteral("Writes a Pixmint font file with the glyphs of an existing font (BDF, "
                   "PCF, TrueType, OpenType: whatever FreeType reads), a table of glyphs in "
                   "C or C++ source or a picture of glyphs in PNG, byte for byte as the editor's "
                   "\"Save font\" would. Glyphs "
                   "that lose pixels to the 5 x 8 "
                   "grid, and characters the font lacks, are named on standard error.");

const QList<HelpText::Example> Examples = {
    {QStringLiteral("Start from the 5x8 font of X11 (Debian's xfonts-base):"),
     QStringLiteral("pixmint-import -o font.xml /usr/share/fonts/X11/misc/5x8.pcf.gz")},
    {QStringLiteral("Fit a TrueType font to the grid, with glyphs for the codes 160 to 255:"),
     QStringLiteral("pixmint-import --codes 160-255 -o dejavu.xml \\\n"
                    "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf")},
    {QStringLiteral("Read back a table that pixmint-export wrote:"),
     QStringLiteral("pixmint-import -o back.xml font.c")}};

// The glyphs of a table in C source; a reason that an option would answer names it.
Status ReadTable(const QByteArray& source, const CTableImport::Options& options, FontCharSet& font,
                 MessageList& notes)
{
    const Status read = CTableImport::Read(source, options, font, &notes);
    if (read.Is(CTableImport::Failure::NoLayout))
        return Status::Failure(Status::In(QStringLiteral("--layout is needed"), read.Reason()));
    if (read.Is(CTableImport::Failure::BeyondFromFirst))
        return Status::Failure(read.Reason() + QStringLiteral(" (see --first)"));
    return read;
}

// The glyphs of a picture of cells.
Status ReadPicture(const QByteArray& picture, const ImportOptions& options, FontCharSet& font)
{
    QString error;
    if (!SheetImport::Read(picture, options.PictureCodes(), options.Picture(), font, &error))
        return Status::Failure(error);
    return Status();
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    CommandLineTool tool(QStringLiteral("pixmint-import"), Description, Examples);
    ImportOptions options(tool.Parser());
    int status = CommandLineTool::Success;
    if (!tool.Parse(argc, argv, options, status))
        return status;

    const QString& fontPath = tool.FontPath();
    QString error;
    FontCharSet font;
    // A picture's characters are its cells', not glyphs to add.
    if (!options.IsPicture())
        FontEdit(font).AddCodes(options.CharacterCodes());
    MessageList notes;
    // A table or a picture is read within the bounds of a font that FreeType reads.
    QByteArray source;
    const QStringView what = options.IsPicture() ? u"a picture"
                             : options.IsTable() ? u"a table"
                                                 : u"a font";
    if (!FileReader::ReadWithin(fontPath, FontImport::MaxFileSize, what, source, &error))
        return tool.Fail(Status::In(fontPath, error));
    const Status read = options.IsPicture() ? ReadPicture(source, options, font)
                        : options.IsTable()
                            ? ReadTable(source, options.Table(), font, notes)
                            : FontImport::Fill(font, std::move(source), options.Import(), &notes);
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
