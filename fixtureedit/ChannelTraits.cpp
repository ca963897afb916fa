#include "fixtureedit/ChannelTraits.h"

#include "core/FixtureFile.h"
#include "core/FixtureRecord.h"
#include "core/StepTools.h"
#include "fixtureedit/ChannelListModel.h"
#include "fixtureedit/FillStepsDialog.h"
#include "fixtureedit/StepGrid.h"
#include "fixtureedit/StepGridModel.h"
#include "ui/Dialogs.h"
#include "ui/Document.h"
#include "ui/FieldKeys.h"
#include "ui/ListOnlyKeys.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

// The channel choosers change only by picking from their list.
QComboBox* makeChooser(const char* name, QWidget* parent)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QLatin1String(name));
    combo->setEditable(false);
    ListOnlyKeys::install(combo);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(8);
    return combo;
}

QPushButton* makeButton(const char* name, const QString& caption, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    return button;
}

QLabel* makeLabel(const char* name, const QString& caption, QWidget* buddy, QWidget* parent)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    ui::labelControl(label, buddy);
    return label;
}

} // namespace

ChannelTraits::ChannelTraits(ui::Document& document, ui::Dialogs& dialogs, QWidget* parent)
    : QGroupBox(QStringLiteral("Channel Traits"), parent), m_document(document), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("Frame2"));

    m_channels = new ChannelListModel(document, this);
    m_channel = makeChooser("Combo9", this);
    m_channel->setMinimumContentsLength(20);
    m_copyFrom = makeChooser("Combo11", this);
    m_copyTo = makeChooser("Combo12", this);
    for (QComboBox* combo : {m_channel, m_copyFrom, m_copyTo}) {
        combo->setModel(m_channels);
        combo->setCurrentIndex(m_channels->rowCount() > 0 ? 0 : -1);
    }
    // A chooser on a channel that a lower count removes goes back to the first channel.
    connect(m_channels, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this](const QModelIndex&, int first, int) {
                for (QComboBox* combo : {m_channel, m_copyFrom, m_copyTo}) {
                    if (combo->currentIndex() >= first)
                        combo->setCurrentIndex(0);
                }
            });
    m_model = new StepGridModel(document, this);
    m_grid = new StepGrid(m_model, dialogs, this);
    m_add = makeButton("Command1", QStringLiteral("&Add"), this);
    m_insert = makeButton("Command2", QStringLiteral("Inse&rt"), this);
    m_delete = makeButton("Command3", QStringLiteral("&Delete"), this);
    m_copy = makeButton("Command4", QStringLiteral("Cop&y"), this);
    m_fill = makeButton("FillSteps", QStringLiteral("F&ill..."), this);
    m_sort = makeButton("SortSteps", QStringLiteral("S&ort"), this);
    m_usage = new QLabel(this);
    m_usage->setObjectName(QStringLiteral("StepUsage"));

    auto* chooserRow = new QHBoxLayout;
    chooserRow->addWidget(makeLabel("Label1", QStringLiteral("&Channel:"), m_channel, this));
    chooserRow->addWidget(m_channel, 1);

    // The step buttons, the copy and the usage stand beside the grid, so that the grid has the
    // frame's height.
    auto* side = new QVBoxLayout;
    for (QPushButton* button : {m_add, m_insert, m_delete, m_fill, m_sort})
        side->addWidget(button);
    side->addStretch(1);
    auto* copyRows = new QGridLayout;
    copyRows->addWidget(makeLabel("Label3", QStringLiteral("From:"), m_copyFrom, this), 0, 0);
    copyRows->addWidget(m_copyFrom, 0, 1);
    copyRows->addWidget(makeLabel("Label4", QStringLiteral("To:"), m_copyTo, this), 1, 0);
    copyRows->addWidget(m_copyTo, 1, 1);
    copyRows->addWidget(m_copy, 2, 1);
    side->addLayout(copyRows);
    // The usage wraps within the button column: a long red "... will not be saved" on one line
    // would widen the column and squeeze the grid's columns out of sight.
    m_usage->setWordWrap(true);
    m_usage->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    side->addWidget(m_usage);
    auto* stepRow = new QHBoxLayout;
    stepRow->addWidget(m_grid, 1);
    stepRow->addLayout(side);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(chooserRow);
    layout->addLayout(stepRow, 1);

    connect(m_channel, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            fillStepGrid(index);
    });
    connect(m_add, &QPushButton::clicked, m_grid, &StepGrid::addStep);
    connect(m_insert, &QPushButton::clicked, this, &ChannelTraits::insertStep);
    connect(m_delete, &QPushButton::clicked, m_grid, &StepGrid::deleteCurrentStep);
    connect(m_copy, &QPushButton::clicked, this, &ChannelTraits::copySteps);
    connect(m_fill, &QPushButton::clicked, this, &ChannelTraits::fillSteps);
    // Tab follows the reading order: the chooser, the steps, the step buttons, then the copy.
    QWidget* order[] = {m_channel, m_grid, m_add,      m_insert, m_delete,
                        m_fill,    m_sort, m_copyFrom, m_copyTo, m_copy};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    for (QPushButton* button : {m_add, m_insert, m_delete, m_fill, m_sort, m_copy})
        button->setAccessibleName(button->text().remove(QLatin1Char('.')).remove(QLatin1Char('&')));
    connect(m_sort, &QPushButton::clicked, this, &ChannelTraits::sortSteps);
    connect(&document, &ui::Document::changed, this, [this](const fx::RecordChange& change) {
        if (change.reset || change.steps.any())
            refreshUsage();
    });

    refreshUsage();
}

