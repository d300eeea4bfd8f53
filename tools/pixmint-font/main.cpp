// pixmint-font: the glyph set of a Pixmint font file from the command line, for people and
// scripts: a new font, its glyphs listed and shown as pictures, drawn, added, renamed and
// deleted.
#include "CommandLineTool.h"
#include "FontOptions.h"

#include <QCoreApplication>

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
               "glyph: its code or -, blank or drawn, its name; in name order, or with --by-code "
               "in the order of the codes, then the glyphs without a code. show prints each "
               "glyph, or those named, as its name and 8 rows of 5 characters, # for a pixel "
               "that is on and . for one that is off; with --textconv, for git, a file that is "
               "not a font file is printed as it is. draw sets a glyph's pixels from ROWS, the "
               "8 rows separated by / (\".###./#...#/#...#/#####/#...#/#...#/#...#/.....\"), or "
               "from standard input in the form show prints. add, rename and delete change the "
               "glyphs of the set.\n\nAn edit writes the file byte for byte as the editor's "
               "\"Save font\" would, changing only what it names; a file that a rewrite would "
               "change in any other way (see pixmint-export --check) is not edited.\n\nA glyph "
               "is named (NAME, OLD, OTHER) by the first that fits of: 1. the name that list "
               "prints for it: one line where no two names look alike, a backslash as \\\\, a "
               "tab as \\t, and every other character that would show as nothing or as another "
               "as an escape such as \\x85, \\xa0 (the no-break space) or \\x20 (a space at "
               "the end); 2. its name as it is; 3. a single Latin-1 character such as A, or a "
               "code (0x41, U+0041): the glyph that the character map gives that code, the "
               "first in name order of those that stand for it. Names that begin with a dash "
               "follow --, which ends the options.");
}

const QList<HelpText::Example> Examples = {
    {QStringLiteral("Make a font file of the 86 blank glyphs of the default table:"),
     QStringLiteral("pixmint-font new font.xml")},
    {QStringLiteral("Draw the glyph of A, a row after another from the top:"),
     QStringLiteral("pixmint-font draw font.xml A \\\n"
                    "'.###./#...#/#...#/#####/#...#/#...#/#...#/.....'")},
    {QStringLiteral("Show the glyph of A, by its character (its name is \"C27  A\"):"),
     QStringLiteral("pixmint-font show font.xml A")}};

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    CommandLineTool tool(QStringLiteral("pixmint-font"), Description(), Examples);
    FontOptions options(tool.Parser());
    int status = CommandLineTool::Success;
    if (!tool.Parse(argc, argv, options, status))
        return status;
    return options.Handler()(tool, options, tool.FontPath());
}
