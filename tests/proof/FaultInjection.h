#pragma once

#include "ui/FileAccess.h"
#include "ui/ScriptedDialogs.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// Ways a save can fail, each prepared for real on disk where the machine allows it, so that the
// editors' save paths can be shown to report the failure and leave the old file as it was.
namespace proof {

enum class Fault {
    None,           // a working disk: the control case, the save succeeds
    MissingFolder,  // the chosen path lies in a folder that does not exist
    ParentIsFile,   // the chosen path lies "inside" a regular file
    PathIsFolder,   // the chosen path is a folder
    ReadOnlyMount,  // the folder is a read-only file system (a tmpfs mounted read-only; root only)
    FailAfterBytes, // a device that fails after N bytes: QSaveFile writes N bytes, then "disk full"
    FileSizeLimit,  // the kernel refuses to write past N bytes (RLIMIT_FSIZE), a real short write
    FullTmpfs,      // a small tmpfs that fills up part-way through the new file (root only)
};

// Every fault with its name, and the working disk as "no fault".
QMap<QString, Fault> allFaults();

// A QTest data table of one "fault" column, a row per fault.
inline void addFaultRows()
{
    QTest::addColumn<Fault>("fault");
    const auto faults = allFaults();
    for (auto it = faults.begin(); it != faults.end(); ++it)
        QTest::newRow(qPrintable(it.key())) << it.value();
}

template <typename Bytes> QByteArray bytesOf(const Bytes& bytes)
{
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

// A folder prepared for one fault: where to save, the old file there when the fault allows one,
// and the file access to hand the editor. Everything lives in a temporary folder that goes away
// (and is unmounted) with the object.
class FaultySaveTarget {
public:
    // fileName: the name the editor saves under; oldContent: the file already there (empty for
    // none); newSize: about how many bytes the save writes, to fail part-way through it.
    FaultySaveTarget(Fault fault, const QString& fileName, const QByteArray& oldContent,
                     qsizetype newSize);
    ~FaultySaveTarget();
    FaultySaveTarget(const FaultySaveTarget&) = delete;
    FaultySaveTarget& operator=(const FaultySaveTarget&) = delete;

    // Why the fault cannot be made on this machine; empty when it is ready.
    QString skipReason() const { return m_skipReason; }
    // The full path the editor is to save to.
    QString path() const { return m_path; }
    ui::FileAccess& files() { return *m_files; }

    // Every file and folder under the temporary folder with its content.
    QMap<QString, QByteArray> snapshot() const;
    // Empty when every file is as it was at construction and nothing was added; else what changed.
    QString changes() const;
    // Empty when the save failed as it should: exactly one message (questions aside) naming the
    // path was shown since shownBefore, and changes() is empty. For Fault::None: no message, and
    // the file at path() now holds expected.
    QString checkSave(const ui::ScriptedDialogs& dialogs, qsizetype shownBefore,
                      const QByteArray& expected) const;

private:
    bool mountTmpfs(qsizetype bytes);

    Fault m_fault;
    QTemporaryDir m_dir;
    QString m_mountPoint;
    QString m_path;
    QString m_skipReason;
    std::unique_ptr<ui::FileAccess> m_files;
    QMap<QString, QByteArray> m_before;
};

// A file access whose writes go through QSaveFile but fail after limit bytes, as a device that
// fills up does: the bytes before the limit really reach the temporary file, then the write is
// abandoned with "No space left on device".
class FailAfterBytesAccess : public ui::DiskFileAccess {
public:
    explicit FailAfterBytesAccess(qsizetype limit) : m_limit(limit) {}
    bool write(const QString& path, const QByteArray& data, QString* error) override;

private:
    qsizetype m_limit;
};

// The real DiskFileAccess with the process's file size limit lowered to limit bytes while it
// writes: the kernel itself cuts the write short ("File too large").
class FileSizeLimitAccess : public ui::DiskFileAccess {
public:
    explicit FileSizeLimitAccess(qsizetype limit) : m_limit(limit) {}
    bool write(const QString& path, const QByteArray& data, QString* error) override;

private:
    qsizetype m_limit;
};

} // namespace proof
