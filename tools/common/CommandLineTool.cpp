#include "CommandLineTool.h"

#include "Console.h"
#include "FileWriter.h"
#include "HelpText.h"
#include "Message.h"
#include "MessageList.h"
#include "Status.h"
#include "ToolOptions.h"

#include <QCoreApplication>

CommandLineTool::CommandLineTool(const QString& name, const QString& description,
                                 const QList<HelpText::Example>& examples)
    : _name(name), _examples(examples),
      _helpOption({QStringLiteral("h"), QStringLiteral("help")}, HelpText::HelpDescription()),
      _versionOption({QStringLiteral("v"), QStringLiteral("version")},
                     HelpText::VersionDescription())
{
    // The programs match each pattern once or a few times a run: compiling it to machine code
    // first (Qt's default) costs more than the matches, at every start (a firmware build
    // starts pixmint-export once a font). Not where the environment chooses otherwise.
    if (!qEnvironmentVariableIsSet("QT_ENABLE_REGEXP_JIT"))
        qputenv("QT_ENABLE_REGEXP_JIT", "0");
    // Qt writes the description as it is and wraps only the options.
    _parser.setApplicationDescription(HelpText::Wrap(description));
    // Not addHelpOption(): it also offers --help-all, which fails in a program without a GUI.
    _parser.addOption(_helpOption);
    _parser.addOption(_versionOption);
}

bool CommandLineTool::Parse(int argc, char* argv[], ToolOptions& options, int& status)
{
    QStringList arguments;
    if (const Status decoded = Console::DecodeArguments(argc, argv, arguments); !decoded) {
        status = Fail(decoded.Reason());
        return false;
    }
    if (!_parser.parse(arguments)) {
        status = Fail(HelpText::SeeHelp(ParseError()));
        return false;
    }
    if (_parser.isSet(_helpOption) || _parser.isSet(_versionOption)) {
        const QString text = _parser.isSet(_helpOption) ? Help() : HelpText::Version(_name);
        status = Print(text.toLocal8Bit(), QStringLiteral("the text"));
        return false;
    }
    // An option given twice would silently take one of its values.
    for (const QString& name : _parser.optionNames()) {
        if (_parser.values(name).size() > 1 && !options.Accumulates(name)) {
            status = Fail(HelpText::SeeHelp(Dashed(name) + QStringLiteral(" is given twice")));
            return false;
        }
    }
    if (const Status read = options.ReadArguments(_parser.positionalArguments(), _fontPath);
        !read) {
        status = Fail(HelpText::SeeHelp(read.Reason()));
        return false;
    }
    if (const Status read = options.Read(_parser); !read) {
        status = Fail(read.Reason());
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

void CommandLineTool::Note(const MessageList& messages, const QString& prefix) const
{
    for (const QString& message : messages.Listed())
        Note(prefix + message);
    if (messages.Unlisted() > 0) {
        Note(prefix + Message::Text(u"%1 more not shown, after the first %2",
                                    {messages.Unlisted(), messages.Listed().size()}));
    }
}

void CommandLineTool::Warn(const MessageList& warnings) const
{
    Note(warnings, QStringLiteral("warning: "));
}

int CommandLineTool::Print(const QByteArray& bytes, const QString& what) const
{
    if (FileWriter::WriteStandardOutput(bytes))
        return Success;
    return Fail(QStringLiteral("standard output: ") + what +
                QStringLiteral(" could not be written"));
}

int CommandLineTool::Commit(FileWriter& files) const
{
    if (files.Commit())
        return Success;
    return Fail(Status::In(files.FailedPath(), files.Reason()));
}

// An option's name as it is typed: "-o", "--output".
QString CommandLineTool::Dashed(const QString& name)
{
    return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

// The parser's reason in the words of the editor's command line.
QString CommandLineTool::ParseError() const
{
    const QStringList unknown = _parser.unknownOptionNames();
    if (!unknown.isEmpty())
        return QStringLiteral("unknown option ") + Dashed(unknown.first());
    QString reason = _parser.errorText();
    if (reason.endsWith(QLatin1Char('.')))
        reason.chop(1);
    if (!reason.isEmpty())
        reason[0] = reason[0].toLower();
    return reason;
}

// Qt's help names the program by the path it was started from; the usage line gives the
// name it is installed under, as the editor's does.
QString CommandLineTool::Help() const
{
    QString text = _parser.helpText();
    const QString usage = QStringLiteral("Usage: ") + QCoreApplication::arguments().constFirst();
    if (text.startsWith(usage))
        text.replace(0, usage.size(), QStringLiteral("Usage: ") + _name);
    return text + HelpText::Ending(_name, _examples);
}
