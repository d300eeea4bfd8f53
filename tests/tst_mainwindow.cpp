#include "CSourceWriter.h"
#include "FontCharSet.h"
#include "FontCharSetView.h"
#include "FontCharView.h"
#include "FontFileWriter.h"
#include "MainWindow.h"
#include "TestFiles.h"
#include "TestLocales.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QImage>
#include <QLineEdit>
#include <QMenuBar>
#include <QMetaMethod>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <clocale>
#include <memory>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

QColor CellColor(FontCharView* grid, int column, int row)
{
    const QImage image = grid->grab().toImage();
    return image.pixelColor(50 * column + 25, 50 * row + 25);
}

// The scripted user: answers the window's questions from queues and records what was asked.
struct User
{
    QStringList paths;                          // next answers to file dialogs, in order
    QList<QMessageBox::StandardButton> answers; // next answers to the save question
    QStringList asked;                          // "caption|directory|filter" or the title
    QStringList warnings;                       // "title|text"

    MainWindow::Dialogs Dialogs()
    {
        MainWindow::Dialogs dialogs;
        auto path = [this](QWidget*, const QString& caption, const QString& directory,
                           const QString& filter) {
            asked << caption + QLatin1Char('|') + directory + QLatin1Char('|') + filter;
            return paths.isEmpty() ? QString() : paths.takeFirst();
        };
        dialogs.getOpenFileName = path;
        dialogs.getSaveFileName = path;
        dialogs.question = [this](QWidget*, const QString& title, const QString& text) {
            asked << title + QLatin1Char('|') + text;
            return answers.isEmpty() ? QMessageBox::No : answers.takeFirst();
        };
        dialogs.warning = [this](QWidget*, const QString& title, const QString& text) {
            warnings << title + QLatin1Char('|') + text;
        };
        return dialogs;
    }
};

const QString OpenAsked = QStringLiteral("Open Font|./|Font files (*.xml)");
const QString SaveAsked = QStringLiteral("Save Font|./|Font files (*.xml)");
const QString ExportAsked = QStringLiteral("Export Font as C/C++ source|./|C/C++ files (*.cpp)");
const QString QuestionAsked =
    QStringLiteral("Save changes?|Do you want to save changes to font before exiting app ?");

// Runs a function as soon as a modal dialog of the given type is up. A dialog that never
// comes, or one that is not answered, is closed after a while so that the test fails
// instead of hanging.
template <typename Dialog, typename Function>
void WhenModal(Function function)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    auto polls = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, function, polls] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<Dialog*>(modal)) {
            timer->stop();
            timer->deleteLater();
            function(dialog);
            // Still up: the function failed before answering it.
            if (dialog->isVisible())
                dialog->close();
        } else if (++*polls > 1000) {
            timer->stop();
            timer->deleteLater();
            if (modal)
                modal->close();
        }
    });
    timer->start();
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startsWithTitledWindowGridAndList();
    void selectingAndPressingEditsTheFont();
    void toolbarHoldsTheFileCommands();
    void newFontAfterEditsGivesBlankDefault();
    void openFailureChangesNothing_data();
    void openFailureChangesNothing();
    void openPartialFontListsExactlyItsNames();
    void saveThenOpenRoundTrip();
    void saveReplacesExistingFile();
    void saveFailureWarnsAndKeepsOldFile_data();
    void saveFailureWarnsAndKeepsOldFile();
    void exportWritesTheSourceText_data();
    void exportWritesTheSourceText();
    void exportFailureWarns();
    void closeAsksToSave_data();
    void closeAsksToSave();
    void closeAgainAfterFailedSave();
    void realDialogsAskAndSave();
    void closingLastWindowEndsEventLoopWithZero();
    void metaObjectHasTheFivePrivateSlots();

