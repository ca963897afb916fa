#pragma once

#include "ui/FileAccess.h"

#include <QList>

namespace support {

// Reads from the disk but refuses every write, as a full disk does, and keeps what it was asked
// to write: proof that a save went through the file access, and of what it would have written.
class FailingFileAccess : public ui::DiskFileAccess {
public:
    struct Write {
        QString path;
        QByteArray data;
    };
    bool write(const QString& path, const QByteArray& data, QString* error) override
    {
        refused.append({path, data});
        if (error)
            *error = QStringLiteral("No space left on device");
        return false;
    }

    QList<Write> refused;
};

} // namespace support
