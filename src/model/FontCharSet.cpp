#include "FontCharSet.h"

#include "GlyphName.h"

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

FontCharSet::FontCharSet(Start start)
{
    if (start == Start::Empty)
        return;
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
        writer.writeAttribute(QStringLiteral("Char"), GlyphName::ToString(name));
        glyph->WriteXml(writer);
        writer.writeEndElement();
    }
    // Closes CharSet and ends the last line.
    writer.writeEndDocument();
}

void FontCharSet::StoreRead(QStringView name, std::unique_ptr<FontChar> glyph)
{
    FontChar*& slot = At(GlyphName::FromString(name));
    delete slot;
    slot = glyph.release();
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

void FontCharSet::Clear()
{
    for (auto& entry : _glyphs) {
        delete entry.second;
        entry.second = nullptr;
    }
    _glyphs.clear();
}

std::unique_ptr<FontChar> FontCharSet::Take(const std::string& name)
{
    const auto entry = _glyphs.find(name);
    if (entry == _glyphs.end())
        return nullptr;
    std::unique_ptr<FontChar> glyph(entry->second);
    _glyphs.erase(entry);
    return glyph;
}
