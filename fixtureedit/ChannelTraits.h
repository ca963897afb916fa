#pragma once

#include <QGroupBox>

namespace ui {
class Dialogs;
class Document;
} // namespace ui
class QComboBox;
class QLabel;
class QPushButton;
class StepGrid;
class StepGridModel;

// The "Channel Traits" frame: the steps of one channel, chosen in Combo9, with Add, Insert,
// Delete and Copy (from Combo11 to Combo12); the three choosers list the channels of one
// ChannelListModel. objectName "Frame2", title "Channel Traits".
class ChannelListModel;

class ChannelTraits : public QGroupBox {
    Q_OBJECT
public:
    ChannelTraits(ui::Document& document, ui::Dialogs& dialogs, QWidget* parent = nullptr);

    // ResetFixture: the choosers on the first channel, the steps grid the "No Steps" row with
    // empty cells, whatever the record holds. The choosers' entries follow the document by
    // themselves (ChannelListModel).
    void resetChannels();
    // Combo9 selects channel0 and the grid shows its steps (FillStepGrid).
    void selectChannel(int channel0);
    // FillStepGrid(c).
    void fillStepGrid(int channel0);
    // The Combo9 selection, -1 for none.
    int currentChannel() const;
    // Ends a step cell edit in progress and stores it (the save calls this first).
    void commitOpenEdit();
    // Hides the step cell editor without storing (the open calls this).
    void hideEditor();
    // Updates the "steps used of 204" label from the record (it follows every change of the
    // document by itself).
    void refreshUsage();
    QComboBox* channelChooser() const; // Combo9
    // Shows channel0's steps with step (0-based) current, as a jump from the problem list does.
    void selectStep(int channel0, int step);
    StepGrid* stepGrid() const { return m_grid; }

private:
    void insertStep();
    void copySteps();
    // "Fill...": evenly split steps appended to the channel; "Sort": its steps ordered by From.
    void fillSteps();
    void sortSteps();

    ui::Document& m_document;
    ui::Dialogs& m_dialogs;
    ChannelListModel* m_channels = nullptr; // the entries of the three choosers
    QComboBox* m_channel = nullptr;         // Combo9
    QComboBox* m_copyFrom = nullptr;        // Combo11
    QComboBox* m_copyTo = nullptr;          // Combo12
    StepGridModel* m_model = nullptr;
    StepGrid* m_grid = nullptr; // MSFlexGrid2
    QLabel* m_usage = nullptr;  // how many of the file's step places the fixture uses
    QPushButton* m_add = nullptr;
    QPushButton* m_insert = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_copy = nullptr;
    QPushButton* m_fill = nullptr;
    QPushButton* m_sort = nullptr;
};
