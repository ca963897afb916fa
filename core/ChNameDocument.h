#pragma once

#include "core/ChNameSet.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace fx {

// One user edit of the channel name editor's set: the entries it changed, before and after.
struct ChNameEdit {
    using Entries = std::vector<std::pair<int, ChNameRec>>;

    std::string name; // for "Undo <name>"
    int mergeKey = 0;
    Entries before;
    Entries after;

    bool empty() const { return after.empty(); }
    // Edits of the same entries with the same key become one.
    bool absorb(const ChNameEdit& next);
};

// The channel name editor's own copy of the channel name set and every edit a user can make to
// it. Each operation works out its edit without touching the set; apply() makes it or takes it
// back.
class ChNameDocument {
public:
    const ChNameSet& record() const { return m_set; }

    // Load: the set is replaced as a whole; not an edit.
    void replace(const ChNameSet& set) { m_set = set; }
    void apply(const ChNameEdit::Entries& entries);

    // A name cell (positions 4 to 252) stored through StoreChName.
    ChNameEdit storeName(int position, std::string_view latin1) const;
    // "Init": the defaults.
    ChNameEdit initDefaults() const;
    // "Change": the fixed codes of "Pan", "Tilt", "Dimmer", "Colour", "Shutter" back in
    // positions 0 to 4.
    ChNameEdit restoreFixedCodes() const;

    // The set a save writes: blank user entries cleared (not an edit: the grid shows no codes,
    // and the next load reads the file).
    ChNameSet preparedForSave() const;

    static ChNameEdit diff(std::string name, const ChNameSet& before, const ChNameSet& after);

private:
    ChNameSet m_set{};
};

} // namespace fx
