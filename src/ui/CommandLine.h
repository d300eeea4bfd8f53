#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

class MainWindow;

// The editor's command line, pixmint [FILE], read in three steps around the application
// object: --help and --version before it exists, so that they need no display; Qt's own
// options (-platform and the like) by it; the font file after it.
class CommandLine
{
public:
    CommandLine(int argc, char* argv[]);

    // What --help or --version asks to print, or a null string when the editor is to start.
    QString Information() const;

    // How many leading entries of argv the application object may read: those before "--",
    // so that a file named after it is never taken for one of Qt's options.
    int ToolkitArgumentCount() const { return _toolkitArgumentCount; }

    // Reads what the application object left of argv (argc entries) together with the
    // arguments after "--". False, with a one-line reason, for an option that neither Qt nor
    // the editor knows or for more than one file.
    bool Read(int argc, char* argv[], QString* error);

    // The font file named on the command line, in the system's bytes; none when none is.
    const std::optional<QByteArray>& FontPath() const { return _fontPath; }

    // Shows the window, then opens the named font file in it as "Open font" does: after the
    // window, so that a warning has it as its parent.
    void Show(MainWindow& window) const;

private:
    QList<QByteArray> _beforeSeparator;
    QList<QByteArray> _afterSeparator;
    int _toolkitArgumentCount = 0;
    std::optional<QByteArray> _fontPath;
};
