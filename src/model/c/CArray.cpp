#include "CArray.h"

#include "GlyphArt.h"
#include "GlyphComment.h"

#include <QRegularExpression>
#include <QStringEncoder>
#include <QTextStream>

namespace {

struct LayoutInfo
{
    CArray::Layout layout;
    const char* name;
    const char* description;
};

constexpr LayoutInfo Layouts[] = {
    {CArray::Layout::Columns, "columns", "5 bytes a glyph, left column first, bit 0 = top row"},
    {CArray::Layout::ColumnsMsb, "columns-msb",
     "5 bytes a glyph, left column first, bit 7 = top row"},
    {CArray::Layout::Rows, "rows", "8 bytes a glyph, top row first, bit 4 = left column"},
    {CArray::Layout::RowsMsb, "rows-msb", "8 bytes a glyph, top row first, bit 7 = left column"},
};

const LayoutInfo& Info(CArray::Layout layout)
{
    for (const LayoutInfo& info : Layouts) {
        if (info.layout == layout)
            return info;
    }
    Q_UNREACHABLE();
}

// Keywords of C (up to C23) and C++ (up to C++23, the alternative operator names included);
// those that begin with an underscore and a capital are reserved names anyway.
constexpr char Keywords[] =
    " alignas alignof and and_eq asm auto bitand bitor bool break case catch char char8_t "
    "char16_t char32_t class co_await co_return co_yield compl concept const const_cast "
    "consteval constexpr constinit continue decltype default delete do double dynamic_cast "
    "else enum explicit export extern false float for friend goto if inline int long mutable "
    "namespace new noexcept not not_eq nullptr operator or or_eq private protected public "
    "register reinterpret_cast requires restrict return short signed sizeof static "
    "static_assert static_cast struct switch template this thread_local throw true try typedef "
    "typeid typename typeof typeof_unqual union unsigned using virtual void volatile wchar_t "
    "while xor xor_eq ";

// Names that C programs already give a meaning: a variable called main makes a C++ program
// ill-formed, avr-libc defines PROGMEM as a macro, and the compilers define AVR (avr-gcc),
// unix and linux (gcc on Linux) in their default, GNU modes. The header is NAME.h, which
// must not hide a standard header on the include path.
constexpr char Taken[] =
    " main PROGMEM AVR unix linux assert complex ctype errno fenv float inttypes iso646 limits "
    "locale math "
    "setjmp signal stdalign stdarg stdatomic stdbit stdbool stdckdint stddef stdint stdio "
    "stdlib stdnoreturn string tgmath threads time uchar wchar wctype ";

// Whether a list of words between blanks holds the name.
bool Contains(const char* words, const QString& name)
{
    return QLatin1String(words).contains(QLatin1Char(' ') + name + QLatin1Char(' '));
}

bool IsAsciiLetter(QChar character)
{
    return (character >= u'a' && character <= u'z') || (character >= u'A' && character <= u'Z');
}

} // namespace

CArray::CArray(Layout layout, const QString& name, Storage storage, bool art)
    : _layout(layout), _name(name), _storage(storage), _art(art)
{
}

quint32 CArray::ByteCount(Layout layout)
{
    return layout == Layout::Columns || layout == Layout::ColumnsMsb ? FontChar::ColumnCount
                                                                     : FontChar::RowCount;
}

CArray::BitPlace CArray::Place(Layout layout, quint32 column, quint32 row)
{
    switch (layout) {
    case Layout::Columns:
        return {column, quint8(1u << row)};
    case Layout::ColumnsMsb:
        return {column, quint8(0x80u >> row)};
    case Layout::Rows:
        return {row, quint8(0x10u >> column)};
    case Layout::RowsMsb:
        return {row, quint8(0x80u >> column)};
    }
    Q_UNREACHABLE();
}

CArray::LayoutBytes CArray::Bytes(const FontChar& glyph, Layout layout)
{
    LayoutBytes bytes = {};
    for (quint32 column = 0; column < FontChar::ColumnCount; ++column) {
        for (quint32 row = 0; row < FontChar::RowCount; ++row) {
            if (glyph.GetPixel(column, row)) {
                const BitPlace place = Place(layout, column, row);
                bytes[place.byte] |= place.mask;
            }
        }
    }
    return bytes;
}

bool CArray::Glyph(const quint8* bytes, Layout layout, FontChar& glyph)
{
    LayoutBytes unused;
    for (quint32 index = 0; index < ByteCount(layout); ++index)
        unused[index] = bytes[index];
    glyph.Clear();
    for (quint32 column = 0; column < FontChar::ColumnCount; ++column) {
        for (quint32 row = 0; row < FontChar::RowCount; ++row) {
            const BitPlace place = Place(layout, column, row);
            glyph.SetPixel(column, row, (bytes[place.byte] & place.mask) != 0);
            unused[place.byte] &= quint8(~place.mask);
        }
    }
    for (quint32 index = 0; index < ByteCount(layout); ++index) {
        if (unused[index] != 0)
            return false;
    }
    return true;
}

QString CArray::ByteText(quint8 byte)
{
    return QStringLiteral("0x") + QString::number(byte, 16);
}

QString CArray::Qualifiers() const
{
    return _storage == Storage::Plain ? QString() : QStringLiteral("const ");
}

