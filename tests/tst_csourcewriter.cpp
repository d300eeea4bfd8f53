#include "CSourceWriter.h"
#include "CharacterMap.h"
#include "FontCharSet.h"
#include "MessageList.h"
#include "TestFiles.h"
#include "TestFonts.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

using TestFonts::Store;

QByteArray EditorExport(const FontCharSet& set)
{
    return CSourceWriter().SourceBytes(set);
}

// Runs a program to its end: whether it succeeded, then its output, or its errors if not.
std::pair<bool, QByteArray> RunIn(const QString& folder, const QString& program,
                                  const QStringList& arguments)
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(program, arguments);
    process.closeWriteChannel();
    const bool ok = process.waitForFinished(120000) &&
                    process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    return {ok, ok ? process.readAllStandardOutput() : process.readAllStandardError()};
}

// Names that try to end their comments, splice lines into them or start others, in the rows
// and in the character map, and two glyphs for one character.
std::unique_ptr<FontCharSet> FirmwareFont()
{
    return TestFonts::Make({{"C28  B", {0x7F, 0x49, 0x49, 0x49, 0x36}},
                            {"x  B", {0xFF, 0, 0, 0, 1}},
                            {"a*\\\n/ int evil1 = 1; /*  Q", {0x80, 0x40, 0x20, 0x10, 0x08}},
                            {"b*?\?/\n/ int evil2 = 2; /*  \xB2", {1, 2, 4, 8, 16}},
                            {"d */ int evil3; /* e  a", {0x81, 0, 0x18, 0, 0x81}},
                            {"ends in a backslash \\", {1, 1, 1, 1, 1}}});
}

constexpr char ProbedText[] = "BQ\xB2"
                              "aAz";

// The codes of the range tables: the glyph of "Q" and of "a", none for "A".
const CodeRange ProbedRange(0x41, 0x61);

// The subsets: out of order, "Q" twice, "z" and "A" without a glyph, searched; one glyph, by a
// switch.
const QByteArray ProbedSubset = "aQ\xB2zQAB";
const QByteArray SwitchedSubset = "Q";

// The rows of the glyphs of firmware(), a range or a subset.
enum class Rows { Map, Range, Subset, Switched };

// Reads the font through its header, by its map or as a table from font_FIRST, from program
// memory on AVR; with RUN, prints the bytes of the glyph for each character of ProbedText,
// one glyph a line, or "none".
const QByteArray Reader = QByteArray(R"(extern int c, row; /* names the look-up must not shadow */
#include "font.h"
int font_byte(unsigned char code, unsigned byte);
int font_byte(unsigned char code, unsigned byte)
{
#ifdef font_FIRST
    unsigned glyph = (unsigned)code - font_FIRST;
    if (code < font_FIRST || code > font_LAST || glyph >= font_COUNT || byte >= font_BYTES)
        return -1;
#elif defined(FONT_SUBSET)
    unsigned short glyph = font_row(code);
    if (glyph == font_NONE || glyph >= font_COUNT || byte >= font_BYTES)
        return -1;
#else
#ifdef FONT_IN_FLASH
    unsigned short glyph = pgm_read_word(&font_map[code]);
#else
    unsigned short glyph = font_map[code];
#endif
    if (glyph == font_NONE || glyph >= font_COUNT || byte >= font_BYTES)
        return -1;
#endif
#ifdef FONT_IN_FLASH
    return pgm_read_byte(&font[glyph][byte]);
#else
    return font[glyph][byte];
#endif
}
#ifdef RUN
#include <stdio.h>
int main(void)
{
    const char* code = ")") +
                          ProbedText + R"(";
    for (; *code; ++code) {
        unsigned byte;
        if (font_byte((unsigned char)*code, 0) < 0)
            printf("none");
        for (byte = 0; font_byte((unsigned char)*code, byte) >= 0; ++byte)
            printf("%02x", font_byte((unsigned char)*code, byte));
        printf("\n");
    }
#ifdef FONT_SUBSET
    {
        int each;
        for (each = 0; each < 256; ++each) {
            if (font_row((unsigned char)each) != font_NONE)
                printf("%02x:%u ", each, (unsigned)font_row((unsigned char)each));
        }
    }
#endif
    return 0;
}
#endif
)";

