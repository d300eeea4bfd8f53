#include "CArray.h"
#include "CharacterMap.h"
#include "FontCharSet.h"
#include "FontFileReader.h"
#include "FontFileWriter.h"
#include "SfntFont.h"
#include "TestFiles.h"
#include "TestFonts.h"
#include "TestRun.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <map>

#include <png.h>
#include <zlib.h>

namespace {

Run Import(const QStringList& arguments, const QString& folder = {}, const QString& out = {},
           int cpuSeconds = 0)
{
    RunSetup setup;
    setup.folder = folder;
    setup.outputFile = out;
    setup.cpuSeconds = cpuSeconds;
    return Start(QStringLiteral(PIXMINT_IMPORT), arguments, setup);
}

// The default font, each glyph with the five column bytes of columns, or of its own entry.
QByteArray DefaultFont(const QByteArray& columns, const std::map<std::string, QByteArray>& own = {})
{
    FontCharSet font;
    for (auto& [name, glyph] : font) {
        const auto found = own.find(name);
        const QByteArray bytes = found != own.end() ? found->second : columns;
        for (int column = 0; column < 5; ++column)
            glyph->SetColumn(column, quint8(bytes.at(column)));
    }
    return FontFileWriter::Bytes(font);
}

// The bytes a compressing program writes for these bytes.
QByteArray Compressed(const QString& program, const QByteArray& bytes)
{
    RunSetup setup;
    setup.input = bytes;
    return Start(program, {QStringLiteral("-c")}, setup).out;
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

// One glyph of 16,000 points at one place for U+0021 to U+00FF, whose program calls 190 times a
// function of 2,500 IUP[y] IUP[x], each of which walks every point; family names it.
QByteArray SlowHinting(const QByteArray& family = {})
{
    std::map<QByteArray, QByteArray> tables =
        SfntFont::OutlineTables({QList<QRect>(4000)}, 0x21, QList<int>(0xDF, 1), 16,
                                SfntFont::Bytes({0xB8, 0, 190, 0xB0, 0, 0x2A}));
    tables["fpgm"] =
        SfntFont::Bytes({0xB0, 0, 0x2C}) + QByteArray("\x30\x31").repeated(2500) + '\x2D';
    if (!family.isEmpty())
        tables["name"] = SfntFont::Name(family);
    return SfntFont::Font(tables);
}

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

// Every code 0 to 255 with a glyph of its own bytes, named as an import names it.
std::unique_ptr<FontCharSet> EveryCode()
{
    auto font = std::make_unique<FontCharSet>();
    font->Clear();
    for (int code = 0; code < 256; ++code)
        font->At(CharacterMap::NewGlyphName(code)) = new FontChar(TestFonts::Glyph(
            {quint8(code), quint8(~code), quint8(code * 7), quint8(code >> 1 | 0x80), 0x55}));
    return font;
}

// The gray levels of a picture, row by row, through libpng's own reader.
std::vector<png_byte> Levels(const QByteArray& bytes, int& width)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    std::vector<png_byte> levels;
    if (png_image_begin_read_from_memory(&image, bytes.constData(), size_t(bytes.size()))) {
        image.format = PNG_FORMAT_GRAY;
        levels.resize(PNG_IMAGE_SIZE(image));
        png_image_finish_read(&image, nullptr, levels.data(), 0, nullptr);
    }
    width = int(image.width);
    png_image_free(&image);
    return levels;
}

// The levels (black lit, white not) written by libpng in a colour type (a palette of 256
// grays, gray, gray and alpha, RGB), bit depth and interlacing, lit pixels at the level lit
// and others at unlit; with alpha, unlit pixels are transparent.
QByteArray Png(const std::vector<png_byte>& levels, int width, int type, int depth, bool interlaced,
               int lit, int unlit)
{
    const int height = int(levels.size()) / width;
    const int samples = type == PNG_COLOR_TYPE_RGB ? 3 : type == PNG_COLOR_TYPE_GA ? 2 : 1;
    std::vector<std::vector<png_byte>> rows(static_cast<size_t>(height));
    std::vector<png_bytep> pointers;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool on = levels[size_t(y * width + x)] < 128;
            for (int sample = 0; sample < samples; ++sample) {
                const int value = sample == 1 && samples == 2 ? (on ? 255 : 0) : on ? lit : unlit;
                rows[size_t(y)].push_back(png_byte(value));
                if (depth == 16)
                    rows[size_t(y)].push_back(png_byte(value));
            }
        }
        pointers.push_back(rows[size_t(y)].data());
    }
    std::vector<png_color> grays(256);
    for (int level = 0; level < 256; ++level)
        grays[size_t(level)] = {png_byte(level), png_byte(level), png_byte(level)};
    QByteArray out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png)) == 0) {
        png_set_write_fn(
            png, &out,
            [](png_structp writer, png_bytep data, size_t size) {
                static_cast<QByteArray*>(png_get_io_ptr(writer))
                    ->append(reinterpret_cast<const char*>(data), qsizetype(size));
            },
            nullptr);
        png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), depth, type,
                     interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        if (type == PNG_COLOR_TYPE_PALETTE)
            png_set_PLTE(png, info, grays.data(), 256);
        png_write_info(png, info);
        png_write_image(png, pointers.data());
        png_write_end(png, info);
    }
    png_destroy_write_struct(&png, &info);
    return out;
}

