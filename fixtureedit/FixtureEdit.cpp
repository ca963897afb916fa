#include "fixtureedit/FixtureEdit.h"

#include "core/ChNameSet.h"
#include "core/FixtureCheck.h"
#include "core/FixtureFile.h"
#include "core/FixtureRecord.h"
#include "fixtureedit/ChannelGrid.h"
#include "fixtureedit/ChannelTableModel.h"
#include "fixtureedit/ChannelTraits.h"
#include "fixtureedit/DegreeBox.h"
#include "fixtureedit/ExportCommands.h"
#include "fixtureedit/FixtureFiles.h"
#include "fixtureedit/LibraryBrowser.h"
#include "fixtureedit/LiveBar.h"
#include "fixtureedit/ProblemPanel.h"
#include "fixtureedit/StepGrid.h"
#include "ui/Dialogs.h"
#include "ui/Document.h"
#include "ui/EditGrid.h"
#include "ui/FieldKeys.h"
#include "ui/FileAccess.h"
#include "ui/Latin1Validator.h"
#include "ui/ListOnlyKeys.h"
#include "ui/ModifiedMark.h"
#include "ui/PaneKeys.h"
#include "ui/Services.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QUndoStack>
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

FixtureEdit::FixtureEdit(ui::Document& document, ui::Services& services, QWidget* parent)
    : QWidget(parent), m_document(document), m_services(services)
{
    setObjectName(QStringLiteral("FixtureEdit"));
    // The title marks unsaved changes the usual way ("[*]" shows as "*" while modified).
    setWindowTitle(QStringLiteral("ORVA library Edit Rev1.06[*]"));
    m_model = new ChannelTableModel(document, m_names, this);
    m_files = new FixtureFiles(*this, document, services);
    connect(m_files, &FixtureFiles::fileUsed, this, &FixtureEdit::fixtureFileUsed);
    buildForm();
    buildMenus();
    connect(&document, &ui::Document::changed, this, &FixtureEdit::documentChanged);
    connect(&document, &ui::Document::modifiedChanged, this, &QWidget::setWindowModified);
    ui::announceModified(this);
    // A saved fixture's blank names are problems too (see updateProblems).
    connect(&document, &ui::Document::filePathChanged, this, &FixtureEdit::updateProblems);
    connect(m_traits->stepGrid(), &StepGrid::statusMessage, this, &FixtureEdit::statusMessage);
}

