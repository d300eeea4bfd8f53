#pragma once

#include "CodeRange.h"
#include "Status.h"

#include <QByteArray>
#include <QLatin1String>
#include <QString>
#include <QStringView>

class FontCharSet;
class MessageList;

// What the writers of u8g2's fonts and of the tile fonts of its text mode u8x8 share: a font
// named as a C array, over the codes of a range, written as u8g2's C source (U8g2Source), and
// one warning for the codes of the range without a glyph.
class U8g2FontWriter
{
public:
    // Printable ASCII, the codes of the library's "r" fonts.
    static CodeRange DefaultRange() { return CodeRange(0x20, 0x7E); }

    virtual ~U8g2FontWriter() = default;

    // A name is usable when it is one for a C array and not one that the source uses
    // (U8g2Source::IsValidName); the reason otherwise.
    static Status IsValidName(const QString& name);
    // The font's bytes, as the library's SetFont takes them.
    virtual QByteArray Font(const FontCharSet& set) const = 0;
    // The C source in the encoding of that name, as the C source is (CArray::Encoded).
    QByteArray Bytes(const FontCharSet& set, const QByteArray& encoding = "UTF-8") const;
    // The codes of the range without a glyph, in one line.
    void Warnings(const FontCharSet& set, MessageList& warnings) const;

protected:
    // section: the macro that places the font; outcome: what the library draws for a code
    // without a glyph, %1 the font's name.
    U8g2FontWriter(const QString& name, const CodeRange& range, QLatin1String section,
                   QStringView outcome)
        : _name(name), _range(range), _section(section), _outcome(outcome)
    {
    }

    // The source's comment, lines of text without its /* */.
    virtual QString Comment() const = 0;

    QString _name;
    CodeRange _range;

private:
    QLatin1String _section;
    QStringView _outcome;
};
