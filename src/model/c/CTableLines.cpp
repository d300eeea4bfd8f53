#include "CTableLines.h"

#include <algorithm>
#include <cstring>

namespace {

// The first backslash at or after an index, or the end of the text.
qsizetype NextBackslash(QByteArrayView text, qsizetype from)
{
    const void* found = from < text.size()
                            ? std::memchr(text.data() + from, '\\', size_t(text.size() - from))
                            : nullptr;
    return found ? static_cast<const char*>(found) - text.data() : text.size();
}

} // namespace

qsizetype CTableLines::Splice(QByteArrayView text, qsizetype at)
{
    if (at >= text.size() || text[at] != '\\')
        return 0;
    qsizetype end = at + 1;
    while (end < text.size() && IsBlank(text[end]))
        ++end;
    const qsizetype lineBreak = LineBreak(text, end);
    return lineBreak > 0 ? end + lineBreak - at : 0;
}

qsizetype CTableLines::TrigraphSplice(QByteArrayView source)
{
    for (qsizetype at = source.indexOf("?\?/"); at >= 0; at = source.indexOf("?\?/", at + 1)) {
        qsizetype end = at + 3;
        while (end < source.size() && IsBlank(source[end]))
            ++end;
        if (LineBreak(source, end) > 0)
            return at;
    }
    return -1;
}

QByteArray CTableLines::Join(const QByteArray& source)
{
    QByteArray joined;
    qsizetype copied = 0;
    for (qsizetype at = NextBackslash(source, 0); at < source.size();
         at = NextBackslash(source, at + 1)) {
        if (const qsizetype splice = Splice(source, at)) {
            if (copied == 0)
                joined.reserve(source.size());
            joined.append(source.constData() + copied, at - copied);
            copied = at + splice;
            at = copied - 1;
        }
    }
    if (copied == 0)
        return source;
    return joined.append(source.constData() + copied, source.size() - copied);
}

qsizetype CTableLines::Line(QByteArrayView source, qsizetype joinedIndex)
{
    // Through the source as Join goes, a run of bytes without a splice at a time.
    qsizetype at = 0;
    for (qsizetype left = joinedIndex;;) {
        while (const qsizetype splice = Splice(source, at))
            at += splice;
        if (at >= source.size())
            return SourceLine(source, source.size());
        const qsizetype plain = NextBackslash(source, at + 1) - at;
        if (left < plain)
            return SourceLine(source, at + left);
        at += plain;
        left -= plain;
    }
}

qsizetype CTableLines::SourceLine(QByteArrayView source, qsizetype index)
{
    qsizetype line = 1;
    for (qsizetype at = 0; at < std::min(index, source.size());) {
        const qsizetype lineBreak = LineBreak(source, at);
        line += lineBreak > 0 ? 1 : 0;
        at += std::max<qsizetype>(lineBreak, 1);
    }
    return line;
}
