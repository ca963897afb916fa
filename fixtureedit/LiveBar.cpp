#include "fixtureedit/LiveBar.h"

#include "core/DmxFrame.h"
#include "fixtureedit/ChannelTraits.h"
#include "fixtureedit/StepGrid.h"
#include "fixtureedit/StepGridModel.h"
#include "ui/LiveSession.h"

#include <QApplication>
#include <QBoxLayout>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

namespace {

QSpinBox* makeBox(const char* name, const QString& spoken, int maximum, QWidget* parent)
{
    auto* box = new QSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    // A screen reader announces the box's text field by the box's name.
    for (auto* field : box->findChildren<QWidget*>())
        field->setAccessibleName(spoken);
    box->setRange(1, maximum);
    // A number takes effect when it is complete (Enter, leaving the box, the arrows), not at
    // each digit typed.
    box->setKeyboardTracking(false);
    return box;
}

} // namespace

LiveBar::LiveBar(ui::Document& document, ChannelTraits& traits, QWidget* parent)
    : QFrame(parent), m_traits(traits), m_session(new ui::LiveSession(document, {}, this))
{
    setObjectName(QStringLiteral("LiveBar"));
    m_live = new QCheckBox(QStringLiteral("Li&ve"), this);
    m_live->setObjectName(QStringLiteral("LiveBox"));
    m_live->setToolTip(QStringLiteral("Send the fixture to the lamp through the OLA daemon"));
    m_universe = makeBox("LiveUniverse", QStringLiteral("Universe"), fx::MaxUniverse, this);
    m_address = makeBox("LiveAddress", QStringLiteral("Address"), fx::DmxSlots, this);
    auto* universeLabel = new QLabel(QStringLiteral("Universe:"), this);
    universeLabel->setBuddy(m_universe);
    auto* addressLabel = new QLabel(QStringLiteral("Address:"), this);
    addressLabel->setBuddy(m_address);
    m_blackout = new QPushButton(QStringLiteral("&Blackout"), this);
    m_blackout->setObjectName(QStringLiteral("LiveBlackout"));
    m_blackout->setCheckable(true);
    m_blackout->setEnabled(false);
    m_status = new QLabel(m_session->statusText(), this);
    m_status->setObjectName(QStringLiteral("LiveStatus"));
    m_status->setWordWrap(true);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_retry = new QPushButton(QStringLiteral("Retry"), this);
    m_retry->setObjectName(QStringLiteral("LiveRetry"));
    m_retry->hide();

    // The controls in one row, what the output does below them (it may take two lines).
    auto* bar = new QVBoxLayout(this);
    bar->setContentsMargins(0, 0, 0, 0);
    bar->setSpacing(2);
    auto* row = new QHBoxLayout;
    row->addWidget(m_live);
    row->addSpacing(8);
    row->addWidget(universeLabel);
    row->addWidget(m_universe);
    row->addWidget(addressLabel);
    row->addWidget(m_address);
    row->addWidget(m_blackout);
    row->addWidget(m_retry);
    row->addStretch(1);
    bar->addLayout(row);
    bar->addWidget(m_status);

    ui::LiveSession* session = m_session;
    m_universe->setValue(session->universe());
    m_address->setValue(session->address());
    connect(m_live, &QCheckBox::toggled, session, &ui::LiveSession::setLive);
    connect(m_retry, &QPushButton::clicked, session, [session] { session->setLive(true); });
    connect(m_blackout, &QPushButton::toggled, session, &ui::LiveSession::setBlackout);
    for (QSpinBox* box : {m_universe, m_address})
        connect(box, &QSpinBox::valueChanged, session,
                [this] { m_session->setTarget(m_universe->value(), m_address->value()); });

    connect(session, &ui::LiveSession::liveChanged, this, [this](bool on) {
        const QSignalBlocker block(m_live);
        m_live->setChecked(on);
        m_blackout->setEnabled(on);
    });
    connect(session, &ui::LiveSession::blackoutChanged, this, [this](bool on) {
        const QSignalBlocker block(m_blackout);
        m_blackout->setChecked(on);
    });
    connect(session, &ui::LiveSession::targetChanged, this, [this](int universe, int address) {
        const QSignalBlocker blockUniverse(m_universe);
        const QSignalBlocker blockAddress(m_address);
        m_universe->setValue(universe);
        m_address->setValue(address);
    });
    connect(session, &ui::LiveSession::stateChanged, this,
            [this](ui::LiveSession::State state, const QString& status) {
                using State = ui::LiveSession::State;
                m_status->setText(status);
                m_retry->setVisible(state != State::Off && state != State::Connecting &&
                                    state != State::Sending);
            });

    // A step is tried while the steps grid (or its cell editor) has the focus: the current row's
    // step, again at every move; leaving the grid puts the channel's value back.
    connect(traits.stepGrid()->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] {
                if (m_inGrid)
                    showCurrentStep();
            });
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { focusMoved(now); });
}

bool LiveBar::inStepGrid(const QWidget* widget) const
{
    const StepGrid* grid = m_traits.stepGrid();
    return widget && (widget == grid || grid->isAncestorOf(widget));
}

void LiveBar::focusMoved(QWidget* now)
{
    const bool inGrid = inStepGrid(now);
    if (inGrid == m_inGrid)
        return;
    m_inGrid = inGrid;
    if (inGrid)
        showCurrentStep();
    else
        m_session->leaveStep();
}

void LiveBar::showCurrentStep()
{
    const StepGrid* grid = m_traits.stepGrid();
    const QModelIndex current = grid->currentIndex();
    if (!current.isValid() || grid->stepModel()->isPlaceholder())
        m_session->leaveStep();
    else
        m_session->showStep(m_traits.currentChannel(), current.row());
}
