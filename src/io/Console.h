#pragma once

#include "Status.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// Text between a program and its console: the command line it is given, what it prints
// (escaped by TextEscape).
class Console
{
public:
    // A file name in the system's bytes, as a command line gives it, as the toolkit's text;
    // false when the bytes do not survive the conversion (not valid UTF-8, say): the text
    // would then name another file.
    static bool DecodeFileName(const QByteArray& local, QString& name);
    // The whole command line so decoded, or a failure with the reason.
    static Status DecodeArguments(int argc, char* argv[], QStringList& arguments);

    // "program: message" as one line on standard error, whatever the message holds.
    static void PrintError(const QString& program, const QString& message);

    // The encoding of the locale the program runs in, as the C library names it (its
    // codeset, "ISO-8859-1" say), for text that is to be in the user's encoding. The
    // application object sets the locale from the environment: ask after it exists.
    static QByteArray LocaleEncoding();
};
