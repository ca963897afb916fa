#include "fixtureedit/LibraryBrowser.h"

#include "fixtureedit/FixtureEdit.h"
#include "fixtureedit/LibraryModel.h"
#include "fixtureedit/LibraryPreview.h"
#include "ui/Dialogs.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHideEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QShowEvent>
#include <QSplitter>
#include <QStandardPaths>
#include <QTableView>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>

namespace fixtureedit {

namespace {

const QString FoldersKey = QStringLiteral("%1/%2").arg(
    QString::fromUtf8(fx::LibrarySettingsSection.data(),
                      qsizetype(fx::LibrarySettingsSection.size())),
    QString::fromUtf8(fx::LibrarySettingsKey.data(), qsizetype(fx::LibrarySettingsKey.size())));

std::string native(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

QPushButton* button(const QString& text, const char* objectName, QWidget* parent)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(objectName));
    b->setAutoDefault(false); // Enter belongs to the search box
    return b;
}

} // namespace

LibraryBrowser::Places LibraryBrowser::Places::standard()
{
    return {fx::standardLibrarySources(),
            QSettings(QSettings::IniFormat, QSettings::UserScope,
                      QString::fromUtf8(fx::ApplicationName.data(),
                                        qsizetype(fx::ApplicationName.size())),
                      QStringLiteral("Editor"))
                .fileName(),
            QStandardPaths::writableLocation(QStandardPaths::CacheLocation)};
}

LibraryBrowser::LibraryBrowser(FixtureEdit& editor, ui::Dialogs& dialogs, Places places)
    : QDialog(&editor), m_editor(editor), m_dialogs(dialogs), m_places(std::move(places))
{
    setObjectName("LibraryBrowser");
    setWindowTitle(tr("Fixture Library"));
    setAttribute(Qt::WA_DeleteOnClose, false);

    auto* searchLabel = new QLabel(tr("&Search:"), this);
    m_search = new QLineEdit(this);
    m_search->setObjectName("librarySearch");
    m_search->setAccessibleName(tr("Search"));
    m_search->setPlaceholderText(
        tr("Words of the manufacturer, model or type, e.g. \"robe spot\""));
    m_search->setClearButtonEnabled(true);
    searchLabel->setBuddy(m_search);
    m_search->installEventFilter(this);

    m_model = new LibraryModel(this);
    m_view = new QTableView(this);
    m_view->setObjectName("libraryResults");
    m_view->setAccessibleName(tr("Fixtures"));
    m_view->setModel(m_model);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setTabKeyNavigation(false);
    m_view->setWordWrap(false);
    m_view->verticalHeader()->hide();
    m_view->verticalHeader()->setDefaultSectionSize(m_view->fontMetrics().height() + 6);
    m_view->horizontalHeader()->setStretchLastSection(true);
    const int widths[LibraryModel::ColumnCount] = {130, 190, 105, 125, 70};
    for (int c = 0; c < LibraryModel::ColumnCount; ++c)
        m_view->setColumnWidth(c, widths[c]);

    m_preview = new LibraryPreview(editor.nameList().set(), this);
    auto* split = new QSplitter(this);
    split->addWidget(m_view);
    split->addWidget(m_preview);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);

    m_progress = new QProgressBar(this);
    m_progress->setObjectName("libraryProgress");
    m_progress->setAccessibleName(tr("Indexing"));
    m_progress->setMaximumHeight(m_progress->fontMetrics().height() + 4);
    m_status = new QLabel(this);
    m_status->setObjectName("libraryStatus");

    auto* foldersLabel = new QLabel(tr("Your &folders:"), this);
    m_folders = new QComboBox(this);
    m_folders->setObjectName("libraryFolders");
    m_folders->setAccessibleName(tr("Your folders"));
    m_folders->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_folders->setMinimumContentsLength(24);
    foldersLabel->setBuddy(m_folders);
    auto* add = button(tr("&Add Folder..."), "libraryAddFolder", this);
    m_remove = button(tr("&Remove Folder"), "libraryRemoveFolder", this);
    m_use = button(tr("&Import"), "libraryUse", this);
    auto* close = button(tr("Close"), "libraryClose", this);
    connect(add, &QPushButton::clicked, this, &LibraryBrowser::addFolder);
    connect(m_remove, &QPushButton::clicked, this, &LibraryBrowser::removeFolder);
    connect(m_use, &QPushButton::clicked, this, &LibraryBrowser::activateCurrent);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto* top = new QHBoxLayout;
    top->addWidget(searchLabel);
    top->addWidget(m_search, 1);
    auto* state = new QHBoxLayout;
    state->addWidget(m_status, 1);
    state->addWidget(m_progress);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(foldersLabel);
    bottom->addWidget(m_folders);
    bottom->addWidget(add);
    bottom->addWidget(m_remove);
    bottom->addStretch(1);
    bottom->addWidget(m_use);
    bottom->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(split, 1);
    layout->addLayout(state);
    layout->addLayout(bottom);
    resize(1100, 640);

    connect(m_search, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_model->setQuery(text);
        m_view->setCurrentIndex(m_model->index(0, 0));
        currentChanged();
    });
    connect(m_view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &LibraryBrowser::currentChanged);
    connect(m_view, &QTableView::activated, this, &LibraryBrowser::activateCurrent);
    fillFolders();
    currentChanged();
}