private:
    void Select(const QString& name);
    void EditC27A();

    MainWindow* _window = nullptr;
    // Closes a modal dialog that no test answers within seconds, and names it, so that a
    // regression that opens one fails the test instead of waiting for QTest's watchdog.
    QTimer _modalGuard;
    QPointer<QWidget> _lastModal;
    int _modalPolls = 0;
    QStringList _unanswered;
    FontCharView* _grid = nullptr;
    FontCharSetView* _list = nullptr;
    User _user;
    std::unique_ptr<QTemporaryDir> _dir;
};

void TestMainWindow::init()
{
    _unanswered.clear();
    _modalGuard.setInterval(50);
    _modalGuard.callOnTimeout([this] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal != _lastModal) {
            _lastModal = modal;
            _modalPolls = 0;
        } else if (++_modalPolls > 100) {
            _unanswered << modal->windowTitle();
            modal->close();
        }
    });
    _modalGuard.start();
    _user = User();
    _dir = std::make_unique<QTemporaryDir>();
    QVERIFY(_dir->isValid());
    _window = new MainWindow;
    _window->SetDialogs(_user.Dialogs());
    _window->show();
    QVERIFY(QTest::qWaitForWindowExposed(_window));
    _grid = _window->findChild<FontCharView*>();
    _list = _window->findChild<FontCharSetView*>();
    QVERIFY(_grid);
    QVERIFY(_list);
}

void TestMainWindow::cleanup()
{
    // Tests that leave the window open have no question left to answer: closing says No.
    delete _window;
    _window = nullptr;
    _modalGuard.stop();
    _modalGuard.disconnect();
    QVERIFY2(_unanswered.isEmpty(),
             qPrintable(QStringLiteral("unanswered dialogs: ") + _unanswered.join(u", ")));
}

void TestMainWindow::Select(const QString& name)
{
    const auto found = _list->findItems(name, Qt::MatchExactly);
    QVERIFY(found.size() == 1);
    _list->scrollToItem(found.first());
    QTest::mouseClick(_list->viewport(), Qt::LeftButton, {},
                      _list->visualItemRect(found.first()).center());
    QVERIFY(_list->currentItem() == found.first());
}

// Selects "C27  A" and switches on its pixel in column 2, row 1.
void TestMainWindow::EditC27A()
{
    Select(QStringLiteral("C27  A"));
    QTest::mouseClick(_grid, Qt::LeftButton, {}, QPoint(120, 70));
    QCOMPARE(CellColor(_grid, 2, 1), QColor(Qt::black));
}

void TestMainWindow::startsWithTitledWindowGridAndList()
{
    QCOMPARE(_window->windowTitle(), QStringLiteral("Pixmint - VANDRELL/PIMSEL - 2010"));
    auto* layout = qobject_cast<QHBoxLayout*>(_window->centralWidget()->layout());
    QVERIFY(layout);
    QCOMPARE(layout->count(), 2);
    QCOMPARE(layout->itemAt(0)->widget(), _grid);
    QCOMPARE(layout->itemAt(1)->widget(), _list);
    QVERIFY(_grid->geometry().right() < _list->geometry().left());
    QCOMPARE(_grid->size(), QSize(250, 400));

    QCOMPARE(_list->count(), 86);
    QCOMPARE(_list->item(0)->text(), QStringLiteral("C00  a"));
    QCOMPARE(_list->item(85)->text(), QStringLiteral("C86  Space"));
    // Focus may make the first row current, but nothing is selected or announced.
    QVERIFY(_list->selectedItems().isEmpty());
    QCOMPARE(CellColor(_grid, 2, 1), QColor(Qt::gray));
    QVERIFY(*_window->GetFontCharSet() == FontCharSet());
}

void TestMainWindow::selectingAndPressingEditsTheFont()
{
    Select(QStringLiteral("C27  A"));
    QCOMPARE(CellColor(_grid, 2, 1), QColor(Qt::white));

    QTest::mouseClick(_grid, Qt::LeftButton, {}, QPoint(120, 70));
    QCOMPARE(CellColor(_grid, 2, 1), QColor(Qt::black));

    Select(QStringLiteral("C28  B"));
    QCOMPARE(CellColor(_grid, 2, 1), QColor(Qt::white));
    Select(QStringLiteral("C27  A"));
    QCOMPARE(CellColor(_grid, 2, 1), QColor(Qt::black));

    FontCharSet expected;
    expected.At("C27  A")->SetPixel(2, 1, true);
    QVERIFY(*_window->GetFontCharSet() == expected);
}

