#pragma once

#include <QObject>
#include <QString>
#include <QUndoCommand>

#include <utility>

class QMenu;
class QMenuBar;
class QUndoStack;
class QWidget;

namespace ui {

// What every editor's document shares: the undo stack of its edits and the modified flag taken
// from the stack's clean state.
class UndoDocument : public QObject {
    Q_OBJECT
public:
    explicit UndoDocument(QObject* parent = nullptr);
    ~UndoDocument() override;

    QUndoStack* undoStack() const { return m_undo; }
    bool isModified() const;
    // After a save: the current state is the saved one.
    void markClean();
    // Work that is in no file yet (an import): modified until the next save.
    void markModified();

signals:
    void modifiedChanged(bool modified);
    // After every edit, undo, redo and replacement of the whole record.
    void contentChanged();

protected:
    // The record was replaced as a whole: the history starts afresh and is clean.
    void startAfresh();

private:
    QUndoStack* m_undo;
};

// One user edit on an undo stack. The edit has a name (for "Undo <name>"), a merge key (edits
// with the same nonzero key in a row become one, if absorb() agrees) and its two sides; the
// target applies a side with applyEdit(edit, undo).
template <class Target, class EditT> class EditCommand : public QUndoCommand {
public:
    EditCommand(Target& target, EditT edit)
        : QUndoCommand(QString::fromStdString(edit.name)), m_target(target),
          m_edit(std::move(edit))
    {
    }

    int id() const override { return m_edit.mergeKey == 0 ? -1 : m_edit.mergeKey; }
    bool mergeWith(const QUndoCommand* other) override
    {
        // One stack holds the edits of one document type, so equal ids mean the same type.
        const auto* next = static_cast<const EditCommand*>(other);
        return next->m_edit.mergeKey == m_edit.mergeKey && m_edit.absorb(next->m_edit);
    }
    void redo() override { m_target.applyEdit(m_edit, false); }
    void undo() override { m_target.applyEdit(m_edit, true); }

private:
    Target& m_target;
    EditT m_edit;
};

// The document of a record small enough to be kept whole: Core is the Qt-free document with
// record(), replace(), apply(side) and the edit operations; EditT its edit.
template <class Core, class EditT> class RecordDocument : public UndoDocument {
public:
    using UndoDocument::UndoDocument;

    const Core& core() const { return m_core; }

    // Makes the edit (an empty one is dropped) as one step of the history. Returns whether
    // anything changed.
    bool push(EditT edit)
    {
        if (edit.empty())
            return false;
        undoStack()->push(new EditCommand<RecordDocument, EditT>(*this, std::move(edit)));
        return true;
    }
    // Start-up, open and load: the record is replaced and the history starts afresh.
    template <class Record> void replace(const Record& record)
    {
        m_core.replace(record);
        startAfresh();
        emit contentChanged();
    }
    void applyEdit(const EditT& edit, bool undo)
    {
        m_core.apply(undo ? edit.before : edit.after);
        emit contentChanged();
    }

private:
    Core m_core;
};

// The "&Edit" menu of an editor: Undo (Ctrl+Z) and Redo (Ctrl+Shift+Z, Ctrl+Y), each naming the
// edit it takes back or makes again, working while the focus is anywhere in owner.
QMenu* addEditMenu(QMenuBar* bar, QWidget* owner, QUndoStack* stack);

} // namespace ui
