#pragma once

#include "core/ChNameSet.h"
#include "core/FixtureLibrary.h"
#include "core/QxfImport.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QTableWidget;

namespace fixtureedit {

// The fixture library browser's preview of one entry. A definition shows its modes (the
// default one chosen) and, for the chosen mode, what the import makes of it: each channel's
// name, function code, type with its 16-bit partner and steps, the steps against the file's 204
// and what changes. A fixture setup file shows its channels and the problems the fixture check
// finds; a broken file why it is broken.
class LibraryPreview : public QWidget {
    Q_OBJECT
public:
    // names: the channel name set the import takes names and codes from; it must outlive this.
    explicit LibraryPreview(const fx::ChNameSet& names, QWidget* parent = nullptr);

    void showEntry(const fx::LibraryEntry* entry);
    // The mode chosen for a definition (an index into its modes), -1 when none.
    int chosenMode() const;

private:
    void showMode(int mode);
    void showSetupFile(const fx::LibraryEntry& entry);
    void setRow(int row, const QStringList& cells);

    const fx::ChNameSet& m_names;
    fx::QxfDefinition m_def;
    QLabel* m_title = nullptr;
    QComboBox* m_modes = nullptr;
    QTableWidget* m_channels = nullptr;
    QLabel* m_steps = nullptr;
    QPlainTextEdit* m_notes = nullptr;
};

} // namespace fixtureedit
