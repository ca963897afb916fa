#include "core/ChNameDocument.h"

#include <array>

namespace fx {

namespace {

// The codes "Change" puts back into positions 0 to 4.
constexpr std::array<std::uint8_t, 5> FixedCodes{6, 7, 3, 9, 4};

} // namespace

bool ChNameEdit::absorb(const ChNameEdit& next)
{
    if (next.after.size() != after.size())
        return false;
    for (std::size_t i = 0; i < after.size(); ++i) {
        if (next.after[i].first != after[i].first)
            return false;
    }
    after = next.after;
    return true;
}

void ChNameDocument::apply(const ChNameEdit::Entries& entries)
{
    for (const auto& [position, rec] : entries)
        m_set[static_cast<std::size_t>(position)] = rec;
}

ChNameEdit ChNameDocument::diff(std::string name, const ChNameSet& before, const ChNameSet& after)
{
    ChNameEdit edit;
    for (int p = 0; p < ChNameCount; ++p) {
        const auto i = static_cast<std::size_t>(p);
        if (!(before[i] == after[i])) {
            edit.before.emplace_back(p, before[i]);
            edit.after.emplace_back(p, after[i]);
        }
    }
    if (!edit.empty())
        edit.name = std::move(name);
    return edit;
}

ChNameEdit ChNameDocument::storeName(int position, std::string_view latin1) const
{
    if (position < FirstEditablePosition || position >= ChNameCount)
        return {};
    ChNameSet after = m_set;
    StoreChName(after, position, latin1);
    return diff("Set Channel Name", m_set, after);
}

ChNameEdit ChNameDocument::initDefaults() const
{
    ChNameSet after = m_set;
    InitChNameSet(after);
    return diff("Init Channel Names", m_set, after);
}

ChNameEdit ChNameDocument::restoreFixedCodes() const
{
    ChNameSet after = m_set;
    for (std::size_t p = 0; p < FixedCodes.size(); ++p)
        after[p].ChCode = FixedCodes[p];
    return diff("Restore Fixed Codes", m_set, after);
}

ChNameSet ChNameDocument::preparedForSave() const
{
    ChNameSet prepared = m_set;
    clearEmptyUserEntries(prepared);
    return prepared;
}

} // namespace fx
