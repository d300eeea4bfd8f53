#include "FontCharSet.h"

#include "CSourceWriter.h"

#include <QDomElement>
#include <QTextStream>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <memory>

namespace {

// Labels of the default character table in table order; the numbers run from 00 to 86
// without 11. The four bytes above 127 are the Latin-1 signs ², ±, ® and ©.
constexpr char DefaultLabels[] = "abcdefghijklmnopqrstuvwxyz"
                                 "ABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                 "0123456789"
                                 "<>+-=,;.[]()*\"'/\\:"
                                 "\xB2\xB1@\xAE\xA9";
constexpr int SkippedNumber = 11;
constexpr char LastLabel[] = "Space";

std::string DefaultName(int number, const std::string& label)
{
    std::string name = "C";
    name += char('0' + number / 10);
    name += char('0' + number % 10);
    name += "  ";
    name += label;
    return name;
}

} // namespace

FontCharSet::FontCharSet()
{
    // The destructor does not run for a constructor that throws: release what was built.
    try {
        const int singleLabels = int(sizeof DefaultLabels) - 1;
        for (int index = 0; index <= singleLabels; ++index) {
            const int number = index < SkippedNumber ? index : index + 1;
            const std::string label = index < singleLabels ? std::string(1, DefaultLabels[index])
                                                           : std::string(LastLabel);
            auto glyph = std::make_unique<FontChar>();
            FontChar*& slot = At(DefaultName(number, label));
            slot = glyph.release();
        }
    } catch (...) {
        Clear();
        throw;
    }
}

FontCharSet::~FontCharSet()
{
    Clear();
}

FontChar*& FontCharSet::At(const std::string& name)
{
    return _glyphs.try_emplace(name, nullptr).first->second;
}

void FontCharSet::WriteXml(QXmlStreamWriter& writer) const
{
    writer.setAutoFormatting(true);
    writer.writeStartDocument();
    writer.writeStartElement(QStringLiteral("CharSet"));
    writer.writeAttribute(QStringLiteral("version"), QStringLiteral("b100915"));
    writer.writeAttribute(QStringLiteral("comment"), QStringLiteral("Vandrell/Pimsel"));
    for (const auto& [name, glyph] : _glyphs) {
        writer.writeStartElement(QStringLiteral("FontChar"));
        writer.writeAttribute(QStringLiteral("Char"), NameToString(name));
        glyph->WriteXml(writer);
        writer.writeEndElement();
    }
    // Closes CharSet and ends the last line.
    writer.writeEndDocument();
}

void FontCharSet::ReadXml(const QDomElement& root)
{
    if (root.tagName() != QLatin1String("CharSet"))
        return;
    Clear();
    for (QDomNode node = root.firstChild(); !node.isNull(); node = node.nextSibling()) {
        const QDomElement element = node.toElement();
        if (element.isNull() || element.tagName() != QLatin1String("FontChar"))
            continue;
        auto glyph = std::make_unique<FontChar>();
        glyph->ReadXml(element);
        StoreRead(element.attribute(QStringLiteral("Char")), std::move(glyph));
    }
}

bool FontCharSet::ReadXml(QXmlStreamReader& reader, QString* rootName)
{
    // Elements by depth: the root is 1, a FontChar of a CharSet 2, its Byte elements 3; the
    // text of a Byte includes that of any element inside it.
    enum Depth { Root = 1, Glyph = 2, Column = 3 };
    int depth = 0;
    bool charSet = false;
    bool prolog = true;
    bool doctypeSeen = false;
    std::unique_ptr<FontChar> glyph;
    QString glyphName;
    bool inByte = false;
    QString byteIndex;
    QString byteText;

    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::DTD:
            // The stream reader lets a document type declaration through where the DOM
            // rejects it; both routes must agree on what parses.
            if (!prolog || doctypeSeen)
                reader.raiseError(QStringLiteral("Unexpected document type declaration."));
            doctypeSeen = true;
            break;
        case QXmlStreamReader::StartElement:
            ++depth;
            if (depth == Root) {
                prolog = false;
                if (rootName)
                    *rootName = reader.qualifiedName().toString();
                charSet = reader.qualifiedName() == QLatin1String("CharSet");
                if (charSet)
                    Clear();
            } else if (charSet && depth == Glyph &&
                       reader.qualifiedName() == QLatin1String("FontChar")) {
                glyph = std::make_unique<FontChar>();
                glyphName = reader.attributes().value(QLatin1String("Char")).toString();
            } else if (glyph && depth == Column &&
                       reader.qualifiedName() == QLatin1String("Byte")) {
                inByte = true;
                byteIndex = reader.attributes().value(QLatin1String("Index")).toString();
                byteText.clear();
            }
            break;
        case QXmlStreamReader::Characters:
        case QXmlStreamReader::EntityReference:
            if (inByte && FontChar::IsByteText(reader))
                byteText += reader.text();
            break;
        case QXmlStreamReader::EndElement:
            if (inByte && depth == Column) {
                glyph->ReadXmlByte(byteIndex, byteText);
                inByte = false;
            } else if (glyph && depth == Glyph) {
                StoreRead(glyphName, std::move(glyph));
            }
            --depth;
            break;
        default:
            break;
        }
    }
    return !reader.hasError();
}

