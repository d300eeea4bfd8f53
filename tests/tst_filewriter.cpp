#include "CSourceWriter.h"
#include "FileWriter.h"
#include "FontCharSet.h"
#include "FontFileWriter.h"
#include "NewFile.h"
#include "TestFiles.h"
#include "TestFonts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

#ifdef Q_OS_UNIX
#include <csignal>
#include <cstring>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif
#ifdef Q_OS_LINUX
#include <sched.h>
#include <sys/mount.h>
#endif

namespace {

using Writer = std::function<bool(const FontCharSet&, const QString&, QString*)>;

bool Written(const Status& written, QString* error)
{
    if (!written && error)
        *error = written.Reason();
    return written.Ok();
}

// What the editor's "Save font" and "Export font as C/C++ code" write, through the writer.
bool Save(const FontCharSet& set, const QString& path, QString* error)
{
    return Written(FileWriter::WriteFile(path, FontFileWriter::Bytes(set), FileWriter::Mode::Text),
                   error);
}

bool Export(const FontCharSet& set, const QString& path, QString* error)
{
    return Written(
        FileWriter::WriteFile(path, CSourceWriter().SourceBytes(set), FileWriter::Mode::Text),
        error);
}

// Big enough that a write can be cut anywhere.
std::unique_ptr<FontCharSet> BigFont(int glyphs = 50000)
{
    return TestFonts::Numbered(glyphs);
}

QStringList Entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

#ifdef Q_OS_UNIX
// Runs body in a child process and returns what it printed; the child may change its
// mounts or its user without touching the test's own process.
QByteArray InChild(const std::function<QByteArray()>& body)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return "skip: no pipe";
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        // An exception must not take the child back into the test runner.
        QByteArray report = "an exception";
        try {
            report = body();
        } catch (...) {
        }
        const ssize_t ignored = write(pipeEnds[1], report.constData(), size_t(report.size()));
        Q_UNUSED(ignored);
        _exit(0);
    }
    close(pipeEnds[1]);
    QByteArray report;
    char buffer[4096];
    for (ssize_t got; (got = read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        report.append(buffer, got);
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return report;
}

// Where the converter is copied by its first run, as this user: another user may not reach
// the build folder (a checkout in a folder that only its owner may enter). Made before any
// test, so that copies made in child processes go when the test ends.
QTemporaryDir copies;

// The converter, run on a font file beside the folder of its output.
bool ConvertTo(const FontCharSet& set, const QString& path, QString* error)
{
    const QString input = QFileInfo(path).absolutePath() + QStringLiteral("/../input.xml");
    const QByteArray program = QFile::encodeName(copies.filePath(QStringLiteral("converter")));
    if (!QFile::exists(program) && (!QFile::copy(QStringLiteral(PIXMINT_EXPORT), program) ||
                                    chmod(QFile::encodeName(copies.path()), 0755) != 0))
        return false;
    if (!Save(set, input, nullptr))
        return false;
    const pid_t child = fork();
    if (child == 0) {
        execl(program.constData(), program.constData(), QFile::encodeName(input).constData(), "-o",
              QFile::encodeName(path).constData(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (error)
        *error = QStringLiteral("exit status %1").arg(WEXITSTATUS(status));
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
#endif

} // namespace

Q_DECLARE_METATYPE(Writer)

class TestFileWriter : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void fullDiskKeepsOldFileAndReports_data();
    void fullDiskKeepsOldFileAndReports();
    void processKilledHalfWayKeepsOldFile_data();
    void processKilledHalfWayKeepsOldFile();
    void smallWriteOnFullDiskKeepsOldFile_data();
    void smallWriteOnFullDiskKeepsOldFile();
    void readOnlyFolder_data();
    void readOnlyFolder();
    void stickyFolder_data();
    void stickyFolder();
    void replacingKeepsModeAndOwner();
    void laterFailurePutsBackEarlierOutputs_data();
    void laterFailurePutsBackEarlierOutputs();
    void linksLeadWhereTheSystemLeads_data();
    void linksLeadWhereTheSystemLeads();
    void newFileNeverReplacesOne_data();
    void newFileNeverReplacesOne();

private:
    std::unique_ptr<QTemporaryDir> _dir;
    QString _path;
    QByteArray _old;
};

void TestFileWriter::init()
{
    _dir = std::make_unique<QTemporaryDir>();
    QVERIFY(_dir->isValid());
    _path = _dir->filePath(QStringLiteral("font.xml"));
    _old = FontFileWriter::Bytes(FontCharSet());
    QFile file(_path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(_old), _old.size());
}

static void AddWriters()
{
    QTest::addColumn<Writer>("write");
    QTest::newRow("save") << Writer(&Save);
    QTest::newRow("export") << Writer(&Export);
}

void TestFileWriter::smallWriteOnFullDiskKeepsOldFile_data()
{
    QTest::addColumn<Writer>("write");
    QTest::addColumn<int>("freeBytes");
    QTest::addColumn<bool>("inPlace");
    for (int freeBytes : {0, 4096}) {
        const QByteArray room = freeBytes ? " on a nearly full disk" : " on a full disk";
        QTest::newRow("save" + room) << Writer(&Save) << freeBytes << false;
        QTest::newRow("export" + room) << Writer(&Export) << freeBytes << false;
#ifdef Q_OS_UNIX
        QTest::newRow("converter" + room) << Writer(&ConvertTo) << freeBytes << false;
#endif
        // A file that can only be written in place, its folder being read-only to the user.
        QTest::newRow("save in place" + room) << Writer(&Save) << freeBytes << true;
    }
}

void TestFileWriter::smallWriteOnFullDiskKeepsOldFile()
{
#ifndef Q_OS_LINUX
    QSKIP("needs a private tmpfs");
#else
    QFETCH(Writer, write);
    QFETCH(int, freeBytes);
    QFETCH(bool, inPlace);
    if (inPlace && geteuid() != 0)
        QSKIP("needs root to give the file to another user");
    // The other user must reach the folder.
    if (inPlace)
        QVERIFY(QFile::setPermissions(_dir->path(), QFile::ReadOwner | QFile::WriteOwner |
                                                        QFile::ExeOwner | QFile::ReadOther |
                                                        QFile::ExeOther));
    const std::unique_ptr<FontCharSet> font = BigFont(250);
    const QString folder = _dir->filePath(QStringLiteral("small"));
    QVERIFY(QDir().mkpath(folder));

    // A 64 KiB file system of its own, filled up to the given room, in a child process.
    const QByteArray report = InChild([&]() -> QByteArray {
        if (unshare(CLONE_NEWNS) != 0 && unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
            return QByteArray("skip: no private mount namespace: ") + std::strerror(errno);
        if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0,
                  "size=64k,mode=0755") != 0)
            return QByteArray("skip: cannot mount a tmpfs: ") + std::strerror(errno);
        const QString path = folder + QStringLiteral("/font.xml");
        if (!TestFiles::Write(path, _old))
            return "the old file could not be written";
        QFile fill(folder + QStringLiteral("/fill"));
        if (!fill.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return "no fill file";
        const QByteArray page(4096, 'f');
        while (fill.write(page) == page.size()) {
        }
        fill.resize(fill.size() - freeBytes);
        fill.close();
        if (inPlace && (chown(QFile::encodeName(path).constData(), 65534, 65534) != 0 ||
                        setgid(65534) != 0 || setuid(65534) != 0))
            return "cannot write as an ordinary user";
        QString error;
        const bool written = write(*font, path, &error);
        return (written ? "written" : "refused: " + error.toUtf8()) + "\n" +
               (TestFiles::Read(path) == _old ? "old file intact" : "old file changed") + "\n" +
               Entries(folder).join(QLatin1Char(' ')).toUtf8();
    });
    if (report.startsWith("skip: "))
        QSKIP(report.constData());
    const QByteArrayList lines = report.split('\n');
    QCOMPARE(lines.size(), 3);
    QVERIFY2(lines[0].startsWith("refused: "), lines[0].constData());
    QCOMPARE(lines[1], QByteArray("old file intact"));
    QCOMPARE(lines[2], QByteArray("fill font.xml"));
#endif
}

void TestFileWriter::fullDiskKeepsOldFileAndReports_data()
{
    AddWriters();
}

void TestFileWriter::fullDiskKeepsOldFileAndReports()
{
#ifndef Q_OS_UNIX
    QSKIP("needs a file size limit");
#else
    QFETCH(Writer, write);
    const std::unique_ptr<FontCharSet> font = BigFont();

    // A file size limit acts like a disk that fills up after 256 KiB. Its signal keeps its
    // default action, which ends a process that does not ignore it, unsaved work and all.
    rlimit saved{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit limited = saved;
    limited.rlim_cur = 256 * 1024;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &limited), 0);
    QString error;
    const bool written = write(*font, _path, &error);
    setrlimit(RLIMIT_FSIZE, &saved);

    QVERIFY(!written);
    QVERIFY2(error.contains(QLatin1String("File too large")), qPrintable(error));
    QCOMPARE(TestFiles::Read(_path), _old);
    QCOMPARE(Entries(_dir->path()), QStringList{"font.xml"});
#endif
}

void TestFileWriter::processKilledHalfWayKeepsOldFile_data()
{
    AddWriters();
}

void TestFileWriter::processKilledHalfWayKeepsOldFile()
{
#ifndef Q_OS_UNIX
    QSKIP("needs fork and kill");
#else
    QFETCH(Writer, write);
    const std::unique_ptr<FontCharSet> font = BigFont();
    const QString elsewhere = _dir->filePath(QStringLiteral("new.xml"));
    QVERIFY(write(*font, elsewhere, nullptr));
    const QByteArray written = TestFiles::Read(elsewhere);
    QVERIFY(QFile::remove(elsewhere));

    // A crash or a power cut at any moment: a child saves again and again until it is
    // killed, at several moments of a save.
    for (int milliseconds : {5, 20, 45, 80, 130}) {
        const pid_t child = fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            for (;;)
                write(*font, _path, nullptr);
        }
        QTest::qSleep(milliseconds);
        QCOMPARE(kill(child, SIGKILL), 0);
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);

        const QByteArray now = TestFiles::Read(_path);
        QVERIFY2(now == _old || now == written,
                 qPrintable(QStringLiteral("a file of %1 bytes after %2 ms")
                                .arg(now.size())
                                .arg(milliseconds)));
        // The text being written goes to a temporary file, which is unnamed where the system
        // allows it (Linux) and otherwise left beside the font.
        QVERIFY2(Entries(_dir->path()).size() <= 2,
                 qPrintable(Entries(_dir->path()).join(QLatin1Char(' '))));
    }
#endif
}

