#include "FontFile.h"

#include <QBuffer>
#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>
#include <QXmlStreamWriter>

namespace {

void SetError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

// QIODevice::write may write less than asked without reporting an error (a file size
// limit, a full disk); asking again for the rest makes the device report the reason.
bool WriteAll(QFileDevice& device, const QByteArray& bytes)
{
    const char* data = bytes.constData();
    qint64 remaining = bytes.size();
    while (remaining > 0) {
        const qint64 written = device.write(data, remaining);
        if (written <= 0)
            return false;
        data += written;
        remaining -= written;
    }
    return true;
}

// A device or a pipe cannot be replaced by renaming a new file over it (and must not be:
// the rename would delete the device node); it is written in place.
bool IsSpecialFile(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() && !info.isFile() && !info.isDir();
}

} // namespace

std::unique_ptr<FontCharSet> FontFile::Load(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        SetError(error, file.errorString());
        return nullptr;
    }
    QDomDocument document;
    QString message;
    int line = 0;
    int column = 0;
    if (!document.setContent(&file, false, &message, &line, &column)) {
        SetError(error, QStringLiteral("not a well-formed XML document (line %1, column %2: %3)")
                            .arg(line)
                            .arg(column)
                            .arg(message));
        return nullptr;
    }
    auto set = std::make_unique<FontCharSet>();
    set->ReadXml(document.documentElement());
    return set;
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
    return WriteFile(path, XmlBytes(set), error);
}

bool FontFile::ExportC(const FontCharSet& set, const QString& path, QString* error)
{
    return WriteFile(path, CSourceBytes(set), error);
}

bool FontFile::WriteFile(const QString& path, const QByteArray& bytes, QString* error)
{
    // Text mode: line ends follow the platform's convention on disk.
    const QIODevice::OpenMode mode = QIODevice::WriteOnly | QIODevice::Text;
    if (IsSpecialFile(path)) {
        QFile file(path);
        if (!file.open(mode) || !WriteAll(file, bytes) || !file.flush()) {
            SetError(error, file.errorString());
            return false;
        }
        return true;
    }
    QSaveFile file(path);
    if (!file.open(mode) || !WriteAll(file, bytes) || !file.commit()) {
        SetError(error, file.errorString());
        file.cancelWriting();
        return false;
    }
    return true;
}
