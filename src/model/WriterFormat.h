#pragma once

#include "OutputFormat.h"

#include <type_traits>
#include <utility>

// A format's writer as an output whose bytes are of the kind given, the one adapter that every
// writer of the shape takes: its Bytes(set, encoding) where it writes text in an encoding, else
// Bytes(set); its Accepts(set) where it refuses some fonts, else it takes every font; and its
// Warnings. A format's folder declares its output as this adapter over its writer.
template <typename Writer, OutputFormat::Kind OutputKind>
class WriterFormat : public OutputFormat
{
public:
    // The writer's own arguments.
    template <typename... Arguments>
    explicit WriterFormat(Arguments&&... arguments) : _writer(std::forward<Arguments>(arguments)...)
    {
    }

    Kind BytesKind() const override { return OutputKind; }
    Status Accepts(const FontCharSet& set) const override
    {
        if constexpr (Refuses<Writer>::value)
            return _writer.Accepts(set);
        else
            return Status();
    }
    Result<QByteArray> Bytes(const FontCharSet& set, const QByteArray& encoding) const override
    {
        if constexpr (TakesEncoding<Writer>::value)
            return _writer.Bytes(set, encoding);
        else
            return _writer.Bytes(set);
    }
    void Warnings(const FontCharSet& set, MessageList& warnings) const override
    {
        _writer.Warnings(set, warnings);
    }

private:
    template <typename Of, typename = void>
    struct Refuses : std::false_type
    {
    };
    template <typename Of>
    struct Refuses<Of, std::void_t<decltype(std::declval<const Of&>().Accepts(
                           std::declval<const FontCharSet&>()))>> : std::true_type
    {
    };
    template <typename Of, typename = void>
    struct TakesEncoding : std::false_type
    {
    };
    template <typename Of>
    struct TakesEncoding<Of, std::void_t<decltype(std::declval<const Of&>().Bytes(
                                 std::declval<const FontCharSet&>(), QByteArray()))>>
        : std::true_type
    {
    };

    Writer _writer;
};
