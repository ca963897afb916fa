// The controls of the palette editor and where they sit.
#include "paletteedit/PaletteEdit.h"

#include "ui/FieldKeys.h"
#include "ui/Latin1Validator.h"
#include "ui/PaneKeys.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QTabBar>
#include <QVBoxLayout>
#include <QValidator>

namespace {

constexpr int StripsPerRow = 20;
constexpr int ChecksPerRow = 8;
constexpr int StripWidth = 34;
constexpr int SliderWidth = 20;
constexpr int SliderHeight = 90;
constexpr int ButtonSpacing = 2;

// The largest size the editor asks for: what a 1366x768 screen leaves inside the main window
// for an editor window. A smaller window scrolls.
constexpr QSize LargestOpeningSize(1320, 560);

// A DMX value box takes 0 to 255 and nothing else; an empty box is allowed while typing.
class DmxValueValidator : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int&) const override
    {
        if (input.isEmpty())
            return Intermediate;
        if (input.size() > 3)
            return Invalid;
        for (const QChar c : input)
            if (c < u'0' || c > u'9')
                return Invalid;
        return input.toInt() <= 255 ? Acceptable : Invalid;
    }
};

// A scroll area that asks for the whole of its form when there is room for it.
class FormScrollArea : public QScrollArea {
public:
    using QScrollArea::QScrollArea;

    QSize sizeHint() const override
    {
        if (!widget())
            return QScrollArea::sizeHint();
        const int frame = 2 * frameWidth();
        QSize hint =
            widget()->sizeHint().expandedTo(widget()->minimumSizeHint()) + QSize(frame, frame);
        if (hint.height() > LargestOpeningSize.height())
            hint.rwidth() += verticalScrollBar()->sizeHint().width();
        return hint.boundedTo(LargestOpeningSize);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // The form's size changes with the channels shown and their names; the window is to
        // hear of it, once the form has laid itself out.
        if (watched == widget() && event->type() == QEvent::LayoutRequest) {
            updateGeometry();
            QMetaObject::invokeMethod(this, &FormScrollArea::growWindow, Qt::QueuedConnection);
        }
        return QScrollArea::eventFilter(watched, event);
    }

    void showEvent(QShowEvent* event) override
    {
        QScrollArea::showEvent(event);
        QMetaObject::invokeMethod(this, &FormScrollArea::growWindow, Qt::QueuedConnection);
    }

private:
    // The editor's MDI window grows to show the whole form while the main window has room (it
    // never shrinks: a size the technician chose stays).
    void growWindow()
    {
        QWidget* editor = parentWidget();
        auto* frame = editor ? qobject_cast<QMdiSubWindow*>(editor->parentWidget()) : nullptr;
        if (!frame || !frame->mdiArea() || !frame->isVisible())
            return;
        const QSize wanted =
            (frame->size() - size() + sizeHint()).boundedTo(frame->mdiArea()->viewport()->size());
        if (wanted.width() > frame->width() || wanted.height() > frame->height())
            frame->resize(frame->size().expandedTo(wanted));
    }
};

// Keeps a control's place in its grid while it is hidden, so that the check box grid stays under
// its heads and the channel strips do not move when channels are selected.
void keepPlaceWhenHidden(QWidget* widget)
{
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}

QLabel* makeLabel(const QString& text, const QString& name, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

} // namespace

