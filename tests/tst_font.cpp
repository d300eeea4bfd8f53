// pixmint-font, the program: the files it makes, the lines an edit changes, and every refusal
// leaving the files as they were. (The examples of its page run with the manual's, tests/docs.)
#include "CharacterMap.h"
#include "FontCharSet.h"
#include "FontFileWriter.h"
#include "TestFiles.h"
#include "TestFonts.h"
#include "TestRun.h"

#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// A shell command in the folder, with the built programs first on the PATH.
Run Shell(const QString& folder, const QString& command)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("PATH", QStringLiteral(PIXMINT_BIN ":") + environment.value("PATH"));
    RunSetup setup;
    setup.folder = folder;
    setup.environment = environment;
    return Start("/bin/sh", {"-c", command}, setup);
}

} // namespace

class TestFont : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void newWritesWhatTheEditorSaves_data();
    void newWritesWhatTheEditorSaves();
    void editsChangeOnlyTheirLines_data();
    void editsChangeOnlyTheirLines();
    void refusalsLeaveTheFilesAsTheyWere_data();
    void refusalsLeaveTheFilesAsTheyWere();
    void glyphsAsTheUserNamesThem_data();
    void glyphsAsTheUserNamesThem();

private:
    std::unique_ptr<QTemporaryDir> _dir;
};

void TestFont::init()
{
    _dir = std::make_unique<QTemporaryDir>();
    QVERIFY(_dir->isValid());
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
    QTest::addColumn<QString>("golden");  // diff -U0 from before to after, under tests/data/edits

    QTest::newRow("draw") << "pixmint-font draw font.xml 'C27  A' "
                             "'.###./#...#/#...#/#####/#...#/#...#/#...#/.....'"
                          << "draw.diff";
    QTest::newRow("from show, a glyph for a character that one has")
        << "pixmint-font add font.xml 'x  A' && echo 'x/#..../...../...../...../...../...../...../"
           ".....' | tr / '\\n' | pixmint-font draw font.xml 'x  A'"
        << "add-draw.diff";
    QTest::newRow("add like") << "pixmint-font add font.xml 'C27  AA' --like 'C27  A'"
                              << "add.diff";
    QTest::newRow("rename") << "pixmint-font rename font.xml 'C00  a' 'C00  0x61'"
                            << "rename.diff";
    QTest::newRow("delete") << "pixmint-font delete font.xml 'C85  ©' 'C84  ®' 'C85  ©'"
                            << "delete.diff";
    // Each waits for the lock of the one before and reads what it wrote.
    QTest::newRow("adds at once") << "for g in a b c d e f g h; do pixmint-font add font.xml "
                                     "\"z  $g\" & done; wait"
                                  << "adds.diff";
    // Each as list prints it: a backslash as \\, a tab as \t, so that none stands for another.
    QTest::newRow("names alike but for escapes, each by what list prints")
        << "for n in 'c\\x85d' 'c~d' 'x!A' 'x\\tA'; do pixmint-font add font.xml \"$n\"; done && "
           "sed -i 's/c~d/c\\xc2\\x85d/; s/x!A/x\\&#9;A/' font.xml && cp font.xml saved.xml && "
           "pixmint-font list font.xml | sed -n 's/^-    blank //p' | while IFS= read -r n; do "
           "pixmint-font draw font.xml \"$n\" '#####/#####/#####/#####/#####/#####/#####/..#..'; "
           "done"
        << "alike.diff";
    QTest::newRow("an escape that list does not print, as it is")
        << "pixmint-font add font.xml 'a\\x41' && pixmint-font add font.xml aA && "
           "cp font.xml saved.xml && pixmint-font draw font.xml 'a\\x41' "
           "'#####/#####/#####/#####/#####/#####/#####/..#..'"
        << "escape.diff";
    QTest::newRow("a tab, a line break, a carriage return and a C1 control, which a file carries")
        << "n=\"$(printf 'a\\tb\\nc\\rd\\302\\205\\177')\" && pixmint-font add font.xml \"$n\" && "
           "pixmint-font draw font.xml \"$n\" '#####/#####/#####/#####/#####/#####/#####/..#..'"
        << "controls.diff";
    QTest::newRow("names alike in their first 256 characters, by what list prints")
        << "n=$(printf %0300d 0) && pixmint-font add font.xml ${n}1 && pixmint-font add font.xml "
           "${n}2 && cp font.xml saved.xml && pixmint-font list font.xml | sed -n "
           "'s/^-    blank //p' | tail -1 | { IFS= read -r n; pixmint-font draw font.xml \"$n\" "
           "'#####/#####/#####/#####/#####/#####/#####/..#..'; }"
        << "long.diff";
    QTest::newRow("the same pixels")
        << "pixmint-font draw font.xml 'C00  a' -- ...../...../...../...../...../...../...../....."
        << "";
}

