#include "fixtureedit/ImportFixtureDialog.h"

#include "core/FixtureFile.h"
#include "core/Latin1Text.h"
#include "fixtureedit/ChannelNameList.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace fixtureedit {

namespace {

void name(QWidget* w, const char* objectName, const QString& accessibleName)
{
    w->setObjectName(QString::fromLatin1(objectName));
    w->setAccessibleName(accessibleName);
}

} // namespace

ImportFixtureDialog::ImportFixtureDialog(const fx::QxfDefinition& def, const fx::ChNameSet& names,
                                         const QString& fileName, QWidget* parent)
    : QDialog(parent), m_def(def), m_names(names)
{
    setObjectName("ImportFixtureDialog");
    setWindowTitle(tr("Import Fixture"));

    auto* title = new QLabel(this);
    name(title, "importTitle", tr("Fixture definition"));
    const QString maker = QString::fromStdString(def.manufacturer).simplified();
    const QString model = QString::fromStdString(def.model).simplified();
    title->setText(
        QStringLiteral("<b>%1</b> %2<br>%3")
            .arg(maker.toHtmlEscaped(), model.toHtmlEscaped(), fileName.toHtmlEscaped()));

    auto* modesLabel = new QLabel(tr("&Mode:"), this);
    m_modes = new QListWidget(this);
    name(m_modes, "importModes", tr("Modes"));
    modesLabel->setBuddy(m_modes);

    for (int m = 0; m < int(def.modes.size()); ++m) {
        const fx::QxfMode& mode = def.modes[m];
        QString text =
            tr("%1 channels\t%2").arg(mode.channelCount()).arg(QString::fromStdString(mode.name));
        auto* item = new QListWidgetItem(text, m_modes);
        if (!mode.fits()) {
            item->setText(text + (mode.channelCount() > fx::MaxChannels
                                      ? tr("  (over 40 channels: cannot be imported)")
                                      : tr("  (no channels)")));
            item->setFlags(Qt::NoItemFlags);
        }
    }

    // As high as its modes, up to six of them.
    const int shownModes = std::clamp(m_modes->count(), 1, 6);
    m_modes->setFixedHeight(m_modes->sizeHintForRow(0) * shownModes + 2 * m_modes->frameWidth() +
                            2);

    auto* channelsLabel = new QLabel(tr("&Channels of this mode:"), this);
    m_channels = new QTableWidget(0, 4, this);
    name(m_channels, "importChannels", tr("Channels of the chosen mode"));
    channelsLabel->setBuddy(m_channels);
    m_channels->setHorizontalHeaderLabels(
        {tr("Channel Name"), tr("Code"), tr("Type"), tr("Steps")});
    m_channels->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_channels->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_channels->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_channels->horizontalHeader()->setStretchLastSection(true);
    m_channels->verticalHeader()->setDefaultSectionSize(20);
    m_channels->installEventFilter(this);
    connect(m_channels, &QTableWidget::itemChanged, this, &ImportFixtureDialog::stepsTicked);

    m_steps = new QLabel(this);
    name(m_steps, "importSteps", tr("Steps against the file's 204"));
    m_steps->setWordWrap(true);

    auto* reportLabel = new QLabel(tr("&What changes or will be cut:"), this);
    m_report = new QPlainTextEdit(this);
    name(m_report, "importReport", tr("What changes or will be cut"));
    reportLabel->setBuddy(m_report);
    m_report->setReadOnly(true);
    m_report->setMaximumHeight(120);

    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    name(m_buttons, "importButtons", tr("OK or Cancel"));
    name(m_buttons->button(QDialogButtonBox::Ok), "importOk", tr("Import the chosen mode"));
    name(m_buttons->button(QDialogButtonBox::Cancel), "importCancel", tr("Cancel the import"));
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(modesLabel);
    layout->addWidget(m_modes);
    layout->addWidget(channelsLabel);
    layout->addWidget(m_channels, 1);
    layout->addWidget(m_steps);
    layout->addWidget(reportLabel);
    layout->addWidget(m_report);
    layout->addWidget(m_buttons);
    resize(560, 680);

    connect(m_modes, &QListWidget::currentRowChanged, this, &ImportFixtureDialog::showMode);
    const std::optional<int> chosen = fx::defaultQxfMode(def);
    showMode(-1);
    if (chosen)
        m_modes->setCurrentRow(*chosen);
    m_modes->setFocus();
}

void ImportFixtureDialog::chooseMode(int mode)
{
    m_modes->setCurrentRow(mode);
}

fx::QxfImport* ImportFixtureDialog::chosenImport()
{
    return m_chosen >= 0 ? &m_import : nullptr;
}

