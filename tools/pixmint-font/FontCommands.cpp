#include "FontCommands.h"

#include "CharacterMap.h"
#include "CommandLineTool.h"
#include "EditedFile.h"
#include "FileReader.h"
#include "FileWriter.h"
#include "FontCharSet.h"
#include "FontEdit.h"
#include "FontFileGuard.h"
#include "FontFileOpen.h"
#include "FontFileReader.h"
#include "FontFileWriter.h"
#include "FontOptions.h"
#include "GlyphName.h"
#include "GlyphRows.h"
#include "Message.h"
#include "Status.h"

#include <QFile>
#include <QRegularExpression>

#include <functional>
#include <memory>

namespace {

// A path as a shell takes it back, for a command to copy.
QString ShellWord(const QString& path)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_./+=:,@%-]+$"));
    const QString word =
        plain.match(path).hasMatch()
            ? path
            : QLatin1Char('\'') +
                  QString(path).replace(QLatin1Char('\''), QStringLiteral("'\\''")) +
                  QLatin1Char('\'');
    return path.startsWith(QLatin1Char('-')) ? QStringLiteral("-- ") + word : word;
}

// Standard output, which may not be the font file (">> font.xml").
int Print(const CommandLineTool& tool, const QString& fontPath, const QByteArray& bytes)
{
    FileWriter files;
    files.Protect(fontPath);
    files.AddStandardOutput(bytes);
    return tool.Commit(files);
}

// A file that is not a font, as it is: what was read of it, then the rest a piece at a time,
// so that a file of any size takes little memory.
int PrintAsItIs(const CommandLineTool& tool, const QString& path, const QByteArray& start)
{
    if (const int status = Print(tool, path, start); status != CommandLineTool::Success)
        return status;
    if (start.size() <= FontFileGuard::MaxFileSize)
        return CommandLineTool::Success;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(start.size()))
        return tool.Fail(Status::In(path, file.errorString()));
    constexpr qint64 Piece = 1024 * 1024;
    for (QByteArray piece = file.read(Piece); !piece.isEmpty(); piece = file.read(Piece)) {
        if (const int status = tool.Print(piece, path))
            return status;
    }
    return file.error() == QFileDevice::NoError ? CommandLineTool::Success
                                                : tool.Fail(Status::In(path, file.errorString()));
}

// A line for a glyph: the code the character map gives it, whether it is blank, its name.
QString Line(const CharacterMap& map, quint32 index)
{
    const int code = map.CodeOf(index);
    return (code < 0 ? QStringLiteral("-   ")
                     : QString::fromLatin1(CharacterMap::HexLabel(code).c_str())) +
           (map.Glyph(index) == FontChar() ? QStringLiteral(" blank ")
                                           : QStringLiteral(" drawn ")) +
           GlyphName::Whole(map.Name(index)) + QLatin1Char('\n');
}

// Each glyph, or those named, as GlyphRows draws it with its name, an empty line between two.
Status Pictures(FontCharSet& font, const QStringList& names, QString& text)
{
    QStringList pictures;
    if (names.isEmpty()) {
        for (const auto& [name, glyph] : font)
            pictures << GlyphRows::Picture(name, *glyph);
    }
    const FontEdit edit(font);
    for (const QString& name : names) {
        const Result<const std::string*> named = edit.Named(name);
        if (!named)
            return named.GetStatus();
        pictures << GlyphRows::Picture(**named, *font.Find(**named)->second);
    }
    text = pictures.join(QLatin1Char('\n'));
    return Status();
}

// draw's pixels, from ROWS or from standard input.
Status ReadRows(const QStringList& arguments, FontChar& glyph)
{
    const auto in = [](const QString& where, const Status& status) {
        return status ? status : Status::Failure(status.In(where));
    };
    if (arguments.size() > 1)
        return in(QStringLiteral("ROWS"), GlyphRows::ReadArgument(arguments[1], glyph));
    // A glyph as show prints it takes some hundred bytes; a long first line is still a name.
    constexpr qint64 MaxInput = 1024 * 1024;
    const QString input = QStringLiteral("standard input");
    QByteArray bytes;
    if (Status read = FileReader::ReadBytes(QStringLiteral("/dev/stdin"), MaxInput, bytes); !read)
        return in(input, read);
    if (bytes.size() > MaxInput) {
        return Status::Failure(
            Status::In(input, Message::Text(u"more than %1 bytes, not a glyph as show prints it",
                                            {MaxInput})));
    }
    return in(input, GlyphRows::ReadPicture(QString::fromUtf8(bytes), glyph));
}

// Why a file with problems is not edited, and how to see them.
QString Unedited(const QString& path, const FontEdit::Opened& opened)
{
    const QString count = (opened.wholeFile ? QString() : QStringLiteral("at least ")) +
                          QString::number(opened.changed);
    return path + QStringLiteral(": not edited: it has ") + count +
           (opened.changed == 1
                ? QStringLiteral(" problem that a rewrite would silently change (see it with "
                                 "pixmint-export --check ")
                : QStringLiteral(" problems that a rewrite would silently change (see them with "
                                 "pixmint-export --check ")) +
           ShellWord(path) + QStringLiteral(")");
}