// The picture with the size in its header changed, its checksum made good again.
QByteArray Resized(QByteArray png, quint32 width, quint32 height)
{
    for (int byte = 0; byte < 4; ++byte) {
        png[16 + byte] = char(width >> (24 - 8 * byte));
        png[20 + byte] = char(height >> (24 - 8 * byte));
    }
    const quint32 crc = quint32(crc32(0, reinterpret_cast<const Bytef*>(png.constData() + 12), 17));
    for (int byte = 0; byte < 4; ++byte)
        png[29 + byte] = char(crc >> (24 - 8 * byte));
    return png;
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
    void standardOutputThatIsTheFontIsRefused();
    void matchesSystemFont();
    void rendersOutlines();
    void decompressesOnce_data();
    void decompressesOnce();
    void boundsHugeOutlines();
    void limitsBitmapSize();
    void limitsFreeTypeMemory();
    void choosesStrike_data();
    void choosesStrike();
    void tablesComeBack_data();
    void tablesComeBack();
    void importsClassicTable();
    void picturesComeBack_data();
    void picturesComeBack();

private:
    QTemporaryDir _dir;
};

void TestImport::importsTinyFont_data()
{
    QTest::addColumn<QByteArray>("font");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArrayList>("glyphs"); // "0000000c04 C27  A": bytes and name
    QTest::addColumn<QByteArrayList>("notes");  // besides the default characters it lacks
    QTest::addColumn<int>("lacking"); // default characters; 0: Pixmint's font, none of them
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
    // A number is its value, leading zeros and all; --chars joins its texts and names a
    // control character by its code.
    QTest::newRow("baseline 7, size 8 with leading zeros, chars twice")
        << TinyBdf << QStringList{"--baseline", "7",     "--size",  "000000000008",
                                  "--chars",    "é A\t", "--chars", "ÿé"}
        << QByteArrayList{"0000000818 C27  A",       "8080808080 C49  W",
                          "00c040c000 C06  g",       "0200000000 C81  \xB2",
                          "0000000080 U+00E9  \xE9", "0000000000 U+00FF  \xFF",
                          "0000000000 U+0009  0x09"}
        << QByteArrayList{w, Dropped("C06  g", 3),
                          "\"U+0009  0x09\": the font has no glyph for U+0009; left blank",
                          "\"U+00FF  \xC3\xBF\": the font has no glyph for U+00FF; left blank"}
        << 82;
    QTest::newRow("codes") << TinyBdf << QStringList{"--codes", "0xe9-0xea", "--codes", "65-65"}
                           << QByteArrayList{"000000040c C27  A", "4040404040 C49  W",
                                             "00e0a0e000 C06  g", "0100000000 C81  \xB2",
                                             "0000000040 U+00E9  \xE9"}
                           << QByteArrayList{w, "the font has no glyph for U+00EA"} << 82;
    QTest::newRow("baseline 0") << TinyBdf << QStringList{"--baseline", "0"}
                                << QByteArrayList{"0101010101 C49  W", "0003020300 C06  g"}
                                << QByteArrayList{Dropped("C27  A", 3), w, Dropped("C06  g", 3),
                                                  Dropped("C81  \xC2\xB2", 1)}
                                << 82;
    // FreeType reads a negative width or height as 0. bdftopcf refuses such a box, so the
    // font says BDF 2.2, which the PCF check passes over.
    const QByteArray negative = " of its glyph has a negative width or height; left blank";
    QTest::newRow("negative box")
        << Bdf(1,
               {"65 -2 2 3 3 C0 40", "87 7 1 -1 0 FE", "103 3 3 1 -1 E0 A0 E0", "178 1 -1 0 6 80"})
               .replace("STARTFONT 2.1", "STARTFONT 2.2")
        << QStringList() << QByteArrayList{"4040404040 C49  W", "00e0a0e000 C06  g"}
        << QByteArrayList{w, "\"C27  A\": the bounding box (BBX)" + negative,
                          "\"C81  \xC2\xB2\": the bounding box (BBX)" + negative}
        << 82;
    // A glyph copied with its Pixmint name in a text editor: the first of the name is kept.
    QTest::newRow("a Pixmint name twice")
        << QByteArray(TinyBdf)
               .replace("STARTFONT 2.1", "STARTFONT 2.2")
               .replace("STARTCHAR c65", "COMMENT Pixmint name \"x\"\nSTARTCHAR c65")
               .replace("STARTCHAR c87", "COMMENT Pixmint name \"x\"\nSTARTCHAR c87")
        << QStringList()
        << QByteArrayList{"000000040c x", "00e0a0e000 c103", "0100000000 c178", "0000000040 c233"}
        << QByteArrayList{Dropped("x", 2), "\"x\": a second glyph of this name; only the first "
                                           "is kept"}
        << 0;
    // 8 x 32,768 pixels: FreeType's renderer never returned, and at 255 pixels cannot draw it.
    const QList<QList<QRect>> tall{{QRect(0, -32767, 16, 32767), QRect(0, 0, 16, 32767)}};
    for (const int em : {16, 510}) {
        QTest::addRow("tall outline, em %d", em)
            << SfntFont::Outlines(tall, 'A', {1}, em)
            << QStringList{"--size", QString::number(em / 2)} << QByteArrayList{"ffffffffff C27  A"}
            << QByteArrayList{"\"C27  A\": drawn 8 x 32768 pixels large; only its pixels in the "
                              "5 x 8 grid kept, those outside not counted",
                              "fitted to the grid at size " + QByteArray::number(em / 2) +
                                  ", baseline 6: 262104 pixels lost in 1 glyph"}
            << 85;
    }
    QTest::newRow("outline beyond FreeType's reach")
        << SfntFont::Outlines(tall, 'A', {1}) << QStringList{"--size", "255"} << QByteArrayList()
        << QByteArrayList{"\"C27  A\": the glyph for U+0041 cannot be read (FreeType error 0x14); "
                          "left blank",
                          "fitted to the grid at size 255, baseline 7: no pixel lost"}
        << 85;
    // The font's hinting took 9 s a glyph; FreeType's auto-hinter draws the empty glyph at once.
    QTest::newRow("endless hinting")
        << SlowHinting() << QStringList() << QByteArrayList()
        << QByteArrayList{"fitted to the grid at size 16, baseline 7: no pixel lost"} << 1;
    // An "A" 4 pixels wide and 8 high at 11 pixels (2 below the baseline), one row more at 12:
    // all of it on the grid only at 11 and below, and then only at baseline 5.
    const QByteArray fitted = SfntFont::Outlines({{QRect(0, -23, 50, 93)}}, 'A', {1}, 128);
    const QByteArray fit11 = "fitted to the grid at size 11, baseline 5: no pixel lost";
    for (const QStringList& arguments :
         {QStringList(), QStringList{"--size", "11"}, QStringList{"--baseline", "5"}}) {
        QTest::addRow("fitted, %s", qPrintable(arguments.join(' ')))
            << fitted << arguments << QByteArrayList{"ffffffff00 C27  A"} << QByteArrayList{fit11}
            << 85;
    }
    QTest::newRow("fit asked for") << fitted << QStringList{"--size", "11", "--baseline", "5"}
                                   << QByteArrayList{"ffffffff00 C27  A"} << QByteArrayList() << 85;
    QTest::newRow("fitted at size 16")
        << fitted << QStringList{"--size", "16"} << QByteArrayList{"ffffffffff C27  A"}
        << QByteArrayList{"fitted to the grid at size 16, baseline 4: 32 pixels lost in 1 glyph",
                          Dropped("C27  A", 32)}
        << 85;
    // The same font inside PostScript (FontForge's Type 42 of SlowHinting(), "!" its one code):
    // FreeType hinted it with its program, 8 s for the one glyph.
    QTest::newRow("endless hinting, Type 42")
        << TestFiles::Data("slow-hinting.t42.gz")
        << QStringList{"--codes", "33-33", "--size", "8", "--baseline", "6"}
        << QByteArrayList{"0000000000 U+0021  !"} << QByteArrayList() << 86;
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
    if (lacking == 0)
        expected.Clear();
    for (const QByteArray& glyph : glyphs) {
        FontChar*& slot = expected.At(glyph.mid(11).toStdString());
        slot = slot ? slot : new FontChar;
        for (int column = 0; column < 5; ++column)
            slot->SetColumn(column, quint8(QByteArray::fromHex(glyph.left(10)).at(column)));
    }
    const QString bdf = _dir.filePath(QStringLiteral("tiny.bdf"));
    const QString out = _dir.filePath(QStringLiteral("out.xml"));
    QVERIFY(TestFiles::Write(bdf, font));
    const Run run = Import(QStringList{bdf} + arguments, {}, {}, 5);
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
    row("codes backwards", {"tiny.bdf", "--codes", "66-65"}, "--codes 66-65: expected FIRST-LAST");
    row("table of 3 bytes", {"table.c", "--layout", "rows", "-o", "old.xml"},
        "table.c: the array x holds 3 bytes");
    row("table without layout", {"table.c"},
        "table.c: --layout is needed: nothing in the file says how its bytes hold a glyph\n");
    row("table beyond 255", {"names.c", "--layout", "columns", "--first", "255"},
        "names.c: its 2 glyphs from the code 255 on would reach the code 256, beyond 255 (see "
        "--first)\n");
    row("table with a size", {"table.c", "--size", "8"}, "--size is for fonts that FreeType reads");
    row("a name no font file carries", {"names.c"}, "names.c: the name \"\\x01A\" holds U+0001");
    row("more glyphs than FreeType finds", {"many.bdf"}, "many.bdf: the BDF font has 65536 glyphs");
    // FreeType runs the hinting of a font by this name whatever it is asked.
    row("hinting FreeType must run", {"tricky.ttf"}, "tricky.ttf: FreeType draws this font only");
    row("picture of 50,000 x 50,000", {"huge.png", "--codes", "0-15"},
        "huge.png: the picture is 50000 x 50000 pixels, larger than");
    row("picture cut short", {"cut.png", "--codes", "0-15"}, "cut.png: the PNG picture is damaged");
    row("picture that is no PNG", {"old.png", "--codes", "0-15"}, "old.png: not a PNG picture");
    row("picture of no whole cells", {"wide.png", "--codes", "0-15"},
        "wide.png: the picture is 97 pixels wide, which is no row of 16 cells");
    row("picture of the wrong scale", {"sheet.png", "--codes", "0-15", "--scale", "2"},
        "sheet.png: the picture is 96 pixels wide, not the 192");
    row("picture inked beyond the codes", {"sheet.png", "--codes", "0-1"},
        "sheet.png: cell 3 (row 1, column 3) is inked, beyond the 2 codes asked for");
    row("picture with fewer cells", {"sheet.png", "--codes", "0-16"},
        "sheet.png: the picture holds 16 cells, fewer than the 17 codes");
    row("picture inked between glyphs", {"gap.png", "--codes", "0-15"},
        "gap.png: cell 3 (row 1, column 3) has ink outside the 5 x 8 pixels");
    row("picture without codes", {"sheet.png"}, "a picture needs the codes of its cells");
    row("picture with a size", {"sheet.png", "--codes", "0-15", "--size", "8"},
        "--size is not for a picture");
    row("picture cells too small", {"sheet.png", "--codes", "0-15", "--cell", "4x8"},
        "--cell 4x8: expected WIDTHxHEIGHT, at least 5x8");
}

