#pragma once

#include "core/FixtureRecord.h"

#include <bitset>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fx {

// Which parts of the record an edit touched, so that every view can update just those.
struct RecordChange {
    bool header = false;               // name, channel count, degrees
    std::bitset<MaxChannels> channels; // channel records
    std::bitset<MaxChannels> names;    // of those, the channels whose ChName changed
    std::bitset<MaxChannels> steps;    // step counts and step tables, by channel
    std::bitset<PaletteCount> palettes;
    bool reset = false;        // the whole record was replaced (open, new, import)
    bool channelCount = false; // NumChannels changed
    // Where steps were inserted into or removed from one channel's table: the steps from `at` on
    // moved by the difference of the step counts (the same place whichever way the edit is
    // applied, so an undo moves them back). channel -1: steps changed in place, or wholesale.
    struct StepRows {
        int channel = -1;
        int at = 0;
        bool operator==(const StepRows&) const = default;
    } stepRows;

    bool empty() const
    {
        return !header && channels.none() && steps.none() && palettes.none() && !reset;
    }
    RecordChange& operator|=(const RecordChange& other);
    bool operator==(const RecordChange&) const = default;
};

// The parts of a record that an edit changes, as they are on one side of the edit. Steps keep
// only the range of entries that changed, so a history of many small edits stays small. The
// function map (derived by each save) and the palette editor's channel count (a view, not part
// of the fixture) are never in a patch.
struct RecordPatch {
    struct Head {
        FixtureHeader FixHeader;
        std::int16_t MaxPanDegree = 0;
        std::int16_t MaxTiltDegree = 0;
    };
    struct StepRange {
        int channel = 0;
        std::uint8_t count = 0;
        int first = 0; // index of steps[0] in the channel's table
        std::vector<StepInfo> steps;
    };
    struct Palette {
        int palette = 0;
        std::uint8_t used = 0;
        PaletteName name;
        std::array<PaletteName, PaletteEntryCount> entryNames{};
        std::array<std::uint8_t, PaletteEntryCount> entrySizes{};
        std::array<std::uint8_t, MaxChannels> channelUsed{};
        std::array<std::array<std::uint8_t, MaxChannels>, PaletteEntryCount> values{};
    };

    std::optional<Head> head;
    std::vector<std::pair<int, ChannelInfo>> channels;
    std::vector<StepRange> steps;
    std::vector<Palette> palettes;

    std::size_t bytes() const; // roughly what the patch keeps in memory
};

// One user edit: what it changed, how to take it back and how to do it again.
struct Edit {
    std::string name; // for "Undo <name>"
    int mergeKey = 0; // consecutive edits with the same nonzero key become one
    RecordChange change;
    RecordPatch before;
    RecordPatch after;

    bool empty() const { return change.empty(); }
    // Typing into one box is one edit: the first state before, the last one after.
    bool absorb(const Edit& next)
    {
        if (!(next.change == change))
            return false;
        after = next.after;
        return true;
    }
};

// The fixture being edited and every edit a user can make to it. Each operation works out its
// Edit without touching the record; apply() makes it (or takes it back), so an undo history and
// the editor's views can follow every change through one path.
class FixtureDocument {
public:
    FixtureDocument();

    const FixtureRecord& record() const { return *m_record; }

    // Open, new and import: the record is replaced as a whole; not an edit.
    void replace(const FixtureRecord& record);
    // The channel count the palette editor works with (a navigation value, not a user edit).
    void setPalChannels(int count);

    void apply(const RecordPatch& patch);

    // The edits. Each returns an empty Edit when it would change nothing or its arguments are
    // out of range (channels and steps are 0-based).
    Edit setFixtureName(std::string_view latin1) const;
    Edit setMaxPanDegree(int degrees) const;
    Edit setMaxTiltDegree(int degrees) const;
    // The count picked by the user (1..40): channels added or removed by the change lose
    // function, type, value and name; steps and palettes stay.
    Edit setChannelCount(int count) const;
    Edit setChannelName(int channel, std::string_view latin1, int funcCode) const;
    // Below the 16-bit types the channel loses its partner.
    Edit setChannelType(int channel, int typeCode) const;
    Edit setPartner(int channel, int partner) const;
    Edit setChannelValue(int channel, int value) const;

    enum class StepField { Name, From, To };
    // A step cell; on a channel without steps step 0 is its first entry, filled without making it
    // a step.
    Edit setStepName(int channel, int step, std::string_view latin1) const;
    Edit setStepValue(int channel, int step, StepField field, int value) const;
    // Appends a blank step (up to 255).
    Edit addStep(int channel) const;
    // A blank step before step; only while the channel has 1 to 49 steps.
    Edit insertStep(int channel, int step) const;
    // The only step makes way for none; the first entry keeps its contents.
    Edit deleteStep(int channel, int step) const;
    // The steps first..last (cut to the channel's steps) go, as deleteStep removes one.
    Edit deleteSteps(int channel, int first, int last) const;
    // Channel to takes the step count and every step entry of channel from.
    Edit copySteps(int from, int to) const;

    // "Fill...": n steps splitting first..last appended to channel; "Sort": its steps by From.
    Edit fillSteps(int channel, int n, int first, int last, std::string_view latin1Pattern) const;
    Edit sortSteps(int channel) const;
    // The palette editor's stores: an entry's name and values, a palette's name and channels;
    // both recompute which palettes and entries are in use.
    Edit storePaletteEntry(int palette, int entry, const PaletteName& name,
                           const std::array<std::uint8_t, MaxChannels>& values) const;
    Edit storePaletteSetting(int palette, const PaletteName& name,
                             const std::array<std::uint8_t, MaxChannels>& channelUsed) const;
    // What a successful save settles in the fixture that the user sees, as the file was written
    // from preparedForSave(): the fixed function codes ("Fixed Function Codes") and the types of
    // 16-bit pairs ("16-bit Pairs"); empty when the save changed neither.
    Edit settleAfterSave() const;
    // After a save: the function map the file carries, built from the channels and degrees.
    // Derived, never an edit.
    void syncFuncMap();

    // The record a save writes: fixed function codes applied and the function map built, on a
    // copy (a cancelled save leaves the fixture as it was).
    std::unique_ptr<FixtureRecord> preparedForSave() const;
    // A new fixture of n channels from the current one (its name and pan degree stay, as the
    // "New Fixture" command keeps them); firstShowing also names it newName and clears the pan.
    std::unique_ptr<FixtureRecord> newFixture(int n, bool firstShowing,
                                              std::string_view newName) const;

    // Any other change of the record, worked out on a copy.
    Edit change(std::string name, const std::function<void(FixtureRecord&)>& mutate,
                int mergeKey = 0) const;

    // The patch and change that turn before into after.
    static Edit diff(std::string name, const FixtureRecord& before, const FixtureRecord& after);

private:
    std::unique_ptr<FixtureRecord> m_record;
};

// Merge keys of the edits made by typing, one character at a time.
enum MergeKey : int { MergeNone = 0, MergeFixtureName = 1, MergePanDegree, MergeTiltDegree };

} // namespace fx
