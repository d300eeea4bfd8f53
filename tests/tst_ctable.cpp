#include "CTableImport.h"
#include "CTableReader.h"
#include "FontCharSet.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <ctime>

namespace {

// Each glyph as "NAME:HEX" of its five column bytes.
QByteArrayList Glyphs(const FontCharSet& set)
{
    QByteArrayList glyphs;
    for (const auto& [name, glyph] : set) {
        QByteArray columns;
        for (quint32 column = 0; column < FontChar::ColumnCount; ++column)
            columns += char(glyph->GetColumn(column));
        glyphs << QByteArray::fromStdString(name) + ':' + columns.toHex();
    }
    return glyphs;
}

} // namespace

class TestCTable : public QObject
{
    Q_OBJECT

private slots:
    void readsTables_data();
    void readsTables();
    void readsAsGccReads_data();
    void readsAsGccReads();
    void readsInLinearTime();
};

void TestCTable::readsTables_data()
{
    QTest::addColumn<QByteArray>("source");
    QTest::addColumn<QStringList>("options"); // layout, first, array, codes
    QTest::addColumn<QByteArrayList>("glyphs");
    QTest::addColumn<QString>("error"); // how the refusal begins
    const QStringList a = {"columns", "65", "", ""};
    const QByteArrayList glyphA = {"C27  A:7c1212127c"};
    QTest::newRow("every base, suffix and separator")
        << QByteArray(
               "const unsigned char f[] PROGMEM = {0x7c, 0X12u, 022UL, 0b0001'0010, 124llu};")
        << a << glyphA << QString();
    QTest::newRow("comments, directives, literals, continuations")
        << QByteArray(
               "#include <x.h> /* { 1 */\n#define X \\\n { 2 }\nchar c = '{', *s = \"{\\\"\";"
               "\n// y[] = {3}; \\\nz[] = {4};\r\n#error don't\nuint8_t font[][5] = { "
               "{0x7c,0x12,0x12,0x12,0x7c}, // A\n{0,0,0,0,0}};")
        << a << QByteArrayList{"C27  A:7c1212127c", "C28  B:0000000000"} << QString();
    QTest::newRow("the array named") << QByteArray("char a[] = {1,2,3,4,5}, b[] = {1,1,1,1,1};")
                                     << QStringList{"columns", "1", "b", ""}
                                     << QByteArrayList{"U+0001  0x01:0101010101"} << QString();
    QTest::newRow("rows, only the codes asked for")
        << QByteArray("x[2][8] = {{0x10,0,0,0,0,0,0,0x1f},{1,0,0,0,0,0,0,0}};")
        << QStringList{"rows", "65", "", "66-70"} << QByteArrayList{"C28  B:0000000001"}
        << QString();
    // The editor's export names its glyphs in the encoding of the locale.
    const QByteArray editor = "/* Auto generated file */\nunsigned char PIXMINT_xxxx[][5] = \n{\n"
                              "{0x0,0x0,0x0,0x0,0x0},\t/* Char = \xc3\xa9 */\n{0x1,0x0,0x0,0x0,0x0}"
                              "\t/* Char = \\\\*\\/ */\n};";
    const QByteArrayList both = {"\\*/:0100000000", "\xe9:0000000000"};
    QTest::newRow("editor's export, UTF-8")
        << editor << QStringList{"", "", "", ""} << both << QString();
    QTest::newRow("editor's export, Latin-1") << QByteArray(editor).replace("\xc3\xa9", "\xe9")
                                              << QStringList{"", "", "", ""} << both << QString();
    const auto refused = [](const char* name, const QByteArray& source, const QStringList& options,
                            const char* error) {
        QTest::newRow(name) << source << options << QByteArrayList() << QString(error);
    };
    refused("no array", "int x[] = 3; y[] = \"{}\";", a, "line 1: the file ends without an array");
    refused("no such array", "x[] = {1,2,3,4,5};", {"columns", "", "y", ""},
            "line 1: the file "
            "ends without a definition of the array y");
    refused("not a multiple", "x[] = {1,2,3};", a, "the array x holds 3 bytes, which is no");
    refused("beyond 255", "x[] = {\n0x100};", a, "line 2: 0x100 in x is beyond 255");
    refused("negative", "x[] = {-1};", a, "line 1: a negative value in x");
    refused("not an integer", "x[] = {1.5};", a, "line 1: 1.5 in x is not an integer literal");
    refused("escape at the end", "x[] = {'\\", a, "line 1: '\\\\ in x is not an integer literal");
    refused("macro", "x[] = {B01};", a, "line 1: B01 in x is not an integer literal");
    refused("octal 8", "x[] = {08};", a, "line 1: 08 in x is not an integer literal");
    refused("bits the layout leaves zero", "x[] = {0,0,0x20,0,0,0,0,0};", {"rows", "", "", ""},
            "glyph 0 of x has bits set that the layout rows leaves zero");
    refused("unterminated comment", "x[] = {1, /* 2};", a, "line 1: a comment without its end");
    refused("unterminated brace", "x[] = {{1,2,3,4,5}\n", a,
            "line 2: the file ends inside the "
            "braces of x: 1 not closed");
    // A row without a glyph stands for its own code alone: read from 97 on, it is "b".
    QTest::newRow("no glyph of another code")
        << QByteArray("x[][5] = {{1,1,1,1,1}, /* 0x41: Char = A */\n{0,0,0,0,0}, /* 0x42: no "
                      "glyph */\n{3,3,3,3,3} /* 0x43: Char = C */\n};")
        << QStringList{"columns", "97", "", ""}
        << QByteArrayList{"C00  a:0101010101", "C01  b:0000000000", "C02  c:0303030303"}
        << QString();
    refused("codes beyond 255", "x[] = {1,2,3,4,5,1,2,3,4,5};", {"columns", "255", "", ""},
            "its 2 glyphs from the code 255 on would reach the code 256");
    refused("not text", QByteArray("x[] = {1,2,3,4,5};\0", 19), a, "line 1: not text");
    refused("no layout", "x[] = {1,2,3,4,5};", {"", "", "", ""},
            "nothing in the file says how its bytes hold a glyph");
}

