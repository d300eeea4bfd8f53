#pragma once

#include "ExportFormats.h"
#include "ExportShaping.h"
#include "ToolOptions.h"

#include <QCommandLineOption>

#include <vector>

// The converter's own options: the formats of the registry (ExportFormats) with the options
// that shape them. Read checks everything that can be checked before the font is read, and
// gives the outputs asked for as requests: a format and its file.
class ExportOptions : public ToolOptions
{
public:
    explicit ExportOptions(QCommandLineParser& parser);

    // --vocabulary takes no font file.
    Status ReadArguments(const QStringList& arguments, QString& fontPath) override;
    Status Read(const QCommandLineParser& parser) override;
    bool Accumulates(const QString& name) const override { return ExportShaping::Joins(name); }

    struct Request
    {
        const ExportFormats::Format* format;
        QString path; // empty for standard output
    };

    bool IsCheck() const { return _check; }
    bool IsVocabulary() const { return _vocabulary; }
    // In the registry's order, the C source on standard output last where it goes there.
    const std::vector<Request>& Requests() const { return _requests; }
    const ExportFormats::Settings& Settings() const { return _settings; }
    // Where a failure to make the format's bytes lies: the font's path, or the option whose
    // value could not be drawn.
    QString FailurePlace(const ExportFormats::Format& format, const QString& fontPath) const;

private:
    const QCommandLineOption& Option(QStringView name) const;
    Status ReadWriter(const QCommandLineParser& parser);
    Status ReadDisplay(const QCommandLineParser& parser, std::optional<CArray::Layout>& layout,
                       CArray::Storage& storage, std::vector<CodeRange>& ranges);
    Status ReadPaths(const QCommandLineParser& parser);
    Status ReadFonts(const QCommandLineParser& parser);
    Status ReadAddress(const QCommandLineParser& parser);
    Status CheckName(const QCommandLineParser& parser, Status (*isValid)(const QString& name));
    Status ReadSourceDate(qint64& time);

    const QCommandLineParser& _parser;
    // Every option, in the order --help lists them.
    std::vector<QCommandLineOption> _options;
    bool _check = false;
    bool _vocabulary = false;
    ExportFormats::Settings _settings;
    std::vector<Request> _requests;
};
