// The editor's start-up: what it reads of its command line, the font file it opens once its
// window is shown, and the real program answering without a display, in the words of the
// converters.
#include "CommandLine.h"
#include "FontCharSet.h"
#include "MainWindow.h"
#include "TestFiles.h"
#include "TestFonts.h"
#include "TestRun.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

// argc and argv as main receives them, from the arguments that follow the program's name.
class Argv
{
public:
    explicit Argv(const QByteArrayList& arguments) : _arguments(QByteArrayList{"pixmint"})
    {
        _arguments += arguments;
        for (QByteArray& argument : _arguments)
            _pointers.push_back(argument.data());
        _pointers.push_back(nullptr);
    }
    int Count() const { return int(_arguments.size()); }
    char** Vector() { return _pointers.data(); }

private:
    QByteArrayList _arguments;
    std::vector<char*> _pointers;
};

// Qt cannot name a file whose name is not valid UTF-8.
bool WriteRaw(const QByteArray& localPath, const QByteArray& bytes)
{
    std::FILE* file = std::fopen(localPath.constData(), "wb");
    if (!file)
        return false;
    const bool written =
        std::fwrite(bytes.constData(), 1, bytes.size(), file) == size_t(bytes.size());
    return std::fclose(file) == 0 && written;
}

} // namespace

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void readsTheCommandLine_data();
    void readsTheCommandLine();
    void opensTheNamedFileOnceShown_data();
    void opensTheNamedFileOnceShown();
    void answersWithoutADisplay_data();
    void answersWithoutADisplay();
    void helpTextsAgree_data();
    void helpTextsAgree();

private:
    // The program where a display would be needed but there is none.
    Run RunWithoutDisplay(const QString& program, const QStringList& arguments) const;

    std::unique_ptr<QTemporaryDir> _dir;
    QString _previousDirectory;
};

void TestCommandLine::init()
{
    _dir = std::make_unique<QTemporaryDir>();
    QVERIFY(_dir->isValid());
    _previousDirectory = QDir::currentPath();
    QVERIFY(QDir::setCurrent(_dir->path()));
}

void TestCommandLine::cleanup()
{
    // Qt cannot name this file, so the temporary folder could not remove it.
    std::remove("caf\xe9.xml");
    QDir::setCurrent(_previousDirectory);
    _dir.reset();
}

Run TestCommandLine::RunWithoutDisplay(const QString& program, const QStringList& arguments) const
{
    RunSetup setup;
    setup.environment.remove(QStringLiteral("DISPLAY"));
    setup.environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    setup.environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    // Else Qt warns on standard error that it has none.
    setup.environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), _dir->path());
    return Start(program, arguments, setup);
}

