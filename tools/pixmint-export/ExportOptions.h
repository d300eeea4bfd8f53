#pragma once

#include "BdfWriter.h"
#include "CSourceWriter.h"
#include "GfxWriter.h"
#include "ToolOptions.h"
#include "TrueTypeWriter.h"

#include <QCommandLineOption>

// The converter's own options: what to write where and how. Read checks everything that can
// be checked before the font is read.
class ExportOptions : public ToolOptions
{
public:
    explicit ExportOptions(QCommandLineParser& parser);

    bool Read(const QCommandLineParser& parser) override;

    bool IsCheck() const { return _check; }
    // Empty when not asked for.
    const QString& OutputPath() const { return _outputPath; }
    const QString& HeaderPath() const { return _headerPath; }
    const QString& PngPath() const { return _pngPath; }
    const QString& BdfPath() const { return _bdfPath; }
    const QString& GfxPath() const { return _gfxPath; }
    const QString& TrueTypePath() const { return _trueTypePath; }
    // The text to draw instead of the specimen sheet, when not empty.
    const QString& Text() const { return _text; }
    int Scale() const { return _scale; }
    const CSourceWriter& Writer() const { return _writer; }
    const BdfWriter& Bdf() const { return _bdf; }
    const GfxWriter& Gfx() const { return _gfx; }
    const TrueTypeWriter& TrueType() const { return _trueType; }

private:
    bool ReadWriter(const QCommandLineParser& parser);
    bool ReadFonts(const QCommandLineParser& parser);
    bool CheckName(const QCommandLineParser& parser,
                   bool (*isValid)(const QString& name, QString* reason));
    bool ReadSourceDate(qint64& time);

    QCommandLineOption _outputOption;
    QCommandLineOption _layoutOption;
    QCommandLineOption _nameOption;
    QCommandLineOption _constOption;
    QCommandLineOption _progmemOption;
    QCommandLineOption _headerOption;
    QCommandLineOption _rangeOption;
    QCommandLineOption _checkOption;
    QCommandLineOption _pngOption;
    QCommandLineOption _textOption;
    QCommandLineOption _scaleOption;
    QCommandLineOption _bdfOption;
    QCommandLineOption _baselineOption;
    QCommandLineOption _gfxOption;
    QCommandLineOption _gfxStandaloneOption;
    QCommandLineOption _trueTypeOption;

    bool _check = false;
    QString _outputPath;
    QString _headerPath;
    QString _pngPath;
    QString _bdfPath;
    QString _text;
    int _scale = 4;
    CSourceWriter _writer;
    BdfWriter _bdf;
    QString _gfxPath;
    QString _trueTypePath;
    std::optional<CodeRange> _range;
    GfxWriter _gfx;
    TrueTypeWriter _trueType;
};
