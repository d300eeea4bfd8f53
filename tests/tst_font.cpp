// pixmint-font, the program: the examples of its page as written, the files it makes, the
// lines an edit changes, and every refusal leaving the files as they were.
#include "CharacterMap.h"
#include "FontCharSet.h"
#include "FontFileWriter.h"
#include "TestFiles.h"
#include "TestFonts.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Run
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// A shell command in the folder, with the built programs first on the PATH and git set up
// for a repository of its own.
Run Shell(const QString& folder, const QString& command)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("PATH", QStringLiteral(PIXMINT_BIN ":") + environment.value("PATH"));
    environment.insert("HOME", folder);
    environment.insert("GIT_CONFIG_NOSYSTEM", "1");
    for (const char* variable : {"GIT_AUTHOR", "GIT_COMMITTER"}) {
        environment.insert(QLatin1String(variable) + "_NAME", "Pixmint");
        environment.insert(QLatin1String(variable) + "_EMAIL", "dev@pixmint.invalid");
    }
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder);
    process.start("/bin/sh", {"-c", command});
    Run run;
    if (process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit)
        run = {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
    return run;
}

// The lines of after that are not in before and those of before that are not in after, where
// the two differ in one stretch: what is left between their common first and last lines.
QPair<QByteArray, QByteArray> Changed(const QByteArray& before, const QByteArray& after)
{
    const QByteArrayList old = before.split('\n'), now = after.split('\n');
    qsizetype first = 0, last = 0;
    while (first < std::min(old.size(), now.size()) && old[first] == now[first])
        ++first;
    while (last < std::min(old.size(), now.size()) - first &&
           old[old.size() - 1 - last] == now[now.size() - 1 - last])
        ++last;
    return {old.mid(first, old.size() - first - last).join('\n'),
            now.mid(first, now.size() - first - last).join('\n')};
}

// A glyph's Byte lines, and all its lines, as the editor saves them.
QByteArray Bytes(const QByteArrayList& bytes)
{
    QByteArrayList lines;
    for (qsizetype column = 0; column < bytes.size(); ++column)
        lines << "        <Byte Index=\"" + QByteArray::number(column) + "\">" + bytes[column] +
                     "</Byte>";
    return lines.join('\n');
}

QByteArray Glyph(const QByteArray& name, const QByteArrayList& bytes)
{
    return "    <FontChar Char=\"" + name + "\">\n" + Bytes(bytes) + "\n    </FontChar>";
}

const QByteArrayList Blank = {"0", "0", "0", "0", "0"};

} // namespace

class TestFont : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void documentedExamplesRunAsWritten();
    void newWritesWhatTheEditorSaves_data();
    void newWritesWhatTheEditorSaves();
    void editsChangeOnlyTheirLines_data();
    void editsChangeOnlyTheirLines();
    void refusalsLeaveTheFilesAsTheyWere_data();
    void refusalsLeaveTheFilesAsTheyWere();

private:
    std::unique_ptr<QTemporaryDir> _dir;
};

void TestFont::init()
{
    _dir = std::make_unique<QTemporaryDir>();
    QVERIFY(_dir->isValid());
}

