#include "FontFileReader.h"

#include "FontCharSet.h"
#include "FontFileGuard.h"
#include "Message.h"

#include <QDomDocument>

namespace {

QString NotWellFormed(qint64 line, qint64 column, const QString& message)
{
    return Message::Text(u"not a well-formed XML document (line %1, column %2: %3)",
                         {line, column, message});
}

} // namespace

FontFileReader::FontFileReader() : _set(std::make_unique<FontCharSet>(FontCharSet::Start::Empty)) {}

FontFileReader::~FontFileReader() = default;

Result<std::unique_ptr<FontCharSet>> FontFileReader::Read(const QByteArray& bytes)
{
    FontFileReader reader;
    FontFileWalk walk;
    walk.Listen(&reader);
    switch (walk.Walk(bytes)) {
    case FontFileWalk::Outcome::Refused:
        return Status::Failure(walk.Reason());
    case FontFileWalk::Outcome::NotWellFormed:
    case FontFileWalk::Outcome::Stopped:
        return Status::Failure(NotWellFormed(walk.Line(), walk.Column(), walk.Reason()));
    case FontFileWalk::Outcome::Read:
        break;
    }
    // Any other document would open as the blank default font, and a save over it would
    // lose the file.
    if (!reader.IsCharSet()) {
        return Status::Failure(Message::Text(u"not a font file: the root element is <%1>, not "
                                             u"<CharSet>",
                                             {Message::Shown(reader.RootName())}));
    }
    return reader.TakeFont();
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

std::unique_ptr<FontCharSet> FontFileReader::TakeFont()
{
    return std::move(_set);
}

void FontFileReader::Root(QStringView name)
{
    _rootName = name.toString();
    _charSet = name == QLatin1String("CharSet");
    if (_charSet)
        _set->Clear();
}

void FontFileReader::GlyphStart(QStringView name, bool named)
{
    Q_UNUSED(named);
    _glyph = std::make_unique<FontChar>();
    _glyphName = name.toString();
}

void FontFileReader::GlyphEnd()
{
    _set->StoreRead(_glyphName, std::move(_glyph));
}

void FontFileReader::ByteEnd(const FontChar::ByteIndex& index, QStringView text)
{
    _glyph->ReadXmlByte(index, text);
}
