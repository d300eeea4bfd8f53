#include "PngFormat.h"

#include "GlyphSheet.h"
#include "Message.h"
#include "MessageList.h"
#include "PngFile.h"

Result<QByteArray> PngFormat::Bytes(const FontCharSet& set, const QByteArray&) const
{
    _missing.clear();
    QString error;
    PixelImage image;
    if (_grid)
        image = GlyphSheet::RenderGrid(set, *_grid, _scale, &error);
    else if (_text.isEmpty())
        image = GlyphSheet::Render(set, _scale, &error);
    else
        image = GlyphSheet::RenderText(set, _text, _scale, &_missing, &error);
    QByteArray bytes;
    if (!image.IsNull())
        bytes = PngFile::Encode(image, &error);
    if (!error.isEmpty())
        return Status::Failure(error);
    return bytes;
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
