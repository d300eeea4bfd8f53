#include "CommandLine.h"

#include "Console.h"
#include "MainWindow.h"

namespace {

const QByteArray Separator = QByteArrayLiteral("--");

const QString Help = QStringLiteral(
    "Usage: pixmint [options] [FONT.xml]\n"
    "Pixmint, the editor for 5x8 bitmap fonts. Given FONT.xml, it starts with that font open,\n"
    "exactly as \"Open font\" opens it.\n"
    "\n"
    "Options:\n"
    "  -h, --help     Show this help and exit.\n"
    "  -v, --version  Show the version and exit.\n"
    "  --             Take what follows as a file name, even when it starts with \"-\".\n"
    "\n"
    "Qt's own options, such as -platform NAME, are read by Qt.\n");

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
    for (const QByteArray& argument : _beforeSeparator) {
        if (argument == "-h" || argument == "--help")
            return Help;
        if (argument == "-v" || argument == "--version")
            return QStringLiteral("pixmint " PIXMINT_VERSION "\n");
    }
    return {};
}

bool CommandLine::Read(int argc, char* argv[], QString* error)
{
    QList<QByteArray> files;
    for (int index = 1; index < argc; ++index) {
        const QByteArray argument = argv[index];
        if (IsOption(argument)) {
            // One line, whatever the argument holds.
            *error = QStringLiteral("unknown option %1 (see --help)")
                         .arg(Console::VisibleText(QString::fromLocal8Bit(argument)));
            return false;
        }
        files << argument;
    }
    files += _afterSeparator;
    if (files.size() > 1) {
        *error =
            QStringLiteral("expected at most one font file, got %1 (see --help)").arg(files.size());
        return false;
    }
    if (!files.isEmpty())
        _fontPath = files.first();
    return true;
}

void CommandLine::Show(MainWindow& window) const
{
    window.show();
    if (_fontPath)
        window.OpenLocalFontFile(*_fontPath);
}