void PaletteEdit::buildControls()
{
    setObjectName(QStringLiteral("PaletteEdit"));
    setWindowTitle(QStringLiteral("Palette Edit Rev1.06"));

    // The form scrolls when its window is smaller than the form, and the control that takes
    // the focus is scrolled into view, so that typing never goes into a box nobody can see.
    auto* scroll = new FormScrollArea(this);
    scroll->setObjectName(QStringLiteral("PaletteEditScroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    auto* content = new QWidget(scroll);
    content->setObjectName(QStringLiteral("PaletteEditContent"));

    m_tabs = new QTabBar(content);
    m_tabs->setObjectName(QStringLiteral("TabStrip1"));
    m_tabs->setAccessibleName(QStringLiteral("Palettes"));
    m_tabs->setExpanding(false);
    m_tabs->setDrawBase(true);
    for (int p = 0; p < fx::PaletteCount; ++p)
        m_tabs->addTab(QStringLiteral("Palette%1").arg(p + 1));

    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    layout->addWidget(m_tabs);
    layout->addWidget(buildSettingFrame());
    layout->addWidget(buildPresetFrame());
    layout->addStretch(1);
    scroll->setWidget(content);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);

    connect(qApp, &QApplication::focusChanged, scroll, [scroll, content](QWidget*, QWidget* now) {
        if (now && content->isAncestorOf(now))
            scroll->ensureWidgetVisible(now, 8, 8);
    });
}

QWidget* PaletteEdit::buildSettingFrame()
{
    m_settingFrame = new QGroupBox(QStringLiteral("Palette1 Edit"), m_tabs->parentWidget());
    m_settingFrame->setObjectName(QStringLiteral("Frame2"));

    m_settingButton = new QPushButton(QStringLiteral("Update Setting"), m_settingFrame);
    m_settingButton->setObjectName(QStringLiteral("Command3"));
    m_settingButton->setToolTip(QStringLiteral("Click To Change Setting"));

    m_paletteName = new QLineEdit(m_settingFrame);
    m_paletteName->setObjectName(QStringLiteral("Text2"));
    m_paletteName->setValidator(new ui::Latin1Validator(m_paletteName));

    auto* left = new QVBoxLayout;
    left->addWidget(m_settingButton);
    left->addSpacing(8);
    QLabel* nameLabel =
        makeLabel(QStringLiteral("Name:"), QStringLiteral("Label4"), m_settingFrame);
    ui::labelControl(nameLabel, m_paletteName);
    left->addWidget(nameLabel);
    left->addWidget(m_paletteName);
    left->addStretch(1);

    // Check box k sits in row k / 8 + 1 and column k % 8 + 1, under "Ch1".."Ch8" and beside
    // "1".."5".
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);
    for (int column = 0; column < ChecksPerRow; ++column)
        grid->addWidget(makeLabel(QStringLiteral("Ch%1").arg(column + 1),
                                  QStringLiteral("Label5_%1").arg(column), m_settingFrame),
                        0, column + 1);
    for (int row = 0; row < fx::MaxChannels / ChecksPerRow; ++row)
        grid->addWidget(makeLabel(QString::number(row + 1),
                                  QStringLiteral("Label5_%1").arg(ChecksPerRow + row),
                                  m_settingFrame),
                        row + 1, 0);
    for (int k = 0; k < fx::MaxChannels; ++k) {
        auto* check = new QCheckBox(m_settingFrame);
        check->setObjectName(QStringLiteral("Check1_%1").arg(k));
        keepPlaceWhenHidden(check);
        grid->addWidget(check, k / ChecksPerRow + 1, k % ChecksPerRow + 1);
        connect(check, &QCheckBox::clicked, this, &PaletteEdit::showStripsOfTickedChannels);
        m_channelChecks[k] = check;
    }

    auto* frameLayout = new QHBoxLayout(m_settingFrame);
    frameLayout->addLayout(left);
    frameLayout->addSpacing(12);
    frameLayout->addLayout(grid, 1);

    connect(m_settingButton, &QPushButton::clicked, this, &PaletteEdit::settingButtonClicked);
    connect(m_tabs, &QTabBar::currentChanged, this, &PaletteEdit::tabChosen);
    return m_settingFrame;
}

