#include "CTableReader.h"

#include "CTableLines.h"
#include "CTableScanner.h"
#include "Message.h"
#include "TextEscape.h"

#include <QByteArrayView>

#include <algorithm>

namespace {

int DigitValue(char c)
{
    return c >= '0' && c <= '9'     ? c - '0'
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

// The start of a token as a message shows it.
QString Shown(QByteArrayView text)
{
    return TextEscape::Escaped(
        QString::fromLatin1(text.first(std::min<qsizetype>(text.size(), 40))),
        TextEscape::Where::Visible);
}

} // namespace

Status CTableReader::Fail(qsizetype offset, const QString& reason) const
{
    return Status::Failure(
        Message::Text(u"line %1: %2", {CTableLines::Line(_source, offset), reason}));
}

QByteArray CTableReader::Text(const RowComment& comment) const
{
    return _text.mid(comment.begin, comment.size);
}

Status CTableReader::Read(const QByteArray& source, const QByteArray& arrayName)
{
    *this = CTableReader();
    _source = source;
    for (qsizetype index = 0; index < source.size(); ++index) {
        const char byte = source[index];
        if (quint8(byte) < 0x20 && byte != '\n' && byte != '\r' && !CTableLines::IsBlank(byte)) {
            return Status::Failure(Message::Text(
                u"line %1: not text: it holds the byte %2",
                {CTableLines::SourceLine(source, index), Message::Hex(quint8(byte))}));
        }
    }
    if (const qsizetype trigraph = CTableLines::TrigraphSplice(source); trigraph >= 0) {
        return Status::Failure(
            Message::Text(u"line %1: \"?\?/\" at the end of the line joins the "
                          u"next line to it%2",
                          {CTableLines::SourceLine(source, trigraph),
                           QString::fromLatin1(CTableLines::OnlyWithTrigraphs)}));
    }
    _text = CTableLines::Join(source);
    CTableScanner scanner(_text);
    const Status found = FindArray(scanner, arrayName);
    return found ? ReadInitializer(scanner) : found;
}

// Looks for NAME [...]... then identifiers or parenthesised groups (PROGMEM,
// __attribute__((...))), then "= {", and stops after the brace.
Status CTableReader::FindArray(CTableScanner& scanner, const QByteArray& arrayName)
{
    using Kind = CTableScanner::Kind;
    enum class State { Looking, Name, Brackets, Attributes, Equals } state = State::Looking;
    bool first = true;
    QByteArray candidate;
    int nameGroup = 0, equalsGroup = 0;
    for (;;) {
        const CTableScanner::Token token = scanner.Next();
        if (token.kind == Kind::Failed)
            return Fail(scanner.FailedAt(), scanner.Reason());
        if (token.kind == Kind::End)
            return NotFound(token.begin, arrayName);
        if (token.kind == Kind::Directive) {
            Follow(scanner.DirectiveName());
            first = false;
            continue;
        }
        if (token.kind == Kind::Comment) {
            if (first)
                _leadingComment = _text.mid(token.begin, token.size);
            first = false;
            continue;
        }
        first = false;
        const char c = token.kind == Kind::Punctuator ? _text[token.begin] : '\0';
        if (token.kind == Kind::Identifier) {
            if (state == State::Looking || state == State::Name) {
                candidate = _text.mid(token.begin, token.size);
                nameGroup = Group();
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
            if (Status skipped = SkipGroup(scanner, token.begin, c); !skipped)
                return skipped;
            state = c == '[' ? State::Brackets : State::Attributes;
        } else if (c == '=' && (state == State::Brackets || state == State::Attributes)) {
            equalsGroup = Group();
            state = State::Equals;
        } else if (c == '{' && state == State::Equals &&
                   (arrayName.isEmpty() || candidate == arrayName)) {
            // Which of the name, "=" and "{" the compiler reads depends on the conditions.
            if (equalsGroup != nameGroup || Group() != nameGroup)
                return Split(token.begin, candidate);
            _name = candidate;
            return Status();
        } else {
            state = State::Looking;
        }
    }
}

Status CTableReader::NotFound(qsizetype end, const QByteArray& arrayName)
{
    return Fail(end, arrayName.isEmpty()
                         ? QStringLiteral("the file ends without an array definition "
                                          "(NAME[] = {...})")
                         : QStringLiteral("the file ends without a definition of the array ") +
                               TextEscape::Escaped(QString::fromLatin1(arrayName),
                                                   TextEscape::Where::Visible));
}

Status CTableReader::Split(qsizetype brace, const QByteArray& name)
{
    return Fail(brace, Message::Text(u"the definition of %1 runs across a preprocessor "
                                     u"conditional (#if ... #endif), which is not evaluated",
                                     {TextEscape::Escaped(QString::fromLatin1(name),
                                                          TextEscape::Where::Visible)}));
}

Status CTableReader::SkipGroup(CTableScanner& scanner, qsizetype begin, char open)
{
    const char close = open == '[' ? ']' : ')';
    for (qsizetype depth = 1; depth > 0;) {
        const CTableScanner::Token inner = scanner.Next();
        if (inner.kind == CTableScanner::Kind::Failed)
            return Fail(scanner.FailedAt(), scanner.Reason());
        if (inner.kind == CTableScanner::Kind::End)
            return Fail(begin, QStringLiteral("an unclosed bracket"));
        if (inner.kind == CTableScanner::Kind::Directive)
            Follow(scanner.DirectiveName());
        const char c = inner.kind == CTableScanner::Kind::Punctuator ? _text[inner.begin] : '\0';
        depth += c == open ? 1 : c == close ? -1 : 0;
    }
    return Status();
}

void CTableReader::Follow(QByteArrayView directive)
{
    if (directive == "if" || directive == "ifdef" || directive == "ifndef") {
        _groups.push_back(++_lastGroup);
    } else if (directive == "elif" || directive == "elifdef" || directive == "elifndef" ||
               directive == "else") {
        if (!_groups.empty())
            _groups.back() = ++_lastGroup;
    } else if (directive == "endif" && !_groups.empty()) {
        _groups.pop_back();
    }
}

Status CTableReader::ReadInitializer(CTableScanner& scanner)
{
    using Kind = CTableScanner::Kind;
    const QString name =
        TextEscape::Escaped(QString::fromLatin1(_name), TextEscape::Where::Visible);
    qsizetype depth = 1;
    bool afterRow = false;
    QByteArray digits;
    for (;;) {
        const CTableScanner::Token token = scanner.Next();
        const QByteArrayView text(_text.constData() + token.begin, token.size);
        const char c = token.kind == Kind::Punctuator ? text.front() : '\0';
        if (token.kind == Kind::Failed)
            return Fail(scanner.FailedAt(), scanner.Reason());
        if (token.kind == Kind::End) {
            return Fail(token.begin, Message::Text(u"the file ends inside the braces of %1: %2 not "
                                                   u"closed",
                                                   {name, depth}));
        }
        if (token.kind == Kind::Directive) {
            return Fail(token.begin, Message::Text(u"#%1 inside the braces of %2: a table's "
                                                   u"preprocessor lines are not evaluated",
                                                   {Shown(scanner.DirectiveName()), name}));
        }
        if (token.kind == Kind::Comment) {
            if (afterRow && qsizetype(_rowComments.size()) < MaxRowComments)
                _rowComments.push_back({_values.size(), token.begin, token.size});
            afterRow = false;
        } else if (c == '{' || c == '}') {
            depth += c == '{' ? 1 : -1;
            if (depth == 0)
                return Status();
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
            const QString shown = Shown(text);
            return Fail(
                token.begin,
                c == '-' ? Message::Text(
                               u"a negative value in %1; the values of a byte are 0 to 255", {name})
                         : Message::Text(u"%1 in %2 is not an integer literal", {shown, name}));
        }
    }
}
