#pragma once

#include <QString>

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

private:
    QString _error;
};
