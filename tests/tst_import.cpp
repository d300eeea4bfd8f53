#include "CharacterMap.h"
#include "FontCharSet.h"
#include "FontFileReader.h"
#include "FontFileWriter.h"
#include "TestFiles.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <map>

namespace {

struct Run
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Run Start(const QString& program, const QStringList& arguments, const QString& folder = {},
          const QString& outputFile = {})
{
    QProcess process;
    process.setWorkingDirectory(folder);
    if (!outputFile.isEmpty())
        process.setStandardOutputFile(outputFile);
    process.start(program, arguments);
    Run run;
    if (process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit)
        run = {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
    return run;
}

Run Import(const QStringList& arguments, const QString& folder = {}, const QString& out = {})
{
    return Start(QStringLiteral(PIXMINT_IMPORT), arguments, folder, out);
}

// A BDF font with ascent 7 and descent 1 (so the baseline is below grid row 6) and the given
// bits a pixel (more than 1 needs BDF 2.2); each glyph is "CODE WIDTH HEIGHT X Y ROW...", rows
// in hexadecimal.
QByteArray Bdf(int bits, const QByteArrayList& glyphs)
{
    QByteArray text = (bits == 1 ? "STARTFONT 2.1\n" : "STARTFONT 2.2\n") +
                      QByteArray("FONT -pixmint-tiny-medium-r-normal--8-80-75-75-c-50-iso10646-1"
                                 "\nSIZE 8 75 75") +
                      (bits == 1 ? QByteArray() : ' ' + QByteArray::number(bits)) +
                      "\nFONTBOUNDINGBOX 5 8 0 -1\nSTARTPROPERTIES 4\nFONT_ASCENT 7\n"
                      "FONT_DESCENT 1\nCHARSET_REGISTRY \"ISO10646\"\nCHARSET_ENCODING \"1\"\n"
                      "ENDPROPERTIES\nCHARS " +
                      QByteArray::number(glyphs.size()) + '\n';
    for (const QByteArray& glyph : glyphs) {
        const QByteArrayList fields = glyph.split(' ');
        text += "STARTCHAR c" + fields[0] + "\nENCODING " + fields[0] +
                "\nSWIDTH 500 0\nDWIDTH 5 0\nBBX " + fields.mid(1, 4).join(' ') + "\nBITMAP\n" +
                fields.mid(5).join('\n') + "\nENDCHAR\n";
    }
    return text + "ENDFONT\n";
}

// "A" in an offset box, "W" two pixels too wide for the grid, "g" with a descender, "²" at
// the top of the cell, "é" with no default name.
const QByteArray TinyBdf = Bdf(1, {"65 2 2 3 3 C0 40", "87 7 1 -1 0 FE", "103 3 3 1 -1 E0 A0 E0",
                                   "178 1 1 0 6 80", "233 1 1 4 0 80"});

QByteArray Dropped(const QByteArray& name, int pixels)
{
    return '"' + name + "\": " + QByteArray::number(pixels) + (pixels == 1 ? " pixel" : " pixels") +
           " outside the 5 x 8 grid dropped";
}

QMap<QString, QByteArray> Snapshot(const QString& folder)
{
    QMap<QString, QByteArray> files;
    for (const QString& name : QDir(folder).entryList(QDir::Files))
        files.insert(name, TestFiles::Read(folder + QLatin1Char('/') + name));
    return files;
}

// The glyphs up to code 255 of a BDF font, placed with the baseline below row ascent - 1:
// read here from the text, independently of FreeType.
std::map<int, FontChar> ReadBdf(const QByteArray& text)
{
    std::map<int, FontChar> glyphs;
    int ascent = 0, code = -1, row = -1;
    QList<int> box; // width, height, x and y of the bounding box
    for (const QByteArray& line : text.split('\n')) {
        QByteArrayList fields = line.split(' ');
        const QByteArray keyword = fields.takeFirst();
        if (keyword == "FONT_ASCENT")
            ascent = fields.value(0).toInt();
        else if (keyword == "ENCODING" && (code = fields.value(0).toInt()) <= 0xFF)
            glyphs[code].Clear();
        else if (keyword == "BBX")
            box = {fields.value(0).toInt(), fields.value(1).toInt(), fields.value(2).toInt(),
                   fields.value(3).toInt()};
        else if (keyword == "BITMAP" || keyword == "ENDCHAR")
            row = keyword == "BITMAP" ? 0 : -1;
        else if (row >= 0 && code <= 0xFF) {
            const quint64 bits = line.toULongLong(nullptr, 16) << (64 - 4 * line.size());
            for (int x = 0; x < box[0]; ++x)
                glyphs[code].SetPixel(box[2] + x, ascent - box[3] - box[1] + row,
                                      bits >> (63 - x) & 1);
            ++row;
        }
    }
    return glyphs;
}

} // namespace

class TestImport : public QObject
{
    Q_OBJECT

private slots:
    void importsTinyFont_data();
    void importsTinyFont();
    void failuresWriteNothing_data();
    void failuresWriteNothing();
    void standardOutput_data();
    void standardOutput();
    void matchesSystemFont();
    void rendersOutlines();

private:
    QTemporaryDir _dir;
};

void TestImport::importsTinyFont_data()
{
    QTest::addColumn<QByteArray>("font");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArrayList>("glyphs"); // "0000000c04 C27  A": bytes and name
    QTest::addColumn<QByteArrayList>("notes");  // besides the default characters it lacks
    QTest::addColumn<int>("lacking");
    const QByteArray w = Dropped("C49  W", 2);
    QTest::newRow("default baseline") << TinyBdf << QStringList()
                                      << QByteArrayList{"000000040c C27  A", "4040404040 C49  W",
                                                        "00e0a0e000 C06  g", "0100000000 C81  \xB2"}
                                      << QByteArrayList{w} << 82;
    // Codes of a font that names no known character set are taken as Latin-1, with a note.
    QTest::newRow("unknown character set")
        << QByteArray(TinyBdf).replace("\"ISO10646\"", "\"PIXMINT\"") << QStringList()
        << QByteArrayList{"000000040c C27  A", "4040404040 C49  W", "00e0a0e000 C06  g",
                          "0100000000 C81  \xB2"}
        << QByteArrayList{w, "the font has no Unicode character map: its own character codes "
                             "are taken as Latin-1"}
        << 82;
    // A number is its value, leading zeros and all; --chars joins its texts.
    QTest::newRow("baseline 7, size 8 with leading zeros, chars twice")
        << TinyBdf << QStringList{"--baseline", "7",   "--size",  "000000000008",
                                  "--chars",    "é A", "--chars", "ÿé"}
        << QByteArrayList{"0000000818 C27  A",       "8080808080 C49  W",
                          "00c040c000 C06  g",       "0200000000 C81  \xB2",
                          "0000000080 U+00E9  \xE9", "0000000000 U+00FF  \xFF"}
        << QByteArrayList{w, Dropped("C06  g", 3),
                          "\"U+00FF  \xC3\xBF\": the font has no glyph for U+00FF; left blank"}
        << 82;
    QTest::newRow("baseline 0") << TinyBdf << QStringList{"--baseline", "0"}
                                << QByteArrayList{"0101010101 C49  W", "0003020300 C06  g"}
                                << QByteArrayList{Dropped("C27  A", 3), w, Dropped("C06  g", 3),
                                                  Dropped("C81  \xC2\xB2", 1)}
                                << 82;
    // Grey pixels are on from half their scale on: levels 0, 1, 2, 3 of 4 and so on.
    for (const QByteArray row : {"1B", "078F", "007F80FF"}) {
        QTest::addRow("%d bits a pixel", int(row.size()))
            << Bdf(int(row.size()), {"65 4 1 0 0 " + row}) << QStringList()
            << QByteArrayList{"0000404000 C27  A"} << QByteArrayList() << 85;
    }
}

void TestImport::importsTinyFont()
{
    QFETCH(QByteArray, font);
    QFETCH(QStringList, arguments);
    QFETCH(QByteArrayList, glyphs);
    QFETCH(QByteArrayList, notes);
    QFETCH(int, lacking);
    FontCharSet expected;
    for (const QByteArray& glyph : glyphs) {
        FontChar*& slot = expected.At(glyph.mid(11).toStdString());
        slot = slot ? slot : new FontChar;
        for (int column = 0; column < 5; ++column)
            slot->SetColumn(column, quint8(QByteArray::fromHex(glyph.left(10)).at(column)));
    }
    const QString bdf = _dir.filePath(QStringLiteral("tiny.bdf"));
    const QString out = _dir.filePath(QStringLiteral("out.xml"));
    QVERIFY(TestFiles::Write(bdf, font));
    const Run run = Import(QStringList{bdf} + arguments);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, FontFileWriter::Bytes(expected));
    // One line for each glyph that lost pixels or whose character the font lacks.
    QByteArrayList lines = run.err.split('\n');
    QCOMPARE(lines.takeLast(), QByteArray());
    QCOMPARE(lines.size(), lacking + notes.size());
    for (const QByteArray& note : notes)
        QCOMPARE(lines.count("pixmint-import: " + note), 1);

