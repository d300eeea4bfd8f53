#pragma once

#include "FontCommands.h"
#include "ToolOptions.h"

#include <QCommandLineOption>
#include <QStringList>

#include <vector>

// The command line of pixmint-font: a command, the font file, the command's own arguments,
// and the options, each declared with the one command it goes with.
class FontOptions : public ToolOptions
{
public:
    enum class Command { New, List, Show, Draw, Add, Rename, Delete };

    explicit FontOptions(QCommandLineParser& parser);
    // The commands and their arguments, one a line, as --help lists them.
    static QString Commands();

    Status ReadArguments(const QStringList& arguments, QString& fontPath) override;
    Status Read(const QCommandLineParser& parser) override;
    // --codes and --chars may be given again.
    bool Accumulates(const QString& name) const override;

    Command GetCommand() const { return _command; }
    // What the command does, from its row of the table.
    FontCommands::Handler Handler() const { return _handler; }
    // The command's arguments after the font file: names, and the rows of draw.
    const QStringList& Arguments() const { return _arguments; }
    // new: without the default glyphs, and the codes to add a glyph for.
    bool IsEmpty() const { return _empty; }
    const std::vector<int>& Codes() const { return _codes; }
    // add: the glyph whose pixels the new one copies, or null.
    const QString* Like() const { return _hasLike ? &_like : nullptr; }
    // list: in code order.
    bool ByCode() const { return _byCode; }
    // show: for git's textconv, a file that is not a font as it is.
    bool IsTextconv() const { return _textconv; }

private:
    // An option with what it requires: the one command it goes with, and, where it stands for
    // the arguments, none after the font file.
    struct Declared
    {
        QCommandLineOption option;
        Command command;
        bool withoutArguments = false;
    };

    Status ReadCodes(const QCommandLineParser& parser);
    std::vector<const Declared*> Declarations() const;

    Declared _emptyOption;
    Declared _codesOption;
    Declared _charsOption;
    Declared _likeOption;
    Declared _byCodeOption;
    Declared _textconvOption;

    Command _command = Command::List;
    FontCommands::Handler _handler = nullptr;
    QStringList _arguments;
    bool _empty = false;
    std::vector<int> _codes;
    bool _hasLike = false;
    QString _like;
    bool _byCode = false;
    bool _textconv = false;
};