// What Reader prints: a table has a row, zero bytes without a glyph, for each code it holds; a
// subset only the glyphs of its characters.
QString ExpectedRows(const FontCharSet& set, CArray::Layout layout, Rows rows)
{
    const CharacterMap map(set);
    const bool table = rows == Rows::Range;
    const QByteArray subset = rows == Rows::Subset ? ProbedSubset : SwitchedSubset;
    QString expected;
    for (const char* text = ProbedText; *text; ++text) {
        const int code = quint8(*text);
        const quint32 index = map.GlyphIndex(code);
        if (table ? !ProbedRange.Contains(code)
                  : index == CharacterMap::NoGlyph ||
                        (rows != Rows::Map && !subset.contains(char(code)))) {
            expected += QStringLiteral("none\n");
            continue;
        }
        const CArray::LayoutBytes bytes = index == CharacterMap::NoGlyph
                                              ? CArray::LayoutBytes{}
                                              : CArray::Bytes(map.Glyph(index), layout);
        for (quint32 byte = 0; byte < CArray::ByteCount(layout); ++byte)
            expected += QStringLiteral("%1").arg(bytes[byte], 2, 16, QLatin1Char('0'));
        expected += QLatin1Char('\n');
    }
    return expected;
}

} // namespace

Q_DECLARE_METATYPE(CArray::Storage)
Q_DECLARE_METATYPE(Rows)
Q_DECLARE_METATYPE(CArray::Layout)
Q_DECLARE_METATYPE(std::optional<CArray::Layout>)

class TestCSourceWriter : public QObject
{
    Q_OBJECT

private slots:
    void layoutPlacesEachPixel_data();
    void layoutPlacesEachPixel();
    void writesGoldenText_data();
    void writesGoldenText();
    void oneGlyphHasNoComma();
    void bytesAsUnsignedLowercaseHex_data();
    void bytesAsUnsignedLowercaseHex();
    void namesAppearAsStored_data();
    void namesAppearAsStored();
    void writesInTheEncodingAsked_data();
    void writesInTheEncodingAsked();
    void exportCompilesAndCarriesTheBytes();
    void hostileNamesCompileToTheArrayAlone_data();
    void hostileNamesCompileToTheArrayAlone();
    void firmwareCompilesForEveryTarget_data();
    void firmwareCompilesForEveryTarget();
    void progmemNamesOfAvrLibcCompile_data();
    void progmemNamesOfAvrLibcCompile();
    void characterMapIndexesWhatItCan_data();
    void characterMapIndexesWhatItCan();
};

void TestCSourceWriter::layoutPlacesEachPixel_data()
{
    QTest::addColumn<CArray::Layout>("layout");
    QTest::addColumn<quint32>("column");
    QTest::addColumn<quint32>("row");
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("value");
    using L = CArray::Layout;
    QTest::newRow("columns, top left") << L::Columns << 0u << 0u << 0 << 0x01;
    QTest::newRow("columns, bottom right") << L::Columns << 4u << 7u << 4 << 0x80;
    QTest::newRow("columns, inside") << L::Columns << 2u << 1u << 2 << 0x02;
    QTest::newRow("columns-msb, top left") << L::ColumnsMsb << 0u << 0u << 0 << 0x80;
    QTest::newRow("columns-msb, bottom right") << L::ColumnsMsb << 4u << 7u << 4 << 0x01;
    QTest::newRow("columns-msb, inside") << L::ColumnsMsb << 2u << 1u << 2 << 0x40;
    QTest::newRow("rows, top left") << L::Rows << 0u << 0u << 0 << 0x10;
    QTest::newRow("rows, bottom right") << L::Rows << 4u << 7u << 7 << 0x01;
    QTest::newRow("rows, inside") << L::Rows << 1u << 3u << 3 << 0x08;
    QTest::newRow("rows-msb, top left") << L::RowsMsb << 0u << 0u << 0 << 0x80;
    QTest::newRow("rows-msb, bottom right") << L::RowsMsb << 4u << 7u << 7 << 0x08;
    QTest::newRow("rows-msb, inside") << L::RowsMsb << 1u << 3u << 3 << 0x40;
}