void TestFont::documentedExamplesRunAsWritten()
{
    const QByteArray page = TestFiles::Read(QStringLiteral(PIXMINT_DOCS "/pixmint-font.md"));
    QVERIFY(!page.isEmpty());
    // Every command of the console blocks in order, in one shell, a line apart from the next.
    QByteArray script, sketch, *block = nullptr;
    QStringList commands, expected;
    for (const QByteArray& line : page.split('\n')) {
        if (line.startsWith("```")) {
            block = line == "```console" ? &script : line == "```cpp" ? &sketch : nullptr;
        } else if (block == &script && line.startsWith("$ ")) {
            commands << QString::fromUtf8(line.mid(2));
            expected << QString();
            script += "echo @@@\n{ " + line.mid(2) + "\n} 2>&1\n";
        } else if (block == &script) {
            expected.last() += QString::fromUtf8(line) + '\n';
        } else if (block) {
            sketch += line + '\n';
        }
    }
    const QStringList printed = QString::fromUtf8(Shell(_dir->path(), script).out).split("@@@\n");
    QCOMPARE(printed.size(), commands.size() + 1);
    for (qsizetype index = 0; index < commands.size(); ++index) {
        QVERIFY2(printed[index + 1] == expected[index],
                 qPrintable(commands[index] + "\n" + printed[index + 1]));
    }

    // The CGRAM recipe's sketch, against a display that prints what it is given.
    QVERIFY(TestFiles::Write(
        _dir->filePath("LiquidCrystal.h"),
        "#include <cstdio>\ntypedef unsigned char byte;\n"
        "struct LiquidCrystal {\n LiquidCrystal(int, int, int, int, int, int) {}\n"
        " void begin(int, int) {}\n void write(byte code) { std::printf(\"%d\\n\", code); }\n"
        " void createChar(int code, byte rows[8]) {\n  std::printf(\"%d:\", code);\n"
        "  for (int row = 0; row < 8; ++row) std::printf(\" %02x\", rows[row]);\n"
        "  std::printf(\"\\n\");\n }\n};\n"));
    QVERIFY(TestFiles::Write(_dir->filePath("sketch.cpp"), sketch + "int main() { setup(); }\n"));
    const Run sketchRun =
        Shell(_dir->path(), PIXMINT_CXX_COMPILER " -Wall -Wextra -Werror -I. -o "
                                                 "sketch sketch.cpp -x c cgram.c && ./sketch");
    QVERIFY2(sketchRun.exitCode == 0, sketchRun.err);
    QCOMPARE(sketchRun.out, "0: 00 0a 1f 1f 0e 04 00 00\n1: 04 0e 1f 04 04 04 04 00\n"
                            "2: 00 00 00 00 00 00 00 00\n3: 00 00 00 00 00 00 00 00\n"
                            "4: 00 00 00 00 00 00 00 00\n5: 00 00 00 00 00 00 00 00\n"
                            "6: 00 00 00 00 00 00 00 00\n7: 00 00 00 00 00 00 00 00\n0\n1\n");
}

void TestFont::newWritesWhatTheEditorSaves_data()
{
    QTest::addColumn<QString>("options");
    QTest::addColumn<bool>("empty");
    QTest::addColumn<QList<int>>("added"); // the codes of blank glyphs beside the default table

    QTest::newRow("the default table") << "" << false << QList<int>();
    QTest::newRow("no glyph") << "--empty" << true << QList<int>();
    QTest::newRow("CGRAM") << "--empty --codes 0-7" << true << QList<int>{0, 1, 2, 3, 4, 5, 6, 7};
    QTest::newRow("printable ASCII")
        << "--codes 32-126" << false
        << QList<int>{'!', '#', '$', '%', '&', '?', '^', '_', '`', '{', '|', '}', '~'};
    QTest::newRow("bounds, repeats")
        << "--empty --codes 0x9f-0xA1 --codes 0xad-0Xad --chars 'ÿ' --chars ÿ --codes 255-255"
        << true << QList<int>{0x9F, 0xA0, 0xA1, 0xAD, 0xFF};
    QTest::newRow("codes the font has")
        << "--codes 0x41-0x41 --chars 'A b'" << false << QList<int>();
}

void TestFont::newWritesWhatTheEditorSaves()
{
    QFETCH(QString, options);
    QFETCH(bool, empty);
    QFETCH(QList<int>, added);

    FontCharSet expected;
    if (empty)
        expected.Clear();
    for (const int code : added)
        TestFonts::Store(expected, CharacterMap::GlyphNameFor(code), {});
    const Run run = Shell(_dir->path(), "pixmint-font new new.xml " + options);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QByteArray());
    QCOMPARE(TestFiles::Read(_dir->filePath("new.xml")), FontFileWriter::Bytes(expected));
    // Permissions as any new file has them.
    QVERIFY(TestFiles::Write(_dir->filePath("plain"), ""));
    QCOMPARE(QFile::permissions(_dir->filePath("new.xml")),
             QFile::permissions(_dir->filePath("plain")));
}

