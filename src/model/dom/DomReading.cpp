// The DOM reading route: FontCharSet::ReadXml and what it starts from. The programs open fonts
// through the stream walk; the tests, the benchmark and the fuzz target hold this route
// against it. Apart from the font's own files so that a program that never reads a DOM does
// not load Qt Xml at its start: only these functions need it.
#include "FontChar.h"
#include "FontCharSet.h"
#include "FontFileGuard.h"
#include "FontFileReader.h"

#include <QDomDocument>
#include <QDomElement>

void FontChar::ReadXml(const QDomElement& element)
{
    for (QDomNode node = element.firstChild(); !node.isNull(); node = node.nextSibling()) {
        const QDomElement byte = node.toElement();
        if (byte.isNull() || byte.tagName() != QLatin1String("Byte"))
            continue;
        const QString index = byte.attribute(QStringLiteral("Index"));
        ReadXmlByte(ReadByteIndex(index, byte.hasAttribute(QStringLiteral("Index"))), byte.text());
    }
}

void FontCharSet::ReadXml(const QDomElement& root)
{
    if (root.tagName() != QLatin1String("CharSet"))
        return;
    Clear();
    for (QDomNode node = root.firstChild(); !node.isNull(); node = node.nextSibling()) {
        const QDomElement element = node.toElement();
        if (element.isNull() || element.tagName() != QLatin1String("FontChar"))
            continue;
        auto glyph = std::make_unique<FontChar>();
        glyph->ReadXml(element);
        StoreRead(element.attribute(QStringLiteral("Char")), std::move(glyph));
    }
}

Status FontFileReader::ParseDocument(const QByteArray& bytes, QDomDocument& document)
{
    QXmlStreamReader reader;
    if (Status started = FontFileGuard::StartReading(bytes, reader); !started)
        return started;
    QString message;
    int line = 0;
    int column = 0;
    if (!document.setContent(&reader, false, &message, &line, &column))
        return Status::Failure(NotWellFormed(line, column, message));
    return Status();
}