QWidget* PaletteEdit::buildPresetFrame()
{
    auto* frame = new QGroupBox(QStringLiteral("Edit Preset"), m_tabs->parentWidget());
    frame->setObjectName(QStringLiteral("Frame1"));
    // The entry column and the channel strips are one pane each for F6.
    auto* entryPane = new QWidget(frame);
    entryPane->setObjectName(QStringLiteral("EntryPane"));
    auto* stripPane = new QWidget(frame);
    stripPane->setObjectName(QStringLiteral("StripPane"));

    auto* left = new QVBoxLayout(entryPane);
    left->setContentsMargins(0, 0, 0, 0);
    left->setSpacing(ButtonSpacing);
    left->addWidget(
        makeLabel(QStringLiteral("Click To Edit:"), QStringLiteral("Label6"), entryPane));
    // The ten entry buttons in two columns of five (1 to 5, then 6 to 10), so that the entry's
    // name box and "Save " / "Cancel" under them stay on a 1366x768 screen.
    auto* entryGrid = new QGridLayout;
    entryGrid->setSpacing(ButtonSpacing);
    left->addLayout(entryGrid);
    constexpr int EntryRows = fx::PaletteEntryCount / 2;
    for (int e = 0; e < fx::PaletteEntryCount; ++e) {
        auto* button = new QPushButton(entryPane);
        button->setObjectName(QStringLiteral("Command2_%1").arg(e));
        button->setMinimumWidth(80);
        entryGrid->addWidget(button, e % EntryRows, e / EntryRows);
        connect(button, &QPushButton::clicked, this, [this, e] { entryButtonClicked(e); });
        m_entryButtons[e] = button;
    }
    left->addSpacing(6);
    m_entryNameLabel = makeLabel(QStringLiteral("Name:"), QStringLiteral("Label1"), entryPane);
    m_entryName = new QLineEdit(entryPane);
    m_entryName->setObjectName(QStringLiteral("Text3"));
    m_entryName->setValidator(new ui::Latin1Validator(m_entryName));
    ui::labelControl(m_entryNameLabel, m_entryName);
    m_saveButton = new QPushButton(QStringLiteral("Save "), entryPane);
    m_saveButton->setObjectName(QStringLiteral("Command1"));
    m_cancelButton = new QPushButton(QStringLiteral("Cancel"), entryPane);
    m_cancelButton->setObjectName(QStringLiteral("Command4"));
    for (QWidget* w : {static_cast<QWidget*>(m_entryNameLabel), static_cast<QWidget*>(m_entryName),
                       static_cast<QWidget*>(m_saveButton), static_cast<QWidget*>(m_cancelButton)})
        keepPlaceWhenHidden(w);
    // The entry name box with its label beside it, then "Save " and "Cancel" side by side, so
    // that the form fits a laptop screen.
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(m_entryNameLabel);
    nameRow->addWidget(m_entryName, 1);
    left->addLayout(nameRow);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->setSpacing(ButtonSpacing);
    buttonRow->addWidget(m_saveButton);
    buttonRow->addWidget(m_cancelButton);
    left->addLayout(buttonRow);
    left->addStretch(1);

    // Two rows of 20 strips (label over slider over value box): channels 1..20 above, 21..40
    // below. Tab runs strip by strip, each slider then its value box.
    auto* strips = new QGridLayout(stripPane);
    strips->setContentsMargins(0, 0, 0, 0);
    strips->setHorizontalSpacing(2);
    strips->setVerticalSpacing(2);
    for (int k = 0; k < fx::MaxChannels; ++k) {
        const int row = (k / StripsPerRow) * 4;
        const int column = k % StripsPerRow;
        const QString name = QStringLiteral("Ch%1").arg(k + 1);

        auto* label = makeLabel(name, QStringLiteral("Label3_%1").arg(k), stripPane);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);

        // The slider's value is the DMX value, 255 at the top: arrows, Page Up/Down, Home (0)
        // and End (255) move it, and a screen reader reads the value itself.
        auto* slider = new QSlider(Qt::Vertical, stripPane);
        slider->setObjectName(QStringLiteral("VScroll1_%1").arg(k));
        slider->setRange(0, 255);
        slider->setSingleStep(1);
        slider->setPageStep(16);
        slider->setValue(255);
        slider->setFocusPolicy(Qt::StrongFocus);
        slider->setFixedSize(SliderWidth, SliderHeight);
        slider->setAccessibleName(name);
        keepPlaceWhenHidden(slider);
        connect(slider, &QSlider::valueChanged, this,
                [this, k](int value) { sliderMoved(k, value); });

        // The value box shows the slider's value and takes a typed one, 0 to 255.
        auto* value = new QLineEdit(QStringLiteral("255"), stripPane);
        value->setObjectName(QStringLiteral("Text1_%1").arg(k));
        value->setValidator(new DmxValueValidator(value));
        value->setMaxLength(3);
        value->setAlignment(Qt::AlignCenter);
        value->setFixedWidth(StripWidth);
        value->setAccessibleName(name);
        ui::selectAllOnKeyboardFocus(value);
        keepPlaceWhenHidden(value);
        connect(value, &QLineEdit::textEdited, this,
                [this, k](const QString& text) { valueTyped(k, text); });
        connect(value, &QLineEdit::editingFinished, this,
                [this, k] { m_valueBoxes[k]->setText(QString::number(m_sliders[k]->value())); });

        strips->addWidget(label, row, column, Qt::AlignHCenter);
        strips->addWidget(slider, row + 1, column, Qt::AlignHCenter);
        strips->addWidget(value, row + 2, column, Qt::AlignHCenter);
        m_stripLabels[k] = label;
        m_sliders[k] = slider;
        m_valueBoxes[k] = value;
    }
    strips->setRowMinimumHeight(3, 6);
    strips->setRowStretch(7, 1);

    auto* frameLayout = new QHBoxLayout(frame);
    frameLayout->addWidget(entryPane);
    frameLayout->addSpacing(12);
    frameLayout->addWidget(stripPane, 1);

    ui::installPaneKeys(this, {m_tabs, m_settingFrame, entryPane, stripPane});

    connect(m_saveButton, &QPushButton::clicked, this, &PaletteEdit::saveEntryClicked);
    connect(m_cancelButton, &QPushButton::clicked, this, &PaletteEdit::cancelEntryClicked);
    return frame;
}
