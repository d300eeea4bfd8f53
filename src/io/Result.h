#pragma once

#include "Status.h"

#include <optional>
#include <utility>

// What an operation gives back: its value, or the Status that says why there is none.
template <typename Value>
class Result
{
public:
    Result(Value value) : _value(std::move(value)) {}
    // A failure; a Status of success has no value to give.
    Result(Status failure) : _status(std::move(failure)) { Q_ASSERT(!_status.Ok()); }

    bool Ok() const { return _value.has_value(); }
    explicit operator bool() const { return Ok(); }
    const Status& GetStatus() const { return _status; }
    const QString& Reason() const { return _status.Reason(); }

    // The value of a result that is Ok.
    Value& operator*() { return *_value; }
    const Value& operator*() const { return *_value; }
    Value* operator->() { return &*_value; }
    const Value* operator->() const { return &*_value; }

private:
    std::optional<Value> _value;
    Status _status;
};
