#pragma once

#include <QComboBox>

#include <functional>

// What the name editor records of a name being typed, for the check against the name set.
struct TypedName {
    QString text;       // TypedName
    bool typed = false; // NameTyped
    int row = -1;       // NameRow, 0-based channel of the cell typed into
    int column = -1;    // NameCol
};

// Combo10, the drop-down with an edit field over a "Channel Name" cell. A text the user edits is
// recorded as a typed name; its key filter stops letters and digits once the text holds 13
// characters (blanks and punctuation still go in), and only Latin-1 characters are taken.
class ChannelNameEditor : public QComboBox {
    Q_OBJECT
public:
    // cell gives the grid's current row and column at the moment the text is edited.
    ChannelNameEditor(TypedName& typed, std::function<QPoint()> cell, QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    TypedName& m_typed;
    std::function<QPoint()> m_cell;
};
