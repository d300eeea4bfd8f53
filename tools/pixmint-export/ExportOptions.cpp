#include "ExportOptions.h"

#include "FontChar.h"
#include "GlyphSheet.h"
#include "Message.h"

#include <QCommandLineParser>

ExportOptions::ExportOptions(QCommandLineParser& parser)
    : _outputOption({QStringLiteral("o"), QStringLiteral("output")},
                    QStringLiteral("Write the C/C++ source to <file>, replacing it as a whole, "
                                   "instead of to standard output."),
                    QStringLiteral("file")),
      _layoutOption(QStringLiteral("layout"),
                    QStringLiteral("Bytes of a glyph: columns (the editor's: 5 bytes, bit 0 = top "
                                   "row), columns-msb (bit 7 = top row), rows (8 bytes, top row "
                                   "first, bit 4 = left column) or rows-msb (bit 7 = left "
                                   "column)."),
                    QStringLiteral("name")),
      _nameOption(QStringLiteral("name"),
                  Message::Text(u"Name of the array and of the GFX font, a C identifier (default "
                                u"PIXMINT_xxxx); also the TrueType font's name (default %1).",
                                {QString::fromLatin1(TrueTypeWriter::DefaultName)}),
                  QStringLiteral("ident")),
      _constOption(QStringLiteral("const"),
                   QStringLiteral("Make the array const, usable from other files in C and C++.")),
      _progmemOption(QStringLiteral("progmem"),
                     QStringLiteral("Make the array const and put it in AVR program memory "
                                    "(PROGMEM); other compilers take it as a const array.")),
      _headerOption(QStringLiteral("header"),
                    QStringLiteral("Also write a header for C and C++ to <file>: the array, its "
                                   "sizes and the character map NAME_map, which the source then "
                                   "defines."),
                    QStringLiteral("file")),
      _rangeOption(QStringLiteral("range"),
                   QStringLiteral("Make the array a table with a row for each code from FIRST to "
                                  "LAST (0 to 255, decimal or 0x hexadecimal), zero bytes where "
                                  "the font has no glyph, instead of the glyphs and a map; "
                                  "also the codes of the GFX font (default 32-126)."),
                   QStringLiteral("first-last")),
      _checkOption(QStringLiteral("check"),
                   QStringLiteral("Report every problem in the font file, one line each with its "
                                  "line number, and write nothing. Exit status 1 when there are "
                                  "problems.")),
      _pngOption(QStringLiteral("png"),
                 QStringLiteral("Draw every glyph, in font order, on a labelled specimen sheet in "
                                "<file> (PNG). The C/C++ source then goes only where -o says."),
                 QStringLiteral("file")),
      _textOption(QStringLiteral("text"),
                  QStringLiteral("With --png, draw <string> as the display shows it instead of "
                                 "the specimen sheet: one glyph a character, by the character "
                                 "map; a line feed starts a new line."),
                  QStringLiteral("string")),
      _scaleOption(QStringLiteral("scale"),
                   QStringLiteral("Size of one glyph pixel in the image, 1 to 64 (default 4)."),
                   QStringLiteral("n"), QStringLiteral("4")),
      _bdfOption(QStringLiteral("bdf"),
                 QStringLiteral("Write the font as BDF 2.1, the interchange format of bitmap "
                                "fonts, to <file>. The C/C++ source then goes only where -o "
                                "says."),
                 QStringLiteral("file")),
      _baselineOption(QStringLiteral("baseline"),
                      Message::Text(u"With --bdf, --gfx or --ttf, the grid row just above the "
                                    u"baseline, 0 (top) to 7; default %1, so that the font "
                                    u"ascends 7 pixels and descends 1.",
                                    {BdfWriter::DefaultBaseline}),
                      QStringLiteral("row")),
      _gfxOption(QStringLiteral("gfx"),
                 QStringLiteral("Write the font as a C++ header in the Adafruit GFX custom-font "
                                "form to <file>, for display.setFont(&NAME): the codes of --range "
                                "(default 32-126), the cursor's y on the baseline. The C/C++ "
                                "source then goes only where -o says."),
                 QStringLiteral("file")),
      _gfxStandaloneOption(QStringLiteral("gfx-standalone"),
                           QStringLiteral("With --gfx, declare the library's GFXglyph and GFXfont "
                                          "in the header instead of including <Adafruit_GFX.h>.")),
      _trueTypeOption(QStringLiteral("ttf"),
                      Message::Text(u"Write the font as TrueType to <file>: each pixel a square, "
                                    u"exact at 8 pixels per em, named by --name (default %1). "
                                    u"Its dates are SOURCE_DATE_EPOCH, or else 1970-01-01. The "
                                    u"C/C++ source then goes only where -o says.",
                                    {QString::fromLatin1(TrueTypeWriter::DefaultName)}),
                      QStringLiteral("file")),
      _gfx(QLatin1String(CArray::EditorName), GfxWriter::DefaultRange(), BdfWriter::DefaultBaseline,
           false)
{
    parser.addPositionalArgument(QStringLiteral("FONT.xml"),
                                 QStringLiteral("The font file to read, as the editor saves it."));
    parser.addOptions({_outputOption, _layoutOption, _nameOption, _constOption, _progmemOption,
                       _headerOption, _rangeOption, _checkOption, _pngOption, _textOption,
                       _scaleOption, _bdfOption, _baselineOption, _gfxOption, _gfxStandaloneOption,
                       _trueTypeOption});
}