void TestFont::editsChangeOnlyTheirLines()
{
    QFETCH(QString, command);
    QFETCH(QString, golden);

    QVERIFY(QFile::copy(TestFiles::DataPath("default.xml"), _dir->filePath("saved.xml")));
    QVERIFY(QFile::copy(TestFiles::DataPath("default.xml"), _dir->filePath("font.xml")));
    QVERIFY(QFile::setPermissions(_dir->filePath("font.xml"),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther));
    // A second name keeps the file as it was: a file written anew is another file.
    QCOMPARE(::link(QFile::encodeName(_dir->filePath("font.xml")),
                    QFile::encodeName(_dir->filePath("witness"))),
             0);
    const Run run = Shell(_dir->path(), command);
    QVERIFY2(run.exitCode == 0 && run.err.isEmpty(), run.err);
    const Run diff =
        Shell(_dir->path(), "diff -U0 --label saved --label edited saved.xml font.xml");
    QCOMPARE(diff.out, golden.isEmpty() ? QByteArray() : TestFiles::Data("edits/" + golden));
    struct stat before = {}, after = {};
    QCOMPARE(::stat(QFile::encodeName(_dir->filePath("witness")), &before), 0);
    QCOMPARE(::stat(QFile::encodeName(_dir->filePath("font.xml")), &after), 0);
    QCOMPARE(after.st_mode, before.st_mode);
    // Nothing to change, nothing written.
    QCOMPARE(after.st_ino == before.st_ino, golden.isEmpty());
}

