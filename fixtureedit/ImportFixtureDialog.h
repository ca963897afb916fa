#pragma once

#include "core/ChNameSet.h"
#include "core/QxfImport.h"

#include <QDialog>

class QDialogButtonBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QTableWidget;
class QTableWidgetItem;

namespace fixtureedit {

// "Import Fixture": the modes of one ".qxf" fixture definition with their channel counts, and
// what the chosen mode gives the console: each channel's name, function code and type, its steps
// with a "Steps" check box (ticked as the import chose them; the technician ticks and unticks,
// Space ticks the current row) and the running total against the file's 204 slots, which says
// what the file will not hold once it passes 204, and what will be cut or changed. The default
// mode (the largest that fits in 40 channels) is chosen at the start; a mode over 40 channels is
// listed but cannot be chosen. OK is enabled only while a mode is chosen.
class ImportFixtureDialog : public QDialog {
    Q_OBJECT

public:
    // def and names are copied; each mode is imported when it is chosen.
    ImportFixtureDialog(const fx::QxfDefinition& def, const fx::ChNameSet& names,
                        const QString& fileName, QWidget* parent = nullptr);

    // Chooses mode (an index into the definition's modes) instead of the default one.
    void chooseMode(int mode);
    // The mode chosen (an index into the definition's modes), -1 when none.
    int chosenMode() const { return m_chosen; }
    // The import of the chosen mode; nullptr when none is chosen. Valid while the dialog lives;
    // the caller may move the record out of it after exec() returned Accepted.
    fx::QxfImport* chosenImport();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showMode(int mode);
    // Imports the chosen mode again with options and shows it.
    void importChosen(const fx::QxfImportOptions& options);
    void stepsTicked(QTableWidgetItem* item);

    fx::QxfDefinition m_def;
    fx::ChNameSet m_names;
    fx::QxfImport m_import; // of the chosen mode
    int m_chosen = -1;
    QListWidget* m_modes = nullptr;
    QTableWidget* m_channels = nullptr;
    QLabel* m_steps = nullptr;
    QPlainTextEdit* m_report = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
};

} // namespace fixtureedit
