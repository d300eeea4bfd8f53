#include "FileWriter.h"

#ifdef Q_OS_UNIX
#include <csignal>
#endif

namespace {

#ifdef Q_OS_UNIX
// Past a file size limit the system stops the process with SIGXFSZ, which would lose the
// editor's unsaved work; ignored, the write fails with a reason instead.
class FileSizeSignalIgnored
{
public:
    FileSizeSignalIgnored()
    {
        struct sigaction ignore = {};
        ignore.sa_handler = SIG_IGN;
        ::sigaction(SIGXFSZ, &ignore, &_previous);
    }
    ~FileSizeSignalIgnored() { ::sigaction(SIGXFSZ, &_previous, nullptr); }
    FileSizeSignalIgnored(const FileSizeSignalIgnored&) = delete;
    FileSizeSignalIgnored& operator=(const FileSizeSignalIgnored&) = delete;

private:
    struct sigaction _previous = {};
};
#endif

} // namespace

void FileWriter::Add(const QString& path, const QByteArray& bytes, Mode mode)
{
    _outputs.append(FileOutput(path, bytes, mode));
}

void FileWriter::AddNew(const QString& path, const QByteArray& bytes, Mode mode)
{
    _outputs.append(FileOutput::New(path, bytes, mode));
}

void FileWriter::AddStandardOutput(const QByteArray& bytes)
{
    _outputs.append(FileOutput::StandardOutput(bytes));
}

void FileWriter::Protect(const QString& path)
{
    _protected.append(path);
}

bool FileWriter::Commit()
{
#ifdef Q_OS_UNIX
    const FileSizeSignalIgnored fileSizeSignalIgnored;
#endif
    if (!Check() || !Prepare())
        return false;
    if (!Replace()) {
        RollBack();
        return false;
    }
    return true;
}

bool FileWriter::WriteStandardOutput(const QByteArray& bytes)
{
    FileWriter writer;
    writer.AddStandardOutput(bytes);
    return writer.Commit();
}

Status FileWriter::WriteFile(const QString& path, const QByteArray& bytes, Mode mode)
{
    FileWriter writer;
    writer.Add(path, bytes, mode);
    if (writer.Commit())
        return Status();
    return Status::Failure(writer.Reason());
}

// Every output can go where it is meant to, and none replaces a protected file or another
// output.
bool FileWriter::Check()
{
    for (qsizetype index = 0; index < _outputs.size(); ++index) {
        FileOutput& output = _outputs[index];
        if (const Status resolved = output.Resolve(); !resolved)
            return Fail(output, resolved.Reason());
        for (const QString& kept : _protected) {
            if (output.SameFile(kept))
                return Fail(output, QStringLiteral("this is the file being read (") + kept +
                                        QLatin1Char(')'));
        }
        for (qsizetype earlier = 0; earlier < index; ++earlier) {
            if (output.SameFile(_outputs[earlier])) {
                return Fail(output, QStringLiteral("this file is already an output (") +
                                        _outputs[earlier].Name() + QLatin1Char(')'));
            }
        }
    }
    return true;
}

// Every file that can be replaced by renaming is made complete beside its target; with
// several outputs, the old bytes of each are kept, so that a later failure can put them back.
bool FileWriter::Prepare()
{
    for (FileOutput& output : _outputs) {
        QString reason = _outputs.size() > 1 ? output.KeepOldBytes() : QString();
        if (reason.isEmpty())
            reason = output.Prepare();
        if (!reason.isEmpty())
            return Fail(output, reason);
    }
    return true;
}

// The files written where they are, and the streams, first; the renames and links last.
bool FileWriter::Replace()
{
    for (const bool renames : {false, true}) {
        for (FileOutput& output : _outputs) {
            if (renames != output.IsNamedLast())
                continue;
            const QString reason = output.Replace();
            if (!reason.isEmpty())
                return Fail(output, reason);
        }
    }
    return true;
}

void FileWriter::RollBack()
{
    for (FileOutput& output : _outputs)
        output.RollBack();
}

bool FileWriter::Fail(const FileOutput& output, const QString& reason)
{
    _failedPath = output.Name();
    _reason = reason;
    return false;
}
