#pragma once

#include <QTableView>

// The channel name grid ChMSFlexGrid: a click on an editable name cell opens the name editor
// over it with the caret after the last character; leaving the cell or moving the focus away
// commits the edit.
class ChNameGrid : public QTableView {
    Q_OBJECT
public:
    explicit ChNameGrid(QWidget* parent = nullptr);
    using QTableView::edit;

    // The open name editor, or nullptr while browsing.
    QWidget* openEditor() const;

    // Commits the open edit, if any, and closes its editor.
    void commitOpenEditor();
    // Closes the open editor, if any, without committing it.
    void discardOpenEditor();

protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
};