void TestCSourceWriter::layoutPlacesEachPixel()
{
    QFETCH(CArray::Layout, layout);
    QFETCH(quint32, column);
    QFETCH(quint32, row);
    QFETCH(int, byte);
    QFETCH(int, value);
    const bool rows = layout == CArray::Layout::Rows || layout == CArray::Layout::RowsMsb;
    QCOMPARE(CArray::ByteCount(layout), rows ? 8u : 5u);
    FontChar glyph;
    glyph.SetPixel(column, row, true);
    CArray::LayoutBytes expected = {};
    expected[size_t(byte)] = quint8(value);
    QCOMPARE(CArray::Bytes(glyph, layout), expected);
}

void TestCSourceWriter::writesGoldenText_data()
{
    QTest::addColumn<QString>("golden");
    QTest::addColumn<TestFonts::Font>("font");
    QTest::newRow("default font") << "default.export" << TestFonts::Default();
    QTest::newRow("empty font") << "empty.export" << TestFonts::Font(TestFonts::Make({}));
    QTest::newRow("two glyphs") << "two-glyphs.export"
                                << TestFonts::Font(TestFonts::Make(
                                       {{"C01  b", {0x7F, 0x48, 0x44, 0x44, 0x38}},
                                        {"C00  a", {0x00, 0x0F, 0x80, 0xFF, 0x07}}}));
}

void TestCSourceWriter::writesGoldenText()
{
    QFETCH(QString, golden);
    QFETCH(TestFonts::Font, font);
    const QByteArray text = EditorExport(*font);
    QCOMPARE(text, TestFiles::Data(golden));
    QVERIFY(text.startsWith("/* Auto generated file */\n"));
    QVERIFY(text.endsWith("};"));
}

void TestCSourceWriter::oneGlyphHasNoComma()
{
    QCOMPARE(EditorExport(*TestFonts::Make({{"only", {1, 2, 3, 4, 5}}})),
             QByteArray("/* Auto generated file */\n"
                        "unsigned char PIXMINT_xxxx[][5] = \n{\n"
                        "{0x1,0x2,0x3,0x4,0x5}\t/* Char = only */\n};"));
}

void TestCSourceWriter::bytesAsUnsignedLowercaseHex_data()
{
    QTest::addColumn<int>("byte");
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("0") << 0 << QByteArray("0x0");
    QTest::newRow("7") << 7 << QByteArray("0x7");
    QTest::newRow("15") << 15 << QByteArray("0xf");
    QTest::newRow("16") << 16 << QByteArray("0x10");
    QTest::newRow("128") << 128 << QByteArray("0x80");
    QTest::newRow("200") << 200 << QByteArray("0xc8");
    QTest::newRow("255") << 255 << QByteArray("0xff");
}

void TestCSourceWriter::bytesAsUnsignedLowercaseHex()
{
    QFETCH(int, byte);
    QFETCH(QByteArray, text);
    const quint8 value = quint8(byte);
    const auto set = TestFonts::Make({{"g", {value, 0, value, 0, value}}});
    const QByteArray row = "{" + text + ",0x0," + text + ",0x0," + text + "}\t/* Char = g */\n";
    QVERIFY2(EditorExport(*set).contains(row), row.constData());
}

void TestCSourceWriter::namesAppearAsStored_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("comment");
    QTest::newRow("less-than") << QByteArray("C63  <") << QByteArray("C63  <");
    QTest::newRow("apostrophe") << QByteArray("C77  '") << QByteArray("C77  '");
    QTest::newRow("backslash") << QByteArray("C79  \\") << QByteArray("C79  \\");
    QTest::newRow("double quote") << QByteArray("C76  \"") << QByteArray("C76  \"");
    QTest::newRow("asterisk") << QByteArray("C75  *") << QByteArray("C75  *");
    QTest::newRow("two blanks kept") << QByteArray("C86  Space") << QByteArray("C86  Space");
    QTest::newRow("comment end is broken up") << QByteArray("a*/b") << QByteArray("a*\\/b");
    QTest::newRow("every comment end and start")
        << QByteArray("*/*/**/") << QByteArray("*\\/\\*\\/\\**\\/");
    QTest::newRow("comment start is broken up") << QByteArray("/*x") << QByteArray("/\\*x");
    // A backslash that would read as the start of an escape is doubled.
    QTest::newRow("line break after a backslash")
        << QByteArray("a*\\\n/ x") << QByteArray("a*\\\\\\n/ x");
    QTest::newRow("control characters") << QByteArray("\t\r\x0b\x1f\x7f\x85\x9f", 7)
                                        << QByteArray("\\t\\r\\x0b\\x1f\\x7f\\x85\\x9f");
    QTest::newRow("nul") << QByteArray("a\0b", 3) << QByteArray("a\\x00b");
    QTest::newRow("printable Latin-1 kept")
        << QByteArray("\xa0\xff") << QByteArray("\xc2\xa0\xc3\xbf");
}

