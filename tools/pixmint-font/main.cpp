// pixmint-font: the glyph set of a Pixmint font file from the command line, for people and
// scripts: a new font, its glyphs listed and shown as pictures, drawn, added, renamed and
// deleted.
#include "CharacterMap.h"
#include "CommandLineTool.h"
#include "EditedFile.h"
#include "FileReader.h"
#include "FileWriter.h"
#include "FontCharSet.h"
#include "FontEdit.h"
#include "FontFileGuard.h"
#include "FontFileReader.h"
#include "FontFileWriter.h"
#include "FontOptions.h"
#include "GlyphName.h"
#include "GlyphRows.h"
#include "Message.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <memory>

namespace {

// What --help says of the program.
QString Description()
{
    return QStringLiteral("Makes a Pixmint font file and edits its glyphs.\n\nCommands:\n") +
           FontOptions::Commands() +
           QStringLiteral(
               "\nnew writes a new file, never over one that exists: the 86 blank glyphs of "
               "the default table, or none with --empty, then a blank glyph named \"U+XXXX  "
               "LABEL\" for each code that no glyph stands for yet. list prints a line a "
               "glyph: its code or -, blank or drawn, its name. show prints each glyph, or "
               "those named, as its name and 8 rows of 5 characters, # for a pixel that is on "
               "and . for one that is off. draw sets a glyph's pixels from ROWS, the 8 rows "
               "separated by / (\".###./#...#/#...#/#####/#...#/#...#/#...#/.....\"), or from "
               "standard input in the form show prints. add, rename and delete change the "
               "glyphs of the set.\n\nAn edit writes the file byte for byte as the editor's "
               "\"Save font\" would, changing only what it names; a file that a rewrite would "
               "change in any other way (see pixmint-export --check) is not edited.\n\nA name "
               "is printed, and taken, as list prints it: one line where no two names look "
               "alike, a backslash as \\\\, a tab as \\t, and every other character that "
               "would show as nothing or as another as an escape such as \\x85, \\xa0 (the "
               "no-break space) or \\x20 (a space at the end). A name that no glyph is printed "
               "as is taken as it is. Names that begin with a dash follow --, which ends the "
               "options.");
}

const QList<HelpText::Example> Examples = {
    {QStringLiteral("Make a font file of the 86 blank glyphs of the default table:"),
     QStringLiteral("pixmint-font new font.xml")},
    {QStringLiteral("Draw the glyph of A, a row after another from the top:"),
     QStringLiteral("pixmint-font draw font.xml 'C27  A' \\\n"
                    "'.###./#...#/#...#/#####/#...#/#...#/#...#/.....'")},
    {QStringLiteral("Show the glyph of A:"),
     QStringLiteral("pixmint-font show font.xml 'C27  A'")}};

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
int Print(const CommandLineTool& tool, const QString& fontPath, const QString& text)
{
    FileWriter files;
    files.Protect(fontPath);
    files.AddStandardOutput(text.toLocal8Bit());
    return tool.Commit(files);
}

// A line a glyph: the code the character map gives it, whether it is blank, its name.
QString List(const FontCharSet& font)
{
    const CharacterMap map(font);
    QString text;
    for (quint32 index = 0; index < map.Count(); ++index) {
        const int code = map.CodeOf(index);
        text += code < 0 ? QStringLiteral("-   ")
                         : QString::fromLatin1(CharacterMap::HexLabel(code).c_str());
        text +=
            map.Glyph(index) == FontChar() ? QStringLiteral(" blank ") : QStringLiteral(" drawn ");
        text += GlyphName::Whole(map.Name(index)) + QLatin1Char('\n');
    }
    return text;
}

// Each glyph, or those named, as GlyphRows draws it with its name, an empty line between two.
bool Show(FontCharSet& font, const QStringList& names, QString& text, QString* error)
{
    QStringList pictures;
    if (names.isEmpty()) {
        for (const auto& [name, glyph] : font)
            pictures << GlyphRows::Picture(name, *glyph);
    }
    const FontEdit edit(font);
    for (const QString& name : names) {
        const std::string* named = edit.Named(name, error);
        if (!named)
            return false;
        pictures << GlyphRows::Picture(*named, *font.Find(*named)->second);
    }
    text = pictures.join(QLatin1Char('\n'));
    return true;
}

bool ReadFont(const QString& path, QByteArray& bytes, QString* error)
{
    // A file beyond the limit is refused by the reader's guards.
    return FileReader::ReadBytes(path, FontFileGuard::MaxFileSize, bytes, error);
}

int New(const CommandLineTool& tool, const FontOptions& options, const QString& path)
{
    FontCharSet font;
    if (options.IsEmpty())
        font.Clear();
    FontEdit(font).AddCodes(options.Codes());
    FileWriter files;
    files.AddNew(path, FontFileWriter::Bytes(font), FileWriter::Mode::Text);
    return tool.Commit(files);
}

int Read(const CommandLineTool& tool, const FontOptions& options, const QString& path)
{
    QByteArray bytes;
    QString error;
    std::unique_ptr<FontCharSet> font;
    if (ReadFont(path, bytes, &error))
        font = FontFileReader::Read(bytes, &error);
    if (!font)
        return tool.Fail(path + QStringLiteral(": ") + error);
    if (options.GetCommand() == FontOptions::Command::List)
        return Print(tool, path, List(*font));
    QString text;
    if (!Show(*font, options.Arguments(), text, &error))
        return tool.Fail(path + QStringLiteral(": ") + error);
    return Print(tool, path, text);
}

// draw's pixels, from ROWS or from standard input.
bool ReadRows(const QStringList& arguments, FontChar& glyph, QString& error)
{
    const auto fail = [&](const QString& where) {
        error.prepend(where);
        return false;
    };
    if (arguments.size() > 1)
        return GlyphRows::ReadArgument(arguments[1], glyph, &error) ||
               fail(QStringLiteral("ROWS: "));
    // A glyph as show prints it takes some hundred bytes; a long first line is still a name.
    constexpr qint64 MaxInput = 1024 * 1024;
    const QString input = QStringLiteral("standard input: ");
    QByteArray bytes;
    if (!FileReader::ReadBytes(QStringLiteral("/dev/stdin"), MaxInput, bytes, &error))
        return fail(input);
    if (bytes.size() > MaxInput) {
        error = Message::Text(u"more than %1 bytes, not a glyph as show prints it", {MaxInput});
        return fail(input);
    }
    return GlyphRows::ReadPicture(QString::fromUtf8(bytes), glyph, &error) || fail(input);
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

// The edit the command names, made or refused whole.
bool Apply(FontEdit& edit, const FontOptions& options, const FontChar& drawn, QString* error)
{
    const QStringList& arguments = options.Arguments();
    switch (options.GetCommand()) {
    case FontOptions::Command::Draw:
        if (FontChar* glyph = edit.Find(arguments[0], error)) {
            *glyph = drawn;
            return true;
        }
        return false;
    case FontOptions::Command::Add: {
        const QString* likeName = options.Like();
        const FontChar* like = likeName ? edit.Find(*likeName, error) : nullptr;
        if (likeName && !like) {
            error->prepend(QStringLiteral("--like: "));
            return false;
        }
        return edit.Add(arguments[0], like, error);
    }
    case FontOptions::Command::Rename:
        return edit.Rename(arguments[0], arguments[1], error);
    default:
        return edit.Delete(arguments, error);
    }
}

// One edit of the glyph set, then the whole file written back through the one writer.
int Edit(const CommandLineTool& tool, const FontOptions& options, const QString& path)
{
    FontChar drawn;
    QString error;
    if (options.GetCommand() == FontOptions::Command::Draw &&
        !ReadRows(options.Arguments(), drawn, error))
        return tool.Fail(error);
    // Held until the file is written, so that another edit waits and then reads this one's.
    EditedFile file;
    QByteArray bytes;
    FontEdit::Opened opened;
    if (file.Read(path, FontFileGuard::MaxFileSize, bytes, &error))
        opened = FontEdit::Open(bytes, &error);
    if (!opened.font)
        return tool.Fail(path + QStringLiteral(": ") + error);
    if (opened.changed > 0)
        return tool.Fail(Unedited(path, opened));
    FontCharSet& font = *opened.font;
    FontEdit edit(font);
    if (!Apply(edit, options, drawn, &error))
        return tool.Fail(path + QStringLiteral(": ") + error);
    QByteArray edited;
    if (!FontFileWriter::ReadableBytes(font, edited, &error))
        return tool.Fail(path + QStringLiteral(": ") + error);
    // A file that already says it (the same pixels drawn again) is left as it is.
    if (edited == bytes)
        return CommandLineTool::Success;
    FileWriter files;
    files.Add(path, edited, FileWriter::Mode::Text);
    return tool.Commit(files);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    CommandLineTool tool(QStringLiteral("pixmint-font"), Description(), Examples);
    FontOptions options(tool.Parser());
    int status = CommandLineTool::Success;
    if (!tool.Parse(argc, argv, options, status))
        return status;
    switch (options.GetCommand()) {
    case FontOptions::Command::New:
        return New(tool, options, tool.FontPath());
    case FontOptions::Command::List:
    case FontOptions::Command::Show:
        return Read(tool, options, tool.FontPath());
    default:
        return Edit(tool, options, tool.FontPath());
    }
}
