#include "BdfWriter.h"
#include "CharacterMap.h"
#include "FontCharSet.h"
#include "FontFileWriter.h"
#include "MessageList.h"
#include "TestFiles.h"
#include "TestFonts.h"
#include "TestRun.h"

#include <QFile>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <ctime>
#include <map>

namespace {

const QByteArray RepeatedWarning = "pixmint-export: warning: glyph \"x  A\" stands for the code "
                                   "0x41 like \"C27  A\", which comes first: the BDF font has it "
                                   "with ENCODING -1\n";

// What follows a keyword on each line that starts with it.
QByteArrayList Values(const QByteArray& bdf, const QByteArray& keyword)
{
    QByteArrayList values;
    for (const QByteArray& line : bdf.split('\n')) {
        if (line.startsWith(keyword + ' '))
            values << line.mid(keyword.size() + 1);
    }
    return values;
}

} // namespace

class TestBdfWriter : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void writesGoldenFile();
    void readersGetEveryGlyph_data();
    void readersGetEveryGlyph();
    void glyphNames_data();
    void glyphNames();
    void manyGlyphsForOneCodeTakeLinearTime();
    void warnsOfWhatReadersMiss_data();
    void warnsOfWhatReadersMiss();

private:
    std::unique_ptr<QTemporaryDir> _dir;
};

void TestBdfWriter::init()
{
    _dir = std::make_unique<QTemporaryDir>();
    QVERIFY(_dir->isValid());
}

void TestBdfWriter::writesGoldenFile()
{
    // With the C source and a specimen sheet in one run; the source goes only where -o says.
    const QString font = TestFiles::DataPath(QStringLiteral("bdf.xml"));
    const QString bdf = _dir->filePath(QStringLiteral("font.bdf"));
    const QString source = _dir->filePath(QStringLiteral("font.cpp"));
    const QString sheet = _dir->filePath(QStringLiteral("sheet.png"));
    const Run run =
        Start(QStringLiteral(PIXMINT_EXPORT), {font, "--bdf", bdf, "-o", source, "--png", sheet});
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.out.isEmpty());
    QCOMPARE(run.err, RepeatedWarning);
    QCOMPARE(TestFiles::Read(bdf), TestFiles::Data(QStringLiteral("bdf.bdf")));
    QCOMPARE(TestFiles::Read(source), Start(QStringLiteral(PIXMINT_EXPORT), {font}).out);
    QVERIFY(QFile::exists(sheet));
}

void TestBdfWriter::readersGetEveryGlyph_data()
{
    QTest::addColumn<int>("baseline");
    QTest::addColumn<QByteArray>("family"); // --name, or empty for none
    QTest::newRow("default baseline 6") << -1 << QByteArray();
    QTest::newRow("baseline 7, no descent") << 7 << QByteArray();
    QTest::newRow("baseline 0") << 0 << QByteArray();
    QTest::newRow("named") << -1 << QByteArray("Lcd5x8_b");
}

