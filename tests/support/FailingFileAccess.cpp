#include "FailingFileAccess.h"

namespace support {

bool FailingFileAccess::write(const QString& path, const QByteArray& data, QString* error)
{
    refused.append({path, data});
    if (error)
        *error = QStringLiteral("No space left on device");
    return false;
}

} // namespace support