void TestCommandLine::readsTheCommandLine_data()
{
    QTest::addColumn<QByteArrayList>("arguments");
    QTest::addColumn<QString>("information"); // "help", "version" or empty
    QTest::addColumn<int>("toolkitArguments");
    QTest::addColumn<QByteArrayList>("file"); // the one file named, or none
    QTest::addColumn<QString>("error");       // part of the reason, or empty when accepted

    const QByteArrayList none;
    QTest::newRow("nothing") << none << "" << 1 << none << "";
    QTest::newRow("a file") << QByteArrayList{"font.xml"} << "" << 2 << QByteArrayList{"font.xml"}
                            << "";
    QTest::newRow("a lone dash is a file")
        << QByteArrayList{"-"} << "" << 2 << QByteArrayList{"-"} << "";
    QTest::newRow("after --, a name like an option is a file, hidden from Qt")
        << QByteArrayList{"--", "-reverse"} << "" << 1 << QByteArrayList{"-reverse"} << "";
    QTest::newRow("after --, --help is a file")
        << QByteArrayList{"--", "--help"} << "" << 1 << QByteArrayList{"--help"} << "";
    QTest::newRow("a name that is not UTF-8 is kept byte for byte")
        << QByteArrayList{"caf\xe9.xml"} << "" << 2 << QByteArrayList{"caf\xe9.xml"} << "";
    QTest::newRow("-h") << QByteArrayList{"-h"} << "help" << 2 << none << "";
    QTest::newRow("--help wins over a file")
        << QByteArrayList{"font.xml", "--help"} << "help" << 3 << none << "";
    QTest::newRow("-v") << QByteArrayList{"-v"} << "version" << 2 << none << "";
    QTest::newRow("--version") << QByteArrayList{"--version"} << "version" << 2 << none << "";
    QTest::newRow("an unknown option") << QByteArrayList{"font.xml", "--frobnicate"} << "" << 3
                                       << none << "unknown option --frobnicate";
    QTest::newRow("two files") << QByteArrayList{"a.xml", "b.xml"} << "" << 3 << none
                               << "at most one font file, got 2";
    QTest::newRow("two files across --") << QByteArrayList{"a.xml", "--", "b.xml"} << "" << 2
                                         << none << "at most one font file, got 2";
    // Qt's own options are passed over with their values, which are never files.
    QTest::newRow("Qt's options, their values and a file")
        << QByteArrayList{"--platform", "offscreen", "-style=Fusion", "-reverse",
                          "-display",   ":1",        "font.xml"}
        << "" << 8 << QByteArrayList{"font.xml"} << "";
    QTest::newRow("the value of a Qt option is not --help")
        << QByteArrayList{"-style", "--help"} << "" << 3 << none << "";
    QTest::newRow("a Qt option without its value")
        << QByteArrayList{"font.xml", "-style"} << "" << 3 << none
        << "missing value after '-style' (see --help)";
    // Where Qt's platform would find no display server (the environment names offscreen).
    QTest::newRow("X11 without a display")
        << QByteArrayList{"-platform", "xcb", "a.xml"} << "" << 4 << none
        << "\"xcb\" needs DISPLAY, which is not set; without a display, run it as "
           "xvfb-run -a pixmint [FONT.xml]";
    QTest::newRow("X11 on -display")
        << QByteArrayList{"--platform", "xcb", "-display", ":1"} << "" << 5 << none << "";
    QTest::newRow("Wayland, else minimal")
        << QByteArrayList{"-platform", "wayland;minimal"} << "" << 3 << none << "";
    QTest::newRow("Wayland without a display")
        << QByteArrayList{"-platform", "wayland-egl:x"} << "" << 3 << none
        << "\"wayland-egl:x\" needs WAYLAND_DISPLAY, which is not set";
}

void TestCommandLine::readsTheCommandLine()
{
    QFETCH(QByteArrayList, arguments);
    QFETCH(QString, information);
    QFETCH(int, toolkitArguments);
    QFETCH(QByteArrayList, file);
    QFETCH(QString, error);

    Argv argv(arguments);
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    CommandLine commandLine(argv.Count(), argv.Vector(), environment);
    QCOMPARE(commandLine.ToolkitArgumentCount(), toolkitArguments);
    const QString printed = commandLine.Information();
    if (information == QLatin1String("help"))
        QVERIFY(printed.startsWith(QStringLiteral("Usage: pixmint [options] [FONT.xml]\n")));
    else if (information == QLatin1String("version"))
        QCOMPARE(printed, QStringLiteral("pixmint " PIXMINT_VERSION "\n"));
    else
        QVERIFY(printed.isNull());
    if (!information.isEmpty())
        return;

    const Status read = commandLine.Read();
    const QString reason = read.Reason();
    QCOMPARE(read.Ok(), error.isEmpty());
    QVERIFY2(reason.contains(error), qPrintable(reason));
    QVERIFY(!reason.contains(QLatin1Char('\n')));
    if (file.isEmpty())
        QVERIFY(!commandLine.FontPath());
    else
        QCOMPARE(commandLine.FontPath().value_or("(none)"), file.first());
}

void TestCommandLine::opensTheNamedFileOnceShown_data()
{
    QTest::addColumn<QByteArrayList>("arguments"); // "{dir}" stands for the working folder
    QTest::addColumn<bool>("opens");
    QTest::addColumn<QString>("named"); // the name the warning gives, or empty for none
    QTest::addColumn<QString>("reason");

    QTest::newRow("no file") << QByteArrayList() << false << ""
                             << "";
    QTest::newRow("relative, with a space") << QByteArrayList{"two glyphs.xml"} << true << ""
                                            << "";
    QTest::newRow("absolute") << QByteArrayList{"{dir}/two glyphs.xml"} << true << ""
                              << "";
    QTest::newRow("named like an option") << QByteArrayList{"--", "-x.xml"} << true << ""
                                          << "";
    QTest::newRow("missing") << QByteArrayList{"missing.xml"} << false << "\"missing.xml\""
                             << "";
    QTest::newRow("a folder") << QByteArrayList{"folder.xml"} << false << "\"folder.xml\""
                              << "";
    // Decoded, the name would be that of another font file that is there too.
    QTest::newRow("a name that is not UTF-8")
        << QByteArrayList{"caf\xe9.xml"} << false << QStringLiteral("\"caf\uFFFD.xml\"")
        << "not valid UTF-8";
}