void TestBdfWriter::readersGetEveryGlyph()
{
    QFETCH(int, baseline);
    QFETCH(QByteArray, family);
    const std::unique_ptr<FontCharSet> font = TestFonts::Full();
    TestFonts::Store(*font, "U+00FF  \xFF", {0x1D, 0xA0, 0xA0, 0xA0, 0x7D}); // the last code
    const QString xml = _dir->filePath(QStringLiteral("font.xml"));
    const QString bdf = _dir->filePath(QStringLiteral("font.bdf"));
    QVERIFY(TestFiles::Write(xml, FontFileWriter::Bytes(*font)));
    QStringList arguments = {xml, QStringLiteral("--bdf"), bdf};
    if (baseline >= 0)
        arguments << QStringLiteral("--baseline") << QString::number(baseline);
    if (!family.isEmpty())
        arguments << QStringLiteral("--name") << family;
    const Run run = Start(QStringLiteral(PIXMINT_EXPORT), arguments);
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.out.isEmpty(), "the source goes only where -o says");
    QCOMPARE(run.err, RepeatedWarning);
    const QByteArray text = TestFiles::Read(bdf);
    // The family in its two places, and nothing else changed.
    const QByteArray named = family.isEmpty() ? QByteArray("Pixmint") : family;
    const QByteArray fontName = "-Misc-" + named + "-Medium-R-Normal--8-80-75-75-C-60-ISO8859-1";
    QCOMPARE(Values(text, "FONT"), QByteArrayList{fontName});
    QCOMPARE(Values(text, "FAMILY_NAME"), QByteArrayList{'"' + named + '"'});
    if (!family.isEmpty()) {
        QStringList plain = arguments.mid(0, arguments.size() - 2);
        plain[2] = _dir->filePath(QStringLiteral("plain.bdf"));
        QCOMPARE(Start(QStringLiteral(PIXMINT_EXPORT), plain).exitCode, 0);
        QCOMPARE(QByteArray(text).replace(named, "Pixmint"), TestFiles::Read(plain[2]));
    }

    // Every glyph, each at its code or -1, no code twice.
    const int ascent = (baseline >= 0 ? baseline : 6) + 1;
    QCOMPARE(Values(text, "FONT_ASCENT"), QByteArrayList{QByteArray::number(ascent)});
    QCOMPARE(Values(text, "FONT_DESCENT"), QByteArrayList{QByteArray::number(8 - ascent)});
    QCOMPARE(Values(text, "CHARS"), QByteArrayList{QByteArray::number(font->Count())});
    QCOMPARE(Values(text, "STARTCHAR").size(), qsizetype(font->Count()));
    QByteArrayList codes = Values(text, "ENCODING");
    QCOMPARE(codes.size(), qsizetype(font->Count()));
    QCOMPARE(codes.removeAll("-1"), 2); // "logo" and "x  A"
    QCOMPARE(QSet<QByteArray>(codes.begin(), codes.end()).size(), codes.size());
    std::map<int, FontChar> read = TestFonts::ReadBdf(text);
    read.erase(-1);
    QVERIFY(read == TestFonts::ByCode(*font));

    // The importer gives the font back as "Save font" writes it: every glyph, those of
    // ENCODING -1 included, under its name.
    const Run imported =
        Start(QStringLiteral(PIXMINT_IMPORT), {bdf, QStringLiteral("--chars"), "\u00e9"});
    QCOMPARE(imported.exitCode, 0);
    QVERIFY2(imported.err.isEmpty(), imported.err.constData());
    QCOMPARE(imported.out, FontFileWriter::Bytes(*font));

    // X11's compiler takes it, and the PCF it makes holds the same pixels.
    const QString bdftopcf = QStandardPaths::findExecutable(QStringLiteral("bdftopcf"));
    const QString pcf2bdf = QStandardPaths::findExecutable(QStringLiteral("pcf2bdf"));
    if (bdftopcf.isEmpty() || pcf2bdf.isEmpty())
        QSKIP("needs xfonts-utils and pcf2bdf");
    const QString pcf = _dir->filePath(QStringLiteral("font.pcf"));
    const QString again = _dir->filePath(QStringLiteral("again.bdf"));
    const Run compiled = Start(bdftopcf, {QStringLiteral("-o"), pcf, bdf});
    QCOMPARE(compiled.exitCode, 0);
    QVERIFY2(compiled.err.isEmpty(), compiled.err.constData());
    QCOMPARE(Start(pcf2bdf, {QStringLiteral("-o"), again, pcf}).exitCode, 0);
    std::map<int, FontChar> fromPcf = TestFonts::ReadBdf(TestFiles::Read(again));
    fromPcf.erase(-1);
    QVERIFY(fromPcf == TestFonts::ByCode(*font));
    QCOMPARE(Values(TestFiles::Read(again), "FAMILY_NAME"), QByteArrayList{'"' + named + '"'});
    // PCF keeps no comment and no glyph of ENCODING -1: the others come back under their names.
    FontCharSet encoded;
    encoded.Clear();
    for (const auto& [name, glyph] : *font) {
        if (name != "logo" && name != "x  A")
            encoded.At(name) = new FontChar(*glyph);
    }
    for (const QString& path : {pcf, again})
        QCOMPARE(Start(QStringLiteral(PIXMINT_IMPORT), {path}).out, FontFileWriter::Bytes(encoded));
}

void TestBdfWriter::glyphNames_data()
{
    QTest::addColumn<QByteArrayList>("names");
    QTest::addColumn<QByteArrayList>("lines"); // the COMMENT and STARTCHAR lines
    QTest::newRow("a plain name stays")
        << QByteArrayList{"logo_2.alt"} << QByteArrayList{"STARTCHAR logo_2.alt"};
    QTest::newRow("by code, or by index for no character")
        << QByteArrayList{"C27  A", "bell  0x07", "9lives", "fifteen_letters"}
        << QByteArrayList{"COMMENT Pixmint name \"9lives\"",          "STARTCHAR glyph0",
                          "COMMENT Pixmint name \"C27  A\"",          "STARTCHAR uni0041",
                          "COMMENT Pixmint name \"bell  0x07\"",      "STARTCHAR uni0007",
                          "COMMENT Pixmint name \"fifteen_letters\"", "STARTCHAR glyph3"};
    QTest::newRow("a name taken by a plain one")
        << QByteArrayList{"C27  A", "uni0041", "uni0041.1", "y  A"}
        << QByteArrayList{"COMMENT Pixmint name \"C27  A\"",
                          "STARTCHAR uni0041.2",
                          "STARTCHAR uni0041",
                          "STARTCHAR uni0041.1",
                          "COMMENT Pixmint name \"y  A\"",
                          "STARTCHAR uni0041.3"};
    // Nothing in a name ends the line or the quotes; every byte comes back.
    QTest::newRow("escapes") << QByteArrayList{"a\nENDFONT \"\\\x7F\xB2"}
                             << QByteArrayList{"COMMENT Pixmint name "
                                               "\"a\\x0AENDFONT \\\"\\\\\\x7F\\xB2\"",
                                               "STARTCHAR glyph0"};
    QTest::newRow("200 characters whole")
        << QByteArrayList{QByteArray(200, 'a')}
        << QByteArrayList{"COMMENT Pixmint name \"" + QByteArray(200, 'a') + '"',
                          "STARTCHAR glyph0"};
    QTest::newRow("cut between escapes")
        << QByteArrayList{QByteArray(198, 'a') + "\xB2" + QByteArray(1000, 'b')}
        << QByteArrayList{"COMMENT Pixmint name \"" + QByteArray(198, 'a') + "\"...",
                          "STARTCHAR glyph0"};
}