void TestImport::failuresWriteNothing()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    QTemporaryDir folder;
    QMap<const char*, QByteArray> files = {
        {"tiny.bdf", TinyBdf},
        {"old.xml", "<CharSet/>\n"},
        {"truncated.bdf", TinyBdf.left(TinyBdf.indexOf("STARTCHAR c103") + 40)},
        {"huge.bdf", QByteArray(TinyBdf).replace("BBX 2 2 3 3", "BBX 60000 60000 3 3")},
        {"table.c", "char x[] = {1, 2, 3};"},
        {"names.c", "/* Auto generated file */\nunsigned char f[][5] = {\n{0,0,0,0,0},\t/* Char = "
                    "\\x01A */\n{0,0,0,0,0}\t/* Char = \\x02A */\n};\n"},
        {"many.bdf",
         "STARTFONT 2.1\nCOMMENT Made by Pixmint\n" + QByteArray("ENDCHAR\n").repeated(65536)},
        {"tricky.ttf", SlowHinting("MingLiU")},
        {"old.png", "<CharSet/>\n"}};
    // A row of 16 cells, cell 3 with its top left pixel lit; then in the gap beside it.
    std::vector<png_byte> levels(96 * 9, 255);
    levels[12] = 0;
    const QByteArray sheet = Png(levels, 96, PNG_COLOR_TYPE_GRAY, 8, false, 0, 255);
    files.insert("sheet.png", sheet);
    files.insert("huge.png", Resized(sheet, 50000, 50000));
    files.insert("cut.png", sheet.left(sheet.size() - 30));
    files.insert("wide.png", Png(std::vector<png_byte>(97 * 9, 255), 97, PNG_COLOR_TYPE_GRAY, 8,
                                 false, 0, 255));
    std::swap(levels[12], levels[17]);
    files.insert("gap.png", Png(levels, 96, PNG_COLOR_TYPE_GRAY, 8, false, 0, 255));
    for (auto file = files.begin(); file != files.end(); ++file)
        QVERIFY(TestFiles::Write(folder.filePath(QLatin1String(file.key())), file.value()));
    const QMap<QString, QByteArray> before = Snapshot(folder.path());

    const Run run = Import(arguments, folder.path(), {}, 5);
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

