#pragma once

#include "Status.h"

#include <QByteArray>
#include <QString>

// A font's bytes as the C source that u8g2 and its text mode u8x8 take their fonts in:
// "const uint8_t NAME[N] SECTION("NAME") =" and a string literal, as the library's own fonts
// are (a list of numbers instead for a font longer than C compilers must take a literal to
// be: up to 4095 bytes, a final 0 besides). It includes only <stdint.h> and defines the section
// macro where the library's header has not, so that it compiles on its own and beside that header,
// and in C++, where the declaration before it gives the array C linkage as the header does for the
// library's fonts.
class U8g2Source
{
public:
    // A name is usable when it is one for a C array (CArray::IsValidName) and not one that
    // the source itself uses (the section macros of both fonts, which the library's header
    // defines) or <stdint.h> declares; the reason otherwise.
    static Status IsValidName(const QString& name);
    // The source: the comment (lines of text without its /* */), the section macro's
    // definition, the declaration and the definition of the array of those bytes.
    static QString Text(const QString& comment, const QString& name, QLatin1String section,
                        const QByteArray& bytes);

private:
    // The string literal of the bytes, split into lines, after which comes the literal's own
    // terminating zero byte.
    static QString Literal(const QByteArray& bytes);
    // The bytes as a list of numbers, for a font longer than a literal may be.
    static QString List(const QByteArray& bytes);
};
