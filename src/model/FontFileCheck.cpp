#include "FontFileCheck.h"

#include "FontChar.h"
#include "FontCharSet.h"
#include "FontFile.h"

#include <QHash>
#include <QXmlStreamReader>

#include <algorithm>
#include <vector>

namespace {

QString Quoted(QStringView text)
{
    constexpr qsizetype Longest = 40;
    const QString shown = text.size() > Longest
                              ? text.left(Longest).toString() + QStringLiteral("...")
                              : text.toString();
    return QLatin1Char('"') + shown + QLatin1Char('"');
}

bool HasCodePointBeyondLatin1(QStringView text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() > 0xFF; });
}

// Each glyph that stands for a character an earlier glyph of the array already stands for,
// on the line of its FontChar element.
void ReportRepeatedCharacters(const FontCharSet& set, const QHash<QByteArray, qint64>& lines,
                              QList<FontFileCheck::Problem>& problems)
{
    std::vector<quint32> repeated;
    const FontCharSet::Characters map = set.CharacterMap(&repeated);
    std::vector<const std::string*> names;
    for (const auto& entry : set)
        names.push_back(&entry.first);
    for (const quint32 index : repeated) {
        const std::string& name = *names[index];
        const int code = FontCharSet::CharacterCode(name);
        const QString text = FontCharSet::NameToString(name);
        problems.append(
            {lines.value(QByteArray::fromStdString(name)),
             QStringLiteral("Char %1 stands for the character %2 (0x%3) like Char %4, which "
                            "comes first in the array: the character map keeps that one")
                 .arg(Quoted(text), Quoted(QString(QChar(code))))
                 .arg(code, 2, 16, QLatin1Char('0'))
                 .arg(Quoted(FontCharSet::NameToString(*names[map[size_t(code)]])))});
    }
}

} // namespace