void TestFont::refusalsLeaveTheFilesAsTheyWere_data()
{
    QTest::addColumn<QString>("command"); // font.xml is the default table, problems.xml has 14
    QTest::addColumn<QString>("error");
    const auto row = [](const char* name, const QString& command, const QString& error) {
        QTest::newRow(name) << command << error;
    };
    const QString draw = "draw font.xml 'C00  a' '#####/#####/#####/#####/#####/#####/#####/";
    row("add onto a name", "add font.xml 'C27  A'", "a glyph is already named \"C27  A\"");
    row("rename onto a name", "rename font.xml 'C00  a' 'C01  b'", "already named \"C01  b\"");
    row("rename onto itself", "rename font.xml 'C00  a' 'C00  a'", "already named");
    // A font file carries no C0 control but tab, line feed and carriage return.
    row("a C0 control", "add font.xml \"$(printf 'a\\001b')\"",
        "\"a\\x01b\": U+0001 is a control character");
    row("escape", "rename font.xml 'C00  a' \"$(printf 'a\\033')\"", "U+001B is a control");
    row("unit separator", "add font.xml \"$(printf 'a\\037')\"", "U+001F is a control");
    row("beyond Latin-1", "add font.xml 'x😀'", "\"😀\" (U+1F600) is beyond U+00FF");
    row("beyond Latin-1, its \"?\" there", "show problems.xml 'C81  €'",
        "no glyph is named \"C81  €\" (the nearest name is \"C81  ?\")");
    row("one space", "draw font.xml 'C27 A' '#####/#####/#####/#####/#####/#####/#####/#####'",
        "(the nearest name is \"C27  A\")");
    row("a code without a glyph", "show font.xml 0x7f",
        "no glyph is named \"0x7f\" or stands for the code 0x7F\n");
    row("a character without a glyph", "delete font.xml 'C00  a' é",
        "no glyph is named \"é\" or stands for the code 0xE9\n");
    row("beyond Latin-1 by its code", "show font.xml U+20AC", "no glyph is named \"U+20AC\"\n");
    row("a code's name, not another character's",
        "pixmint-font new e.xml --empty --chars '!' && pixmint-font show e.xml 'U+0041  A'",
        "no glyph is named \"U+0041  A\"\n");
    row("the same character first", "show font.xml 'U+0041  A'",
        "(the nearest name is \"C27  A\")");
    row("as near two", "show font.xml 'C0x  ab'", "no glyph is named \"C0x  ab\"\n");
    row("one missing of two", "delete font.xml 'C00  a' nope", "no glyph is named \"nope\"\n");
    row("--like missing", "add font.xml x --like nope", "--like: no glyph is named \"nope\"");
    row("a short row", draw + "####'", "ROWS: row 8 is not 5");
    row("a letter", draw + "####x'", "ROWS: row 8 is not 5");
    row("nine rows", draw + "#####/#####'", "got 9 rows");
    row("two glyphs in",
        "pixmint-font show font.xml 'C00  a' 'C01  b' | pixmint-font draw font.xml x",
        "standard input: expected 8 rows");
    row("the font in", "draw font.xml 'C00  a' < font.xml", "standard input: expected 8 rows");
    row("the font out", "show font.xml 'C00  a' >> font.xml",
        "standard output: this is the file being read");
    row("the font as standard input", "delete /dev/stdin 'C00  a' <> font.xml",
        "/dev/stdin: a stream the program was started with, which an edit cannot replace");
    row("a pipe", "mkfifo pipe && pixmint-font add pipe x", "pipe: not a regular file");
    // Each quotation mark of the name is written as &quot;.
    row("a rewrite larger than the editor opens",
        "{ printf \"<CharSet><FontChar Char='\"; head -c 14000000 /dev/zero | tr '\\0' '\"'; "
        "echo \"'/></CharSet>\"; } > big.xml && pixmint-font add big.xml x",
        "big.xml: the font file would take 84000");
    row("new over a file", "new font.xml --empty", "this file already exists");
    row("new over a dangling link", "ln -s other.xml link.xml; pixmint-font new link.xml",
        "this file already exists");
    row("a reversed range", "new other.xml --codes 9-8", "--codes 9-8: expected FIRST-LAST");
    row("not Latin-1", "new other.xml --chars 'a€'", "--chars: \"€\" (U+20AC) is not a Latin-1");
    row("an option of another command", "add font.xml x --empty", "--empty goes with new alone");
    row("--by-code with another command", "show font.xml --by-code", "--by-code goes with list");
    row("--textconv with a name", "show font.xml A --textconv", "--textconv takes the whole file");
    row("not a font, shown", "echo '<a/>' > a.xml && pixmint-font show a.xml", "not a font file");
    row("--like with another command", "delete font.xml 'C00  a' --like 'C01  b'",
        "--like goes with add alone");
    row("too few arguments", "rename font.xml 'C00  a'",
        "rename takes FONT.xml OLD NEW (see --help)");
    // More notes of glyphs for one character, which a rewrite keeps, than a report holds.
    row("problems after a report's worth of notes",
        "{ echo '<CharSet>'; for i in $(seq 1002); do echo \"<FontChar Char='g$i  a'/>\"; done; "
        "echo '</CharSet>'; } > many.xml && pixmint-font add many.xml ok && sed 's|</CharSet>|"
        "<FontChar Char=\"z\"><Byte Index=\"0\">1ff</Byte><Byte Index=\"9\"/></FontChar>&|' "
        "many.xml > bad.xml && pixmint-font add bad.xml x",
        "bad.xml: not edited: it has 2 problems");
    row("more problems than a check reports",
        "{ echo '<CharSet>'; for i in $(seq 1001); do echo \"<FontChar Char='$i'><Byte "
        "Index='0'>1ff</Byte></FontChar>\"; done; echo '</CharSet>'; } > cut.xml && "
        "pixmint-font add cut.xml x",
        "cut.xml: not edited: it has at least 1000 problems");
    // The command suggested runs as it is printed, and finds the problems (exit status 1).
    row("problems of a path that begins with a dash",
        "cp -- problems.xml \"-it's.xml\" && pixmint-font delete -- \"-it's.xml\" x 2>&1 "
        "| tee /dev/stderr | sed -n 's/.*(see them with \\(.*\\))$/\\1/p' | sh > out 2>&1; "
        "[ $? = 1 ] && [ -s out ] && exit 2",
        "-it's.xml: not edited: it has 14 problems");
    row("problems a rewrite changes", "delete problems.xml 'C27  A'",
        "problems.xml: not edited: it has 14 problems that a rewrite would silently change (see "
        "them with pixmint-export --check problems.xml)");
}

void TestFont::refusalsLeaveTheFilesAsTheyWere()
{
    QFETCH(QString, command);
    QFETCH(QString, error);

    const QByteArray font = TestFiles::Data("default.xml");
    const QByteArray problems = TestFiles::Data("check/problems.xml");
    QVERIFY(TestFiles::Write(_dir->filePath("font.xml"), font));
    QVERIFY(TestFiles::Write(_dir->filePath("problems.xml"), problems));
    const Run run =
        Shell(_dir->path(), command.contains("pixmint-font") ? command : "pixmint-font " + command);
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.startsWith("pixmint-font: ") && run.err.count('\n') == 1 &&
                 QString::fromUtf8(run.err).contains(error),
             run.err);
    QCOMPARE(TestFiles::Read(_dir->filePath("font.xml")), font);
    QCOMPARE(TestFiles::Read(_dir->filePath("problems.xml")), problems);
    QVERIFY(!QFile::exists(_dir->filePath("other.xml")));
}

