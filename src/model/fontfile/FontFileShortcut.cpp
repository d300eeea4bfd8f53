#include "FontFileShortcut.h"

#include "FontCharSet.h"
#include "FontFileGuard.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

class Cursor
{
public:
    explicit Cursor(const QByteArray& bytes)
        : _at(bytes.constData()), _end(bytes.constData() + bytes.size())
    {
    }

    bool AtEnd() const { return _at == _end; }

    // Steps over literal where the text goes on with it.
    bool Skip(const char* literal)
    {
        const size_t length = std::strlen(literal);
        if (size_t(_end - _at) < length || std::memcmp(_at, literal, length) != 0)
            return false;
        _at += length;
        return true;
    }

    // Steps over XML white space; false when there was none.
    bool SkipSpace()
    {
        const char* start = _at;
        while (_at != _end && (*_at == ' ' || *_at == '\n' || *_at == '\t' || *_at == '\r'))
            ++_at;
        return _at != start;
    }

    // An attribute value up to its closing double quote, which is stepped over: printable
    // ASCII, the predefined entities and characters beyond ASCII in UTF-8, none of which is
    // normalised. False on anything else.
    bool Value(QString& value)
    {
        static constexpr struct
        {
            const char* name;
            char16_t character;
        } Entities[] = {
            {"amp;", u'&'}, {"lt;", u'<'}, {"gt;", u'>'}, {"quot;", u'"'}, {"apos;", u'\''}};
        value.clear();
        while (_at != _end && *_at != '"') {
            const char* plain = _at;
            while (_at != _end && *_at >= ' ' && *_at <= '~' && *_at != '"' && *_at != '&' &&
                   *_at != '<')
                ++_at;
            value += QLatin1String(plain, _at - plain);
            if (_at == _end || *_at == '"')
                break;
            if (uchar(*_at) >= 0x80) {
                if (!Utf8(value))
                    return false;
                continue;
            }
            if (!Skip("&"))
                return false;
            const auto entity = std::find_if(std::begin(Entities), std::end(Entities),
                                             [this](const auto& e) { return Skip(e.name); });
            if (entity == std::end(Entities))
                return false;
            value += QChar(entity->character);
        }
        return Skip("\"");
    }

    // A name of ASCII letters.
    bool Name(QByteArray& name)
    {
        const char* start = _at;
        while (_at != _end && ((*_at >= 'a' && *_at <= 'z') || (*_at >= 'A' && *_at <= 'Z')))
            ++_at;
        name = QByteArray(start, _at - start);
        return _at != start;
    }

    // The text of a Byte element: ASCII letters and digits, at least one.
    bool ByteText(QString& text)
    {
        const char* start = _at;
        while (_at != _end && ((*_at >= '0' && *_at <= '9') || (*_at >= 'a' && *_at <= 'z') ||
                               (*_at >= 'A' && *_at <= 'Z')))
            ++_at;
        text = QLatin1String(start, _at - start);
        return _at != start;
    }

private:
    // One character beyond ASCII in well-formed UTF-8, appended to value. Only those that
    // every XML parser takes as they are: not the C1 controls, the non-characters or what is
    // not a character at all, which the parser judges.
    bool Utf8(QString& value)
    {
        const uchar lead = uchar(*_at);
        const int length = lead >= 0xC2 && lead <= 0xDF   ? 2
                           : lead >= 0xE0 && lead <= 0xEF ? 3
                           : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                          : 0;
        if (length == 0 || _end - _at < length)
            return false;
        char32_t code = lead & (0x7F >> length);
        for (int i = 1; i < length; ++i) {
            const uchar next = uchar(_at[i]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = code << 6 | (next & 0x3F);
        }
        static constexpr char32_t Least[] = {0, 0, 0x80, 0x800, 0x10000};
        const bool taken = code >= Least[length] && code >= 0xA0 && code <= 0x10FFFF &&
                           (code < 0xD800 || code > 0xDFFF) && (code < 0xFDD0 || code > 0xFDEF) &&
                           (code & 0xFFFE) != 0xFFFE;
        if (!taken)
            return false;
        _at += length;
        value += QStringView(QChar::fromUcs4(code));
        return true;
    }

    const char* _at;
    const char* _end;
};

// The root's start tag after its name: attributes named in ASCII letters, each once, within
// the guard's bound.
bool RootAttributes(Cursor& cursor)
{
    std::vector<QByteArray> names;
    QByteArray name;
    QString value;
    while (!cursor.Skip(">")) {
        if (!cursor.SkipSpace() || !cursor.Name(name) || !cursor.Skip("=\"") ||
            !cursor.Value(value) || std::find(names.begin(), names.end(), name) != names.end())
            return false;
        names.push_back(name);
        if (qsizetype(names.size()) > FontFileGuard::MaxAttributes)
            return false;
    }
    return true;
}

// One FontChar element after its start tag, up to and with its end tag.
bool Glyph(Cursor& cursor, FontChar& glyph, qint64& elements)
{
    QString index;
    QString text;
    for (;;) {
        cursor.SkipSpace();
        if (cursor.Skip("</FontChar>"))
            return true;
        if (!cursor.Skip("<Byte Index=\"") || !cursor.Value(index) || !cursor.Skip(">") ||
            !cursor.ByteText(text) || !cursor.Skip("</Byte>") ||
            ++elements > FontFileGuard::MaxElements)
            return false;
        glyph.ReadXmlByte(FontChar::ReadByteIndex(index, true), text);
    }
}

} // namespace

std::unique_ptr<FontCharSet> FontFileShortcut::Read(const QByteArray& bytes)
{
    Cursor cursor(bytes);
    if (bytes.size() > FontFileGuard::MaxFileSize ||
        !cursor.Skip(FontFileGuard::WrittenDeclaration))
        return nullptr;
    cursor.SkipSpace();
    if (!cursor.Skip("<CharSet") || !RootAttributes(cursor))
        return nullptr;
    auto set = std::make_unique<FontCharSet>(FontCharSet::Start::Empty);
    qint64 elements = 1;
    qint64 glyphs = 0;
    QString name;
    for (;;) {
        cursor.SkipSpace();
        if (cursor.Skip("</CharSet>"))
            break;
        if (!cursor.Skip("<FontChar Char=\"") || !cursor.Value(name) || !cursor.Skip(">") ||
            ++glyphs > FontFileGuard::MaxGlyphs || ++elements > FontFileGuard::MaxElements)
            return nullptr;
        auto glyph = std::make_unique<FontChar>();
        if (!Glyph(cursor, *glyph, elements))
            return nullptr;
        set->StoreRead(name, std::move(glyph));
    }
    cursor.SkipSpace();
    return cursor.AtEnd() ? std::move(set) : nullptr;
}
