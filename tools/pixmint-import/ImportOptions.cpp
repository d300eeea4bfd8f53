#include "ImportOptions.h"

#include <QCommandLineParser>

ImportOptions::ImportOptions(QCommandLineParser& parser)
    : _outputOption({QStringLiteral("o"), QStringLiteral("output")},
                    QStringLiteral("Write the font file to <FONT.xml>, replacing it as a "
                                   "whole, instead of to standard output."),
                    QStringLiteral("FONT.xml")),
      _sizeOption(QStringLiteral("size"),
                  QStringLiteral("Bitmap fonts: the strike nearest to <px> pixels high (default "
                                 "%1). Outline fonts: rendered at <px> pixels (default %1). %2 "
                                 "to %3.")
                      .arg(FontImport::DefaultSize)
                      .arg(FontImport::MinSize)
                      .arg(FontImport::MaxSize),
                  QStringLiteral("px")),
      _baselineOption(QStringLiteral("baseline"),
                      QStringLiteral("The grid row just above the baseline, 0 (top) to 7; "
                                     "default the font's ascent in pixels minus 1, at most 7."),
                      QStringLiteral("row")),
      _charsOption(QStringLiteral("chars"),
                   QStringLiteral("Also import these Latin-1 characters, each as a glyph named "
                                  "\"U+XXXX  c\" unless a default name already stands for it. "
                                  "Given more than once, the texts are joined."),
                   QStringLiteral("text"))
{
    parser.addPositionalArgument(
        QStringLiteral("OTHER-FONT"),
        QStringLiteral("The font to start from, in another format than Pixmint's: BDF, PCF "
                       "(also .pcf.gz), TrueType or OpenType, whatever FreeType reads."));
    parser.addOptions({_outputOption, _sizeOption, _baselineOption, _charsOption});
}

bool ImportOptions::Read(const QCommandLineParser& parser)
{
    if (!ReadNumber(parser, _sizeOption, FontImport::MinSize, FontImport::MaxSize, _import.size))
        return false;
    if (!ReadNumber(parser, _baselineOption, 0, int(FontChar::RowCount) - 1, _import.baseline))
        return false;
    _toStandardOutput = !parser.isSet(_outputOption);
    _outputPath = parser.value(_outputOption);
    _characters = parser.values(_charsOption).join(QString());
    return true;
}

bool ImportOptions::Accumulates(const QString& name) const
{
    return _charsOption.names().contains(name);
}
