#pragma once

#include <QByteArray>
#include <QByteArrayView>

// The lines of C source as the compiler's first phases make them, before any token is read:
// line breaks as gcc takes them (LF, CR LF or a CR alone), and each line ending in a
// backslash (with blanks before the break, as gcc allows) joined to the next, wherever the
// backslash stands, inside a number, a name, a comment's end or a literal. Trigraphs are read
// by ISO C and not by GNU C, so a "??/" at a line's end would join lines in one and not the
// other: such a text has two readings.
class CTableLines
{
public:
    // Why a text that reads otherwise with trigraphs is refused, after what the trigraph does.
    static constexpr char OnlyWithTrigraphs[] = " only where the compiler reads trigraphs (ISO "
                                                "C, not GNU C): the text has two readings";

    static bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }
    static qsizetype LineBreak(QByteArrayView text, qsizetype at)
    {
        if (at >= text.size())
            return 0;
        if (text[at] == '\n')
            return 1;
        return text[at] != '\r' ? 0 : at + 1 < text.size() && text[at + 1] == '\n' ? 2 : 1;
    }
    // The length of a backslash, blanks and a line break at an index, or 0.
    static qsizetype Splice(QByteArrayView text, qsizetype at);

    // Where a "??/" ends a line (blanks after it allowed), or -1.
    static qsizetype TrigraphSplice(QByteArrayView source);
    // The source with its splices taken out; the same bytes, shared, when it has none.
    static QByteArray Join(const QByteArray& source);
    // The line, from 1, of the source that an index into its joined text falls on.
    static qsizetype Line(QByteArrayView source, qsizetype joinedIndex);
    // The line, from 1, of an index into the source.
    static qsizetype SourceLine(QByteArrayView source, qsizetype index);
};
