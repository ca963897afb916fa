#include "ledfixture/LedFixture.h"

#include "ledfixture/LedFixtureDelegate.h"
#include "ledfixture/LedFixtureGrid.h"
#include "ledfixture/LedFixtureModel.h"
#include "ui/Dialogs.h"
#include "ui/FieldKeys.h"
#include "ui/FileAccess.h"
#include "ui/Latin1Validator.h"
#include "ui/ModifiedMark.h"
#include "ui/PaneKeys.h"
#include "ui/Services.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>
#include <string>

namespace {

const QString DefaultMirror = QStringLiteral("000");
constexpr int NameLength = 11;
constexpr int MirrorLength = 3;

// Room for ten rows under the header; the column widths follow the grid's width.
constexpr int GridWidth = 440;
constexpr int GridRowHeight = 26;

QLineEdit* textBox(const QString& objectName, int maxLength, QWidget* parent)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(objectName);
    box->setMaxLength(maxLength);
    box->setValidator(new ui::Latin1Validator(box));
    ui::selectAllOnKeyboardFocus(box);
    return box;
}

QLabel* caption(int index, const QString& text, QWidget* buddy, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QStringLiteral("FSLabe_%1").arg(index));
    ui::labelControl(label, buddy);
    return label;
}

std::string latin1(const QString& text)
{
    const QByteArray bytes = text.toLatin1();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

} // namespace

LedFixture::LedFixture(ui::Services& services, QWidget* parent)
    : QWidget(parent), m_services(services)
{
    setObjectName(QStringLiteral("LedFixture"));
    // The title marks unsaved changes the usual way ("[*]" shows as "*" while modified).
    setWindowTitle(QStringLiteral("LED Fixture Edit[*]"));
    m_document = new ui::LedDocument(this);
    m_model = new LedFixtureModel(*m_document, this);
    ui::announceModified(this);
    buildForm();
    load();
}

LedFixture::~LedFixture()
{
    // A cell edit still open is stored as the grid goes, while the document is still there; the
    // form no longer follows it.
    disconnect(m_document, nullptr, this, nullptr);
    delete m_grid;
}

