#include "FontFileWriter.h"

#include "FontCharSet.h"
#include "FontFileGuard.h"
#include "GlyphName.h"
#include "Message.h"

#include <QBuffer>
#include <QXmlStreamWriter>

#include <algorithm>

QByteArray FontFileWriter::Bytes(const FontCharSet& set)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QXmlStreamWriter writer(&buffer);
    set.WriteXml(writer);
    return bytes;
}

Result<QByteArray> FontFileWriter::ReadableBytes(const FontCharSet& set)
{
    for (const auto& entry : set) {
        const std::string& name = entry.first;
        const auto dropped = std::find_if_not(
            name.begin(), name.end(), [](char byte) { return GlyphName::IsCarried(quint8(byte)); });
        if (dropped != name.end()) {
            return Status::Failure(
                Message::Text(u"the name %1 holds %2, which a font file cannot "
                              u"carry",
                              {GlyphName::Quoted(name), Message::CodePoint(quint8(*dropped))}));
        }
    }
    QByteArray bytes = Bytes(set);
    if (bytes.size() > FontFileGuard::MaxFileSize) {
        return Status::Failure(Message::Text(u"the font file would take %1 bytes, more than the "
                                             u"%2 that the editor opens",
                                             {bytes.size(), FontFileGuard::MaxFileSize}));
    }
    return bytes;
}
