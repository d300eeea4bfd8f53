#pragma once

#include <QMainWindow>
#include <QMessageBox>

#include <functional>
#include <memory>

class FontCharSet;
class FontCharSetView;
class FontCharView;
class QAction;
class QToolBar;

// The editor's one window: the glyph grid on the left, the list of names on the right,
// both showing the one font that the window owns, and the "File" toolbar.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // How the window asks the user for a path or an answer and how it warns. The defaults
    // are the modal file dialogs and message boxes; tests put their own answers in place.
    struct Dialogs
    {
        std::function<QString(QWidget* parent, const QString& caption, const QString& directory,
                              const QString& filter)>
            getOpenFileName;
        std::function<QString(QWidget* parent, const QString& caption, const QString& directory,
                              const QString& filter)>
            getSaveFileName;
        std::function<QMessageBox::StandardButton(QWidget* parent, const QString& title,
                                                  const QString& text)>
            question;
        std::function<void(QWidget* parent, const QString& title, const QString& text)> warning;

        static Dialogs Modal();
    };

    MainWindow();
    ~MainWindow() override;

    // The font being edited, for reading; it changes when a file command replaces it.
    const FontCharSet* GetFontCharSet() const { return _fontCharSet; }

    void SetDialogs(Dialogs dialogs) { _dialogs = std::move(dialogs); }

    // What "Open font" does once it has a path: the font in the file replaces the one being
    // edited, or a warning names the file and the reason and nothing changes. True when the
    // font was replaced.
    bool OpenFontFile(const QString& path);
    // The same for a path in the system's bytes, as a command line gives it. Qt names files
    // by text, and a name that is not valid UTF-8 would turn into the name of another file on
    // the way: it gets the warning instead.
    bool OpenLocalFontFile(const QByteArray& localPath);

protected:
    void closeEvent(QCloseEvent* event) override;

private slots:
    void _NewClicked();
    void _OpenClicked();
    void _SaveClicked();
    void _ExportClicked();
    void _ExitClicked();

private:
    // Both views forget the old font before it is deleted; only then is the new one shown.
    void ReplaceFontCharSet(std::unique_ptr<FontCharSet> fontCharSet);
    // True when the font was written.
    bool SaveFont();
    // True when the window may close: the user declined to save, or saved.
    bool AskToSaveBeforeExit();
    void WarnNotOpened(const QString& path, const QString& reason);

    FontCharSet* _fontCharSet = nullptr;
    FontCharView* _fontCharView = nullptr;
    FontCharSetView* _fontCharSetView = nullptr;
    QAction* _newAction = nullptr;
    QAction* _openAction = nullptr;
    QAction* _saveAction = nullptr;
    QAction* _exportAction = nullptr;
    QToolBar* _fileToolBar = nullptr;
    Dialogs _dialogs;
};