void TestBdfWriter::glyphNames()
{
    QFETCH(QByteArrayList, names);
    QFETCH(QByteArrayList, lines);
    FontCharSet set;
    set.Clear();
    for (const QByteArray& name : names)
        TestFonts::Store(set, name.toStdString(), {});
    QByteArrayList written;
    for (const QByteArray& line : BdfWriter().Bytes(set).split('\n')) {
        if (line.startsWith("COMMENT Pixmint name ") || line.startsWith("STARTCHAR "))
            written << line;
    }
    QCOMPARE(written, lines);
    // A name cut in its comment is named in a warning.
    MessageList warnings;
    BdfWriter().Warnings(set, warnings);
    QCOMPARE(warnings.Listed().filter(QStringLiteral("longer than the line")).size(),
             lines.join().contains("\"...") ? 1 : 0);
}

void TestBdfWriter::manyGlyphsForOneCodeTakeLinearTime()
{
    // Each later glyph for "A" takes the next free variant name: found in one step, not by
    // trying every variant before it.
    const auto cpuSeconds = [](int count) {
        FontCharSet set;
        set.Clear();
        for (int index = 0; index < count; ++index)
            TestFonts::Store(set, "g" + std::to_string(index) + "  A", {});
        const std::clock_t start = std::clock();
        const QByteArray bdf = BdfWriter().Bytes(set);
        const double seconds = double(std::clock() - start) / CLOCKS_PER_SEC;
        return bdf.contains("STARTCHAR uni0041." + QByteArray::number(count - 1) + '\n') ? seconds
                                                                                         : -1.0;
    };
    const double small = std::max(cpuSeconds(2000), 0.001);
    const double large = cpuSeconds(16000);
    QVERIFY(large >= 0);
    // Eight times the glyphs: about eight times the time, and sixty-four if it grew squared.
    QVERIFY2(large / small < 30, qPrintable(QStringLiteral("%1 s, %2 s").arg(small).arg(large)));
}

void TestBdfWriter::warnsOfWhatReadersMiss_data()
{
    QTest::addColumn<QByteArray>("first");
    QTest::addColumn<int>("count");        // glyphs named "g" and a number after the first
    QTest::addColumn<QByteArray>("label"); // of each of those
    QTest::addColumn<QString>("warning");  // the first, whole or its beginning
    QTest::addColumn<int>("listed");
    QTest::addColumn<int>("unlisted");
    QTest::newRow("as many glyphs as a PCF font holds")
        << QByteArray("A") << 65533 << QByteArray() << QString() << 0 << 0;
    QTest::newRow("one more") << QByteArray("A") << 65534 << QByteArray()
                              << "the BDF font has 65535 glyphs: FreeType reads it, but bdftopcf "
                                 "makes of it a PCF font that FreeType and pcf2bdf cannot read "
                                 "whole (at most 65534 glyphs)"
                              << 1 << 0;
    QTest::newRow("one more than FreeType finds by code")
        << QByteArray("A") << 65535 << QByteArray() << "the BDF font has 65536 glyphs" << 2 << 0;
    QTest::newRow("no glyph for a character")
        << QByteArray("logo") << 0 << QByteArray()
        << "no glyph stands for a character, so every ENCODING is -1" << 1 << 0;
    // Names shortened by the rule of the editor's list; the first 1,000, then a count (of two
    // repeats and the long name cut in its comment).
    QTest::newRow("repeats of a code after a name of a million characters")
        << QByteArray(1000000, 'A') + "  a" << 1002 << QByteArray("  a")
        << "glyph \"g0  a\" stands for the code 0x61 like \"" + QString(256, u'A') +
               "\u2026\", which comes first: the BDF font has it with ENCODING -1"
        << 1000 << 3;
}

void TestBdfWriter::warnsOfWhatReadersMiss()
{
    QFETCH(QByteArray, first);
    QFETCH(int, count);
    QFETCH(QByteArray, label);
    QFETCH(QString, warning);
    QFETCH(int, listed);
    QFETCH(int, unlisted);
    FontCharSet set;
    set.Clear();
    TestFonts::Store(set, first.toStdString(), {});
    for (int index = 0; index < count; ++index)
        TestFonts::Store(set, "g" + std::to_string(index) + label.toStdString(), {});
    MessageList warnings;
    BdfWriter().Warnings(set, warnings);
    QCOMPARE(warnings.Listed().size(), listed);
    QVERIFY2(warnings.Listed().value(0).startsWith(warning),
             qPrintable(warnings.Listed().value(0)));
    QCOMPARE(warnings.Unlisted(), qint64(unlisted));
}

QTEST_GUILESS_MAIN(TestBdfWriter)
#include "tst_bdfwriter.moc"