void LedFixture::buildForm()
{
    auto* frame = new QGroupBox(QStringLiteral("Fixture Setup"), this);
    frame->setObjectName(QStringLiteral("Fixtue_Setup"));
    // The header fields are one pane for F6, the grid another, the Save button the third.
    auto* fieldsPane = new QWidget(frame);

    m_nameBox = textBox(QStringLiteral("Text1"), NameLength, fieldsPane);
    m_countList = new QComboBox(fieldsPane);
    m_countList->setObjectName(QStringLiteral("Combo1"));
    for (int count = 1; count <= fx::LedMaxChannels; ++count)
        m_countList->addItem(QString::number(count), count);
    LedFixtureListOnlyKeys::install(m_countList);
    // The mirror boxes are shown for the look of a fixture setup; the LED file has no place
    // for them.
    m_panMirror = textBox(QStringLiteral("Text4"), MirrorLength, fieldsPane);
    m_tiltMirror = textBox(QStringLiteral("Text2"), MirrorLength, fieldsPane);
    for (QLineEdit* mirror : {m_panMirror, m_tiltMirror})
        mirror->setFixedWidth(mirror->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 16);

    auto* gridCaption = new QLabel(QStringLiteral("Channel Infomations:"), frame);
    gridCaption->setObjectName(QStringLiteral("Label2"));
    m_grid = new LedFixtureGrid(*m_document, m_services.dialogs, frame);
    m_grid->setItemDelegate(new LedFixtureDelegate(m_grid));
    m_grid->setModel(m_model);
    m_grid->verticalHeader()->setDefaultSectionSize(GridRowHeight);
    m_grid->setFixedSize(GridWidth, m_grid->horizontalHeader()->height() +
                                        fx::LedMaxChannels * GridRowHeight +
                                        2 * m_grid->frameWidth());
    ui::labelControl(gridCaption, m_grid);

    m_saveButton = new QPushButton(QStringLiteral("Save"), frame);
    m_saveButton->setObjectName(QStringLiteral("Command1"));

    auto* fields = new QGridLayout(fieldsPane);
    fields->setContentsMargins(0, 0, 0, 0);
    fields->addWidget(caption(0, QStringLiteral("Led Fixture Name:"), m_nameBox, fieldsPane), 0, 0);
    fields->addWidget(m_nameBox, 0, 1);
    fields->addWidget(caption(1, QStringLiteral("Number of Channels:"), m_countList, fieldsPane), 1,
                      0);
    fields->addWidget(m_countList, 1, 1, Qt::AlignLeft);
    auto* mirrors = new QHBoxLayout;
    mirrors->addWidget(caption(2, QStringLiteral("PanMIRROR:"), m_panMirror, fieldsPane));
    mirrors->addWidget(m_panMirror);
    mirrors->addSpacing(16);
    mirrors->addWidget(caption(3, QStringLiteral("TiltMIRROR:"), m_tiltMirror, fieldsPane));
    mirrors->addWidget(m_tiltMirror);
    mirrors->addStretch();
    fields->addLayout(mirrors, 2, 0, 1, 2);
    fields->setColumnStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_saveButton);

    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->addWidget(fieldsPane);
    frameLayout->addSpacing(6);
    frameLayout->addWidget(gridCaption);
    frameLayout->addWidget(m_grid);
    frameLayout->addLayout(buttons);

    auto* bar = new QMenuBar(this);
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    QAction* open = file->addAction(QStringLiteral("&Open LED Fixture"));
    open->setObjectName(QStringLiteral("mnuOpenLed"));
    open->setShortcut(QKeySequence::Open);
    open->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(open);
    connect(open, &QAction::triggered, this, &LedFixture::OpenLedFixture);
    // An edit still open in a cell is stored first, so that it is the one undone.
    QMenu* edit = ui::addEditMenu(bar, this, m_document->undoStack());
    connect(edit, &QMenu::aboutToShow, this, [this] { m_grid->commitOpenEdit(); });
    ui::addClipboardActions(edit, this);

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(bar);
    layout->addWidget(frame);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Tab in the grid moves between its cells (and wraps round); F6 and Shift+F6 lead out.
    ui::installPaneKeys(this, {fieldsPane, m_grid, m_saveButton});

    connect(m_countList, &QComboBox::currentIndexChanged, this, &LedFixture::channelCountPicked);
    connect(m_saveButton, &QPushButton::clicked, this, &LedFixture::SaveLedFixture);
    // The mirror boxes are not part of the file, so only the name, the count and the cells are
    // edits of the fixture.
    connect(m_nameBox, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_document->push(m_document->core().setName(latin1(text)));
    });
    connect(m_document, &ui::UndoDocument::contentChanged, this, &LedFixture::showRecord);
    connect(m_document, &ui::UndoDocument::modifiedChanged, this, &QWidget::setWindowModified);
}

void LedFixture::showRecord()
{
    const fx::LedFixtureRecord& r = record();
    // The box keeps what was typed (trailing blanks and all) while it stands for the same name.
    if (!(fx::FixedText<11>::fromText(latin1(m_nameBox->text())) == r.LedFixtureName))
        m_nameBox->setText(LedFixtureModel::shownText(r.LedFixtureName));
    // The count list shows the count without rebuilding the rows as a pick does.
    const QSignalBlocker blocker(m_countList);
    m_countList->setCurrentIndex(r.LedChannelCount - 1);
}

bool LedFixture::maybeDiscard()
{
    m_grid->commitOpenEdit();
    if (!isModified())
        return true;
    return ui::saveOrDiscard(
        m_services.dialogs, this,
        QStringLiteral("The LED fixture \"%1\" in the LED Fixture Edit window has changes that "
                       "have not been saved.\nSave it first?")
            .arg(m_nameBox->text()),
        [this] { return SaveLedFixture(); });
}

