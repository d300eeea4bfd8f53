#include "FontCharSet.h"
#include "FontFile.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

using Writer = std::function<bool(const FontCharSet&, const QString&, QString*)>;

// A font whose file is some megabytes long, so that a write can be cut anywhere.
std::unique_ptr<FontCharSet> BigFont()
{
    auto set = std::make_unique<FontCharSet>();
    for (int index = 0; index < 50000; ++index) {
        auto glyph = std::make_unique<FontChar>();
        glyph->SetColumn(quint32(index % 5), quint8(index));
        set->StoreRead(QStringLiteral("glyph %1").arg(index), std::move(glyph));
    }
    return set;
}

QStringList Entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

} // namespace

Q_DECLARE_METATYPE(Writer)

class TestFileSafety : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void fullDiskKeepsOldFileAndReports_data();
    void fullDiskKeepsOldFileAndReports();
    void processKilledHalfWayKeepsOldFile_data();
    void processKilledHalfWayKeepsOldFile();
    void readOnlyFolderKeepsOldFileAndReports();

private:
    std::unique_ptr<QTemporaryDir> _dir;
    QString _path;
    QByteArray _old;
};

void TestFileSafety::init()
{
    _dir = std::make_unique<QTemporaryDir>();
    QVERIFY(_dir->isValid());
    _path = _dir->filePath(QStringLiteral("font.xml"));
    _old = FontFile::XmlBytes(FontCharSet());
    QFile file(_path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(_old), _old.size());
}

static void AddWriters()
{
    QTest::addColumn<Writer>("write");
    QTest::newRow("save") << Writer(&FontFile::Save);
    QTest::newRow("export") << Writer(&FontFile::ExportC);
}

void TestFileSafety::fullDiskKeepsOldFileAndReports_data()
{
    AddWriters();
}

void TestFileSafety::fullDiskKeepsOldFileAndReports()
{
#ifndef Q_OS_UNIX
    QSKIP("needs a file size limit");
#else
    QFETCH(Writer, write);
    const std::unique_ptr<FontCharSet> font = BigFont();

    // A file size limit acts like a disk that fills up after 256 KiB.
    rlimit saved{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = 256 * 1024;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &limited), 0);
    QString error;
    const bool written = write(*font, _path, &error);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    QVERIFY(!written);
    QVERIFY2(error.contains(QLatin1String("File too large")), qPrintable(error));
    QCOMPARE(TestFiles::Read(_path), _old);
    QCOMPARE(Entries(_dir->path()), QStringList{"font.xml"});
#endif
}

void TestFileSafety::processKilledHalfWayKeepsOldFile_data()
{
    AddWriters();
}

void TestFileSafety::processKilledHalfWayKeepsOldFile()
{
#ifndef Q_OS_UNIX
    QSKIP("needs fork and a file size limit");
#else
    QFETCH(Writer, write);
    const std::unique_ptr<FontCharSet> font = BigFont();

    // The child's writes are cut by a file size limit whose signal, left at its default
    // action, kills the process in the middle of the write: a crash or power cut at that
    // moment, made repeatable.
    const pid_t child = fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_DFL);
        rlimit limited{};
        getrlimit(RLIMIT_FSIZE, &limited);
        limited.rlim_cur = 256 * 1024;
        setrlimit(RLIMIT_FSIZE, &limited);
        write(*font, _path, nullptr);
        _exit(0);
    }
    int status = 0;
    QCOMPARE(waitpid(child, &status, 0), child);
    QVERIFY2(WIFSIGNALED(status), "the write was expected to be cut by a signal");
    QCOMPARE(WTERMSIG(status), SIGXFSZ);

    QCOMPARE(TestFiles::Read(_path), _old);
    // The half-written text went to a temporary file, which is unnamed where the system
    // allows it (Linux) and otherwise left beside the font.
    const QStringList entries = Entries(_dir->path());
    QVERIFY(entries.contains(QStringLiteral("font.xml")));
    QVERIFY2(entries.size() <= 2, qPrintable(entries.join(QLatin1Char(' '))));
#endif
}

void TestFileSafety::readOnlyFolderKeepsOldFileAndReports()
{
#ifndef Q_OS_UNIX
    QSKIP("needs POSIX permissions");
#else
    if (geteuid() == 0)
        QSKIP("root writes into read-only folders");
    QVERIFY(QFile::setPermissions(_dir->path(), QFile::ReadOwner | QFile::ExeOwner));
    QString error;
    const bool written = FontFile::Save(FontCharSet(), _path, &error);
    QFile::setPermissions(_dir->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(!written);
    QVERIFY(!error.isEmpty());
    QCOMPARE(TestFiles::Read(_path), _old);
#endif
}

QTEST_APPLESS_MAIN(TestFileSafety)
#include "tst_filesafety.moc"
