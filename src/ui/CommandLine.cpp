#include "CommandLine.h"

#include "Console.h"
#include "HelpText.h"
#include "MainWindow.h"

#include <QStringList>

#include <algorithm>

namespace {

const QByteArray Separator = QByteArrayLiteral("--");

// Qt's own options, as QGuiApplication, QApplication and the X11 platform take them, each
// also with "--" in front. These take the next argument as their value...
const QByteArrayList QtOptionsWithValue = {
    "-platform",    "-platformpluginpath", "-platformtheme", "-plugin", "-qwindowgeometry",
    "-qwindowicon", "-qwindowtitle",       "-session",       "-style",  "-stylesheet",
    "-display",     "-geometry",           "-title",         "-icon",   "-name",
    "-visual"};
// ...these carry it after "="...
const QByteArrayList QtOptionsJoined = {"-style=", "-stylesheet=", "-qmljsdebugger="};
// ...and these take none.
const QByteArrayList QtFlags = {"-reverse", "-testability", "-widgetcount", "-qdebug",
                                "-qdevel",  "-nograb",      "-dograb"};

QString Help()
{
    return QStringLiteral("Usage: pixmint [options] [FONT.xml]\n") +
           HelpText::Wrap(QStringLiteral("Pixmint, the editor for 5x8 bitmap fonts. Qt's own "
                                         "options, such as -platform NAME or -style NAME, are "
                                         "read by Qt.")) +
           QStringLiteral("\n\n"
                          "Options:\n"
                          "  -h, --help     %1\n"
                          "  -v, --version  %2\n"
                          "  --             Take what follows as a file name, even if it starts "
                          "with \"-\".\n"
                          "\n"
                          "Arguments:\n"
                          "  FONT.xml       The font file to open at start, exactly as \"Open "
                          "font\" does.\n")
               .arg(HelpText::HelpDescription(), HelpText::VersionDescription());
}

// A lone "-" is a file name, as it is to most programs that take files.
bool IsOption(const QByteArray& argument)
{
    return argument.size() > 1 && argument.startsWith('-');
}

} // namespace

CommandLine::CommandLine(int argc, char* argv[])
{
    int index = 1;
    for (; index < argc && argv[index] != Separator; ++index)
        _beforeSeparator << argv[index];
    _toolkitArgumentCount = index;
    for (++index; index < argc; ++index)
        _afterSeparator << argv[index];
}

QString CommandLine::Information() const
{
    QList<QByteArray> own;
    OwnArguments(own, nullptr);
    for (const QByteArray& argument : own) {
        if (argument == "-h" || argument == "--help")
            return Help();
        if (argument == "-v" || argument == "--version")
            return HelpText::Version(QStringLiteral("pixmint"));
    }
    return {};
}

bool CommandLine::Read(QString* error)
{
    QList<QByteArray> files;
    if (!OwnArguments(files, error))
        return false;
    for (const QByteArray& argument : files) {
        if (IsOption(argument)) {
            // One line, whatever the argument holds.
            *error =
                HelpText::SeeHelp(QStringLiteral("unknown option %1")
                                      .arg(Console::VisibleText(QString::fromLocal8Bit(argument))));
            return false;
        }
    }
    files += _afterSeparator;
    if (files.size() > 1) {
        *error = HelpText::SeeHelp(
            QStringLiteral("expected at most one font file, got %1").arg(files.size()));
        return false;
    }
    if (!files.isEmpty())
        _fontPath = files.first();
    return true;
}

bool CommandLine::OwnArguments(QList<QByteArray>& own, QString* error) const
{
    own.clear();
    for (qsizetype index = 0; index < _beforeSeparator.size(); ++index) {
        const QByteArray& argument = _beforeSeparator[index];
        // Qt reads "--platform" as "-platform".
        const QByteArray option = argument.startsWith("--") ? argument.mid(1) : argument;
        if (QtFlags.contains(option))
            continue;
        if (std::any_of(QtOptionsJoined.begin(), QtOptionsJoined.end(),
                        [&](const QByteArray& joined) { return option.startsWith(joined); })) {
            continue;
        }
        if (!QtOptionsWithValue.contains(option)) {
            own << argument;
            continue;
        }
        if (++index == _beforeSeparator.size()) {
            if (error) {
                *error = HelpText::SeeHelp(
                    QStringLiteral("missing value after '%1'").arg(QString::fromLatin1(argument)));
            }
            return false;
        }
    }
    return true;
}

void CommandLine::Show(MainWindow& window) const
{
    window.show();
    if (_fontPath)
        window.OpenLocalFontFile(*_fontPath);
}
