#include "app/MainForm.h"

#include "app/AboutBox.h"
#include "app/EditorWindow.h"
#include "core/FixtureRecord.h"
#include "fixtureedit/FixtureEdit.h"
#include "fixtureedit/LiveBar.h"
#include "paletteedit/PaletteEdit.h"
#include "ui/Document.h"
#include "ui/Editor.h"
#include "ui/LiveSession.h"
#include "ui/Services.h"

#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>

MainForm::MainForm(ui::Services& services, QWidget* parent)
    : QMainWindow(parent), m_document(std::make_unique<ui::Document>()), m_services(services)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("ORVA Rev1.06"));
    m_area = new QMdiArea(this);
    m_area->setObjectName(QStringLiteral("MdiArea"));
    setCentralWidget(m_area);
    buildMenu();
    auto* path = new QLabel(this);
    path->setObjectName(QStringLiteral("FilePath"));
    statusBar()->addWidget(path, 1);
    connect(m_document.get(), &ui::Document::filePathChanged, this, &MainForm::showFilePath);
    showFilePath(QString());

    // Start-up: no palette visit yet, so the fixture editor starts a new fixture.
    m_document->setPalChannels(0);
    showEditor(Editor::Fixture, false);
    // Large enough for the whole fixture editor (its steps grid shows 15 rows), within the
    // screen's free area; on a smaller screen the fixture editor's window shrinks to the area, but
    // not below the least size its controls need.
    EditorWindow* fixture = m_slots[int(Editor::Fixture)].window;
    const int frame = 2 * m_area->frameWidth();
    const QSize chrome(frame,
                       frame + menuBar()->sizeHint().height() + statusBar()->sizeHint().height());
    const QSize room = screen()->availableGeometry().size();
    resize((fixture->sizeHint() + chrome).boundedTo(room));
    fixture->resize(
        fixture->size().boundedTo(size() - chrome).expandedTo(fixture->minimumSizeHint()));
}

MainForm::~MainForm()
{
    // The editors go while the record they work on is still there: an edit still open in a grid
    // is stored when its window loses the focus on the way out.
    delete takeCentralWidget();
}

const fx::FixtureRecord& MainForm::record() const
{
    return m_document->record();
}

void MainForm::showFilePath(const QString& path)
{
    if (auto* label = findChild<QLabel*>(QStringLiteral("FilePath")))
        label->setText(path.isEmpty() ? QStringLiteral("New fixture, not saved yet")
                                      : QDir::toNativeSeparators(path));
}

bool MainForm::confirmExit()
{
    // Every editor made so far is asked in turn; the first Cancel keeps the program running.
    for (const Slot& slot : m_slots) {
        if (slot.editor.editor && !slot.editor.editor->maybeDiscard())
            return false;
    }
    return true;
}

void MainForm::requestExit()
{
    if (!confirmExit())
        return;
    if (m_keepsSettings)
        QSettings().setValue(QStringLiteral("mainWindow/geometry"), saveGeometry());
    emit exitRequested();
}

void MainForm::closeEvent(QCloseEvent* event)
{
    if (!confirmExit()) {
        event->ignore();
        return;
    }
    if (m_keepsSettings)
        QSettings().setValue(QStringLiteral("mainWindow/geometry"), saveGeometry());
    event->accept();
}

void MainForm::openAtStart(const QString& path)
{
    if (!m_fixtureEdit)
        return;
    if (path.endsWith(QLatin1String(".qxf"), Qt::CaseInsensitive))
        m_fixtureEdit->importFile(path);
    else
        m_fixtureEdit->openFile(path);
}

void MainForm::restoreWindowSettings()
{
    m_keepsSettings = true;
    const QByteArray geometry =
        QSettings().value(QStringLiteral("mainWindow/geometry")).toByteArray();
    if (!geometry.isEmpty())
        restoreGeometry(geometry);
}

void MainForm::buildMenu()
{
    QMenu* forms = menuBar()->addMenu(QStringLiteral("&Show Forms"));
    forms->setObjectName(QStringLiteral("ShowForms"));
    const auto item = [this, forms](const char* name, const QString& text, auto&& slot) {
        QAction* action = forms->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, slot);
    };
    item("numMF", QStringLiteral("&FixtureEdit"), [this] { showEditor(Editor::Fixture); });
    item("numLFE", QStringLiteral("&LedFixtureEdit"), [this] { showEditor(Editor::LedFixture); });
    item("numChname", QStringLiteral("&EditChName"), [this] { showEditor(Editor::ChannelNames); });
    forms->addSeparator()->setObjectName(QStringLiteral("numNull"));
    item("numExit", QStringLiteral("&Exit"), [this] { requestExit(); });
    about::addHelpMenu(menuBar(), this, m_services.chNameSetPath);
}

