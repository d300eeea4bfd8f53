#include "FontFileGuard.h"

#include "Message.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <QXmlStreamReader>

#include <algorithm>
#include <cstring>

namespace {

struct Shape
{
    int depth = 0;
    int maxDepth = 0;
    int maxAttributes = 0;
    qint64 rootChildren = 0;
    qint64 elements = 0;
    bool internalSubset = false;
};

// Where the ASCII text what starts in text at or after from, or -1.
template <typename Char>
qsizetype Find(const Char* text, qsizetype size, qsizetype from, const char* what)
{
    const char* whatEnd = what + std::strlen(what);
    const Char* found = std::search(text + from, text + size, what, whatEnd,
                                    [](Char a, char b) { return a == Char(b); });
    return found == text + size ? -1 : found - text;
}

template <typename Char>
bool StartsWith(const Char* text, qsizetype size, qsizetype at, const char* what)
{
    const qsizetype length = qsizetype(std::strlen(what));
    return at + length <= size && Find(text, at + length, at, what) == at;
}

// Where the comment, CDATA section or processing instruction that starts at at ends, just
// past it: at itself where none starts there (a start or end tag, the common case), -1 where
// it does not end.
template <typename Char>
qsizetype SkipMarkup(const Char* text, qsizetype size, qsizetype at)
{
    struct Skipped
    {
        const char* start;
        const char* end;
    };
    static constexpr Skipped Skips[] = {{"<!--", "-->"}, {"<![CDATA[", "]]>"}, {"<?", "?>"}};
    const Char next = at + 1 < size ? text[at + 1] : Char(0);
    if (next != Char('!') && next != Char('?'))
        return at;
    for (const Skipped& skip : Skips) {
        if (StartsWith(text, size, at, skip.start)) {
            const qsizetype end =
                Find(text, size, at + qsizetype(std::strlen(skip.start)), skip.end);
            return end < 0 ? -1 : end + qsizetype(std::strlen(skip.end));
        }
    }
    return at;
}

// Where the tag that starts at at ends (its '>', or size), how many '=' it holds outside
// quoted values, and whether it is a declaration that opens an internal subset.
struct Tag
{
    qsizetype end = 0;
    int equalSigns = 0;
    bool internalSubset = false;
};

template <typename Char>
Tag ScanTag(const Char* text, qsizetype size, qsizetype at, bool declaration)
{
    Tag tag;
    Char quote = 0;
    for (tag.end = at + 1; tag.end < size; ++tag.end) {
        const Char character = text[tag.end];
        if (quote) {
            if (character == quote)
                quote = 0;
        } else if (character == Char('"') || character == Char('\'')) {
            quote = character;
        } else if (character == Char('=')) {
            ++tag.equalSigns;
        } else if (character == Char('>')) {
            break;
        } else if (declaration && character == Char('[')) {
            // Entity and attribute-list declarations: nothing a font file needs, and
            // what would let a small file make the parser's work grow without bound.
            tag.internalSubset = true;
            break;
        }
    }
    return tag;
}

// One linear pass over the markup that finds the nesting depth, the largest number of
// attributes in one tag and whether the document type declaration has an internal subset,
// without parsing: comments, CDATA and processing instructions are stepped over, quoted
// values are not looked into. Malformed input is left for the parser to reject. The text is
// UTF-16, or UTF-8 bytes, in which every byte of markup is the ASCII character itself.
template <typename Char>
Shape MeasureShape(const Char* text, qsizetype size, int depthLimit)
{
    Shape shape;
    qsizetype at = 0;
    while (at < size) {
        at = std::find(text + at, text + size, Char('<')) - text;
        if (at >= size)
            break;
        const qsizetype skipped = SkipMarkup(text, size, at);
        if (skipped < 0)
            break;
        if (skipped != at) {
            at = skipped;
            continue;
        }

        const bool declaration = at + 1 < size && text[at + 1] == Char('!');
        const bool endTag = at + 1 < size && text[at + 1] == Char('/');
        const Tag tag = ScanTag(text, size, at, declaration);
        if (tag.internalSubset) {
            shape.internalSubset = true;
            return shape;
        }
        const qsizetype end = tag.end;
        const int equalSigns = tag.equalSigns;
        if (end >= size)
            break;
        if (!declaration) {
            shape.maxAttributes = std::max(shape.maxAttributes, equalSigns);
            if (endTag) {
                shape.depth = std::max(0, shape.depth - 1);
            } else {
                ++shape.elements;
                if (shape.depth == 1)
                    ++shape.rootChildren;
                if (text[end - 1] != Char('/'))
                    shape.maxDepth = std::max(shape.maxDepth, ++shape.depth);
            }
            if (shape.maxDepth > depthLimit)
                break;
        }
        at = end + 1;
    }
    return shape;
}

// Whether a conforming parser reads these bytes as UTF-8: no byte order mark but UTF-8's,
// no first character in UTF-16 or UTF-32, and no XML declaration, or one that names UTF-8
// in the only form the grammar allows. Anything else is decoded before parsing.
bool ReadsAsUtf8(const QByteArray& bytes)
{
    const auto found = QStringConverter::encodingForData(bytes, u'<');
    if (found && *found != QStringConverter::Utf8)
        return false;
    const qsizetype start = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    if (bytes.size() < start + 5 || qstrnicmp(bytes.constData() + start, "<?xml", 5) != 0)
        return true;
    // The declaration that the program itself writes, which the expression below matches: its
    // compilation alone costs a converter's start more than the rest of this guard.
    if (QByteArrayView(bytes).sliced(start).startsWith(FontFileGuard::WrittenDeclaration))
        return true;
    static const QRegularExpression declaration(
        QStringLiteral(
            R"re(^<\?xml[ \t\r\n]+version[ \t\r\n]*=[ \t\r\n]*("1\.[0-9]+"|'1\.[0-9]+'))re"
            R"re(([ \t\r\n]+encoding[ \t\r\n]*=[ \t\r\n]*("utf-8"|'utf-8'))?)re"
            R"re(([ \t\r\n]+standalone[ \t\r\n]*=[ \t\r\n]*("(yes|no)"|'(yes|no)'))?)re"
            R"re([ \t\r\n]*\?>)re"),
        QRegularExpression::CaseInsensitiveOption);
    return declaration.match(QString::fromLatin1(bytes.mid(start, 256))).hasMatch();
}

// The text of a file that is not read as UTF-8, in the encoding that its byte order mark or
// its declaration names: given text, the reader ignores the encoding that the declaration
// names. A failure, with the reason, for an encoding that is not supported or text not valid
// in it.
Status Decode(const QByteArray& bytes, QString& text)
{
    auto encoding = QStringConverter::encodingForData(bytes, u'<');
    QStringDecoder decoder;
    QString name;
    if (encoding) {
        decoder = QStringDecoder(*encoding);
        name = QString::fromLatin1(QStringConverter::nameForEncoding(*encoding));
    } else {
        static const QRegularExpression declared(QStringLiteral(
            R"re(^(?:\xEF\xBB\xBF)?<\?xml\s[^>]*?\bencoding\s*=\s*["']([^"']*)["'])re"));
        name = declared.match(QString::fromLatin1(bytes.left(256))).captured(1);
        if (name.isEmpty())
            name = QStringLiteral("UTF-8");
        decoder = QStringDecoder(name.toLatin1().constData());
    }
    if (!decoder.isValid()) {
        return Status::Failure(
            Message::Text(u"the encoding %1 is not supported", {Message::Quoted(name)}));
    }
    text = decoder(bytes);
    if (decoder.hasError()) {
        return Status::Failure(
            Message::Text(u"the file is not valid %1 text", {Message::Shown(name)}));
    }
    return Status();
}

} // namespace

