#include "CommandLineTool.h"

#include "Console.h"
#include "ToolOptions.h"

CommandLineTool::CommandLineTool(const QString& name, const QString& description)
    : _name(name), _helpOption({QStringLiteral("h"), QStringLiteral("help")},
                               QStringLiteral("Show this help and exit.")),
      _versionOption({QStringLiteral("v"), QStringLiteral("version")},
                     QStringLiteral("Show the version and exit."))
{
    _parser.setApplicationDescription(description);
    // Not addHelpOption(): it also offers --help-all, which fails in a program without a GUI.
    _parser.addOption(_helpOption);
    _parser.addOption(_versionOption);
}

bool CommandLineTool::Parse(int argc, char* argv[], ToolOptions& options, int& status)
{
    QStringList arguments;
    QString error;
    if (!Console::DecodeArguments(argc, argv, arguments, &error)) {
        status = Fail(error);
        return false;
    }
    if (!_parser.parse(arguments)) {
        status = Fail(_parser.errorText());
        return false;
    }
    if (_parser.isSet(_helpOption) || _parser.isSet(_versionOption)) {
        const QString text = _parser.isSet(_helpOption)
                                 ? _parser.helpText()
                                 : _name + QStringLiteral(" " PIXMINT_VERSION "\n");
        status = Print(text.toLocal8Bit(), QStringLiteral("the text"));
        return false;
    }
    const QStringList positional = _parser.positionalArguments();
    if (positional.size() != 1) {
        status = Fail(
            QStringLiteral("expected one font file, got %1 (see --help)").arg(positional.size()));
        return false;
    }
    _fontPath = positional.first();
    if (!options.Read(_parser)) {
        status = Fail(options.Error());
        return false;
    }
    return true;
}

int CommandLineTool::Fail(const QString& message) const
{
    Note(message);
    return Failure;
}

void CommandLineTool::Note(const QString& message) const
{
    Console::PrintError(_name, message);
}

void CommandLineTool::Warn(const QString& message) const
{
    Note(QStringLiteral("warning: ") + message);
}

int CommandLineTool::Print(const QByteArray& bytes, const QString& what) const
{
    if (Console::WriteStandardOutput(bytes))
        return Success;
    return Fail(QStringLiteral("standard output: %1 could not be written").arg(what));
}