bool ExportOptions::Read(const QCommandLineParser& parser)
{
    if (parser.isSet(_checkOption)) {
        for (const QString& name : parser.optionNames()) {
            if (name != QLatin1String("check"))
                return Fail(QStringLiteral("--check writes nothing: it takes no other option"));
        }
        _check = true;
        return true;
    }

    if (!ReadNumber(parser, _scaleOption, GlyphSheet::MinScale, GlyphSheet::MaxScale, _scale))
        return false;
    if (!ReadWriter(parser))
        return false;
    for (const QCommandLineOption& option :
         {_outputOption, _headerOption, _pngOption, _bdfOption, _gfxOption, _trueTypeOption}) {
        if (parser.isSet(option) && parser.value(option).isEmpty())
            return Fail(QStringLiteral("--") + option.names().last() +
                        QStringLiteral(": expected a file name"));
    }
    _outputPath = parser.value(_outputOption);
    _headerPath = parser.value(_headerOption);
    _pngPath = parser.value(_pngOption);
    _bdfPath = parser.value(_bdfOption);
    _gfxPath = parser.value(_gfxOption);
    _trueTypePath = parser.value(_trueTypeOption);
    _text = parser.value(_textOption);
    if (parser.isSet(_textOption) && !parser.isSet(_pngOption))
        return Fail(QStringLiteral("--text draws into an image: give its file with --png"));
    if (parser.isSet(_textOption) && _text.isEmpty())
        return Fail(QStringLiteral("--text is empty: there is nothing to draw"));
    return ReadFonts(parser);
}

// The fonts for other programs: BDF, GFX and TrueType.
bool ExportOptions::ReadFonts(const QCommandLineParser& parser)
{
    const bool gfx = parser.isSet(_gfxOption);
    const bool trueType = parser.isSet(_trueTypeOption);
    if (parser.isSet(_baselineOption) && !parser.isSet(_bdfOption) && !gfx && !trueType)
        return Fail(QStringLiteral("--baseline places the glyphs of a BDF, GFX or TrueType font: "
                                   "give its file with --bdf, --gfx or --ttf"));
    if (parser.isSet(_gfxStandaloneOption) && !gfx)
        return Fail(QStringLiteral("--gfx-standalone shapes the GFX header: give its file with "
                                   "--gfx"));
    int baseline = BdfWriter::DefaultBaseline;
    if (!ReadNumber(parser, _baselineOption, 0, int(FontChar::RowCount) - 1, baseline))
        return false;
    _bdf = BdfWriter(baseline);
    const QString name = parser.value(_nameOption);
    if (gfx && !CheckName(parser, GfxWriter::IsValidName))
        return false;
    _gfx = GfxWriter(parser.isSet(_nameOption) ? name : QLatin1String(CArray::EditorName),
                     _range.value_or(GfxWriter::DefaultRange()), baseline,
                     parser.isSet(_gfxStandaloneOption));
    if (trueType && !CheckName(parser, TrueTypeWriter::IsValidName))
        return false;
    qint64 time = 0;
    if (trueType && !ReadSourceDate(time))
        return false;
    _trueType = TrueTypeWriter(
        parser.isSet(_nameOption) ? name : QLatin1String(TrueTypeWriter::DefaultName), baseline,
        time);
    return true;
}

// --name, where it is given, by the rule of an output for its names.
bool ExportOptions::CheckName(const QCommandLineParser& parser,
                              bool (*isValid)(const QString& name, QString* reason))
{
    const QString name = parser.value(_nameOption);
    QString reason;
    if (!parser.isSet(_nameOption) || isValid(name, &reason))
        return true;
    return Fail(Message::Text(u"--name %1: %2", {name, reason}));
}

// Reproducible builds give the time of their sources; a value that is no such time is a
// mistake to report, not a reason to read the clock.
bool ExportOptions::ReadSourceDate(qint64& time)
{
    const QString epoch = qEnvironmentVariable("SOURCE_DATE_EPOCH");
    if (epoch.isEmpty())
        return true;
    if (ToNumber(epoch, 0, TrueTypeWriter::MaxTime, time))
        return true;
    return Fail(Message::Text(u"SOURCE_DATE_EPOCH %1: expected the seconds since 1970 in decimal "
                              u"digits, at most %2",
                              {epoch, TrueTypeWriter::MaxTime}));
}

// Any of the options of the firmware source, even given with the value that the editor's
// export has, asks for that source.
bool ExportOptions::ReadWriter(const QCommandLineParser& parser)
{
    std::optional<CArray::Layout> layout;
    if (!ReadLayout(parser, _layoutOption, layout))
        return false;
    if (!CheckName(parser, CArray::IsValidName))
        return false;
    const QString name =
        parser.isSet(_nameOption) ? parser.value(_nameOption) : QLatin1String(CArray::EditorName);
    // --progmem is const as well: both together are refused, as pixmint_add_font refuses
    // CONST PROGMEM, rather than one silently taken for the other.
    if (parser.isSet(_progmemOption) && parser.isSet(_constOption))
        return Fail(QStringLiteral("give --const or --progmem, not both (--progmem makes the "
                                   "array const as well)"));
    CArray::Storage storage = CArray::Storage::Plain;
    if (parser.isSet(_progmemOption))
        storage = CArray::Storage::Progmem;
    else if (parser.isSet(_constOption))
        storage = CArray::Storage::Const;
    // Given once at most, as every option that is not joined.
    std::vector<CodeRange> ranges;
    if (!ReadRanges(parser, _rangeOption, ranges))
        return false;
    if (!ranges.empty())
        _range = ranges.front();
    const bool header = parser.isSet(_headerOption);
    const bool firmware = header || layout || parser.isSet(_nameOption) ||
                          storage != CArray::Storage::Plain || _range;
    if (firmware) {
        _writer = CSourceWriter(CArray(layout.value_or(CArray::Layout::Columns), name, storage),
                                header, _range);
    }
    return true;
}
