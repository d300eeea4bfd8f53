#include "Console.h"

#include "Message.h"
#include "TextEscape.h"

#include <QFile>

#include <cstdio>

#ifdef Q_OS_UNIX
#include <langinfo.h>
#endif

bool Console::DecodeFileName(const QByteArray& local, QString& name)
{
    name = QFile::decodeName(local);
    // The conversion drops a leading byte order mark, which a name may well hold.
    if (local.startsWith("\xEF\xBB\xBF") && !name.startsWith(QChar(0xFEFF)))
        name.prepend(QChar(0xFEFF));
    return QFile::encodeName(name) == local;
}

Status Console::DecodeArguments(int argc, char* argv[], QStringList& arguments)
{
    arguments.clear();
    for (int index = 0; index < argc; ++index) {
        QString argument;
        if (!DecodeFileName(argv[index], argument)) {
            return Status::Failure(
                Message::Text(u"argument %1 (%2) is not valid in the system's encoding",
                              {index, TextEscape::Escaped(argument, TextEscape::Where::Visible)}));
        }
        arguments << argument;
    }
    return Status();
}

void Console::PrintError(const QString& program, const QString& message)
{
    std::fprintf(stderr, "%s: %s\n", program.toLocal8Bit().constData(),
                 TextEscape::Escaped(message, TextEscape::Where::Line).toLocal8Bit().constData());
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
