// The editors' one way to the disk, DiskFileAccess::write, under real failures: a full disk, a
// file size limit, a read-only file system, impossible paths. A write that cannot complete must
// say why and leave the old file whole and no stray file behind, whatever its size relative to
// Qt's write buffer. The mounts need root (CAP_SYS_ADMIN); without it those rows are skipped.
#include "tests/support/TestFiles.h"
#include "ui/FileAccess.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

enum class Fault { None, MissingFolder, ParentIsFile, PathIsFolder, ReadOnly, SizeLimit, Full };

constexpr qsizetype Page = 4096;

// Every file and folder under root with its content.
QMap<QString, QByteArray> snapshot(const QString& root)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        files.insert(QDir(root).relativeFilePath(path),
                     it.fileInfo().isDir()            ? QByteArray("<folder>")
                     : file.open(QIODevice::ReadOnly) ? file.readAll()
                                                      : QByteArray("<unreadable>"));
    }
    return files;
}

// A small tmpfs that goes away with the object.
struct SmallDisk {
    QString at;
    ~SmallDisk()
    {
        if (!at.isEmpty())
            ::umount2(QFile::encodeName(at).constData(), MNT_DETACH);
    }
    bool mount(const QString& where, qsizetype bytes)
    {
        const QByteArray options = "size=" + QByteArray::number(bytes) + ",mode=0755";
        if (::geteuid() != 0 || !QDir().mkpath(where) ||
            ::mount("tmpfs", QFile::encodeName(where).constData(), "tmpfs", 0,
                    options.constData()) != 0)
            return false;
        at = where;
        return true;
    }
};

} // namespace

class TestDiskFileAccess : public QObject {
    Q_OBJECT

private slots:
    void failedWriteKeepsOldFile_data()
    {
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<int>("size");
        const std::pair<const char*, Fault> faults[] = {
            {"no fault", Fault::None},
            {"missing folder", Fault::MissingFolder},
            {"parent is a file", Fault::ParentIsFile},
            {"path is a folder", Fault::PathIsFolder},
            {"read-only mount", Fault::ReadOnly},
            {"file size limit", Fault::SizeLimit},
            {"tmpfs fills up", Fault::Full},
        };
        for (const auto& [name, fault] : faults) {
            // One page, the fixture file, more than Qt's 16 KB write buffer.
            for (int size : {512, 6144, 100000})
                QTest::addRow("%s, %d bytes", name, size) << fault << size;
        }
    }

    void failedWriteKeepsOldFile()
    {
        QFETCH(Fault, fault);
        QFETCH(int, size);
        const QByteArray old(size, 'o');
        const QByteArray replacement(size, 'n');
        const auto pages = [](qsizetype bytes) { return (bytes + Page - 1) / Page; };

        QTemporaryDir dir;
        const QString root = dir.path();
        SmallDisk disk;
        QString path = root + "/file.bin";
        switch (fault) {
        case Fault::MissingFolder: path = root + "/no such folder/file.bin"; break;
        case Fault::ParentIsFile:
            path = root + "/plain file/file.bin";
            QVERIFY(support::writeFile(root + "/plain file", old));
            break;
        case Fault::PathIsFolder:
            QVERIFY(QDir().mkpath(path) && support::writeFile(path + "/inside", old));
            break;
        case Fault::ReadOnly:
        case Fault::Full: {
            // A full disk has room for the old file and all but the last page of the new one.
            const qsizetype room = fault == Fault::Full ? pages(size) + pages(size) - 1 : 64;
            if (!disk.mount(root + "/small disk", room * Page))
                QSKIP("mounting a tmpfs needs root");
            path = disk.at + "/file.bin";
            QVERIFY(support::writeFile(path, old));
            if (fault == Fault::ReadOnly)
                QVERIFY(::mount("none", QFile::encodeName(disk.at).constData(), nullptr,
                                MS_REMOUNT | MS_RDONLY, nullptr) == 0);
            break;
        }
        default: QVERIFY(support::writeFile(path, old)); break;
        }
        const QMap<QString, QByteArray> before = snapshot(root);

        // Past the file size limit the kernel sends SIGXFSZ, which would end the process; ignored,
        // the write fails with EFBIG after half the new file.
        rlimit unlimited{};
        ::getrlimit(RLIMIT_FSIZE, &unlimited);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        if (fault == Fault::SizeLimit) {
            rlimit limited = unlimited;
            limited.rlim_cur = rlim_t(size / 2);
            ::setrlimit(RLIMIT_FSIZE, &limited);
        }
        QString error;
        const bool written = ui::DiskFileAccess().write(path, replacement, &error);
        ::setrlimit(RLIMIT_FSIZE, &unlimited);
        std::signal(SIGXFSZ, oldHandler);

        QMap<QString, QByteArray> expected = before;
        if (fault == Fault::None) {
            QVERIFY2(written, qPrintable(error));
            expected[QDir(root).relativeFilePath(path)] = replacement;
        } else {
            QVERIFY(!written);
            // Never a failure with an unknown reason; the full disk and the limit say so.
            QVERIFY2(!error.isEmpty() && !error.contains("Unknown error"), qPrintable(error));
            if (fault == Fault::Full)
                QCOMPARE(error, QStringLiteral("No space left on device"));
            if (fault == Fault::SizeLimit)
                QCOMPARE(error, QStringLiteral("File too large"));
        }
        const QMap<QString, QByteArray> after = snapshot(root);
        QCOMPARE(after.keys(), expected.keys()); // no temporary file left behind
        QVERIFY(after == expected);
    }
};

QTEST_GUILESS_MAIN(TestDiskFileAccess)
#include "TestDiskFileAccess.moc"
