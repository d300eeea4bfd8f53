#include "Console.h"

#include "Message.h"

#include <QFile>

#include <cstdio>

#ifdef Q_OS_UNIX
#include <langinfo.h>
#endif

QString Console::VisibleText(QStringView text)
{
    QString visible;
    visible.reserve(text.size());
    for (const QChar character : text) {
        const char16_t code = character.unicode();
        if (code >= 0x20 && code != 0x7F && (code < 0x80 || code > 0x9F) && code != 0x2028 &&
            code != 0x2029) {
            visible += character;
        } else if (code == u'\t') {
            visible += QLatin1String("\\t");
        } else if (code == u'\n') {
            visible += QLatin1String("\\n");
        } else if (code == u'\r') {
            visible += QLatin1String("\\r");
        } else if (code > 0xFF) {
            visible += QStringLiteral("\\u%1").arg(int(code), 4, 16, QLatin1Char('0'));
        } else {
            visible += QStringLiteral("\\x%1").arg(int(code), 2, 16, QLatin1Char('0'));
        }
    }
    return visible;
}

bool Console::DecodeFileName(const QByteArray& local, QString& name)
{
    name = QFile::decodeName(local);
    // The conversion drops a leading byte order mark, which a name may well hold.
    if (local.startsWith("\xEF\xBB\xBF") && !name.startsWith(QChar(0xFEFF)))
        name.prepend(QChar(0xFEFF));
    return QFile::encodeName(name) == local;
}

bool Console::DecodeArguments(int argc, char* argv[], QStringList& arguments, QString* error)
{
    arguments.clear();
    for (int index = 0; index < argc; ++index) {
        QString argument;
        if (!DecodeFileName(argv[index], argument)) {
            return Message::Fail(
                error, Message::Text(u"argument %1 (%2) is not valid in the system's encoding",
                                     {index, VisibleText(argument)}));
        }
        arguments << argument;
    }
    return true;
}

void Console::PrintError(const QString& program, const QString& message)
{
    std::fprintf(stderr, "%s: %s\n", program.toLocal8Bit().constData(),
                 VisibleText(message).toLocal8Bit().constData());
}

QByteArray Console::LocaleEncoding()
{
#ifdef Q_OS_UNIX
    return QByteArray(nl_langinfo(CODESET));
#else
    // Qt's name for the system's code page.
    return QByteArrayLiteral("Locale");
#endif
}
