#pragma once

#include "CTableImport.h"
#include "FontImport.h"
#include "ImportSources.h"
#include "SheetImport.h"
#include "ToolOptions.h"

#include <QCommandLineOption>

// The importer's own options: how to read the font and where to write the font file.
class ImportOptions : public ToolOptions
{
public:
    explicit ImportOptions(QCommandLineParser& parser);

    Status Read(const QCommandLineParser& parser) override;

    const FontImport::Options& Import() const { return _import; }
    // Where the font file goes, unless to standard output.
    bool ToStandardOutput() const { return _toStandardOutput; }
    const QString& OutputPath() const { return _outputPath; }
    // The codes of the characters to add glyphs for, as --chars gives them.
    const std::vector<int>& CharacterCodes() const { return _characterCodes; }
    // The kind of font to read (ImportSources::Choose).
    const ImportSources::Source& Source() const { return *_source; }
    // How to read a table in C or C++ source, where the font is one.
    const CTableImport::Options& Table() const { return _table; }
    // How to read a picture of cells, where the font is one, and the code of each cell in
    // reading order.
    const SheetImport::Options& Picture() const { return _picture; }
    const std::vector<int>& PictureCodes() const { return _pictureCodes; }

    // --chars joins its texts, --codes its ranges.
    bool Accumulates(const QString& name) const override;

private:
    Status ReadSource(const QCommandLineParser& parser);
    Status ReadPicture(const QCommandLineParser& parser);
    Status ReadCell(const QCommandLineParser& parser);

    QCommandLineOption _outputOption;
    QCommandLineOption _sizeOption;
    QCommandLineOption _baselineOption;
    QCommandLineOption _charsOption;
    QCommandLineOption _codesOption;
    QCommandLineOption _layoutOption;
    QCommandLineOption _firstOption;
    QCommandLineOption _arrayOption;
    QCommandLineOption _cellOption;
    QCommandLineOption _scaleOption;

    FontImport::Options _import;
    bool _toStandardOutput = true;
    QString _outputPath;
    std::vector<int> _characterCodes;
    const ImportSources::Source* _source = &ImportSources::All().front();
    CTableImport::Options _table;
    SheetImport::Options _picture;
    std::vector<int> _pictureCodes;
};
