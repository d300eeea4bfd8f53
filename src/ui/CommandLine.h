#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

class MainWindow;

// The editor's command line, pixmint [FILE], read before the application object exists, so
// that --help, --version and a refused command line need no display. Qt's own options
// (-platform NAME and the like) are passed over with their values and left to the
// application object; the font file is opened once the window is shown.
class CommandLine
{
public:
    CommandLine(int argc, char* argv[]);

    // What --help or --version asks to print, or a null string when the editor is to start.
    QString Information() const;

    // How many leading entries of argv the application object may read: those before "--",
    // so that a file named after it is never taken for one of Qt's options.
    int ToolkitArgumentCount() const { return _toolkitArgumentCount; }

    // False, with a one-line reason, for an option that neither Qt nor the editor knows, one of
    // Qt's that lacks its value, or more than one file.
    bool Read(QString* error);

    // The font file named on the command line, in the system's bytes; none when none is.
    const std::optional<QByteArray>& FontPath() const { return _fontPath; }

    // Shows the window, then opens the named font file in it as "Open font" does: after the
    // window, so that a warning has it as its parent.
    void Show(MainWindow& window) const;

private:
    // The arguments before "--" that are the editor's, Qt's options and their values left
    // out; false, with the reason, at an option of Qt's that lacks its value.
    bool OwnArguments(QList<QByteArray>& own, QString* error) const;

    QList<QByteArray> _beforeSeparator;
    QList<QByteArray> _afterSeparator;
    int _toolkitArgumentCount = 0;
    std::optional<QByteArray> _fontPath;
};
