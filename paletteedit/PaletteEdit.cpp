#include "paletteedit/PaletteEdit.h"

#include "core/PaletteStore.h"
#include "ui/Dialogs.h"
#include "ui/Document.h"
#include "ui/Services.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTabBar>

#include <algorithm>

namespace {

// A stored text as the form shows it. A text that was never assigned holds zero bytes; it shows
// as blanks, the way a name the user left empty does.
template <std::size_t N> QString shownText(const fx::FixedText<N>& text)
{
    QString shown = QString::fromLatin1(reinterpret_cast<const char*>(text.bytes.data()),
                                        static_cast<qsizetype>(N));
    shown.replace(QChar(u'\0'), QChar(u' '));
    return shown;
}

// A stored text as the caption of a button or check box, where a single "&" would mark a
// shortcut key instead of showing.
template <std::size_t N> QString captionText(const fx::FixedText<N>& text)
{
    return shownText(text).replace(QChar(u'&'), QStringLiteral("&&"));
}

// The text for a name box: a name of only blanks (or never assigned) shows as an empty box, any
// other as stored, trailing blanks included. Only the blank itself counts: a name of no-break
// spaces is a name, and storing the box again must keep it.
QString nameBoxText(const fx::PaletteName& name)
{
    const bool empty = std::all_of(name.bytes.begin(), name.bytes.end(),
                                   [](std::uint8_t b) { return b == ' ' || b == 0; });
    return empty ? QString() : shownText(name);
}

fx::PaletteName nameFromBox(const QLineEdit* box)
{
    return fx::paletteNameFromText(box->text().toLatin1().toStdString());
}

} // namespace

PaletteEdit::PaletteEdit(ui::Document& document, ui::Services& services, QWidget* parent)
    : QWidget(parent), m_document(document), m_services(services)
{
    buildControls();
    // An undo or redo of a store shows itself, unless the user is in the middle of an edit.
    connect(&document, &ui::Document::changed, this, [this](const fx::RecordChange& change) {
        if ((change.reset || change.palettes.any()) && !isEditing() && isVisible())
            LoadPalette();
    });
}

bool PaletteEdit::isEditing() const
{
    return m_settingMode || (m_entryName && !m_entryName->isHidden());
}

QColor PaletteEdit::entryButtonColour()
{
    return QColor(128, 128, 255);
}

int PaletteEdit::palChannels() const
{
    return std::min<int>(m_document.record().PalChannels, fx::MaxChannels);
}

void PaletteEdit::load()
{
    m_settingMode = false;
    m_curPalette = 0;
    m_curEntry = 0;

    // A freshly opened form: palette 1, every control as built.
    {
        const QSignalBlocker blocker(m_tabs);
        m_tabs->setCurrentIndex(0);
    }
    m_tabs->setEnabled(true);
    m_settingFrame->setTitle(QStringLiteral("Palette1 Edit"));
    m_settingButton->setText(QStringLiteral("Update Setting"));
    m_settingButton->setEnabled(true);
    m_entryName->clear();
    for (int k = 0; k < fx::MaxChannels; ++k) {
        m_channelChecks[k]->setChecked(false);
        const QSignalBlocker blocker(m_sliders[k]);
        m_sliders[k]->setValue(255);
        setEntryValue(k, 255);
    }

    for (int k = 0; k < fx::MaxChannels; ++k) {
        QCheckBox* check = m_channelChecks[k];
        if (k < palChannels()) {
            check->setEnabled(false);
            check->setText(captionText(m_document.record().Channels[k].ChName));
            // The grid's heads say "Ch1".."Ch8" for every row: each control names its channel.
            const QString channel =
                QStringLiteral("Ch%1 %2")
                    .arg(k + 1)
                    .arg(shownText(m_document.record().Channels[k].ChName).trimmed())
                    .trimmed();
            for (QWidget* w : {static_cast<QWidget*>(check), static_cast<QWidget*>(m_sliders[k]),
                               static_cast<QWidget*>(m_valueBoxes[k])}) {
                w->setAccessibleName(channel);
                w->setToolTip(channel);
            }
            check->show();
        } else {
            check->hide();
        }
    }
    m_paletteName->setEnabled(false);
    setEntryButtonsEnabled(true);
    LoadPalette();
}

