#include "fixtureedit/LibraryPreview.h"

#include "core/ByteFile.h"
#include "core/FixtureCheck.h"
#include "core/FixtureFile.h"
#include "core/FixtureRecord.h"
#include "core/Latin1Text.h"
#include "core/LedFixtureFile.h"

#include <QComboBox>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStandardItemModel>
#include <QTableWidget>
#include <QVBoxLayout>

#include <memory>

namespace fixtureedit {

namespace {

QString utf8(const std::string& s)
{
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

QString latin1(const std::string& s)
{
    return QString::fromLatin1(s.data(), qsizetype(s.size())).trimmed();
}

// A fixture channel's row: its name, function code, type (with its partner) and steps.
QStringList channelCells(const fx::ChannelInfo& ch, const QString& steps)
{
    QString type = utf8(fx::ChTypeName(ch.ChType));
    if (ch.PairChannel)
        type += LibraryPreview::tr(" (with %1)").arg(ch.PairChannel);
    return {latin1(ch.ChName.str()),
            ch.FuncCode ? QString::number(ch.FuncCode) : LibraryPreview::tr("none"), type, steps};
}

} // namespace

LibraryPreview::LibraryPreview(const fx::ChNameSet& names, QWidget* parent)
    : QWidget(parent), m_names(names)
{
    setObjectName("libraryPreview");
    m_title = new QLabel(this);
    m_title->setObjectName("libraryPreviewTitle");
    m_title->setTextFormat(Qt::RichText);
    m_title->setWordWrap(true);

    auto* modeLabel = new QLabel(tr("&Mode:"), this);
    m_modes = new QComboBox(this);
    m_modes->setObjectName("libraryModes");
    m_modes->setAccessibleName(tr("Mode"));
    modeLabel->setBuddy(m_modes);
    connect(m_modes, &QComboBox::currentIndexChanged, this, &LibraryPreview::showMode);
    auto* modeRow = new QHBoxLayout;
    modeRow->addWidget(modeLabel);
    modeRow->addWidget(m_modes, 1);

    m_channels = new QTableWidget(0, 4, this);
    m_channels->setObjectName("libraryChannels");
    m_channels->setAccessibleName(tr("Channels of the chosen fixture"));
    m_channels->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_channels->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_channels->setFocusPolicy(Qt::ClickFocus);
    m_channels->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_channels->horizontalHeader()->setStretchLastSection(true);
    m_channels->verticalHeader()->setDefaultSectionSize(20);

    m_steps = new QLabel(this);
    m_steps->setObjectName("librarySteps");
    m_notes = new QPlainTextEdit(this);
    m_notes->setObjectName("libraryNotes");
    m_notes->setAccessibleName(tr("Problems and changes"));
    m_notes->setReadOnly(true);
    m_notes->setFocusPolicy(Qt::ClickFocus);
    m_notes->setMaximumHeight(110);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_title);
    layout->addLayout(modeRow);
    layout->addWidget(m_channels, 1);
    layout->addWidget(m_steps);
    layout->addWidget(m_notes);
    showEntry(nullptr);
}

int LibraryPreview::chosenMode() const
{
    return m_def.modes.empty() ? -1 : m_modes->currentIndex();
}

void LibraryPreview::setRow(int row, const QStringList& cells)
{
    for (int col = 0; col < cells.size(); ++col)
        m_channels->setItem(row, col, new QTableWidgetItem(cells[col]));
}

void LibraryPreview::showEntry(const fx::LibraryEntry* entry)
{
    m_def = fx::QxfDefinition{};
    {
        const QSignalBlocker block(m_modes);
        m_modes->clear();
    }
    m_modes->setEnabled(false);
    m_channels->setRowCount(0);
    m_steps->clear();
    m_notes->clear();
    if (!entry) {
        m_title->setText(tr("<i>No fixture chosen</i>"));
        return;
    }
    const QString path = QFile::decodeName(QByteArray::fromStdString(entry->path));
    m_title->setText(QStringLiteral("<b>%1</b> %2<br><small>%3</small>")
                         .arg(utf8(entry->manufacturer).toHtmlEscaped(),
                              utf8(entry->model).toHtmlEscaped(), path.toHtmlEscaped()));
    if (entry->kind == fx::LibraryEntry::Kind::Broken) {
        m_notes->setPlainText(tr("This file cannot be used: %1").arg(utf8(entry->reason)));
        return;
    }
    if (entry->kind != fx::LibraryEntry::Kind::Definition)
        return showSetupFile(*entry);

    const std::string refused = fx::loadQxfFile(entry->path, m_def);
    if (!refused.empty()) {
        m_def = fx::QxfDefinition{};
        m_notes->setPlainText(tr("This file cannot be imported: it %1").arg(utf8(refused)));
        return;
    }
    const QSignalBlocker block(m_modes);
    auto* items = qobject_cast<QStandardItemModel*>(m_modes->model());
    for (int m = 0; m < int(m_def.modes.size()); ++m) {
        const fx::QxfMode& mode = m_def.modes[m];
        QString text = tr("%1 (%2 channels)").arg(utf8(mode.name)).arg(mode.channelCount());
        if (!mode.fits())
            text += mode.channelCount() ? tr(": over 40, cannot be imported") : tr(": empty");
        m_modes->addItem(text);
        if (!mode.fits() && items)
            items->item(m)->setEnabled(false);
    }
    m_modes->setEnabled(true);
    const int chosen = fx::defaultQxfMode(m_def).value_or(-1);
    m_modes->setCurrentIndex(chosen);
    showMode(chosen);
}

void LibraryPreview::showMode(int mode)
{
    m_channels->setRowCount(0);
    m_channels->setHorizontalHeaderLabels(
        {tr("Channel Name"), tr("Code"), tr("Type"), tr("Steps")});
    fx::QxfImport imp;
    if (mode < 0 || mode >= int(m_def.modes.size()) ||
        !fx::importQxfMode(m_def, mode, m_names, imp).empty()) {
        m_steps->setText(tr("No mode of 40 channels or fewer: nothing can be imported."));
        return;
    }
    const fx::FixtureRecord& rec = *imp.record;
    m_channels->setRowCount(rec.FixHeader.NumChannels);
    for (int c = 0; c < rec.FixHeader.NumChannels; ++c) {
        QString steps = QString::number(rec.StepCount[c]);
        if (c < int(imp.stepLoss.size()) && imp.stepLoss[c] > 0)
            steps += tr(", %1 cut").arg(imp.stepLoss[c]);
        setRow(c, channelCells(rec.Channels[c], steps));
    }
    m_steps->setText(
        imp.stepTotal > fx::StepSlotCount
            ? tr("Steps: %1; the file holds %2, so %3 will be cut when saved.")
                  .arg(imp.stepTotal)
                  .arg(fx::StepSlotCount)
                  .arg(imp.stepTotal - fx::StepSlotCount)
            : tr("Steps: %1 of the file's %2.").arg(imp.stepTotal).arg(fx::StepSlotCount));
    QStringList lines;
    for (const std::string& line : imp.report)
        lines << utf8(line);
    if (!imp.missingNames.empty()) {
        QStringList missing;
        for (const std::string& n : imp.missingNames)
            missing << latin1(n);
        lines << tr("not in the channel name set (code none): %1").arg(missing.join(", "));
    }
    m_notes->setPlainText(lines.isEmpty() ? tr("Everything fits as it is.") : lines.join('\n'));
}

void LibraryPreview::showSetupFile(const fx::LibraryEntry& entry)
{
    std::string error;
    const auto bytes = fx::readWholeFile(entry.path, &error);
    if (!bytes) {
        m_notes->setPlainText(tr("This file cannot be read: %1").arg(utf8(error)));
        return;
    }
    if (entry.kind == fx::LibraryEntry::Kind::LedFixture) {
        fx::LedFixtureRecord led;
        if (const std::string refused = fx::ReadLedFixtureImage(*bytes, led); !refused.empty())
            return m_notes->setPlainText(utf8(refused));
        m_channels->setHorizontalHeaderLabels(
            {tr("Channel Name"), tr("Colour"), tr("Type"), tr("Pair")});
        m_channels->setRowCount(led.LedChannelCount);
        for (int c = 0; c < led.LedChannelCount; ++c) {
            const fx::LedChannelRec& ch = led.LedChannels[c];
            setRow(c, {latin1(ch.Name.str()), utf8(fx::ledColourName(ch.ColourCode)),
                       utf8(fx::ChTypeName(ch.TypeCode)),
                       ch.PairChannel ? QString::number(ch.PairChannel) : QString()});
        }
        m_notes->setPlainText(tr("An LED fixture: open it in the LED fixture editor."));
        return;
    }
    auto record = std::make_unique<fx::FixtureRecord>();
    if (const std::string refused = fx::ReadFixtureImage(*bytes, *record); !refused.empty())
        return m_notes->setPlainText(utf8(refused));
    m_channels->setHorizontalHeaderLabels(
        {tr("Channel Name"), tr("Code"), tr("Type"), tr("Steps")});
    const int n = record->FixHeader.NumChannels;
    m_channels->setRowCount(n);
    int steps = 0;
    for (int c = 0; c < n; ++c) {
        setRow(c, channelCells(record->Channels[c], QString::number(record->StepCount[c])));
        steps += record->StepCount[c];
    }
    m_steps->setText(tr("Steps: %1 of the file's %2.").arg(steps).arg(fx::StepSlotCount));
    QStringList lines;
    for (const fx::Problem& problem : fx::CheckFixture(*record))
        lines << latin1(fx::describeProblem(problem)); // names as the record holds them
    m_notes->setPlainText(lines.isEmpty() ? tr("No problems found.") : lines.join('\n'));
}

} // namespace fixtureedit