void TestImport::standardOutputThatIsTheFontIsRefused()
{
#ifndef Q_OS_LINUX
    QSKIP("needs /dev/stdout");
#else
    // ">> tiny.bdf" would end the font with the font file made of it.
    QTemporaryDir folder;
    QVERIFY(TestFiles::Write(folder.filePath(QStringLiteral("tiny.bdf")), TinyBdf));
    const Run run =
        Start(QStringLiteral("sh"), {"-c", "exec \"$0\" tiny.bdf >> tiny.bdf", PIXMINT_IMPORT},
              InFolder(folder.path()));
    QCOMPARE(run.exitCode, 2);
    QCOMPARE(run.err, "pixmint-import: standard output: this is the file being read (tiny.bdf)\n");
    QCOMPARE(TestFiles::Read(folder.filePath(QStringLiteral("tiny.bdf"))), TinyBdf);
#endif
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
    const std::map<int, FontChar> glyphs = TestFonts::ReadBdf(TestFiles::Read(bdf));
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
    // Every printable ASCII character that the font has, not only those of the default names.
    QCOMPARE(Import({pcf, "--codes", "32-126", "-o", imported}).err, QByteArray());
    const Run table = Start(QStringLiteral(PIXMINT_EXPORT), {imported, "--range", "32-126"});
    QCOMPARE(table.exitCode, 0);
    QCOMPARE(table.err, QByteArray());
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
        const std::unique_ptr<FontCharSet> set = TestFonts::Parse(run.out);
        QVERIFY(set && *set->Find("C27  A")->second != FontChar());
    }
}

