#pragma once

#include "Status.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <vector>

class CTableScanner;

// The bytes of a glyph table in C or C++ source, as firmware keeps its fonts: the initializer
// of the first array definition (NAME[...] = {...}), or of the array of a given name. Its
// values are integer literals of 0 to 255 (decimal, hexadecimal, octal or binary, with any
// suffix and digit separators), grouped by braces or flat; comments, preprocessor lines and
// string and character literals around them are passed over. The text is read as the compiler
// reads it, its lines joined first (CTableLines), and a text that reads otherwise with
// trigraphs is refused, as is a preprocessor line inside the braces: the preprocessor is not
// evaluated. One pass over the text, without recursion, whatever it holds.
class CTableReader
{
public:
    // A comment that follows the closing brace of a row (a group of values inside the
    // initializer): its text between "/*" and "*/" (or after "//"), and the number of values
    // before it. At most MaxRowComments are kept, one a row.
    struct RowComment
    {
        qsizetype values = 0;
        qsizetype begin = 0;
        qsizetype size = 0;
    };
    static constexpr qsizetype MaxRowComments = 1000000;

    // The reason ("line 12: ...") for text that is not text, holds no such array, an
    // initializer with anything but integer literals of 0 to 255 and braces, a preprocessor
    // line inside the braces, a trigraph that changes the reading, or an unterminated comment,
    // raw literal or brace.
    Status Read(const QByteArray& source, const QByteArray& arrayName = QByteArray());

    // The array's name and the values of its initializer, one byte each, in order.
    const QByteArray& Name() const { return _name; }
    const QByteArray& Values() const { return _values; }
    const std::vector<RowComment>& RowComments() const { return _rowComments; }
    QByteArray Text(const RowComment& comment) const;
    // The text of the source's first comment, when nothing but blanks comes before it.
    const QByteArray& LeadingComment() const { return _leadingComment; }

private:
    // The reason, on the line of the text's offset.
    Status Fail(qsizetype offset, const QString& reason) const;
    Status FindArray(CTableScanner& scanner, const QByteArray& arrayName);
    // FindArray's failures: no such array before the end; a definition that a conditional splits.
    Status NotFound(qsizetype end, const QByteArray& arrayName);
    Status Split(qsizetype brace, const QByteArray& name);
    // Past the bracket or parenthesis that closes the one just read, at begin.
    Status SkipGroup(CTableScanner& scanner, qsizetype begin, char open);
    Status ReadInitializer(CTableScanner& scanner);
    // Follows the conditional groups (#if ... #elif ... #else ... #endif) that a directive
    // opens, switches or closes.
    void Follow(QByteArrayView directive);
    // The group that the text now read lies in: each branch of each conditional its own.
    int Group() const { return _groups.empty() ? 0 : _groups.back(); }

    // The source, and its text with the lines joined, which the tokens index.
    QByteArray _source;
    QByteArray _text;
    QByteArray _name;
    QByteArray _values;
    std::vector<RowComment> _rowComments;
    QByteArray _leadingComment;
    std::vector<int> _groups;
    int _lastGroup = 0;
};