void TestCTable::readsTables()
{
    QFETCH(QByteArray, source);
    QFETCH(QStringList, options);
    QFETCH(QByteArrayList, glyphs);
    QFETCH(QString, error);
    CTableImport::Options table;
    CArray::Layout layout;
    if (CArray::LayoutFromName(options[0], &layout))
        table.layout = layout;
    table.first = options[1].isEmpty() ? -1 : options[1].toInt();
    table.arrayName = options[2].toUtf8();
    CodeRange codes(0, 0);
    if (CodeRange::Parse(options[3], &codes))
        table.codes.push_back(codes);
    FontCharSet set;
    const Status read = CTableImport::Read(source, table, set);
    QCOMPARE(read.Ok(), error.isEmpty());
    QVERIFY2(read.Reason().startsWith(error), qPrintable(read.Reason()));
    QCOMPARE(Glyphs(set).size(), error.isEmpty() ? glyphs.size() : 86);
    if (error.isEmpty())
        QCOMPARE(Glyphs(set), glyphs);
}

// What the reader takes from a table that defines t is what gcc compiles from it, in ISO C
// (trigraphs read) and in GNU C; a text that the two read otherwise, or that the preprocessor
// changes inside the braces, is refused with its line.
void TestCTable::readsAsGccReads_data()
{
    QTest::addColumn<QByteArray>("source");
    QTest::addColumn<QString>("error");
    const auto row = [](const char* name, const char* source, const char* error = "") {
        QTest::newRow(name) << QByteArray(source) << (*error ? QString(error) : QString());
    };
    row("splice inside a number", "const unsigned char t[] = {1\\\n1, 2};");
    row("comment closed across a splice",
        "const unsigned char t[] = {/* glyph 0 *\\\n/ 1, 2, /* glyph 1 */ 3};");
    row("splices after blanks, CR LF, in a name and a hexadecimal number",
        "const unsigned char t\\ \t\r\n[] = {0\\\nx1\\\r\n0, 2};");
    row("line comment continued, a lone CR ends one",
        "const unsigned char t[] = {1, // a \\\n 2,\n 3, // b\r 4, /* ?\\?/ */ 5};");
    row("a backslash in a string passes over the quote",
        "static const char s[] = \"a\\\"b[] = {\"; const unsigned char t[] = {1, 2};");
    row("/*/ opens a comment", "const unsigned char t[] = {1, /*/ 2, */ 3};");
    row("an attribute after the brackets",
        "const unsigned char t[] __attribute__((aligned(4))) = {1, 2};");
    row("directives outside the braces, an attribute after another",
        "#ifndef PROGMEM\n#define PROGMEM\n#endif\nconst unsigned char t[2]\n#if 1\nPROGMEM\n"
        "#endif\n__attribute__((aligned(4), used)) = {1, 2};");
    row("$ in a name, as gcc allows",
        "const unsigned char u$t[] = {1}; const unsigned char t[] = {2};");
    row("= and { under #if 0",
        "const unsigned char t[]\n#if 0\n= {1}; const unsigned char u[]\n#endif\n= {2};",
        "line 3: the definition of t runs across a preprocessor conditional");
    row("#if 0 splitting the brackets",
        "const unsigned char t[\n#if 0\n] = {1}; const unsigned char u[\n#endif\n] = {2};",
        "line 3: the definition of t runs across");
    row("#if 0 inside the braces", "const unsigned char t[] = {1,\n#if 0\n2,\n#endif\n3};",
        "line 2: #if inside the braces of t: a table's preprocessor lines are not evaluated");
    row("%:ifdef after a comment, split",
        "const unsigned char t[] = {1,\n/*\n*/ %:\\\nifdef X\n2,\n%:endif\n3};",
        "line 3: #ifdef inside the braces of t");
    row("?\?/ at the end of a line comment", "const unsigned char t[] = {1, // a ?\?/ \n 2,\n 3};",
        "line 1: \"?\?/\" at the end of the line joins the next line to it only where");
    row("?\?/ in a string",
        "static const char *s = \"?\?/\", *u = \"; const unsigned char t[] = {9}; //\"; "
        "const unsigned char t[] = {1};",
        "line 1: \"?\?/\" in a literal reads as a backslash");
    row("?\?' in a character literal", "int c = '?\?'; const unsigned char t[] = {1, 2}; //'",
        "line 1: \"?\?'\" in a character literal reads as \"^\" only where");
}