void TestFont::editsChangeOnlyTheirLines_data()
{
    QTest::addColumn<QString>("command"); // on font.xml, the default table as the editor saves it
    QTest::addColumn<QByteArray>("removed");
    QTest::addColumn<QByteArray>("added");

    QTest::newRow("draw") << "pixmint-font draw font.xml 'C27  A' "
                             "'.###./#...#/#...#/#####/#...#/#...#/#...#/.....'"
                          << Bytes(Blank) << Bytes({"7e", "9", "9", "9", "7e"});
    QTest::newRow("draw from show, after a glyph for a character that one has")
        << "pixmint-font add font.xml 'x  A' && echo 'name/#..../...../...../...../...../"
           "...../...../.....' | tr / '\\n' | pixmint-font draw font.xml 'x  A'"
        << QByteArray() << Glyph("x  A", {"1", "0", "0", "0", "0"});
    QTest::newRow("add between two") << "pixmint-font add font.xml 'C27  AA' --like 'C28  B'"
                                     << QByteArray() << Glyph("C27  AA", Blank);
    QTest::newRow("rename is a relabel") << "pixmint-font rename font.xml 'C00  a' 'C00  0x61'"
                                         << QByteArray("    <FontChar Char=\"C00  a\">")
                                         << QByteArray("    <FontChar Char=\"C00  0x61\">");
    QTest::newRow("delete") << "pixmint-font delete font.xml 'C85  ©' 'C84  ®' 'C85  ©'"
                            << Glyph("C84  ®", Blank) + "\n" + Glyph("C85  ©", Blank)
                            << QByteArray();
    QTest::newRow("the same pixels")
        << "pixmint-font draw font.xml 'C00  a' -- ...../...../...../...../...../...../...../....."
        << QByteArray() << QByteArray();
}

void TestFont::editsChangeOnlyTheirLines()
{
    QFETCH(QString, command);
    QFETCH(QByteArray, removed);
    QFETCH(QByteArray, added);

    const QString font = _dir->filePath("font.xml");
    const QByteArray saved = TestFiles::Data("default.xml");
    QVERIFY(TestFiles::Write(font, saved));
    QVERIFY(QFile::setPermissions(font, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther));
    // A second name keeps the file as it was: a file written anew is another file.
    const QString witness = _dir->filePath("witness");
    QCOMPARE(::link(QFile::encodeName(font), QFile::encodeName(witness)), 0);
    const Run run = Shell(_dir->path(), command);
    QVERIFY2(run.exitCode == 0 && run.err.isEmpty(), run.err);
    const auto [old, now] = Changed(saved, TestFiles::Read(font));
    QCOMPARE(old, removed);
    QCOMPARE(now, added);
    struct stat before = {}, after = {};
    QCOMPARE(::stat(QFile::encodeName(witness), &before), 0);
    QCOMPARE(::stat(QFile::encodeName(font), &after), 0);
    QCOMPARE(after.st_mode, before.st_mode);
    // Nothing to change, nothing written.
    QCOMPARE(after.st_ino == before.st_ino, added.isEmpty() && removed.isEmpty());
}

