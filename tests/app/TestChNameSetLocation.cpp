// Where "ChNameSet.fix" is found: the program folder when it holds one that can be written,
// otherwise the user's data folder, seeded the first time from the program folder's copy or the
// installed default.
#include "tests/fixtureedit/EditorHarness.h"

#include "app/ChNameSetLocation.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestChNameSetLocation : public QObject {
    Q_OBJECT
private slots:
    void locate_data()
    {
        // Each copy is given by its content; an empty one means there is no file.
        QTest::addColumn<bool>("programWritable");
        QTest::addColumn<QByteArray>("programCopy");
        QTest::addColumn<QByteArray>("userCopy");
        QTest::addColumn<QByteArray>("installedCopy");
        QTest::addColumn<bool>("inProgramFolder");
        QTest::addColumn<QByteArray>("userContent"); // what the user folder's file holds afterwards

        const QByteArray none, program("program"), user("user"), installed("installed");
        QTest::newRow("build folder") << true << program << none << installed << true << none;
        QTest::newRow("build folder lost its copy")
            << true << none << none << none << false << none;
        QTest::newRow("installed: first start")
            << false << none << none << installed << false << installed;
        QTest::newRow("installed, run by root: the program folder is writable but holds none")
            << true << none << none << installed << false << installed;
        QTest::newRow("installed: own copy kept")
            << false << none << user << installed << false << user;
        QTest::newRow("read-only program folder: its copy seeds before the installed one")
            << false << program << none << installed << false << program;
        QTest::newRow("no copy anywhere") << false << none << none << none << false << none;
    }

    void locate()
    {
        QFETCH(bool, programWritable);
        QFETCH(QByteArray, programCopy);
        QFETCH(QByteArray, userCopy);
        QFETCH(QByteArray, installedCopy);
        QFETCH(bool, inProgramFolder);
        QFETCH(QByteArray, userContent);

        QTemporaryDir root;
        const QString program = root.filePath(QStringLiteral("usr/bin"));
        const QString data = root.filePath(QStringLiteral("usr/share/fixture-editor"));
        const QString user =
            root.filePath(QStringLiteral("home/.local/share/ORVA")); // not made yet
        const QString installed = data + QStringLiteral("/ChNameSet.fix");
        QDir().mkpath(program);
        QDir().mkpath(data);
        const auto put = [](const QString& path, const QByteArray& content) {
            if (!content.isEmpty()) {
                QDir().mkpath(QFileInfo(path).path());
                writeFile(path, content);
                QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadOther);
            }
        };
        put(program + QStringLiteral("/ChNameSet.fix"), programCopy);
        put(user + QStringLiteral("/ChNameSet.fix"), userCopy);
        put(installed, installedCopy);
        if (!userCopy.isEmpty()) // the user's own copy is writable
            QFile::setPermissions(user + QStringLiteral("/ChNameSet.fix"),
                                  QFileDevice::ReadOwner | QFileDevice::WriteOwner);

        const QString path =
            chnameset::locate(program, user, installed, [&](const QString& candidate) {
                return candidate.startsWith(program) ? programWritable : true;
            });
        QCOMPARE(path, (inProgramFolder ? program : user) + QStringLiteral("/ChNameSet.fix"));
        if (!inProgramFolder) {
            QVERIFY(QFileInfo(user).isDir());
            QCOMPARE(QFile::exists(path), !userContent.isEmpty());
            QCOMPARE(readFile(path), userContent);
            if (!userContent.isEmpty())
                QVERIFY(QFile::permissions(path) & QFileDevice::WriteOwner);
        }
        // The seeds are never changed.
        if (!installedCopy.isEmpty())
            QCOMPARE(readFile(installed), installedCopy);
        if (!programCopy.isEmpty())
            QCOMPARE(readFile(program + QStringLiteral("/ChNameSet.fix")), programCopy);
    }

    void canWriteFile()
    {
        QTemporaryDir root;
        const QString fresh = root.filePath(QStringLiteral("ChNameSet.fix"));
        QVERIFY(chnameset::canWriteFile(fresh));
        QVERIFY(!QFile::exists(fresh)); // the probe leaves nothing behind

        writeFile(fresh, "keep");
        QVERIFY(chnameset::canWriteFile(fresh));
        QCOMPARE(readFile(fresh), QByteArray("keep"));

        // A folder that cannot exist: its parent is a plain file.
        QVERIFY(!chnameset::canWriteFile(fresh + QStringLiteral("/sub/ChNameSet.fix")));
    }
};

QTEST_MAIN(TestChNameSetLocation)
#include "TestChNameSetLocation.moc"
