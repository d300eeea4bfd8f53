#include "GlyphName.h"

#include "Message.h"
#include "TextEscape.h"

#include <QList>

QString GlyphName::ToString(const std::string& name)
{
    return QString::fromLatin1(name.data(), qsizetype(name.size()));
}

std::string GlyphName::FromString(QStringView text)
{
    std::string name;
    name.reserve(size_t(text.size()));
    for (qsizetype index = 0; index < text.size(); ++index) {
        const QChar character = text.at(index);
        // A surrogate pair is one code point and gives one "?".
        if (character.isHighSurrogate() && index + 1 < text.size() &&
            text.at(index + 1).isLowSurrogate())
            ++index;
        name += character.unicode() <= 0xFF ? char(character.unicode()) : '?';
    }
    return name;
}

bool GlyphName::IsLatin1(QStringView text)
{
    for (const QChar character : text) {
        if (character.unicode() > 0xFF)
            return false;
    }
    return true;
}

bool GlyphName::IsCarried(char32_t character)
{
    return character <= 0xFF &&
           (character >= 0x20 || character == u'\t' || character == u'\n' || character == u'\r');
}

Status GlyphName::IsCarried(QStringView text)
{
    for (const char32_t character : text.toUcs4()) {
        const bool latin1 = character <= 0xFF;
        if (IsCarried(character))
            continue;
        const QString code = Message::CodePoint(character);
        return Status::Failure(
            latin1 ? code + QStringLiteral(" is a control character, which a font file "
                                           "cannot carry in a name")
                   : Message::Text(u"%1 (%2) is beyond U+00FF, which a Latin-1 glyph name "
                                   u"cannot hold",
                                   {Message::Quoted(QString::fromUcs4(&character, 1)), code}));
    }
    return Status();
}

QString GlyphName::Shown(const std::string& name)
{
    return Shown(ToString(name.substr(0, MaxShownLength + 1)));
}

QString GlyphName::Whole(const std::string& name)
{
    return TextEscape::Escaped(ToString(name), TextEscape::Where::Visible);
}

QString GlyphName::Shown(QStringView name)
{
    return Message::Shown(name);
}

QString GlyphName::Listed(const std::string& name)
{
    const QString text = ToString(name.substr(0, MaxShownLength + 1));
    if (size_t(text.size()) <= MaxShownLength)
        return TextEscape::Escaped(text, TextEscape::Where::Line);
    return TextEscape::Escaped(QStringView(text).left(qsizetype(MaxShownLength)),
                               TextEscape::Where::Line) +
           u'\u2026';
}

QString GlyphName::Quoted(const std::string& name)
{
    return Message::Quoted(ToString(name.substr(0, MaxShownLength + 1)));
}

bool GlyphName::FromShown(QStringView shown, std::string& name)
{
    QString text;
    if (!TextEscape::Unescaped(shown, TextEscape::Where::Visible, text) || !IsLatin1(text))
        return false;
    name = FromString(text);
    return true;
}