void FontCharSet::StoreRead(const QString& name, std::unique_ptr<FontChar> glyph)
{
    FontChar*& slot = At(NameFromString(name));
    delete slot;
    slot = glyph.release();
}

void FontCharSet::ExportC(QTextStream& stream) const
{
    CSourceWriter().WriteArray(*this, stream);
}

void FontCharSet::ExportCSource(QTextStream& stream) const
{
    CSourceWriter().WriteSource(*this, stream);
}

bool FontCharSet::operator==(const FontCharSet& other) const
{
    if (_glyphs.size() != other._glyphs.size())
        return false;
    auto theirs = other._glyphs.begin();
    for (const auto& [name, glyph] : _glyphs) {
        if (name != theirs->first)
            return false;
        if ((glyph == nullptr) != (theirs->second == nullptr))
            return false;
        if (glyph && *glyph != *theirs->second)
            return false;
        ++theirs;
    }
    return true;
}

QString FontCharSet::NameToString(const std::string& name)
{
    return QString::fromLatin1(name.data(), qsizetype(name.size()));
}

std::string FontCharSet::NameFromString(const QString& text)
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

QString FontCharSet::VisibleText(QStringView text)
{
    QString visible;
    visible.reserve(text.size());
    for (const QChar character : text) {
        const char16_t code = character.unicode();
        if (code >= 0x20 && code != 0x7F && (code < 0x80 || code > 0x9F) && code != 0x2028 &&
            code != 0x2029) {
            visible += character;
        } else if (code == u'\t') {
            visible += QLatin1String("\\t");
        } else if (code == u'\n') {
            visible += QLatin1String("\\n");
        } else if (code == u'\r') {
            visible += QLatin1String("\\r");
        } else if (code > 0xFF) {
            visible += QStringLiteral("\\u%1").arg(int(code), 4, 16, QLatin1Char('0'));
        } else {
            visible += QStringLiteral("\\x%1").arg(int(code), 2, 16, QLatin1Char('0'));
        }
    }
    return visible;
}

int FontCharSet::CharacterCode(const std::string& name)
{
    const size_t spaces = name.find("  ");
    const std::string label = spaces == std::string::npos ? name : name.substr(spaces + 2);
    if (label.size() == 1)
        return int(quint8(label.front()));
    return label == LastLabel ? int(' ') : -1;
}

// A name comes from a font file and is compiled into firmware inside a comment, so no name
// may end that comment or reach the next line: "*/" would end it, a line break (after a
// backslash, or the trigraph ??/) would splice the next line into it, and "/*" makes the
// compiler warn. Control characters are written as escapes, and a backslash goes between
// the two characters of "*/" and of "/*".
QString FontCharSet::CommentText(const std::string& name)
{
    const QString visible = VisibleText(NameToString(name));
    QString text;
    text.reserve(visible.size());
    for (const QChar character : visible) {
        if (!text.isEmpty() && ((text.back() == u'*' && character == u'/') ||
                                (text.back() == u'/' && character == u'*')))
            text += u'\\';
        text += character;
    }
    return text;
}

FontCharSet::Characters FontCharSet::CharacterMap(std::vector<quint32>* repeated) const
{
    Characters glyphs;
    glyphs.fill(NoGlyph);
    quint32 index = 0;
    for (const auto& entry : _glyphs) {
        const int code = CharacterCode(entry.first);
        if (code >= 0 && glyphs[size_t(code)] == NoGlyph)
            glyphs[size_t(code)] = index;
        else if (code >= 0 && repeated)
            repeated->push_back(index);
        ++index;
    }
    return glyphs;
}

void FontCharSet::Clear()
{
    for (auto& entry : _glyphs) {
        delete entry.second;
        entry.second = nullptr;
    }
    _glyphs.clear();
}
