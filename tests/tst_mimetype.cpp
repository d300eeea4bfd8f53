// The font file's MIME type as a desktop finds it: the definition compiled by
// update-mime-database together with the system's, as an installed system has it, then asked
// through Qt's MIME database, which reads a file's content as file managers do.
#include "TestFiles.h"

#include <QDir>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString FontType = QStringLiteral("application/x-pixmint-font");

} // namespace

class TestMimeType : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void recognisesFontsByTheirRoot_data();
    void recognisesFontsByTheirRoot();

private:
    QTemporaryDir _dir;
};

void TestMimeType::initTestCase()
{
    QVERIFY(_dir.isValid());
    const QString system = QStandardPaths::locate(
        QStandardPaths::GenericDataLocation, QStringLiteral("mime/packages/freedesktop.org.xml"));
    QVERIFY2(!system.isEmpty(), "shared-mime-info is not installed");
    const QString packages = _dir.filePath(QStringLiteral("mime/packages"));
    QVERIFY(QDir().mkpath(packages));
    QVERIFY(QFile::copy(system, packages + QStringLiteral("/freedesktop.org.xml")));
    QVERIFY(QFile::copy(QStringLiteral(PIXMINT_MIME_DEFINITION),
                        packages + QStringLiteral("/pixmint.xml")));

    QProcess update;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("PKGSYSTEM_ENABLE_FSYNC"), QStringLiteral("0"));
    update.setProcessEnvironment(environment);
    update.start(QStringLiteral("update-mime-database"), {_dir.filePath(QStringLiteral("mime"))});
    QVERIFY(update.waitForFinished(120000));
    QVERIFY2(update.exitStatus() == QProcess::NormalExit && update.exitCode() == 0,
             update.readAllStandardError().constData());

    // Qt looks for the database when it is first asked: only this one is to be found.
    qputenv("XDG_DATA_DIRS", QFile::encodeName(_dir.path()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(_dir.filePath(QStringLiteral("home"))));
}

void TestMimeType::recognisesFontsByTheirRoot_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("type");

    QTest::newRow("saved by the editor")
        << TestFiles::Data(QStringLiteral("default.xml")) << FontType;
    QTest::newRow("no declaration, attributes on the next line")
        << QByteArray("<!-- made by hand -->\n<CharSet\n  version=\"1\">\n</CharSet>\n")
        << FontType;
    QTest::newRow("empty") << QByteArray("<?xml version=\"1.0\"?>\n<CharSet/>\n") << FontType;
    QTest::newRow("a root whose name starts alike")
        << QByteArray("<?xml version=\"1.0\"?>\n<CharSetting version=\"1\"/>\n")
        << QStringLiteral("application/xml");
}

void TestMimeType::recognisesFontsByTheirRoot()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, type);

    const QMimeType found = QMimeDatabase().mimeTypeForData(content);
    QCOMPARE(found.name(), type);
    if (type == FontType) {
        QVERIFY(found.inherits(QStringLiteral("application/xml")));
        QCOMPARE(found.iconName(), QStringLiteral("pixmint"));
        QVERIFY(!found.comment().isEmpty());
    }
}

QTEST_GUILESS_MAIN(TestMimeType)
#include "tst_mimetype.moc"
