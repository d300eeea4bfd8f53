#include "FontFileWriter.h"

#include "FontCharSet.h"

#include <QBuffer>
#include <QXmlStreamWriter>

QByteArray FontFileWriter::Bytes(const FontCharSet& set)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QXmlStreamWriter writer(&buffer);
    set.WriteXml(writer);
    return bytes;
}
