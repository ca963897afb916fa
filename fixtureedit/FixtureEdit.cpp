#include "fixtureedit/FixtureEdit.h"

#include "fixtureedit/ChannelGrid.h"
#include "fixtureedit/ChannelTableModel.h"
#include "fixtureedit/ChannelTraits.h"
#include "fixtureedit/DegreeBox.h"
#include "fixtureedit/FixtureFileCommands.h"
#include "core/FixtureFile.h"
#include "core/FixtureRecord.h"
#include "ui/Dialogs.h"
#include "ui/Latin1Validator.h"
#include "ui/ListOnlyKeys.h"
#include "ui/Services.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

const QString NewFixtureText = QStringLiteral("New Fixture");

QAction* addMenuAction(QWidget* owner, QMenu* menu, const char* objectName, const QString& text,
                       const QKeySequence& shortcut = {})
{
    auto* action = new QAction(text, owner);
    action->setObjectName(QString::fromLatin1(objectName));
    if (!shortcut.isEmpty()) {
        action->setShortcut(shortcut);
        // The keys work while the focus is anywhere in this editor, not in the other windows.
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        owner->addAction(action);
    }
    menu->addAction(action);
    return action;
}

} // namespace

FixtureEdit::FixtureEdit(fx::FixtureRecord& record, ui::Services& services, QWidget* parent)
    : QWidget(parent), m_record(record), m_services(services)
{
    setObjectName(QStringLiteral("FixtureEdit"));
    setWindowTitle(QStringLiteral("ORVA library Edit Rev1.06"));
    m_model = new ChannelTableModel(record, this);
    buildForm();
    buildMenus();
}

FixtureEdit::~FixtureEdit()
{
    // The name list goes before the child widgets: no cell edit may be stored on the way out.
    m_grid->hideEditors();
}

void FixtureEdit::buildMenus()
{
    auto* bar = new QMenuBar(this);
    bar->setObjectName(QStringLiteral("FixtureEditMenu"));
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("FileMune"));
    connect(addMenuAction(this, file, "NewFixture", QStringLiteral("&New Fixture"),
                          QKeySequence(Qt::CTRL | Qt::Key_N)),
            &QAction::triggered, this, &FixtureEdit::NewFixture);
    connect(addMenuAction(this, file, "OpenFixture", QStringLiteral("&Open Fixture"),
                          QKeySequence(Qt::CTRL | Qt::Key_O)),
            &QAction::triggered, this, &FixtureEdit::OpenFixture);
    connect(addMenuAction(this, file, "SaveFixture", QStringLiteral("&Save Fixture"),
                          QKeySequence(Qt::CTRL | Qt::Key_S)),
            &QAction::triggered, this, &FixtureEdit::SaveFixture);
    file->addSeparator()->setObjectName(QStringLiteral("NullS"));
    connect(addMenuAction(this, file, "MnuReturn", QStringLiteral("&Palette Edit"),
                          QKeySequence(Qt::CTRL | Qt::Key_P)),
            &QAction::triggered, this, &FixtureEdit::PaletteEdit);
    file->addSeparator()->setObjectName(QStringLiteral("NullExit"));
    connect(addMenuAction(this, file, "ExitMune", QStringLiteral("&Exit"),
                          QKeySequence(Qt::CTRL | Qt::Key_E)),
            &QAction::triggered, this, &FixtureEdit::exitRequested);

    QMenu* led = bar->addMenu(QStringLiteral("&LED Fixture"));
    led->setObjectName(QStringLiteral("mnuLF"));
    connect(addMenuAction(this, led, "mnuLFE", QStringLiteral("Led Fixture &Edit")),
            &QAction::triggered, this, &FixtureEdit::ledFixtureRequested);

    layout()->setMenuBar(bar);
}

