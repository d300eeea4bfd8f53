#include "MainWindow.h"

#include "CSourceWriter.h"
#include "Console.h"
#include "FileWriter.h"
#include "FontCharSet.h"
#include "FontCharSetView.h"
#include "FontCharView.h"
#include "FontFileOpen.h"
#include "FontFileWriter.h"
#include "Message.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QToolBar>

namespace {

const QString StartDirectory = QStringLiteral("./");
const QString FontFilter = QStringLiteral("Font files (*.xml)");
const QString SourceFilter = QStringLiteral("C/C++ files (*.cpp)");
const QString OpenCaption = QStringLiteral("Open Font");
const QString SaveCaption = QStringLiteral("Save Font");
const QString ExportCaption = QStringLiteral("Export Font as C/C++ source");

} // namespace

MainWindow::Dialogs MainWindow::Dialogs::Modal()
{
    Dialogs dialogs;
    dialogs.getOpenFileName = [](QWidget* parent, const QString& caption, const QString& directory,
                                 const QString& filter) {
        return QFileDialog::getOpenFileName(parent, caption, directory, filter);
    };
    dialogs.getSaveFileName = [](QWidget* parent, const QString& caption, const QString& directory,
                                 const QString& filter) {
        return QFileDialog::getSaveFileName(parent, caption, directory, filter);
    };
    dialogs.question = [](QWidget* parent, const QString& title, const QString& text) {
        return QMessageBox::question(parent, title, text, QMessageBox::Yes | QMessageBox::No,
                                     QMessageBox::NoButton);
    };
    dialogs.warning = [](QWidget* parent, const QString& title, const QString& text) {
        QMessageBox::warning(parent, title, text);
    };
    return dialogs;
}

MainWindow::MainWindow() : _dialogs(Dialogs::Modal())
{
    setWindowTitle(QStringLiteral("Pixmint - VANDRELL/PIMSEL - 2010"));

    _fontCharView = new FontCharView;
    _fontCharSetView = new FontCharSetView;

    auto* central = new QWidget;
    setCentralWidget(central);
    auto* layout = new QHBoxLayout;
    central->setLayout(layout);
    layout->addWidget(_fontCharView);
    layout->addWidget(_fontCharSetView);

    _fontCharSet = new FontCharSet;
    _fontCharSetView->SetFontCharSet(_fontCharSet);

    connect(_fontCharSetView, &FontCharSetView::FontCharSelected, _fontCharView,
            &FontCharView::SetFontChar);

    _newAction = new QAction(QStringLiteral("New font"), this);
    _openAction = new QAction(QStringLiteral("Open font"), this);
    _saveAction = new QAction(QStringLiteral("Save font"), this);
    _exportAction = new QAction(QStringLiteral("Export font as C/C++ code"), this);
    connect(_newAction, &QAction::triggered, this, &MainWindow::_NewClicked);
    connect(_openAction, &QAction::triggered, this, &MainWindow::_OpenClicked);
    connect(_saveAction, &QAction::triggered, this, &MainWindow::_SaveClicked);
    connect(_exportAction, &QAction::triggered, this, &MainWindow::_ExportClicked);

    _fileToolBar = addToolBar(QStringLiteral("File"));
    _fileToolBar->addAction(_newAction);
    _fileToolBar->addAction(_openAction);
    _fileToolBar->addSeparator();
    _fileToolBar->addAction(_saveAction);
    _fileToolBar->addAction(_exportAction);
}

MainWindow::~MainWindow()
{
    ReplaceFontCharSet(nullptr);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // A save that was asked for and did not happen keeps the window, and the edits, open.
    if (!AskToSaveBeforeExit())
        event->ignore();
}

void MainWindow::_NewClicked()
{
    ReplaceFontCharSet(std::make_unique<FontCharSet>());
}

void MainWindow::_OpenClicked()
{
    const QString path = _dialogs.getOpenFileName(this, OpenCaption, StartDirectory, FontFilter);
    if (!path.isEmpty())
        OpenFontFile(path);
}

bool MainWindow::OpenFontFile(const QString& path)
{
    // Reading a pipe or a device waits for a writer that may never come, and the window
    // would freeze.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile() && !info.isDir()) {
        WarnNotOpened(path, tr("it is not a regular file"));
        return false;
    }
    Result<std::unique_ptr<FontCharSet>> opened = FontFileOpen::Read(path);
    if (!opened) {
        WarnNotOpened(path, opened.Reason());
        return false;
    }
    ReplaceFontCharSet(std::move(*opened));
    return true;
}

bool MainWindow::OpenLocalFontFile(const QByteArray& localPath)
{
    QString path;
    if (!Console::DecodeFileName(localPath, path)) {
        WarnNotOpened(path, tr("the file name is not valid UTF-8; rename the file to open it"));
        return false;
    }
    return OpenFontFile(path);
}

void MainWindow::_SaveClicked()
{
    SaveFont();
}

void MainWindow::_ExportClicked()
{
    const QString path =
        _dialogs.getSaveFileName(this, ExportCaption, StartDirectory, SourceFilter);
    if (path.isEmpty())
        return;
    // The editor's export: the set writes its array through FontCharSet::ExportC, in the
    // user's encoding.
    if (const Status written = FileWriter::WriteFile(
            path, CSourceWriter().SourceBytes(*_fontCharSet, Console::LocaleEncoding()),
            FileWriter::Mode::Text);
        !written) {
        _dialogs.warning(this, ExportCaption,
                         Message::Text(tr("The font could not be exported to \"%1\":\n%2"),
                                       {QDir::toNativeSeparators(path), written.Reason()}));
    }
}

void MainWindow::_ExitClicked()
{
    AskToSaveBeforeExit();
}

void MainWindow::ReplaceFontCharSet(std::unique_ptr<FontCharSet> fontCharSet)
{
    _fontCharSetView->ClearFontCharSet();
    _fontCharView->ClearFontChar();
    delete _fontCharSet;
    _fontCharSet = fontCharSet.release();
    if (_fontCharSet)
        _fontCharSetView->SetFontCharSet(_fontCharSet);
}

bool MainWindow::SaveFont()
{
    const QString path = _dialogs.getSaveFileName(this, SaveCaption, StartDirectory, FontFilter);
    if (path.isEmpty())
        return false;
    if (const Status written = FileWriter::WriteFile(path, FontFileWriter::Bytes(*_fontCharSet),
                                                     FileWriter::Mode::Text);
        !written) {
        _dialogs.warning(this, SaveCaption,
                         Message::Text(tr("The font could not be saved to \"%1\":\n%2"),
                                       {QDir::toNativeSeparators(path), written.Reason()}));
        return false;
    }
    return true;
}

bool MainWindow::AskToSaveBeforeExit()
{
    const QMessageBox::StandardButton answer = _dialogs.question(
        this, QStringLiteral("Save changes?"),
        QStringLiteral("Do you want to save changes to font before exiting app ?"));
    return answer != QMessageBox::Yes || SaveFont();
}

void MainWindow::WarnNotOpened(const QString& path, const QString& reason)
{
    _dialogs.warning(this, OpenCaption,
                     Message::Text(tr("The font could not be opened from \"%1\":\n%2"),
                                   {QDir::toNativeSeparators(path), reason}));
}
