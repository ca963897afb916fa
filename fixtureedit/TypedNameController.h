#pragma once

#include <QObject>
#include <QString>

class ChannelNameList;
class ChannelTableModel;
class QWidget;

namespace ui {
struct Services;
}

// A name typed into a "Channel Name" cell, awaiting the check against the name set.
struct TypedName {
    QString text;       // TypedName
    bool typed = false; // NameTyped
    int row = -1;       // NameRow, 0-based channel of the cell typed into
    int column = -1;    // NameCol
};

// CheckTypedName: a typed name the name set lacks is offered for adding. On yes it goes into the
// set, the file "ChNameSet.fix" and the name list, and the channel of the row it was typed in
// takes it (an undo takes it off the channel; the set and the file keep it). On no, or when the
// set has no free place, the cell it was typed in is emptied and the channel loses its name, so
// that no list shows a name the cell does not. Each typing is checked once; the grid says when
// (see ChannelGrid), and a fixture shown anew forgets it.
class TypedNameController : public QObject {
    Q_OBJECT
public:
    enum class Outcome { Nothing, Added, Refused };

    // Messages are shown over dialogParent's window.
    TypedNameController(ChannelTableModel& model, ChannelNameList& names, ui::Services& services,
                        QWidget* dialogParent);

    const TypedName& pending() const { return m_typed; }
    // The user edited the text of row's name cell.
    void typed(int row, const QString& text);
    void forget() { m_typed = TypedName(); }
    // Checks the pending name, if any, and clears it.
    Outcome check();

private:
    ChannelTableModel& m_model;
    ChannelNameList& m_names;
    ui::Services& m_services;
    QWidget* m_dialogParent;
    TypedName m_typed;
};