// FreeType reads a compressed PCF as a stream that only goes forward, so every backward seek
// inflated the file again from its start.
void TestImport::decompressesOnce_data()
{
    QTest::addColumn<QString>("compressor");
    QTest::addColumn<QByteArray>("change");  // what is done to the compressed bytes
    QTest::addColumn<QByteArray>("message"); // empty: imported as the plain PCF
    QTest::newRow("gzip") << "gzip" << QByteArray() << QByteArray();
    QTest::newRow("LZW") << "compress" << QByteArray() << QByteArray();
    QTest::newRow("bzip2") << "bzip2" << QByteArray()
                           << QByteArray("compressed with bzip2, which FreeType cannot read here");
    QTest::newRow("gzip twice") << "gzip" << QByteArray("again") << QByteArray("compressed twice");
    QTest::newRow("gzip cut") << "gzip" << QByteArray("cut")
                              << QByteArray("the gzip data ends too early");
    QTest::newRow("gzip damaged") << "gzip" << QByteArray("damage")
                                  << QByteArray("the gzip data is damaged (");
    QTest::newRow("gzip, then zeros") << "gzip" << QByteArray("pad") << QByteArray();
    QTest::newRow("LZW beyond the limit")
        << "compress" << QByteArray("zeros")
        << QByteArray("decompressed, the font is larger than 268435456 bytes");
    QTest::newRow("gzip beyond the limit")
        << "gzip" << QByteArray("repeat")
        << QByteArray("decompressed, the font is larger than 268435456 bytes");
}

void TestImport::decompressesOnce()
{
    QFETCH(QString, compressor);
    QFETCH(QByteArray, change);
    QFETCH(QByteArray, message);
    const QString program = QStandardPaths::findExecutable(compressor);
    const QString bdftopcf = QStandardPaths::findExecutable(QStringLiteral("bdftopcf"));
    if (program.isEmpty() || bdftopcf.isEmpty())
        QSKIP("needs bdftopcf and the compressing program");
    // Glyphs of 16,384 x 256 pixels, the most that is drawn, for the default names and every
    // other printable Latin-1 character, in the reverse of the order they are loaded, each with
    // one pixel in the grid. bdftopcf fills a short row with blank pixels: a BDF of 150 KB
    // makes a PCF of 100 MB, which compresses to 100 KB and took the importer 22 s of CPU time.
    QList<int> codes;
    QString others;
    for (const auto& entry : FontCharSet())
        codes.append(CharacterMap::Code(entry.first));
    for (int code = 0x21; code <= 0xFF; ++code) {
        if ((code < 0x7F || code >= 0xA0) && !codes.contains(code)) {
            codes.append(code);
            others += QChar(code);
        }
    }
    const QString pcf = _dir.filePath(QStringLiteral("scattered.pcf"));
    if (message.isEmpty() && !QFile::exists(pcf)) {
        QByteArrayList glyphs;
        for (const int code : codes) {
            glyphs.prepend(QByteArray::number(code) + " 16384 256 0 -249 80" +
                           QByteArray(" 00").repeated(255));
        }
        const QString bdf = _dir.filePath(QStringLiteral("scattered.bdf"));
        QVERIFY(TestFiles::Write(bdf, Bdf(1, glyphs)));
        QCOMPARE(Start(bdftopcf, {QStringLiteral("-o"), pcf, bdf}).exitCode, 0);
    }
    // A refusal needs no large font; only the limit needs a large result.
    const QByteArray plain = message.isEmpty()    ? TestFiles::Read(pcf)
                             : change == "repeat" ? QByteArray(1 << 20, '\0')
                                                  : TinyBdf;
    QByteArray bytes = Compressed(program, plain);
    QVERIFY(!bytes.isEmpty());
    if (change == "again")
        bytes = Compressed(program, bytes);
    else if (change == "cut")
        bytes.chop(bytes.size() / 2);
    else if (change == "damage")
        bytes[bytes.size() / 2] = char(~bytes[bytes.size() / 2]);
    else if (change == "repeat") // one MiB of zeros, 257 members of a gzip file one after another
        bytes = bytes.repeated(257);
    else if (change == "pad") // as some tools pad files, which gzip -d reads
        bytes += QByteArray(1000, '\0');
    else if (change == "zeros") // 270 MiB of zeros, made by the shell, not here
        bytes = Start("sh", {"-c", "head -c 283115520 /dev/zero | \"$0\" -c", program}).out;
    const QString compressed = _dir.filePath(QStringLiteral("scattered.compressed"));
    QVERIFY(TestFiles::Write(compressed, bytes));

    const QStringList chars{QStringLiteral("--chars"), others};
    const Run run = Import(QStringList{compressed} + chars, {}, {}, 3);
    if (!message.isEmpty()) {
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.out.isEmpty());
        QVERIFY2(run.err.startsWith("pixmint-import: " + compressed.toUtf8() + ": " + message),
                 run.err.constData());
        QCOMPARE(run.err.count('\n'), 1);
        return;
    }
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.err.isEmpty(), run.err.constData());
    const std::unique_ptr<FontCharSet> font = TestFonts::Parse(run.out);
    QVERIFY(font);
    QCOMPARE(font->Count(), quint32(codes.size()));
    FontChar dot;
    dot.SetPixel(0, 0, true);
    for (const auto& entry : *font)
        QVERIFY2(*entry.second == dot, entry.first.c_str());
    QCOMPARE(Import(QStringList{pcf} + chars).out, run.out);
}

