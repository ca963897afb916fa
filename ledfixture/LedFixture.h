#pragma once

#include "core/LedFixtureFile.h"

#include <QWidget>

class QComboBox;
class QLineEdit;
class QPushButton;
class LedFixtureGrid;
class LedFixtureModel;

namespace ui {
struct Services;
}

// The LED fixture editor ("LED Fixture Edit"): a small LED fixture of 1 to 10 channels, each a
// colour or function, a channel type and, for 16-bit types, a partner channel, saved as the
// 512-byte LED fixture setup file. It keeps its own fixture and shares nothing with the fixture
// editor; it is created once and kept for the whole run.
class LedFixture : public QWidget {
    Q_OBJECT
public:
    explicit LedFixture(ui::Services& services, QWidget* parent = nullptr);
    ~LedFixture() override;

    // Start-up, run each time the window is opened: a fresh fixture of 8 channels.
    void load();

    const fx::LedFixtureRecord& record() const { return m_record; }

private:
    void buildForm();
    void channelCountPicked(int index);
    // Shows channelCount channels; the channels keep what they hold, those past the count are
    // hidden.
    void FillLedGrid(int channelCount);
    // Asks for a file name and writes the fixture into it (the Save button).
    void SaveLedFixture();
    // Asks for an LED fixture setup file and shows it in the form ("&Open LED Fixture"). A file
    // the reader refuses is named in a message and nothing changes.
    void OpenLedFixture();

    ui::Services& m_services;
    fx::LedFixtureRecord m_record;
    LedFixtureModel* m_model = nullptr;

    QLineEdit* m_nameBox = nullptr;      // Text1
    QComboBox* m_countList = nullptr;    // Combo1
    QLineEdit* m_panMirror = nullptr;    // Text4
    QLineEdit* m_tiltMirror = nullptr;   // Text2
    LedFixtureGrid* m_grid = nullptr;    // MSFlexGrid1
    QPushButton* m_saveButton = nullptr; // Command1
};
