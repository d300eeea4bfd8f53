#include "FontFileWalk.h"

#include "FontFileGuard.h"

namespace {

// Elements by depth: the root is 1, a FontChar of a CharSet 2, its Byte elements 3; the text
// of a Byte includes that of any element inside it.
enum Depth { RootDepth = 1, GlyphDepth = 2, ByteDepth = 3 };

// The attribute of that qualified name, in one pass and compared as UTF-16, or null: value and
// hasAttribute would each look again, through a Latin-1 comparison, for every element.
const QXmlStreamAttribute* Find(const QXmlStreamAttributes& attributes, QStringView name)
{
    for (const QXmlStreamAttribute& attribute : attributes) {
        if (attribute.qualifiedName() == name)
            return &attribute;
    }
    return nullptr;
}

} // namespace

FontFileWalk::Outcome FontFileWalk::Walk(const QByteArray& bytes)
{
    if (const Status started = FontFileGuard::StartReading(bytes, _reader); !started) {
        _reason = started.Reason();
        return Outcome::Refused;
    }
    int depth = 0;
    bool prolog = true;
    bool doctypeSeen = false;
    while (!_reader.atEnd()) {
        if (_done)
            return Outcome::Stopped;
        switch (_reader.readNext()) {
        case QXmlStreamReader::DTD:
            // The stream reader lets a document type declaration through where the DOM
            // rejects it; both routes must agree on what parses.
            if (!prolog || doctypeSeen)
                _reader.raiseError(QStringLiteral("Unexpected document type declaration."));
            doctypeSeen = true;
            break;
        case QXmlStreamReader::StartElement:
            prolog = false;
            StartElement(++depth);
            break;
        case QXmlStreamReader::Characters:
        case QXmlStreamReader::EntityReference:
            if (_inByte && FontChar::IsByteText(_reader))
                _byteText += _reader.text();
            break;
        case QXmlStreamReader::EndElement:
            if (_inByte && depth == ByteDepth) {
                _inByte = false;
                Tell([this](Listener* listener) { listener->ByteEnd(_byteIndex, _byteText); });
            } else if (_inGlyph && depth == GlyphDepth) {
                _inGlyph = false;
                Tell([](Listener* listener) { listener->GlyphEnd(); });
            }
            --depth;
            break;
        default:
            break;
        }
    }
    if (_reader.hasError()) {
        _reason = _reader.errorString();
        return Outcome::NotWellFormed;
    }
    return Outcome::Read;
}

void FontFileWalk::StartElement(int depth)
{
    const QStringView name = _reader.qualifiedName();
    if (depth == RootDepth) {
        _charSet = name == QLatin1String("CharSet");
        Tell([name](Listener* listener) { listener->Root(name); });
    } else if (!_charSet) {
        // Nothing but a CharSet holds glyphs.
    } else if (depth == GlyphDepth) {
        if (name != QLatin1String("FontChar")) {
            Tell([name](Listener* listener) { listener->Passed(name, Place::InCharSet); });
            return;
        }
        _inGlyph = true;
        const QXmlStreamAttributes attributes = _reader.attributes();
        const QXmlStreamAttribute* const nameAttribute = Find(attributes, u"Char");
        const QStringView glyphName = nameAttribute ? nameAttribute->value() : QStringView();
        const bool named = nameAttribute != nullptr;
        Tell([&](Listener* listener) { listener->GlyphStart(glyphName, named); });
    } else if (depth == ByteDepth && _inGlyph) {
        if (name != QLatin1String("Byte")) {
            Tell([name](Listener* listener) { listener->Passed(name, Place::InGlyph); });
            return;
        }
        _inByte = true;
        _byteText.clear();
        const QXmlStreamAttributes attributes = _reader.attributes();
        const QXmlStreamAttribute* const indexAttribute = Find(attributes, u"Index");
        const QStringView index = indexAttribute ? indexAttribute->value() : QStringView();
        _byteIndex = FontChar::ReadByteIndex(index, indexAttribute != nullptr);
        Tell([&](Listener* listener) { listener->ByteStart(_byteIndex, index); });
    } else if (_inByte && depth > ByteDepth) {
        Tell([name](Listener* listener) { listener->Passed(name, Place::InByte); });
    }
}
