#include "chnames/EditChName.h"

#include "chnames/ChNameDelegate.h"
#include "chnames/ChNameGrid.h"
#include "chnames/ChNameTableModel.h"
#include "ui/Dialogs.h"
#include "ui/FileAccess.h"
#include "ui/ModifiedMark.h"
#include "ui/PaneKeys.h"
#include "ui/Services.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>
#include <span>

namespace {

std::span<const std::uint8_t> bytesOf(const QByteArray& data)
{
    return {reinterpret_cast<const std::uint8_t*>(data.constData()),
            static_cast<std::size_t>(data.size())};
}

const QString MessageTitle = QStringLiteral("Edit Channel Name");

} // namespace

EditChName::EditChName(ui::Services& services, QWidget* parent)
    : QWidget(parent), m_services(services)
{
    setObjectName(QStringLiteral("EditChName"));
    // The title marks unsaved changes the usual way ("[*]" shows as "*" while modified).
    setWindowTitle(QStringLiteral("Edit Channel Name Rev1.06[*]"));
    m_document = new ui::ChNameDocument(this);
    ui::announceModified(this);
    buildControls();
    connect(m_document, &ui::UndoDocument::modifiedChanged, this, &QWidget::setWindowModified);
}

EditChName::~EditChName()
{
    // A cell edit still open is stored as the grid goes, while the document is still there.
    delete m_grid;
}

bool EditChName::maybeDiscard()
{
    m_grid->commitOpenEdit();
    if (!isModified())
        return true;
    return ui::saveOrDiscard(
        m_services.dialogs, this,
        QStringLiteral("The channel names in the Edit Channel Name window have changes that "
                       "have not been saved to\n%1.\nSave them first?")
            .arg(QDir::toNativeSeparators(m_services.chNameSetPath)),
        [this] { return SaveChNameSet(); });
}

void EditChName::buildControls()
{
    m_model = new ChNameTableModel(*m_document, this);
    m_grid = new ChNameGrid(*m_document, m_services.dialogs, this);
    m_grid->setModel(m_model);
    m_grid->setItemDelegateForColumn(ChNameTableModel::NameColumn, new ChNameDelegate(m_grid));
    QHeaderView* rows = m_grid->verticalHeader();
    QHeaderView* header = m_grid->horizontalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setHighlightSections(false);
    header->setStretchLastSection(true);

    // Compact rows; the ID column a little narrower than a 12-character name, the name column
    // taking what the window gives; the header row half again as high as a cell row.
    const QFontMetrics metrics = m_grid->fontMetrics();
    const int rowHeight = metrics.height() + 8;
    rows->setDefaultSectionSize(rowHeight);
    header->setFixedHeight(rowHeight * 3 / 2);
    const int nameWidth = std::max(metrics.averageCharWidth() * 12,
                                   metrics.horizontalAdvance(QStringLiteral("Channel Name"))) +
                          16;
    m_grid->setColumnWidth(ChNameTableModel::IdColumn, nameWidth - 15);
    m_grid->setColumnWidth(ChNameTableModel::NameColumn, nameWidth);
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_grid->setMinimumWidth(2 * nameWidth - 15 + m_grid->verticalScrollBar()->sizeHint().width() +
                            2 * m_grid->frameWidth());
    m_grid->setMinimumHeight(16 * rowHeight);

    m_grid->setAccessibleName(QStringLiteral("Channel names"));

    // The buttons are one pane for F6, the grid the other.
    auto* buttonPane = new QWidget(this);
    auto makeButton = [buttonPane](const char* name, const QString& caption) {
        auto* button = new QPushButton(caption, buttonPane);
        button->setObjectName(QLatin1String(name));
        return button;
    };
    QPushButton* save = makeButton("ChSave", QStringLiteral("Save"));
    QPushButton* exit = makeButton("Command1", QStringLiteral("Exit"));
    QPushButton* init = makeButton("Init", QStringLiteral("Init"));
    QPushButton* change = makeButton("Command2", QStringLiteral("Change"));
    connect(save, &QPushButton::clicked, this, &EditChName::SaveChNameSet);
    connect(exit, &QPushButton::clicked, this, &EditChName::closeRequested);
    connect(init, &QPushButton::clicked, this, &EditChName::InitChNameSet);
    connect(change, &QPushButton::clicked, this, &EditChName::ChangeCodes);

    auto* buttons = new QVBoxLayout(buttonPane);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->addWidget(save);
    buttons->addWidget(exit);
    buttons->addWidget(init);
    buttons->addSpacing(3 * save->sizeHint().height());
    buttons->addWidget(change);
    buttons->addStretch(1);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_grid, 1);
    layout->addWidget(buttonPane);
    ui::installPaneKeys(this, {m_grid, buttonPane});

    auto* menuBar = new QMenuBar(this);
    menuBar->setObjectName(QStringLiteral("EditChNameMenuBar"));
    QMenu* windows = menuBar->addMenu(QStringLiteral("&Windows"));
    windows->setObjectName(QStringLiteral("mainWi"));
    QAction* showPalette = windows->addAction(QStringLiteral("Show &P"));
    showPalette->setObjectName(QStringLiteral("eSu"));
    QAction* showFixture = windows->addAction(QStringLiteral("Show &F"));
    showFixture->setObjectName(QStringLiteral("eSM"));
    QAction* separator = windows->addSeparator();
    separator->setObjectName(QStringLiteral("eNULL"));
    QAction* exitAll = windows->addAction(QStringLiteral("&Exit"));
    exitAll->setObjectName(QStringLiteral("eExit"));
    connect(showPalette, &QAction::triggered, this, [this] {
        emit closeRequested();
        emit showPaletteRequested();
    });
    connect(showFixture, &QAction::triggered, this, [this] {
        emit closeRequested();
        emit showFixtureRequested();
    });
    connect(exitAll, &QAction::triggered, this, &EditChName::exitRequested);
    // An edit still open in a cell is stored first, so that it is the one undone.
    QMenu* edit = ui::addEditMenu(menuBar, this, m_document->undoStack());
    connect(edit, &QMenu::aboutToShow, this, [this] { m_grid->commitOpenEdit(); });
    ui::addClipboardActions(edit, this);
    layout->setMenuBar(menuBar);
}