void TestFont::glyphsAsTheUserNamesThem_data()
{
    QTest::addColumn<QString>("command"); // font.xml is the default table
    QTest::addColumn<QByteArray>("out");
    const auto row = [](const char* name, const QString& command, const QByteArray& out) {
        QTest::newRow(name) << command << out;
    };
    const QString first = " | head -n 1";
    for (const char* glyph : {"A", "0x41", "0X41", "U+0041", "C27  A", "x  A"})
        row(glyph,
            QStringLiteral("pixmint-font add font.xml 'x  A' && pixmint-font show font.xml '") +
                glyph + "'" + first,
            glyph == QByteArray("x  A") ? "x  A\n" : "C27  A\n");
    row("a character beyond ASCII",
        "pixmint-font new e.xml --empty --chars 'éa' && pixmint-font show e.xml é a" + first,
        "U+00E9  \xc3\xa9\n");
    row("a name wins over a character",
        "for g in A '0  A'; do pixmint-font add font.xml \"$g\"; "
        "done; pixmint-font show font.xml A" +
            first,
        "A\n");
    row("a name wins over a code",
        "for g in 0x42 '0  B'; do pixmint-font add font.xml \"$g\"; "
        "done; pixmint-font show font.xml 0x42" +
            first,
        "0x42\n");
    row("edits by character and code",
        "pixmint-font add font.xml x --like A && pixmint-font rename font.xml 0x61 'a  0x00' && "
        "pixmint-font delete font.xml U+0062 c && pixmint-font draw font.xml U+0000 "
        "'#####/...../...../...../...../...../...../.....' && pixmint-font list font.xml "
        "--by-code | head -n 3",
        "0x00 drawn a  0x00\n0x20 blank C86  Space\n0x22 blank C76  \"\n");
    // One character map for all the names of a command: 20,000 of them in a font of 100,000
    // glyphs within a few seconds of CPU time.
    row("many characters in a large font",
        "{ echo '<CharSet><FontChar Char=\"C27  A\"/>'; seq 100000 | sed 's|.*|<FontChar "
        "Char=\"g&\"/>|'; echo '</CharSet>'; } > big.xml && (ulimit -t 10; pixmint-font show "
        "big.xml $(yes A | head -n 20000) > out) && tail -n 1 out",
        ".....\n");
    row("by code, then without one",
        "pixmint-font new e.xml --empty --codes 0-1 && for g in mark "
        "'b  A' '0  A' logo; do pixmint-font add e.xml \"$g\"; done; pixmint-font list e.xml "
        "--by-code",
        "0x00 blank U+0000  0x00\n0x01 blank U+0001  0x01\n0x41 blank 0  A\n-    blank b  A\n"
        "-    blank logo\n-    blank mark\n");
    const QString same = " > out && cmp out in && echo same";
    row("textconv, a font",
        "pixmint-font show font.xml > in && pixmint-font show --textconv font.xml" + same,
        "same\n");
    row("textconv, XML not a font",
        "printf '<a>\\r\\n\\0\\351' > in && pixmint-font show "
        "--textconv in" +
            same,
        "same\n");
    row("textconv, binary",
        "head -c 70000 /dev/urandom > in && pixmint-font show --textconv in" + same, "same\n");
    row("textconv, beyond what a font file holds",
        "head -c 83886100 /dev/zero | tr '\\0' x > in"
        " && pixmint-font show --textconv in" +
            same,
        "same\n");
    row("textconv, empty", ": > in && pixmint-font show --textconv in" + same, "same\n");
}

void TestFont::glyphsAsTheUserNamesThem()
{
    QFETCH(QString, command);
    QFETCH(QByteArray, out);

    QVERIFY(QFile::copy(TestFiles::DataPath("default.xml"), _dir->filePath("font.xml")));
    const Run run = Shell(_dir->path(), "set -e; " + command);
    QVERIFY2(run.exitCode == 0 && run.err.isEmpty(), run.err);
    QCOMPARE(run.out, out);
}

QTEST_MAIN(TestFont)
#include "tst_font.moc"