void FixtureEdit::buildForm()
{
    auto* form = new QVBoxLayout(this);

    m_setupFrame = new QGroupBox(QStringLiteral("Fixture Setup"), this);
    m_setupFrame->setObjectName(QStringLiteral("Fixtue_Setup"));
    auto* setup = new QGridLayout(m_setupFrame);
    const QString captions[4] = {
        QStringLiteral("Fixture Name:"), QStringLiteral("Number of Channels:"),
        QStringLiteral("Max Pan Degree:"), QStringLiteral("Max Tilt Degree:")};
    QLabel* labels[4];
    for (int i = 0; i < 4; ++i) {
        labels[i] = new QLabel(captions[i], m_setupFrame);
        labels[i]->setObjectName(QStringLiteral("FSLabe%1").arg(i));
    }

    m_nameBox = new QLineEdit(NewFixtureText, m_setupFrame);
    m_nameBox->setObjectName(QStringLiteral("Text1"));
    m_nameBox->setMaxLength(11);
    m_nameBox->setValidator(new ui::Latin1Validator(m_nameBox));
    m_nameBox->setMinimumWidth(m_nameBox->fontMetrics().horizontalAdvance(QString(12, u'M')));
    connect(m_nameBox, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_record.FixHeader.FixtureName.assign(toLatin1(text)); });

    m_countList = new QComboBox(m_setupFrame);
    m_countList->setObjectName(QStringLiteral("Combo1"));
    for (int n = 1; n <= fx::MaxChannels; ++n)
        m_countList->addItem(QString::number(n));
    {
        const QSignalBlocker block(m_countList);
        m_countList->setCurrentIndex(15); // the design-time count, "16"
    }
    ListOnlyKeys::install(m_countList);
    connect(m_countList, &QComboBox::currentIndexChanged, this, &FixtureEdit::channelCountPicked);

    m_panBox = new DegreeBox(m_record.MaxPanDegree, QStringLiteral("Text4"), m_setupFrame);
    m_tiltBox = new DegreeBox(m_record.MaxTiltDegree, QStringLiteral("Text2"), m_setupFrame);
    for (DegreeBox* box : {m_panBox, m_tiltBox})
        box->setMaximumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);

    setup->addWidget(labels[0], 0, 0);
    setup->addWidget(m_nameBox, 0, 1);
    setup->addWidget(labels[1], 0, 2);
    setup->addWidget(m_countList, 0, 3);
    setup->addWidget(labels[2], 1, 0);
    setup->addWidget(m_panBox, 1, 1, Qt::AlignLeft);
    setup->addWidget(labels[3], 1, 2);
    setup->addWidget(m_tiltBox, 1, 3, Qt::AlignLeft);
    setup->setColumnStretch(4, 1);

    auto* gridCaption = new QLabel(QStringLiteral("Channel Infomation:"), this);
    gridCaption->setObjectName(QStringLiteral("Label2"));
    m_grid = new ChannelGrid(*m_model, m_names, m_services, this);
    int gridWidth = 2 * m_grid->frameWidth() + m_grid->verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < ChannelTableModel::ColumnCount; ++column)
        gridWidth += m_grid->columnWidth(column);
    m_grid->setMinimumWidth(gridWidth);
    m_grid->setMinimumHeight(m_grid->horizontalHeader()->minimumHeight() +
                             12 * m_grid->verticalHeader()->defaultSectionSize());
    connect(m_grid, &ChannelGrid::nameSelected, this, [this](int channel, const QString& text) {
        m_traits->setChannelLabel(channel, text);
        m_traits->selectChannel(channel);
    });
    connect(m_grid, &ChannelGrid::channelNamed, this, [this](int channel) {
        m_traits->setChannelLabel(channel, fromLatin1(m_record.Channels[channel].ChName.str()));
    });

    m_traits = new ChannelTraits(m_record, m_services.dialogs, this);

    auto* gridColumn = new QVBoxLayout;
    gridColumn->addWidget(gridCaption);
    gridColumn->addWidget(m_grid, 1);
    auto* body = new QHBoxLayout;
    body->addLayout(gridColumn, 1);
    body->addWidget(m_traits);

    form->addWidget(m_setupFrame);
    form->addLayout(body, 1);

    m_setupFrame->installEventFilter(this);
    m_traits->installEventFilter(this);
}

void FixtureEdit::load()
{
    m_savedSize = isVisible() ? size() : sizeHint();
    m_grid->layoutColumns();
    m_userEditing = true;
    m_grid->hideEditors();
    m_grid->typedName().typed = false;

    m_names.loadFile(m_services.files, m_services.chNameSetPath);
    FillNameList();

    if (m_record.PalChannels == 0) {
        // A new fixture, shown as the form first shows it.
        m_nameBox->setText(NewFixtureText);
        m_record.FixHeader.FixtureName.assign(toLatin1(NewFixtureText));
        m_panBox->showDesignText();
        m_record.MaxPanDegree = 0;
        ResetFixture(8);
    } else {
        // The record kept from before the visit to the palette editor: every list is built
        // again for its channel count, then filled from the record.
        const int n = m_record.FixHeader.NumChannels;
        m_resetting = true;
        m_countList->setCurrentIndex(n - 1);
        m_traits->resetChannels(n);
        m_resetting = false;
        m_userEditing = false;
        FillHeaderFields();
        FillChannelGrid();
        m_traits->selectChannel(0);
        m_userEditing = true;
    }
    m_grid->setAdvanceOnFocus(false);
}

