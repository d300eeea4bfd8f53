#include "GlyphName.h"

#include "Console.h"

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

QString GlyphName::Shown(const std::string& name)
{
    const bool tooLong = name.size() > MaxShownLength;
    QString shown = Console::VisibleText(ToString(tooLong ? name.substr(0, MaxShownLength) : name));
    if (tooLong)
        shown += u'\u2026';
    return shown;
}
