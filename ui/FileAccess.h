#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace ui {

// Whole-file reads and atomic writes for the editors' save and load paths. Tests substitute a
// failing implementation to show that a failed save leaves the old file as it was.
class FileAccess {
public:
    virtual ~FileAccess() = default;

    // The whole file, or nothing with *error set (a missing file is an error).
    virtual std::optional<QByteArray> read(const QString& path, QString* error) = 0;

    // Replaces path by a complete file holding data, or leaves the old file untouched and
    // returns false with *error set to a reason a person can read.
    virtual bool write(const QString& path, const QByteArray& data, QString* error) = 0;
};

// The real disk, through QFile and QSaveFile.
class DiskFileAccess : public FileAccess {
public:
    std::optional<QByteArray> read(const QString& path, QString* error) override;
    bool write(const QString& path, const QByteArray& data, QString* error) override;
};

// The name a save writes to for a name chosen in a save dialog: both kinds of fixture file end in
// ".tff", added unless the name already ends so in any letter case.
QString withFixtureSuffix(const QString& path);

} // namespace ui
