#include "FontOptions.h"

#include "CodeRange.h"

#include <QCommandLineParser>

#include <algorithm>
#include <iterator>

namespace {

struct Syntax
{
    FontOptions::Command command;
    const char* name;
    const char* arguments; // after the command's name
    int least;             // arguments after the font file
    int most;              // -1: any number
    FontCommands::Handler handler;
};

const Syntax Syntaxes[] = {
    {FontOptions::Command::New, "new", "FONT.xml [--empty] [--codes FIRST-LAST]... [--chars TEXT]",
     0, 0, FontCommands::New},
    {FontOptions::Command::List, "list", "FONT.xml [--by-code]", 0, 0, FontCommands::List},
    {FontOptions::Command::Show, "show", "FONT.xml [NAME]... | FONT.xml --textconv", 0, -1,
     FontCommands::Show},
    {FontOptions::Command::Draw, "draw", "FONT.xml NAME [ROWS]", 1, 2, FontCommands::Draw},
    {FontOptions::Command::Add, "add", "FONT.xml NAME [--like OTHER]", 1, 1, FontCommands::Add},
    {FontOptions::Command::Rename, "rename", "FONT.xml OLD NEW", 2, 2, FontCommands::Rename},
    {FontOptions::Command::Delete, "delete", "FONT.xml NAME...", 1, -1, FontCommands::Delete},
};

const Syntax& SyntaxOf(FontOptions::Command command)
{
    return *std::find_if(std::begin(Syntaxes), std::end(Syntaxes),
                         [command](const Syntax& syntax) { return syntax.command == command; });
}

} // namespace

FontOptions::FontOptions(QCommandLineParser& parser)
    : _emptyOption{{QStringLiteral("empty"),
                    QStringLiteral("new: without the 86 glyphs of the default table.")},
                   Command::New},
      _codesOption{{QStringLiteral("codes"),
                    QStringLiteral("new: a blank glyph for each code from FIRST to LAST that no "
                                   "glyph stands for yet (0 to 255, each decimal or 0x "
                                   "hexadecimal). May be given again."),
                    QStringLiteral("FIRST-LAST")},
                   Command::New},
      _charsOption{{QStringLiteral("chars"),
                    QStringLiteral("new: the same for each Latin-1 character of the text. May "
                                   "be given again."),
                    QStringLiteral("TEXT")},
                   Command::New},
      _likeOption{{QStringLiteral("like"),
                   QStringLiteral("add: the new glyph copies the pixels of OTHER."),
                   QStringLiteral("OTHER")},
                  Command::Add},
      _byCodeOption{{QStringLiteral("by-code"),
                     QStringLiteral("list: in the order of the codes, then the glyphs without "
                                    "one in name order.")},
                    Command::List},
      _textconvOption{{QStringLiteral("textconv"),
                       QStringLiteral("show: for git's textconv, every glyph, and a file that is "
                                      "not a font file as it is.")},
                      Command::Show,
                      true}
{
    parser.addPositionalArgument(QStringLiteral("COMMAND"),
                                 QStringLiteral("new, list, show, draw, add, rename or delete."));
    parser.addPositionalArgument(QStringLiteral("FONT.xml"),
                                 QStringLiteral("The Pixmint font file, the file that the editor "
                                                "opens and saves."));
    parser.addPositionalArgument(QStringLiteral("ARGUMENTS"),
                                 QStringLiteral("The command's own: glyphs (NAME, OLD, OTHER) "
                                                "by name, character or code, ROWS."),
                                 QStringLiteral("[ARGUMENTS]..."));
    for (const Declared* declared : Declarations())
        parser.addOption(declared->option);
}

std::vector<const FontOptions::Declared*> FontOptions::Declarations() const
{
    return {&_emptyOption, &_codesOption,  &_charsOption,
            &_likeOption,  &_byCodeOption, &_textconvOption};
}

QString FontOptions::Commands()
{
    QString text;
    for (const Syntax& syntax : Syntaxes) {
        text += QStringLiteral("  ") + QLatin1String(syntax.name) + QLatin1Char(' ') +
                QLatin1String(syntax.arguments) + QLatin1Char('\n');
    }
    return text;
}

Status FontOptions::ReadArguments(const QStringList& arguments, QString& fontPath)
{
    if (arguments.isEmpty())
        return Fail(QStringLiteral("expected a command: new, list, show, draw, add, rename or "
                                   "delete"));
    const auto syntax =
        std::find_if(std::begin(Syntaxes), std::end(Syntaxes), [&](const Syntax& known) {
            return arguments.first() == QLatin1String(known.name);
        });
    if (syntax == std::end(Syntaxes))
        return Fail(QStringLiteral("unknown command ") + arguments.first());
    const qsizetype count = arguments.size() - 2;
    if (count < syntax->least || (syntax->most >= 0 && count > syntax->most)) {
        return Fail(QLatin1String(syntax->name) + QStringLiteral(" takes ") +
                    QLatin1String(syntax->arguments));
    }
    _command = syntax->command;
    _handler = syntax->handler;
    fontPath = arguments[1];
    _arguments = arguments.mid(2);
    return Status();
}

Status FontOptions::Read(const QCommandLineParser& parser)
{
    for (const Declared* declared : Declarations()) {
        if (!parser.isSet(declared->option))
            continue;
        const QString name = QStringLiteral("--") + declared->option.names().constFirst();
        if (_command != declared->command)
            return Fail(name + QStringLiteral(" goes with ") +
                        QLatin1String(SyntaxOf(declared->command).name) + QStringLiteral(" alone"));
        if (declared->withoutArguments && !_arguments.isEmpty())
            return Fail(name + QStringLiteral(" takes the whole file: no NAME"));
    }
    _empty = parser.isSet(_emptyOption.option);
    _hasLike = parser.isSet(_likeOption.option);
    _like = parser.value(_likeOption.option);
    _byCode = parser.isSet(_byCodeOption.option);
    _textconv = parser.isSet(_textconvOption.option);
    return ReadCodes(parser);
}

// The codes of the ranges, then those of the characters.
Status FontOptions::ReadCodes(const QCommandLineParser& parser)
{
    std::vector<CodeRange> ranges;
    if (Status read = ReadRanges(parser, _codesOption.option, ranges); !read)
        return read;
    for (const CodeRange& range : ranges) {
        for (int code = range.First(); code <= range.Last(); ++code)
            _codes.push_back(code);
    }
    return ReadCharacters(parser, _charsOption.option, _codes);
}

bool FontOptions::Accumulates(const QString& name) const
{
    return _codesOption.option.names().contains(name) || _charsOption.option.names().contains(name);
}