// --- Operations between the store and the form --------------------------------------------

void PaletteEdit::LoadPalette()
{
    const int p = m_curPalette;
    setEntryEditorsVisible(false);
    for (int k = 0; k < fx::MaxChannels; ++k) {
        if (k >= palChannels()) {
            m_sliders[k]->hide();
            m_valueBoxes[k]->hide();
            continue;
        }
        const bool used = m_document.record().PalChannelUsed[p][k] != 0;
        m_channelChecks[k]->setChecked(used);
        m_sliders[k]->setVisible(used);
        m_valueBoxes[k]->setVisible(used);
    }
    for (int e = 0; e < fx::PaletteEntryCount; ++e)
        m_entryButtons[e]->setText(captionText(m_document.record().PalEntryName[p][e]));
    nameEntryButtons();
    m_paletteName->setText(nameBoxText(m_document.record().PalName[p]));
}

void PaletteEdit::OpenEntry(int entry)
{
    const int p = m_curPalette;
    m_curEntry = entry;
    m_entryName->setText(nameBoxText(m_document.record().PalEntryName[p][entry]));
    for (int k = 0; k < fx::MaxChannels; ++k) {
        const int value = m_document.record().PalValue[p][entry][k];
        const QSignalBlocker blocker(m_sliders[k]);
        m_sliders[k]->setValue(value);
        setEntryValue(k, value);
    }
}

void PaletteEdit::StoreEntry()
{
    const int p = m_curPalette;
    const int e = m_curEntry;
    const fx::PaletteName name = nameFromBox(m_entryName);
    const auto values = m_entryValues;
    m_document.push(m_document.core().storePaletteEntry(p, e, name, values));
    m_entryButtons[m_curEntry]->setText(captionText(name));
}

void PaletteEdit::StoreSetting()
{
    const int p = m_curPalette;
    const fx::PaletteName name = nameFromBox(m_paletteName);
    std::array<std::uint8_t, fx::MaxChannels> used{};
    for (int k = 0; k < fx::MaxChannels; ++k)
        used[k] = m_channelChecks[k]->isChecked() ? 1 : 0;
    m_document.push(m_document.core().storePaletteSetting(p, name, used));
}

// --- Event handlers ------------------------------------------------------------------------

void PaletteEdit::tabChosen(int index)
{
    if (index < 0 || index >= fx::PaletteCount)
        return;
    if (m_settingMode) {
        // The question concerns the palette being left: CurPalette, the check boxes and the name
        // box still hold it.
        const auto answer = m_services.dialogs.ask(
            this, QStringLiteral("Save Select"), QStringLiteral("Do you wish to save changes?"),
            ui::Dialogs::Buttons::OkCancel, ui::Dialogs::Icon::None);
        if (answer == ui::Dialogs::Answer::Ok)
            StoreSetting();
        m_settingMode = false;
        m_settingButton->setText(QStringLiteral("Updata Setting"));
        m_paletteName->setEnabled(false);
        setSelectionEnabled(false);
        // The entries stay locked until the setting mode has been entered and left again.
        setEntryButtonsEnabled(false);
    }
    for (QCheckBox* check : m_channelChecks)
        check->setChecked(false);
    m_curPalette = index;
    m_settingFrame->setTitle(m_tabs->tabText(index) + QStringLiteral(" Edit"));
    LoadPalette();
}

void PaletteEdit::settingButtonClicked()
{
    if (!m_settingMode) {
        m_settingMode = true;
        m_settingButton->setText(QStringLiteral("Save Setting"));
        setSelectionEnabled(true);
        m_paletteName->setEnabled(true);
        setEntryButtonsEnabled(false);
        m_paletteName->setFocus();
    } else {
        StoreSetting();
        m_settingMode = false;
        m_settingButton->setText(QStringLiteral("Updata Setting"));
        setSelectionEnabled(false);
        m_paletteName->setEnabled(false);
        setEntryButtonsEnabled(true);
    }
}

