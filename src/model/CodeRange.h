#pragma once

#include "Status.h"

#include <QString>

#include <vector>

// The character codes from First to Last, both included, among the 256 Latin-1 codes: the rows
// of a table that firmware indexes by code, as the classic 5x7 tables take c - 32.
class CodeRange
{
public:
    static constexpr int MaxCode = 255;

    // 0 <= first <= last <= MaxCode.
    CodeRange(int first, int last);

    int First() const { return _first; }
    int Last() const { return _last; }
    int Count() const { return _last - _first + 1; }
    bool Contains(int code) const { return code >= _first && code <= _last; }

    // "FIRST-LAST", each decimal or 0x hexadecimal, nothing else: no sign, no blank. False
    // when the text is no such range.
    static bool Parse(const QString& text, CodeRange* range);
    // What Parse reads: the bounds, one after the other, and their limits.
    static QString Syntax();

    // Whether a character has a Latin-1 code, which is then its code point; a failure, with
    // the reason naming it, for one beyond.
    static Status IsLatin1(char32_t character);

    // How Runs writes a code: as Message::Hex, as the converter's warnings name codes, or as
    // Message::CodePoint, as the importer's notes name characters.
    enum class Naming { Hex, CodePoint };
    // Ascending codes as runs: "0x00 to 0x1f, 0x7f", "U+0000 to U+001F, U+007F".
    static QString Runs(const std::vector<int>& codes, Naming naming);

private:
    int _first;
    int _last;
};
