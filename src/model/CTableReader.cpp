#include "CTableReader.h"

#include "Console.h"
#include "Message.h"

#include <QByteArrayView>

#include <algorithm>
#include <cstring>

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

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r';
}

int DigitValue(char c)
{
    return IsDigit(c)               ? c - '0'
           : (c >= 'a' && c <= 'f') ? c - 'a' + 10
           : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                    : 99;
}

// An integer suffix: at most one u or U at either end of an l, L, ll or LL, or alone.
bool IsIntegerSuffix(QByteArrayView suffix)
{
    if (!suffix.isEmpty() && (suffix.front() == 'u' || suffix.front() == 'U'))
        suffix = suffix.sliced(1);
    else if (!suffix.isEmpty() && (suffix.back() == 'u' || suffix.back() == 'U'))
        suffix.chop(1);
    return suffix.isEmpty() || suffix == "l" || suffix == "L" || suffix == "ll" || suffix == "LL";
}

// The value of an integer literal (digit separators already taken out) of 0 to 255; false,
// with the reason, otherwise. Reading stops past 255, so that no number of digits overflows.
bool ReadInteger(QByteArrayView text, int& value, QString& reason)
{
    qsizetype end = text.size();
    while (end > 0 && (text[end - 1] == 'u' || text[end - 1] == 'U' || text[end - 1] == 'l' ||
                       text[end - 1] == 'L'))
        --end;
    int base = 10;
    qsizetype start = 0;
    if (text.size() > 1 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        base = 16, start = 2;
    else if (text.size() > 1 && text[0] == '0' && (text[1] == 'b' || text[1] == 'B'))
        base = 2, start = 2;
    else if (text[0] == '0')
        base = 8;
    if (!IsIntegerSuffix(text.sliced(end)) || end <= start) {
        reason = QStringLiteral("is not an integer literal");
        return false;
    }
    value = 0;
    for (qsizetype index = start; index < end; ++index) {
        const int digit = DigitValue(text[index]);
        if (digit >= base) {
            reason = QStringLiteral("is not an integer literal");
            return false;
        }
        value = value * base + digit;
        if (value > 255) {
            reason = QStringLiteral("is beyond 255, the largest value of a byte");
            return false;
        }
    }
    return true;
}

} // namespace

// The tokens of C and C++ source, as far as a table needs them: identifiers, numbers (C's
// preprocessing numbers), single punctuation characters, literals and comments. Preprocessor
// lines, line continuations between tokens and blanks are passed over.
class CTableReader::Scanner
{
public:
    enum class Kind { End, Identifier, Number, Punctuator, Literal, Comment, Failed };
    struct Token
    {
        Kind kind = Kind::End;
        qsizetype begin = 0;
        qsizetype size = 0;
    };

    explicit Scanner(const QByteArray& source) : _text(source.constData()), _size(source.size()) {}

    Token Next();
    // Where and why scanning failed, after a Failed token.
    qsizetype FailedAt() const { return _failedAt; }
    const QString& Reason() const { return _reason; }

private:
    char At(qsizetype index) const { return index < _size ? _text[index] : '\0'; }
    // The length of a line break (with a backslash before it, a continuation) at an index.
    qsizetype LineBreak(qsizetype index) const
    {
        return At(index) == '\n' ? 1 : At(index) == '\r' && At(index + 1) == '\n' ? 2 : 0;
    }
    qsizetype Continuation(qsizetype index) const
    {
        return At(index) == '\\' && LineBreak(index + 1) > 0 ? 1 + LineBreak(index + 1) : 0;
    }
    bool SkipBlockComment();
    void SkipLineComment();
    void SkipLiteral(char quote);
    bool SkipRawString();
    bool SkipDirective();
    void ScanNumber();
    Token Fail(qsizetype at, const QString& reason);

    const char* _text;
    qsizetype _size;
    qsizetype _at = 0;
    bool _lineStart = true;
    qsizetype _failedAt = 0;
    QString _reason;
};

CTableReader::Scanner::Token CTableReader::Scanner::Fail(qsizetype at, const QString& reason)
{
    _failedAt = at;
    _reason = reason;
    return {Kind::Failed, at, 0};
}

// From "/*" to past "*/".
bool CTableReader::Scanner::SkipBlockComment()
{
    const qsizetype end = QByteArrayView(_text, _size).indexOf("*/", _at + 2);
    if (end < 0)
        return false;
    _at = end + 2;
    return true;
}

// From "//" to the line break that ends it, continuations included.
void CTableReader::Scanner::SkipLineComment()
{
    while (_at < _size && LineBreak(_at) == 0)
        _at += std::max<qsizetype>(Continuation(_at), 1);
}

