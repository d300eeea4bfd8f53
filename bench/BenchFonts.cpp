#include "BenchFonts.h"

#include "FileWriter.h"
#include "FontCharSet.h"
#include "FontFileWriter.h"

#include <QFile>
#include <QRandomGenerator>

namespace BenchFonts {

QString GenerateFont(const QString& folder, int glyphs)
{
    const QString path = QStringLiteral("%1/font-%2.xml").arg(folder).arg(glyphs);
    if (QFile::exists(path))
        return path;
    QRandomGenerator random{quint32(glyphs)};
    FontCharSet set;
    set.Clear();
    while (set.Count() < quint32(glyphs)) {
        QString name;
        const int length = 4 + int(random.bounded(9));
        for (int index = 0; index < length; ++index) {
            const int pick = int(random.bounded(95 + 96));
            name += QChar(pick < 95 ? 0x20 + pick : 0xA0 + pick - 95);
        }
        auto glyph = std::make_unique<FontChar>();
        for (quint32 column = 0; column < FontChar::ColumnCount; ++column)
            glyph->SetColumn(column, quint8(random.bounded(256)));
        set.StoreRead(name, std::move(glyph));
    }
    if (const Status written =
            FileWriter::WriteFile(path, FontFileWriter::Bytes(set), FileWriter::Mode::Text);
        !written)
        qFatal("cannot write %s: %s", qPrintable(path), qPrintable(written.Reason()));
    return path;
}

QString GenerateLargeFont(const QString& folder)
{
    constexpr int Glyphs = 1000000;
    const QString path = QStringLiteral("%1/font-%2.xml").arg(folder).arg(Glyphs);
    if (QFile::exists(path))
        return path;
    QRandomGenerator random{quint32(Glyphs)};
    QByteArray content = "<CharSet>\n";
    for (int glyph = 0; glyph < Glyphs; ++glyph) {
        const int pick = int(random.bounded(95 + 96));
        const QString name = QString::number(glyph) + QStringLiteral("  ") +
                             QChar(pick < 95 ? 0x20 + pick : 0xA0 + pick - 95);
        content += "<FontChar Char=\"" + name.toHtmlEscaped().toUtf8() + "\"><Byte Index=\"" +
                   QByteArray::number(random.bounded(5)) + "\">" +
                   QByteArray::number(random.bounded(256), 16) + "</Byte></FontChar>\n";
    }
    if (const Status written =
            FileWriter::WriteFile(path, content + "</CharSet>\n", FileWriter::Mode::Text);
        !written)
        qFatal("cannot write %s: %s", qPrintable(path), qPrintable(written.Reason()));
    return path;
}

} // namespace BenchFonts
