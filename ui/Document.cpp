#include "ui/Document.h"

#include <QUndoCommand>
#include <QUndoStack>

namespace ui {

namespace {

// One user edit on the undo stack.
class EditCommand : public QUndoCommand {
public:
    EditCommand(Document& document, fx::Edit edit)
        : QUndoCommand(QString::fromStdString(edit.name)), m_document(document),
          m_edit(std::move(edit))
    {
    }

    int id() const override { return m_edit.mergeKey == fx::MergeNone ? -1 : m_edit.mergeKey; }

    bool mergeWith(const QUndoCommand* other) override
    {
        // Typing into one box is one edit: the first state before, the last one after.
        const auto* next = static_cast<const EditCommand*>(other);
        if (next->m_edit.mergeKey != m_edit.mergeKey || !(next->m_edit.change == m_edit.change))
            return false;
        m_edit.after = next->m_edit.after;
        return true;
    }

    void redo() override { m_document.applyPatch(m_edit.after, m_edit.change); }
    void undo() override { m_document.applyPatch(m_edit.before, m_edit.change); }

private:
    Document& m_document;
    fx::Edit m_edit;
};

} // namespace

Document::Document(QObject* parent) : QObject(parent), m_undo(new QUndoStack(this))
{
    connect(m_undo, &QUndoStack::cleanChanged, this,
            [this](bool clean) { emit modifiedChanged(!clean); });
}

Document::~Document() = default;

bool Document::push(fx::Edit edit)
{
    if (edit.empty())
        return false;
    m_undo->push(new EditCommand(*this, std::move(edit)));
    return true;
}

void Document::replace(const fx::FixtureRecord& record, const QString& filePath)
{
    const bool wasModified = isModified();
    m_core.replace(record);
    m_undo->clear();
    m_undo->setClean();
    if (filePath != m_filePath) {
        m_filePath = filePath;
        emit filePathChanged(m_filePath);
    }
    fx::RecordChange change;
    change.reset = true;
    emit changed(change);
    if (wasModified)
        emit modifiedChanged(false);
}

void Document::setPalChannels(int count)
{
    m_core.setPalChannels(count);
}

bool Document::isModified() const
{
    return !m_undo->isClean();
}

void Document::markSaved(const QString& filePath)
{
    m_undo->setClean();
    if (filePath != m_filePath) {
        m_filePath = filePath;
        emit filePathChanged(m_filePath);
    }
}

void Document::applyPatch(const fx::RecordPatch& patch, const fx::RecordChange& change)
{
    m_core.apply(patch);
    emit changed(change);
}

} // namespace ui
