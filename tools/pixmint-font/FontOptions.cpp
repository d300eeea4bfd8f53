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
};

const Syntax Syntaxes[] = {
    {FontOptions::Command::New, "new", "FONT.xml [--empty] [--codes FIRST-LAST]... [--chars TEXT]",
     0, 0},
    {FontOptions::Command::List, "list", "FONT.xml", 0, 0},
    {FontOptions::Command::Show, "show", "FONT.xml [NAME]...", 0, -1},
    {FontOptions::Command::Draw, "draw", "FONT.xml NAME [ROWS]", 1, 2},
    {FontOptions::Command::Add, "add", "FONT.xml NAME [--like OTHER]", 1, 1},
    {FontOptions::Command::Rename, "rename", "FONT.xml OLD NEW", 2, 2},
    {FontOptions::Command::Delete, "delete", "FONT.xml NAME...", 1, -1},
};

} // namespace

FontOptions::FontOptions(QCommandLineParser& parser)
    : _emptyOption(QStringLiteral("empty"),
                   QStringLiteral("new: without the 86 glyphs of the default table.")),
      _codesOption(QStringLiteral("codes"),
                   QStringLiteral("new: a blank glyph for each code from FIRST to LAST that no "
                                  "glyph stands for yet (0 to 255, each decimal or 0x "
                                  "hexadecimal). May be given again."),
                   QStringLiteral("FIRST-LAST")),
      _charsOption(QStringLiteral("chars"),
                   QStringLiteral("new: the same for each Latin-1 character of the text. May be "
                                  "given again."),
                   QStringLiteral("TEXT")),
      _likeOption(QStringLiteral("like"),
                  QStringLiteral("add: the new glyph copies the pixels of OTHER."),
                  QStringLiteral("OTHER"))
{
    parser.addPositionalArgument(QStringLiteral("COMMAND"),
                                 QStringLiteral("new, list, show, draw, add, rename or delete."));
    parser.addPositionalArgument(QStringLiteral("FONT.xml"),
                                 QStringLiteral("The Pixmint font file, the file that the editor "
                                                "opens and saves."));
    parser.addPositionalArgument(QStringLiteral("ARGUMENTS"),
                                 QStringLiteral("The command's own: glyph names, ROWS."),
                                 QStringLiteral("[ARGUMENTS]..."));
    parser.addOptions({_emptyOption, _codesOption, _charsOption, _likeOption});
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

bool FontOptions::ReadArguments(const QStringList& arguments, QString& fontPath)
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
    fontPath = arguments[1];
    _arguments = arguments.mid(2);
    return true;
}

bool FontOptions::Read(const QCommandLineParser& parser)
{
    const auto belongs = [&](const QCommandLineOption& option, Command command) {
        return !parser.isSet(option) || _command == command;
    };
    for (const QCommandLineOption* option : {&_emptyOption, &_codesOption, &_charsOption}) {
        if (!belongs(*option, Command::New))
            return Fail(QStringLiteral("--") + option->names().constFirst() +
                        QStringLiteral(" goes with new alone"));
    }
    if (!belongs(_likeOption, Command::Add))
        return Fail(QStringLiteral("--like goes with add alone"));
    _empty = parser.isSet(_emptyOption);
    _hasLike = parser.isSet(_likeOption);
    _like = parser.value(_likeOption);
    return ReadCodes(parser);
}

// The codes of the ranges, then those of the characters.
bool FontOptions::ReadCodes(const QCommandLineParser& parser)
{
    std::vector<CodeRange> ranges;
    if (!ReadRanges(parser, _codesOption, ranges))
        return false;
    for (const CodeRange& range : ranges) {
        for (int code = range.First(); code <= range.Last(); ++code)
            _codes.push_back(code);
    }
    return ReadCharacters(parser, _charsOption, _codes);
}

bool FontOptions::Accumulates(const QString& name) const
{
    return _codesOption.names().contains(name) || _charsOption.names().contains(name);
}