void TestCSourceWriter::namesAppearAsStored()
{
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, comment);
    const QByteArray text = EditorExport(*TestFonts::Make({{name.toStdString(), {0, 0, 0, 0, 0}}}));
    QVERIFY2(text.contains("\t/* Char = " + comment + " */\n"), text.constData());
}

void TestCSourceWriter::writesInTheEncodingAsked_data()
{
    QTest::addColumn<QByteArray>("encoding");
    QTest::addColumn<QByteArrayList>("names");
    QTest::addColumn<QByteArrayList>("comments");
    const QByteArrayList both = {"\xA4", "\xB2"};
    const QByteArrayList inUtf8 = {"\xC2\xA4", "\xC2\xB2"};
    QTest::newRow("Latin-1") << QByteArray("ISO-8859-1") << both << both;
    QTest::newRow("UTF-8") << QByteArray("UTF-8") << both << inUtf8;
    QTest::newRow("Latin-9, which has the character")
        << QByteArray("ISO-8859-15") << QByteArrayList{"\xB2"} << QByteArrayList{"\xB2"};
    // Not a file in two encodings, nor one with a character replaced.
    QTest::newRow("Latin-9 lacks one: all UTF-8") << QByteArray("ISO-8859-15") << both << inUtf8;
    QTest::newRow("ASCII of the C locale: UTF-8")
        << QByteArray("ANSI_X3.4-1968") << QByteArrayList{"\xB2"} << QByteArrayList{"\xC2\xB2"};
    QTest::newRow("unknown to Qt: UTF-8")
        << QByteArray("ARMSCII-8") << QByteArrayList{"\xB2"} << QByteArrayList{"\xC2\xB2"};
}

void TestCSourceWriter::writesInTheEncodingAsked()
{
    QFETCH(QByteArray, encoding);
    QFETCH(QByteArrayList, names);
    QFETCH(QByteArrayList, comments);
    FontCharSet set;
    for (const QByteArray& name : names)
        set.At(name.toStdString()) = new FontChar;
    const QByteArray text = CSourceWriter().SourceBytes(set, encoding);
    for (const QByteArray& comment : comments)
        QVERIFY2(text.contains("/* Char = " + comment + " */"), text.constData());
}

void TestCSourceWriter::exportCompilesAndCarriesTheBytes()
{
#ifndef PIXMINT_CXX_COMPILER
    QSKIP("no C++ compiler known to the build");
#else
    FontCharSet set;
    int seed = 1;
    for (auto& entry : set) {
        for (quint32 column = 0; column < 5; ++column) {
            seed = (seed * 73 + 41) % 256;
            entry.second->SetColumn(column, quint8(seed));
        }
    }
    // Unescaped, this name would close its comment and add a row of its own to the array.
    Store(set, "*/ {0x1,0x2,0x3,0x4,0x5}, //", {0xDE, 0xAD, 0xBE, 0xEF, 0x01});
    Store(set, "ends in a star *", {1, 2, 3, 4, 5});
    Store(set, "line\nbreak and tab\t", {0x80, 0x81, 0x82, 0x83, 0x84});

    QString expected;
    for (const auto& [name, glyph] : set) {
        for (quint32 column = 0; column < 5; ++column)
            expected += QStringLiteral("%1").arg(glyph->GetColumn(column), 2, 16, QLatin1Char('0'));
        expected += QLatin1Char('\n');
    }

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile font(dir.filePath(QStringLiteral("font.cpp")));
    QVERIFY(font.open(QIODevice::WriteOnly));
    font.write(EditorExport(set));
    font.close();

    QFile program(dir.filePath(QStringLiteral("main.cpp")));
    QVERIFY(program.open(QIODevice::WriteOnly));
    program.write("#include <cstdio>\n"
                  "#include \"font.cpp\"\n"
                  "int main()\n{\n"
                  "    for (const auto& row : PIXMINT_xxxx) {\n"
                  "        for (unsigned char byte : row)\n"
                  "            std::printf(\"%02x\", byte);\n"
                  "        std::printf(\"\\n\");\n"
                  "    }\n"
                  "    return 0;\n}\n");
    program.close();

    QProcess compiler;
    compiler.setWorkingDirectory(dir.path());
    compiler.start(QStringLiteral(PIXMINT_CXX_COMPILER),
                   {"-std=c++17", "-Wall", "-Wextra", "-Werror", "-pedantic-errors", "main.cpp",
                    "-o", "font-check"});
    QVERIFY(compiler.waitForFinished(120000));
    QVERIFY2(compiler.exitCode() == 0, compiler.readAllStandardError().constData());

    QProcess run;
    run.start(dir.filePath(QStringLiteral("font-check")), {});
    QVERIFY(run.waitForFinished(30000));
    QCOMPARE(run.exitCode(), 0);
    QCOMPARE(QString::fromLatin1(run.readAllStandardOutput()), expected);
#endif
}

