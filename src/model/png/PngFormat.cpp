#include "PngFormat.h"

#include "GlyphSheet.h"
#include "Message.h"
#include "MessageList.h"
#include "PngFile.h"

Result<QByteArray> PngFormat::Bytes(const FontCharSet& set, const QByteArray&) const
{
    _missing.clear();
    const Result<PixelImage> image = _grid ? GlyphSheet::RenderGrid(set, *_grid, _scale)
                                     : _text.isEmpty()
                                         ? GlyphSheet::Render(set, _scale)
                                         : GlyphSheet::RenderText(set, _text, _scale, &_missing);
    if (!image)
        return image.GetStatus();
    return PngFile::Encode(*image);
}

// One line naming the characters, as many as a list of warnings holds.
void PngFormat::Warnings(const FontCharSet&, MessageList& warnings) const
{
    if (_missing.isEmpty())
        return;
    MessageList named;
    for (const char32_t character : _missing) {
        if (named.IsFull()) {
            named.AddUnlisted(_missing.size() - named.Listed().size());
            break;
        }
        named.Add(Message::Quoted(QString::fromUcs4(&character, 1)) + QStringLiteral(" (") +
                  Message::CodePoint(character) + u')');
    }
    QString line = QStringLiteral("no glyph for ") + named.Listed().join(QStringLiteral(", "));
    if (named.Unlisted() > 0)
        line += Message::Text(u" and %1 more characters", {named.Unlisted()});
    warnings.Add(line + QStringLiteral(": drawn blank"));
}