FixtureEdit::~FixtureEdit()
{
    // The name list goes before the child widgets: no cell edit may be stored on the way out.
    // A step the grid added and nobody typed into is taken back now, while the whole form still
    // hears the document; after that the form hears nothing more of it.
    discardOpenEdits();
    disconnect(&m_document, nullptr, this, nullptr);
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
    connect(addMenuAction(this, file, "ImportFixture", QStringLiteral("&Import Fixture..."),
                          QKeySequence(Qt::CTRL | Qt::Key_I)),
            &QAction::triggered, this, &FixtureEdit::ImportFixture);
    (new ExportCommands(
         m_services, this,
         [this]() -> const fx::FixtureRecord& {
             m_grid->commitOpenEdit();
             m_traits->commitOpenEdit();
             return m_document.record();
         },
         [this] { return m_document.filePath(); }))
        ->addActions(file);
    connect(addMenuAction(this, file, "FixtureLibrary", QStringLiteral("Fixture &Library..."),
                          QKeySequence(Qt::CTRL | Qt::Key_L)),
            &QAction::triggered, this,
            [this] { fixtureedit::LibraryBrowser::showFor(*this, m_services.dialogs); });
    m_recent = file->addMenu(QStringLiteral("Open &Recent"));
    m_recent->setObjectName(QStringLiteral("OpenRecent"));
    connect(m_recent, &QMenu::aboutToShow, this, [this] { m_files->fillRecentMenu(m_recent); });
    file->addSeparator()->setObjectName(QStringLiteral("NullS"));
    connect(addMenuAction(this, file, "MnuReturn", QStringLiteral("&Palette Edit"),
                          QKeySequence(Qt::CTRL | Qt::Key_P)),
            &QAction::triggered, this, &FixtureEdit::PaletteEdit);
    file->addSeparator()->setObjectName(QStringLiteral("NullExit"));
    // Exit asks about unsaved work through the main window.
    connect(addMenuAction(this, file, "ExitMune", QStringLiteral("&Exit"),
                          QKeySequence(Qt::CTRL | Qt::Key_E)),
            &QAction::triggered, this, &FixtureEdit::exitRequested);

    QMenu* edit = ui::addEditMenu(bar, this, m_document.undoStack());
    // An edit still open in a cell is stored first, so that it is the one undone.
    connect(edit, &QMenu::aboutToShow, this, [this] {
        m_grid->commitOpenEdit();
        m_traits->commitOpenEdit();
    });
    ui::addClipboardActions(edit, this);

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
    // The underlined letters (Alt+N, U, P, T) move the focus to the box; none is a menu's.
    const QString captions[4] = {
        QStringLiteral("Fixture &Name:"), QStringLiteral("N&umber of Channels:"),
        QStringLiteral("Max &Pan Degree:"), QStringLiteral("Max &Tilt Degree:")};
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
    connect(m_nameBox, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!m_filling)
            m_document.push(m_document.core().setFixtureName(toLatin1(text)));
    });

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

    m_panBox = new DegreeBox(QStringLiteral("Text4"), m_setupFrame);
    m_tiltBox = new DegreeBox(QStringLiteral("Text2"), m_setupFrame);
    connect(m_panBox, &DegreeBox::degreeEdited, this, [this](int degree) {
        if (!m_filling)
            m_document.push(m_document.core().setMaxPanDegree(degree));
    });
    connect(m_tiltBox, &DegreeBox::degreeEdited, this, [this](int degree) {
        if (!m_filling)
            m_document.push(m_document.core().setMaxTiltDegree(degree));
    });
    for (DegreeBox* box : {m_panBox, m_tiltBox})
        box->setMaximumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);

    ui::labelControl(labels[0], m_nameBox);
    ui::labelControl(labels[1], m_countList);
    ui::labelControl(labels[2], m_panBox);
    ui::labelControl(labels[3], m_tiltBox);
    ui::selectAllOnKeyboardFocus(m_nameBox);
    // Menu keys (Ctrl+E, Ctrl+S...) work from the text boxes too, not only from the lists.
    for (QWidget* box : {static_cast<QWidget*>(m_nameBox), static_cast<QWidget*>(m_panBox),
                         static_cast<QWidget*>(m_tiltBox)})
        box->installEventFilter(this);
    setup->addWidget(labels[0], 0, 0);
    setup->addWidget(m_nameBox, 0, 1);
    setup->addWidget(labels[1], 0, 2);
    setup->addWidget(m_countList, 0, 3);
    setup->addWidget(labels[2], 1, 0);
    setup->addWidget(m_panBox, 1, 1, Qt::AlignLeft);
    setup->addWidget(labels[3], 1, 2);
    setup->addWidget(m_tiltBox, 1, 3, Qt::AlignLeft);
    setup->setColumnStretch(4, 1);

    auto* gridCaption = new QLabel(QStringLiteral("Channel Info&mation:"), this);
    gridCaption->setObjectName(QStringLiteral("Label2"));
    m_grid = new ChannelGrid(*m_model, m_names, m_services, this);
    ui::labelControl(gridCaption, m_grid);
    int gridWidth = 2 * m_grid->frameWidth() + m_grid->verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < ChannelTableModel::ColumnCount; ++column)
        gridWidth += m_grid->columnWidth(column);
    m_grid->setMinimumWidth(gridWidth);
    m_grid->setMinimumHeight(m_grid->horizontalHeader()->minimumHeight() +
                             12 * m_grid->verticalHeader()->defaultSectionSize());
    connect(m_grid, &ChannelGrid::nameSelected, this,
            [this](int channel, const QString&) { m_traits->selectChannel(channel); });

    m_traits = new ChannelTraits(m_document, m_services.dialogs, this);

    // The Live bar sits under the header, over the channel grid: the traits frame beside it is
    // taller, so the window keeps its height.
    m_live = new LiveBar(m_document, *m_traits, this);
    auto* gridColumn = new QVBoxLayout;
    gridColumn->addWidget(m_live);
    gridColumn->addWidget(gridCaption);
    gridColumn->addWidget(m_grid, 1);
    auto* body = new QHBoxLayout;
    body->addLayout(gridColumn, 1);
    body->addWidget(m_traits);

    m_problems = new ProblemPanel(this);
    connect(m_problems, &ProblemPanel::problemActivated, this,
            [this](const fx::Problem& problem) { goToProblem(problem.channel, problem.step); });

    form->addWidget(m_setupFrame);
    form->addLayout(body, 1);
    form->addWidget(m_problems);

    // F6 and Shift+F6 leave a grid for the next pane: the header, the channel grid, the traits
    // frame (its chooser), the steps grid, the problem list.
    ui::installPaneKeys(
        this, {m_setupFrame, m_grid, m_traits->channelChooser(), m_traits->stepGrid(), m_problems});

    m_setupFrame->installEventFilter(this);
    m_traits->installEventFilter(this);
}

void FixtureEdit::load()
{
    m_savedSize = isVisible() ? size() : sizeHint();
    m_grid->layoutColumns();
    m_grid->discardOpenEdit();

    m_names.loadFile(m_services.files, m_services.chNameSetPath);
    FillNameList();

    if (!m_loaded) {
        // The first showing starts a new fixture; a later one (after the window was closed or
        // the palette editor visited) shows the fixture as it was.
        m_loaded = true;
        ResetFixture(8, true);
    } else {
        FillHeaderFields(true);
        showWholeRecord();
    }
}