void TestCTable::readsAsGccReads()
{
    QFETCH(QByteArray, source);
    QFETCH(QString, error);
    CTableReader reader;
    const Status read = reader.Read(source, "t");
    QCOMPARE(read.Ok(), error.isEmpty());
    QVERIFY2(read.Reason().startsWith(error), qPrintable(read.Reason()));
    const QString gcc = QStandardPaths::findExecutable(QStringLiteral("gcc"));
    if (!error.isEmpty())
        return;
    if (gcc.isEmpty())
        QSKIP("gcc is not installed");
    QTemporaryDir dir;
    QFile table(dir.filePath(QStringLiteral("t.c")));
    QVERIFY(table.open(QIODevice::WriteOnly) && table.write(source + "\n") > 0);
    table.close();
    for (const char* standard : {"-std=c11", "-std=gnu11"}) {
        QProcess process;
        process.setWorkingDirectory(dir.path());
        process.start(gcc,
                      {standard, "-pedantic", "-w", "-o", "t", "-x", "c", "-", "-include", "t.c"});
        process.write("#include <stdio.h>\nint main(void) { for (unsigned i = 0; i < sizeof t; "
                      "++i) printf(\"%02x\", t[i]); return 0; }\n");
        process.closeWriteChannel();
        QVERIFY(process.waitForFinished(60000) && process.exitCode() == 0);
        process.start(dir.filePath(QStringLiteral("t")), QStringList());
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.readAllStandardOutput(), reader.Values().toHex());
    }
}

// One pass without recursion: a table eight times as large, its values nested a million
// braces deep, takes about eight times the processor time, not sixty-four.
void TestCTable::readsInLinearTime()
{
    const auto cpuSeconds = [](int count) {
        const QByteArray source =
            "x[] = " + QByteArray(1000000, '{') +
            QByteArray("0x7f, 1'0u, /**/ 0b\\\n1, // .?\?/\\\n\n").repeated(count) +
            QByteArray(1000000, '}') + ';';
        const std::clock_t start = std::clock();
        CTableReader reader;
        const bool read = reader.Read(source).Ok();
        const double seconds = double(std::clock() - start) / CLOCKS_PER_SEC;
        return read && reader.Values().size() == 3 * count ? seconds : -1.0;
    };
    const double small = std::max(cpuSeconds(100000), 0.001);
    const double large = cpuSeconds(800000);
    QVERIFY(large >= 0);
    QVERIFY2(large / small < 30, qPrintable(QStringLiteral("%1 s, %2 s").arg(small).arg(large)));
}

QTEST_GUILESS_MAIN(TestCTable)
#include "tst_ctable.moc"
