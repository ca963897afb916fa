#include "fixtureedit/StepGrid.h"

#include "core/GridPaste.h"
#include "fixtureedit/StepGridDelegate.h"
#include "fixtureedit/StepGridModel.h"
#include "ui/Dialogs.h"
#include "ui/Document.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>

#include <algorithm>
#include <utility>

StepGrid::StepGrid(StepGridModel* model, ui::Dialogs& dialogs, QWidget* parent)
    : ui::EditGrid(parent), m_model(model)
{
    setDialogs(dialogs);
    setObjectName(QStringLiteral("MSFlexGrid2"));
    setAccessibleName(QStringLiteral("Steps")); // the grid has no label of its own
    setModel(model);
    setItemDelegate(new StepGridDelegate(this));
    setHeadingsSelectable(true);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setMinimumHeight(fontMetrics().height() + 14);
    setColumnWidth(StepGridModel::StepColumn, 74);
    setColumnWidth(StepGridModel::FromColumn, 70);
    setColumnWidth(StepGridModel::ToColumn, 70);
    horizontalHeader()->setSectionResizeMode(StepGridModel::NameColumn, QHeaderView::Stretch);
}

QSize StepGrid::sizeHint() const
{
    const int header =
        std::max(horizontalHeader()->minimumHeight(), horizontalHeader()->sizeHint().height());
    int width = 2 * frameWidth() + verticalScrollBar()->sizeHint().width() +
                fontMetrics().horizontalAdvance(QStringLiteral("Step NameMM"));
    for (int column = StepGridModel::StepColumn; column < StepGridModel::ColumnCount; ++column) {
        if (column != StepGridModel::NameColumn)
            width += columnWidth(column);
    }
    return {width, 2 * frameWidth() + header + 15 * verticalHeader()->defaultSectionSize()};
}

int StepGrid::addStep()
{
    const int row = m_model->addStep();
    if (row >= 0)
        scrollTo(m_model->index(row, StepGridModel::StepColumn));
    return row;
}

void StepGrid::deleteCurrentStep()
{
    const QModelIndex current = currentIndex();
    if (current.isValid() && current.column() == StepGridModel::StepColumn)
        m_model->deleteStep(current.row());
}

QModelIndex StepGrid::afterLastCell()
{
    if (!m_model->isPlaceholder()) {
        const int row = addStep();
        if (row >= 0) {
            m_added = m_model->index(row, StepGridModel::StepColumn);
            return m_model->index(row, StepGridModel::NameColumn);
        }
    }
    return ui::EditGrid::afterLastCell();
}

void StepGrid::takeBackAdded()
{
    const QPersistentModelIndex added = std::exchange(m_added, QPersistentModelIndex());
    if (added.isValid())
        m_model->takeBackStep(added.row());
}

void StepGrid::editorClosed(const QModelIndex& cell, bool stored)
{
    // Escape, or the focus gone to another control.
    if (m_added.isValid() && cell.row() == m_added.row() && (!stored || !hasFocus()))
        takeBackAdded();
}

void StepGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    ui::EditGrid::currentChanged(current, previous);
    if (m_added.isValid() && current.row() != m_added.row())
        takeBackAdded();
}

void StepGrid::focusOutEvent(QFocusEvent* event)
{
    ui::EditGrid::focusOutEvent(event);
    // The focus going into the grid's own editor does not leave the row.
    const QWidget* focus = QApplication::focusWidget();
    if (m_added.isValid() && !openEditor() && !(focus && isAncestorOf(focus)))
        takeBackAdded();
}

bool StepGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    // A key typed on the "No Steps" row makes step 1 first, and goes into it.
    if (trigger == AnyKeyPressed && event && m_model->isPlaceholder() && opensCell(index))
        addStep();
    return ui::EditGrid::edit(index, trigger, event);
}

