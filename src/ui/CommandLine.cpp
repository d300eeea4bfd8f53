#include "CommandLine.h"

#include "Console.h"
#include "HelpText.h"
#include "MainWindow.h"
#include "Message.h"
#include "TextEscape.h"

#include <QApplication>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <utility>

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
           Message::Text(u"\n\n"
                         u"Options:\n"
                         u"  -h, --help     %1\n"
                         u"  -v, --version  %2\n"
                         u"  --             Take what follows as a file name, even if it starts "
                         u"with \"-\".\n"
                         u"\n"
                         u"Arguments:\n"
                         u"  FONT.xml       The font file to open at start, exactly as \"Open "
                         u"font\" does.\n",
                         {HelpText::HelpDescription(), HelpText::VersionDescription()}) +
           HelpText::Ending(
               QStringLiteral("pixmint"),
               {{QStringLiteral("Open a font file:"), QStringLiteral("pixmint font.xml")},
                {QStringLiteral("Run the editor on a virtual X server, where there is no display:"),
                 QStringLiteral("xvfb-run -a pixmint font.xml")}});
}

// Without a display, a reason given in one line and where to run the editor instead.
QString NoDisplay(const QString& reason)
{
    return QStringLiteral("no display to open the window on: ") + reason +
           QStringLiteral("; without a display, run it as xvfb-run -a pixmint [FONT.xml]");
}

// What Qt says while the application object starts, held back.
struct HeldMessage
{
    QtMsgType type;
    QByteArray category;
    QString text;
};
QList<HeldMessage> heldMessages;
QtMessageHandler previousHandler = nullptr;

// Ends the program where the window cannot open: one line giving the reasons that the
// platforms gave while Qt started (categories qt.qpa.*), else the reason given here.
[[noreturn]] void RefuseToStart(const QString& otherwise)
{
    QStringList reasons;
    for (const HeldMessage& message : std::as_const(heldMessages)) {
        if (message.type != QtDebugMsg && message.type != QtInfoMsg &&
            message.category.startsWith("qt.qpa"))
            reasons << message.text;
    }
    reasons.removeDuplicates();
    if (reasons.isEmpty())
        reasons << otherwise;
    Console::PrintError(QStringLiteral("pixmint"), NoDisplay(reasons.join(QStringLiteral("; "))));
    std::fflush(stderr);
    std::_Exit(2);
}

// Qt's fatal message at start ("no Qt platform plugin could be initialized", then advice to
// reinstall) follows the platforms' own reasons.
void HoldWhileStarting(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtFatalMsg)
        RefuseToStart(text.section(u'\n', 0, 0));
    heldMessages.append({type, context.category, text});
}

// A lone "-" is a file name, as it is to most programs that take files.
bool IsOption(const QByteArray& argument)
{
    return argument.size() > 1 && argument.startsWith('-');
}

} // namespace

CommandLine::CommandLine(int argc, char* argv[], QProcessEnvironment environment)
    : _environment(std::move(environment))
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
    OwnArguments(own);
    for (const QByteArray& argument : own) {
        if (argument == "-h" || argument == "--help")
            return Help();
        if (argument == "-v" || argument == "--version")
            return HelpText::Version(QStringLiteral("pixmint"));
    }
    return {};
}

Status CommandLine::Read()
{
    QList<QByteArray> files;
    if (Status own = OwnArguments(files); !own)
        return own;
    for (const QByteArray& argument : files) {
        if (IsOption(argument)) {
            // One line, whatever the argument holds.
            return Status::Failure(HelpText::SeeHelp(
                QStringLiteral("unknown option ") +
                TextEscape::Escaped(QString::fromLocal8Bit(argument), TextEscape::Where::Visible)));
        }
    }
    files += _afterSeparator;
    if (files.size() > 1) {
        return Status::Failure(HelpText::SeeHelp(
            Message::Text(u"expected at most one font file, got %1", {files.size()})));
    }
    if (const QString missing = MissingDisplay(); !missing.isNull())
        return Status::Failure(missing);
    if (!files.isEmpty())
        _fontPath = files.first();
    return Status();
}

QString CommandLine::MissingDisplay() const
{
    QList<QByteArray> own;
    QHash<QByteArray, QByteArray> toolkitValues;
    OwnArguments(own, &toolkitValues);
    const auto variable = [&](const char* name) {
        return _environment.value(QString::fromLatin1(name)).toLocal8Bit();
    };
    const QByteArray runtime = variable("XDG_RUNTIME_DIR");
    // Without WAYLAND_DISPLAY, the Wayland library connects to wayland-0.
    const bool wayland =
        !variable("WAYLAND_DISPLAY").isEmpty() || !variable("WAYLAND_SOCKET").isEmpty() ||
        (!runtime.isEmpty() &&
         QFileInfo::exists(QFile::decodeName(runtime) + QStringLiteral("/wayland-0")));
    const bool x11 = toolkitValues.contains("-display") || !variable("DISPLAY").isEmpty();
    QByteArray platforms = toolkitValues.value("-platform", variable("QT_QPA_PLATFORM"));
    if (platforms.isEmpty()) {
        platforms =
            !variable("WAYLAND_DISPLAY").isEmpty() || variable("XDG_SESSION_TYPE") == "wayland"
                ? QByteArrayLiteral("wayland;xcb")
                : QByteArrayLiteral("xcb");
    }
    // Qt tries the platforms in turn; a name may carry options after ":".
    QStringList unset;
    for (const QByteArray& platform : platforms.split(';')) {
        const QByteArray name = platform.split(':').constFirst().toLower();
        if (name == "xcb" && !x11)
            unset << QStringLiteral("DISPLAY");
        else if (name.startsWith("wayland") && !wayland)
            unset << QStringLiteral("WAYLAND_DISPLAY");
        else
            return {};
    }
    unset.removeDuplicates();
    return NoDisplay(QStringLiteral("Qt's platform \"") + QString::fromLocal8Bit(platforms) +
                     QStringLiteral("\" needs ") + unset.join(QStringLiteral(" or ")) +
                     QStringLiteral(", which is not set"));
}

std::unique_ptr<QApplication> CommandLine::StartApplication(int& argc, char* argv[])
{
    previousHandler = qInstallMessageHandler(HoldWhileStarting);
    auto application = std::make_unique<QApplication>(argc, argv);
    // A platform that started without a screen (linuxfb without a frame buffer) would abort
    // at the window.
    if (!QGuiApplication::primaryScreen()) {
        RefuseToStart(QStringLiteral("Qt's platform \"") + QGuiApplication::platformName() +
                      QStringLiteral("\" has no screen"));
    }
    qInstallMessageHandler(previousHandler);
    for (const HeldMessage& message : std::as_const(heldMessages)) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
        qt_message_output(message.type, context, message.text);
    }
    heldMessages.clear();
    return application;
}

Status CommandLine::OwnArguments(QList<QByteArray>& own,
                                 QHash<QByteArray, QByteArray>* toolkitValues) const
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
            return Status::Failure(HelpText::SeeHelp(QStringLiteral("missing value after '") +
                                                     QString::fromLatin1(argument) + u'\''));
        }
        if (toolkitValues)
            toolkitValues->insert(option, _beforeSeparator[index]);
    }
    return Status();
}

void CommandLine::Show(MainWindow& window) const
{
    window.show();
    if (_fontPath)
        window.OpenLocalFontFile(*_fontPath);
}