using Change = std::function<Status(FontEdit& edit)>;

// One change of the glyph set, then the whole file written back through the one writer.
int Edit(const CommandLineTool& tool, const QString& path, const Change& change)
{
    // Held until the file is written, so that another edit waits and then reads this one's.
    EditedFile file;
    QByteArray bytes;
    const Result<FontEdit::Opened> opened = FontFileOpen::Edit(file, path, bytes);
    if (!opened)
        return tool.Fail(opened.GetStatus().In(path));
    if (opened->changed > 0)
        return tool.Fail(Unedited(path, *opened));
    FontCharSet& font = *opened->font;
    FontEdit edit(font);
    if (const Status changed = change(edit); !changed)
        return tool.Fail(changed.In(path));
    const Result<QByteArray> edited = FontFileWriter::ReadableBytes(font);
    if (!edited)
        return tool.Fail(edited.GetStatus().In(path));
    // A file that already says it (the same pixels drawn again) is left as it is.
    if (*edited == bytes)
        return CommandLineTool::Success;
    FileWriter files;
    files.Add(path, *edited, FileWriter::Mode::Text);
    return tool.Commit(files);
}

} // namespace

int FontCommands::New(const CommandLineTool& tool, const FontOptions& options, const QString& path)
{
    FontCharSet font;
    if (options.IsEmpty())
        font.Clear();
    FontEdit(font).AddCodes(options.Codes());
    FileWriter files;
    files.AddNew(path, FontFileWriter::Bytes(font), FileWriter::Mode::Text);
    return tool.Commit(files);
}

// In name order, or in code order: the glyphs that have a code, then those that have none.
int FontCommands::List(const CommandLineTool& tool, const FontOptions& options, const QString& path)
{
    const Result<std::unique_ptr<FontCharSet>> font = FontFileOpen::Read(path);
    if (!font)
        return tool.Fail(font.GetStatus().In(path));
    const CharacterMap map(**font);
    QString text;
    for (int code = 0; options.ByCode() && code < CharacterMap::CodeCount; ++code) {
        if (map.GlyphIndex(code) != CharacterMap::NoGlyph)
            text += Line(map, map.GlyphIndex(code));
    }
    for (quint32 index = 0; index < map.Count(); ++index) {
        if (!options.ByCode() || map.CodeOf(index) < 0)
            text += Line(map, index);
    }
    return Print(tool, path, text.toLocal8Bit());
}

// For git's textconv, a file that is not a font is printed as it is, so that the driver can
// stand for every XML file of a repository.
int FontCommands::Show(const CommandLineTool& tool, const FontOptions& options, const QString& path)
{
    QByteArray bytes;
    if (const Status read = FontFileOpen::ReadBytes(path, bytes); !read)
        return tool.Fail(read.In(path));
    const Result<std::unique_ptr<FontCharSet>> font = FontFileReader::Read(bytes);
    if (!font && options.IsTextconv())
        return PrintAsItIs(tool, path, bytes);
    if (!font)
        return tool.Fail(font.GetStatus().In(path));
    QString text;
    if (const Status shown = Pictures(**font, options.Arguments(), text); !shown)
        return tool.Fail(shown.In(path));
    return Print(tool, path, text.toLocal8Bit());
}

int FontCommands::Draw(const CommandLineTool& tool, const FontOptions& options, const QString& path)
{
    FontChar drawn;
    if (const Status read = ReadRows(options.Arguments(), drawn); !read)
        return tool.Fail(read.Reason());
    return Edit(tool, path, [&](FontEdit& edit) {
        const Result<FontChar*> glyph = edit.Find(options.Arguments()[0]);
        if (!glyph)
            return glyph.GetStatus();
        **glyph = drawn;
        return Status();
    });
}

int FontCommands::Add(const CommandLineTool& tool, const FontOptions& options, const QString& path)
{
    return Edit(tool, path, [&](FontEdit& edit) {
        const QString* likeName = options.Like();
        if (!likeName)
            return edit.Add(options.Arguments()[0]);
        const Result<FontChar*> like = edit.Find(*likeName);
        if (!like)
            return Status::Failure(like.GetStatus().In(QStringLiteral("--like")));
        return edit.Add(options.Arguments()[0], *like);
    });
}

int FontCommands::Rename(const CommandLineTool& tool, const FontOptions& options,
                         const QString& path)
{
    return Edit(tool, path, [&](FontEdit& edit) {
        return edit.Rename(options.Arguments()[0], options.Arguments()[1]);
    });
}

int FontCommands::Delete(const CommandLineTool& tool, const FontOptions& options,
                         const QString& path)
{
    return Edit(tool, path, [&](FontEdit& edit) { return edit.Delete(options.Arguments()); });
}
