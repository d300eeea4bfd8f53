#include "CTableImport.h"

#include "CSourceWriter.h"
#include "CTableReader.h"
#include "CharacterMap.h"
#include "FontCharSet.h"
#include "GlyphComment.h"
#include "Message.h"
#include "MessageList.h"

#include <QStringDecoder>

#include <algorithm>

#include <memory>
#include <set>
#include <string>
#include <utility>

namespace {

// The comments' text as the source was written: a file that Pixmint writes is in one
// encoding, UTF-8 or the locale's (Latin-1 where a name's bytes are not UTF-8).
class CommentDecoder
{
public:
    explicit CommentDecoder(const CTableReader& reader)
    {
        // The decoding happens when the result becomes a string.
        QStringDecoder utf8(QStringDecoder::Utf8);
        QString text = utf8.decode(reader.LeadingComment());
        for (const CTableReader::RowComment& comment : reader.RowComments())
            text = utf8.decode(reader.Text(comment));
        _utf8 = !utf8.hasError();
    }
    QString operator()(const QByteArray& text) const
    {
        return _utf8 ? QString::fromUtf8(text) : QString::fromLatin1(text);
    }

private:
    bool _utf8 = true;
};

// What the comment after each glyph's bytes says, where it is one that CArray writes.
std::vector<std::optional<GlyphComment::Row>> RowComments(const CTableReader& reader,
                                                          const CommentDecoder& decode,
                                                          qsizetype bytes, qsizetype count)
{
    std::vector<std::optional<GlyphComment::Row>> rows(static_cast<size_t>(count));
    for (const CTableReader::RowComment& comment : reader.RowComments()) {
        GlyphComment::Row row;
        if (comment.values % bytes == 0 && comment.values > 0 &&
            !rows[size_t(comment.values / bytes - 1)] &&
            GlyphComment::ReadRow(decode(reader.Text(comment)), row))
            rows[size_t(comment.values / bytes - 1)] = row;
    }
    return rows;
}

// Pixmint's array of glyphs: every row's comment names its glyph, no two alike.
bool NamesFromComments(const std::vector<std::optional<GlyphComment::Row>>& rows,
                       std::vector<std::optional<std::string>>& names)
{
    std::set<std::string> seen;
    for (size_t index = 0; index < rows.size(); ++index) {
        if (!rows[index] || !rows[index]->hasGlyph || rows[index]->code >= 0 ||
            !seen.insert(rows[index]->name).second)
            return false;
        names[index] = rows[index]->name;
    }
    return true;
}

// Glyph i for the code first + i; in a table of codes that Pixmint wrote, a row without a
// glyph is none, and a row keeps the name its comment gives where that stands for its code.
void NamesFromCodes(const std::vector<std::optional<GlyphComment::Row>>& rows, int first,
                    std::vector<std::optional<std::string>>& names)
{
    for (size_t index = 0; index < rows.size(); ++index) {
        const int code = first + int(index);
        const std::optional<GlyphComment::Row>& row = rows[index];
        if (row && row->code == code && !row->hasGlyph)
            continue;
        names[index] = row && row->code == code && CharacterMap::Code(row->name) == code
                           ? row->name
                           : CharacterMap::NewGlyphName(code);
    }
}

// Each glyph's bytes in the layout; a failure, with the reason, for values that are no whole
// number of glyphs, or bits set that the layout leaves zero.
Status Decode(const CTableReader& reader, CArray::Layout layout, std::vector<FontChar>& glyphs)
{
    const QByteArray& values = reader.Values();
    const QString name = QString::fromLatin1(reader.Name());
    const qsizetype bytes = qsizetype(CArray::ByteCount(layout));
    if (values.isEmpty() || values.size() % bytes != 0) {
        return Status::Failure(
            Message::Text(u"the array %1 holds %2 bytes, which is no "
                          u"multiple of the %3 bytes a glyph of the "
                          u"layout %4 takes",
                          {name, values.size(), bytes, CArray::LayoutName(layout)}));
    }
    glyphs.resize(size_t(values.size() / bytes));
    for (size_t index = 0; index < glyphs.size(); ++index) {
        const auto* glyph =
            reinterpret_cast<const quint8*>(values.constData()) + qsizetype(index) * bytes;
        if (!CArray::Glyph(glyph, layout, glyphs[index])) {
            return Status::Failure(Message::Text(u"glyph %1 of %2 has bits set that the "
                                                 u"layout %3 leaves zero: is it another "
                                                 u"layout?",
                                                 {index, name, CArray::LayoutName(layout)}));
        }
    }
    return Status();
}

// Each glyph's name, none for a row of a table of codes without a glyph: those that the rows'
// comments give, where the table may be an array of glyphs that Pixmint wrote, else by code
// from first on. An array of glyphs that Pixmint wrote has a comment for each row; any other
// table must fit the codes, which is known before the rows' comments are read.
Status Names(const CTableReader& reader, const CommentDecoder& decode, bool mayBeNamed, int first,
             qsizetype bytes, qsizetype count, std::vector<std::optional<std::string>>& names)
{
    const qsizetype last = first + count - 1;
    const auto rows = RowComments(reader, decode, bytes, count);
    names.assign(size_t(count), std::nullopt);
    if (mayBeNamed && NamesFromComments(rows, names))
        return Status();
    if (last > CodeRange::MaxCode) {
        return Status::Failure(Message::Text(u"the rows' comments do not name its %1 "
                                             u"glyphs, and their codes would go beyond %2",
                                             {count, CodeRange::MaxCode}));
    }
    NamesFromCodes(rows, first, names);
    return Status();
}

bool InCodes(const std::vector<CodeRange>& codes, int code)
{
    for (const CodeRange& range : codes) {
        if (range.Contains(code))
            return true;
    }
    return false;
}

// The glyphs that have a name and, where codes are asked for, stand for one of them, in place
// of the set's; the notes name the codes asked for that no glyph stands for.
void Store(const std::vector<std::optional<std::string>>& names,
           const std::vector<FontChar>& glyphs, const std::vector<CodeRange>& codes,
           FontCharSet& set, MessageList* notes)
{
    std::set<int> found;
    FontCharSet made;
    made.Clear();
    for (size_t index = 0; index < names.size(); ++index) {
        const int code = names[index] ? CharacterMap::Code(*names[index]) : -1;
        if (!names[index] || (!codes.empty() && !InCodes(codes, code)))
            continue;
        found.insert(code);
        made.At(*names[index]) = new FontChar(glyphs[index]);
    }
    std::vector<int> lacking;
    for (int code = 0; code <= CodeRange::MaxCode; ++code) {
        if (InCodes(codes, code) && found.count(code) == 0)
            lacking.push_back(code);
    }
    if (notes && !lacking.empty())
        *notes << QStringLiteral("the table has no glyph for ") +
                      CodeRange::Runs(lacking, CodeRange::Naming::CodePoint);
    set.Clear();
    for (auto& [glyphName, glyph] : made)
        set.At(glyphName) = std::exchange(glyph, nullptr);
}

} // namespace