void TestCSourceWriter::hostileNamesCompileToTheArrayAlone_data()
{
    QTest::addColumn<QStringList>("language");
    QTest::addColumn<std::optional<CArray::Layout>>("pictures"); // the editor's export without
    using L = CArray::Layout;
    QTest::newRow("C++98") << QStringList{"-x", "c++", "-std=c++98"} << std::optional<L>();
    QTest::newRow("C++11") << QStringList{"-x", "c++", "-std=c++11"} << std::optional<L>();
    QTest::newRow("C++17") << QStringList{"-x", "c++", "-std=c++17"} << std::optional<L>();
    QTest::newRow("C11") << QStringList{"-x", "c", "-std=c11"} << std::optional<L>();
    QTest::newRow("C89, pictures in rows")
        << QStringList{"-x", "c", "-std=c89"} << std::optional(L::Rows);
    QTest::newRow("C++98, pictures in columns")
        << QStringList{"-x", "c++", "-std=c++98"} << std::optional(L::ColumnsMsb);
}

void TestCSourceWriter::hostileNamesCompileToTheArrayAlone()
{
#ifndef PIXMINT_CXX_COMPILER
    QSKIP("no C++ compiler known to the build");
#else
    QFETCH(QStringList, language);
    QFETCH(std::optional<CArray::Layout>, pictures);
    const QString nm = QStandardPaths::findExecutable(QStringLiteral("nm"));
    if (nm.isEmpty())
        QSKIP("nm is not installed (Debian package binutils)");
    // The built-in names, and names that try to end the comment, splice the next line into
    // it (a backslash or the trigraph ??/ before a line break, blanks between) or start
    // another comment.
    FontCharSet set;
    for (const char* name :
         {"a*\\\n/ int evil1 = 1; /*", "b*?\?/\n/ int evil2 = 2; /*", "c*\\ \t\r\n/ int evil3; /*",
          "d */ int evil4; /* e", "/* f", "g\rh\x0ci\x0bj\x7f\x85", "ends in a backslash \\",
          "ends in a star *", "ends in a slash /", "ends in ?\?/", "*/*/**/", "\n"}) {
        Store(set, name, {1, 2, 3, 4, 5});
    }
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const CSourceWriter writer =
        pictures ? CSourceWriter(CArray(*pictures, QLatin1String(CArray::EditorName),
                                        CArray::Storage::Plain, true),
                                 false)
                 : CSourceWriter();
    QVERIFY(TestFiles::Write(dir.filePath(QStringLiteral("font.cpp")), writer.SourceBytes(set)));

    QProcess compiler;
    compiler.setWorkingDirectory(dir.path());
    compiler.start(QStringLiteral(PIXMINT_CXX_COMPILER),
                   language + QStringList{"-Wall", "-Wextra", "-Werror", "-pedantic-errors",
                                          "-trigraphs", "-c", "font.cpp", "-o", "font.o"});
    QVERIFY(compiler.waitForFinished(120000));
    QVERIFY2(compiler.exitCode() == 0, compiler.readAllStandardError().constData());

    // One array of five bytes a glyph, and nothing else.
    QProcess symbols;
    symbols.start(nm, {"-S", "--defined-only", dir.filePath(QStringLiteral("font.o"))});
    QVERIFY(symbols.waitForFinished(30000));
    const QByteArrayList fields = symbols.readAllStandardOutput().simplified().split(' ');
    QCOMPARE(fields.size(), 4);
    QCOMPARE(fields[1].toUInt(nullptr, 16),
             CArray::ByteCount(pictures.value_or(CArray::Layout::Columns)) * set.Count());
    QCOMPARE(fields[3], QByteArray("PIXMINT_xxxx"));
#endif
}

