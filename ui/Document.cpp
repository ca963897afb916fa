#include "ui/Document.h"

#include <QUndoStack>

namespace ui {

Document::Document(QObject* parent) : UndoDocument(parent)
{
}

Document::~Document() = default;

bool Document::push(fx::Edit edit)
{
    if (edit.empty())
        return false;
    undoStack()->push(new EditCommand<Document, fx::Edit>(*this, std::move(edit)));
    return true;
}

void Document::replace(const fx::FixtureRecord& record, const QString& filePath)
{
    m_core.replace(record);
    startAfresh();
    if (filePath != m_filePath) {
        m_filePath = filePath;
        emit filePathChanged(m_filePath);
    }
    fx::RecordChange change;
    change.reset = true;
    emit changed(change);
}

void Document::setPalChannels(int count)
{
    m_core.setPalChannels(count);
}

void Document::markSaved(const QString& filePath)
{
    m_core.syncFuncMap();
    markClean();
    if (filePath != m_filePath) {
        m_filePath = filePath;
        emit filePathChanged(m_filePath);
    }
}

void Document::applyEdit(const fx::Edit& edit, bool undo)
{
    m_core.apply(undo ? edit.before : edit.after);
    emit changed(edit.change);
}

} // namespace ui
