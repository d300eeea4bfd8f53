#include "GlyphComment.h"

#include "Console.h"
#include "GlyphName.h"
#include "Message.h"
#include "NumberText.h"

namespace {

// How the comment of a row begins: the glyph's name follows the first.
constexpr char GlyphWord[] = "Char = ";
constexpr char NoGlyphWord[] = "no glyph";

// Whether a backslash of a name, before the character next, would be read back as the start
// of an escape or as the backslash that keeps "*/" and "/*" apart: such a backslash is
// written twice.
bool NeedsDoubling(QChar previous, QChar next)
{
    QChar escaped;
    return Console::ReadLetterEscape(next, escaped) || next == u'x' ||
           Console::IsControl(next.unicode()) || (previous == u'*' && next == u'/') ||
           (previous == u'/' && next == u'*');
}

int HexDigit(QChar character)
{
    return NumberText::Digit(character.unicode(), 16);
}

} // namespace

// A name comes from a font file and is compiled into firmware inside a comment, so no name
// may end that comment or reach the next line: "*/" would end it, a line break (after a
// backslash, or the trigraph ??/) would splice the next line into it, and "/*" makes the
// compiler warn. Control characters are written as escapes, and a backslash goes between
// the two characters of "*/" and of "/*". A backslash of the name that would read as one of
// those is doubled, so that the text gives the name back.
QString GlyphComment::Text(const std::string& name)
{
    const QString original = GlyphName::ToString(name);
    QString text;
    text.reserve(original.size());
    for (qsizetype index = 0; index < original.size(); ++index) {
        const QChar character = original[index];
        if (!text.isEmpty() && ((text.back() == u'*' && character == u'/') ||
                                (text.back() == u'/' && character == u'*')))
            text += u'\\';
        if (character == u'\\' && index + 1 < original.size() &&
            NeedsDoubling(index > 0 ? original[index - 1] : QChar(), original[index + 1]))
            text += u'\\';
        if (Console::IsControl(character.unicode()))
            text += Console::Escape(character.unicode());
        else
            text += character;
    }
    return text;
}

bool GlyphComment::Name(QStringView text, std::string& name)
{
    QString original;
    for (qsizetype index = 0; index < text.size(); ++index) {
        const QChar character = text[index];
        const QChar next = index + 1 < text.size() ? text[index + 1] : QChar();
        if (character != u'\\') {
            original += character;
            continue;
        }
        const bool separates = index > 0 && ((next == u'/' && text[index - 1] == u'*') ||
                                             (next == u'*' && text[index - 1] == u'/'));
        QChar escaped;
        if (Console::ReadLetterEscape(next, escaped)) {
            original += escaped;
            ++index;
        } else if (next == u'x' && index + 3 < text.size() && HexDigit(text[index + 2]) >= 0 &&
                   HexDigit(text[index + 3]) >= 0) {
            original += QChar(HexDigit(text[index + 2]) * 16 + HexDigit(text[index + 3]));
            index += 3;
        } else if (!separates) {
            original += character;
        }
    }
    if (!GlyphName::IsLatin1(original))
        return false;
    name = GlyphName::FromString(original);
    return true;
}

QString GlyphComment::RowText(int code, const std::string* name)
{
    const QString start = code >= 0 ? Message::Hex(code) + QStringLiteral(": ") : QString();
    return name ? start + QLatin1String(GlyphWord) + Text(*name)
                : start + QLatin1String(NoGlyphWord);
}

// " Char = NAME ", " 0xHH: Char = NAME " or " 0xHH: no glyph ", as RowText and CArray write
// them.
bool GlyphComment::ReadRow(QStringView body, Row& row)
{
    if (body.size() < 2 || !body.startsWith(u' ') || !body.endsWith(u' '))
        return false;
    QStringView text = body.mid(1, body.size() - 2);
    row = Row();
    if (text.startsWith(u"0x") && text.size() >= 6 && text.mid(4, 2) == u": " &&
        HexDigit(text[2]) >= 0 && HexDigit(text[3]) >= 0) {
        row.code = HexDigit(text[2]) * 16 + HexDigit(text[3]);
        text = text.mid(6);
        if (text == QLatin1String(NoGlyphWord))
            return true;
    }
    if (!text.startsWith(QLatin1String(GlyphWord)))
        return false;
    row.hasGlyph = true;
    return Name(text.mid(qsizetype(sizeof GlyphWord) - 1), row.name);
}