void TestCSourceWriter::firmwareCompilesForEveryTarget_data()
{
    QTest::addColumn<QString>("compiler");
    QTest::addColumn<QStringList>("source");
    QTest::addColumn<QStringList>("program");
    QTest::addColumn<CArray::Storage>("storage");
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<QString>("section");
    QTest::addColumn<CArray::Layout>("layout"); // with pictures but for a plain array
    using S = CArray::Storage;
    const QList<std::tuple<QString, QString, QStringList>> compilers = {
        {"host", QStringLiteral(PIXMINT_CXX_COMPILER), {}},
        {"AVR", "avr-gcc", {"-mmcu=atmega328p"}},
        {"ARM", "arm-none-eabi-gcc", {"-mcpu=cortex-m0", "-mthumb"}}};
    // The source in one language, the program that reads it in the other.
    const QList<std::pair<QStringList, QStringList>> languages = {
        {{"-x", "c", "-std=c99"}, {"-x", "c++", "-std=c++98"}},
        {{"-x", "c", "-std=c11"}, {"-x", "c++", "-std=c++17"}},
        {{"-x", "c++", "-std=c++98"}, {"-x", "c", "-std=c99"}},
        {{"-x", "c++", "-std=c++17"}, {"-x", "c", "-std=c11"}},
        {{"-x", "c", "-std=c89"}, {"-x", "c", "-std=c89"}}};
    for (const auto& [target, compiler, machine] : compilers) {
        for (const auto& [source, program] : languages) {
            for (const auto& [storage, name] :
                 {std::pair{S::Plain, "plain"}, {S::Const, "const"}, {S::Progmem, "PROGMEM"}}) {
                // Only avr-gcc knows program memory; everywhere else it is a const array.
                const QString section = storage == S::Plain   ? ".data"
                                        : storage == S::Const ? ".rodata"
                                        : target == "AVR"     ? ".progmem.data"
                                                              : ".rodata";
                // Range tables and subsets in both languages, each read from the other.
                for (const auto& [rows, kind] : {std::pair{Rows::Map, ""},
                                                 {Rows::Range, " range"},
                                                 {Rows::Subset, " subset"},
                                                 {Rows::Switched, " switched subset"}}) {
                    if (rows != Rows::Map && source.last() != "-std=c99" &&
                        source.last() != "-std=c++17" && source.last() != "-std=c89")
                        continue;
                    QTest::addRow("%s %s %s%s", qPrintable(target), qPrintable(source.last()), name,
                                  kind)
                        << compiler << machine + source << machine + program << storage << rows
                        << section
                        << (storage == S::Const ? CArray::Layout::ColumnsMsb
                                                : CArray::Layout::Rows);
                }
            }
        }
    }
}