// A string or character literal ends at its closing quote or, unterminated, at the end of its
// line, as in the text of #error; escapes are passed over, never beyond the end of the text.
void CTableReader::Scanner::SkipLiteral(char quote)
{
    ++_at;
    while (_at < _size && LineBreak(_at) == 0) {
        const char c = _text[_at];
        _at = std::min(_at + (c == '\\' ? 2 : 1), _size);
        if (c == quote)
            return;
    }
}

// R"delimiter( ... )delimiter", from the quotation mark on.
bool CTableReader::Scanner::SkipRawString()
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

// From "#" to the end of its line, past continuations, comments and literals.
bool CTableReader::Scanner::SkipDirective()
{
    while (_at < _size && LineBreak(_at) == 0) {
        if (const qsizetype continuation = Continuation(_at)) {
            _at += continuation;
        } else if (_text[_at] == '/' && At(_at + 1) == '*') {
            if (!SkipBlockComment())
                return false;
        } else if (_text[_at] == '/' && At(_at + 1) == '/') {
            SkipLineComment();
        } else if (_text[_at] == '"' || _text[_at] == '\'') {
            SkipLiteral(_text[_at]);
        } else {
            ++_at;
        }
    }
    return true;
}

// A preprocessing number: a digit, then digits, letters, "_", ".", a sign after an exponent's
// letter and digit separators.
void CTableReader::Scanner::ScanNumber()
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

CTableReader::Scanner::Token CTableReader::Scanner::Next()
{
    for (;;) {
        while (_at < _size) {
            if (const qsizetype lineBreak = LineBreak(_at)) {
                _lineStart = true;
                _at += lineBreak;
            } else if (IsBlank(_text[_at])) {
                ++_at;
            } else if (const qsizetype continuation = Continuation(_at)) {
                _at += continuation;
            } else {
                break;
            }
        }
        if (_at >= _size)
            return {Kind::End, _at, 0};
        const qsizetype begin = _at;
        const char c = _text[_at];
        if (c == '/' && At(_at + 1) == '*') {
            if (!SkipBlockComment())
                return Fail(begin, QStringLiteral("a comment without its end (*/)"));
            return {Kind::Comment, begin + 2, _at - begin - 4};
        }
        if (c == '/' && At(_at + 1) == '/') {
            SkipLineComment();
            return {Kind::Comment, begin + 2, _at - begin - 2};
        }
        if (c == '#' && _lineStart) {
            if (!SkipDirective())
                return Fail(begin, QStringLiteral("a comment without its end (*/)"));
            continue;
        }
        _lineStart = false;
        if (IsDigit(c) || (c == '.' && IsDigit(At(_at + 1)))) {
            ScanNumber();
            return {Kind::Number, begin, _at - begin};
        }
        if (IsIdentifierCharacter(c)) {
            while (IsIdentifierCharacter(At(_at)))
                ++_at;
            const QByteArrayView word(_text + begin, _at - begin);
            const bool raw =
                word == "R" || word == "u8R" || word == "uR" || word == "UR" || word == "LR";
            const bool prefix = word == "u8" || word == "u" || word == "U" || word == "L";
            if (raw && At(_at) == '"') {
                if (!SkipRawString())
                    return Fail(begin, QStringLiteral("a raw string literal without its end"));
                return {Kind::Literal, begin, _at - begin};
            }
            if (prefix && (At(_at) == '"' || At(_at) == '\'')) {
                SkipLiteral(At(_at));
                return {Kind::Literal, begin, _at - begin};
            }
            return {Kind::Identifier, begin, _at - begin};
        }
        if (c == '"' || c == '\'') {
            SkipLiteral(c);
            return {Kind::Literal, begin, _at - begin};
        }
        ++_at;
        return {Kind::Punctuator, begin, 1};
    }
}

bool CTableReader::Fail(qsizetype offset, const QString& reason)
{
    const qsizetype line =
        std::count(_source.constBegin(), _source.constBegin() + offset, '\n') + 1;
    _error = Message::Text(u"line %1: %2", {line, reason});
    return false;
}

QByteArray CTableReader::Text(const RowComment& comment) const
{
    return _source.mid(comment.begin, comment.size);
}

bool CTableReader::Read(const QByteArray& source, const QByteArray& arrayName)
{
    *this = CTableReader();
    _source = source;
    for (qsizetype index = 0; index < source.size(); ++index) {
        const quint8 byte = quint8(source[index]);
        if (byte < 0x20 && byte != '\n' && !IsBlank(char(byte))) {
            return Fail(index, QStringLiteral("not text: it holds the byte ") + Message::Hex(byte));
        }
    }
    Scanner scanner(source);
    return FindArray(scanner, arrayName) && ReadInitializer(scanner);
}

