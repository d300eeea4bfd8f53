// pixmint-import: a Pixmint font file from a font that already exists (BDF, PCF, TrueType,
// OpenType), for the editor to open and refine.
#include "FileWriter.h"
#include "FontFile.h"
#include "FontImport.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>

#include <cstdio>

namespace {

enum ExitStatus { Success = 0, Failure = 2 };

// Every message is one line, whatever a path or a font holds.
void Say(const QString& message)
{
    std::fprintf(stderr, "pixmint-import: %s\n",
                 FontCharSet::VisibleText(message).toLocal8Bit().constData());
}

int Fail(const QString& message)
{
    Say(message);
    return Failure;
}

// A whole number in decimal digits only, from minimum to maximum.
bool ParseNumber(const QString& text, int minimum, int maximum, int& value)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,9}$"));
    if (!digits.match(text).hasMatch())
        return false;
    value = text.toInt();
    return value >= minimum && value <= maximum;
}

QString RangeError(const QString& option, const QString& value, int minimum, int maximum)
{
    return QStringLiteral("%1 %2: expected a whole number from %3 to %4")
        .arg(option, value)
        .arg(minimum)
        .arg(maximum);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("pixmint-import"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PIXMINT_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Writes a Pixmint font file with the glyphs of an existing font (BDF, PCF, TrueType, "
        "OpenType: whatever FreeType reads), byte for byte as the editor's \"Save font\" "
        "would. Glyphs that lose pixels to the 5 x 8 grid, and characters the font lacks, "
        "are named on standard error."));
    // Not addHelpOption(): it also offers --help-all, which fails in a program without a GUI.
    const QCommandLineOption helpOption({QStringLiteral("h"), QStringLiteral("help")},
                                        QStringLiteral("Display this help and exit."));
    const QCommandLineOption versionOption({QStringLiteral("v"), QStringLiteral("version")},
                                           QStringLiteral("Display the version and exit."));
    parser.addPositionalArgument(QStringLiteral("font"), QStringLiteral("The font to read."),
                                 QStringLiteral("FONTFILE"));
    const QCommandLineOption outputOption(
        {QStringLiteral("o"), QStringLiteral("output")},
        QStringLiteral("Write the font file to <file>, replacing it as a whole, instead of to "
                       "standard output."),
        QStringLiteral("file"));
    const QCommandLineOption sizeOption(
        QStringLiteral("size"),
        QStringLiteral("Bitmap fonts: the strike nearest to <px> pixels high (default %1). "
                       "Outline fonts: rendered at <px> pixels (default %1). %2 to %3.")
            .arg(FontImport::DefaultSize)
            .arg(FontImport::MinSize)
            .arg(FontImport::MaxSize),
        QStringLiteral("px"));
    const QCommandLineOption baselineOption(
        QStringLiteral("baseline"),
        QStringLiteral("The grid row just above the baseline, 0 (top) to 7; default the font's "
                       "ascent in pixels minus 1, at most 7."),
        QStringLiteral("row"));
    const QCommandLineOption charsOption(
        QStringLiteral("chars"),
        QStringLiteral("Also import these Latin-1 characters, each as a glyph named "
                       "\"U+XXXX  c\" unless a default name already stands for it."),
        QStringLiteral("text"));
    parser.addOptions(
        {helpOption, versionOption, outputOption, sizeOption, baselineOption, charsOption});

    QStringList arguments;
    QString error;
    if (!FontFile::DecodeArguments(argc, argv, arguments, &error))
        return Fail(error);
    if (!parser.parse(arguments))
        return Fail(parser.errorText());
    if (parser.isSet(helpOption) || parser.isSet(versionOption)) {
        const QString text = parser.isSet(helpOption)
                                 ? parser.helpText()
                                 : QStringLiteral("pixmint-import %1\n").arg(PIXMINT_VERSION);
        if (!FileWriter::WriteStandardOutput(text.toLocal8Bit()))
            return Fail(QStringLiteral("standard output: the text could not be written"));
        return Success;
    }

    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 1) {
        return Fail(
            QStringLiteral("expected one font file, got %1 (see --help)").arg(positional.size()));
    }
    const QString fontPath = positional.first();
    FontImport::Options options;
    if (parser.isSet(sizeOption) && !ParseNumber(parser.value(sizeOption), FontImport::MinSize,
                                                 FontImport::MaxSize, options.size)) {
        return Fail(RangeError(QStringLiteral("--size"), parser.value(sizeOption),
                               FontImport::MinSize, FontImport::MaxSize));
    }
    const int lastRow = int(FontChar::RowCount) - 1;
    if (parser.isSet(baselineOption) &&
        !ParseNumber(parser.value(baselineOption), 0, lastRow, options.baseline)) {
        return Fail(
            RangeError(QStringLiteral("--baseline"), parser.value(baselineOption), 0, lastRow));
    }
    const QString outputPath = parser.value(outputOption);
    // The input would be lost if the import replaced it.
    if (parser.isSet(outputOption) && FileWriter::SameFile(fontPath, outputPath))
        return Fail(outputPath +
                    QStringLiteral(": this is the file being read (%1)").arg(fontPath));
    FontCharSet font;
    if (!FontImport::AddCharacters(font, parser.values(charsOption).join(QString()), &error))
        return Fail(QStringLiteral("--chars: ") + error);
    QStringList notes;
    if (!FontImport::Fill(font, fontPath, options, &notes, &error))
        return Fail(fontPath + QStringLiteral(": ") + error);

    if (parser.isSet(outputOption)) {
        if (!FontFile::Save(font, outputPath, &error))
            return Fail(outputPath + QStringLiteral(": ") + error);
    } else if (!FileWriter::WriteStandardOutput(FontFile::XmlBytes(font))) {
        return Fail(QStringLiteral("standard output: the font file could not be written"));
    }
    for (const QString& note : notes)
        Say(note);
    return Success;
}
