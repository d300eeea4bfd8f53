#include "GlyphComment.h"

#include "GlyphName.h"
#include "Message.h"
#include "NumberText.h"
#include "TextEscape.h"

namespace {

// How the comment of a row begins: the glyph's name follows the first.
constexpr char GlyphWord[] = "Char = ";
constexpr char NoGlyphWord[] = "no glyph";

int HexDigit(QChar character)
{
    return NumberText::Digit(character.unicode(), 16);
}

} // namespace

// A name comes from a font file and is compiled into firmware inside a comment, so no name
// may end that comment or reach the next line, and the comment gives the name back.
QString GlyphComment::Text(const std::string& name)
{
    return TextEscape::Escaped(GlyphName::ToString(name), TextEscape::Where::CComment);
}

bool GlyphComment::Name(QStringView text, std::string& name)
{
    QString original;
    if (!TextEscape::Unescaped(text, TextEscape::Where::CComment, original) ||
        !GlyphName::IsLatin1(original))
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
