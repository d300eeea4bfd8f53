#pragma once

#include "FontChar.h"
#include "Status.h"

#include <QString>
#include <QStringList>

#include <array>
#include <map>
#include <string>
#include <vector>

class QTextStream;

// The C text of one array of glyph rows: its definition, each glyph's bytes in the order a
// display takes them, and the comment that names each glyph, with the glyph's picture beside
// its bytes where asked (GlyphArt). Its defaults give the editor's array byte for byte.
class CArray
{
public:
    // The orders of bytes and bits that displays take a glyph in.
    enum class Layout {
        Columns,    // 5 bytes, left column first, bit 0 = top row: how the glyph is stored
        ColumnsMsb, // 5 bytes, left column first, bit 7 = top row
        Rows,       // 8 bytes, top row first, bit 4 = left column, bits 7 to 5 zero
        RowsMsb,    // 8 bytes, top row first, bit 7 = left column, bits 2 to 0 zero
    };
    enum class Storage {
        Plain,   // unsigned char NAME[][n]: the editor's export
        Const,   // const, usable from other files in C and in C++
        Progmem, // const and in AVR program memory
    };
    using LayoutBytes = std::array<quint8, FontChar::RowCount>;
    // A row of a table indexed by code: the name and the glyph that stand for its code, both
    // null for a code without a glyph.
    struct TableRow
    {
        const std::string* name = nullptr;
        const FontChar* glyph = nullptr;
    };

    // The editor's fixed array name.
    static constexpr char EditorName[] = "PIXMINT_xxxx";

    CArray() = default;
    CArray(Layout layout, const QString& name, Storage storage, bool art = false);

    Layout GetLayout() const { return _layout; }
    const QString& Name() const { return _name; }
    Storage GetStorage() const { return _storage; }
    // Whether each glyph's picture goes in comments beside its bytes.
    bool Art() const { return _art; }
    // Bytes a glyph in the layout: 5 or 8.
    quint32 ByteCount() const { return ByteCount(_layout); }
    static quint32 ByteCount(Layout layout);
    // The glyph in a layout: its first ByteCount(layout) bytes, the rest zero.
    static LayoutBytes Bytes(const FontChar& glyph, Layout layout);
    // The inverse: the glyph whose ByteCount(layout) bytes these are. False when a byte has a
    // bit set that the layout leaves zero, which no glyph gives.
    static bool Glyph(const quint8* bytes, Layout layout, FontChar& glyph);
    // A byte as the array writes it: unsigned lowercase hexadecimal without leading zeros.
    static QString ByteText(quint8 byte);

    // "const " when the storage asks for it, and the lines that put a definition in AVR
    // program memory, to go before it.
    QString Qualifiers() const;
    QString Placement() const;

    // The definition of the array with a row for every glyph, in name order, up to the
    // closing "};" without a line end.
    void Write(QTextStream& stream, const std::map<std::string, FontChar*>& glyphs) const;
    // The same for a table indexed by code: row i for the code first + i, zero bytes where
    // the code has no glyph, each comment naming the code and its glyph.
    void WriteTable(QTextStream& stream, int first, const std::vector<TableRow>& rows) const;
    // An array of glyphs in the order given, each row commented as Write does, so that it is
    // read back as the glyphs it holds.
    void WriteRows(QTextStream& stream, const std::vector<TableRow>& rows) const;

    // Generated C text in the encoding of that name, the locale's for a file the user reads
    // (Console::LocaleEncoding): under a Latin-1 locale a name's bytes reach the file
    // unchanged. UTF-8 when Qt has no such encoding or the text holds a character that it
    // lacks, so that nothing is replaced.
    static QByteArray Encoded(const QString& text, const QByteArray& encoding);

    // A name is usable for the array when it is a C identifier of ASCII letters, digits and
    // underscores, not a keyword of C or C++ and not reserved to the compiler, as every name
    // made from it (NAME_map, NAME_COUNT) must be too. The reason otherwise.
    static Status IsValidName(const QString& name);
    // Whether <stdint.h>, <stddef.h>, <stdarg.h> or <limits.h> declares the name, or C++ uses
    // it (std): the headers that display libraries' own headers include before a font.
    static bool IsStandardHeaderName(const QString& name);
    // The first of those rules, a C identifier, as a regular expression that CMake takes, for
    // the build to name what is no identifier before the converter runs.
    static constexpr char IdentifierPattern[] = "^[A-Za-z_][A-Za-z0-9_]*$";
    // The layouts by their option names: columns, columns-msb, rows, rows-msb.
    static bool LayoutFromName(const QString& name, Layout* layout);
    static QStringList LayoutNames();
    static QString LayoutName(Layout layout);
    static QString LayoutDescription(Layout layout);

private:
    // Where a layout keeps a pixel: the byte, and the bit in it. Bytes and Glyph follow it.
    struct BitPlace
    {
        quint32 byte;
        quint8 mask;
    };
    static BitPlace Place(Layout layout, quint32 column, quint32 row);

    void WriteStart(QTextStream& stream) const;
    void WriteRow(QTextStream& stream, const FontChar* glyph, bool last,
                  const QString& comment) const;

    Layout _layout = Layout::Columns;
    QString _name = QLatin1String(EditorName);
    Storage _storage = Storage::Plain;
    bool _art = false;
};
