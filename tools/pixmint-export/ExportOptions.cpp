#include "ExportOptions.h"

#include "DisplayPresets.h"
#include "ExportShaping.h"
#include "GlyphSheet.h"
#include "IntelHexWriter.h"
#include "Message.h"
#include "TrueTypeWriter.h"

#include <QCommandLineParser>

#include <algorithm>

ExportOptions::ExportOptions(QCommandLineParser& parser) : _parser(parser)
{
    parser.addPositionalArgument(QStringLiteral("FONT.xml"),
                                 QStringLiteral("The font file to read, as the editor saves it."));
    const QList<ExportShaping::Option> shaping = ExportShaping::All();
    for (const ExportFormats::Format& format : ExportFormats::All()) {
        _options.push_back(format.Option());
        for (const ExportShaping::Option& option : shaping) {
            if (option.after == format.option)
                _options.push_back(option.option);
        }
    }
    for (const QCommandLineOption& option : _options)
        parser.addOption(option);
}

const QCommandLineOption& ExportOptions::Option(QStringView name) const
{
    return *std::find_if(
        _options.begin(), _options.end(),
        [name](const QCommandLineOption& option) { return option.names().last() == name; });
}

QString ExportOptions::FailurePlace(const ExportFormats::Format& format,
                                    const QString& fontPath) const
{
    return format.option == QLatin1String("png") && !_settings.text.isEmpty()
               ? QStringLiteral("--text")
               : fontPath;
}

Status ExportOptions::ReadArguments(const QStringList& arguments, QString& fontPath)
{
    if (!_parser.isSet(QStringLiteral("vocabulary")))
        return ToolOptions::ReadArguments(arguments, fontPath);
    if (!arguments.isEmpty())
        return Fail(QStringLiteral("--vocabulary describes the converter: it takes no font file"));
    return Status();
}

Status ExportOptions::Read(const QCommandLineParser& parser)
{
    const QStringList names = parser.optionNames();
    if (parser.isSet(QStringLiteral("vocabulary"))) {
        _vocabulary = true;
        return names.size() == 1
                   ? Status()
                   : Fail(QStringLiteral("--vocabulary describes the converter: it takes no other "
                                         "option"));
    }
    if (parser.isSet(QStringLiteral("check"))) {
        _check = true;
        return std::all_of(names.begin(), names.end(),
                           [](const QString& name) { return name == QLatin1String("check"); })
                   ? Status()
                   : Fail(QStringLiteral("--check writes nothing: it takes no other option"));
    }

    const QString refusal = ExportShaping::Refusal(parser);
    if (!refusal.isEmpty())
        return Fail(refusal);
    Status read = ReadNumber(parser, Option(u"scale"), GlyphSheet::MinScale, GlyphSheet::MaxScale,
                             _settings.scale);
    if (read)
        read = ReadWriter(parser);
    if (read)
        read = ReadPaths(parser);
    if (!read)
        return read;
    _settings.text = parser.value(QStringLiteral("text"));
    if (parser.isSet(QStringLiteral("text")) && _settings.text.isEmpty())
        return Fail(QStringLiteral("--text is empty: there is nothing to draw"));
    _settings.grid = parser.isSet(QStringLiteral("grid"));
    if (_settings.grid && !parser.isSet(QStringLiteral("png")))
        return Fail(QStringLiteral("--grid draws into an image: give its file with --png"));
    if (_settings.grid && parser.isSet(QStringLiteral("text")))
        return Fail(QStringLiteral("give --grid or --text, not both: each draws the whole image"));
    // A paint program shows the sheet one pixel a pixel.
    if (_settings.grid && !parser.isSet(QStringLiteral("scale")))
        _settings.scale = 1;
    return ReadFonts(parser);
}

// A request for each format whose file is given, in the registry's order; the C source goes
// to standard output unless another output is asked for.
Status ExportOptions::ReadPaths(const QCommandLineParser& parser)
{
    bool standardOutput = true;
    for (const ExportFormats::Format& format : ExportFormats::All()) {
        if (!parser.isSet(format.option))
            continue;
        const QString path = parser.value(format.option);
        if (path.isEmpty())
            return Fail(QStringLiteral("--") + format.option +
                        QStringLiteral(": expected a file name"));
        _requests.push_back({&format, path});
        standardOutput = standardOutput && !format.replacesStandardOutput;
    }
    if (standardOutput)
        _requests.push_back({&ExportFormats::StandardOutput(), QString()});
    return Status();
}

// The fonts for other programs and the Intel HEX: what shapes them, and --name by the rule of
// each output for its names.
Status ExportOptions::ReadFonts(const QCommandLineParser& parser)
{
    _settings.gfxStandalone = parser.isSet(QStringLiteral("gfx-standalone"));
    Status read =
        ReadNumber(parser, Option(u"baseline"), 0, int(FontChar::RowCount) - 1, _settings.baseline);
    for (const Request& request : _requests) {
        if (read && request.format->isValidName)
            read = CheckName(parser, request.format->isValidName);
    }
    if (read)
        read = ReadAddress(parser);
    if (read && parser.isSet(QStringLiteral("ttf")))
        read = ReadSourceDate(_settings.time);
    return read;
}

