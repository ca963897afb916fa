#pragma once

#include "core/FixtureRecord.h"

#include <QDialog>

#include <string>

class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QSpinBox;

// "Fill...": asks for the number of steps to append to a channel (1 to 255), the first and the
// last DMX value of the range they split, and a name pattern in which "#" stands for the step's
// number. OK is offered only for values the fill can carry out on that channel; the reason is
// shown otherwise.
class FillStepsDialog : public QDialog {
    Q_OBJECT
public:
    // channel: 0-based; the record tells how much room the channel has left.
    FillStepsDialog(const fx::FixtureRecord& record, int channel, QWidget* parent = nullptr);

    int count() const;
    int first() const;
    int last() const;
    QString pattern() const;
    // The pattern as the record's one-byte characters.
    std::string latin1Pattern() const;

private:
    void validate();

    const fx::FixtureRecord& m_record;
    int m_channel;
    QSpinBox* m_count = nullptr;
    QSpinBox* m_first = nullptr;
    QSpinBox* m_last = nullptr;
    QLineEdit* m_pattern = nullptr;
    QLabel* m_reason = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
};