void TestFont::refusalsLeaveTheFilesAsTheyWere_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("command"); // font.xml is the default table, problems.xml has 14
    QTest::addColumn<QString>("error");

    const QString rows = " '...../...../...../...../...../...../...../.....'";
    const QString full = " '#####/#####/#####/#####/#####/#####/#####/";
    QTest::newRow("add onto a name") << ""
                                     << "add font.xml 'C27  A'"
                                     << "a glyph is already named \"C27  A\"";
    QTest::newRow("rename onto a name") << ""
                                        << "rename font.xml 'C00  a' 'C01  b'"
                                        << "already named \"C01  b\"";
    QTest::newRow("rename onto itself") << ""
                                        << "rename font.xml 'C00  a' 'C00  a'"
                                        << "already named";
    QTest::newRow("a tab") << ""
                           << "add font.xml \"$(printf 'a\\tb')\""
                           << "\"a\\tb\": U+0009 is a control character";
    QTest::newRow("DEL") << ""
                         << "rename font.xml 'C00  a' \"$(printf 'a\\177')\""
                         << "U+007F is a control";
    QTest::newRow("a C1 control") << ""
                                  << "add font.xml \"$(printf 'a\\302\\205')\""
                                  << "U+0085 is a control";
    QTest::newRow("beyond Latin-1") << ""
                                    << "add font.xml 'x😀'"
                                    << "\"😀\" (U+1F600) is beyond U+00FF";
    QTest::newRow("beyond Latin-1, its \"?\" there")
        << "pixmint-font add font.xml 'C86  ?'"
        << "delete font.xml 'C86  €'"
        << "no glyph is named \"C86  €\" (the nearest name is \"C86  ?\")";
    QTest::newRow("one space") << ""
                               << "draw font.xml 'C27 A'" + rows
                               << "(the nearest name is \"C27  A\")";
    QTest::newRow("by its code") << ""
                                 << "show font.xml 0x41"
                                 << "(the nearest name is \"C27  A\")";
    QTest::newRow("two as near") << "pixmint-font add font.xml glyph1 && pixmint-font add "
                                    "font.xml glyph2"
                                 << "show font.xml glyph3"
                                 << "no glyph is named \"glyph3\"\n";
    QTest::newRow("one missing of two") << ""
                                        << "delete font.xml 'C00  a' nope"
                                        << "no glyph is named \"nope\"\n";
    QTest::newRow("--like missing") << ""
                                    << "add font.xml x --like nope"
                                    << "--like: no glyph is named \"nope\"";
    QTest::newRow("a short row") << ""
                                 << "draw font.xml 'C00  a'" + full + "####'"
                                 << "ROWS: row 8 is not 5";
    QTest::newRow("a letter") << ""
                              << "draw font.xml 'C00  a'" + full + "####x'"
                              << "ROWS: row 8 is not 5";
    QTest::newRow("nine rows") << ""
                               << "draw font.xml 'C00  a'" + full + "#####/#####'"
                               << "got 9 rows";
    QTest::newRow("two glyphs in")
        << ""
        << "pixmint-font show font.xml 'C00  a' 'C01  b' | pixmint-font draw font.xml x"
        << "standard input: expected 8 rows";
    QTest::newRow("the font in") << ""
                                 << "draw font.xml 'C00  a' < font.xml"
                                 << "standard input: expected 8 rows";
    QTest::newRow("the font out") << ""
                                  << "show font.xml 'C00  a' >> font.xml"
                                  << "standard output: this is the file being read";
    QTest::newRow("new over a file") << ""
                                     << "new font.xml --empty"
                                     << "this file already exists";
    QTest::newRow("new over a dangling link") << "ln -s other.xml link.xml"
                                              << "new link.xml"
                                              << "this file already exists";
    QTest::newRow("a reversed range") << ""
                                      << "new other.xml --codes 9-8"
                                      << "--codes 9-8: expected FIRST-LAST";
    QTest::newRow("not Latin-1 in --chars") << ""
                                            << "new other.xml --chars 'a€'"
                                            << "--chars: \"€\" (U+20AC) is not a Latin-1";
    QTest::newRow("an option of another command") << ""
                                                  << "add font.xml x --empty"
                                                  << "--empty goes with new alone";
    QTest::newRow("too few arguments") << ""
                                       << "rename font.xml 'C00  a'"
                                       << "rename takes FONT.xml OLD NEW (see --help)";
    QTest::newRow("problems a rewrite changes")
        << ""
        << "delete problems.xml 'C27  A'"
        << "problems.xml: not edited: it has 14 problems that a rewrite would silently change "
           "(see them with pixmint-export --check problems.xml)";
}

void TestFont::refusalsLeaveTheFilesAsTheyWere()
{
    QFETCH(QString, setup);
    QFETCH(QString, command);
    QFETCH(QString, error);

    QVERIFY(TestFiles::Write(_dir->filePath("font.xml"), TestFiles::Data("default.xml")));
    QVERIFY(
        TestFiles::Write(_dir->filePath("problems.xml"), TestFiles::Data("check/problems.xml")));
    QVERIFY(setup.isEmpty() || Shell(_dir->path(), setup).exitCode == 0);
    const QByteArray font = TestFiles::Read(_dir->filePath("font.xml"));
    if (!command.startsWith("pixmint-font"))
        command.prepend("pixmint-font ");
    const Run run = Shell(_dir->path(), command);
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.startsWith("pixmint-font: ") && run.err.count('\n') == 1 &&
                 QString::fromUtf8(run.err).contains(error),
             run.err);
    QCOMPARE(TestFiles::Read(_dir->filePath("font.xml")), font);
    QCOMPARE(TestFiles::Read(_dir->filePath("problems.xml")),
             TestFiles::Data("check/problems.xml"));
    QVERIFY(!QFile::exists(_dir->filePath("other.xml")));
}

QTEST_MAIN(TestFont)
#include "tst_font.moc"