// A glyph made of squares of one pixel at -16,000, 0 and +16,000 pixels: a bitmap of a billion
// pixels, which FreeType rendered and the importer went through for every character.
void TestImport::boundsHugeOutlines()
{
    const QRect origin(0, 0, 2, 2); // one pixel at 8 pixels to the em of 16 units
    QList<int> indexes(0x100 - 0x20, 1);
    indexes['B' - 0x20] = 2; // "B" has a square 20 pixels to the right: counted and dropped
    const QString font = _dir.filePath(QStringLiteral("huge.ttf"));
    QVERIFY(TestFiles::Write(
        font, SfntFont::Outlines({{QRect(-32000, -32000, 2, 2), origin, QRect(31998, 31998, 2, 2)},
                                  {origin, QRect(40, 0, 2, 2)}},
                                 0x20, indexes)));
    // Fitting it to the grid renders it at 11 sizes.
    QCOMPARE(Import({font}, {}, {}, 3).exitCode, 0);
    const Run run = Import({font, "--size", "8", "--baseline", "6"}, {}, {}, 3);
    QVERIFY2(run.exitCode == 0, run.err.constData());
    // The pixel just above the baseline, grid row 6.
    QCOMPARE(run.out, DefaultFont(QByteArray("\x40\0\0\0\0", 5)));
    QByteArrayList lines = run.err.split('\n');
    QCOMPARE(lines.takeLast(), QByteArray());
    QCOMPARE(lines.size(), 86);
    QCOMPARE(lines.count("pixmint-import: " + Dropped("C28  B", 1)), 1);
    QCOMPARE(lines.count("pixmint-import: \"C27  A\": drawn 32000 x 32000 pixels large; only "
                         "its pixels in the 5 x 8 grid kept, those outside not counted"),
             1);
}

// FreeType reads a PCF glyph's bitmap whole, and glyphs may share one: 86 glyphs on one bitmap
// of 128 MB took 37 s. A bitmap beyond the limit is left blank, one at the limit drawn.
void TestImport::limitsBitmapSize()
{
    const QString bdftopcf = QStandardPaths::findExecutable(QStringLiteral("bdftopcf"));
    if (bdftopcf.isEmpty())
        QSKIP("needs bdftopcf");
    const QString bdf = _dir.filePath(QStringLiteral("large.bdf"));
    const QString pcf = _dir.filePath(QStringLiteral("large.pcf"));
    QVERIFY(TestFiles::Write(
        bdf, Bdf(1, {"65 4000 1100 0 -1093 80" + QByteArray(" 00").repeated(1099),
                     "66 4096 1024 0 -1017 80" + QByteArray(" 00").repeated(1023)})));
    QCOMPARE(Start(bdftopcf, {QStringLiteral("-o"), pcf, bdf}).exitCode, 0);
    const Run run = Import({pcf});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out,
             DefaultFont(QByteArray(5, '\0'), {{"C28  B", QByteArray("\x01\0\0\0\0", 5)}}));
    QVERIFY2(run.err.contains("pixmint-import: \"C27  A\": its bitmap of 4000 x 1100 pixels "
                              "holds more than 4194304; left blank\n"),
             run.err.constData());
}

// FreeType allocates every BDF glyph's box as it reads the font: 20,000 glyphs of 2000 x 250
// pixels, 1.4 MB of text, asked for 1.25 GB (a 50 MB file for more memory than the machine
// has). FreeType works within a budget, and such a font is refused.
void TestImport::limitsFreeTypeMemory()
{
    QByteArrayList glyphs;
    for (int code = 0; code < 20000; ++code)
        glyphs << QByteArray::number(code) + " 2000 250 0 -1";
    const QString bdf = _dir.filePath(QStringLiteral("boxes.bdf"));
    QVERIFY(TestFiles::Write(bdf, Bdf(1, glyphs)));
    const Run run = Import({bdf}, {}, {}, 10);
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.out.isEmpty());
    QCOMPARE(run.err, "pixmint-import: " + bdf.toUtf8() +
                          ": reading the font takes FreeType more than 1024 MiB of memory; "
                          "refused\n");
}