Status CTableImport::Read(const QByteArray& source, const Options& options, FontCharSet& set,
                          MessageList* notes)
{
    CTableReader reader;
    if (Status read = reader.Read(source, options.arrayName); !read)
        return read;
    const CommentDecoder decode(reader);
    CSourceWriter::MadeBy madeBy;
    const bool pixmint = CSourceWriter::ReadMadeBy(decode(reader.LeadingComment()), madeBy);
    if (!options.layout && !pixmint) {
        return Status::Failure(QStringLiteral("nothing in the file says how its bytes hold a "
                                              "glyph"),
                               Failure::NoLayout);
    }
    const CArray::Layout layout = options.layout ? *options.layout : madeBy.layout;
    std::vector<FontChar> glyphs;
    if (Status decoded = Decode(reader, layout, glyphs); !decoded)
        return decoded;
    const qsizetype count = qsizetype(glyphs.size());
    const bool mayBeNamed = pixmint && madeBy.first < 0 && options.first < 0 &&
                            qsizetype(reader.RowComments().size()) >= count;
    const int first = options.first >= 0 ? options.first : std::max(madeBy.first, 0);
    const qsizetype last = first + count - 1;
    if (!mayBeNamed && last > CodeRange::MaxCode) {
        return Status::Failure(Message::Text(u"its %1 glyphs from the code %2 on would reach the "
                                             u"code %3, beyond %4",
                                             {count, first, last, CodeRange::MaxCode}),
                               Failure::BeyondFromFirst);
    }
    std::vector<std::optional<std::string>> names;
    if (Status named = Names(reader, decode, mayBeNamed, first,
                             qsizetype(CArray::ByteCount(layout)), count, names);
        !named)
        return named;
    Store(names, glyphs, options.codes, set, notes);
    return Status();
}
