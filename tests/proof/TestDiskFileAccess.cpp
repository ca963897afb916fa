// The editors' one way to the disk, DiskFileAccess::write, under real failures: a full disk, a
// file size limit, a read-only file system, impossible paths. A write that cannot complete must
// say why and leave the old file whole, whatever its size relative to Qt's write buffer.
#include "FaultInjection.h"

#include <QtTest>

class TestDiskFileAccess : public QObject {
    Q_OBJECT

private slots:
    void failedWriteKeepsOldFile_data();
    void failedWriteKeepsOldFile();
};

void TestDiskFileAccess::failedWriteKeepsOldFile_data()
{
    QTest::addColumn<proof::Fault>("fault");
    QTest::addColumn<int>("size");
    const auto faults = proof::allFaults();
    for (auto it = faults.begin(); it != faults.end(); ++it) {
        if (it.value() == proof::Fault::FailAfterBytes)
            continue; // a fake of its own, not the disk
        // One page, the fixture file, more than Qt's 16 KB write buffer.
        for (int size : {512, 6144, 100000})
            QTest::addRow("%s, %d bytes", qPrintable(it.key()), size) << it.value() << size;
    }
}

void TestDiskFileAccess::failedWriteKeepsOldFile()
{
    QFETCH(proof::Fault, fault);
    QFETCH(int, size);
    const QByteArray old(size, 'o');
    const QByteArray replacement(size, 'n');
    proof::FaultySaveTarget target(fault, QStringLiteral("file.bin"), old, size);
    if (!target.skipReason().isEmpty())
        QSKIP(qPrintable(target.skipReason()));

    QString error;
    const bool written = target.files().write(target.path(), replacement, &error);
    if (fault == proof::Fault::None) {
        QVERIFY2(written, qPrintable(error));
    } else {
        QVERIFY(!written);
        QVERIFY(!error.isEmpty());
        // Nothing reports success with an unknown reason; the full disk and the limit say so.
        QVERIFY2(!error.contains(QStringLiteral("Unknown error")), qPrintable(error));
        if (fault == proof::Fault::FullTmpfs)
            QCOMPARE(error, QStringLiteral("No space left on device"));
        if (fault == proof::Fault::FileSizeLimit)
            QCOMPARE(error, QStringLiteral("File too large"));
        const QString changes = target.changes();
        QVERIFY2(changes.isEmpty(), qPrintable(changes));
    }
}

QTEST_GUILESS_MAIN(TestDiskFileAccess)
#include "TestDiskFileAccess.moc"
