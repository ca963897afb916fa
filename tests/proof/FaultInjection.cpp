#include "FaultInjection.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSaveFile>

#include <csignal>

#ifdef __linux__
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace proof {

namespace {

constexpr qsizetype PageSize = 4096;

bool writeFile(const QString& path, const QByteArray& data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

qsizetype pagesFor(qsizetype bytes)
{
    return (bytes + PageSize - 1) / PageSize;
}

} // namespace

QMap<QString, Fault> allFaults()
{
    return {
        {QStringLiteral("no fault"), Fault::None},
        {QStringLiteral("missing folder"), Fault::MissingFolder},
        {QStringLiteral("parent is a file"), Fault::ParentIsFile},
        {QStringLiteral("path is a folder"), Fault::PathIsFolder},
        {QStringLiteral("read-only mount"), Fault::ReadOnlyMount},
        {QStringLiteral("device fails after N bytes"), Fault::FailAfterBytes},
        {QStringLiteral("file size limit"), Fault::FileSizeLimit},
        {QStringLiteral("tmpfs fills up"), Fault::FullTmpfs},
    };
}

FaultySaveTarget::FaultySaveTarget(Fault fault, const QString& fileName,
                                   const QByteArray& oldContent, qsizetype newSize)
    : m_fault(fault), m_files(std::make_unique<ui::DiskFileAccess>())
{
    const QString root = m_dir.path();
    const auto putOld = [&](const QString& path) {
        if (!oldContent.isEmpty() && !writeFile(path, oldContent))
            m_skipReason = QStringLiteral("cannot write the old file ") + path;
    };
    // Half the new file reaches the device before it fails.
    const qsizetype failAt = std::max<qsizetype>(newSize / 2, 1);

    switch (fault) {
    case Fault::None:
        m_path = root + QLatin1Char('/') + fileName;
        putOld(m_path);
        break;
    case Fault::MissingFolder: m_path = root + QStringLiteral("/no such folder/") + fileName; break;
    case Fault::ParentIsFile:
        // The "folder" is a file holding the old content, which must survive the save.
        m_path = root + QStringLiteral("/plain file/") + fileName;
        if (!writeFile(root + QStringLiteral("/plain file"), oldContent + "plain"))
            m_skipReason = QStringLiteral("cannot write the plain file");
        break;
    case Fault::PathIsFolder:
        m_path = root + QLatin1Char('/') + fileName;
        if (!QDir().mkpath(m_path) || !writeFile(m_path + QStringLiteral("/inside"), oldContent))
            m_skipReason = QStringLiteral("cannot make the folder");
        break;
    case Fault::ReadOnlyMount:
        if (!mountTmpfs(64 * PageSize))
            break;
        m_path = m_mountPoint + QLatin1Char('/') + fileName;
        putOld(m_path);
#ifdef __linux__
        if (::mount("none", QFile::encodeName(m_mountPoint).constData(), nullptr,
                    MS_REMOUNT | MS_RDONLY, nullptr) != 0)
            m_skipReason = QStringLiteral("cannot remount the tmpfs read-only");
#endif
        break;
    case Fault::FailAfterBytes:
        m_path = root + QLatin1Char('/') + fileName;
        putOld(m_path);
        m_files = std::make_unique<FailAfterBytesAccess>(failAt);
        break;
    case Fault::FileSizeLimit:
#ifdef __linux__
        m_path = root + QLatin1Char('/') + fileName;
        putOld(m_path);
        m_files = std::make_unique<FileSizeLimitAccess>(failAt);
#else
        m_skipReason = QStringLiteral("file size limits need Linux");
#endif
        break;
    case Fault::FullTmpfs: {
        // Room for the old file and all but the last page of the new one; a one-page file gets
        // no room at all.
        const qsizetype pages =
            pagesFor(oldContent.size()) + std::max<qsizetype>(pagesFor(newSize) - 1, 0);
        if (!mountTmpfs(std::max<qsizetype>(pages, 1) * PageSize))
            break;
        m_path = m_mountPoint + QLatin1Char('/') + fileName;
        putOld(m_path);
        if (oldContent.isEmpty()) {
            // Nothing there before: fill the free page so the write still runs out of room.
            writeFile(m_mountPoint + QStringLiteral("/filler"), QByteArray(PageSize, 'f'));
        }
        break;
    }
    }
    if (!m_dir.isValid())
        m_skipReason = QStringLiteral("no temporary folder");
    m_before = snapshot();
}

FaultySaveTarget::~FaultySaveTarget()
{
#ifdef __linux__
    if (!m_mountPoint.isEmpty())
        ::umount2(QFile::encodeName(m_mountPoint).constData(), MNT_DETACH);
#endif
}

bool FaultySaveTarget::mountTmpfs(qsizetype bytes)
{
#ifdef __linux__
    if (::geteuid() != 0) {
        m_skipReason = QStringLiteral("mounting a tmpfs needs root");
        return false;
    }
    m_mountPoint = m_dir.path() + QStringLiteral("/small disk");
    QDir().mkpath(m_mountPoint);
    const QByteArray options = "size=" + QByteArray::number(bytes) + ",mode=0755";
    if (::mount("tmpfs", QFile::encodeName(m_mountPoint).constData(), "tmpfs", 0,
                options.constData()) != 0) {
        m_skipReason = QStringLiteral("cannot mount a tmpfs here (no CAP_SYS_ADMIN)");
        m_mountPoint.clear();
        return false;
    }
    return true;
#else
    Q_UNUSED(bytes);
    m_skipReason = QStringLiteral("tmpfs needs Linux");
    return false;
#endif
}

QMap<QString, QByteArray> FaultySaveTarget::snapshot() const
{
    QMap<QString, QByteArray> files;
    QDirIterator it(m_dir.path(),
                    QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString name = QDir(m_dir.path()).relativeFilePath(path);
        if (it.fileInfo().isDir()) {
            files.insert(name, QByteArrayLiteral("<folder>"));
        } else {
            QFile file(path);
            files.insert(name, file.open(QIODevice::ReadOnly) ? file.readAll()
                                                              : QByteArrayLiteral("<unreadable>"));
        }
    }
    return files;
}

QString FaultySaveTarget::checkSave(const ui::ScriptedDialogs& dialogs, qsizetype shownBefore,
                                    const QByteArray& expected) const
{
    // Questions (replace the file? add the name?) are the test's business; what counts here is
    // what the user is told.
    QStringList messages;
    for (qsizetype i = shownBefore; i < dialogs.shown().size(); ++i) {
        if (!dialogs.shown()[i].question)
            messages << dialogs.shown()[i].text;
    }
    if (m_fault == Fault::None) {
        if (!messages.isEmpty())
            return QStringLiteral("a working save showed: ") + messages.join(QStringLiteral(" | "));
        QFile file(m_path);
        if (!file.open(QIODevice::ReadOnly) || file.readAll() != expected)
            return QStringLiteral("a working save did not write the expected file");
        if (expected == m_before.value(QDir(m_dir.path()).relativeFilePath(m_path)))
            return QStringLiteral("the save writes what was there: the faults prove nothing");
        return {};
    }
    if (messages.size() != 1)
        return QStringLiteral("%1 messages instead of one: ").arg(messages.size()) +
               messages.join(QStringLiteral(" | "));
    if (!messages[0].contains(QDir::toNativeSeparators(m_path)))
        return QStringLiteral("the message does not name the path: ") + messages[0];
    return changes();
}

QString FaultySaveTarget::changes() const
{
    const QMap<QString, QByteArray> after = snapshot();
    QStringList changed;
    for (auto it = after.begin(); it != after.end(); ++it)
        if (!m_before.contains(it.key()))
            changed << it.key() + QStringLiteral(" (new)");
        else if (m_before.value(it.key()) != it.value())
            changed << it.key();
    for (auto it = m_before.begin(); it != m_before.end(); ++it)
        if (!after.contains(it.key()))
            changed << it.key() + QStringLiteral(" (gone)");
    return changed.isEmpty() ? QString() : QStringLiteral("files changed: ") + changed.join(", ");
}

bool FailAfterBytesAccess::write(const QString& path, const QByteArray& data, QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    if (data.size() <= m_limit)
        return file.write(data) == data.size() && file.commit();
    file.write(data.left(m_limit));
    file.flush();
    file.cancelWriting();
    if (error)
        *error = QStringLiteral("No space left on device");
    return false;
}

bool FileSizeLimitAccess::write(const QString& path, const QByteArray& data, QString* error)
{
#ifdef __linux__
    // Past the limit the kernel sends SIGXFSZ, which would end the process; ignored, the write
    // fails with EFBIG instead.
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    rlimit limited = old;
    limited.rlim_cur = static_cast<rlim_t>(m_limit);
    ::setrlimit(RLIMIT_FSIZE, &limited);
    const bool written = DiskFileAccess::write(path, data, error);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    return written;
#else
    return DiskFileAccess::write(path, data, error);
#endif
}

} // namespace proof