void StepGrid::keyPressEvent(QKeyEvent* event)
{
    if (state() != EditingState && event->key() == Qt::Key_Delete &&
        event->modifiers() == Qt::NoModifier) {
        deleteCurrentStep();
        return;
    }
    ui::EditGrid::keyPressEvent(event);
}

bool StepGrid::eventFilter(QObject* watched, QEvent* event)
{
    // Typing into a cell opened on the "No Steps" row: step 1 is made first, and the editor
    // starts from the new step's blank cell.
    if (event->type() == QEvent::KeyPress && watched == openEditor() && m_model->isPlaceholder() &&
        ui::typesText(static_cast<QKeyEvent*>(event)) && addStep() >= 0 && openEditor())
        itemDelegate()->setEditorData(openEditor(), currentIndex());
    return ui::EditGrid::eventFilter(watched, event);
}

bool StepGrid::pasteAt(const fx::TextBlock& block, int row, int column,
                       const std::function<bool()>& confirm)
{
    ui::Document& document = m_model->document();
    fx::FixturePaste paste = fx::pasteSteps(document.core(), m_model->channel(),
                                            m_model->isPlaceholder() ? 0 : row, column, block);
    if (refusesPaste(paste.problem) || (confirm && !confirm()))
        return false;
    document.push(std::move(paste.edit));
    return true;
}

void StepGrid::pasteBlock(const fx::TextBlock& block, const QModelIndex& cell)
{
    pasteAt(block, cell.row(), cell.column());
}

void StepGrid::pasteText(const QString& text, const QModelIndex& cell)
{
    const std::string utf8 = text.toStdString();
    const fx::ManualSteps manual =
        fx::isTextBlock(utf8) ? fx::ManualSteps() : fx::readManualLines(utf8);
    // Lines from a manual name a step or give a range; a word or a lone number (a column of
    // them from a spreadsheet, too) is pasted as cells.
    const bool fromManual =
        std::any_of(manual.steps.begin(), manual.steps.end(), [](const fx::ManualStep& step) {
            return !step.name.empty() || step.from != step.to;
        });
    if (!fromManual) {
        ui::EditGrid::pasteText(text, cell);
        return;
    }
    const int count = int(manual.steps.size());
    const int row = m_model->isPlaceholder() ? 0 : std::max(cell.row(), 0);
    const QString skipped = manual.skipped == 0 ? QString()
                            : manual.skipped == 1
                                ? QStringLiteral(", 1 line skipped")
                                : QStringLiteral(", %1 lines skipped").arg(manual.skipped);
    // A paste that would be refused is told before any preview.
    const auto preview = [&] {
        if (count < 2 || !dialogs())
            return true;
        QList<QStringList> rows;
        for (const fx::ManualStep& step : manual.steps)
            rows.append({QString::fromStdString(step.name), QString::number(step.from),
                         QString::number(step.to)});
        const QString text = QStringLiteral("%1 steps read%2. They go in from step %3 on.")
                                 .arg(count)
                                 .arg(skipped)
                                 .arg(row + 1);
        return dialogs()->confirmTable(
            window(), QStringLiteral("Paste Steps"), text,
            {QStringLiteral("Step Name"), QStringLiteral("From Dmx"), QStringLiteral("To Dmx")},
            rows);
    };
    if (pasteAt(fx::manualStepsAsBlock(manual.steps), row, StepGridModel::NameColumn, preview))
        emit statusMessage((count == 1 ? QStringLiteral("1 step pasted")
                                       : QStringLiteral("%1 steps pasted").arg(count)) +
                           skipped);
}

void StepGrid::cutBlock(const Block& block)
{
    if (!m_model->isPlaceholder())
        m_model->document().push(
            fx::cutSteps(m_model->document().core(), m_model->channel(), block.top, block.bottom));
}

bool StepGrid::readsAsHeading(const QString& text) const
{
    // "Step 12", also of steps this channel does not have.
    bool number = false;
    const QString trimmed = text.trimmed();
    return trimmed.startsWith(QLatin1String("Step ")) && (trimmed.mid(5).toInt(&number), number);
}
