#include "FontFileReader.h"

#include "FontCharSet.h"
#include "FontFileGuard.h"
#include "FontFileShortcut.h"
#include "Message.h"

FontFileReader::FontFileReader() : _set(std::make_unique<FontCharSet>(FontCharSet::Start::Empty)) {}

FontFileReader::~FontFileReader() = default;

QString FontFileReader::NotWellFormed(qint64 line, qint64 column, const QString& message)
{
    return Message::Text(u"not a well-formed XML document (line %1, column %2: %3)",
                         {line, column, message});
}

Result<std::unique_ptr<FontCharSet>> FontFileReader::Read(const QByteArray& bytes)
{
    // The shape the program writes needs no XML parser, which takes most of a converter's start.
    if (std::unique_ptr<FontCharSet> font = FontFileShortcut::Read(bytes))
        return font;
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
