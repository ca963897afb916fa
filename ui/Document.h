#pragma once

#include "core/FixtureDocument.h"

#include <QObject>
#include <QString>

class QUndoStack;

namespace ui {

// The fixture being edited, as the editors see it: the core document with an undo stack, a clean
// state for the modified flag, the file it came from, and a signal after every change saying
// what changed, so that every view updates itself. Widgets never write into the record; they push
// the core's edits here.
class Document : public QObject {
    Q_OBJECT
public:
    explicit Document(QObject* parent = nullptr);
    ~Document() override;

    const fx::FixtureRecord& record() const { return m_core.record(); }
    const fx::FixtureDocument& core() const { return m_core; }
    QUndoStack* undoStack() const { return m_undo; }

    // Makes the edit (an empty one is dropped) as one step of the history. Returns whether
    // anything changed.
    bool push(fx::Edit edit);
    // Open, new and import: the record is replaced, the history starts afresh and is clean.
    void replace(const fx::FixtureRecord& record, const QString& filePath = QString());
    // The palette editor's channel count; not an edit and not in any file.
    void setPalChannels(int count);

    bool isModified() const;
    // After a save to filePath: the current state is the saved one.
    void markSaved(const QString& filePath);
    QString filePath() const { return m_filePath; }

    // Called by the undo commands.
    void applyPatch(const fx::RecordPatch& patch, const fx::RecordChange& change);

signals:
    void changed(const fx::RecordChange& change);
    void modifiedChanged(bool modified);
    void filePathChanged(const QString& path);

private:
    fx::FixtureDocument m_core;
    QUndoStack* m_undo;
    QString m_filePath;
};

} // namespace ui