// Of two bitmap strikes as near to the size asked for, the lower is taken.
void TestImport::choosesStrike_data()
{
    QTest::addColumn<QList<int>>("heights"); // in the font's order
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("height"); // of the strike taken
    QTest::newRow("9 and 7, default 8") << QList<int>{9, 7} << QStringList() << 7;
    QTest::newRow("7 and 9, default 8") << QList<int>{7, 9} << QStringList() << 7;
    QTest::newRow("9 and 7, size 9") << QList<int>{9, 7} << QStringList{"--size", "9"} << 9;
    QTest::newRow("7 and 9, size 12") << QList<int>{7, 9} << QStringList{"--size", "12"} << 9;
    QTest::newRow("11, 9 and 7, size 10")
        << QList<int>{11, 9, 7} << QStringList{"--size", "10"} << 9;
}

void TestImport::choosesStrike()
{
    QFETCH(QList<int>, heights);
    QFETCH(QStringList, arguments);
    QFETCH(int, height);
    // Each strike's "A" is one pixel just above the baseline, in column (height - 5) / 2.
    QList<SfntFont::Strike> strikes;
    for (const int each : heights)
        strikes.append({each - 2, 2, (each - 5) / 2});
    const QString font = _dir.filePath(QStringLiteral("strikes.ttf"));
    QVERIFY(TestFiles::Write(font, SfntFont::Strikes(strikes, 'A')));
    const Run run =
        Import(QStringList{font, QStringLiteral("--baseline"), QStringLiteral("7")} + arguments);
    QVERIFY2(run.exitCode == 0, run.err.constData());
    QByteArray columns(5, '\0');
    columns[(height - 5) / 2] = char(0x80);
    QCOMPARE(run.out, DefaultFont(QByteArray(5, '\0'), {{"C27  A", columns}}));
    QCOMPARE(run.err.count('\n'), 85); // the characters it lacks; a bitmap font is not fitted
}

// What pixmint-export writes, gcc compiles, and pixmint-import reads back: the same glyphs
// and names, or from a table of codes the glyphs of its codes, the layout and the first code
// given or read from the table's comment.
void TestImport::tablesComeBack_data()
{
    QTest::addColumn<QStringList>("exportOptions");
    QTest::addColumn<QStringList>("importOptions");
    QTest::newRow("editor's export") << QStringList() << QStringList();
    const QString range = QStringLiteral("--range=0x3e-0x52");
    for (const QString& layout : CArray::LayoutNames()) {
        const QString option = QStringLiteral("--layout=") + layout;
        QTest::addRow("%s", qPrintable(layout)) << QStringList{option} << QStringList{option};
        QTest::addRow("%s, layout read", qPrintable(layout))
            << QStringList{option, "--const"} << QStringList();
        QTest::addRow("%s, range", qPrintable(layout))
            << QStringList{option, range} << QStringList{option, "--first", "62"};
        QTest::addRow("%s, range read", qPrintable(layout))
            << QStringList{option, range} << QStringList();
        // A subset keeps the glyphs of its characters under their names.
        QTest::addRow("%s, chars read", qPrintable(layout))
            << QStringList{option, QStringLiteral("--chars=Q\u00e9A?Q")} << QStringList();
        QTest::addRow("%s, pictures", qPrintable(layout))
            << QStringList{option, "--art"} << QStringList();
        QTest::addRow("%s, range, pictures", qPrintable(layout))
            << QStringList{option, range, "--art"} << QStringList();
    }
}

void TestImport::tablesComeBack()
{
    QFETCH(QStringList, exportOptions);
    QFETCH(QStringList, importOptions);
    const std::unique_ptr<FontCharSet> font =
        TestFonts::Make({{"C27  A", {0x7c, 0x12, 0x11, 0x12, 0x7c}},
                         {"x  A", {0x80}},
                         {"logo", {1, 2, 3, 4, 5}},
                         {"*/ end  Q", {0x3e, 0x41, 0x51, 0x21, 0x5e}},
                         {"tab\t\\n\\\\  B", {0xff, 0, 0xff}},
                         {"U+00E9  \xE9", {0x38, 0x54, 0x56, 0x55, 0x18}},
                         {"a\\x41b", {1}},
                         {"a\\u0041b", {2}},
                         {"a\\U00000041b", {3}},
                         {"a\\101b", {4}}});
    const QString xml = _dir.filePath(QStringLiteral("table.xml"));
    const QString source = _dir.filePath(QStringLiteral("table.c"));
    QVERIFY(TestFiles::Write(xml, FontFileWriter::Bytes(*font)));
    QCOMPARE(Start(PIXMINT_EXPORT, QStringList{xml, "-o", source} + exportOptions).exitCode, 0);
    const Run compiled = Start("gcc", {"-c", "-Wall", "-Werror", source, "-o", source + ".o"});
    QVERIFY2(compiled.exitCode == 0, compiled.err.constData());
    const Run run = Import(QStringList{source} + importOptions);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QByteArray());
    const std::unique_ptr<FontCharSet> back = TestFonts::Parse(run.out);
    QVERIFY(back);
    const QString chars = exportOptions.filter(QStringLiteral("--chars=")).join(QString()).mid(8);
    if (!exportOptions.contains(QStringLiteral("--range=0x3e-0x52")) && chars.isEmpty()) {
        QCOMPARE(run.out, FontFileWriter::Bytes(*font));
        return;
    }
    const CharacterMap map(*font);
    FontCharSet expected;
    expected.Clear();
    for (int code = 0; code < CharacterMap::CodeCount; ++code) {
        const bool asked =
            chars.isEmpty() ? code >= 0x3e && code <= 0x52 : chars.contains(QChar(code));
        if (asked && map.GlyphIndex(code) != CharacterMap::NoGlyph)
            expected.At(map.Name(map.GlyphIndex(code))) =
                new FontChar(map.Glyph(map.GlyphIndex(code)));
    }
    QCOMPARE(run.out, FontFileWriter::Bytes(expected));
}