void FixtureEdit::ResetFixture(int n, bool firstShowing)
{
    n = std::clamp(n, 1, fx::MaxChannels);
    m_grid->discardOpenEdit();
    // The form's first look also has its design-time name and an empty pan box.
    m_document.replace(*m_document.core().newFixture(n, firstShowing, toLatin1(NewFixtureText)));
    if (firstShowing)
        m_panBox->showDesignText();
}

void FixtureEdit::FillHeaderFields(bool whole)
{
    const fx::FixtureRecord& record = m_document.record();
    const bool wasFilling = std::exchange(m_filling, true);
    // After an edit a box that already shows what the record holds is left alone, so typing
    // keeps its caret; a whole refill shows the stored name with its blanks.
    const QString name = fromLatin1(record.FixHeader.FixtureName.str());
    if (whole ||
        fx::FixedText<11>::fromText(toLatin1(m_nameBox->text())) != record.FixHeader.FixtureName)
        m_nameBox->setText(name);
    {
        const QSignalBlocker block(m_countList);
        m_countList->setCurrentIndex(record.FixHeader.NumChannels - 1);
    }
    if (whole || m_panBox->degree() != record.MaxPanDegree)
        m_panBox->showDegree(record.MaxPanDegree);
    if (whole || m_tiltBox->degree() != record.MaxTiltDegree)
        m_tiltBox->showDegree(record.MaxTiltDegree);
    m_filling = wasFilling;
}

void FixtureEdit::FillNameList()
{
    m_names.fill();
}

void FixtureEdit::FillChannelGrid()
{
    m_model->fillFromRecord();
}

void FixtureEdit::channelCountPicked(int index)
{
    if (m_filling || index < 0)
        return;
    m_grid->commitOpenEdit();
    m_document.push(m_document.core().setChannelCount(index + 1));
}

void FixtureEdit::documentChanged(const fx::RecordChange& change)
{
    updateProblems();
    if (change.reset || change.header)
        FillHeaderFields(change.reset);
    if (change.reset)
        showWholeRecord();
}

void FixtureEdit::showWholeRecord()
{
    m_traits->resetChannels();
    FillChannelGrid();
    m_traits->selectChannel(0);
    m_traits->refreshUsage();
}

bool FixtureEdit::maybeSave()
{
    return m_files->maybeSave();
}

bool FixtureEdit::isModified() const
{
    return m_document.isModified();
}

void FixtureEdit::commitOpenEdits()
{
    m_grid->commitOpenEdit();
    m_traits->commitOpenEdit();
}

void FixtureEdit::discardOpenEdits()
{
    m_grid->discardOpenEdit();
    m_traits->hideEditor();
}

void FixtureEdit::focusName()
{
    m_nameBox->setFocus();
}

void FixtureEdit::NewFixture()
{
    if (m_document.isModified()) {
        if (!maybeSave())
            return;
    } else if (m_services.dialogs.ask(this, QStringLiteral("Quill82 Fixture"),
                                      QStringLiteral("Any current settings will be lost,continue"),
                                      ui::Dialogs::Buttons::OkCancel) != ui::Dialogs::Answer::Ok) {
        return;
    }
    ResetFixture(8);
}

bool FixtureEdit::SaveFixture()
{
    return m_files->save();
}

void FixtureEdit::OpenFixture()
{
    m_files->open();
}

bool FixtureEdit::openFile(const QString& path)
{
    return m_files->openFile(path);
}

void FixtureEdit::ImportFixture()
{
    m_files->importChosen();
}

bool FixtureEdit::importFile(const QString& path, bool askFirst, int mode)
{
    return m_files->importFile(path, askFirst, mode);
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
    if (event->type() == QEvent::ShortcutOverride) {
        // A text box would take Ctrl+E and the like for itself; the form's menu keys win.
        const auto* key = static_cast<QKeyEvent*>(event);
        const QKeySequence pressed(key->keyCombination());
        for (const QAction* action : actions()) {
            if (action->shortcuts().contains(pressed) && action->isEnabled()) {
                event->ignore();
                return true;
            }
        }
    }
    if (event->type() == QEvent::MouseButtonPress &&
        (watched == m_setupFrame || watched == m_traits)) {
        m_nameBox->setFocus(Qt::MouseFocusReason);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void FixtureEdit::updateProblems()
{
    // Until the fixture has a file, the blank names of channels nobody touched are no problem.
    m_problems->setProblems(fx::CheckFixture(m_document.record(), m_document.filePath().isEmpty()
                                                                      ? fx::BlankNames::WithContent
                                                                      : fx::BlankNames::All));
}

void FixtureEdit::goToProblem(int channel, int step)
{
    if (channel < 0 || channel >= m_model->rowCount())
        return;
    if (step >= 0) {
        m_traits->selectStep(channel, step);
        return;
    }
    m_traits->selectChannel(channel);
    const QModelIndex cell = m_model->index(channel, ChannelTableModel::NameColumn);
    m_grid->setCurrentIndex(cell);
    m_grid->scrollTo(cell);
    m_grid->setFocus(Qt::OtherFocusReason);
}