// avr-gcc's own attribute, which PROGMEM stands for: the source includes no header, whose
// macros and types could take the array's name (SREG, PGM_P, uint8_t). Other compilers take
// the array as a const one.
QString CArray::Placement() const
{
    return _storage == Storage::Progmem
               ? QStringLiteral("#if defined(__AVR__)\n__attribute__((__progmem__))\n#endif\n")
               : QString();
}

void CArray::Write(QTextStream& stream, const std::map<std::string, FontChar*>& glyphs) const
{
    WriteStart(stream);
    size_t left = glyphs.size();
    for (const auto& [name, glyph] : glyphs)
        WriteRow(stream, glyph, --left == 0, GlyphComment::RowText(-1, &name));
    stream << "};";
}

void CArray::WriteTable(QTextStream& stream, int first, const std::vector<TableRow>& rows) const
{
    WriteStart(stream);
    for (size_t index = 0; index < rows.size(); ++index) {
        const TableRow& row = rows[index];
        WriteRow(stream, row.glyph, index + 1 == rows.size(),
                 GlyphComment::RowText(first + int(index), row.glyph ? row.name : nullptr));
    }
    stream << "};";
}

void CArray::WriteRows(QTextStream& stream, const std::vector<TableRow>& rows) const
{
    WriteStart(stream);
    for (size_t index = 0; index < rows.size(); ++index) {
        WriteRow(stream, rows[index].glyph, index + 1 == rows.size(),
                 GlyphComment::RowText(-1, rows[index].name));
    }
    stream << "};";
}

void CArray::WriteStart(QTextStream& stream) const
{
    stream << Placement() << Qualifiers() << "unsigned char " << _name << "[][" << ByteCount()
           << "] = \n{\n";
}

// "{0x..,0x..}": each byte as ByteText writes it, zero bytes without a glyph; then the
// comment. A code without a glyph has no picture to draw.
void CArray::WriteRow(QTextStream& stream, const FontChar* glyph, bool last,
                      const QString& comment) const
{
    const char* const end = last ? "}\t/* " : "},\t/* ";
    if (_art && glyph) {
        GlyphArt::WriteRow(stream, _layout, *glyph,
                           QLatin1String(end) + comment + QStringLiteral(" */\n"));
        return;
    }
    const LayoutBytes bytes = glyph ? Bytes(*glyph, _layout) : LayoutBytes{};
    stream << '{';
    for (quint32 index = 0; index < ByteCount(); ++index) {
        if (index > 0)
            stream << ',';
        stream << ByteText(bytes[index]);
    }
    stream << end << comment << " */\n";
}

QByteArray CArray::Encoded(const QString& text, const QByteArray& encoding)
{
    QStringEncoder encoder(encoding.constData());
    if (encoder.isValid()) {
        QByteArray bytes = encoder.encode(text);
        if (!encoder.hasError())
            return bytes;
    }
    return text.toUtf8();
}

Status CArray::IsValidName(const QString& name)
{
    if (name.isEmpty())
        return Status::Failure(QStringLiteral("is empty"));
    bool identifier = IsAsciiLetter(name.front()) || name.front() == u'_';
    for (const QChar character : name) {
        identifier = identifier && (IsAsciiLetter(character) ||
                                    (character >= u'0' && character <= u'9') || character == u'_');
    }
    if (!identifier) {
        return Status::Failure(QStringLiteral("is not a C identifier: ASCII letters, digits and "
                                              "underscores, not beginning with a digit"));
    }
    if (Contains(Keywords, name))
        return Status::Failure(QStringLiteral("is a keyword of C or C++"));
    // C and C++ reserve names that begin with an underscore at file scope, C++ every name with
    // two underscores in a row, and one at the end would make two in NAME_map.
    if (name.front() == u'_' || name.back() == u'_' || name.contains(QLatin1String("__"))) {
        return Status::Failure(QStringLiteral("is reserved to the compiler: no underscore at the "
                                              "beginning or the end, nor two in a row"));
    }
    if (Contains(Taken, name))
        return Status::Failure(QStringLiteral("already has a meaning in C programs"));
    return Status();
}

bool CArray::IsStandardHeaderName(const QString& name)
{
    // The limits of <limits.h> (glibc's add POSIX ones, all ..._MAX) and of <stdint.h>.
    static const QRegularExpression declared(QStringLiteral(
        "^(?:u?int(?:_least|_fast)?[0-9]+_t|u?int(?:ptr|max)_t|U?INT(?:_LEAST|_FAST)?[0-9]+_C"
        "|U?INTMAX_C|[A-Z][A-Z0-9_]*_(?:MAX|MIN|WIDTH)|CHAR_BIT|NULL|offsetof|size_t|ptrdiff_t"
        "|max_align_t|va_(?:list|arg|copy|end|start)|std)$"));
    return declared.match(name).hasMatch();
}

bool CArray::LayoutFromName(const QString& name, Layout* layout)
{
    for (const LayoutInfo& info : Layouts) {
        if (name == QLatin1String(info.name)) {
            *layout = info.layout;
            return true;
        }
    }
    return false;
}

QStringList CArray::LayoutNames()
{
    QStringList names;
    for (const LayoutInfo& info : Layouts)
        names << QLatin1String(info.name);
    return names;
}

QString CArray::LayoutName(Layout layout)
{
    return QLatin1String(Info(layout).name);
}

QString CArray::LayoutDescription(Layout layout)
{
    return QLatin1String(Info(layout).description);
}