void TestCSourceWriter::firmwareCompilesForEveryTarget()
{
    QFETCH(QString, compiler);
    QFETCH(QStringList, source);
    QFETCH(QStringList, program);
    QFETCH(CArray::Storage, storage);
    QFETCH(Rows, rows);
    QFETCH(QString, section);
    const bool table = rows == Rows::Range;
    const bool subset = rows == Rows::Subset || rows == Rows::Switched;
    QFETCH(CArray::Layout, layout);
    // The cross compilers come with binutils of the same prefix.
    const bool cross = compiler.endsWith(QLatin1String("-gcc"));
    const QString objdump = QStandardPaths::findExecutable(
        (cross ? compiler.chopped(3) : QString()) + QStringLiteral("objdump"));
    if (QStandardPaths::findExecutable(compiler).isEmpty() || objdump.isEmpty())
        QSKIP(qPrintable(compiler + " is not installed (scripts/lib.sh installs it)"));
    const std::unique_ptr<FontCharSet> font = FirmwareFont();
    const FontCharSet& set = *font;
    std::vector<int> codes;
    for (const char code : rows == Rows::Subset ? ProbedSubset : SwitchedSubset)
        codes.push_back(quint8(code));
    const CSourceWriter writer(
        CArray(layout, QStringLiteral("font"), storage, storage != CArray::Storage::Plain), true,
        table ? std::optional(ProbedRange) : std::nullopt, subset ? CSubset(codes) : CSubset());
    QVERIFY(writer.Accepts(set));
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(TestFiles::Write(dir.filePath(QStringLiteral("font.c")), writer.SourceBytes(set)));
    QVERIFY(TestFiles::Write(dir.filePath(QStringLiteral("font.h")), writer.HeaderBytes(set)));
    QVERIFY(TestFiles::Write(dir.filePath(QStringLiteral("reader.c")), Reader));

    const QStringList strict = {"-Wall",      "-Wextra", "-Werror", "-pedantic-errors",
                                "-trigraphs", "-Wshadow"};
    const auto compiled =
        RunIn(dir.path(), compiler, source + strict + QStringList{"-c", "font.c"});
    QVERIFY2(compiled.first, compiled.second.constData());
    const QString reading = section == ".progmem.data" ? "-DFONT_IN_FLASH"
                            : cross                    ? "-DFONT_IN_RAM"
                                                       : "-DRUN";
    const QStringList subsetReading = subset ? QStringList{"-DFONT_SUBSET"} : QStringList();
    const auto reader =
        RunIn(dir.path(), compiler,
              program + strict + subsetReading + QStringList{reading, "-c", "reader.c"});
    QVERIFY2(reader.first, reader.second.constData());

    // The array and the map alone (the table alone), each with external linkage, in the
    // section that the storage asks for; nothing that a name might have smuggled out of its
    // comment.
    const auto symbols = RunIn(dir.path(), objdump, {"-t", "font.o"});
    QVERIFY(symbols.first);
    const QRegularExpression object(QStringLiteral(R"(^\S+\s+(\S)\s+O\s+(\S+)\s+(\S+)\s+(\S+)$)"),
                                    QRegularExpression::MultilineOption);
    QStringList found;
    for (auto match = object.globalMatch(QString::fromLatin1(symbols.second)); match.hasNext();) {
        const QRegularExpressionMatch symbol = match.next();
        found << QStringLiteral("%1 %2 %3 %4")
                     .arg(symbol.captured(4), symbol.captured(1), symbol.captured(2))
                     .arg(symbol.captured(3).toUInt(nullptr, 16));
    }
    found.sort();
    const quint32 subsetRows = rows == Rows::Subset ? 4 : 1;
    QStringList expected = {QStringLiteral("font g %1 %2")
                                .arg(section)
                                .arg((table    ? quint32(ProbedRange.Count())
                                      : subset ? subsetRows
                                               : set.Count()) *
                                     CArray::ByteCount(layout))};
    if (rows == Rows::Map)
        expected << QStringLiteral("font_map g %1 512").arg(section);
    // The look-up searches the codes of more than a few characters; a switch needs none.
    if (rows == Rows::Subset)
        expected << QStringLiteral("font_codes g %1 4").arg(section);
    expected.sort();
    QCOMPARE(found, expected);
    if (cross)
        return;

    // On the host, the program links across the two languages and reads every byte.
    const auto linked = RunIn(dir.path(), compiler, {"font.o", "reader.o", "-o", "font-check"});
    QVERIFY2(linked.first, linked.second.constData());
    const auto run = RunIn(dir.path(), dir.filePath(QStringLiteral("font-check")), {});
    QVERIFY(run.first);
    // Then, for a subset, the row that the look-up gives each of the 256 codes that has one.
    QCOMPARE(QString::fromLatin1(run.second),
             ExpectedRows(set, layout, rows) + (rows == Rows::Subset     ? "42:3 51:1 61:0 b2:2 "
                                                : rows == Rows::Switched ? "51:0 "
                                                                         : ""));
}

void TestCSourceWriter::progmemNamesOfAvrLibcCompile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("withHeader");
    // Macros of <avr/io.h> and <avr/pgmspace.h>, which a file that includes the header gets
    // after its declarations; a type of <stdint.h> clashes in any such file, but the source
    // includes nothing.
    QTest::newRow("SREG") << "SREG" << true;
    QTest::newRow("RAMEND") << "RAMEND" << true;
    QTest::newRow("PGM_P") << "PGM_P" << true;
    QTest::newRow("uint8_t") << "uint8_t" << false;
}

