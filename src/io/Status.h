#pragma once

#include <QString>

// How an operation fails: success, or the reason, one line naming the problem, and where a
// front end words the reason in its own terms (the option that would help, say) the kind of
// reason, a value of the operation's own enumeration. The context that the caller knows and
// the operation does not, a file's path, is put before the reason by In.
class Status
{
public:
    // Success.
    Status() = default;
    // A failure for that reason, of that kind (0 for a reason worded in full).
    template <typename Kind = int>
    static Status Failure(const QString& reason, Kind kind = Kind())
    {
        Status status;
        status._failed = true;
        status._reason = reason;
        status._kind = int(kind);
        return status;
    }

    bool Ok() const { return !_failed; }
    explicit operator bool() const { return Ok(); }
    const QString& Reason() const { return _reason; }
    template <typename Kind>
    bool Is(Kind kind) const
    {
        return _failed && _kind == int(kind);
    }

    // The reason in its context: "font.xml: the file is empty".
    static QString In(const QString& context, const QString& reason)
    {
        return context + QStringLiteral(": ") + reason;
    }
    QString In(const QString& context) const { return In(context, _reason); }

private:
    bool _failed = false;
    QString _reason;
    int _kind = 0;
};
