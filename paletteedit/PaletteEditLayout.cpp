// The controls of the palette editor and where they sit.
#include "paletteedit/PaletteEdit.h"

#include "ui/Latin1Validator.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QVBoxLayout>

namespace {

constexpr int StripsPerRow = 20;
constexpr int ChecksPerRow = 8;
constexpr int StripWidth = 38;
constexpr int SliderWidth = 20;
constexpr int SliderHeight = 120;

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

    m_tabs = new QTabBar(this);
    m_tabs->setObjectName(QStringLiteral("TabStrip1"));
    m_tabs->setExpanding(false);
    m_tabs->setDrawBase(true);
    for (int p = 0; p < fx::PaletteCount; ++p)
        m_tabs->addTab(QStringLiteral("Palette%1").arg(p + 1));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(buildSettingFrame());
    layout->addWidget(buildPresetFrame());
    layout->addStretch(1);
}

QWidget* PaletteEdit::buildSettingFrame()
{
    m_settingFrame = new QGroupBox(QStringLiteral("Palette1 Edit"), this);
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
    left->addWidget(makeLabel(QStringLiteral("Name:"), QStringLiteral("Label4"), m_settingFrame));
    left->addWidget(m_paletteName);
    left->addStretch(1);

    // Check box k sits in row k / 8 + 1 and column k % 8 + 1, under "Ch1".."Ch8" and beside
    // "1".."5".
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
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
    auto* frame = new QGroupBox(QStringLiteral("Edit Preset"), this);
    frame->setObjectName(QStringLiteral("Frame1"));

    auto* left = new QVBoxLayout;
    left->addWidget(makeLabel(QStringLiteral("Click To Edit:"), QStringLiteral("Label6"), frame));
    for (int e = 0; e < fx::PaletteEntryCount; ++e) {
        auto* button = new QPushButton(frame);
        button->setObjectName(QStringLiteral("Command2_%1").arg(e));
        button->setMinimumWidth(90);
        left->addWidget(button);
        connect(button, &QPushButton::clicked, this, [this, e] { entryButtonClicked(e); });
        m_entryButtons[e] = button;
    }
    left->addSpacing(8);
    m_entryNameLabel = makeLabel(QStringLiteral("Name:"), QStringLiteral("Label1"), frame);
    m_entryName = new QLineEdit(frame);
    m_entryName->setObjectName(QStringLiteral("Text3"));
    m_entryName->setValidator(new ui::Latin1Validator(m_entryName));
    m_entryName->setMaximumWidth(90);
    m_saveButton = new QPushButton(QStringLiteral("Save "), frame);
    m_saveButton->setObjectName(QStringLiteral("Command1"));
    m_cancelButton = new QPushButton(QStringLiteral("Cancel"), frame);
    m_cancelButton->setObjectName(QStringLiteral("Command4"));
    for (QWidget* w :
         {static_cast<QWidget*>(m_entryNameLabel), static_cast<QWidget*>(m_entryName),
          static_cast<QWidget*>(m_saveButton), static_cast<QWidget*>(m_cancelButton)}) {
        keepPlaceWhenHidden(w);
        left->addWidget(w);
    }
    left->addStretch(1);

    // Two rows of 20 strips (label over slider over value box): channels 1..20 above, 21..40
    // below.
    auto* strips = new QGridLayout;
    strips->setHorizontalSpacing(2);
    strips->setVerticalSpacing(2);
    for (int k = 0; k < fx::MaxChannels; ++k) {
        const int row = (k / StripsPerRow) * 4;
        const int column = k % StripsPerRow;

        auto* label =
            makeLabel(QStringLiteral("Ch%1").arg(k + 1), QStringLiteral("Label3_%1").arg(k), frame);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);

        // The top end of a slider is 255: its position 0 stands for the value 255.
        auto* slider = new QScrollBar(Qt::Vertical, frame);
        slider->setObjectName(QStringLiteral("VScroll1_%1").arg(k));
        slider->setRange(0, 255);
        slider->setSingleStep(1);
        slider->setPageStep(16);
        slider->setValue(0);
        slider->setFixedSize(SliderWidth, SliderHeight);
        keepPlaceWhenHidden(slider);
        connect(slider, &QScrollBar::valueChanged, this,
                [this, k](int position) { sliderMoved(k, position); });

        auto* value = new QLineEdit(QStringLiteral("255"), frame);
        value->setObjectName(QStringLiteral("Text1_%1").arg(k));
        value->setReadOnly(true);
        value->setFocusPolicy(Qt::NoFocus);
        value->setAlignment(Qt::AlignCenter);
        value->setFixedWidth(StripWidth);
        keepPlaceWhenHidden(value);

        strips->addWidget(label, row, column, Qt::AlignHCenter);
        strips->addWidget(slider, row + 1, column, Qt::AlignHCenter);
        strips->addWidget(value, row + 2, column, Qt::AlignHCenter);
        m_stripLabels[k] = label;
        m_sliders[k] = slider;
        m_valueBoxes[k] = value;
    }
    strips->setRowMinimumHeight(3, 10);
    strips->setRowStretch(7, 1);

    auto* frameLayout = new QHBoxLayout(frame);
    frameLayout->addLayout(left);
    frameLayout->addSpacing(12);
    frameLayout->addLayout(strips, 1);

    connect(m_saveButton, &QPushButton::clicked, this, &PaletteEdit::saveEntryClicked);
    connect(m_cancelButton, &QPushButton::clicked, this, &PaletteEdit::cancelEntryClicked);
    return frame;
}