void TestFileWriter::replacingKeepsModeAndOwner()
{
#ifndef Q_OS_UNIX
    QSKIP("needs POSIX permissions");
#else
    const bool root = geteuid() == 0;
    QVERIFY(QFile::setPermissions(_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    if (root)
        QCOMPARE(chown(QFile::encodeName(_path).constData(), 65534, 65534), 0);
    QVERIFY(Save(FontCharSet(), _path, nullptr));
    struct stat after = {};
    QCOMPARE(stat(QFile::encodeName(_path).constData(), &after), 0);
    QCOMPARE(after.st_mode & 07777, mode_t(0640));
    if (root)
        QCOMPARE(after.st_uid, uid_t(65534));
#endif
}

void TestFileWriter::laterFailurePutsBackEarlierOutputs_data()
{
    // The common firmware call has two outputs: -o with --header or --png.
    QTest::addColumn<bool>("withNewFile");
    QTest::newRow("a new file, a replaced one, then the failure") << true;
    QTest::newRow("a replaced file, then the failure") << false;
}

void TestFileWriter::laterFailurePutsBackEarlierOutputs()
{
#ifndef Q_OS_LINUX
    QSKIP("needs a private mount namespace");
#else
    QFETCH(bool, withNewFile);
    const QString made = _dir->filePath(QStringLiteral("made.c"));
    const QString replaced = _dir->filePath(QStringLiteral("replaced.c"));
    const QString busy = _dir->filePath(QStringLiteral("busy.png"));
    QVERIFY(TestFiles::Write(replaced, "old source"));
    QVERIFY(TestFiles::Write(busy, "old sheet"));
    QVERIFY(TestFiles::Write(_path + QStringLiteral(".mounted"), "mounted"));
    // A file with another file mounted on it cannot be renamed over: the last output fails
    // after the others are in place.
    const QByteArray report = InChild([&]() -> QByteArray {
        if (unshare(CLONE_NEWNS) != 0 && unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
            return QByteArray("skip: no private mount namespace: ") + std::strerror(errno);
        if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            mount(QFile::encodeName(_path + QStringLiteral(".mounted")).constData(),
                  QFile::encodeName(busy).constData(), nullptr, MS_BIND, nullptr) != 0)
            return QByteArray("skip: cannot bind-mount a file: ") + std::strerror(errno);
        FileWriter writer;
        if (withNewFile)
            writer.Add(made, "new source", FileWriter::Mode::Text);
        writer.Add(replaced, "new source", FileWriter::Mode::Text);
        writer.Add(busy, "new sheet", FileWriter::Mode::Binary);
        return writer.Commit() ? "written" : writer.FailedPath().toUtf8();
    });
    if (report.startsWith("skip: "))
        QSKIP(report.constData());
    QCOMPARE(report, busy.toUtf8());
    QVERIFY(!QFile::exists(made));
    QCOMPARE(TestFiles::Read(replaced), QByteArray("old source"));
    QCOMPARE(TestFiles::Read(busy), QByteArray("old sheet"));
#endif
}

void TestFileWriter::readOnlyFolder_data()
{
    QTest::addColumn<bool>("fileWritable");
    QTest::addColumn<int>("oldGlyphs");
    // The old file padded to this size, with less memory left to the writer than that.
    QTest::addColumn<int>("oldMiB");
    // Another output follows, which fails (/dev/full): the old bytes must come back.
    QTest::addColumn<bool>("thenFails");
    QTest::newRow("writable file is written in place") << true << 0 << 0 << false;
    // Nothing of the longer old file may be left behind the new one.
    QTest::newRow("a shorter font written in place") << true << 300 << 0 << false;
    QTest::newRow("read-only file is kept and reported") << false << 0 << 0 << false;
    QTest::newRow("in place, then a failure") << true << 300 << 0 << true;
    QTest::newRow("in place, larger than the memory left, then a failure")
        << true << 300 << 64 << true;
}

void TestFileWriter::readOnlyFolder()
{
#ifndef Q_OS_UNIX
    QSKIP("needs POSIX permissions");
#else
    QFETCH(bool, fileWritable);
    QFETCH(int, oldGlyphs);
    QFETCH(int, oldMiB);
    QFETCH(bool, thenFails);
    if (oldGlyphs > 0) {
        _old = FontFileWriter::Bytes(*BigFont(oldGlyphs));
        _old.resize(std::max(_old.size(), qsizetype(oldMiB) << 20), '\0');
        QVERIFY(TestFiles::Write(_path, _old));
    }
    // Root may write anywhere: the save then runs as an ordinary user in a child process.
    const bool root = geteuid() == 0;
    const QFile::Permissions folderMode = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther |
                                          QFile::ExeOther | QFile::ReadGroup | QFile::ExeGroup;
    QVERIFY(QFile::setPermissions(_dir->path(), folderMode));
    QVERIFY(QFile::setPermissions(_path, fileWritable ? QFile::ReadOwner | QFile::WriteOwner
                                                      : QFile::ReadOwner));
    if (root)
        QCOMPARE(chown(QFile::encodeName(_path).constData(), 65534, 65534), 0);
    const std::unique_ptr<FontCharSet> font = BigFont(10);
    const QByteArray report = InChild([&]() -> QByteArray {
        if (root && (setgid(65534) != 0 || setuid(65534) != 0))
            return "skip: cannot become an ordinary user";
        // Half the old file's size beyond the memory that the process holds now.
        QFile status(QStringLiteral("/proc/self/statm"));
        const rlim_t pages =
            status.open(QIODevice::ReadOnly) ? status.readAll().split(' ')[0].toULongLong() : 0;
        const rlimit memory = {pages * sysconf(_SC_PAGESIZE) + (rlim_t(oldMiB) << 19),
                               RLIM_INFINITY};
        if (oldMiB > 0 && (pages == 0 || setrlimit(RLIMIT_AS, &memory) != 0))
            return "skip: no limit on memory";
        FileWriter writer;
        writer.Add(_path, FontFileWriter::Bytes(*font), FileWriter::Mode::Text);
        if (thenFails)
            writer.Add(QStringLiteral("/dev/full"), "more", FileWriter::Mode::Binary);
        return writer.Commit() ? "written" : "refused: " + writer.Reason().toUtf8();
    });
    QFile::setPermissions(_dir->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (report.startsWith("skip: "))
        QSKIP(report.constData());
    if (fileWritable && !thenFails) {
        QCOMPARE(report, QByteArray("written"));
        QCOMPARE(TestFiles::Read(_path), FontFileWriter::Bytes(*font));
    } else {
        QVERIFY2(report.startsWith("refused: ") && report.size() > 9, report.constData());
        QCOMPARE(TestFiles::Read(_path), _old);
    }
    QCOMPARE(Entries(_dir->path()), QStringList{"font.xml"});
#endif
}

void TestFileWriter::stickyFolder_data()
{
    AddWriters();
#ifdef Q_OS_UNIX
    QTest::newRow("converter") << Writer(&ConvertTo);
#endif
}

void TestFileWriter::stickyFolder()
{
#ifndef Q_OS_UNIX
    QSKIP("needs POSIX permissions");
#else
    QFETCH(Writer, write);
    if (geteuid() != 0)
        QSKIP("needs root to make a file of another user");
    // As in /tmp: anyone may add files, but only a file's owner may rename over it, however
    // writable it is. The converter's font goes beside the folder, as the other user.
    QCOMPARE(chmod(QFile::encodeName(_dir->path()).constData(), 0777), 0);
    const QString folder = _dir->filePath(QStringLiteral("sticky"));
    QVERIFY(QDir().mkdir(folder));
    QCOMPARE(chmod(QFile::encodeName(folder).constData(), 01777), 0);
    const QString path = folder + QStringLiteral("/font.xml");
    QVERIFY(TestFiles::Write(path, _old));
    QCOMPARE(chmod(QFile::encodeName(path).constData(), 0666), 0);
    const std::unique_ptr<FontCharSet> font = BigFont(10);
    // What the writer gives where nothing stands in its way.
    QVERIFY(QDir().mkpath(_dir->filePath(QStringLiteral("free/folder"))));
    const QString elsewhere = _dir->filePath(QStringLiteral("free/folder/font.xml"));
    QVERIFY(write(*font, elsewhere, nullptr));
    const QByteArray report = InChild([&]() -> QByteArray {
        if (setgid(65534) != 0 || setuid(65534) != 0)
            return "skip: cannot become an ordinary user";
        if (access(QFile::encodeName(folder).constData(), W_OK | X_OK) != 0)
            return "skip: another user cannot reach the test's folder " + folder.toUtf8();
        QString error;
        return write(*font, path, &error) ? "written" : "refused: " + error.toUtf8();
    });
    QFile::setPermissions(_dir->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (report.startsWith("skip: "))
        QSKIP(report.constData());
    QCOMPARE(report, QByteArray("written"));
    QCOMPARE(TestFiles::Read(path), TestFiles::Read(elsewhere));
    struct stat after = {};
    QCOMPARE(stat(QFile::encodeName(path).constData(), &after), 0);
    QCOMPARE(after.st_uid, uid_t(0));
    QCOMPARE(Entries(folder), QStringList{"font.xml"});
#endif
}

void TestFileWriter::linksLeadWhereTheSystemLeads_data()
{
    // Links (LINK=TARGET, in the test's folder) owned by a user, and the file that an output
    // through them writes, or none when it is refused. Beside font.xml, the file being read,
    // a/font.xml holds "other"; "sticky" is like /tmp.
    QTest::addColumn<QStringList>("links");
    QTest::addColumn<uid_t>("owner");
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("written");
    const uid_t self = geteuid();
    QTest::newRow("another user's link") << QStringList{"sticky/font.c=../a/font.xml"}
                                         << uid_t(65534) << "sticky/font.c" << QString();
    QTest::newRow("this user's link")
        << QStringList{"sticky/font.c=../a/font.xml"} << self << "sticky/font.c"
        << "a/font.xml";
    QTest::newRow("another user's link in the middle of a path")
        << QStringList{"sticky/evil=../a"} << uid_t(65534) << "sticky/evil/x.c" << QString();
    QTest::newRow("this user's link in the middle of a path")
        << QStringList{"sticky/evil=../a"} << self << "sticky/evil/x.c"
        << "a/x.c";
    // Text alone would drop "d/..", which the system applies after following d.
    QTest::newRow(".. after another link")
        << QStringList{"d=a/b", "out.c=d/../font.xml"} << self << "out.c"
        << "a/font.xml";
    QTest::newRow(".. after another link, to the file being read")
        << QStringList{"d=a/b", "up.c=d/../../font.xml"} << self << "up.c" << QString();
    // The test holds a/font.xml open as descriptor N: not a stream the program was given.
    QTest::newRow("a descriptor opened after the start")
        << QStringList() << self << "/dev/fd/N" << QString();
}

// What the writer checks and what it writes are the file that the system opens; another
// user's link in /tmp may point at any file, and the system does not follow it.
void TestFileWriter::linksLeadWhereTheSystemLeads()
{
#ifndef Q_OS_UNIX
    QSKIP("needs POSIX links");
#else
    QFETCH(QStringList, links);
    QFETCH(uid_t, owner);
    QFETCH(QString, output);
    QFETCH(QString, written);
    if (owner != geteuid() && geteuid() != 0)
        QSKIP("needs root to make a link of another user");
    QVERIFY(QDir(_dir->path()).mkpath(QStringLiteral("a/b")));
    QVERIFY(TestFiles::Write(_dir->filePath(QStringLiteral("a/font.xml")), "other"));
    QVERIFY(QDir(_dir->path()).mkdir(QStringLiteral("sticky")));
    QCOMPARE(chmod(QFile::encodeName(_dir->filePath(QStringLiteral("sticky"))), 01777), 0);
    for (const QString& link : links) {
        const QByteArray name = QFile::encodeName(_dir->filePath(link.section(u'=', 0, 0)));
        QCOMPARE(symlink(QFile::encodeName(link.section(u'=', 1)).constData(), name.constData()),
                 0);
        QCOMPARE(lchown(name.constData(), owner, owner), 0);
    }
    QFile open(_dir->filePath(QStringLiteral("a/font.xml")));
    QVERIFY(open.open(QIODevice::ReadWrite));
    FileWriter writer;
    writer.Protect(_path);
    writer.Add(QDir(_dir->path()).filePath(output.replace(u'N', QString::number(open.handle()))),
               "new", FileWriter::Mode::Binary);
    QVERIFY2(writer.Commit() != written.isEmpty(), qPrintable(writer.Reason()));
    QCOMPARE(TestFiles::Read(_path), _old);
    QCOMPARE(TestFiles::Read(_dir->filePath(QStringLiteral("a/font.xml"))),
             QByteArray(written == "a/font.xml" ? "new" : "other"));
    if (!written.isEmpty())
        QCOMPARE(TestFiles::Read(_dir->filePath(written)), QByteArray("new"));
#endif
}

void TestFileWriter::newFileNeverReplacesOne_data()
{
    QTest::addColumn<QString>("there"); // what takes the name after the bytes are written
    QTest::newRow("nothing") << "";
    QTest::newRow("a file") << "made meanwhile";
    QTest::newRow("a dangling link") << "link";
}

// Pixmint-font's new: the name is given last, and only if it is still free.
void TestFileWriter::newFileNeverReplacesOne()
{
    QFETCH(QString, there);
    const QString folder = _dir->filePath(QStringLiteral("new"));
    const QString path = folder + QStringLiteral("/font.xml");
    QVERIFY(QDir().mkdir(folder));
    {
        NewFile file(path);
        QCOMPARE(file.Prepare("new"), QString());
        QVERIFY(there == "link" ? QFile::link(QStringLiteral("gone"), path)
                                : there.isEmpty() || TestFiles::Write(path, there.toLatin1()));
        QCOMPARE(file.Link().contains(QStringLiteral("already exists")), !there.isEmpty());
    }
    QCOMPARE(TestFiles::Read(path), there.isEmpty()   ? QByteArray("new")
                                    : there == "link" ? QByteArray()
                                                      : there.toLatin1());
    // Nothing beside it: neither the link's target nor the temporary file.
    QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System |
                                    QDir::Hidden),
             QStringList(QStringLiteral("font.xml")));
}

QTEST_APPLESS_MAIN(TestFileWriter)
#include "tst_filewriter.moc"