    // PCF holds one bit a pixel: the same font through bdftopcf imports the same, into -o.
    const QString bdftopcf = QStandardPaths::findExecutable(QStringLiteral("bdftopcf"));
    if (!font.startsWith("STARTFONT 2.1\n") || bdftopcf.isEmpty())
        return;
    const QString pcf = _dir.filePath(QStringLiteral("tiny.pcf"));
    QCOMPARE(Start(bdftopcf, {QStringLiteral("-o"), pcf, bdf}).exitCode, 0);
    const Run fromPcf = Import(QStringList{pcf, QStringLiteral("-o"), out} + arguments);
    QCOMPARE(fromPcf.exitCode, 0);
    QVERIFY(fromPcf.out.isEmpty());
    QCOMPARE(fromPcf.err, run.err);
    QCOMPARE(TestFiles::Read(out), FontFileWriter::Bytes(expected));
}

void TestImport::failuresWriteNothing_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    const auto row = [](const char* name, const QStringList& arguments, const QString& message) {
        QTest::newRow(name) << arguments << QStringLiteral("pixmint-import: ") + message;
    };
    row("missing file", {"missing.bdf", "-o", "old.xml"}, "missing.bdf: No such file");
    row("folder", {".", "-o", "old.xml"}, ".: ");
    row("empty name", {""}, ": the file name is empty");
    row("not a font", {"old.xml"}, "old.xml: not a font that FreeType reads");
    row("truncated", {"truncated.bdf"}, "truncated.bdf: not a font that FreeType reads");
    row("absurd box", {"huge.bdf"}, "huge.bdf: not a font that FreeType reads");
    row("beyond Latin-1", {"tiny.bdf", "--chars", "é€"}, "--chars: \"€\" (U+20AC) is not");
    row("control character", {"tiny.bdf", "--chars", "a\tb"}, "--chars: U+0009 is a control");
    row("baseline -1", {"tiny.bdf", "--baseline", "-1"}, "--baseline -1: expected a whole");
    row("baseline 8", {"tiny.bdf", "--baseline", "8"}, "--baseline 8: expected");
    row("size 0", {"tiny.bdf", "--size", "0"}, "--size 0: expected a whole number from 1 to 255");
    row("size too large", {"tiny.bdf", "--size", "99999999999"}, "--size 99999999999: expected");
    row("size with a blank", {"tiny.bdf", "--size", "8 "}, "--size 8 : expected a whole number");
    row("baseline given twice", {"tiny.bdf", "--baseline", "3", "--baseline", "5"},
        "--baseline is given twice (see --help)\n");
    row("unknown option", {"tiny.bdf", "-x"}, "unknown option -x (see --help)\n");
    row("output is the input", {"tiny.bdf", "-o", "./tiny.bdf"},
        "./tiny.bdf: this is the file being read");
    row("unwritable output", {"tiny.bdf", "-o", "no/such/folder/out.xml"}, "no/such/folder/");
}

