#pragma once

#include <QString>

class QWidget;

namespace fx {
struct FixtureRecord;
}
namespace ui {
struct Services;
}

// The file side of "&Save Fixture" and "&Open Fixture": the file dialogs with the fixture setup
// file filter, the questions before writing, the atomic write and the checked read. Every failure
// is told to the user with the path and the reason.
class FixtureFileCommands {
public:
    static const QString Filter;    // "Fixture Setup File(*.tff)"
    static const QString SaveTitle; // "ORVA Save As"

    FixtureFileCommands(ui::Services& services, QWidget* parent);

    // Asks what the file cannot hold (steps beyond its 204 slots, palette entries beyond its
    // palette block), then for a file name (".tff" added unless the name ends so, in any case),
    // then before replacing a file that is not empty; writes the image of record. Returns
    // the path written, empty when nothing was written (a refusal, a cancel or a failure).
    QString save(const fx::FixtureRecord& record);

    // Asks for a file and reads it into record. Returns the path the record took, empty when it
    // took nothing; on any failure the record is left exactly as it was.
    QString open(fx::FixtureRecord& record);
    // The same for a path already chosen (the command line, the recent files).
    QString openPath(const QString& path, fx::FixtureRecord& record);

private:
    ui::Services& m_services;
    QWidget* m_parent;
};