Status ExportOptions::ReadAddress(const QCommandLineParser& parser)
{
    const QString text = parser.value(QStringLiteral("address"));
    if (!parser.isSet(QStringLiteral("address")) ||
        IntelHexWriter::ParseAddress(text, &_settings.address))
        return Status();
    return Fail(Message::Text(u"--address %1: expected a whole number from 0 to %2, decimal or "
                              u"0x hexadecimal",
                              {text, Message::Hex(qint64(IntelHexWriter::AddressLimit - 1))}));
}

// --name, where it is given, by the rule of an output for its names.
Status ExportOptions::CheckName(const QCommandLineParser& parser,
                                Status (*isValid)(const QString& name))
{
    if (!parser.isSet(QStringLiteral("name")))
        return Status();
    const QString name = parser.value(QStringLiteral("name"));
    if (const Status valid = isValid(name); !valid)
        return Fail(Message::Text(u"--name %1: %2", {name, valid.Reason()}));
    return Status();
}

// Reproducible builds give the time of their sources; a value that is no such time is a
// mistake to report, not a reason to read the clock.
Status ExportOptions::ReadSourceDate(qint64& time)
{
    const QString epoch = qEnvironmentVariable("SOURCE_DATE_EPOCH");
    if (epoch.isEmpty() || ToNumber(epoch, 0, TrueTypeWriter::MaxTime, time))
        return Status();
    return Fail(Message::Text(u"SOURCE_DATE_EPOCH %1: expected the seconds since 1970 in decimal "
                              u"digits, at most %2",
                              {epoch, TrueTypeWriter::MaxTime}));
}

// Any of the options of the firmware source, even given with the value that the editor's
// export has, asks for that source.
Status ExportOptions::ReadWriter(const QCommandLineParser& parser)
{
    std::optional<CArray::Layout> layout;
    if (Status read = ReadLayout(parser, Option(u"layout"), layout); !read)
        return read;
    if (Status named = CheckName(parser, CArray::IsValidName); !named)
        return named;
    if (parser.isSet(QStringLiteral("name")))
        _settings.name = parser.value(QStringLiteral("name"));
    CArray::Storage storage = CArray::Storage::Plain;
    if (parser.isSet(QStringLiteral("progmem")))
        storage = CArray::Storage::Progmem;
    else if (parser.isSet(QStringLiteral("const")))
        storage = CArray::Storage::Const;
    // Given once at most, as every option that is not joined.
    std::vector<CodeRange> ranges;
    if (Status read = ReadRanges(parser, Option(u"range"), ranges); !read)
        return read;
    if (Status display = ReadDisplay(parser, layout, storage, ranges); !display)
        return display;
    std::vector<int> codes;
    if (Status read = ReadCharacters(parser, Option(u"chars"), codes); !read)
        return read;
    if (parser.isSet(QStringLiteral("chars")) && codes.empty())
        return Fail(QStringLiteral("--chars is empty: there is no character to write"));
    // The image takes the rows of a range; a subset's would be read by no code.
    if (!codes.empty() &&
        (parser.isSet(QStringLiteral("bin")) || parser.isSet(QStringLiteral("hex"))))
        return Fail(QStringLiteral("--chars chooses the rows of the C source, not of the image "
                                   "that --bin and --hex write: give --range for the image"));
    _settings.layout = layout.value_or(CArray::Layout::Columns);
    if (!ranges.empty())
        _settings.range = ranges.front();
    const bool header = parser.isSet(QStringLiteral("header"));
    const bool art = parser.isSet(QStringLiteral("art"));
    if (header || layout || _settings.name || storage != CArray::Storage::Plain ||
        _settings.range || art || !codes.empty()) {
        _settings.source = CSourceWriter(
            CArray(layout.value_or(CArray::Layout::Columns),
                   _settings.name.value_or(QLatin1String(CArray::EditorName)), storage, art),
            header, _settings.range, CSubset(codes));
    }
    return Status();
}

// What a display's usual driver takes, for each of the layout, the range and the storage that
// no option given chooses, nor rules out (--const rules out the display's --progmem).
Status ExportOptions::ReadDisplay(const QCommandLineParser& parser,
                                  std::optional<CArray::Layout>& layout, CArray::Storage& storage,
                                  std::vector<CodeRange>& ranges)
{
    if (!parser.isSet(QStringLiteral("display")))
        return Status();
    const QString name = parser.value(QStringLiteral("display"));
    const DisplayPresets::Display* display = DisplayPresets::Find(name);
    if (!display)
        return NotOneOf(QStringLiteral("display"), name, DisplayPresets::Names());
    if (!ExportShaping::Given(parser, QStringLiteral("layout")))
        layout = display->layout;
    if (!ExportShaping::Given(parser, QStringLiteral("range")))
        ranges = {display->Range()};
    if (!ExportShaping::Given(parser, QStringLiteral("const")) &&
        !ExportShaping::Given(parser, QStringLiteral("progmem")))
        storage = display->storage;
    return Status();
}