void PaletteEdit::entryButtonClicked(int entry)
{
    m_tabs->setEnabled(false);
    m_settingButton->setEnabled(false);
    setEntryEditorsVisible(true);
    setEntryButtonsEnabled(false);
    OpenEntry(entry);
    m_entryName->setFocus();
    emit entryTried(m_curPalette, entry, m_entryValues);
}

void PaletteEdit::saveEntryClicked()
{
    m_tabs->setEnabled(true);
    m_settingButton->setEnabled(true);
    setEntryEditorsVisible(false);
    setEntryButtonsEnabled(true);
    StoreEntry();
    nameEntryButtons();
    emit entryLeft();
}

void PaletteEdit::cancelEntryClicked()
{
    // Nothing is stored; the sliders keep showing the discarded values until the next entry is
    // opened.
    setEntryButtonsEnabled(true);
    m_tabs->setEnabled(true);
    m_settingButton->setEnabled(true);
    setEntryEditorsVisible(false);
    emit entryLeft();
}

void PaletteEdit::sliderMoved(int channel, int value)
{
    setEntryValue(channel, value);
    if (!m_entryName->isHidden())
        emit entryTried(m_curPalette, m_curEntry, m_entryValues);
}

void PaletteEdit::hideEvent(QHideEvent* event)
{
    emit entryLeft();
    QWidget::hideEvent(event);
}

void PaletteEdit::valueTyped(int channel, const QString& text)
{
    // The box's validator lets through 0 to 255 only; an empty box moves nothing until a number
    // is typed (and shows the slider's value again when left).
    bool ok = false;
    const int value = text.toInt(&ok);
    if (ok && value >= 0 && value <= 255)
        m_sliders[channel]->setValue(value);
}

// --- Helpers ---------------------------------------------------------------------------------

void PaletteEdit::showStripsOfTickedChannels()
{
    for (int k = 0; k < fx::MaxChannels; ++k) {
        const bool ticked = m_channelChecks[k]->isChecked();
        m_sliders[k]->setVisible(ticked);
        m_valueBoxes[k]->setVisible(ticked);
    }
}

void PaletteEdit::setEntryButtonsEnabled(bool enabled)
{
    for (QPushButton* button : m_entryButtons) {
        button->setEnabled(enabled);
        if (enabled) {
            QPalette lightBlue = button->palette();
            lightBlue.setColor(QPalette::Button, entryButtonColour());
            button->setPalette(lightBlue);
        } else {
            // Back to the face colour the button inherits from the form.
            button->setPalette(QPalette());
        }
    }
}

void PaletteEdit::setSelectionEnabled(bool enabled)
{
    for (int k = 0; k < fx::MaxChannels; ++k) {
        if (k < palChannels())
            m_channelChecks[k]->setEnabled(enabled);
        else
            m_channelChecks[k]->hide();
    }
}

void PaletteEdit::setEntryEditorsVisible(bool visible)
{
    m_saveButton->setVisible(visible);
    m_cancelButton->setVisible(visible);
    m_entryName->setVisible(visible);
    m_entryNameLabel->setVisible(visible);
}

void PaletteEdit::setEntryValue(int channel, int value)
{
    m_entryValues[channel] = static_cast<std::uint8_t>(value);
    // A box being typed into already shows the value ("7" and "007" alike); rewriting it would
    // move the caret under the user's fingers.
    QLineEdit* box = m_valueBoxes[channel];
    bool ok = false;
    if (box->text().toInt(&ok) != value || !ok)
        box->setText(QString::number(value));
}

void PaletteEdit::nameEntryButtons()
{
    for (int e = 0; e < fx::PaletteEntryCount; ++e) {
        const QString name = shownText(m_document.record().PalEntryName[m_curPalette][e]).trimmed();
        m_entryButtons[e]->setAccessibleName(name.isEmpty() ? QStringLiteral("Entry %1").arg(e + 1)
                                                            : name);
    }
}