LibraryBrowser::~LibraryBrowser()
{
    if (m_thread) {
        m_job->stop = true;
        m_thread->disconnect(this);
        m_thread->wait();
        delete m_thread;
    }
}

LibraryBrowser* LibraryBrowser::showFor(FixtureEdit& editor, ui::Dialogs& dialogs)
{
    auto* browser = editor.findChild<LibraryBrowser*>(QString(), Qt::FindDirectChildrenOnly);
    if (!browser)
        browser = new LibraryBrowser(editor, dialogs, Places::standard());
    browser->show();
    browser->raise();
    browser->activateWindow();
    return browser;
}

QStringList LibraryBrowser::ownFolders() const
{
    return QSettings(m_places.settingsFile, QSettings::IniFormat).value(FoldersKey).toStringList();
}

void LibraryBrowser::setOwnFolders(const QStringList& folders)
{
    QSettings settings(m_places.settingsFile, QSettings::IniFormat);
    settings.setValue(FoldersKey, folders);
    settings.sync();
    fillFolders();
    refresh();
}

void LibraryBrowser::fillFolders()
{
    m_folders->clear();
    for (const QString& folder : ownFolders())
        m_folders->addItem(QDir::toNativeSeparators(folder), folder);
    m_remove->setEnabled(m_folders->count() > 0);
    m_folders->setEnabled(m_folders->count() > 0);
    if (m_folders->count() == 0)
        m_folders->addItem(tr("(none added)"));
}

void LibraryBrowser::addFolder()
{
    const QString chosen =
        m_dialogs.openFolderName(this, tr("Add a Folder to the Fixture Library"));
    if (chosen.isEmpty())
        return;
    QStringList folders = ownFolders();
    const QString folder = QDir::cleanPath(QFileInfo(chosen).absoluteFilePath());
    if (!folders.contains(folder))
        folders << folder;
    setOwnFolders(folders);
    m_folders->setCurrentIndex(m_folders->findData(folder));
}

void LibraryBrowser::removeFolder()
{
    QStringList folders = ownFolders();
    folders.removeAll(m_folders->currentData().toString());
    setOwnFolders(folders);
}

void LibraryBrowser::refresh()
{
    if (m_thread) {
        m_again = true;
        return;
    }
    std::vector<fx::LibrarySource> sources = m_places.fixed;
    for (const QString& folder : ownFolders()) {
        const QString name = QFileInfo(folder).fileName();
        sources.push_back({native(folder), (name.isEmpty() ? folder : name).toStdString(), false});
    }
    auto job = std::make_shared<Job>();
    m_job = job;
    const std::string cache = native(m_places.cacheFolder);
    m_thread = QThread::create([job, sources, cache] {
        job->result = std::make_shared<fx::LibraryIndex>(fx::buildLibraryIndex(
            sources, cache, [&job = *job](std::size_t done, std::size_t total) {
                job.done = done;
                job.total = total;
                return !job.stop;
            }));
    });
    connect(m_thread, &QThread::finished, this, &LibraryBrowser::indexDone);
    m_progress->setRange(0, 0);
    m_progress->show();
    m_status->setText(tr("Looking for fixtures..."));
    auto* timer = new QTimer(m_thread);
    connect(timer, &QTimer::timeout, this, [this, job] {
        if (job->total > 0)
            m_progress->setRange(0, int(std::min<std::size_t>(job->total, INT_MAX)));
        m_progress->setValue(int(std::min<std::size_t>(job->done, INT_MAX)));
    });
    timer->start(50);
    m_thread->start(QThread::LowPriority);
}

