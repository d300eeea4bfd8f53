#pragma once

#include <QString>

#include <string>

// Whole numbers as text, read and written by one rule wherever they appear: an option's
// value, a range of codes, a code in a name's label, an escape in a comment or a property.
// Reading takes digits and nothing else (no sign, no blank) and stops past the limit, so that
// no number of digits overflows; leading zeros are read as zeros.
class NumberText
{
public:
    // The value of a digit in base 10 or 16 (letters in either case), -1 for any other
    // character.
    static int Digit(char32_t character, int base);
    // Digits of the base alone, at least one, of a value up to limit.
    static bool ReadDigits(QStringView digits, int base, quint64 limit, quint64& value);
    // Decimal digits, or 0x (0X) and hexadecimal digits, of a value up to limit.
    static bool ReadNumber(QStringView text, quint64 limit, quint64& value);
    // "FIRST-LAST", each as ReadNumber reads it, with FIRST <= LAST <= limit.
    static bool ReadRange(QStringView text, quint64 limit, quint64& first, quint64& last);

    // Hexadecimal digits in lower or upper case, at least that many, without a prefix.
    enum class Letters { Lower, Upper };
    static QString Hex(quint64 value, int digits, Letters letters);
    static void AppendHex(std::string& text, quint64 value, int digits, Letters letters);
};
