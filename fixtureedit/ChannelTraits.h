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
// Delete and Copy. objectName "Frame2", title "Channel Traits".
class ChannelTraits : public QGroupBox {
    Q_OBJECT
public:
    ChannelTraits(ui::Document& document, ui::Dialogs& dialogs, QWidget* parent = nullptr);

    // ResetFixture(n): Combo9 gets "Chan 1-" .. "Chan n-", Combo11/Combo12 "Chan 1" .. "Chan n",
    // the first entries selected, the steps grid the "No Steps" placeholder. Raises no handler
    // work.
    void resetChannels(int n);
    // Count raised from oldCount to newCount (1-based channels oldCount+1..newCount appended):
    // Combo9 gets "Chan i-" only when userEditing; Combo11/Combo12 always get "Chan i".
    void addChannels(int oldCount, int newCount, bool userEditing);
    // Count lowered: each of Combo9/11/12 whose selection is a removed channel first selects its
    // first entry, then the entries of the removed channels go.
    void removeChannels(int oldCount, int newCount);
    // Entry channel0 of Combo9 becomes "Chan" + Str(channel0+1) + " - " + name (name as given,
    // e.g. the 12-character ChName with its blanks); appended when the list is shorter. Does not
    // change the selection.
    void setChannelLabel(int channel0, const QString& name);
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
    QComboBox* m_channel = nullptr;  // Combo9
    QComboBox* m_copyFrom = nullptr; // Combo11
    QComboBox* m_copyTo = nullptr;   // Combo12
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
