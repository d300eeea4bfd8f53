#include "PngFormat.h"

#include "GlyphSheet.h"
#include "Message.h"
#include "MessageList.h"

#include <QBuffer>
#include <QImage>

QByteArray PngFormat::Bytes(const FontCharSet& set, const QByteArray&, QString* error) const
{
    _missing.clear();
    const QImage image = _text.isEmpty()
                             ? GlyphSheet::Render(set, _scale, error)
                             : GlyphSheet::RenderText(set, _text, _scale, &_missing, error);
    if (image.isNull())
        return QByteArray();
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        Message::Fail(error, QStringLiteral("the image could not be encoded as PNG"));
        return QByteArray();
    }
    return png;
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
