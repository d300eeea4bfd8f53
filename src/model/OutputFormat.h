#pragma once

#include "Result.h"
#include "Status.h"

#include <QByteArray>

class FontCharSet;
class MessageList;

// One form a font is written in, as a format's folder declares it: whether its bytes are text,
// which fonts it can hold, its bytes and what they cannot say although the font does. The
// programs take every format through this shape alone, and put the output's place before a
// reason it gives.
class OutputFormat
{
public:
    enum class Kind {
        Text,   // generated text in the encoding given, with the system's line ends
        Binary, // bytes as they are
    };

    virtual ~OutputFormat() = default;

    virtual Kind BytesKind() const = 0;
    // The reason why the format cannot hold the font, if it cannot; Bytes expects a font that
    // is accepted.
    virtual Status Accepts(const FontCharSet& set) const;
    // The bytes, text in the encoding of that name (the locale's for a file the user reads),
    // or the reason why they cannot be made.
    virtual Result<QByteArray> Bytes(const FontCharSet& set, const QByteArray& encoding) const = 0;
    // What the bytes made last cannot say although the font does, one message each.
    virtual void Warnings(const FontCharSet& set, MessageList& warnings) const;
};