void TestImport::failuresWriteNothing()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    QTemporaryDir folder;
    const QMap<const char*, QByteArray> files = {
        {"tiny.bdf", TinyBdf},
        {"old.xml", "<CharSet/>\n"},
        {"truncated.bdf", TinyBdf.left(TinyBdf.indexOf("STARTCHAR c103") + 40)},
        {"huge.bdf", QByteArray(TinyBdf).replace("BBX 2 2 3 3", "BBX 60000 60000 3 3")}};
    for (auto file = files.begin(); file != files.end(); ++file)
        QVERIFY(TestFiles::Write(folder.filePath(QLatin1String(file.key())), file.value()));
    const QMap<QString, QByteArray> before = Snapshot(folder.path());

    const Run run = Import(arguments, folder.path());
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.out.isEmpty());
    QVERIFY2(run.err.startsWith(message.toUtf8()), run.err.constData());
    QCOMPARE(run.err.count('\n'), 1);
    QCOMPARE(Snapshot(folder.path()), before);
}

void TestImport::standardOutput_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("begins");
    QTest::newRow("help") << QStringList{"-h"}
                          << QByteArray("Usage: pixmint-import [options] OTHER-FONT\n");
    QTest::newRow("version") << QStringList{"--version"}
                             << QByteArray("pixmint-import " PIXMINT_VERSION "\n");
    QTest::newRow("font") << QStringList{"tiny.bdf"} << QByteArray("<?xml");
}

