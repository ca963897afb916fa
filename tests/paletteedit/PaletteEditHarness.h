#pragma once

// A palette editor on a record of its own, with scripted dialogs, for the tests and the
// screenshot. Controls are found by their objectNames and driven with real mouse and key events.

#include "core/PaletteStore.h"
#include "paletteedit/PaletteEdit.h"
#include "ui/FileAccess.h"
#include "ui/ScriptedDialogs.h"
#include "ui/Services.h"
#include "common/RecordView.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QStyle>
#include <QTabBar>
#include <QTest>

#include <memory>

struct PaletteEditHarness {
    // A fixture of `channels` channels named "Chan1".."ChanN", switched to the palette editor
    // with PalChannels = palChannels.
    PaletteEditHarness(int channels, int palChannels)
        : record{&document}, services{dialogs, files, QString()}
    {
        record.setUp([&](fx::FixtureRecord& r) {
            fx::ResetFixtureRecord(r, channels);
            for (int k = 0; k < fx::MaxChannels; ++k)
                r.Channels[k].ChName.assign("Chan" + std::to_string(k + 1));
        });
        document.setPalChannels(palChannels);
        editor = std::make_unique<PaletteEdit>(document, services);
    }

    // Opens the window as the navigation does; false when it never became active.
    [[nodiscard]] bool open()
    {
        editor->load();
        editor->show();
        editor->activateWindow();
        return QTest::qWaitForWindowActive(editor.get());
    }

    template <typename T> T* find(const QString& name) const { return editor->findChild<T*>(name); }
    QTabBar* tabs() const { return find<QTabBar>("TabStrip1"); }
    QPushButton* settingButton() const { return find<QPushButton>("Command3"); }
    QLineEdit* paletteName() const { return find<QLineEdit>("Text2"); }
    QLineEdit* entryName() const { return find<QLineEdit>("Text3"); }
    QPushButton* saveButton() const { return find<QPushButton>("Command1"); }
    QPushButton* cancelButton() const { return find<QPushButton>("Command4"); }
    QCheckBox* check(int k) const { return find<QCheckBox>(QStringLiteral("Check1_%1").arg(k)); }
    QPushButton* entryButton(int e) const
    {
        return find<QPushButton>(QStringLiteral("Command2_%1").arg(e));
    }
    QSlider* slider(int k) const { return find<QSlider>(QStringLiteral("VScroll1_%1").arg(k)); }
    QLineEdit* valueBox(int k) const { return find<QLineEdit>(QStringLiteral("Text1_%1").arg(k)); }

    void click(QWidget* w) const { QTest::mouseClick(w, Qt::LeftButton); }

    // Clicks the box itself, which works whatever the caption is.
    void clickCheck(int k) const
    {
        QCheckBox* box = check(k);
        const int indicator = box->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, box);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(indicator / 2 + 1, box->height() / 2));
    }

    void chooseTab(int index) const
    {
        QTabBar* bar = tabs();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    }

    void typeInto(QLineEdit* box, const QString& text) const
    {
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Backspace);
        // Key by key, characters beyond Latin-1 included, so that the box's validator sees them.
        for (const QChar c : text)
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }

    // The slider of channel k to the position that stands for value, with the keyboard.
    void setSliderValue(int k, int value) const
    {
        QSlider* bar = slider(k);
        QTest::keyClick(bar, Qt::Key_End); // the top: 255
        for (int v = 255; v > value; --v)
            QTest::keyClick(bar, Qt::Key_Down);
    }

    ui::Document document;
    RecordView record;
    ui::ScriptedDialogs dialogs;
    ui::DiskFileAccess files;
    ui::Services services;
    std::unique_ptr<PaletteEdit> editor;
};
