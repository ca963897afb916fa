#include "fixtureedit/ChannelGrid.h"

#include "fixtureedit/ChannelDelegate.h"
#include "fixtureedit/ChannelTableModel.h"

#include <QComboBox>
#include <QHeaderView>

ChannelGrid::ChannelGrid(ChannelTableModel& model, ChannelNameList& names, ui::Services& services,
                         QWidget* parent)
    : ui::EditGrid(parent), m_model(model), m_delegate(new ChannelDelegate(names, this)),
      m_typedNames(new TypedNameController(model, names, services, this))
{
    connect(m_delegate, &ChannelDelegate::nameTyped, m_typedNames, &TypedNameController::typed);
    // A list entry shown replaces what was typed.
    connect(m_delegate, &ChannelDelegate::entryShown, this, [this](int row, const QString& text) {
        m_typedNames->forget();
        emit nameSelected(row, text);
    });
    setObjectName(QStringLiteral("MSFlexGrid1"));
    setModel(&model);
    setItemDelegate(m_delegate);
    verticalHeader()->hide();
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    layoutColumns();
}

void ChannelGrid::layoutColumns()
{
    const QFontMetrics fm(font());
    const int pad = fm.horizontalAdvance(QLatin1Char('M')) * 2;
    QComboBox probe;
    probe.addItem(QStringLiteral("Fadeable LTP 16bitH"));
    const int arrow = probe.sizeHint().width() - fm.horizontalAdvance(probe.itemText(0));
    const int widths[ChannelTableModel::ColumnCount] = {
        fm.horizontalAdvance(QStringLiteral("Channel")) + pad,
        fm.horizontalAdvance(QStringLiteral("MMMMMMMMMMMM")) + pad,
        probe.sizeHint().width() + pad / 2,
        qMax(fm.horizontalAdvance(QStringLiteral("Ch16bit")),
             fm.horizontalAdvance(QStringLiteral("40")) + arrow) +
            pad,
        fm.horizontalAdvance(QStringLiteral("Value")) + pad,
    };
    for (int column = 0; column < ChannelTableModel::ColumnCount; ++column)
        setColumnWidth(column, widths[column]);
    verticalHeader()->setDefaultSectionSize(qMax(probe.sizeHint().height(), fm.height() + 6));
    horizontalHeader()->setMinimumHeight(fm.height() * 2);
}

bool ChannelGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    // A name left unchecked (one character, not stored) is checked before a name cell opens.
    const bool opening = trigger == AllEditTriggers || trigger == AnyKeyPressed;
    if (opening && index.column() == ChannelTableModel::NameColumn && state() != EditingState &&
        opensCell(index))
        m_typedNames->check();
    return ui::EditGrid::edit(index, trigger, event);
}

void ChannelGrid::editorClosed(const QModelIndex& cell, bool stored)
{
    if (cell.column() != ChannelTableModel::NameColumn)
        return;
    // A name typed and then dropped is not offered for the name set later.
    if (!stored)
        m_typedNames->forget();
    else if (m_typedNames->pending().text.size() >= 2)
        m_typedNames->check();
}
