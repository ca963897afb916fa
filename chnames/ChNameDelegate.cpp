#include "chnames/ChNameDelegate.h"

#include "core/ChNameSet.h"
#include "ui/Latin1Validator.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace {

const char* const EditedProperty = "userEdited";

// Marks the box as edited at the first key that edits text, even one that changes nothing
// (Backspace in an empty box is still the user clearing the name); keys that only move the
// caret or leave the box do not count.
class EditKeys : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            const bool command = key->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
            const bool typed = !command && !key->text().isEmpty() && key->text().at(0).isPrint();
            if (typed || key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete ||
                key->matches(QKeySequence::Paste) || key->matches(QKeySequence::Cut))
                watched->setProperty(EditedProperty, true);
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

QWidget* ChNameDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                      const QModelIndex&) const
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QStringLiteral("ChTextEdit"));
    edit->setMaxLength(static_cast<int>(fx::ChNameRec{}.SetName.size()));
    edit->setValidator(new ui::Latin1Validator(edit));
    edit->setFrame(false);
    edit->setAccessibleName(QStringLiteral("Channel Name"));
    edit->installEventFilter(new EditKeys(edit));
    return edit;
}

void ChNameDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    auto* edit = static_cast<QLineEdit*>(editor);
    edit->setText(index.data(Qt::EditRole).toString());
    edit->end(false);
}

void ChNameDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                  const QModelIndex& index) const
{
    // Only an edit is stored: a cell the user merely passed through (the arrow keys open every
    // cell they reach) leaves the entry, its ChIndex and its ChCode as they were.
    const auto* edit = static_cast<QLineEdit*>(editor);
    if (edit->isModified() || edit->property(EditedProperty).toBool())
        model->setData(index, edit->text(), Qt::EditRole);
}

void ChNameDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                          const QModelIndex&) const
{
    editor->setGeometry(option.rect);
}