void LedFixture::load()
{
    // A reopened window starts a new LED fixture, as on the first opening.
    m_panMirror->setText(DefaultMirror);
    m_tiltMirror->setText(DefaultMirror);
    m_document->replace(fx::LedFixtureDocument::fresh());
    // The name box holds its full 11 characters: typing replaces the whole name.
    m_nameBox->selectAll();
}

void LedFixture::channelCountPicked(int index)
{
    if (index >= 0)
        FillLedGrid(m_countList->itemData(index).toInt());
}

void LedFixture::FillLedGrid(int channelCount)
{
    m_document->push(m_document->core().setChannelCount(channelCount));
}

bool LedFixture::SaveLedFixture()
{
    const QString chosen = m_services.dialogs.saveFileName(
        this, QStringLiteral("Save As"), QStringLiteral("LedFixture Setup File(*.tff)"));
    if (chosen.isEmpty())
        return false;
    const QString path = ui::withFixtureSuffix(chosen);
    const QString shownPath = QDir::toNativeSeparators(path);

    if (!ui::mayReplace(m_services.dialogs, this, QStringLiteral("ORVA Save As"), path, shownPath))
        return false;

    // The image is made on a copy: the editor's fixture takes the saved state (normalised types)
    // only once the file is written.
    const auto image = m_document->core().fileImage();
    const QByteArray bytes(reinterpret_cast<const char*>(image.data()),
                           static_cast<qsizetype>(image.size()));
    QString error;
    if (!m_services.files.write(path, bytes, &error)) {
        m_services.dialogs.tell(this, QStringLiteral("ORVA Save As"),
                                QStringLiteral("The LED fixture could not be saved to %1:\n%2\n"
                                               "Any file of that name is as it was.")
                                    .arg(shownPath, error),
                                ui::Dialogs::Icon::Warning);
        return false;
    }
    // What the save settled that the user sees is one edit; the saved state is the clean one.
    m_document->push(m_document->core().settleAfterSave());
    m_document->markClean();
    return true;
}

void LedFixture::OpenLedFixture()
{
    const QString path = m_services.dialogs.openFileName(
        this, QStringLiteral("Open LED Fixture"), QStringLiteral("LedFixture Setup File(*.tff)"));
    if (path.isEmpty())
        return;
    const QString shownPath = QDir::toNativeSeparators(path);
    const QString title = QStringLiteral("Open LED Fixture");
    const auto refuse = [&](const QString& why) {
        m_services.dialogs.tell(
            this, title,
            QStringLiteral("%1 is not an LED fixture setup file the editor can open:\n%2.")
                .arg(shownPath, why),
            ui::Dialogs::Icon::Warning);
    };

    // Any other length is refused before the file is read (it may be huge).
    const QFileInfo info(path);
    if (info.isFile() && info.size() != qint64(fx::LedFixtureFileSize)) {
        refuse(QStringLiteral("it is %1 bytes long; an LED fixture setup file has %2 bytes")
                   .arg(info.size())
                   .arg(fx::LedFixtureFileSize));
        return;
    }
    QString error;
    const auto data = m_services.files.read(path, &error);
    if (!data) {
        m_services.dialogs.tell(this, title,
                                QStringLiteral("%1 could not be opened:\n%2").arg(shownPath, error),
                                ui::Dialogs::Icon::Warning);
        return;
    }
    // The file is read into a fresh record and replaces the whole fixture: the hidden rows of
    // the fixture shown before must not reach the next save.
    fx::LedFixtureRecord opened;
    const std::string problem =
        fx::ReadLedFixtureImage(std::span(reinterpret_cast<const std::uint8_t*>(data->constData()),
                                          static_cast<std::size_t>(data->size())),
                                opened);
    if (!problem.empty()) {
        refuse(QString::fromStdString(problem));
        return;
    }

    // The whole fixture is replaced, the hidden rows included, with a fresh history.
    m_document->replace(fx::LedFixtureDocument::opened(opened));
}
