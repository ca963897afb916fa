#include "fixtureedit/StepGridModel.h"

#include "core/FixtureRecord.h"
#include "ui/NumberText.h"

#include <algorithm>

namespace {

fx::StepInfo blankStep()
{
    fx::StepInfo step;
    step.StepName = fx::FixedText<8>::blanks();
    return step;
}

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

StepGridModel::StepGridModel(fx::FixtureRecord& record, QObject* parent)
    : QAbstractTableModel(parent), m_record(record)
{
    numberRows();
}

fx::StepInfo& StepGridModel::entry(int row) const
{
    return m_record.Steps[static_cast<std::size_t>(m_channel)]
                         [static_cast<std::size_t>(std::clamp(row, 0, fx::MaxStepsPerChannel - 1))];
}

int StepGridModel::stepCount() const
{
    return m_record.StepCount[static_cast<std::size_t>(m_channel)];
}

void StepGridModel::setStepCount(int count)
{
    m_record.StepCount[static_cast<std::size_t>(m_channel)] = static_cast<std::uint8_t>(count);
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

void StepGridModel::syncWithRecord()
{
    const int count = stepCount();
    if (m_placeholder ? count == 0 : count == m_rows)
        return;
    beginResetModel();
    m_placeholder = count == 0;
    m_rows = m_placeholder ? 1 : count;
    numberRows();
    endResetModel();
}

void StepGridModel::relabelFrom(int row)
{
    if (row >= m_rows)
        return;
    numberRows();
    emit dataChanged(index(row, StepColumn), index(m_rows - 1, StepColumn));
}

int StepGridModel::addStep()
{
    syncWithRecord();
    int row = 0;
    if (m_placeholder) {
        m_placeholder = false;
        setStepCount(1);
        entry(0) = blankStep();
        emit dataChanged(index(0, StepColumn), index(0, ToColumn));
    } else {
        if (m_rows >= MaxAddSteps)
            return -1;
        row = m_rows;
        beginInsertRows({}, row, row);
        entry(row) = blankStep();
        setStepCount(row + 1);
        m_rows = row + 1;
        m_stepNumber.push_back(m_rows);
        endInsertRows();
    }
    emit stepsChanged();
    return row;
}

bool StepGridModel::insertStep(int row)
{
    syncWithRecord();
    if (m_placeholder || m_rows >= MaxInsertSteps || row < 0 || row >= m_rows)
        return false;
    beginInsertRows({}, row, row);
    auto& steps = m_record.Steps[static_cast<std::size_t>(m_channel)];
    std::move_backward(steps.begin() + row, steps.begin() + m_rows, steps.begin() + m_rows + 1);
    entry(row) = blankStep();
    ++m_rows;
    m_stepNumber.insert(m_stepNumber.begin() + row, row + 1);
    setStepCount(m_rows);
    endInsertRows();
    relabelFrom(row + 1);
    emit stepsChanged();
    return true;
}

bool StepGridModel::deleteStep(int row)
{
    syncWithRecord();
    if (row < 0 || row >= m_rows)
        return false;
    if (m_rows == 1) {
        // The only step (or the "No Steps" row itself): the row becomes the empty placeholder;
        // the first entry keeps its contents but is no longer a step.
        m_placeholder = true;
        m_placeholderText = {};
        setStepCount(0);
        emit dataChanged(index(0, StepColumn), index(0, ToColumn));
    } else {
        beginRemoveRows({}, row, row);
        auto& steps = m_record.Steps[static_cast<std::size_t>(m_channel)];
        std::move(steps.begin() + row + 1, steps.begin() + m_rows, steps.begin() + row);
        entry(m_rows - 1) = blankStep();
        --m_rows;
        m_stepNumber.erase(m_stepNumber.begin() + row);
        setStepCount(m_rows);
        endRemoveRows();
        relabelFrom(row);
    }
    emit stepsChanged();
    return true;
}

void StepGridModel::copyChannel(int from, int to)
{
    if (from < 0 || from >= fx::MaxChannels || to < 0 || to >= fx::MaxChannels || from == to)
        return;
    const auto src = static_cast<std::size_t>(from);
    const auto dst = static_cast<std::size_t>(to);
    m_record.StepCount[dst] = m_record.StepCount[src];
    m_record.Steps[dst] = m_record.Steps[src];
    fill(to);
    emit stepsChanged();
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
    fx::StepInfo& step = entry(m_placeholder ? 0 : index.row());
    QString shown;
    if (index.column() == NameColumn) {
        const QByteArray latin1 = text.toLatin1();
        step.StepName.assign(std::string_view(latin1.constData(), std::size_t(latin1.size())));
        shown = nameText(step.StepName);
    } else {
        const int dmx = dmxValueFromText(text);
        (index.column() == FromColumn ? step.FromDmx : step.ToDmx) = static_cast<std::uint8_t>(dmx);
        shown = QString::number(dmx);
    }
    if (m_placeholder)
        m_placeholderText[static_cast<std::size_t>(index.column() - 1)] = shown;
    emit dataChanged(index, index);
    emit stepsChanged();
    return true;
}
