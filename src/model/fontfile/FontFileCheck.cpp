#include "FontFileCheck.h"

#include "CharacterMap.h"
#include "FontCharSet.h"
#include "FontFileReader.h"
#include "GlyphName.h"
#include "Message.h"

#include <algorithm>
#include <utility>
#include <vector>

QList<FontFileCheck::Problem> FontFileCheck::Check(const QByteArray& bytes,
                                                   std::unique_ptr<FontCharSet>* font,
                                                   qsizetype* changed)
{
    FontFileWalk walk;
    FontFileReader reader;
    FontFileCheck check(walk, reader);
    walk.Listen(&reader);
    walk.Listen(&check);
    const FontFileWalk::Outcome outcome = walk.Walk(bytes);
    bool malformed = false;
    if (outcome == FontFileWalk::Outcome::Refused) {
        check.Report(1, QStringLiteral("the editor refuses this file: ") + walk.Reason());
    } else if (check.IsDone()) {
        check.Stop(walk.Line());
    } else if (outcome == FontFileWalk::Outcome::NotWellFormed) {
        malformed = true;
        check.Report(walk.Line(), Message::Text(u"not well-formed XML (column %1: %2): the editor "
                                                u"does not open this file",
                                                {walk.Column(), walk.Reason()}));
    } else if (reader.IsCharSet()) {
        check.CheckFont();
        if (font)
            *font = reader.TakeFont();
    }
    if (changed) {
        *changed = std::count_if(check._problems.begin(), check._problems.end(),
                                 [](const Problem& problem) { return !problem.rewriteKeeps; });
    }
    std::stable_sort(check._problems.begin(), check._problems.end(),
                     [](const Problem& a, const Problem& b) { return a.line < b.line; });
    // A file that is not well-formed is not opened at all, and what the walk found before the
    // fault (elements skipped because a closing tag is missing) follows from it: its cause
    // comes first.
    if (malformed)
        std::rotate(check._problems.begin(), check._problems.end() - 1, check._problems.end());
    // What only the whole font shows comes on top of a full walk: the report keeps the first
    // problems by line, so that everything before its closing line is there.
    if (check._problems.size() > MaxProblems || check._unreported) {
        check._problems.resize(MaxProblems);
        check.Stop(check._problems.last().line);
    }
    return check._problems;
}

FontFileCheck::FontFileCheck(const FontFileWalk& walk, const FontFileReader& reader)
    : _walk(walk), _reader(reader)
{
}

void FontFileCheck::Report(qint64 line, const QString& message, bool rewriteKeeps)
{
    _problems.append({line, message, rewriteKeeps});
}

// A file of a million problems would give a report nobody reads, at the cost of gigabytes.
void FontFileCheck::Stop(qint64 line)
{
    Report(line, Message::Text(u"the check stops here, after %1 problems", {MaxProblems}), true);
}

void FontFileCheck::Root(QStringView name)
{
    if (name != QLatin1String("CharSet")) {
        Report(_walk.Line(), Message::Text(u"the root element is <%1>, not <CharSet>: the "
                                           u"editor does not open this file",
                                           {Message::Shown(name)}));
    }
}

void FontFileCheck::GlyphStart(QStringView name, bool named)
{
    std::fill(std::begin(_columnsSeen), std::end(_columnsSeen), false);
    const qint64 line = _walk.Line();
    if (!named) {
        Report(line,
               QStringLiteral("<FontChar> has no Char attribute: the glyph is stored under "
                              "the empty name"),
               true);
    }
    if (!GlyphName::IsLatin1(name)) {
        Report(line, Message::Text(u"Char %1 has characters outside Latin-1: each becomes \"?\"",
                                   {Message::Quoted(name)}));
    }
    const std::string stored = GlyphName::FromString(name);
    const auto [earlier, first] = _nameLines.try_emplace(stored, line);
    if (!first) {
        Report(line, Message::Text(u"Char %1 was already used on line %2: this later glyph "
                                   u"replaces it",
                                   {GlyphName::Quoted(stored), earlier->second}));
        earlier->second = line;
    }
}