void TestCommandLine::opensTheNamedFileOnceShown()
{
    QFETCH(QByteArrayList, arguments);
    QFETCH(bool, opens);
    QFETCH(QString, named);
    QFETCH(QString, reason);

    const QByteArray font = TestFiles::Data(QStringLiteral("two-glyphs.xml"));
    QVERIFY(TestFiles::Write(QStringLiteral("two glyphs.xml"), font));
    QVERIFY(TestFiles::Write(QStringLiteral("-x.xml"), font));
    QVERIFY(TestFiles::Write(QStringLiteral("caf\uFFFD.xml"), font));
    QVERIFY(WriteRaw("caf\xe9.xml", font));
    QVERIFY(QDir().mkdir(QStringLiteral("folder.xml")));
    for (QByteArray& argument : arguments)
        argument.replace("{dir}", QFile::encodeName(_dir->path()));

    Argv argv(arguments);
    CommandLine commandLine(argv.Count(), argv.Vector());
    QVERIFY(commandLine.Read());

    MainWindow window;
    MainWindow::Dialogs dialogs;
    QStringList warnings;
    dialogs.warning = [&](QWidget* parent, const QString& title, const QString& text) {
        QVERIFY(parent == &window && parent->isVisible());
        warnings << title + QLatin1Char('|') + text;
    };
    window.SetDialogs(dialogs);
    commandLine.Show(window);

    QVERIFY(window.isVisible());
    const std::unique_ptr<FontCharSet> expected =
        opens ? TestFonts::Parse(font) : std::make_unique<FontCharSet>();
    QVERIFY(expected);
    QVERIFY(*window.GetFontCharSet() == *expected);
    if (named.isEmpty()) {
        QCOMPARE(warnings, QStringList());
    } else {
        QCOMPARE(warnings.size(), 1);
        QVERIFY2(warnings.first().startsWith(QStringLiteral("Open Font|")) &&
                     warnings.first().contains(named) && warnings.first().contains(reason),
                 qPrintable(warnings.first()));
    }
}

void TestCommandLine::answersWithoutADisplay_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("output"); // the start of standard output
    QTest::addColumn<QString>("error");  // part of the one line on standard error

    QTest::newRow("an unknown option") << QStringList{"--hepl"} << 2 << ""
                                       << "unknown option --hepl (see --help)";
    QTest::newRow("two files") << QStringList{"a.xml", "b.xml"} << 2 << ""
                               << "expected at most one font file, got 2 (see --help)";
    QTest::newRow("a Qt option and its value, then two files")
        << QStringList{"-style", "Fusion", "a.xml", "b.xml"} << 2 << ""
        << "at most one font file, got 2 ";
    QTest::newRow("a Qt option without its value") << QStringList{"-platform"} << 2 << ""
                                                   << "missing value after '-platform' ";
    QTest::newRow("a Qt option, then --version")
        << QStringList{"-platform", "offscreen", "--version"} << 0
        << "pixmint " PIXMINT_VERSION "\n"
        << "";
    QTest::newRow("a Qt option after -- is a file")
        << QStringList{"-platform", "offscreen", "a.xml", "--", "-reverse"} << 2 << ""
        << "at most one font file, got 2 ";
    QTest::newRow("a font file") << QStringList{"a.xml"} << 2 << ""
                                 << "\"xcb\" needs DISPLAY, which is not set; without a display";
    QTest::newRow("an X server that is not there")
        << QStringList{"-display", ":4999", "a.xml"} << 2 << ""
        << "window on: could not connect to display :4999; without a display";
    QTest::newRow("a platform without a screen")
        << QStringList{"-platform", "linuxfb:fb=/dev/null"} << 2 << ""
        << "window on: Qt's platform \"linuxfb\" has no screen; without";
    QTest::newRow("a platform that is not installed") << QStringList{"-platform", "none"} << 2 << ""
                                                      << "platform plugin \"none\" in";
}