Status FontFileGuard::StartReading(const QByteArray& bytes, QXmlStreamReader& reader)
{
    if (bytes.size() > MaxFileSize) {
        return Status::Failure(
            Message::Text(u"the file is too large to be a font file (%1 bytes)", {bytes.size()}));
    }
    Shape shape;
    if (ReadsAsUtf8(bytes)) {
        shape = MeasureShape(bytes.constData(), bytes.size(), MaxDepth);
        reader.addData(bytes);
    } else {
        QString text;
        if (Status decoded = Decode(bytes, text); !decoded)
            return decoded;
        shape = MeasureShape(reinterpret_cast<const char16_t*>(text.constData()), text.size(),
                             MaxDepth);
        reader.addData(text);
    }
    reader.setNamespaceProcessing(false);

    if (shape.internalSubset) {
        return Status::Failure(
            QStringLiteral("the document type declaration has an internal subset "
                           "(entity or attribute declarations), which a font file "
                           "never holds"));
    }
    if (shape.maxDepth > MaxDepth) {
        return Status::Failure(Message::Text(u"elements are nested more than %1 deep", {MaxDepth}));
    }
    if (shape.elements > MaxElements) {
        return Status::Failure(Message::Text(u"the file has more than %1 elements (%2)",
                                             {MaxElements, shape.elements}));
    }
    if (shape.rootChildren > MaxGlyphs) {
        return Status::Failure(Message::Text(u"the root element has more than %1 children (%2)",
                                             {MaxGlyphs, shape.rootChildren}));
    }
    if (shape.maxAttributes > MaxAttributes) {
        return Status::Failure(Message::Text(u"an element has more than %1 attributes (%2)",
                                             {MaxAttributes, shape.maxAttributes}));
    }
    return Status();
}
