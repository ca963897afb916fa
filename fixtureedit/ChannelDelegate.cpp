#include "fixtureedit/ChannelDelegate.h"

#include "core/FixtureRecord.h"
#include "fixtureedit/ChannelNameEditor.h"
#include "fixtureedit/ChannelNameList.h"
#include "fixtureedit/ChannelTableModel.h"
#include "ui/Latin1Validator.h"
#include "ui/ListOnlyKeys.h"
#include "ui/NumberText.h"

#include <QLineEdit>

ChannelDelegate::ChannelDelegate(const ChannelNameList& names, QObject* parent)
    : QStyledItemDelegate(parent), m_names(names)
{
}

QWidget* ChannelDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                       const QModelIndex& index) const
{
    return makeEditor(parent, index);
}

QWidget* ChannelDelegate::makeEditor(QWidget* parent, const QModelIndex& index) const
{
    const int row = index.row();
    const QVariant cell = index.data(Qt::EditRole);
    switch (index.column()) {
    case ChannelTableModel::NameColumn: {
        auto* names = new ChannelNameEditor(parent);
        names->setModel(m_names.model());
        names->setCurrentIndex(-1);
        connect(names, &QComboBox::currentIndexChanged, this, [this, names, row](int entry) {
            if (entry >= 0)
                emit entryShown(row, names->itemText(entry));
        });
        // Whatever the user does to the text (typing, deleting, pasting) makes it a typed name;
        // picking from the list does not.
        connect(names->lineEdit(), &QLineEdit::textEdited, this,
                [this, row](const QString& text) { emit nameTyped(row, text); });
        names->setCurrentIndex(m_names.find(cell.toString()));
        // A name the list lacks still shows as the cell's text.
        if (names->currentIndex() < 0)
            names->setEditText(cell.toString());
        // The whole name is selected, so that typing replaces it.
        names->lineEdit()->selectAll();
        return names;
    }
    case ChannelTableModel::TypeColumn: {
        auto* types = new QComboBox(parent);
        types->setObjectName(QStringLiteral("Combo13"));
        for (int code = 0; code < fx::ChannelTypeCount; ++code)
            types->addItem(QString::fromStdString(fx::ChTypeName(code)));
        ListOnlyKeys::install(types);
        types->setCurrentIndex(cell.toInt() < fx::ChannelTypeCount ? cell.toInt() : -1);
        return types;
    }
    case ChannelTableModel::PartnerColumn: {
        if (!(index.flags() & Qt::ItemIsEditable))
            return nullptr;
        auto* partners = new QComboBox(parent);
        partners->setObjectName(QStringLiteral("Combo2"));
        for (int channel = 1; channel <= index.model()->rowCount(); ++channel)
            partners->addItem(QString::number(channel));
        ListOnlyKeys::install(partners);
        partners->setCurrentIndex(cell.toInt() - 1);
        return partners;
    }
    case ChannelTableModel::ValueColumn: {
        auto* value = new QLineEdit(parent);
        value->setObjectName(QStringLiteral("Text5"));
        value->setMaxLength(3);
        value->setValidator(new ui::Latin1Validator(value));
        value->setText(cell.toInt() == 0 ? QString() : cell.toString());
        value->setCursorPosition(static_cast<int>(value->text().size()));
        return value;
    }
    default: return nullptr;
    }
}

void ChannelDelegate::setEditorData(QWidget*, const QModelIndex&) const
{
    // An editor took its cell in createEditor. Storing it changes the row, and what the user has
    // typed must not be replaced by the record while that happens, so an open editor is never
    // reloaded.
}

void ChannelDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                   const QModelIndex& index) const
{
    switch (index.column()) {
    case ChannelTableModel::NameColumn: {
        // The list entry the editor shows when its text is that entry's, else the text as typed.
        const auto* names = static_cast<QComboBox*>(editor);
        const int entry = names->currentIndex();
        const QString text = names->currentText();
        const bool listed = entry >= 0 && names->itemText(entry) == text;
        if (!listed && text.size() < 2)
            break; // a name of one character is not stored
        model->setData(index, entry >= 0 && names->itemText(entry) == text ? QVariant(entry)
                                                                           : QVariant(text));
        break;
    }
    case ChannelTableModel::TypeColumn:
        model->setData(index, static_cast<QComboBox*>(editor)->currentIndex());
        break;
    case ChannelTableModel::PartnerColumn:
        model->setData(index, static_cast<QComboBox*>(editor)->currentIndex() + 1);
        break;
    case ChannelTableModel::ValueColumn: {
        const QString text = static_cast<QLineEdit*>(editor)->text();
        if (!text.isEmpty()) // an empty box keeps the value
            model->setData(index, numtext::dmxValue(text));
        break;
    }
    default: break;
    }
}

void ChannelDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                           const QModelIndex&) const
{
    editor->setGeometry(option.rect);
}
