#pragma once

#include "Status.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QProcessEnvironment>
#include <QString>

#include <memory>
#include <optional>

class MainWindow;
class QApplication;

// The editor's command line, pixmint [FILE], read before the application object exists, so
// that --help, --version and a refused command line need no display. Qt's own options
// (-platform NAME and the like) are passed over with their values and left to the
// application object; the font file is opened once the window is shown.
class CommandLine
{
public:
    // The environment says which of Qt's platforms will be taken and whether a display
    // server can be reached.
    CommandLine(int argc, char* argv[],
                QProcessEnvironment environment = QProcessEnvironment::systemEnvironment());

    // What --help or --version asks to print, or a null string when the editor is to start.
    QString Information() const;

    // How many leading entries of argv the application object may read: those before "--",
    // so that a file named after it is never taken for one of Qt's options.
    int ToolkitArgumentCount() const { return _toolkitArgumentCount; }

    // A failure, with a one-line reason, for an option that neither Qt nor the editor knows,
    // one of Qt's that lacks its value, more than one file, or no display server for the
    // window.
    Status Read();

    // The font file named on the command line, in the system's bytes; none when none is.
    const std::optional<QByteArray>& FontPath() const { return _fontPath; }

    // The application object, given argc and argv as Qt is to read them (argc is lowered as
    // Qt takes its options out, and must outlive the object). Where no platform that Qt tries
    // can start (an X server that is not there, a platform that is not installed) or the one
    // that starts has no screen, Qt would end the program with abort() after lines of advice:
    // the editor says why in one line instead and exits with status 2. What Qt says while starting
    // is held back till then, and passed on once it has started.
    static std::unique_ptr<QApplication> StartApplication(int& argc, char* argv[]);

    // Shows the window, then opens the named font file in it as "Open font" does: after the
    // window, so that a warning has it as its parent.
    void Show(MainWindow& window) const;

private:
    // The arguments before "--" that are the editor's, Qt's options and their values left
    // out, and those values by option (the last one given, "--platform" as "-platform");
    // a failure, with the reason, at an option of Qt's that lacks its value.
    Status OwnArguments(QList<QByteArray>& own,
                        QHash<QByteArray, QByteArray>* toolkitValues = nullptr) const;

    // Why no window can open, or a null string when one may. Qt aborts the program when its
    // platform cannot connect to a display server, so the server that the X11 (xcb) and
    // Wayland platforms need is looked for first. The platforms are those that Qt tries:
    // -platform, else QT_QPA_PLATFORM, else xcb, after wayland in a Wayland session; any
    // other (offscreen, minimal, vnc, eglfs) is left to Qt.
    QString MissingDisplay() const;

    QList<QByteArray> _beforeSeparator;
    QList<QByteArray> _afterSeparator;
    int _toolkitArgumentCount = 0;
    std::optional<QByteArray> _fontPath;
    QProcessEnvironment _environment;
};