void FontFileCheck::ByteStart(const FontChar::ByteIndex& index, QStringView indexText)
{
    _byteLine = _walk.Line();
    switch (index.reading) {
    case FontChar::ByteIndex::Reading::Missing:
        Report(_byteLine, QStringLiteral("<Byte> has no Index: it is read as column 0"));
        break;
    case FontChar::ByteIndex::Reading::NotDecimal:
        Report(_byteLine, Message::Text(u"Index %1 is not a decimal number: it is read as column 0",
                                        {Message::Quoted(indexText)}));
        break;
    case FontChar::ByteIndex::Reading::Decimal:
        break;
    }
    if (!index.IsUsed()) {
        Report(_byteLine,
               Message::Text(u"Index %1 is outside 0 to 4: the <Byte> is ignored", {index.column}));
        return;
    }
    if (_columnsSeen[index.column]) {
        Report(_byteLine,
               Message::Text(u"column %1 is given again: the last <Byte> wins", {index.column}));
    }
    _columnsSeen[index.column] = true;
}

void FontFileCheck::ByteEnd(const FontChar::ByteIndex& index, QStringView text)
{
    if (!index.IsUsed())
        return;
    const FontChar::ByteValue value = FontChar::ReadByteValue(text);
    if (!value.isNumber) {
        Report(_byteLine, Message::Text(u"value %1 is not a hexadecimal number of 32 bits: it is "
                                        u"read as 0",
                                        {Message::Quoted(text.trimmed())}));
    } else if (value.IsCut()) {
        Report(_byteLine,
               Message::Text(u"value %1 is outside 0 to ff: it is cut to %2",
                             {Message::Quoted(text.trimmed()), QString::number(value.Byte(), 16)}));
    }
}

void FontFileCheck::Passed(QStringView element, FontFileWalk::Place place)
{
    switch (place) {
    case FontFileWalk::Place::InCharSet:
        Report(_walk.Line(),
               Message::Text(u"<%1> is skipped: <CharSet> holds only <FontChar> elements",
                             {Message::Shown(element)}));
        break;
    case FontFileWalk::Place::InGlyph:
        Report(_walk.Line(),
               Message::Text(u"<%1> is skipped: <FontChar> holds only <Byte> elements",
                             {Message::Shown(element)}));
        break;
    case FontFileWalk::Place::InByte:
        Report(_walk.Line(), Message::Text(u"<%1> inside <Byte>: its text is joined into the value",
                                           {Message::Shown(element)}));
        break;
    }
}

// Each glyph that stands for a character an earlier glyph of the array already stands for,
// on the line of its FontChar element.
void FontFileCheck::CheckFont()
{
    const FontCharSet& set = _reader.Font();
    if (set.Count() == 0) {
        Report(1,
               QStringLiteral("the font has no glyphs: its C export is an array without rows, "
                              "which C and C++ forbid"),
               true);
        return;
    }
    const CharacterMap map(set);
    // Only the first of them by line can be in the report: a million glyphs for one character
    // are not formatted a million times.
    std::vector<std::pair<qint64, quint32>> repeated; // the line, the index
    repeated.reserve(map.Repeated().size());
    for (const quint32 index : map.Repeated()) {
        const auto line = _nameLines.find(map.Name(index));
        repeated.emplace_back(line == _nameLines.end() ? 0 : line->second, index);
    }
    const size_t reported = std::min(repeated.size(), size_t(MaxProblems));
    std::partial_sort(repeated.begin(), repeated.begin() + qsizetype(reported), repeated.end());
    _unreported = repeated.size() > reported;
    for (size_t rank = 0; rank < reported; ++rank) {
        const auto [line, index] = repeated[rank];
        const std::string& name = map.Name(index);
        const int code = CharacterMap::Code(name);
        Report(
            line,
            Message::Text(u"Char %1 stands for the character %2 (%3) like Char %4, which comes "
                          u"first in the array: the character map keeps that one",
                          {GlyphName::Quoted(name), Message::Quoted(QString(QChar(code))),
                           Message::Hex(code), GlyphName::Quoted(map.Name(map.GlyphIndex(code)))}),
            true);
    }
}