void TestCSourceWriter::progmemNamesOfAvrLibcCompile()
{
    QFETCH(QString, name);
    QFETCH(bool, withHeader);
    const QString objdump = QStandardPaths::findExecutable(QStringLiteral("avr-objdump"));
    if (QStandardPaths::findExecutable(QStringLiteral("avr-gcc")).isEmpty() || objdump.isEmpty())
        QSKIP("avr-gcc is not installed (scripts/lib.sh installs it)");
    const std::unique_ptr<FontCharSet> font = FirmwareFont();
    const CSourceWriter writer(CArray(CArray::Layout::Columns, name, CArray::Storage::Progmem),
                               true);
    QVERIFY(writer.Accepts(*font));
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(TestFiles::Write(dir.filePath(QStringLiteral("font.c")), writer.SourceBytes(*font)));
    QVERIFY(TestFiles::Write(dir.filePath(name + QStringLiteral(".h")), writer.HeaderBytes(*font)));
    QVERIFY(TestFiles::Write(dir.filePath(QStringLiteral("user.c")),
                             QStringLiteral("#include \"%1.h\"\nunsigned first(void);\n"
                                            "unsigned first(void) { return %1_COUNT + "
                                            "pgm_read_word(&%1_map['B']); }\n")
                                 .arg(name)
                                 .toLatin1()));
    const QStringList strict = {"-mmcu=atmega328p", "-Wall", "-Wextra", "-Werror",
                                "-pedantic-errors"};
    for (const QStringList& language :
         {QStringList{"-x", "c", "-std=c99"}, QStringList{"-x", "c++", "-std=c++17"}}) {
        const auto compiled =
            RunIn(dir.path(), "avr-gcc", strict + language + QStringList{"-c", "font.c"});
        QVERIFY2(compiled.first, compiled.second.constData());
        const auto symbols = RunIn(dir.path(), objdump, {"-t", "font.o"});
        QVERIFY(symbols.first);
        for (const QString& symbol : {name, name + QStringLiteral("_map")}) {
            const QRegularExpression inFlash(
                QStringLiteral(R"(\sO\s+\.progmem\.data\s+\S+\s+%1\n)").arg(symbol));
            QVERIFY2(inFlash.match(QString::fromLatin1(symbols.second)).hasMatch(),
                     symbols.second.constData());
        }
        if (withHeader) {
            const auto user =
                RunIn(dir.path(), "avr-gcc", strict + language + QStringList{"-c", "user.c"});
            QVERIFY2(user.first, user.second.constData());
        }
    }
}

void TestCSourceWriter::characterMapIndexesWhatItCan_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QByteArray>("mapped");
    QTest::addColumn<QByteArray>("entry");
    // Unmapped names "g00000"... sort between "A" and "x  A"; a marker in a name is its text.
    QTest::newRow("last of 65535 glyphs") << 65535 << QByteArray("x  A") << QByteArray("65534,");
    QTest::newRow("last of 65536 glyphs") << 65536 << QByteArray("x%1  A") << QByteArray("0xffff,");
    QTest::newRow("first of 70000 glyphs") << 70000 << QByteArray("A") << QByteArray("0,");
}

void TestCSourceWriter::characterMapIndexesWhatItCan()
{
    QFETCH(int, count);
    QFETCH(QByteArray, mapped);
    QFETCH(QByteArray, entry);
    FontCharSet set;
    set.Clear();
    for (int index = 0; index + 1 < count; ++index)
        set.At(QStringLiteral("g%1").arg(index, 5, 10, QLatin1Char('0')).toStdString()) =
            new FontChar;
    set.At(mapped.toStdString()) = new FontChar;
    const CSourceWriter writer(CArray(), true);
    QVERIFY(writer.Accepts(set));
    const QByteArray source = writer.SourceBytes(set);
    QVERIFY(source.contains("\n" + entry + "\t/* 0x41: " + mapped));
    // The glyph is in the array all the same, and the user is told why the map misses it.
    const bool beyond = entry == "0xffff,";
    QCOMPARE(source.contains("/* 0x41: " + mapped +
                             ", glyph 65535, beyond what an unsigned short "
                             "indexes */"),
             beyond);
    MessageList warnings;
    writer.Warnings(set, warnings);
    QCOMPARE(warnings.Listed(),
             beyond
                 ? QStringList{"glyph \"x%1  A\", for the character 0x41, is number 65536 of "
                               "the font, beyond the first 65535 that PIXMINT_xxxx_map can index: "
                               "the map gives PIXMINT_xxxx_NONE for it"}
                 : QStringList{});
}

QTEST_APPLESS_MAIN(TestCSourceWriter)
#include "tst_csourcewriter.moc"
