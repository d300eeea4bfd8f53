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

bool GlyphName::IsCarried(QStringView text, QString* reason)
{
    for (const char32_t character : text.toUcs4()) {
        const bool latin1 = character <= 0xFF;
        if (latin1 && QChar::category(character) != QChar::Other_Control)
            continue;
        if (reason) {
            const QString code =
                QStringLiteral("U+") +
                QString::number(uint(character), 16).toUpper().rightJustified(4, u'0');
            *reason = latin1 ? code + QStringLiteral(" is a control character, which a font file "
                                                     "cannot carry in a name")
                             : QLatin1Char('"') + QString::fromUcs4(&character, 1) +
                                   QStringLiteral("\" (") + code +
                                   QStringLiteral(") is beyond U+00FF, which a Latin-1 glyph name "
                                                  "cannot hold");
        }
        return false;
    }
    return true;
}

QString GlyphName::Shown(const std::string& name)
{
    // Only what can be shown is converted: a name may be megabytes long.
    return Shown(ToString(name.substr(0, MaxShownLength + 1)));
}

QString GlyphName::Shown(QStringView name)
{
    const bool tooLong = name.size() > qsizetype(MaxShownLength);
    QString shown = Console::VisibleText(tooLong ? name.left(qsizetype(MaxShownLength)) : name);
    if (tooLong)
        shown += u'\u2026';
    return shown;
}
