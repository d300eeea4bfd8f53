#pragma once

#include "FontChar.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class FontCharSet;
class QTextStream;

// The one writer of every C output: the array of glyph rows, each with a comment that names
// its glyph, and on request the character map and the header that declares them. Its
// default options give the editor's export byte for byte; any other option makes a source
// that firmware compiles as C or C++ and that begins with a comment saying how it was made.
class CSourceWriter
{
public:
    enum class Storage {
        Plain,   // unsigned char NAME[][n]: the editor's export
        Const,   // const, usable from other files in C and in C++
        Progmem, // const and in AVR program memory
    };

    // The editor's fixed array name.
    static constexpr char EditorName[] = "PIXMINT_xxxx";
    static constexpr quint32 MapSize = 256;
    // The map holds glyph indexes as unsigned short; this value means "no glyph".
    static constexpr quint32 NoGlyph = 0xFFFF;
    // Whether the map can give a glyph index: it must be one, and fit below NoGlyph.
    static bool Indexes(quint32 index) { return index < NoGlyph; }

    // Any option given, even with the value that the editor's export has, asks for the
    // source that firmware takes.
    void SetLayout(FontChar::Layout layout) { _layout = layout, _editorExport = false; }
    void SetName(const QString& name) { _name = name, _editorExport = false; }
    void SetStorage(Storage storage) { _storage = storage, _editorExport = false; }
    // The character map goes with a header: the source defines what the header declares.
    void SetHeader(bool header) { _header = header, _editorExport = false; }

    // Whether no option was given: the source stays exactly the editor's export.
    bool IsEditorExport() const { return _editorExport; }
    // False, with the reason, when the font cannot be written with these options; the
    // writers below expect a font that is accepted.
    bool Accepts(const FontCharSet& set, QString* reason = nullptr) const;
    // What the output cannot say although the font does: a character whose first glyph lies
    // beyond the indexes of the map's unsigned short, which the map then gives no glyph.
    QStringList Warnings(const FontCharSet& set) const;

    // The whole source in the system's locale encoding.
    void WriteSource(const FontCharSet& set, QTextStream& stream) const;
    // The array alone: its definition up to the closing "};", without a line end.
    void WriteArray(const FontCharSet& set, QTextStream& stream) const;
    void WriteHeader(const FontCharSet& set, QTextStream& stream) const;
    QByteArray SourceBytes(const FontCharSet& set) const;
    QByteArray HeaderBytes(const FontCharSet& set) const;

    // A name is usable for the array when it is a C identifier of ASCII letters, digits and
    // underscores, not a keyword of C or C++ and not reserved to the compiler, as every name
    // made from it (NAME_map, NAME_COUNT) must be too. The reason otherwise.
    static bool IsValidName(const QString& name, QString* reason = nullptr);
    // The layouts by their option names: columns, columns-msb, rows, rows-msb.
    static bool LayoutFromName(const QString& name, FontChar::Layout* layout);
    static QStringList LayoutNames();

private:
    void WriteMadeBy(QTextStream& stream) const;
    void WriteDeclarations(const FontCharSet& set, QTextStream& stream) const;
    void WriteMap(const FontCharSet& set, QTextStream& stream) const;
    QString Qualifiers() const;
    QString Attribute() const;
    QByteArray Bytes(void (CSourceWriter::*write)(const FontCharSet&, QTextStream&) const,
                     const FontCharSet& set) const;

    FontChar::Layout _layout = FontChar::Layout::Columns;
    QString _name = QLatin1String(EditorName);
    Storage _storage = Storage::Plain;
    bool _header = false;
    bool _editorExport = true;
};
