#pragma once

#include <QByteArray>
#include <QString>

// The tokens of C and C++ source, as far as a table needs them: identifiers, numbers (C's
// preprocessing numbers), single punctuation characters, literals and comments. Preprocessor
// lines, line continuations between tokens and blanks are passed over.
class CTableScanner
{
public:
    enum class Kind { End, Identifier, Number, Punctuator, Literal, Comment, Failed };
    struct Token
    {
        Kind kind = Kind::End;
        qsizetype begin = 0;
        qsizetype size = 0;
    };

    // The source is read where it is, and must outlive the scanner.
    explicit CTableScanner(const QByteArray& source)
        : _text(source.constData()), _size(source.size())
    {
    }

    Token Next();
    // Where and why scanning failed, after a Failed token.
    qsizetype FailedAt() const { return _failedAt; }
    const QString& Reason() const { return _reason; }

    // The blanks that may stand between tokens, besides line breaks: the only control
    // characters that the text of a table holds.
    static bool IsBlank(char c);

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
    void SkipSpace();
    Token Word(qsizetype begin);
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
