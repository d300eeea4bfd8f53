#pragma once

#include "OutputFormat.h"

#include <QList>

// The specimen sheet, or a text as the display shows it (GlyphSheet), as a PNG image.
class PngFormat : public OutputFormat
{
public:
    // An empty text asks for the sheet.
    PngFormat(const QString& text, int scale) : _text(text), _scale(scale) {}

    Kind BytesKind() const override { return Kind::Binary; }
    QByteArray Bytes(const FontCharSet& set, const QByteArray& encoding,
                     QString* error) const override;
    // The characters of the text that the font has no glyph for, in one line.
    void Warnings(const FontCharSet& set, MessageList& warnings) const override;

private:
    QString _text;
    int _scale;
    // Found while drawing, which Bytes does.
    mutable QList<char32_t> _missing;
};