void TestMainWindow::toolbarHoldsTheFileCommands()
{
    const QList<QToolBar*> toolBars = _window->findChildren<QToolBar*>();
    QCOMPARE(toolBars.size(), 1);
    QCOMPARE(toolBars.first()->windowTitle(), QStringLiteral("File"));
    QStringList texts;
    for (const QAction* action : toolBars.first()->actions()) {
        texts << (action->isSeparator() ? QStringLiteral("|") : action->text());
        QVERIFY(action->icon().isNull());
        QVERIFY(action->shortcut().isEmpty());
        QVERIFY(!action->isCheckable());
        QVERIFY(action->isEnabled());
    }
    QCOMPARE(texts,
             (QStringList{"New font", "Open font", "|", "Save font", "Export font as C/C++ code"}));
    QCOMPARE(_window->findChild<QMenuBar*>(), nullptr);

    // Each action runs its command: the dialogs it opens show which.
    for (QAction* action : toolBars.first()->actions())
        action->trigger();
    QCOMPARE(_user.asked, (QStringList{OpenAsked, SaveAsked, ExportAsked}));
    QVERIFY(_user.warnings.isEmpty());
}

void TestMainWindow::newFontAfterEditsGivesBlankDefault()
{
    EditC27A();
    const FontCharSet* before = _window->GetFontCharSet();
    _user.answers << QMessageBox::Yes; // must not be consumed: New asks nothing

    _window->findChild<QToolBar*>()->actions().at(0)->trigger();

    QVERIFY(_user.asked.isEmpty());
    QVERIFY(*_window->GetFontCharSet() == FontCharSet());
    QVERIFY(_window->GetFontCharSet() != before);
    QCOMPARE(_list->count(), 86);
    QVERIFY(_list->selectedItems().isEmpty());
    QCOMPARE(CellColor(_grid, 2, 1), QColor(Qt::gray));
    QTest::mouseClick(_grid, Qt::LeftButton, {}, QPoint(120, 70));
    QVERIFY(*_window->GetFontCharSet() == FontCharSet());
}

void TestMainWindow::openFailureChangesNothing_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("reason");
    QTest::newRow("dialog cancelled") << QString() << QByteArray() << QString();
    QTest::newRow("missing file") << "missing.xml" << QByteArray() << "No such file";
    QTest::newRow("a folder") << "." << QByteArray() << "";
    QTest::newRow("exported C source")
        << "font.cpp" << TestFiles::Data(QStringLiteral("default.export")) << "well-formed";
    QTest::newRow("empty file") << "empty.xml" << QByteArray("") << "well-formed";
    QTest::newRow("nested far too deep")
        << "deep.xml"
        << "<CharSet>" + QByteArray("<a>").repeated(300000) + "</CharSet>"
        << "nested more than";
    QTest::newRow("billion laughs")
        << "laughs.xml" << TestFiles::Data(QStringLiteral("hostile/billion-laughs.xml")) << "";
    QTest::newRow("truncated font file")
        << "cut.xml" << TestFiles::Data(QStringLiteral("two-glyphs.xml")).left(300)
        << "well-formed";
#ifdef Q_OS_UNIX
    QTest::newRow("a pipe without a writer") << "pipe" << QByteArray() << "not a regular file";
#endif
    QTest::newRow("other root") << "other.xml"
                                << QByteArray("<?xml version=\"1.0\"?><Font><FontChar "
                                              "Char=\"x\"/></Font>")
                                << "the root element is <Font>, not <CharSet>";
}

void TestMainWindow::openFailureChangesNothing()
{
    QFETCH(QString, path);
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);
    if (!path.isNull())
        path = _dir->filePath(path);
    if (!content.isNull())
        QVERIFY(TestFiles::Write(path, content));