// Looks for NAME [...]... then identifiers or parenthesised groups (PROGMEM,
// __attribute__((...))), then "= {", and stops after the brace.
bool CTableReader::FindArray(Scanner& scanner, const QByteArray& arrayName)
{
    using Kind = Scanner::Kind;
    enum class State { Looking, Name, Brackets, Attributes, Equals } state = State::Looking;
    bool first = true;
    QByteArray candidate;
    for (;;) {
        const Scanner::Token token = scanner.Next();
        if (token.kind == Kind::Failed)
            return Fail(scanner.FailedAt(), scanner.Reason());
        if (token.kind == Kind::End) {
            return Fail(token.begin,
                        arrayName.isEmpty()
                            ? QStringLiteral("the file ends without an array definition "
                                             "(NAME[] = {...})")
                            : QStringLiteral("the file ends without a definition of the array ") +
                                  Console::VisibleText(QString::fromLatin1(arrayName)));
        }
        if (token.kind == Kind::Comment) {
            if (first)
                _leadingComment = _source.mid(token.begin, token.size);
            first = false;
            continue;
        }
        first = false;
        const char c = token.kind == Kind::Punctuator ? _source[token.begin] : '\0';
        if (token.kind == Kind::Identifier) {
            if (state == State::Looking || state == State::Name) {
                candidate = _source.mid(token.begin, token.size);
                state = State::Name;
            } else if (state == State::Brackets) {
                state = State::Attributes;
            }
            if (state != State::Equals)
                continue;
        }
        // Brackets and parentheses are passed over as a whole, whatever they hold.
        if ((c == '[' && (state == State::Name || state == State::Brackets)) ||
            (c == '(' && (state == State::Brackets || state == State::Attributes))) {
            if (!SkipGroup(scanner, c))
                return Fail(token.begin, QStringLiteral("an unclosed bracket"));
            state = c == '[' ? State::Brackets : State::Attributes;
        } else if (c == '=' && (state == State::Brackets || state == State::Attributes)) {
            state = State::Equals;
        } else if (c == '{' && state == State::Equals &&
                   (arrayName.isEmpty() || candidate == arrayName)) {
            _name = candidate;
            return true;
        } else {
            state = State::Looking;
        }
    }
}

bool CTableReader::SkipGroup(Scanner& scanner, char open)
{
    const char close = open == '[' ? ']' : ')';
    for (qsizetype depth = 1; depth > 0;) {
        const Scanner::Token inner = scanner.Next();
        if (inner.kind == Scanner::Kind::End || inner.kind == Scanner::Kind::Failed)
            return false;
        const char c = inner.kind == Scanner::Kind::Punctuator ? _source[inner.begin] : '\0';
        depth += c == open ? 1 : c == close ? -1 : 0;
    }
    return true;
}

bool CTableReader::ReadInitializer(Scanner& scanner)
{
    using Kind = Scanner::Kind;
    const QString name = Console::VisibleText(QString::fromLatin1(_name));
    qsizetype depth = 1;
    bool afterRow = false;
    QByteArray digits;
    for (;;) {
        const Scanner::Token token = scanner.Next();
        const QByteArrayView text(_source.constData() + token.begin, token.size);
        const char c = token.kind == Kind::Punctuator ? text.front() : '\0';
        if (token.kind == Kind::Failed)
            return Fail(scanner.FailedAt(), scanner.Reason());
        if (token.kind == Kind::End) {
            return Fail(token.begin, Message::Text(u"the file ends inside the braces of %1: %2 not "
                                                   u"closed",
                                                   {name, depth}));
        }
        if (token.kind == Kind::Comment) {
            if (afterRow && qsizetype(_rowComments.size()) < MaxRowComments)
                _rowComments.push_back({_values.size(), token.begin, token.size});
            afterRow = false;
        } else if (c == '{' || c == '}') {
            depth += c == '{' ? 1 : -1;
            if (depth == 0)
                return true;
            afterRow = c == '}' && depth == 1;
        } else if (token.kind == Kind::Number) {
            digits = text.toByteArray();
            digits.replace('\'', QByteArray());
            int value = 0;
            QString reason;
            if (!ReadInteger(digits, value, reason)) {
                return Fail(token.begin, Message::Text(u"%1 in %2 %3",
                                                       {QString::fromLatin1(text.first(
                                                            std::min<qsizetype>(text.size(), 40))),
                                                        name, reason}));
            }
            _values.append(char(value));
            afterRow = false;
        } else if (c != ',') {
            const QString shown = Console::VisibleText(
                QString::fromLatin1(text.first(std::min<qsizetype>(text.size(), 40))));
            return Fail(
                token.begin,
                c == '-' ? Message::Text(
                               u"a negative value in %1; the values of a byte are 0 to 255", {name})
                         : Message::Text(u"%1 in %2 is not an integer literal", {shown, name}));
        }
    }
}
