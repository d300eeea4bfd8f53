#pragma once

#include "CTableLines.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The tokens of C and C++ source whose lines CTableLines joined, as far as a table needs them:
// identifiers, numbers (C's preprocessing numbers), single punctuation characters, literals,
// comments and preprocessor lines ("#" or "%:" first on a line, comments before it allowed);
// blanks and line breaks are passed over. A trigraph that would end a literal elsewhere where
// the compiler reads trigraphs ("??/" in a literal, "??'" in a character literal) fails.
class CTableScanner
{
public:
    enum class Kind { End, Identifier, Number, Punctuator, Literal, Comment, Directive, Failed };
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
    // The name of the directive after a Directive token ("if", "define"; empty for "#" alone).
    QByteArrayView DirectiveName() const { return {_text + _directive, _directiveSize}; }
    // Where and why scanning failed, after a Failed token.
    qsizetype FailedAt() const { return _failedAt; }
    const QString& Reason() const { return _reason; }

private:
    char At(qsizetype index) const { return index < _size ? _text[index] : '\0'; }
    qsizetype LineBreak(qsizetype index) const
    {
        return CTableLines::LineBreak({_text, _size}, index);
    }
    void SkipSpace();
    Token Word(qsizetype begin);
    bool SkipBlockComment();
    void SkipLineComment();
    bool SkipLiteral(char quote);
    bool SkipRawString();
    bool SkipDirective();
    void ScanNumber();
    Token Fail(qsizetype at, const QString& reason);
    Token Failure() const { return {Kind::Failed, _failedAt, 0}; }

    const char* _text;
    qsizetype _size;
    qsizetype _at = 0;
    bool _lineStart = true;
    qsizetype _directive = 0;
    qsizetype _directiveSize = 0;
    qsizetype _failedAt = 0;
    QString _reason;
};
