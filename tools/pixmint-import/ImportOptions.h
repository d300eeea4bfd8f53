#pragma once

#include "FontImport.h"
#include "ToolOptions.h"

#include <QCommandLineOption>

// The importer's own options: how to read the font and where to write the font file.
class ImportOptions : public ToolOptions
{
public:
    explicit ImportOptions(QCommandLineParser& parser);

    bool Read(const QCommandLineParser& parser) override;

    const FontImport::Options& Import() const { return _import; }
    // Where the font file goes, unless to standard output.
    bool ToStandardOutput() const { return _toStandardOutput; }
    const QString& OutputPath() const { return _outputPath; }
    // The characters to add glyphs for, as --chars gives them.
    const QString& Characters() const { return _characters; }

    // --chars joins its texts.
    bool Accumulates(const QString& name) const override;

private:
    QCommandLineOption _outputOption;
    QCommandLineOption _sizeOption;
    QCommandLineOption _baselineOption;
    QCommandLineOption _charsOption;

    FontImport::Options _import;
    bool _toStandardOutput = true;
    QString _outputPath;
    QString _characters;
};
