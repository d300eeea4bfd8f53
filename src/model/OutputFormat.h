#pragma once

#include <QByteArray>
#include <QString>

class FontCharSet;
class MessageList;

// One form a font is written in, as a format's folder declares it: whether its bytes are text,
// which fonts it can hold, its bytes and what they cannot say although the font does. The
// programs take every format through this shape alone.
class OutputFormat
{
public:
    enum class Kind {
        Text,   // generated text in the encoding given, with the system's line ends
        Binary, // bytes as they are
    };

    virtual ~OutputFormat() = default;

    virtual Kind BytesKind() const = 0;
    // False, with the reason, for a font the format cannot hold; Bytes expects a font that is
    // accepted.
    virtual bool Accepts(const FontCharSet& set, QString* reason) const;
    // The bytes, text in the encoding of that name (the locale's for a file the user reads);
    // empty, with the reason, where they cannot be made.
    virtual QByteArray Bytes(const FontCharSet& set, const QByteArray& encoding,
                             QString* error) const = 0;
    // What the bytes made last cannot say although the font does, one message each.
    virtual void Warnings(const FontCharSet& set, MessageList& warnings) const;
};
