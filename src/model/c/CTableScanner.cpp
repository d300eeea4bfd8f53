#include "CTableScanner.h"

#include <algorithm>

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Letters, digits, "_" and the bytes of UTF-8 sequences, which C++ allows in identifiers.
bool IsIdentifierCharacter(char c)
{
    return IsDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' ||
           quint8(c) >= 0x80;
}

} // namespace

CTableScanner::Token CTableScanner::Fail(qsizetype at, const QString& reason)
{
    _failedAt = at;
    _reason = reason;
    return Failure();
}

// From "/*" to past "*/"; "/*/" opens a comment and does not close it.
bool CTableScanner::SkipBlockComment()
{
    const qsizetype end = QByteArrayView(_text, _size).indexOf("*/", _at + 2);
    if (end < 0) {
        Fail(_at, QStringLiteral("a comment without its end (*/)"));
        return false;
    }
    _at = end + 2;
    return true;
}

// From "//" to the line break that ends it.
void CTableScanner::SkipLineComment()
{
    while (_at < _size && LineBreak(_at) == 0)
        ++_at;
}

// A string or character literal ends at its closing quote or, unterminated, at the end of its
// line, as gcc ends it; escapes are passed over, never beyond the end of the text. A trigraph
// that reads as a backslash or as the quote where trigraphs are read would end it elsewhere.
bool CTableScanner::SkipLiteral(char quote)
{
    ++_at;
    while (_at < _size && LineBreak(_at) == 0) {
        const char c = _text[_at];
        if (c == '?' && At(_at + 1) == '?' &&
            (At(_at + 2) == '/' || (quote == '\'' && At(_at + 2) == '\''))) {
            Fail(_at, QLatin1String(At(_at + 2) == '/'
                                        ? "\"?\?/\" in a literal reads as a backslash"
                                        : "\"?\?'\" in a character literal reads as \"^\"") +
                          QLatin1String(CTableLines::OnlyWithTrigraphs));
            return false;
        }
        _at = std::min(_at + (c == '\\' ? 2 : 1), _size);
        if (c == quote)
            return true;
    }
    return true;
}

// R"delimiter( ... )delimiter", from the quotation mark on.
bool CTableScanner::SkipRawString()
{
    constexpr qsizetype LongestDelimiter = 16;
    const qsizetype open = QByteArrayView(_text, _size).indexOf('(', _at);
    if (open < 0 || open - _at - 1 > LongestDelimiter)
        return false;
    const QByteArray closing = ')' + QByteArray(_text + _at + 1, open - _at - 1) + '"';
    const qsizetype end = QByteArrayView(_text, _size).indexOf(closing, open + 1);
    if (end < 0)
        return false;
    _at = end + closing.size();
    return true;
}

// From "#" (or "%:") to the end of its line, past comments and literals; the directive's
// name follows blanks and comments.
bool CTableScanner::SkipDirective()
{
    _at += _text[_at] == '#' ? 1 : 2;
    for (;;) {
        if (CTableLines::IsBlank(At(_at))) {
            ++_at;
        } else if (At(_at) == '/' && At(_at + 1) == '*') {
            if (!SkipBlockComment())
                return false;
        } else {
            break;
        }
    }
    _directive = _at;
    while (IsIdentifierCharacter(At(_at)))
        ++_at;
    _directiveSize = _at - _directive;
    while (_at < _size && LineBreak(_at) == 0) {
        if (_text[_at] == '/' && At(_at + 1) == '*') {
            if (!SkipBlockComment())
                return false;
        } else if (_text[_at] == '/' && At(_at + 1) == '/') {
            SkipLineComment();
        } else if (_text[_at] == '"' || _text[_at] == '\'') {
            if (!SkipLiteral(_text[_at]))
                return false;
        } else {
            ++_at;
        }
    }
    return true;
}

// A preprocessing number: a digit, then digits, letters, "_", ".", a sign after an exponent's
// letter and digit separators.
void CTableScanner::ScanNumber()
{
    ++_at;
    for (;;) {
        const char c = At(_at);
        if ((c == 'e' || c == 'E' || c == 'p' || c == 'P') &&
            (At(_at + 1) == '+' || At(_at + 1) == '-'))
            _at += 2;
        else if (IsIdentifierCharacter(c) || c == '.')
            ++_at;
        else if (c == '\'' && IsIdentifierCharacter(At(_at + 1)))
            _at += 2;
        else
            return;
    }
}

// Past blanks and line breaks; after a line break, "#" begins a directive.
void CTableScanner::SkipSpace()
{
    while (_at < _size) {
        if (const qsizetype lineBreak = LineBreak(_at)) {
            _lineStart = true;
            _at += lineBreak;
        } else if (CTableLines::IsBlank(_text[_at])) {
            ++_at;
        } else {
            break;
        }
    }
}

// An identifier, or the prefix of the string or character literal that follows it.
CTableScanner::Token CTableScanner::Word(qsizetype begin)
{
    while (IsIdentifierCharacter(At(_at)))
        ++_at;
    const QByteArrayView word(_text + begin, _at - begin);
    const bool raw = word == "R" || word == "u8R" || word == "uR" || word == "UR" || word == "LR";
    const bool prefix = word == "u8" || word == "u" || word == "U" || word == "L";
    if (raw && At(_at) == '"') {
        if (!SkipRawString())
            return Fail(begin, QStringLiteral("a raw string literal without its end"));
        return {Kind::Literal, begin, _at - begin};
    }
    if (prefix && (At(_at) == '"' || At(_at) == '\'')) {
        if (!SkipLiteral(At(_at)))
            return Failure();
        return {Kind::Literal, begin, _at - begin};
    }
    return {Kind::Identifier, begin, _at - begin};
}

CTableScanner::Token CTableScanner::Next()
{
    for (;;) {
        SkipSpace();
        if (_at >= _size)
            return {Kind::End, _at, 0};
        const qsizetype begin = _at;
        const char c = _text[_at];
        if (c == '/' && At(_at + 1) == '*') {
            if (!SkipBlockComment())
                return Failure();
            return {Kind::Comment, begin + 2, _at - begin - 4};
        }
        if (c == '/' && At(_at + 1) == '/') {
            SkipLineComment();
            return {Kind::Comment, begin + 2, _at - begin - 2};
        }
        if ((c == '#' || (c == '%' && At(_at + 1) == ':')) && _lineStart) {
            if (!SkipDirective())
                return Failure();
            return {Kind::Directive, begin, _at - begin};
        }
        _lineStart = false;
        if (IsDigit(c) || (c == '.' && IsDigit(At(_at + 1)))) {
            ScanNumber();
            return {Kind::Number, begin, _at - begin};
        }
        if (IsIdentifierCharacter(c))
            return Word(begin);
        if (c == '"' || c == '\'') {
            if (!SkipLiteral(c))
                return Failure();
            return {Kind::Literal, begin, _at - begin};
        }
        ++_at;
        return {Kind::Punctuator, begin, 1};
    }
}
