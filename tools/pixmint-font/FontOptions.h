#pragma once

#include "ToolOptions.h"

#include <QCommandLineOption>
#include <QStringList>

#include <vector>

// The command line of pixmint-font: a command, the font file, the command's own arguments,
// and the options that go with new and add.
class FontOptions : public ToolOptions
{
public:
    enum class Command { New, List, Show, Draw, Add, Rename, Delete };

    explicit FontOptions(QCommandLineParser& parser);
    // The commands and their arguments, one a line, as --help lists them.
    static QString Commands();

    bool ReadArguments(const QStringList& arguments, QString& fontPath) override;
    bool Read(const QCommandLineParser& parser) override;
    // --codes and --chars may be given again.
    bool Accumulates(const QString& name) const override;

    Command GetCommand() const { return _command; }
    // The command's arguments after the font file: names, and the rows of draw.
    const QStringList& Arguments() const { return _arguments; }
    // new: without the default glyphs, and the codes to add a glyph for.
    bool IsEmpty() const { return _empty; }
    const std::vector<int>& Codes() const { return _codes; }
    // add: the glyph whose pixels the new one copies, or null.
    const QString* Like() const { return _hasLike ? &_like : nullptr; }

private:
    bool ReadCodes(const QCommandLineParser& parser);

    QCommandLineOption _emptyOption;
    QCommandLineOption _codesOption;
    QCommandLineOption _charsOption;
    QCommandLineOption _likeOption;

    Command _command = Command::List;
    QStringList _arguments;
    bool _empty = false;
    std::vector<int> _codes;
    bool _hasLike = false;
    QString _like;
};
