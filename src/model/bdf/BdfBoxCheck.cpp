#include "BdfBoxCheck.h"

#include "BdfLines.h"

#include <QByteArrayView>
#include <QList>

namespace {

QList<QByteArrayView> Fields(QByteArrayView line)
{
    QList<QByteArrayView> fields;
    qsizetype start = 0;
    for (qsizetype at = 0; at <= line.size(); ++at) {
        if (at == line.size() || line[at] == ' ' || line[at] == '\t' || line[at] == '\r') {
            if (at > start)
                fields.append(line.sliced(start, at - start));
            start = at + 1;
        }
    }
    return fields;
}

} // namespace

std::set<long> BdfBoxCheck::NegativeBoxCodes(const QByteArray& bdf)
{
    std::set<long> codes;
    long code = -1;
    const QByteArrayView text(bdf);
    for (qsizetype start = 0; start < text.size();) {
        const qsizetype end = BdfLines::End(text, start);
        const QByteArrayView line = text.sliced(start, end - start);
        start = end + 1;
        // Keywords start their line and end at a blank, as FreeType's reader takes them.
        if (line.startsWith("ENDCHAR")) {
            code = -1;
            continue;
        }
        if (!line.startsWith("ENCODING") && !line.startsWith("BBX"))
            continue;
        const QList<QByteArrayView> fields = Fields(line);
        if (fields[0] == "ENCODING") {
            code = fields.size() > 1 ? fields[1].toLong() : -1;
            if (code == -1 && fields.size() > 2)
                code = fields[2].toLong();
        } else if (fields[0] == "BBX" && code >= 0) {
            if ((fields.size() > 1 && fields[1].startsWith('-')) ||
                (fields.size() > 2 && fields[2].startsWith('-')))
                codes.insert(code);
        }
    }
    return codes;
}
