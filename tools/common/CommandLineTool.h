#pragma once

#include "HelpText.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>

class FileWriter;
class MessageList;
class ToolOptions;

// What the programs share on their command lines: --help and --version, one font file as
// the argument (after a command: ToolOptions::ReadArguments), each option that takes a value
// given once, and messages on standard error, each one line whatever a path or a font holds.
class CommandLineTool
{
public:
    enum ExitStatus { Success = 0, ProblemsFound = 1, Failure = 2 };

    // The program's name as its messages and --version give it, and what --help says of it:
    // the description first, the examples last.
    CommandLineTool(const QString& name, const QString& description,
                    const QList<HelpText::Example>& examples);

    // Where a program declares its own options, before Parse.
    QCommandLineParser& Parser() { return _parser; }

    // Reads the process's command line into the program's options. True when the program is
    // to go on with FontPath(); otherwise the exit status is in status: Success after --help
    // or --version was printed, Failure after the error was.
    bool Parse(int argc, char* argv[], ToolOptions& options, int& status);
    const QString& FontPath() const { return _fontPath; }

    // "name: message" on standard error; Fail gives the status to exit with.
    int Fail(const QString& message) const;
    void Note(const QString& message) const;
    void Warn(const QString& message) const;
    // Each message of the list, each after the prefix, then one line for those it only
    // counted.
    void Note(const MessageList& messages, const QString& prefix = QString()) const;
    void Warn(const MessageList& warnings) const;
    // Writes to standard output, or fails naming what could not be written.
    int Print(const QByteArray& bytes, const QString& what) const;
    // Writes the outputs (FileWriter::Commit): Success, or Failure after naming the output
    // that could not be written and why.
    int Commit(FileWriter& files) const;

private:
    static QString Dashed(const QString& name);
    QString ParseError() const;
    QString Help() const;

    QString _name;
    QList<HelpText::Example> _examples;
    QCommandLineParser _parser;
    QCommandLineOption _helpOption;
    QCommandLineOption _versionOption;
    QString _fontPath;
};
