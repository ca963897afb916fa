#include "fixtureedit/ImportFixtureDialog.h"

#include "core/FixtureFile.h"
#include "core/Latin1Text.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace fixtureedit {

namespace {

QString fromLatin1(const std::string& s)
{
    return QString::fromLatin1(s.data(), qsizetype(s.size()));
}

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

    m_steps = new QLabel(this);
    name(m_steps, "importSteps", tr("Steps against the file's 204"));

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
    m_import = fx::QxfImport{};
    const bool usable = mode >= 0 && mode < int(m_def.modes.size()) &&
                        fx::importQxfMode(m_def, mode, m_names, m_import).empty();
    m_chosen = usable ? mode : -1;
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(usable);
    m_channels->setRowCount(0);
    m_report->clear();
    if (!usable) {
        m_steps->setText(tr("Choose a mode of 40 channels or fewer."));
        return;
    }
    const fx::QxfImport& imp = m_import;
    const fx::FixtureRecord& rec = *imp.record;
    const int n = rec.FixHeader.NumChannels;
    m_channels->setRowCount(n);
    QStringList rowLabels;
    for (int c = 0; c < n; ++c) {
        const fx::ChannelInfo& ch = rec.Channels[c];
        QString type = QString::fromStdString(fx::ChTypeName(ch.ChType));
        if (ch.PairChannel)
            type += tr(" (with %1)").arg(ch.PairChannel);
        QString steps = QString::number(rec.StepCount[c]);
        if (c < int(imp.stepLoss.size()) && imp.stepLoss[c] > 0)
            steps += tr(", %1 cut").arg(imp.stepLoss[c]);
        const QStringList cells = {fromLatin1(ch.ChName.trimmed()),
                                   ch.FuncCode ? QString::number(ch.FuncCode) : tr("none"), type,
                                   steps};
        for (int col = 0; col < cells.size(); ++col)
            m_channels->setItem(c, col, new QTableWidgetItem(cells[col]));
        rowLabels << tr("Chan %1").arg(c + 1);
    }
    m_channels->setVerticalHeaderLabels(rowLabels);

    const int stored = std::min(imp.stepTotal, fx::StepSlotCount);
    m_steps->setText(
        imp.stepTotal > fx::StepSlotCount
            ? tr("Steps: %1; the file holds %2, so %3 will be cut when saved.")
                  .arg(imp.stepTotal)
                  .arg(stored)
                  .arg(imp.stepTotal - stored)
            : tr("Steps: %1 of the file's %2.").arg(imp.stepTotal).arg(fx::StepSlotCount));

    QStringList lines;
    for (const std::string& line : imp.report)
        lines << QString::fromStdString(line);
    if (!imp.missingNames.empty()) {
        QStringList missing;
        for (const std::string& n : imp.missingNames)
            missing << fromLatin1(n);
        lines << tr("not in the channel name set (code none): %1").arg(missing.join(", "));
    }
    if (lines.isEmpty())
        lines << tr("Everything fits as it is.");
    m_report->setPlainText(lines.join('\n'));
}

} // namespace fixtureedit
