#pragma once

#include "fixtureedit/ChannelNameEditor.h"

class ChannelNameList;
class ChannelTableModel;
class QWidget;

namespace ui {
struct Services;
}

// CheckTypedName: a name typed into the name editor that the name set does not hold is offered
// for adding. On yes it goes into the set, the file "ChNameSet.fix", the name list and the channel
// of the row it was typed in; on no the caller empties that cell. Each typing is checked once.
class TypedNameCheck {
public:
    enum class Outcome { Nothing, Added, Refused };

    TypedNameCheck(ChannelNameList& names, ChannelTableModel& model, ui::Services& services);

    // Runs the check on typed (which it clears). parent is the window messages belong to.
    Outcome run(TypedName& typed, QWidget* parent);

private:
    ChannelNameList& m_names;
    ChannelTableModel& m_model;
    ui::Services& m_services;
};

// The title of messages that speak for the whole program.
QString applicationTitle();
