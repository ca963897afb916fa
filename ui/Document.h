#pragma once

#include "core/FixtureDocument.h"
#include "ui/UndoDocument.h"

namespace ui {

// The fixture being edited, as the editors see it: the core document with an undo stack, a clean
// state for the modified flag, the file it came from, and a signal after every change saying
// what changed, so that every view updates itself. Widgets never write into the record; they push
// the core's edits here.
class Document : public UndoDocument {
    Q_OBJECT
public:
    explicit Document(QObject* parent = nullptr);
    ~Document() override;

    const fx::FixtureRecord& record() const { return m_core.record(); }
    const fx::FixtureDocument& core() const { return m_core; }

    // Makes the edit (an empty one is dropped) as one step of the history. Returns whether
    // anything changed.
    bool push(fx::Edit edit);
    // Open, new and import: the record is replaced, the history starts afresh and is clean.
    void replace(const fx::FixtureRecord& record, const QString& filePath = QString());
    // The palette editor's channel count; not an edit and not in any file.
    void setPalChannels(int count);

    // After a save to filePath: the current state is the saved one, and the record carries the
    // function map the file was written with.
    void markSaved(const QString& filePath);
    QString filePath() const { return m_filePath; }

    // Called by the undo commands.
    void applyEdit(const fx::Edit& edit, bool undo);

signals:
    void changed(const fx::RecordChange& change);
    void filePathChanged(const QString& path);

private:
    fx::FixtureDocument m_core;
    QString m_filePath;
};

} // namespace ui
