#include "ImportOptions.h"

#include <QCommandLineParser>
#include <QRegularExpression>

ImportOptions::ImportOptions(QCommandLineParser& parser)
    : _outputOption({QStringLiteral("o"), QStringLiteral("output")},
                    QStringLiteral("Write the font file to <file>, replacing it as a whole, "
                                   "instead of to standard output."),
                    QStringLiteral("file")),
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
                                  "\"U+XXXX  c\" unless a default name already stands for it."),
                   QStringLiteral("text"))
{
    parser.addPositionalArgument(QStringLiteral("font"), QStringLiteral("The font to read."),
                                 QStringLiteral("FONTFILE"));
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

// A whole number in decimal digits only, from minimum to maximum; value stays as it is when
// the option is not given.
bool ImportOptions::ReadNumber(const QCommandLineParser& parser, const QCommandLineOption& option,
                               int minimum, int maximum, int& value)
{
    if (!parser.isSet(option))
        return true;
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,9}$"));
    const QString text = parser.value(option);
    if (digits.match(text).hasMatch()) {
        const int number = text.toInt();
        if (number >= minimum && number <= maximum) {
            value = number;
            return true;
        }
    }
    return Fail(QStringLiteral("--%1 %2: expected a whole number from %3 to %4")
                    .arg(option.names().constFirst(), text)
                    .arg(minimum)
                    .arg(maximum));
}
