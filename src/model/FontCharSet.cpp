#include "FontCharSet.h"

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
        DeleteGlyphs();
        throw;
    }
}

FontCharSet::~FontCharSet()
{
    DeleteGlyphs();
}

FontChar*& FontCharSet::At(const std::string& name)
{
    return _glyphs.try_emplace(name, nullptr).first->second;
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

void FontCharSet::DeleteGlyphs()
{
    for (auto& entry : _glyphs) {
        delete entry.second;
        entry.second = nullptr;
    }
    _glyphs.clear();
}
