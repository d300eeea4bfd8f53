#pragma once

#include "CArray.h"

#include <QString>
#include <QStringList>

#include <vector>

class CharacterMap;
class MessageList;
class QTextStream;

// A C table of the glyphs of some characters alone, in the order they were asked for, and the
// look-up that a header defines for it: NAME_row(c), the row of the Latin-1 code c or
// NAME_NONE, as a static inline function (GCC's __inline__ in C89), so that firmware needs no map
// of 256 entries. Up to SwitchMost characters the function is a switch; beyond, it searches the
// array NAME_codes, which the source defines: whichever is smaller in flash (docs/performance.md).
class CSubset
{
public:
    static constexpr size_t SwitchMost = 3;

    CSubset() = default;
    // The codes of the characters asked for, in order; a code asked for again is left out.
    explicit CSubset(const std::vector<int>& codes);

    bool IsEmpty() const { return _codes.empty(); }
    // The identifiers that the source and header define beside CSourceWriter's.
    static QStringList Identifiers(const QString& name);

    // A row of the table: the code and the index of its glyph in the character map.
    struct Row
    {
        int code;
        quint32 index;
    };
    // The codes asked for that have a glyph, in order.
    std::vector<Row> Rows(const CharacterMap& map) const;
    // One line naming the characters that have no glyph, which the table leaves out.
    void Warnings(const CharacterMap& map, const QString& name, MessageList& warnings) const;

    // The header's comment on the table and the look-up.
    static void WriteAbout(const QString& name, QTextStream& stream);
    // The declaration of NAME_codes, where the look-up searches it.
    void WriteDeclaration(const CharacterMap& map, const CArray& array, QTextStream& stream) const;
    // The source's table, and its NAME_codes where the look-up searches it.
    void WriteTable(const CharacterMap& map, const CArray& array, bool header,
                    QTextStream& stream) const;
    // The header's NAME_row, after the declarations and <avr/pgmspace.h>.
    void WriteLookUp(const CharacterMap& map, const CArray& array, QTextStream& stream) const;

private:
    static void WriteSwitch(const std::vector<Row>& rows, const QString& name, QTextStream& stream);
    static void WriteSearch(const CArray& array, QTextStream& stream);

    std::vector<int> _codes;
};