// A table that display libraries ship: 256 glyphs of five column bytes, flat, with a comment
// on each line; glyph c stands for the code c.
void TestImport::importsClassicTable()
{
    QByteArray source = "#ifndef PROGMEM\n#define PROGMEM\n#endif\n"
                        "static const unsigned char font[] PROGMEM = {\n";
    QByteArray bytes;
    for (int code = 0; code < 256; ++code) {
        for (int column = 0; column < 5; ++column) {
            bytes += char((code * 7 + column * 31) & 0xFF);
            source += "0x" + QByteArray::number(quint8(bytes.back()), 16).toUpper() + ", ";
        }
        source += "// " + QByteArray::number(code) + '\n';
    }
    source += "};\nconst unsigned char* font_data(void) { return font; }\n";
    const QString path = _dir.filePath(QStringLiteral("glcdfont.c"));
    QVERIFY(TestFiles::Write(path, source));
    QCOMPARE(Start("gcc", {"-c", "-Wall", "-Werror", path, "-o", path + ".o"}).exitCode, 0);
    const Run run = Import({path, "--layout", "columns"});
    QCOMPARE(run.exitCode, 0);
    const std::unique_ptr<FontCharSet> font = TestFonts::Parse(run.out);
    QVERIFY(font);
    QCOMPARE(font->Count(), 256u);
    const CharacterMap map(*font);
    for (int code = 0; code < 256; ++code) {
        for (quint32 column = 0; column < 5; ++column)
            QCOMPARE(map.Glyph(map.GlyphIndex(code)).GetColumn(column),
                     quint8(bytes[code * 5 + column]));
    }
    QCOMPARE(map.Name(map.GlyphIndex('A')), "C27  A");
    QCOMPARE(map.Glyph(map.GlyphIndex('A')).GetColumn(0), quint8(bytes[325]));
}

void TestImport::picturesComeBack_data()
{
    QTest::addColumn<int>("scale");
    QTest::addColumn<int>("type"); // -1: as pixmint-export writes it
    QTest::addColumn<int>("depth");
    QTest::addColumn<bool>("interlaced");
    QTest::addColumn<int>("lit");
    QTest::addColumn<int>("unlit");
    QTest::newRow("exported") << 1 << -1 << 8 << false << 0 << 255;
    QTest::newRow("exported, scale 3") << 3 << -1 << 8 << false << 0 << 255;
    QTest::newRow("palette") << 1 << PNG_COLOR_TYPE_PALETTE << 8 << false << 0 << 255;
    QTest::newRow("gray and alpha") << 1 << PNG_COLOR_TYPE_GA << 8 << false << 0 << 255;
    QTest::newRow("16-bit RGB") << 2 << PNG_COLOR_TYPE_RGB << 16 << false << 0 << 255;
    QTest::newRow("interlaced") << 3 << PNG_COLOR_TYPE_GRAY << 8 << true << 0 << 255;
    QTest::newRow("greys either side of half")
        << 1 << PNG_COLOR_TYPE_GRAY << 8 << false << 127 << 128;
}

void TestImport::picturesComeBack()
{
    QFETCH(int, scale);
    QFETCH(int, type);
    QFETCH(int, depth);
    QFETCH(bool, interlaced);
    QFETCH(int, lit);
    QFETCH(int, unlit);
    const std::unique_ptr<FontCharSet> font = EveryCode();
    const QString xml = _dir.filePath(QStringLiteral("codes.xml"));
    const QString sheet = _dir.filePath(QStringLiteral("sheet.png"));
    QVERIFY(TestFiles::Write(xml, FontFileWriter::Bytes(*font)));
    QCOMPARE(
        Start(PIXMINT_EXPORT, {xml, "--png", sheet, "--grid", "--scale", QString::number(scale)})
            .exitCode,
        0);
    int width = 0;
    const std::vector<png_byte> levels = Levels(TestFiles::Read(sheet), width);
    QCOMPARE(width, 96 * scale);
    if (type >= 0)
        QVERIFY(TestFiles::Write(sheet, Png(levels, width, type, depth, interlaced, lit, unlit)));
    const Run run = Import({sheet, "--codes", "0-255"});
    QCOMPARE(run.err, QByteArray());
    QCOMPARE(run.out, FontFileWriter::Bytes(*font));
}

QTEST_GUILESS_MAIN(TestImport)
#include "tst_import.moc"
