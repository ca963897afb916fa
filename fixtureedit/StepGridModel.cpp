#include "fixtureedit/StepGridModel.h"

#include "core/FixtureDocument.h"
#include "ui/Document.h"
#include "ui/NumberText.h"

#include <QUndoCommand>
#include <QUndoStack>

#include <algorithm>

namespace {

// The step name as the cell shows it: without trailing blanks (and without the zero bytes of a
// name that was never assigned), empty for a blank name.
QString nameText(const fx::FixedText<8>& name)
{
    std::string text = name.str();
    while (!text.empty() && (text.back() == ' ' || text.back() == '\0'))
        text.pop_back();
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

StepGridModel::StepGridModel(ui::Document& document, QObject* parent)
    : QAbstractTableModel(parent), m_document(document)
{
    numberRows();
    connect(&document, &ui::Document::changed, this, &StepGridModel::documentChanged);
}

const fx::StepInfo& StepGridModel::entry(int row) const
{
    return m_document.record().Steps[static_cast<std::size_t>(m_channel)][static_cast<std::size_t>(
        std::clamp(row, 0, fx::MaxStepsPerChannel - 1))];
}

int StepGridModel::stepCount() const
{
    return m_document.record().StepCount[static_cast<std::size_t>(m_channel)];
}

bool StepGridModel::isCell(const QModelIndex& index) const
{
    return index.isValid() && index.model() == this && index.row() < m_rows &&
           index.column() < ColumnCount;
}

void StepGridModel::numberRows()
{
    m_stepNumber.resize(static_cast<std::size_t>(m_rows));
    for (int row = 0; row < m_rows; ++row)
        m_stepNumber[static_cast<std::size_t>(row)] = row + 1;
}

void StepGridModel::fill(int channel0)
{
    beginResetModel();
    m_channel = std::clamp(channel0, 0, fx::MaxChannels - 1);
    m_placeholder = stepCount() == 0;
    m_rows = m_placeholder ? 1 : stepCount();
    numberRows();
    m_placeholderText = {QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")};
    endResetModel();
}

void StepGridModel::showEmpty(int channel0)
{
    beginResetModel();
    m_channel = std::clamp(channel0, 0, fx::MaxChannels - 1);
    m_placeholder = true;
    m_rows = 1;
    numberRows();
    m_placeholderText = {};
    endResetModel();
}

void StepGridModel::documentChanged(const fx::RecordChange& change)
{
    if (!change.reset && !change.steps.test(static_cast<std::size_t>(m_channel)))
        return;
    const bool placeholder = stepCount() == 0;
    const int rows = placeholder ? 1 : stepCount();
    // Steps inserted or removed at a place move the rows there; anything else rebuilds them.
    const bool placed = !change.reset && change.stepRows.channel == m_channel;
    if (placed && rows > m_rows) {
        const int at = std::clamp(change.stepRows.at, 0, m_rows);
        beginInsertRows({}, at, at + rows - m_rows - 1);
        m_stepNumber.insert(m_stepNumber.begin() + at, std::size_t(rows - m_rows), 0);
        m_rows = rows;
        endInsertRows();
    } else if (placed && rows < m_rows) {
        const int at = std::clamp(change.stepRows.at, 0, rows);
        beginRemoveRows({}, at, at + m_rows - rows - 1);
        m_stepNumber.erase(m_stepNumber.begin() + at, m_stepNumber.begin() + at + m_rows - rows);
        m_rows = rows;
        endRemoveRows();
    } else if (rows != m_rows || change.reset) {
        beginResetModel();
        m_rows = rows;
        m_placeholder = placeholder;
        numberRows();
        endResetModel();
    }
    if (placeholder != m_placeholder) {
        // The first step made on the "No Steps" row, or the only step deleted.
        m_placeholder = placeholder;
        m_placeholderText = {};
    }
    // The rows are numbered again as a change of their data.
    numberRows();
    emit dataChanged(index(0, StepColumn), index(m_rows - 1, ToColumn));
}

int StepGridModel::addStep()
{
    if (!m_document.push(m_document.core().addStep(m_channel)))
        return -1;
    const QUndoStack* history = m_document.undoStack();
    m_lastAdd = history->command(history->index() - 1);
    return stepCount() - 1;
}

bool StepGridModel::takeBackStep(int row)
{
    QUndoStack* history = m_document.undoStack();
    const int top = history->index() - 1;
    if (m_placeholder || row != stepCount() - 1 || top < 0 || history->command(top) != m_lastAdd)
        return false;
    const fx::StepInfo& step = entry(row);
    if (!nameText(step.StepName).isEmpty() || step.FromDmx != 0 || step.ToDmx != 0)
        return false;
    // The add is undone, and as an obsolete command the stack drops it instead of keeping it
    // for a redo.
    auto* add = const_cast<QUndoCommand*>(history->command(top));
    add->undo();
    add->setObsolete(true);
    history->undo();
    m_lastAdd = nullptr;
    return true;
}

bool StepGridModel::insertStep(int row)
{
    if (m_placeholder)
        return false;
    return m_document.push(m_document.core().insertStep(m_channel, row));
}

bool StepGridModel::deleteStep(int row)
{
    if (row < 0 || row >= m_rows)
        return false;
    if (m_placeholder) {
        // The "No Steps" row itself: it is shown empty; the record is not touched.
        m_placeholderText = {};
        emit dataChanged(index(0, StepColumn), index(0, ToColumn));
        return true;
    }
    return m_document.push(m_document.core().deleteStep(m_channel, row));
}

void StepGridModel::copyChannel(int from, int to)
{
    if (from < 0 || from >= fx::MaxChannels || to < 0 || to >= fx::MaxChannels || from == to)
        return;
    m_document.push(m_document.core().copySteps(from, to));
    fill(to);
}

int StepGridModel::dmxValueFromText(const QString& text)
{
    return numtext::dmxValue(text);
}

int StepGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int StepGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant StepGridModel::data(const QModelIndex& index, int role) const
{
    if (!isCell(index))
        return {};
    if (role == Qt::TextAlignmentRole &&
        (index.column() == FromColumn || index.column() == ToColumn))
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};

    const int row = index.row();
    if (index.column() == StepColumn)
        return m_placeholder ? QStringLiteral("No Steps")
                             : QStringLiteral("Step %1").arg(m_stepNumber[std::size_t(row)]);
    if (m_placeholder)
        return m_placeholderText[static_cast<std::size_t>(index.column() - 1)];
    const fx::StepInfo& step = entry(row);
    switch (index.column()) {
    case NameColumn: return nameText(step.StepName);
    case FromColumn: return QString::number(step.FromDmx);
    case ToColumn: return QString::number(step.ToDmx);
    default: return {};
    }
}

QVariant StepGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    static const char* const headers[ColumnCount] = {"Step", "Step Name", "From Dmx", "To Dmx"};
    if (section < 0 || section >= ColumnCount)
        return {};
    return QString::fromLatin1(headers[section]);
}

Qt::ItemFlags StepGridModel::flags(const QModelIndex& index) const
{
    if (!isCell(index))
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() != StepColumn)
        f |= Qt::ItemIsEditable;
    return f;
}

bool StepGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !isCell(index) || index.column() == StepColumn)
        return false;
    const QString text = value.toString();
    const int step = m_placeholder ? 0 : index.row();
    const fx::FixtureDocument& core = m_document.core();
    QString shown;
    if (index.column() == NameColumn) {
        const QByteArray latin1 = text.toLatin1();
        m_document.push(core.setStepName(
            m_channel, step, std::string_view(latin1.constData(), std::size_t(latin1.size()))));
        shown = nameText(entry(step).StepName);
    } else {
        const int dmx = dmxValueFromText(text);
        m_document.push(core.setStepValue(m_channel, step,
                                          index.column() == FromColumn
                                              ? fx::FixtureDocument::StepField::From
                                              : fx::FixtureDocument::StepField::To,
                                          dmx));
        shown = QString::number(dmx);
    }
    if (m_placeholder) {
        m_placeholderText[static_cast<std::size_t>(index.column() - 1)] = shown;
        emit dataChanged(index, index);
    }
    return true;
}
