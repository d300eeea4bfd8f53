#include "CSourceWriter.h"

#include "FontCharSet.h"

#include <QBuffer>
#include <QTextStream>

#include <algorithm>
#include <iterator>
#include <vector>

namespace {

struct LayoutInfo
{
    FontChar::Layout layout;
    const char* name;
    const char* description;
};

constexpr LayoutInfo Layouts[] = {
    {FontChar::Layout::Columns, "columns", "5 bytes a glyph, left column first, bit 0 = top row"},
    {FontChar::Layout::ColumnsMsb, "columns-msb",
     "5 bytes a glyph, left column first, bit 7 = top row"},
    {FontChar::Layout::Rows, "rows", "8 bytes a glyph, top row first, bit 4 = left column"},
    {FontChar::Layout::RowsMsb, "rows-msb", "8 bytes a glyph, top row first, bit 7 = left column"},
};

const LayoutInfo& Info(FontChar::Layout layout)
{
    return *std::find_if(std::begin(Layouts), std::end(Layouts),
                         [layout](const LayoutInfo& info) { return info.layout == layout; });
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
// ill-formed, and avr-libc defines PROGMEM as a macro. The header is NAME.h, which must not
// hide a standard header on the include path.
constexpr char Taken[] =
    " main PROGMEM assert complex ctype errno fenv float inttypes iso646 limits locale math "
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

bool Fail(QString* reason, const QString& text)
{
    if (reason)
        *reason = text;
    return false;
}

} // namespace

bool CSourceWriter::Accepts(const FontCharSet& set, QString* reason) const
{
    if (IsEditorExport())
        return true;
    QString why;
    if (!IsValidName(_name, &why))
        return Fail(reason, QStringLiteral("the name %1 %2").arg(_name, why));
    if (set.Count() == 0)
        return Fail(reason, QStringLiteral("the font has no glyphs, and C has no empty array"));
    return true;
}

QStringList CSourceWriter::Warnings(const FontCharSet& set) const
{
    QStringList warnings;
    if (!_header)
        return warnings;
    const FontCharSet::Characters map = set.CharacterMap();
    quint32 index = 0;
    for (const auto& entry : set) {
        const int code = FontCharSet::CharacterCode(entry.first);
        if (!Indexes(index) && code >= 0 && map[size_t(code)] == index) {
            warnings << QStringLiteral(
                            "glyph \"%1\", for the character 0x%2, is number %3 of "
                            "the font, beyond the first %4 that %5_map can index: the map "
                            "gives %5_NONE for it")
                            .arg(FontCharSet::VisibleText(FontCharSet::NameToString(entry.first)))
                            .arg(code, 2, 16, QLatin1Char('0'))
                            .arg(index + 1)
                            .arg(NoGlyph)
                            .arg(_name);
        }
        ++index;
    }
    return warnings;
}

void CSourceWriter::WriteSource(const FontCharSet& set, QTextStream& stream) const
{
    stream.setEncoding(QStringConverter::System);
    if (IsEditorExport()) {
        stream << "/* Auto generated file */\n";
        WriteArray(set, stream);
        return;
    }
    WriteMadeBy(stream);
    if (_storage == Storage::Progmem) {
        // Any other compiler gets the same array as a plain const one.
        stream << "\n#if defined(__AVR__)\n#include <avr/pgmspace.h>\n#endif\n"
                  "#ifndef PROGMEM\n#define PROGMEM\n#endif\n";
    }
    stream << '\n';
    WriteDeclarations(set, stream);
    stream << '\n';
    WriteArray(set, stream);
    stream << '\n';
    if (_header) {
        stream << '\n';
        WriteMap(set, stream);
    }
}

void CSourceWriter::WriteArray(const FontCharSet& set, QTextStream& stream) const
{
    stream << Qualifiers() << "unsigned char " << _name << "[][" << FontChar::ByteCount(_layout)
           << ']' << Attribute() << " = \n{\n";
    const quint32 count = set.Count();
    quint32 index = 0;
    for (const auto& [name, glyph] : set) {
        glyph->WriteCInitializer(stream, _layout);
        stream << (index + 1 < count ? ",\t/* Char = " : "\t/* Char = ")
               << FontCharSet::CommentText(name) << " */\n";
        ++index;
    }
    stream << "};";
}

void CSourceWriter::WriteHeader(const FontCharSet& set, QTextStream& stream) const
{
    stream.setEncoding(QStringConverter::System);
    const QString guard = QStringLiteral("PIXMINT_FONT_%1_H").arg(_name);
    WriteMadeBy(stream);
    stream << "#ifndef " << guard << "\n#define " << guard << "\n\n";
    if (_storage == Storage::Progmem) {
        stream << "/* In AVR program memory: read " << _name << " with pgm_read_byte() and "
               << _name << "_map with pgm_read_word(). */\n"
               << "#if defined(__AVR__)\n#include <avr/pgmspace.h>\n#endif\n\n";
    }
    stream << "/* " << _name << "_COUNT glyphs of " << _name << "_BYTES bytes; " << _name
           << "_map[c] is the index of the glyph\n   for the Latin-1 code c, or " << _name
           << "_NONE. */\n"
           << "#define " << _name << "_COUNT " << set.Count() << '\n'
           << "#define " << _name << "_BYTES " << FontChar::ByteCount(_layout) << '\n'
           << "#define " << _name << "_NONE 0xFFFF\n\n";
    WriteDeclarations(set, stream);
    stream << "\n#endif\n";
}

QByteArray CSourceWriter::SourceBytes(const FontCharSet& set) const
{
    return Bytes(&CSourceWriter::WriteSource, set);
}

QByteArray CSourceWriter::HeaderBytes(const FontCharSet& set) const
{
    return Bytes(&CSourceWriter::WriteHeader, set);
}

bool CSourceWriter::IsValidName(const QString& name, QString* reason)
{
    if (name.isEmpty())
        return Fail(reason, QStringLiteral("is empty"));
    const bool identifier = std::all_of(name.begin(), name.end(), [](QChar character) {
        return IsAsciiLetter(character) || (character >= u'0' && character <= u'9') ||
               character == u'_';
    });
    if (!identifier || !(IsAsciiLetter(name.front()) || name.front() == u'_')) {
        return Fail(reason, QStringLiteral("is not a C identifier: ASCII letters, digits and "
                                           "underscores, not beginning with a digit"));
    }
    if (Contains(Keywords, name))
        return Fail(reason, QStringLiteral("is a keyword of C or C++"));
    // C and C++ reserve names that begin with an underscore at file scope, C++ every name with
    // two underscores in a row, and one at the end would make two in NAME_map.
    if (name.front() == u'_' || name.back() == u'_' || name.contains(QLatin1String("__"))) {
        return Fail(reason, QStringLiteral("is reserved to the compiler: no underscore at the "
                                           "beginning or the end, nor two in a row"));
    }
    if (Contains(Taken, name))
        return Fail(reason, QStringLiteral("already has a meaning in C programs"));
    return true;
}

bool CSourceWriter::LayoutFromName(const QString& name, FontChar::Layout* layout)
{
    for (const LayoutInfo& info : Layouts) {
        if (name == QLatin1String(info.name)) {
            *layout = info.layout;
            return true;
        }
    }
    return false;
}

QStringList CSourceWriter::LayoutNames()
{
    QStringList names;
    for (const LayoutInfo& info : Layouts)
        names << QLatin1String(info.name);
    return names;
}

// How the output was made, without a date or a path, so that builds stay reproducible.
void CSourceWriter::WriteMadeBy(QTextStream& stream) const
{
    const LayoutInfo& layout = Info(_layout);
    stream << "/* Auto generated file: array " << _name;
    if (_storage != Storage::Plain)
        stream << (_storage == Storage::Const ? ", const" : ", const in AVR program memory");
    if (_header)
        stream << ", character map " << _name << "_map";
    stream << "\n   layout " << layout.name << ": " << layout.description << " */\n";
}

// The header's declarations, which the source repeats before its definitions: under C++ a
// const array has internal linkage unless it is declared extern first, and the definitions
// must have the C linkage that the header gives them.
void CSourceWriter::WriteDeclarations(const FontCharSet& set, QTextStream& stream) const
{
    const char* qualifiers = _storage == Storage::Plain ? "extern " : "extern const ";
    stream << "#ifdef __cplusplus\nextern \"C\" {\n#endif\n"
           << qualifiers << "unsigned char " << _name << '[' << set.Count() << "]["
           << FontChar::ByteCount(_layout) << "];\n";
    if (_header)
        stream << qualifiers << "unsigned short " << _name << "_map[" << MapSize << "];\n";
    stream << "#ifdef __cplusplus\n}\n#endif\n";
}

void CSourceWriter::WriteMap(const FontCharSet& set, QTextStream& stream) const
{
    std::vector<const std::string*> names;
    names.reserve(set.Count());
    for (const auto& entry : set)
        names.push_back(&entry.first);
    const FontCharSet::Characters map = set.CharacterMap();
    stream << Qualifiers() << "unsigned short " << _name << "_map[" << MapSize << ']' << Attribute()
           << " = \n{\n";
    for (quint32 code = 0; code < MapSize; ++code) {
        const quint32 index = map[code];
        if (Indexes(index))
            stream << index;
        else
            stream << "0xffff";
        stream << (code + 1 < MapSize ? ",\t/* " : "\t/* ")
               << QStringLiteral("0x%1").arg(code, 2, 16, QLatin1Char('0'));
        if (index != FontCharSet::NoGlyph)
            stream << ": " << FontCharSet::CommentText(*names[index]);
        if (index != FontCharSet::NoGlyph && !Indexes(index))
            stream << ", glyph " << index << ", beyond what an unsigned short indexes";
        stream << " */\n";
    }
    stream << "};\n";
}

QString CSourceWriter::Qualifiers() const
{
    return _storage == Storage::Plain ? QString() : QStringLiteral("const ");
}

QString CSourceWriter::Attribute() const
{
    return _storage == Storage::Progmem ? QStringLiteral(" PROGMEM") : QString();
}

QByteArray CSourceWriter::Bytes(void (CSourceWriter::*write)(const FontCharSet&, QTextStream&)
                                    const,
                                const FontCharSet& set) const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QTextStream stream(&buffer);
    (this->*write)(set, stream);
    stream.flush();
    return bytes;
}