QList<FontFileCheck::Problem> FontFileCheck::Check(const QByteArray& bytes)
{
    QList<Problem> problems;
    QString refusal;
    QXmlStreamReader reader;
    if (!FontFile::StartReading(bytes, reader, &refusal)) {
        problems.append({1, QStringLiteral("the editor refuses this file: %1").arg(refusal)});
        return problems;
    }

    auto report = [&](const QString& message) { problems.append({reader.lineNumber(), message}); };

    enum Depth { Root = 1, Glyph = 2, Column = 3 };
    int depth = 0;
    bool charSet = false;
    bool inGlyph = false;
    bool inByte = false;
    int byteColumn = -1;
    QString byteText;
    qint64 byteLine = 0;
    bool columnsSeen[FontChar::ColumnCount] = {};
    QString glyphName;
    // Names as the font stores them, Latin-1: a name may be as long as the file.
    QHash<QByteArray, qint64> namesSeen;

    // A file of a million problems would give a report nobody reads, at the cost of
    // gigabytes: the check stops after MaxProblems.
    while (!reader.atEnd() && problems.size() < MaxProblems) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement: {
            ++depth;
            const QStringView name = reader.qualifiedName();
            const QXmlStreamAttributes attributes = reader.attributes();
            if (depth == Root) {
                charSet = name == QLatin1String("CharSet");
                if (!charSet) {
                    report(QStringLiteral("the root element is <%1>, not <CharSet>: the editor "
                                          "does not open this file")
                               .arg(name));
                }
            } else if (!charSet) {
                break;
            } else if (depth == Glyph) {
                if (name != QLatin1String("FontChar")) {
                    report(QStringLiteral("<%1> is skipped: <CharSet> holds only <FontChar> "
                                          "elements")
                               .arg(name));
                    break;
                }
                inGlyph = true;
                std::fill(std::begin(columnsSeen), std::end(columnsSeen), false);
                glyphName = attributes.value(QLatin1String("Char")).toString();
                if (!attributes.hasAttribute(QLatin1String("Char")))
                    report(QStringLiteral("<FontChar> has no Char attribute: the glyph is stored "
                                          "under the empty name"));
                if (HasCodePointBeyondLatin1(glyphName)) {
                    report(QStringLiteral("Char %1 has characters outside Latin-1: each becomes "
                                          "\"?\"")
                               .arg(Quoted(glyphName)));
                }
                const QByteArray stored =
                    QByteArray::fromStdString(FontCharSet::NameFromString(glyphName));
                const auto earlier = namesSeen.constFind(stored);
                if (earlier != namesSeen.constEnd()) {
                    report(QStringLiteral("Char %1 was already used on line %2: this later glyph "
                                          "replaces it")
                               .arg(Quoted(QString::fromLatin1(stored)))
                               .arg(*earlier));
                }
                namesSeen.insert(stored, reader.lineNumber());
            } else if (depth == Column && inGlyph) {
                if (name != QLatin1String("Byte")) {
                    report(QStringLiteral("<%1> is skipped: <FontChar> holds only <Byte> elements")
                               .arg(name));
                    break;
                }
                inByte = true;
                byteText.clear();
                byteLine = reader.lineNumber();
                const QStringView index = attributes.value(QLatin1String("Index"));
                bool number = false;
                byteColumn = index.toInt(&number, 10);
                if (!attributes.hasAttribute(QLatin1String("Index"))) {
                    report(QStringLiteral("<Byte> has no Index: it is read as column 0"));
                } else if (!number) {
                    report(QStringLiteral("Index %1 is not a decimal number: it is read as "
                                          "column 0")
                               .arg(Quoted(index)));
                }
                if (byteColumn < 0 || byteColumn >= int(FontChar::ColumnCount)) {
                    report(QStringLiteral("Index %1 is outside 0 to 4: the <Byte> is ignored")
                               .arg(byteColumn));
                    byteColumn = -1;
                } else if (columnsSeen[byteColumn]) {
                    report(QStringLiteral("column %1 is given again: the last <Byte> wins")
                               .arg(byteColumn));
                }
                if (byteColumn >= 0)
                    columnsSeen[byteColumn] = true;
            } else if (inByte && depth > Column) {
                report(QStringLiteral("<%1> inside <Byte>: its text is joined into the value")
                           .arg(name));
            }
            break;
        }
        case QXmlStreamReader::Characters:
        case QXmlStreamReader::EntityReference:
            if (inByte && FontChar::IsByteText(reader))
                byteText += reader.text();
            break;
        case QXmlStreamReader::EndElement:
            if (inByte && depth == Column) {
                inByte = false;
                if (byteColumn >= 0) {
                    bool number = false;
                    const int value = byteText.toInt(&number, 16);
                    if (!number) {
                        problems.append(
                            {byteLine, QStringLiteral("value %1 is not a hexadecimal number of "
                                                      "32 bits: it is read as 0")
                                           .arg(Quoted(byteText.trimmed()))});
                    } else if (value < 0 || value > 0xFF) {
                        problems.append(
                            {byteLine,
                             QStringLiteral("value %1 is outside 0 to ff: it is cut to %2")
                                 .arg(Quoted(byteText.trimmed()))
                                 .arg(QString::number(quint32(value) & 0xFFu, 16))});
                    }
                }
            } else if (inGlyph && depth == Glyph) {
                inGlyph = false;
            }
            --depth;
            break;
        default:
            break;
        }
    }
    if (problems.size() >= MaxProblems) {
        problems.append(
            {reader.lineNumber(),
             QStringLiteral("the check stops here, after %1 problems").arg(MaxProblems)});
    } else if (reader.hasError()) {
        problems.append({reader.lineNumber(),
                         QStringLiteral("not well-formed XML (column %1: %2): the editor does not "
                                        "open this file")
                             .arg(reader.columnNumber())
                             .arg(reader.errorString())});
    } else if (charSet) {
        reader.clear();
        const std::unique_ptr<FontCharSet> set = FontFile::Parse(bytes);
        // The few documents the stream reader accepts and the editor refuses.
        if (!set) {
            problems.append({1, QStringLiteral("the editor does not open this file")});
        } else if (set->Count() == 0) {
            problems.append({1, QStringLiteral("the font has no glyphs: its C export is an "
                                               "array without rows, which C and C++ forbid")});
        } else {
            ReportRepeatedCharacters(*set, namesSeen, problems);
        }
    }
    std::stable_sort(problems.begin(), problems.end(),
                     [](const Problem& a, const Problem& b) { return a.line < b.line; });
    return problems;
}