void EditChName::load()
{
    m_grid->discardOpenEdit();
    LoadChNameSet();
    m_grid->scrollToTop();
}

void EditChName::LoadChNameSet()
{
    const QString& path = m_services.chNameSetPath;
    QString error;
    if (const std::optional<QByteArray> file = m_services.files.read(path, &error)) {
        m_document->replace(fx::loadChNameSetForEditor(bytesOf(*file)));
        return;
    }
    m_document->replace(fx::loadChNameSetForEditor({}));
    if (!QFileInfo::exists(path)) {
        // The set file always exists once the editor has looked for it; it gets its names at the
        // first Save. A failure here changes nothing the user could act on.
        QString ignored;
        m_services.files.write(path, QByteArray(), &ignored);
        return;
    }
    // A file that is there but cannot be read may well hold names: say so before a Save could
    // replace it with the defaults.
    m_services.dialogs.tell(this, MessageTitle,
                            QStringLiteral("The channel names could not be read from \"%1\": %2.\n"
                                           "The default names are shown instead.")
                                .arg(QDir::toNativeSeparators(path), error));
}

bool EditChName::SaveChNameSet()
{
    m_grid->commitOpenEdit();

    const QString& path = m_services.chNameSetPath;
    QString error;
    // A file longer than the set keeps its tail, so the old content is needed first.
    QByteArray oldFile;
    bool saved = true;
    if (QFileInfo::exists(path)) {
        const std::optional<QByteArray> file = m_services.files.read(path, &error);
        saved = file.has_value();
        if (saved)
            oldFile = *file;
    }
    if (saved) {
        const std::vector<std::uint8_t> image =
            fx::savedChNameFile(bytesOf(oldFile), m_document->core().preparedForSave());
        saved = m_services.files.write(path,
                                       QByteArray(reinterpret_cast<const char*>(image.data()),
                                                  static_cast<qsizetype>(image.size())),
                                       &error);
    }
    if (!saved) {
        m_services.dialogs.tell(this, MessageTitle,
                                QStringLiteral("The channel names were not saved to \"%1\": %2.\n"
                                               "The file was left as it was.")
                                    .arg(QDir::toNativeSeparators(path), error));
        return false;
    }
    m_document->markClean();
    return true;
}

void EditChName::InitChNameSet()
{
    m_grid->commitOpenEdit();
    m_document->push(m_document->core().initDefaults());
}

void EditChName::ChangeCodes()
{
    m_grid->commitOpenEdit();
    m_document->push(m_document->core().restoreFixedCodes());
}