#ifdef Q_OS_UNIX
    if (path.endsWith(QLatin1String("/pipe")))
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
#endif

    EditC27A();
    const FontCharSet* before = _window->GetFontCharSet();
    QListWidgetItem* current = _list->currentItem();
    _user.paths << path;

    _window->findChild<QToolBar*>()->actions().at(1)->trigger();

    QCOMPARE(_user.asked, QStringList{OpenAsked});
    if (reason.isNull()) {
        QVERIFY(_user.warnings.isEmpty());
    } else {
        // The user hears which file failed and why, and keeps the font being edited.
        QCOMPARE(_user.warnings.size(), 1);
        const QString expected = QStringLiteral("Open Font|The font could not be opened from "
                                                "\"%1\":\n")
                                     .arg(QDir::toNativeSeparators(path));
        QVERIFY2(_user.warnings.first().startsWith(expected), qPrintable(_user.warnings.first()));
        QVERIFY2(_user.warnings.first().contains(reason), qPrintable(_user.warnings.first()));
    }
    QCOMPARE(_window->GetFontCharSet(), before);
    FontCharSet expected;
    expected.At("C27  A")->SetPixel(2, 1, true);
    QVERIFY(*_window->GetFontCharSet() == expected);
    QCOMPARE(_list->currentItem(), current);
    QCOMPARE(_list->selectedItems(), QList<QListWidgetItem*>{current});
    QCOMPARE(CellColor(_grid, 2, 1), QColor(Qt::black));
}

void TestMainWindow::openPartialFontListsExactlyItsNames()
{
    const QString path = _dir->filePath(QStringLiteral("partial.xml"));
    QVERIFY(TestFiles::Write(
        path, "<CharSet><FontChar Char=\"zeta\"/><FontChar Char=\"C81  \xC2\xB2\">"
              "<Byte Index=\"1\">ff</Byte></FontChar><FontChar Char=\"C27  A\"/></CharSet>"));
    _user.paths << path;
    _window->findChild<QToolBar*>()->actions().at(1)->trigger();

    QStringList shown;
    for (int row = 0; row < _list->count(); ++row)
        shown << _list->item(row)->text();
    QCOMPARE(shown, (QStringList{"C27  A", QStringLiteral("C81  \u00B2"), "zeta"}));
    QCOMPARE(CellColor(_grid, 1, 0), QColor(Qt::gray));

    Select(QStringLiteral("C81  \u00B2"));
    QCOMPARE(CellColor(_grid, 1, 0), QColor(Qt::black));
    QCOMPARE(CellColor(_grid, 0, 0), QColor(Qt::white));
}

void TestMainWindow::saveThenOpenRoundTrip()
{
    EditC27A();
    Select(QStringLiteral("C85  \u00A9"));
    QTest::mouseClick(_grid, Qt::RightButton, {}, QPoint(249, 399));
    FontCharSet expected;
    expected.At("C27  A")->SetPixel(2, 1, true);
    expected.At("C85  \xA9")->SetPixel(4, 7, true);
    QVERIFY(*_window->GetFontCharSet() == expected);

    const QString path = _dir->filePath(QStringLiteral("round.xml"));
    _user.paths << path;
    _window->findChild<QToolBar*>()->actions().at(3)->trigger();
    QCOMPARE(TestFiles::Read(path), FontFileWriter::Bytes(expected));
    QVERIFY(TestFiles::Read(path).contains("<FontChar Char=\"C27  A\">\n"
                                           "        <Byte Index=\"0\">0</Byte>\n"
                                           "        <Byte Index=\"1\">0</Byte>\n"
                                           "        <Byte Index=\"2\">2</Byte>\n"));

    _window->findChild<QToolBar*>()->actions().at(0)->trigger();
    QVERIFY(*_window->GetFontCharSet() == FontCharSet());
    _user.paths << path;
    _window->findChild<QToolBar*>()->actions().at(1)->trigger();
    QVERIFY(*_window->GetFontCharSet() == expected);
    QVERIFY(_user.warnings.isEmpty());

    Select(QStringLiteral("C27  A"));
    QCOMPARE(CellColor(_grid, 2, 1), QColor(Qt::black));
}

