#pragma once

#include "CodeRange.h"
#include "OutputFormat.h"

#include <QList>

#include <optional>

// The specimen sheet, a text as the display shows it or the plain sheet of a range of codes
// (GlyphSheet), as a PNG image.
class PngFormat : public OutputFormat
{
public:
    // A grid asks for the plain sheet of its codes, else an empty text for the specimen sheet.
    PngFormat(const QString& text, int scale, std::optional<CodeRange> grid = std::nullopt)
        : _text(text), _scale(scale), _grid(grid)
    {
    }

    Kind BytesKind() const override { return Kind::Binary; }
    Result<QByteArray> Bytes(const FontCharSet& set, const QByteArray& encoding) const override;
    // The characters of the text that the font has no glyph for, in one line.
    void Warnings(const FontCharSet& set, MessageList& warnings) const override;

private:
    QString _text;
    int _scale;
    std::optional<CodeRange> _grid;
    // Found while drawing, which Bytes does.
    mutable QList<char32_t> _missing;
};
