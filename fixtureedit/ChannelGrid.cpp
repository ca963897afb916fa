#include "fixtureedit/ChannelGrid.h"

#include "core/GridPaste.h"
#include "fixtureedit/ChannelDelegate.h"
#include "fixtureedit/ChannelNameList.h"
#include "fixtureedit/ChannelTableModel.h"
#include "ui/Dialogs.h"
#include "ui/Document.h"
#include "ui/Services.h"

#include <QComboBox>
#include <QHeaderView>

ChannelGrid::ChannelGrid(ChannelTableModel& model, ChannelNameList& names, ui::Services& services,
                         QWidget* parent)
    : ui::EditGrid(parent), m_model(model), m_names(names), m_services(services),
      m_delegate(new ChannelDelegate(names, this)),
      m_typedNames(new TypedNameController(model, names, services, this))
{
    connect(m_delegate, &ChannelDelegate::nameTyped, m_typedNames, &TypedNameController::typed);
    // A list entry shown replaces what was typed.
    connect(m_delegate, &ChannelDelegate::entryShown, this, [this](int row, const QString& text) {
        m_typedNames->forget();
        emit nameSelected(row, text);
    });
    setObjectName(QStringLiteral("MSFlexGrid1"));
    setDialogs(services.dialogs);
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

void ChannelGrid::pasteBlock(const fx::TextBlock& block, const QModelIndex& cell)
{
    ui::Document& document = m_model.document();
    // Judged again once the missing names were added; a second round finds none missing.
    for (int round = 0; round < 2; ++round) {
        fx::FixturePaste paste =
            fx::pasteChannels(document.core(), m_names.set(), cell.row(), cell.column(), block);
        if (refusesPaste(paste.problem))
            return;
        if (paste.missingNames.empty()) {
            document.push(std::move(paste.edit));
            return;
        }
        if (!addMissingNames(paste.missingNames))
            return;
    }
}

bool ChannelGrid::addMissingNames(const std::vector<std::string>& names)
{
    QString list;
    for (const std::string& name : names)
        list += QStringLiteral("\n    ") + fromLatin1(name);
    const QString title = QStringLiteral("Add Channel Names");
    const QString lacks = names.size() == 1 ? QStringLiteral("this name")
                                            : QStringLiteral("these %1 names").arg(names.size());
    if (m_services.dialogs.ask(window(), title,
                               QStringLiteral("The channel name set lacks %1:%2\n\nAdd them to "
                                              "the set and paste? No pastes nothing.")
                                   .arg(lacks, list),
                               ui::Dialogs::Buttons::YesNo) != ui::Dialogs::Answer::Yes)
        return false;
    QString unwritten;
    for (const std::string& name : names) {
        const ChannelNameList::Added added =
            m_names.append(fromLatin1(name), m_services.files, m_services.chNameSetPath);
        if (added.position < 0) {
            tellPasteProblem(QStringLiteral("The channel name set has no free place for \"%1\" "
                                            "(channel IDs 60 to 253 are all in use). Nothing "
                                            "was pasted.")
                                 .arg(fromLatin1(name)));
            return false;
        }
        if (!added.written && unwritten.isEmpty())
            unwritten = added.error;
    }
    if (!unwritten.isEmpty())
        m_services.dialogs.tell(
            window(), title,
            QStringLiteral("The channel name set file could not be written:\n%1\n%2\n\nThe "
                           "names are in the name list, but the file does not hold them: the "
                           "name list loses them when the file is read again.")
                .arg(m_services.chNameSetPath, unwritten));
    return true;
}

void ChannelGrid::cutBlock(const Block& block)
{
    m_model.document().push(fx::cutChannelCells(m_model.document().core(), block.top, block.bottom,
                                                block.left, block.right));
}
