#pragma once

#include "ui/Editor.h"
#include "ui/RecordDocuments.h"

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
// editor; it is created once and kept for the whole run. Every change of the fixture is an edit
// of its document, undone and redone in the "&Edit" menu.
class LedFixture : public QWidget, public ui::Editor {
    Q_OBJECT
public:
    explicit LedFixture(ui::Services& services, QWidget* parent = nullptr);
    ~LedFixture() override;

    // Start-up, run each time the window is opened: a fresh fixture of 8 channels and a fresh
    // history.
    void load() override;

    const fx::LedFixtureRecord& record() const { return m_document->core().record(); }
    ui::LedDocument& document() const { return *m_document; }

    // Whether the fixture differs from the one last saved, opened or started: from the undo
    // stack's clean state.
    bool isModified() const override { return m_document->isModified(); }
    bool maybeDiscard() override;

private:
    void buildForm();
    void channelCountPicked(int index);
    // Shows channelCount channels; the channels keep what they hold, those past the count are
    // hidden.
    void FillLedGrid(int channelCount);
    // Asks for a file name and writes the fixture into it (the Save button); true when the file
    // was written.
    bool SaveLedFixture();
    // Asks for an LED fixture setup file and shows it in the form ("&Open LED Fixture"). A file
    // the reader refuses is named in a message and nothing changes.
    void OpenLedFixture();
    // The name box and the count list from the record (after an edit, undo, redo or open).
    void showRecord();

    ui::Services& m_services;
    ui::LedDocument* m_document = nullptr;
    LedFixtureModel* m_model = nullptr;

    QLineEdit* m_nameBox = nullptr;      // Text1
    QComboBox* m_countList = nullptr;    // Combo1
    QLineEdit* m_panMirror = nullptr;    // Text4
    QLineEdit* m_tiltMirror = nullptr;   // Text2
    LedFixtureGrid* m_grid = nullptr;    // MSFlexGrid1
    QPushButton* m_saveButton = nullptr; // Command1
};
