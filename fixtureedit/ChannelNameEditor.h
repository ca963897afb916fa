#pragma once

#include <QComboBox>

// Combo10, the drop-down with an edit field over a "Channel Name" cell. Its key filter stops
// letters and digits once the text holds 13 characters (blanks and punctuation still go in), and
// only Latin-1 characters are taken. The text is the typed name itself: no completion rewrites it
// and no typed text joins the list behind the name set's back.
class ChannelNameEditor : public QComboBox {
    Q_OBJECT
public:
    explicit ChannelNameEditor(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
