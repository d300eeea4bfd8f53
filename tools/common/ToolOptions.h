#pragma once

#include <QString>

class QCommandLineOption;
class QCommandLineParser;

// A converter's own options: a subclass declares them on the parser that reads the command
// line when it is constructed, then reads them from it and checks them together.
class ToolOptions
{
public:
    virtual ~ToolOptions() = default;

    // False, with Error(), when a value is wrong or options cannot be used together.
    virtual bool Read(const QCommandLineParser& parser) = 0;
    const QString& Error() const { return _error; }

protected:
    bool Fail(const QString& error)
    {
        _error = error;
        return false;
    }
    // A whole number in decimal digits only, from minimum to maximum; value stays as it is
    // when the option is not given.
    bool ReadNumber(const QCommandLineParser& parser, const QCommandLineOption& option, int minimum,
                    int maximum, int& value);

private:
    QString _error;
};
