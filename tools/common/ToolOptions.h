#pragma once

#include "CArray.h"
#include "CodeRange.h"
#include "Status.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class QCommandLineOption;
class QCommandLineParser;

// A converter's own options: a subclass declares them on the parser that reads the command
// line when it is constructed, then reads them from it and checks them together.
class ToolOptions
{
public:
    virtual ~ToolOptions() = default;

    // The arguments that are not options, read before the options: by default exactly one,
    // the font file. A program of commands (pixmint-font) takes the command first, then the
    // font file and the command's own arguments. The reason when they are not.
    virtual Status ReadArguments(const QStringList& arguments, QString& fontPath);
    // The reason when a value is wrong or options cannot be used together.
    virtual Status Read(const QCommandLineParser& parser) = 0;

    // Whether the option of that name joins the values it is given more than once; any other
    // that takes a value is refused when given twice.
    virtual bool Accumulates(const QString& name) const;

protected:
    static Status Fail(const QString& reason) { return Status::Failure(reason); }
    // The refusal of a value of the option that is none of the names it takes.
    static Status NotOneOf(const QString& option, const QString& value, const QStringList& names);

    // The option's number, from minimum to maximum, into value, which stays as it is when the
    // option is not given. A number is decimal digits alone, leading zeros allowed: no sign,
    // no blank.
    Status ReadNumber(const QCommandLineParser& parser, const QCommandLineOption& option,
                      int minimum, int maximum, int& value);
    // The same rule for any text, such as an environment variable's; false when it is no such
    // number or out of the range.
    static bool ToNumber(QStringView text, qint64 minimum, qint64 maximum, qint64& value);
    // The option's layout of a glyph's bytes by its name (CArray::LayoutFromName) into layout,
    // which stays as it is when the option is not given.
    Status ReadLayout(const QCommandLineParser& parser, const QCommandLineOption& option,
                      std::optional<CArray::Layout>& layout);
    // Each value of the option as a range of codes (CodeRange::Parse), appended in order.
    Status ReadRanges(const QCommandLineParser& parser, const QCommandLineOption& option,
                      std::vector<CodeRange>& ranges);
    // The codes of the characters of the option's values, joined, appended in order; false for
    // a character beyond Latin-1.
    Status ReadCharacters(const QCommandLineParser& parser, const QCommandLineOption& option,
                          std::vector<int>& codes);
};
