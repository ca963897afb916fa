#pragma once

#include "core/FixtureRecord.h"
#include "ui/Editor.h"

#include <QWidget>

#include <array>
#include <cstdint>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QTabBar;

namespace ui {
class Document;
struct Services;
} // namespace ui

// The palette editor: names the ten palettes of the fixture, chooses the channels each one
// controls and sets the values of its ten entries. Each store is one edit of the fixture
// document.
//
// It is always in one of four states: viewing a palette, viewing with the entry buttons locked
// (after a tab change out of the setting mode), editing one entry, or editing the palette's name
// and channel selection (the setting mode). Only StoreEntry and StoreSetting write to the record;
// closing the window drops whatever they have not written.
class PaletteEdit : public QWidget, public ui::Editor {
    Q_OBJECT
public:
    PaletteEdit(ui::Document& document, ui::Services& services, QWidget* parent = nullptr);

    // The form's start-up: a fresh working state on palette 1, in the viewing state, showing the
    // first PalChannels channels. Called every time the window is opened.
    void load() override;
    // Its stores are edits of the fixture, which the fixture editor asks about; what is not
    // stored is dropped with the window.
    bool isModified() const override { return false; }
    bool maybeDiscard() override { return true; }

    int curPalette() const { return m_curPalette; }
    int curEntry() const { return m_curEntry; }
    bool settingMode() const { return m_settingMode; }
    // Whether an entry or the palette's setting is being edited and not yet stored.
    bool isEditing() const;

    // The colour of the entry buttons while they can be clicked.
    static QColor entryButtonColour();

signals:
    // The form never closes itself; closing its window is the navigation's business. Declared so
    // that every editor offers the navigation the same signal.
    void closeRequested();
    // An entry is being tried on the lamp: the values its sliders show, when it is opened and at
    // every move; entryLeft when it is stored or dropped, or the form is hidden.
    void entryTried(int palette, int entry,
                    const std::array<std::uint8_t, fx::MaxChannels>& values);
    void entryLeft();

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void buildControls();
    QWidget* buildSettingFrame();
    QWidget* buildPresetFrame();

    // Operations between the record's palette CurPalette and the form.
    void LoadPalette();
    void OpenEntry(int entry);
    void StoreEntry();
    void StoreSetting();

    // Event handlers.
    void tabChosen(int index);
    void settingButtonClicked();
    void entryButtonClicked(int entry);
    void saveEntryClicked();
    void cancelEntryClicked();
    void sliderMoved(int channel, int value);
    // A value typed into channel's value box moves its slider.
    void valueTyped(int channel, const QString& text);

    void showStripsOfTickedChannels();
    void setEntryButtonsEnabled(bool enabled);
    void setSelectionEnabled(bool enabled);
    void setEntryEditorsVisible(bool visible);
    void setEntryValue(int channel, int value);
    // Entry buttons are announced by the entry's name, or "Entry n" while it has none.
    void nameEntryButtons();
    int palChannels() const;

    ui::Document& m_document;
    ui::Services& m_services;

    // Working state: the palette shown, the entry being edited, whether the palette's setting is
    // being edited, and the values of the entry being edited.
    int m_curPalette = 0;
    int m_curEntry = 0;
    bool m_settingMode = false;
    std::array<std::uint8_t, fx::MaxChannels> m_entryValues{};

    QTabBar* m_tabs = nullptr;
    QGroupBox* m_settingFrame = nullptr;
    QPushButton* m_settingButton = nullptr;
    QLineEdit* m_paletteName = nullptr;
    std::array<QCheckBox*, fx::MaxChannels> m_channelChecks{};
    std::array<QPushButton*, fx::PaletteEntryCount> m_entryButtons{};
    QLabel* m_entryNameLabel = nullptr;
    QLineEdit* m_entryName = nullptr;
    QPushButton* m_saveButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
    std::array<QLabel*, fx::MaxChannels> m_stripLabels{};
    std::array<QSlider*, fx::MaxChannels> m_sliders{};
    std::array<QLineEdit*, fx::MaxChannels> m_valueBoxes{};
};