void TestCommandLine::answersWithoutADisplay()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, output);
    QFETCH(QString, error);

    const Run run = RunWithoutDisplay(QStringLiteral(PIXMINT_EDITOR), arguments);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(output.isEmpty() ? run.OutText().isEmpty() : run.OutText().startsWith(output),
             qPrintable(run.OutText()));
    if (error.isEmpty()) {
        QCOMPARE(run.ErrText(), QString());
    } else {
        QVERIFY2(run.ErrText().startsWith(QStringLiteral("pixmint: ")) &&
                     run.ErrText().contains(error) && run.ErrText().count(QLatin1Char('\n')) == 1 &&
                     run.ErrText().endsWith(QLatin1Char('\n')),
                 qPrintable(run.ErrText()));
    }
}

void TestCommandLine::helpTextsAgree_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("usage");
    QTest::addColumn<QString>("argument"); // as the list of arguments names it

    QTest::newRow("pixmint") << PIXMINT_EDITOR << "Usage: pixmint [options] [FONT.xml]"
                             << "FONT.xml";
    QTest::newRow("pixmint-export") << PIXMINT_EXPORT << "Usage: pixmint-export [options] FONT.xml"
                                    << "FONT.xml";
    QTest::newRow("pixmint-import")
        << PIXMINT_IMPORT << "Usage: pixmint-import [options] OTHER-FONT"
        << "OTHER-FONT";
    QTest::newRow("pixmint-font") << PIXMINT_FONT
                                  << "Usage: pixmint-font [options] COMMAND FONT.xml [ARGUMENTS]..."
                                  << "COMMAND";
}

void TestCommandLine::helpTextsAgree()
{
    QFETCH(QString, program);
    QFETCH(QString, usage);
    QFETCH(QString, argument);
    const QString name = QFileInfo(program).fileName();

    const Run help = RunWithoutDisplay(program, {QStringLiteral("--help")});
    QCOMPARE(help.exitCode, 0);
    QStringList lines = help.OutText().split(QLatin1Char('\n'));
    QCOMPARE(lines.takeLast(), QString());
    QCOMPARE(lines.first(), usage);
    for (const QString& line : lines)
        QVERIFY2(line.size() <= 80, qPrintable(line));
    const QRegularExpression helpLine(QStringLiteral("^  -h, --help +Show this help and exit\\.$"));
    const QRegularExpression versionLine(
        QStringLiteral("^  -v, --version +Show the version and exit\\.$"));
    QCOMPARE(lines.filter(helpLine).size(), 1);
    QCOMPARE(lines.filter(versionLine).size(), 1);
    const qsizetype arguments = lines.indexOf(QStringLiteral("Arguments:"));
    QVERIFY(arguments > 0 && arguments + 1 < lines.size());
    QVERIFY2(
        lines[arguments + 1].startsWith(QStringLiteral("  ") + argument + QStringLiteral("  ")),
        qPrintable(lines[arguments + 1]));

    // Two or three examples, each naming the program, then the manual page to read.
    QCOMPARE(lines.last(), QStringLiteral("See ") + name + QStringLiteral("(1)."));
    const QStringList examples = lines.mid(lines.indexOf(QStringLiteral("Examples:")))
                                     .filter(QRegularExpression("^    \\S"));
    QVERIFY2(examples.size() >= 2 && examples.size() <= 3 && lines.indexOf("Examples:") > arguments,
             qPrintable(help.OutText()));
    for (const QString& command : examples)
        QVERIFY2(command.contains(name + QLatin1Char(' ')), qPrintable(command));

    // Started in a folder that holds files named as its libraries, it loads none of them.
    for (const char* library : {"libc.so.6", "libQt6Core.so.6", "libstdc++.so.6"})
        QVERIFY(TestFiles::Write(QString::fromLatin1(library), "not a library"));
    const Run version = RunWithoutDisplay(program, {QStringLiteral("--version")});
    QVERIFY2(version.exitCode == 0, version.err.constData());
    QCOMPARE(version.OutText(), name + QStringLiteral(" " PIXMINT_VERSION "\n"));

    const Run bad = RunWithoutDisplay(program, {QStringLiteral("--bogus")});
    QCOMPARE(bad.exitCode, 2);
    QCOMPARE(bad.ErrText(), name + QStringLiteral(": unknown option --bogus (see --help)\n"));
}

QTEST_MAIN(TestCommandLine)
#include "tst_commandline.moc"