void ChannelTraits::resetChannels()
{
    m_grid->discardOpenEdit();
    {
        const QSignalBlocker block(m_channel);
        for (QComboBox* combo : {m_channel, m_copyFrom, m_copyTo})
            combo->setCurrentIndex(combo->count() > 0 ? 0 : -1);
    }
    m_model->showEmpty(0);
    refreshUsage();
}

void ChannelTraits::selectChannel(int channel0)
{
    if (channel0 < 0 || channel0 >= fx::MaxChannels)
        return;
    {
        const QSignalBlocker block(m_channel);
        if (channel0 < m_channel->count())
            m_channel->setCurrentIndex(channel0);
    }
    fillStepGrid(channel0);
}

void ChannelTraits::fillStepGrid(int channel0)
{
    if (channel0 < 0 || channel0 >= fx::MaxChannels)
        return;
    m_grid->commitOpenEdit();
    m_model->fill(channel0);
    refreshUsage();
}

int ChannelTraits::currentChannel() const
{
    return m_channel->currentIndex();
}

void ChannelTraits::commitOpenEdit()
{
    m_grid->commitOpenEdit();
}

void ChannelTraits::hideEditor()
{
    m_grid->discardOpenEdit();
}

void ChannelTraits::refreshUsage()
{
    const int used = fx::checkFileCapacity(m_document.record()).totalSteps;
    const int over = used - fx::StepSlotCount;
    QString text = QStringLiteral("Steps in file: %1 of %2").arg(used).arg(fx::StepSlotCount);
    if (over > 0)
        text += QStringLiteral(" (%1 will not be saved)").arg(over);
    m_usage->setText(text);
    m_usage->setStyleSheet(over > 0 ? QStringLiteral("color: #b00020; font-weight: bold;")
                                    : QString());
}

QComboBox* ChannelTraits::channelChooser() const
{
    return m_channel;
}

void ChannelTraits::insertStep()
{
    const QModelIndex current = m_grid->currentIndex();
    if (!current.isValid() || current.column() != StepGridModel::StepColumn)
        return;
    if (m_model->insertStep(current.row()))
        m_grid->setCurrentIndex(m_model->index(current.row() + 1, StepGridModel::StepColumn));
}

void ChannelTraits::copySteps()
{
    const int from = m_copyFrom->currentIndex();
    const int to = m_copyTo->currentIndex();
    if (from < 0 || to < 0 || from == to)
        return;
    const QString question = QStringLiteral("Any data on channel") +
                             QStringLiteral(" %1").arg(to + 1) +
                             QStringLiteral("  will be lost,continue");
    if (m_dialogs.ask(this, QStringLiteral("Quill82 Fixture"), question,
                      ui::Dialogs::Buttons::OkCancel) != ui::Dialogs::Answer::Ok)
        return;
    m_grid->commitOpenEdit();
    m_model->copyChannel(from, to);
    const QSignalBlocker block(m_channel);
    if (to < m_channel->count())
        m_channel->setCurrentIndex(to);
}

void ChannelTraits::selectStep(int channel0, int step)
{
    selectChannel(channel0);
    const QModelIndex cell = m_model->index(std::max(step, 0), StepGridModel::NameColumn);
    if (!cell.isValid())
        return;
    m_grid->setCurrentIndex(cell);
    m_grid->scrollTo(cell);
    m_grid->setFocus(Qt::OtherFocusReason);
}

void ChannelTraits::fillSteps()
{
    const int channel = m_channel->currentIndex();
    if (channel < 0)
        return;
    m_grid->commitOpenEdit();
    FillStepsDialog dialog(m_document.record(), channel, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const int n = dialog.count();
    const int first = dialog.first();
    const int last = dialog.last();
    const std::string pattern = dialog.latin1Pattern();
    m_document.push(m_document.core().fillSteps(channel, n, first, last, pattern));
    fillStepGrid(channel);
}

void ChannelTraits::sortSteps()
{
    const int channel = m_channel->currentIndex();
    if (channel < 0)
        return;
    m_grid->commitOpenEdit();
    m_document.push(m_document.core().sortSteps(channel));
    fillStepGrid(channel);
}
