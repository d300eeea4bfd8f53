#include "ImportOptions.h"

#include "ImportSources.h"
#include "Message.h"

#include <QCommandLineParser>

ImportOptions::ImportOptions(QCommandLineParser& parser)
    : _outputOption({QStringLiteral("o"), QStringLiteral("output")},
                    QStringLiteral("Write the font file to <FONT.xml>, replacing it as a "
                                   "whole, instead of to standard output."),
                    QStringLiteral("FONT.xml")),
      _sizeOption(
          QStringLiteral("size"),
          Message::Text(u"Bitmap fonts: the strike nearest to <px> pixels high (default "
                        u"%1). Outline fonts: rendered at <px> pixels (default: of %4 to %5, "
                        u"the size that loses the fewest pixels to the grid). %2 to %3.",
                        {FontImport::DefaultSize, FontImport::MinSize, FontImport::MaxSize,
                         FontImport::MinFitSize, FontImport::MaxFitSize}),
          QStringLiteral("px")),
      _baselineOption(QStringLiteral("baseline"),
                      QStringLiteral("The grid row just above the baseline, 0 (top) to 7; "
                                     "default: outline fonts the row that loses the fewest "
                                     "pixels, bitmap fonts the ascent minus 1, at most 7."),
                      QStringLiteral("row")),
      _charsOption(QStringLiteral("chars"),
                   QStringLiteral("Also import these Latin-1 characters, each as a glyph named "
                                  "\"U+XXXX  c\" unless a default name already stands for it. "
                                  "Given more than once, the texts are joined."),
                   QStringLiteral("text")),
      _codesOption(QStringLiteral("codes"),
                   Message::Text(u"Also import a glyph for each code of <range> that the font "
                                 u"has, named \"U+XXXX  label\" unless a default name already "
                                 u"stands for it; of a C table, import only these codes. %1. "
                                 u"Given more than once, the ranges add up.",
                                 {CodeRange::Syntax()}),
                   QStringLiteral("range")),
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
                   QStringLiteral("name"))
{
    parser.addPositionalArgument(QStringLiteral("OTHER-FONT"), ImportSources::Description());
    parser.addOptions({_outputOption, _sizeOption, _baselineOption, _charsOption, _codesOption,
                       _layoutOption, _firstOption, _arrayOption});
}

bool ImportOptions::Read(const QCommandLineParser& parser)
{
    if (!ReadNumber(parser, _sizeOption, FontImport::MinSize, FontImport::MaxSize, _import.size))
        return false;
    if (!ReadNumber(parser, _baselineOption, 0, int(FontChar::RowCount) - 1, _import.baseline))
        return false;
    _toStandardOutput = !parser.isSet(_outputOption);
    _outputPath = parser.value(_outputOption);
    return ReadRanges(parser, _codesOption, _import.codes) && ReadSource(parser) &&
           ReadCharacters(parser, _charsOption, _characterCodes);
}

bool ImportOptions::Accumulates(const QString& name) const
{
    return _charsOption.names().contains(name) || _codesOption.names().contains(name);
}

// The kind of font read, and the options of the others refused with it.
bool ImportOptions::ReadSource(const QCommandLineParser& parser)
{
    const QStringList positional = parser.positionalArguments();
    _source = &ImportSources::Choose(parser, positional.isEmpty() ? QString() : positional[0]);
    for (const ImportSources::Source& other : ImportSources::All()) {
        for (const QString& option : other.options) {
            if (&other != _source && parser.isSet(option)) {
                return Fail(QStringLiteral("--") + option + QStringLiteral(" is for ") +
                            other.what + QStringLiteral(", not for ") + _source->what);
            }
        }
    }
    // Given only where the table is read.
    if (!ReadLayout(parser, _layoutOption, _table.layout))
        return false;
    if (!ReadNumber(parser, _firstOption, 0, CodeRange::MaxCode, _table.first))
        return false;
    _table.arrayName = parser.value(_arrayOption).toUtf8();
    _table.codes = _import.codes;
    return true;
}