void LibraryBrowser::stopIndexing()
{
    if (m_job)
        m_job->stop = true;
    m_again = false;
}

void LibraryBrowser::indexDone()
{
    m_thread->wait();
    delete m_thread; // with its progress timer
    m_thread = nullptr;
    m_progress->hide();
    const std::shared_ptr<Job> job = std::move(m_job);
    if (m_again) {
        m_again = false;
        refresh();
        return;
    }
    if (!job->result || job->result->cancelled) {
        m_status->clear();
        return;
    }
    const fx::LibraryEntry* was = m_model->entry(m_view->currentIndex().row());
    const std::string chosenPath = was ? was->path : std::string();
    m_model->setIndex(job->result);
    int row = 0;
    for (int r = 0; r < m_model->rowCount() && !chosenPath.empty(); ++r) {
        if (m_model->entry(r)->path == chosenPath) {
            row = r;
            break;
        }
    }
    m_view->setCurrentIndex(m_model->index(row, 0));
    m_view->scrollTo(m_view->currentIndex());
    currentChanged();

    const fx::LibraryIndex& index = *job->result;
    const auto broken =
        std::count_if(index.entries.begin(), index.entries.end(),
                      [](const auto& e) { return e.kind == fx::LibraryEntry::Kind::Broken; });
    QString status =
        index.entries.empty() ? tr("No fixtures found. Install QLC+'s fixture definitions (package "
                                   "qlcplus-data) or add a folder of your own.")
        : index.entries.size() == 1 ? tr("1 file in the library")
                                    : tr("%1 files in the library").arg(index.entries.size());
    if (broken > 0)
        status += tr(", %1 cannot be used").arg(broken);
    if (!index.notes.empty())
        status += tr("; some folders could not be read fully (see the tip)");
    m_status->setText(status + QLatin1Char('.'));
    QStringList tip;
    for (const fx::LibrarySource& source : index.sources)
        tip << QFile::decodeName(QByteArray::fromStdString(source.folder));
    for (const std::string& note : index.notes)
        tip << QString::fromStdString(note);
    m_status->setToolTip(tip.join('\n'));
    emit indexed();
}

void LibraryBrowser::currentChanged()
{
    const fx::LibraryEntry* entry = m_model->entry(m_view->currentIndex().row());
    m_preview->showEntry(entry);
    const bool definition = entry && entry->kind == fx::LibraryEntry::Kind::Definition;
    m_use->setText(definition ? tr("&Import") : tr("&Open"));
    m_use->setEnabled(entry && (definition || entry->kind == fx::LibraryEntry::Kind::Fixture));
}

void LibraryBrowser::activateCurrent()
{
    const fx::LibraryEntry* entry = m_model->entry(m_view->currentIndex().row());
    if (!entry || !m_use->isEnabled())
        return;
    const QString path = QFile::decodeName(QByteArray::fromStdString(entry->path));
    const bool done = entry->kind == fx::LibraryEntry::Kind::Definition
                          ? m_editor.importFile(path, true, m_preview->chosenMode())
                          : m_editor.openFile(path);
    if (done)
        accept();
}

void LibraryBrowser::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // The window system's own show and hide events come late and may cross a new showing.
    if (event->spontaneous())
        return;
    m_search->setFocus();
    m_search->selectAll();
    m_selectOnActivation = true;
    refresh();
}

void LibraryBrowser::changeEvent(QEvent* event)
{
    // The last search is selected once the window is active, so that typing replaces it; focus
    // moving in while the window is being activated would otherwise drop the selection.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_selectOnActivation) {
        m_selectOnActivation = false;
        m_search->setFocus(Qt::ActiveWindowFocusReason);
        m_search->selectAll();
    }
    QDialog::changeEvent(event);
}

void LibraryBrowser::hideEvent(QHideEvent* event)
{
    if (!event->spontaneous())
        stopIndexing(); // shown again, it starts afresh
    QDialog::hideEvent(event);
}

bool LibraryBrowser::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_search && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            // The results move while the typing goes on in the search box.
            QCoreApplication::sendEvent(m_view, event);
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter: activateCurrent(); return true;
        default: break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace fixtureedit