void ImportFixtureDialog::showMode(int mode)
{
    m_chosen = mode >= 0 && mode < int(m_def.modes.size()) ? mode : -1;
    importChosen({});
}

void ImportFixtureDialog::importChosen(const fx::QxfImportOptions& options)
{
    m_import = fx::QxfImport{};
    const bool usable =
        m_chosen >= 0 && fx::importQxfMode(m_def, m_chosen, m_names, m_import, options).empty();
    if (!usable)
        m_chosen = -1;
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(usable);
    // The items are updated in place: a tick arrives inside the signal of its own item.
    const QSignalBlocker block(m_channels);
    m_report->clear();
    if (!usable) {
        m_channels->setRowCount(0);
        m_steps->setText(tr("Choose a mode of 40 channels or fewer."));
        return;
    }
    const fx::QxfImport& imp = m_import;
    const fx::FixtureRecord& rec = *imp.record;
    const int n = rec.FixHeader.NumChannels;
    m_channels->setRowCount(n);
    const auto cell = [&](int row, int col) {
        if (!m_channels->item(row, col))
            m_channels->setItem(row, col, new QTableWidgetItem);
        return m_channels->item(row, col);
    };
    QStringList rowLabels;
    for (int c = 0; c < n; ++c) {
        const fx::ChannelInfo& ch = rec.Channels[c];
        QString type = QString::fromStdString(fx::ChTypeName(ch.ChType));
        if (ch.PairChannel)
            type += tr(" (with %1)").arg(ch.PairChannel);
        const QStringList cells = {fromLatin1(ch.ChName.trimmed()),
                                   ch.FuncCode ? QString::number(ch.FuncCode) : tr("none"), type};
        for (int col = 0; col < cells.size(); ++col)
            cell(c, col)->setText(cells[col]);
        const int offer = c < int(imp.stepOffer.size()) ? imp.stepOffer[c] : 0;
        QTableWidgetItem* steps = cell(c, 3);
        steps->setData(Qt::CheckStateRole, QVariant());
        steps->setText({});
        steps->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        if (offer > 0) {
            QString text = QString::number(offer);
            if (c < int(imp.stepLoss.size()) && imp.stepLoss[c] > 0)
                text += tr(", %1 not stored").arg(imp.stepLoss[c]);
            steps->setText(text);
            steps->setFlags(steps->flags() | Qt::ItemIsUserCheckable);
            steps->setCheckState(rec.StepCount[c] > 0 ? Qt::Checked : Qt::Unchecked);
        }
        rowLabels << tr("Chan %1").arg(c + 1);
    }
    m_channels->setVerticalHeaderLabels(rowLabels);
    m_channels->viewport()->update();

    const int lost = imp.stepTotal - std::min(imp.stepTotal, fx::StepSlotCount);
    m_steps->setStyleSheet(lost > 0 ? QStringLiteral("color: #b00000") : QString());
    m_steps->setText(
        lost > 0
            ? tr("Steps ticked: %1 of the file's %2; the file will not hold the last %3 "
                 "(each channel that loses steps is listed below).")
                  .arg(imp.stepTotal)
                  .arg(fx::StepSlotCount)
                  .arg(lost)
            : tr("Steps ticked: %1 of the file's %2.").arg(imp.stepTotal).arg(fx::StepSlotCount));

    QStringList lines;
    for (const std::string& line : imp.report)
        lines << QString::fromStdString(line);
    for (const std::string& line : fx::qxfNameRemarks(m_def, m_chosen, imp))
        lines << QString::fromStdString(line);
    if (lines.isEmpty())
        lines << tr("Everything fits as it is.");
    m_report->setPlainText(lines.join('\n'));
}

void ImportFixtureDialog::stepsTicked(QTableWidgetItem* item)
{
    if (item->column() != 3 || m_chosen < 0)
        return;
    fx::QxfImportOptions options;
    options.steps = fx::QxfStepChoice::Listed;
    for (int c = 0; c < m_channels->rowCount(); ++c)
        if (const QTableWidgetItem* steps = m_channels->item(c, 3);
            steps && steps->checkState() == Qt::Checked)
            options.channels.push_back(c + 1);
    importChosen(options);
}

bool ImportFixtureDialog::eventFilter(QObject* watched, QEvent* event)
{
    // Space ticks or unticks the Steps box of the current row, whichever column is current.
    if (watched == m_channels && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space) {
        if (QTableWidgetItem* steps = m_channels->item(m_channels->currentRow(), 3);
            steps && (steps->flags() & Qt::ItemIsUserCheckable)) {
            steps->setCheckState(steps->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace fixtureedit
