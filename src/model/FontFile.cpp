#include "FontFile.h"

#include <QBuffer>
#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QTextStream>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <algorithm>
#include <cstring>

namespace {

void SetError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

QString NotWellFormed(qint64 line, qint64 column, const QString& message)
{
    return QStringLiteral("not a well-formed XML document (line %1, column %2: %3)")
        .arg(line)
        .arg(column)
        .arg(message);
}

QString NotAFontFile(const QString& root)
{
    return QStringLiteral("not a font file: the root element is <%1>, not <CharSet>").arg(root);
}

struct Shape
{
    int depth = 0;
    int maxDepth = 0;
    int maxAttributes = 0;
};

template <typename Char>
qsizetype Find(const Char* text, qsizetype size, qsizetype from, const char* what)
{
    const qsizetype length = qsizetype(std::strlen(what));
    for (qsizetype at = from; at + length <= size; ++at) {
        qsizetype matched = 0;
        while (matched < length && text[at + matched] == Char(what[matched]))
            ++matched;
        if (matched == length)
            return at;
    }
    return -1;
}

template <typename Char>
bool StartsWith(const Char* text, qsizetype size, qsizetype at, const char* what)
{
    return Find(text, std::min(size, at + qsizetype(std::strlen(what))), at, what) == at;
}

// One linear pass over the markup that finds the nesting depth and the largest number of
// attributes in one tag, without parsing: comments, CDATA, processing instructions and
// declarations are stepped over, quoted values are not looked into. Malformed input is
// left for the parser to reject.
template <typename Char>
Shape MeasureShape(const Char* text, qsizetype size, int depthLimit)
{
    Shape shape;
    qsizetype at = 0;
    while (at < size) {
        if (text[at] != Char('<')) {
            ++at;
            continue;
        }
        const char* skipTo = nullptr;
        qsizetype skipFrom = at;
        if (StartsWith(text, size, at, "<!--")) {
            skipTo = "-->";
            skipFrom = at + 4;
        } else if (StartsWith(text, size, at, "<![CDATA[")) {
            skipTo = "]]>";
            skipFrom = at + 9;
        } else if (StartsWith(text, size, at, "<?")) {
            skipTo = "?>";
            skipFrom = at + 2;
        }
        if (skipTo) {
            const qsizetype end = Find(text, size, skipFrom, skipTo);
            if (end < 0)
                break;
            at = end + qsizetype(std::strlen(skipTo));
            continue;
        }

        const bool declaration = at + 1 < size && text[at + 1] == Char('!');
        const bool endTag = at + 1 < size && text[at + 1] == Char('/');
        Char quote = 0;
        int equalSigns = 0;
        qsizetype end = at + 1;
        for (; end < size; ++end) {
            const Char character = text[end];
            if (quote) {
                if (character == quote)
                    quote = 0;
            } else if (character == Char('"') || character == Char('\'')) {
                quote = character;
            } else if (character == Char('=')) {
                ++equalSigns;
            } else if (character == Char('>')) {
                break;
            }
        }
        if (end >= size)
            break;
        if (!declaration) {
            shape.maxAttributes = std::max(shape.maxAttributes, equalSigns);
            if (endTag)
                shape.depth = std::max(0, shape.depth - 1);
            else if (text[end - 1] != Char('/'))
                shape.maxDepth = std::max(shape.maxDepth, ++shape.depth);
            if (shape.maxDepth > depthLimit)
                break;
        }
        at = end + 1;
    }
    return shape;
}

} // namespace

std::unique_ptr<FontCharSet> FontFile::Load(const QString& path, QString* error)
{
    QByteArray bytes;
    if (!ReadBytes(path, bytes, error))
        return nullptr;
    return Parse(bytes, error);
}

bool FontFile::ReadBytes(const QString& path, QByteArray& bytes, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        SetError(error, file.errorString());
        return false;
    }
    // Devices and pipes report no size: read one byte beyond the limit to tell.
    bytes = file.read(MaxFileSize + 1);
    if (file.error() != QFileDevice::NoError) {
        SetError(error, file.errorString());
        return false;
    }
    return true;
}

std::unique_ptr<FontCharSet> FontFile::Parse(const QByteArray& bytes, QString* error)
{
    if (!CheckShape(bytes, error))
        return nullptr;
    QXmlStreamReader reader(bytes);
    reader.setNamespaceProcessing(false);
    auto set = std::make_unique<FontCharSet>();
    QString root;
    if (!set->ReadXml(reader, &root)) {
        SetError(error,
                 NotWellFormed(reader.lineNumber(), reader.columnNumber(), reader.errorString()));
        return nullptr;
    }
    // Any other document would open as the blank default font, and a save over it would
    // lose the file.
    if (root != QLatin1String("CharSet")) {
        SetError(error, NotAFontFile(root));
        return nullptr;
    }
    return set;
}

bool FontFile::ParseDocument(const QByteArray& bytes, QDomDocument& document, QString* error)
{
    if (!CheckShape(bytes, error))
        return false;
    QString message;
    int line = 0;
    int column = 0;
    if (!document.setContent(bytes, false, &message, &line, &column)) {
        SetError(error, NotWellFormed(line, column, message));
        return false;
    }
    return true;
}

bool FontFile::CheckShape(const QByteArray& bytes, QString* error)
{
    if (bytes.size() > MaxFileSize) {
        SetError(
            error,
            QStringLiteral("the file is too large to be a font file (%1 bytes)").arg(bytes.size()));
        return false;
    }
    // In UTF-16 and UTF-32 the markup characters are wider than a byte: measure the text.
    Shape shape;
    const auto encoding = QStringConverter::encodingForData(bytes, u'<');
    if (encoding && *encoding != QStringConverter::Utf8 && *encoding != QStringConverter::Latin1) {
        const QString text = QStringDecoder(*encoding)(bytes);
        shape = MeasureShape(reinterpret_cast<const char16_t*>(text.constData()), text.size(),
                             MaxDepth);
    } else {
        shape = MeasureShape(bytes.constData(), bytes.size(), MaxDepth);
    }
    if (shape.maxDepth > MaxDepth) {
        SetError(error, QStringLiteral("elements are nested more than %1 deep").arg(MaxDepth));
        return false;
    }
    if (shape.maxAttributes > MaxAttributes) {
        SetError(error, QStringLiteral("an element has more than %1 attributes (%2)")
                            .arg(MaxAttributes)
                            .arg(shape.maxAttributes));
        return false;
    }
    return true;
}

QByteArray FontFile::XmlBytes(const FontCharSet& set)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QXmlStreamWriter writer(&buffer);
    set.WriteXml(writer);
    return bytes;
}

QByteArray FontFile::CSourceBytes(const FontCharSet& set)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QTextStream stream(&buffer);
    set.ExportCSource(stream);
    stream.flush();
    return bytes;
}

bool FontFile::Save(const FontCharSet& set, const QString& path, QString* error)
{
    return WriteFile(path, XmlBytes(set), Mode::Text, error);
}

bool FontFile::ExportC(const FontCharSet& set, const QString& path, QString* error)
{
    return WriteFile(path, CSourceBytes(set), Mode::Text, error);
}

bool FontFile::WriteFile(const QString& path, const QByteArray& bytes, Mode mode, QString* error)
{
    FileWriter writer;
    writer.Add(path, bytes, mode);
    if (writer.Commit())
        return true;
    SetError(error, writer.Reason());
    return false;
}
