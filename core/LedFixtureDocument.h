#pragma once

#include "core/LedFixtureFile.h"

#include <functional>
#include <string>
#include <string_view>

namespace fx {

// One user edit of an LED fixture: the small record as it was before and after.
struct LedEdit {
    std::string name; // for "Undo <name>"
    int mergeKey = 0; // consecutive edits with the same nonzero key become one
    LedFixtureRecord before;
    LedFixtureRecord after;

    bool empty() const { return before == after; }
    // Typing into one box is one edit: the first state before, the last one after.
    bool absorb(const LedEdit& next)
    {
        after = next.after;
        return true;
    }
};

// The LED fixture being edited and every edit a user can make to it. Each operation works out
// its edit on a copy without touching the record; apply() makes it or takes it back.
class LedFixtureDocument {
public:
    static constexpr int DefaultChannelCount = 8;

    LedFixtureDocument();

    const LedFixtureRecord& record() const { return m_record; }

    // Start-up and open replace the record as a whole; not an edit.
    void replace(const LedFixtureRecord& record) { m_record = record; }
    void apply(const LedFixtureRecord& state) { m_record = state; }

    // A fresh fixture: the name "New Fixture", count channels that hold the defaults of a row
    // never named (12 zero bytes, "LTP", no partner).
    static LedFixtureRecord fresh(int count = DefaultChannelCount);
    // A fixture read from a file, all ten positions: a file keeps only the colour code of a
    // position past its count, so such a position comes back as the row that held that colour
    // (its name, "LTP", no partner), a position without a colour as a row never named.
    static LedFixtureRecord opened(const LedFixtureRecord& file);

    // The edits. Each returns an empty edit when it would change nothing or its arguments are
    // out of range (channels are 0-based positions below the count).
    LedEdit setName(std::string_view latin1) const;
    // Channels past the count are hidden, not cleared, and come back when the count grows.
    LedEdit setChannelCount(int count) const;
    LedEdit setColour(int channel, int colourCode) const;
    // A type below the 16-bit ones drops the partner.
    LedEdit setType(int channel, int typeCode) const;
    LedEdit setPair(int channel, int pairChannel) const;

    // The partner as the grid shows it: 0 when none or when it lies past the count.
    int shownPair(int channel) const;
    // The record as the file is written from it: a partner past the count as none.
    LedFixtureRecord recordToSave() const;
    // The 512-byte file a save writes, made on a copy: the record is left as it is.
    std::array<std::uint8_t, LedFixtureFileSize> fileImage() const;
    // What a save that wrote the file settles that the user sees: the types of the channels in
    // use as the pairing leaves them ("16-bit Pairs"); empty when nothing changes. The colour
    // map and letters are derived by each save and stay out of the history.
    LedEdit settleAfterSave() const;

private:
    LedEdit change(std::string name, const std::function<void(LedFixtureRecord&)>& mutate,
                   int mergeKey = 0) const;
    bool isChannel(int channel) const;

    LedFixtureRecord m_record;
};

} // namespace fx
