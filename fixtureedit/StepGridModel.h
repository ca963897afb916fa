#pragma once

#include <QAbstractTableModel>

#include <array>
#include <vector>

namespace fx {
struct RecordChange;
struct StepInfo;
} // namespace fx
namespace ui {
class Document;
}

// The steps of one channel as the steps grid shows them: one row per step ("Step 1", name,
// From Dmx, To Dmx), or the single "No Steps" row of a channel without steps. Every change of
// the step table made through the frame goes through this model.
class StepGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { StepColumn, NameColumn, FromColumn, ToColumn, ColumnCount };

    // Editing limits: Add grows a channel to 255 steps, Insert only while it has fewer than 50.
    explicit StepGridModel(ui::Document& document, QObject* parent = nullptr);

    ui::Document& document() const { return m_document; }
    int channel() const { return m_channel; }
    bool isPlaceholder() const { return m_placeholder; }

    // FillStepGrid(c): the steps of channel0, or the "No Steps" row with "0" in its cells.
    void fill(int channel0);
    // The "No Steps" row with empty cells, as a new fixture shows it, whatever the record holds.
    void showEmpty(int channel0);

    // Appends a blank step (on the "No Steps" row it becomes step 1). Returns its row, or -1
    // when the channel already has 255 steps.
    int addStep();
    // Inserts a blank step before the step of row; false when the channel has no steps or 50
    // or more.
    bool insertStep(int row);
    // Deletes the step of row; the only step gives way to the "No Steps" row.
    bool deleteStep(int row);
    // Takes back the step of row that addStep() made, while it is still blank and that add is
    // still the last edit: the step goes, and the history keeps no trace of either (nothing to
    // undo, nothing to redo). Returns whether it did.
    bool takeBackStep(int row);

    // Copy: channel to takes the step count and all 256 step entries of channel from, and the
    // grid shows channel to.
    void copyChannel(int from, int to);

    // A From or To entry as a DMX value: the leading number of the text (blanks, sign,
    // digits, fraction and exponent as typed), rounded to a whole number; no number, or any
    // value outside 0..255 (300, -5, 9e9), reads as 0.
    static int dmxValueFromText(const QString& text);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Stores a cell's text: the name (blank-padded to 8) or the From/To value read by
    // dmxValueFromText; an empty text stores blanks or 0. On the "No Steps" row the value goes
    // into the channel's first entry without making it a step.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

private:
    const fx::StepInfo& entry(int row) const;
    int stepCount() const;
    void documentChanged(const fx::RecordChange& change);
    void numberRows();
    bool isCell(const QModelIndex& index) const;

    ui::Document& m_document;
    const void* m_lastAdd = nullptr; // the history's command of the last addStep()
    int m_channel = 0;
    int m_rows = 1;
    bool m_placeholder = true;
    // What the "No Steps" row shows in Step Name, From Dmx and To Dmx.
    std::array<QString, 3> m_placeholderText;
    // The step number each row's "Step" cell shows. Rows keep their number while they move
    // and are renumbered right after an insert or delete, as a change of their data.
    std::vector<int> m_stepNumber;
};