void TestImport::standardOutput()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, begins);
    QVERIFY(TestFiles::Write(_dir.filePath(QStringLiteral("tiny.bdf")), TinyBdf));
    const Run run = Import(arguments, _dir.path());
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.out.startsWith(begins));
    // Output that cannot be written is a failure, not a success with nothing to show.
    const Run full = Import(arguments, _dir.path(), QStringLiteral("/dev/full"));
    QCOMPARE(full.exitCode, 2);
    QVERIFY2(full.err.startsWith("pixmint-import: standard output: "), full.err.constData());
}

void TestImport::matchesSystemFont()
{
    const QString pcf = QStringLiteral("/usr/share/fonts/X11/misc/5x8.pcf.gz");
    const QString pcf2bdf = QStandardPaths::findExecutable(QStringLiteral("pcf2bdf"));
    if (!QFile::exists(pcf) || pcf2bdf.isEmpty())
        QSKIP("needs xfonts-base and pcf2bdf");
    // The font's own glyphs, converted and read by other programs than FreeType.
    const QString bdf = _dir.filePath(QStringLiteral("5x8.bdf"));
    QCOMPARE(Start(pcf2bdf, {QStringLiteral("-o"), bdf, pcf}).exitCode, 0);
    const std::map<int, FontChar> glyphs = ReadBdf(TestFiles::Read(bdf));
    FontCharSet expected;
    for (auto& [name, glyph] : expected) {
        const auto found = glyphs.find(CharacterMap::Code(name));
        QVERIFY2(found != glyphs.end(), name.c_str());
        *glyph = found->second;
    }
    const QString imported = _dir.filePath(QStringLiteral("5x8.xml"));
    for (const QString& font : {pcf, bdf}) {
        const Run run = Import({font, QStringLiteral("-o"), imported});
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.err.isEmpty(), run.err.constData());
        QCOMPARE(TestFiles::Read(imported), FontFileWriter::Bytes(expected));
    }
    const Run check = Start(QStringLiteral(PIXMINT_EXPORT), {QStringLiteral("--check"), imported});
    QCOMPARE(check.exitCode, 0);
    QVERIFY(check.out.isEmpty());
}

void TestImport::rendersOutlines()
{
    const QString font = QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf");
    if (!QFile::exists(font))
        QSKIP("needs fonts-dejavu-core");
    // At 8 pixels an "A" fits the grid; at 16 it is drawn larger and loses pixels.
    for (const int size : {8, 16}) {
        const Run run = Import({font, QStringLiteral("--size"), QString::number(size)});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err.contains("pixmint-import: \"C27  A\": "), size == 16);
        const std::unique_ptr<FontCharSet> set = FontFileReader::Read(run.out);
        QVERIFY(set && *set->Find("C27  A")->second != FontChar());
    }
}

QTEST_GUILESS_MAIN(TestImport)
#include "tst_import.moc"