void TestMainWindow::saveReplacesExistingFile()
{
    const QString path = _dir->filePath(QStringLiteral("existing.xml"));
    QVERIFY(TestFiles::Write(path, QByteArray(50000, 'x')));
    _user.paths << path;
    _window->findChild<QToolBar*>()->actions().at(3)->trigger();
    QCOMPARE(TestFiles::Read(path), TestFiles::Data(QStringLiteral("default.xml")));
    QVERIFY(_user.warnings.isEmpty());
}

void TestMainWindow::saveFailureWarnsAndKeepsOldFile_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("reason");
    QTest::newRow("folder does not exist") << "no/such/folder/font.xml"
                                           << "No such file or directory";
    QTest::newRow("parent is a file") << "plain/font.xml"
                                      << "Not a directory";
    QTest::newRow("path is a folder") << "folder"
                                      << "directory";
#ifdef Q_OS_LINUX
    QTest::newRow("failing device") << "/dev/full"
                                    << "No space left on device";
#endif
}

void TestMainWindow::saveFailureWarnsAndKeepsOldFile()
{
    QFETCH(QString, path);
    QFETCH(QString, reason);
    QVERIFY(TestFiles::Write(_dir->filePath(QStringLiteral("plain")), "old contents"));
    QVERIFY(QDir(_dir->path()).mkpath(QStringLiteral("folder")));
    if (QDir::isRelativePath(path))
        path = _dir->filePath(path);

    EditC27A();
    _user.paths << path;
    _window->findChild<QToolBar*>()->actions().at(3)->trigger();

    QCOMPARE(_user.warnings.size(), 1);
    const QString warning = _user.warnings.first();
    QVERIFY2(warning.startsWith(QStringLiteral("Save Font|")), qPrintable(warning));
    QVERIFY2(warning.contains(QDir::toNativeSeparators(path)), qPrintable(warning));
    QVERIFY2(warning.contains(reason, Qt::CaseInsensitive), qPrintable(warning));
    QCOMPARE(TestFiles::Read(_dir->filePath(QStringLiteral("plain"))), QByteArray("old contents"));
    QVERIFY(QFileInfo(_dir->filePath(QStringLiteral("folder"))).isDir());
    QCOMPARE(QDir(_dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             (QStringList{"folder", "plain"}));
    FontCharSet expected;
    expected.At("C27  A")->SetPixel(2, 1, true);
    QVERIFY(*_window->GetFontCharSet() == expected);
}

void TestMainWindow::exportWritesTheSourceText_data()
{
    QTest::addColumn<QString>("locale"); // built with localedef when it names a language
    QTest::addColumn<QByteArray>("encoding");
    QTest::addColumn<QByteArray>("c81"); // the name "C81  ²" in the file
    QTest::newRow("UTF-8") << "C.UTF-8" << QByteArray("UTF-8") << QByteArray("C81  \xC2\xB2");
    QTest::newRow("Latin-1") << "en_US.ISO-8859-1" << QByteArray("ISO-8859-1")
                             << QByteArray("C81  \xB2");
}

void TestMainWindow::exportWritesTheSourceText()
{
    QFETCH(QString, locale);
    QFETCH(QByteArray, encoding);
    QFETCH(QByteArray, c81);
    // The locale as the application object would have set it from the environment.
    const QByteArray previousLocale = std::setlocale(LC_ALL, nullptr);
    const auto restoreLocale = qScopeGuard([&] {
        std::setlocale(LC_ALL, previousLocale.constData());
        qunsetenv("LOCPATH");
    });
    if (locale.contains(QLatin1Char('_'))) {
        if (TestLocales::Localedef().isEmpty())
            QSKIP("needs localedef");
        QVERIFY(TestLocales::Build(_dir->path(), locale));
        qputenv("LOCPATH", QFile::encodeName(_dir->path()));
    }
    QVERIFY(std::setlocale(LC_ALL, locale.toLatin1().constData()));

    EditC27A();
    const QString path = _dir->filePath(QStringLiteral("font.cpp"));
    QVERIFY(TestFiles::Write(path, QByteArray(100000, 'x')));
    _user.paths << path;
    _window->findChild<QToolBar*>()->actions().at(4)->trigger();

    FontCharSet expected;
    expected.At("C27  A")->SetPixel(2, 1, true);
    const QByteArray bytes = TestFiles::Read(path);
    QCOMPARE(bytes, CSourceWriter().SourceBytes(expected, encoding));
    QVERIFY(bytes.startsWith("/* Auto generated file */\n"));
    QVERIFY(bytes.contains("{0x0,0x0,0x2,0x0,0x0},\t/* Char = C27  A */\n"));
    QVERIFY(bytes.contains("/* Char = " + c81 + " */\n"));
    QVERIFY(_user.warnings.isEmpty());
}

void TestMainWindow::exportFailureWarns()
{
    const QString path = _dir->filePath(QStringLiteral("no/folder/font.cpp"));
    _user.paths << path;
    _window->findChild<QToolBar*>()->actions().at(4)->trigger();
    QCOMPARE(_user.warnings.size(), 1);
    QVERIFY(_user.warnings.first().startsWith(QStringLiteral("Export Font as C/C++ source|")));
    QVERIFY(_user.warnings.first().contains(QDir::toNativeSeparators(path)));
    QVERIFY(!QFileInfo::exists(path));
}

void TestMainWindow::closeAsksToSave_data()
{
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<bool>("saved");
    QTest::addColumn<int>("warnings");
    QTest::newRow("No") << QMessageBox::No << QString() << true << false << 0;
    QTest::newRow("dismissed") << QMessageBox::Escape << QString() << true << false << 0;
    QTest::newRow("Yes and save") << QMessageBox::Yes << "close.xml" << true << true << 0;
    QTest::newRow("Yes and cancel") << QMessageBox::Yes << QString() << false << false << 0;
    QTest::newRow("Yes and a failing save")
        << QMessageBox::Yes << "missing/close.xml" << false << false << 1;
}

void TestMainWindow::closeAsksToSave()
{
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(QString, path);
    QFETCH(bool, closes);
    QFETCH(bool, saved);
    QFETCH(int, warnings);
    if (!path.isNull())
        path = _dir->filePath(path);

    EditC27A();
    _user.answers << answer;
    _user.paths << path;
    QCOMPARE(_window->close(), closes);
    QCOMPARE(_window->isVisible(), !closes);

    const bool askedForPath = answer == QMessageBox::Yes;
    QCOMPARE(_user.asked,
             (askedForPath ? QStringList{QuestionAsked, SaveAsked} : QStringList{QuestionAsked}));
    QCOMPARE(_user.warnings.size(), warnings);
    QCOMPARE(QFileInfo::exists(_dir->filePath(QStringLiteral("close.xml"))), saved);
    if (saved) {
        FontCharSet expected;
        expected.At("C27  A")->SetPixel(2, 1, true);
        QCOMPARE(TestFiles::Read(path), FontFileWriter::Bytes(expected));
    }
}

void TestMainWindow::closeAgainAfterFailedSave()
{
    _user.answers << QMessageBox::Yes << QMessageBox::No;
    QVERIFY(!_window->close());
    QVERIFY(_window->isVisible());
    QVERIFY(_window->close());
    QCOMPARE(_user.asked, (QStringList{QuestionAsked, SaveAsked, QuestionAsked}));
}

void TestMainWindow::realDialogsAskAndSave()
{
    // The window's own dialogs, answered through their widgets.
    delete _window;
    _window = new MainWindow;
    _window->show();
    QVERIFY(QTest::qWaitForWindowExposed(_window));

    const QString path = _dir->filePath(QStringLiteral("real.xml"));
    QString questionSeen;
    QString fileDialogSeen;
    WhenModal<QMessageBox>([&](QMessageBox* box) {
        questionSeen = box->windowTitle() + QLatin1Char('|') + box->text();
        QCOMPARE(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
        WhenModal<QFileDialog>([&](QFileDialog* dialog) {
            fileDialogSeen = dialog->windowTitle() + QLatin1Char('|') +
                             dialog->nameFilters().join(QLatin1Char(';')) + QLatin1Char('|') +
                             QString::number(dialog->directory() == QDir::current());
            // The name typed into the name field and confirmed, as a user does; a whole
            // path typed there races with the dialog's completer.
            dialog->setDirectory(QFileInfo(path).path());
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QVERIFY(name);
            name->clear();
            QTest::keyClicks(name, QFileInfo(path).fileName());
            static_cast<QDialog*>(dialog)->accept();
        });
        box->button(QMessageBox::Yes)->click();
    });
    QVERIFY(_window->close());
    QCOMPARE(questionSeen,
             QStringLiteral("Save changes?|Do you want to save changes to font before "
                            "exiting app ?"));
    QCOMPARE(fileDialogSeen, QStringLiteral("Save Font|Font files (*.xml)|1"));
    QCOMPARE(TestFiles::Read(path), TestFiles::Data(QStringLiteral("default.xml")));

    // A failing save shows the warning box and keeps the window open.
    MainWindow::Dialogs dialogs = MainWindow::Dialogs::Modal();
    const QString failing = _dir->filePath(QStringLiteral("nowhere/real.xml"));
    dialogs.getSaveFileName = [failing](QWidget*, const QString&, const QString&, const QString&) {
        return failing;
    };
    _window->SetDialogs(dialogs);
    _window->show();
    QString warningSeen;
    WhenModal<QMessageBox>([&](QMessageBox* box) {
        WhenModal<QMessageBox>([&](QMessageBox* warning) {
            warningSeen = warning->windowTitle() + QLatin1Char('|') + warning->text();
            QCOMPARE(warning->icon(), QMessageBox::Warning);
            warning->accept();
        });
        box->button(QMessageBox::Yes)->click();
    });
    QVERIFY(!_window->close());
    QVERIFY(_window->isVisible());
    QVERIFY2(warningSeen.startsWith(QStringLiteral("Save Font|The font could not be saved to \"") +
                                    QDir::toNativeSeparators(failing)),
             qPrintable(warningSeen));

    WhenModal<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::No)->click(); });
    QVERIFY(_window->close());
}

