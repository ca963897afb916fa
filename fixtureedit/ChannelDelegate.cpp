#include "fixtureedit/ChannelDelegate.h"

#include "core/FixtureRecord.h"
#include "fixtureedit/ChannelGrid.h"
#include "fixtureedit/ChannelNameEditor.h"
#include "fixtureedit/ChannelNameList.h"
#include "fixtureedit/ChannelTableModel.h"
#include "ui/Latin1Validator.h"
#include "ui/ListOnlyKeys.h"
#include "ui/NumberText.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

ChannelDelegate::ChannelDelegate(ChannelGrid& grid, ChannelTableModel& model,
                                 ChannelNameList& names)
    : QStyledItemDelegate(&grid), m_grid(grid), m_model(model), m_names(names)
{
}

QWidget* ChannelDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                       const QModelIndex& index) const
{
    QWidget* editor = nullptr;
    switch (index.column()) {
    case ChannelTableModel::NameColumn: {
        ChannelGrid* grid = &m_grid;
        auto* names = new ChannelNameEditor(
            m_grid.typedName(),
            [grid] { return QPoint(grid->currentIndex().column(), grid->currentIndex().row()); },
            parent);
        names->setModel(m_names.model());
        names->setCurrentIndex(-1);
        connect(names, &QComboBox::currentIndexChanged, grid, [grid, names](int entry) {
            if (entry >= 0)
                grid->nameEntrySelected(names->itemText(entry));
        });
        editor = names;
        break;
    }
    case ChannelTableModel::TypeColumn: {
        auto* types = new QComboBox(parent);
        types->setObjectName(QStringLiteral("Combo13"));
        for (int code = 0; code < fx::ChannelTypeCount; ++code)
            types->addItem(QString::fromStdString(fx::ChTypeName(code)));
        ListOnlyKeys::install(types);
        editor = types;
        break;
    }
    case ChannelTableModel::PartnerColumn: {
        if (!m_model.hasPartner(index.row()))
            return nullptr;
        auto* partners = new QComboBox(parent);
        partners->setObjectName(QStringLiteral("Combo2"));
        for (int channel = 1; channel <= m_model.rowCount(); ++channel)
            partners->addItem(QString::number(channel));
        ListOnlyKeys::install(partners);
        editor = partners;
        break;
    }
    case ChannelTableModel::ValueColumn: {
        auto* value = new QLineEdit(parent);
        value->setObjectName(QStringLiteral("Text5"));
        value->setMaxLength(3);
        value->setValidator(new ui::Latin1Validator(value));
        editor = value;
        break;
    }
    default: return nullptr;
    }
    m_grid.editorOpened(editor);
    return editor;
}

void ChannelDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    // An editor takes the cell once, when it opens; what the user has typed since is not
    // replaced when the record changes while the edit is being stored.
    static const char* const Loaded = "cellLoaded";
    if (editor->property(Loaded).toBool())
        return;
    editor->setProperty(Loaded, true);

    const int row = index.row();
    const fx::ChannelInfo& ch = m_model.channel(row);
    switch (index.column()) {
    case ChannelTableModel::NameColumn: {
        auto* names = static_cast<QComboBox*>(editor);
        names->setCurrentIndex(m_names.find(m_model.nameCell(row)));
        m_grid.typedName().typed = false;
        // The whole name is selected, so that typing replaces it.
        names->lineEdit()->selectAll();
        break;
    }
    case ChannelTableModel::TypeColumn:
        static_cast<QComboBox*>(editor)->setCurrentIndex(
            ch.ChType < fx::ChannelTypeCount ? ch.ChType : -1);
        break;
    case ChannelTableModel::PartnerColumn:
        static_cast<QComboBox*>(editor)->setCurrentIndex(int(ch.PairChannel) - 1);
        break;
    case ChannelTableModel::ValueColumn: {
        auto* value = static_cast<QLineEdit*>(editor);
        const QString cell = index.data().toString();
        value->setText(cell == QLatin1String("0") ? QString() : cell);
        value->setCursorPosition(static_cast<int>(value->text().size()));
        break;
    }
    default: break;
    }
}

void ChannelDelegate::setModelData(QWidget* editor, QAbstractItemModel*,
                                   const QModelIndex& index) const
{
    const bool leaving = m_grid.leavingCell();
    const int row = index.row();
    switch (index.column()) {
    case ChannelTableModel::NameColumn:
        storeName(static_cast<QComboBox*>(editor), row, leaving);
        break;
    case ChannelTableModel::TypeColumn:
        storeType(static_cast<QComboBox*>(editor), row, leaving);
        break;
    case ChannelTableModel::PartnerColumn:
        storePartner(static_cast<QComboBox*>(editor), row, leaving);
        break;
    case ChannelTableModel::ValueColumn:
        storeValue(static_cast<QLineEdit*>(editor), row, leaving);
        break;
    default: break;
    }
}

void ChannelDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                           const QModelIndex&) const
{
    editor->setGeometry(option.rect);
}

bool ChannelDelegate::eventFilter(QObject* object, QEvent* event)
{
    // Enter leaves the editor at once, as Tab does, so the next cell opens without a detour
    // through the event queue.
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        auto* editor = qobject_cast<QWidget*>(object);
        const bool popupOpen = qobject_cast<QComboBox*>(editor) &&
                               static_cast<QComboBox*>(editor)->view()->isVisible();
        if (editor && !popupOpen && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            emit commitData(editor);
            emit closeEditor(editor, QAbstractItemDelegate::SubmitModelCache);
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

void ChannelDelegate::storeName(QComboBox* editor, int row, bool leavingCell) const
{
    const QString text = editor->currentText();
    if (!leavingCell) {
        // A name of one character is not taken when the editor loses the focus; it is checked
        // when a name cell is next opened.
        if (text.size() < 2)
            return;
        m_model.setNameCell(row, text);
        if (m_grid.checkTypedName() == TypedNameCheck::Outcome::Refused)
            return;
    } else {
        m_model.setNameCell(row, text);
    }
    const int entry = namedEntry(editor);
    if (entry < 0)
        return;
    const QString name = m_names.text(entry);
    m_model.setNameCell(row, name);
    m_model.setChannelName(row, name, m_names.code(entry));
    m_grid.nameStored(row);
}

void ChannelDelegate::storeType(QComboBox* editor, int row, bool leavingCell) const
{
    if ((!leavingCell && editor->currentText().size() < 2) || editor->currentIndex() < 0)
        return;
    m_model.setChannelType(row, editor->currentIndex());
}

void ChannelDelegate::storePartner(QComboBox* editor, int row, bool leavingCell) const
{
    if (!leavingCell && editor->currentText().isEmpty())
        return;
    m_model.setPartner(row, editor->currentIndex() + 1);
}

void ChannelDelegate::storeValue(QLineEdit* editor, int row, bool leavingCell) const
{
    if (!leavingCell && editor->text().isEmpty())
        return;
    m_model.setValue(row, numtext::dmxValue(editor->text()));
}

int ChannelDelegate::namedEntry(const QComboBox* editor) const
{
    const int selected = editor->currentIndex();
    if (selected >= 0 && editor->itemText(selected) == editor->currentText())
        return selected;
    return m_names.find(editor->currentText());
}
