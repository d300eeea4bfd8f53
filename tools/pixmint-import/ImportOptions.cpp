#include "ImportOptions.h"

#include "ImportSources.h"
#include "Message.h"

#include <QCommandLineParser>

#include <set>

namespace {

QString SizeHelp()
{
    return Message::Text(u"Bitmap fonts: the strike nearest to <px> pixels high (default "
                         u"%1). Outline fonts: rendered at <px> pixels (default: of %4 to %5, "
                         u"the size that loses the fewest pixels to the grid). %2 to %3.",
                         {FontImport::DefaultSize, FontImport::MinSize, FontImport::MaxSize,
                          FontImport::MinFitSize, FontImport::MaxFitSize});
}

QString CodesHelp()
{
    return Message::Text(u"Also import a glyph for each code of <range> that the font "
                         u"has, named \"U+XXXX  label\" unless a default name already "
                         u"stands for it; of a C table, import only these codes; of a picture, the "
                         u"codes of its cells in order. %1. "
                         u"Given more than once, the ranges add up.",
                         {CodeRange::Syntax()});
}

} // namespace

ImportOptions::ImportOptions(QCommandLineParser& parser)
    : _outputOption({QStringLiteral("o"), QStringLiteral("output")},
                    QStringLiteral("Write the font file to <FONT.xml>, replacing it as a "
                                   "whole, instead of to standard output."),
                    QStringLiteral("FONT.xml")),
      _sizeOption(QStringLiteral("size"), SizeHelp(), QStringLiteral("px")),
      _baselineOption(QStringLiteral("baseline"),
                      QStringLiteral("The grid row just above the baseline, 0 (top) to 7; "
                                     "default: outline fonts the row that loses the fewest "
                                     "pixels, bitmap fonts the ascent minus 1, at most 7."),
                      QStringLiteral("row")),
      _charsOption(
          QStringLiteral("chars"),
          QStringLiteral("Also import these Latin-1 characters, each as a glyph named "
                         "\"U+XXXX  c\" unless a default name already stands for it; of a picture, "
                         "the characters of its cells in order. "
                         "Given more than once, the texts are joined."),
          QStringLiteral("text")),
      _codesOption(QStringLiteral("codes"), CodesHelp(), QStringLiteral("range")),
      _layoutOption(QStringLiteral("layout"),
                    Message::Text(u"The font is a table of glyphs in C or C++ source whose bytes "
                                  u"are as pixmint-export --layout writes them: %1. Not needed "
                                  u"for a table that Pixmint wrote.",
                                  {CArray::LayoutNames().join(QStringLiteral(", "))}),
                    QStringLiteral("layout")),
      _firstOption(QStringLiteral("first"),
                   QStringLiteral("C table: the code of its first glyph, 0 to 255; default 0, or "
                                  "the first code of a table that Pixmint wrote."),
                   QStringLiteral("code")),
      _arrayOption(QStringLiteral("array"),
                   QStringLiteral("C table: read the array of this name, not the first one "
                                  "defined."),
                   QStringLiteral("name")),
      _cellOption(QStringLiteral("cell"),
                  QStringLiteral("Picture: the pitch of its cells in glyph pixels, each at least "
                                 "5x8 (default 6x9, as pixmint-export --grid draws them)."),
                  QStringLiteral("WxH")),
      _scaleOption(QStringLiteral("scale"),
                   QStringLiteral("Picture: the pixels a side of one glyph pixel, 1 to 64; "
                                  "default found from its width, 16 cells a row."),
                   QStringLiteral("n"))
{
    parser.addPositionalArgument(QStringLiteral("OTHER-FONT"), ImportSources::Description());
    parser.addOptions({_outputOption, _sizeOption, _baselineOption, _charsOption, _codesOption,
                       _layoutOption, _firstOption, _arrayOption, _cellOption, _scaleOption});
}

Status ImportOptions::Read(const QCommandLineParser& parser)
{
    Status read =
        ReadNumber(parser, _sizeOption, FontImport::MinSize, FontImport::MaxSize, _import.size);
    if (read)
        read =
            ReadNumber(parser, _baselineOption, 0, int(FontChar::RowCount) - 1, _import.baseline);
    _toStandardOutput = !parser.isSet(_outputOption);
    _outputPath = parser.value(_outputOption);
    if (read)
        read = ReadRanges(parser, _codesOption, _import.codes);
    if (read)
        read = ReadSource(parser);
    if (read)
        read = ReadCharacters(parser, _charsOption, _characterCodes);
    return read ? ReadPicture(parser) : read;
}

// A picture's cells stand for the codes of --codes, in order, or the characters of --chars;
// a code given twice takes its first cell.
Status ImportOptions::ReadPicture(const QCommandLineParser& parser)
{
    if (!_source->cells)
        return Status();
    if (parser.isSet(_codesOption) == parser.isSet(_charsOption))
        return Fail(QStringLiteral("a picture needs the codes of its cells: give --codes or "
                                   "--chars, one of them"));
    std::vector<int> codes;
    for (const CodeRange& range : _import.codes) {
        for (int code = range.First(); code <= range.Last(); ++code)
            codes.push_back(code);
    }
    codes.insert(codes.end(), _characterCodes.begin(), _characterCodes.end());
    std::set<int> seen;
    for (const int code : codes) {
        if (seen.insert(code).second)
            _pictureCodes.push_back(code);
    }
    const Status scale = ReadNumber(parser, _scaleOption, 1, 64, _picture.scale);
    return scale ? ReadCell(parser) : scale;
}

Status ImportOptions::ReadCell(const QCommandLineParser& parser)
{
    if (!parser.isSet(_cellOption))
        return Status();
    const QString value = parser.value(_cellOption);
    const QStringList sides = value.split(u'x');
    qint64 width = 0;
    qint64 height = 0;
    if (sides.size() != 2 || !ToNumber(sides[0], FontChar::ColumnCount, 64, width) ||
        !ToNumber(sides[1], FontChar::RowCount, 64, height))
        return Fail(Message::Text(u"--cell %1: expected WIDTHxHEIGHT, at least 5x8 and at most "
                                  u"64x64",
                                  {value}));
    _picture.cellWidth = int(width);
    _picture.cellHeight = int(height);
    return Status();
}

bool ImportOptions::Accumulates(const QString& name) const
{
    return _charsOption.names().contains(name) || _codesOption.names().contains(name);
}

// The kind of font read, and the options of the others refused with it.
Status ImportOptions::ReadSource(const QCommandLineParser& parser)
{
    const QStringList positional = parser.positionalArguments();
    _source = &ImportSources::Choose(parser, positional.isEmpty() ? QString() : positional[0]);
    for (const ImportSources::Source& other : ImportSources::All()) {
        for (const QString& option : other.options) {
            if (&other == _source || _source->shared.contains(option) || !parser.isSet(option))
                continue;
            return Fail(QStringLiteral("--") + option +
                        (_source->refusal.isEmpty()
                             ? QStringLiteral(" is for ") + other.what +
                                   QStringLiteral(", not for ") + _source->what
                             : _source->refusal));
        }
    }
    // Given only where the table is read.
    if (Status read = ReadLayout(parser, _layoutOption, _table.layout); !read)
        return read;
    if (Status read = ReadNumber(parser, _firstOption, 0, CodeRange::MaxCode, _table.first); !read)
        return read;
    _table.arrayName = parser.value(_arrayOption).toUtf8();
    _table.codes = _import.codes;
    return Status();
}