void FixtureEdit::ResetFixture(int n)
{
    n = std::clamp(n, 1, fx::MaxChannels);
    m_resetting = true;
    m_grid->hideEditors();
    m_countList->setCurrentIndex(n - 1);
    m_record.FixHeader.NumChannels = static_cast<std::uint8_t>(n);
    m_tiltBox->showDegree(0);
    m_traits->resetChannels(n);
    fx::ResetFixtureRecord(m_record, n);
    m_traits->refreshUsage();
    m_model->setRowCount(0);
    m_model->setRowCount(n);
    m_prevChannelCount = n;
    m_resetting = false;
}

void FixtureEdit::FillHeaderFields()
{
    m_nameBox->setText(fromLatin1(m_record.FixHeader.FixtureName.str()));
    m_prevChannelCount = m_countList->currentText().toInt();
    m_countList->setCurrentIndex(m_record.FixHeader.NumChannels - 1);
    m_panBox->showDegree(m_record.MaxPanDegree);
    m_tiltBox->showDegree(m_record.MaxTiltDegree);
}

void FixtureEdit::FillNameList()
{
    m_names.fill();
}

void FixtureEdit::FillChannelGrid()
{
    m_model->fillFromRecord();
    for (int row = 0; row < m_model->rowCount(); ++row)
        m_traits->setChannelLabel(row, fromLatin1(m_record.Channels[row].ChName.str()));
}

void FixtureEdit::channelCountPicked(int index)
{
    if (m_resetting || index < 0)
        return;
    int newCount = m_record.FixHeader.NumChannels;
    if (m_userEditing) {
        m_prevChannelCount = m_record.FixHeader.NumChannels;
        newCount = index + 1;
        m_record.FixHeader.NumChannels = static_cast<std::uint8_t>(newCount);
    }
    const int oldCount = m_prevChannelCount;
    if (newCount == oldCount)
        return;

    m_grid->commitOpenEdit();
    m_model->setRowCount(m_record.FixHeader.NumChannels);
    // Channels the user adds or removes start blank; while a fixture just read is being shown,
    // every channel keeps what the file holds, also those beyond its count.
    if (newCount > oldCount) {
        if (m_userEditing) {
            for (int row = oldCount; row < newCount; ++row)
                m_model->clearChannel(row);
        }
        m_traits->addChannels(oldCount, newCount, m_userEditing);
    } else {
        m_traits->removeChannels(oldCount, newCount);
        if (m_userEditing) {
            for (int row = oldCount - 1; row >= newCount; --row)
                m_model->clearChannel(row);
        }
    }
}

void FixtureEdit::NewFixture()
{
    if (m_services.dialogs.ask(this, QStringLiteral("Quill82 Fixture"),
                               QStringLiteral("Any current settings will be lost,continue"),
                               ui::Dialogs::Buttons::OkCancel) != ui::Dialogs::Answer::Ok)
        return;
    m_countList->setCurrentIndex(7);
    ResetFixture(8);
}

void FixtureEdit::SaveFixture()
{
    // An edit still open in either grid is stored first.
    m_grid->commitOpenEdit();
    m_traits->commitOpenEdit();
    m_nameBox->setFocus();

    m_record.FixHeader.FixtureName.assign(toLatin1(m_nameBox->text()));
    m_record.FixHeader.NumChannels = static_cast<std::uint8_t>(m_countList->currentIndex() + 1);
    fx::ApplyFixedFunctionCodes(m_record);
    fx::BuildFuncMap(m_record);

    if (FixtureFileCommands(m_services, this).save(m_record)) {
        fx::NormaliseChannelTypes(m_record);
        m_model->refresh();
    }
    m_nameBox->setFocus();
}

void FixtureEdit::OpenFixture()
{
    m_grid->hideEditors();
    m_traits->hideEditor();

    if (FixtureFileCommands(m_services, this).open(m_record)) {
        m_grid->typedName() = TypedName();
        m_userEditing = false;
        FillHeaderFields();
        FillChannelGrid();
        m_traits->selectChannel(0);
        m_traits->refreshUsage();
    }
    m_userEditing = true;
    m_nameBox->setFocus();
}

void FixtureEdit::PaletteEdit()
{
    // The main window gives the palette editor the fixture's channel count and shows it.
    emit paletteEditRequested();
}

void FixtureEdit::mousePressEvent(QMouseEvent* event)
{
    // A click on the form's background puts the window back to the size it loaded with.
    if (auto* window = qobject_cast<QMdiSubWindow*>(parentWidget()))
        window->resize(window->size() - size() + m_savedSize);
    else
        resize(m_savedSize);
    QWidget::mousePressEvent(event);
}

bool FixtureEdit::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress &&
        (watched == m_setupFrame || watched == m_traits)) {
        m_nameBox->setFocus(Qt::MouseFocusReason);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