QWidget* MainForm::editor(Editor which) const
{
    return m_slots[int(which)].editor.widget;
}

EditorWindow* MainForm::editorWindow(Editor which) const
{
    return m_slots[int(which)].window;
}

editors::Routes MainForm::routesFor(Editor which)
{
    editors::Routes routes;
    routes.close = [this, which] { closeEditor(which); };
    routes.showFixture = [this] { showEditor(Editor::Fixture); };
    routes.showPalette = [this] { showPaletteEditor(); };
    routes.exit = [this] { requestExit(); };
    return routes;
}

void MainForm::make(Editor which)
{
    Slot& slot = m_slots[int(which)];
    // The editor is made inside its window, which is already in the MDI area: moving a form of
    // a hundred widgets into another window afterwards costs as much as making it.
    slot.window = new EditorWindow;
    m_area->addSubWindow(slot.window);
    switch (which) {
    case Editor::Fixture: {
        m_fixtureEdit = new FixtureEdit(*m_document, m_services, slot.window);
        connect(m_fixtureEdit, &FixtureEdit::paletteEditRequested, this, [this] {
            closeEditor(Editor::Fixture);
            showPaletteEditor();
        });
        connect(m_fixtureEdit, &FixtureEdit::ledFixtureRequested, this,
                [this] { showEditor(Editor::LedFixture); });
        connect(m_fixtureEdit, &FixtureEdit::exitRequested, this, &MainForm::requestExit);
        connect(m_fixtureEdit, &FixtureEdit::statusMessage, this,
                [this](const QString& text) { statusBar()->showMessage(text, 10000); });
        slot.editor = {m_fixtureEdit, m_fixtureEdit, {}};
        break;
    }
    case Editor::Palette:
        slot.editor =
            editors::makePaletteEditor(*m_document, m_services, routesFor(which), slot.window);
        break;
    case Editor::LedFixture:
        slot.editor = editors::makeLedFixtureEditor(m_services, routesFor(which), slot.window);
        break;
    case Editor::ChannelNames:
        slot.editor = editors::makeChannelNameEditor(m_services, routesFor(which), slot.window);
        break;
    }
    // The palette editor's entries are tried on the lamp through the fixture editor's Live bar.
    auto* palette = qobject_cast<PaletteEdit*>(m_slots[int(Editor::Palette)].editor.widget);
    if (m_fixtureEdit && palette && (which == Editor::Fixture || which == Editor::Palette)) {
        ui::LiveSession* live = &m_fixtureEdit->liveBar()->session();
        connect(palette, &PaletteEdit::entryTried, live, &ui::LiveSession::showPaletteEntry);
        connect(palette, &PaletteEdit::entryLeft, live, &ui::LiveSession::leavePaletteEntry);
    }
    slot.window->hold(slot.editor.widget);
    slot.editor.widget->show();
    slot.window->adjustSize();
    slot.window->hide();
    connect(slot.window, &EditorWindow::closed, this, [this, which] { editorClosed(which); });
}

void MainForm::showEditor(Editor which, bool moveToCorner)
{
    Slot& slot = m_slots[int(which)];
    if (!slot.window)
        make(which);
    if (slot.window->isHidden()) {
        slot.editor.editor->load();
        slot.editor.widget->show();
        slot.window->show();
    }
    m_area->setActiveSubWindow(slot.window);
    slot.window->raise();
    if (moveToCorner)
        slot.window->move(0, 0);
}

void MainForm::showPaletteEditor()
{
    // The palette editor always works on the channels of the fixture being edited. (With a
    // count of 0, storing any palette setting would empty every entry's size, and the next save
    // would drop the palettes' values.) An editor already open is loaded again so that it shows
    // the current channels, unless an entry or setting is being edited in it: that edit is kept.
    m_document->setPalChannels(m_document->record().FixHeader.NumChannels);
    Slot& slot = m_slots[int(Editor::Palette)];
    if (slot.window && !slot.window->isHidden() &&
        !(slot.editor.isEditing && slot.editor.isEditing()))
        slot.editor.editor->load();
    showEditor(Editor::Palette);
}

void MainForm::closeEditor(Editor which)
{
    if (EditorWindow* window = m_slots[int(which)].window)
        window->close();
}

void MainForm::editorClosed(Editor which)
{
    // Leaving the palette editor or the channel name editor brings the fixture editor back.
    if (which == Editor::Palette || which == Editor::ChannelNames)
        showEditor(Editor::Fixture);
}