void TestMainWindow::closingLastWindowEndsEventLoopWithZero()
{
    QTimer::singleShot(0, _window, &QWidget::close);
    // A window that stays open would keep the loop running: it ends after a while anyway.
    QTimer stuck;
    stuck.setSingleShot(true);
    stuck.callOnTimeout([] { QApplication::exit(-1); });
    stuck.start(10000);
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!_window->isVisible());
    QCOMPARE(_user.asked, QStringList{QuestionAsked});
}

void TestMainWindow::metaObjectHasTheFivePrivateSlots()
{
    const QMetaObject& meta = MainWindow::staticMetaObject;
    QCOMPARE(meta.className(), "MainWindow");
    QCOMPARE(meta.superClass(), &QMainWindow::staticMetaObject);
    QStringList signatures;
    for (int index = meta.methodOffset(); index < meta.methodCount(); ++index) {
        const QMetaMethod method = meta.method(index);
        QCOMPARE(method.methodType(), QMetaMethod::Slot);
        QCOMPARE(method.access(), QMetaMethod::Private);
        QCOMPARE(method.returnType(), int(QMetaType::Void));
        signatures << QString::fromLatin1(method.methodSignature());
    }
    QCOMPARE(signatures, (QStringList{"_NewClicked()", "_OpenClicked()", "_SaveClicked()",
                                      "_ExportClicked()", "_ExitClicked()"}));
    QCOMPARE(meta.propertyCount(), meta.propertyOffset());
    QCOMPARE(meta.classInfoCount(), 0);
    QCOMPARE(meta.enumeratorCount(), meta.enumeratorOffset());
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
