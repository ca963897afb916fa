#include "core/FixtureDocument.h"

#include "core/FixtureFile.h"
#include "core/PaletteStore.h"
#include "core/StepTools.h"

#include <algorithm>

namespace fx {

namespace {

bool validChannel(int channel)
{
    return channel >= 0 && channel < MaxChannels;
}

StepInfo blankStep()
{
    return {0, 0, FixedText<8>::blanks()};
}

RecordPatch::Head headOf(const FixtureRecord& r)
{
    return {r.FixHeader, r.MaxPanDegree, r.MaxTiltDegree};
}

bool sameHead(const FixtureRecord& a, const FixtureRecord& b)
{
    return a.FixHeader == b.FixHeader && a.MaxPanDegree == b.MaxPanDegree &&
           a.MaxTiltDegree == b.MaxTiltDegree;
}

RecordPatch::Palette paletteOf(const FixtureRecord& r, int p)
{
    RecordPatch::Palette part;
    part.palette = p;
    part.used = r.PalUsed[p];
    part.name = r.PalName[p];
    part.entryNames = r.PalEntryName[p];
    part.entrySizes = r.PalEntrySize[p];
    part.channelUsed = r.PalChannelUsed[p];
    part.values = r.PalValue[p];
    return part;
}

bool samePalette(const FixtureRecord& a, const FixtureRecord& b, int p)
{
    return a.PalUsed[p] == b.PalUsed[p] && a.PalName[p] == b.PalName[p] &&
           a.PalEntryName[p] == b.PalEntryName[p] && a.PalEntrySize[p] == b.PalEntrySize[p] &&
           a.PalChannelUsed[p] == b.PalChannelUsed[p] && a.PalValue[p] == b.PalValue[p];
}

RecordPatch::StepRange stepsOf(const FixtureRecord& r, int channel, int first, int last)
{
    RecordPatch::StepRange part;
    part.channel = channel;
    part.count = r.StepCount[channel];
    part.first = first;
    if (first <= last)
        part.steps.assign(r.Steps[channel].begin() + first, r.Steps[channel].begin() + last + 1);
    return part;
}

// An edit that inserted or removed steps of channel at step.
Edit atStepRow(Edit edit, int channel, int step)
{
    if (!edit.empty())
        edit.change.stepRows = {channel, step};
    return edit;
}

} // namespace

RecordChange& RecordChange::operator|=(const RecordChange& other)
{
    header = header || other.header;
    channels |= other.channels;
    names |= other.names;
    steps |= other.steps;
    palettes |= other.palettes;
    reset = reset || other.reset;
    channelCount = channelCount || other.channelCount;
    if (!(stepRows == other.stepRows))
        stepRows = other.stepRows.channel < 0 ? stepRows : StepRows{};
    return *this;
}

std::size_t RecordPatch::bytes() const
{
    std::size_t n = sizeof(RecordPatch) + (head ? sizeof(Head) : 0);
    n += channels.capacity() * sizeof(channels[0]) + palettes.capacity() * sizeof(Palette);
    for (const StepRange& range : steps)
        n += sizeof(StepRange) + range.steps.capacity() * sizeof(StepInfo);
    return n;
}

FixtureDocument::FixtureDocument() : m_record(std::make_unique<FixtureRecord>())
{
}

void FixtureDocument::replace(const FixtureRecord& record)
{
    *m_record = record;
}

void FixtureDocument::setPalChannels(int count)
{
    m_record->PalChannels = static_cast<std::uint8_t>(std::clamp(count, 0, MaxChannels));
}

void FixtureDocument::apply(const RecordPatch& patch)
{
    FixtureRecord& r = *m_record;
    if (patch.head) {
        r.FixHeader = patch.head->FixHeader;
        r.MaxPanDegree = patch.head->MaxPanDegree;
        r.MaxTiltDegree = patch.head->MaxTiltDegree;
    }
    for (const auto& [channel, info] : patch.channels)
        r.Channels[channel] = info;
    for (const RecordPatch::StepRange& range : patch.steps) {
        r.StepCount[range.channel] = range.count;
        std::copy(range.steps.begin(), range.steps.end(),
                  r.Steps[range.channel].begin() + range.first);
    }
    for (const RecordPatch::Palette& part : patch.palettes) {
        const int p = part.palette;
        r.PalUsed[p] = part.used;
        r.PalName[p] = part.name;
        r.PalEntryName[p] = part.entryNames;
        r.PalEntrySize[p] = part.entrySizes;
        r.PalChannelUsed[p] = part.channelUsed;
        r.PalValue[p] = part.values;
    }
}

Edit FixtureDocument::diff(std::string name, const FixtureRecord& before,
                           const FixtureRecord& after)
{
    Edit edit;
    edit.name = std::move(name);
    if (!sameHead(before, after)) {
        edit.change.header = true;
        edit.before.head = headOf(before);
        edit.after.head = headOf(after);
    }
    edit.change.channelCount = before.FixHeader.NumChannels != after.FixHeader.NumChannels;
    for (int c = 0; c < MaxChannels; ++c) {
        if (!(before.Channels[c] == after.Channels[c])) {
            edit.change.channels.set(c);
            edit.change.names.set(c, !(before.Channels[c].ChName == after.Channels[c].ChName));
            edit.before.channels.emplace_back(c, before.Channels[c]);
            edit.after.channels.emplace_back(c, after.Channels[c]);
        }
        const auto& a = before.Steps[c];
        const auto& b = after.Steps[c];
        int first = 0;
        while (first < MaxStepsPerChannel && a[first] == b[first])
            ++first;
        if (first == MaxStepsPerChannel && before.StepCount[c] == after.StepCount[c])
            continue;
        int last = MaxStepsPerChannel - 1;
        while (last >= first && a[last] == b[last])
            --last;
        edit.change.steps.set(c);
        edit.before.steps.push_back(stepsOf(before, c, first, last));
        edit.after.steps.push_back(stepsOf(after, c, first, last));
    }
    for (int p = 0; p < PaletteCount; ++p) {
        if (!samePalette(before, after, p)) {
            edit.change.palettes.set(p);
            edit.before.palettes.push_back(paletteOf(before, p));
            edit.after.palettes.push_back(paletteOf(after, p));
        }
    }
    return edit;
}

Edit FixtureDocument::change(std::string name, const std::function<void(FixtureRecord&)>& mutate,
                             int mergeKey) const
{
    auto copy = std::make_unique<FixtureRecord>(*m_record);
    mutate(*copy);
    Edit edit = diff(std::move(name), *m_record, *copy);
    edit.mergeKey = mergeKey;
    return edit;
}

Edit FixtureDocument::setFixtureName(std::string_view latin1) const
{
    return change(
        "Fixture Name", [&](FixtureRecord& r) { r.FixHeader.FixtureName.assign(latin1); },
        MergeFixtureName);
}

Edit FixtureDocument::setMaxPanDegree(int degrees) const
{
    if (degrees < 0 || degrees > 0x7FFF)
        return {};
    return change(
        "Max Pan Degree",
        [&](FixtureRecord& r) { r.MaxPanDegree = static_cast<std::int16_t>(degrees); },
        MergePanDegree);
}

Edit FixtureDocument::setMaxTiltDegree(int degrees) const
{
    if (degrees < 0 || degrees > 0x7FFF)
        return {};
    return change(
        "Max Tilt Degree",
        [&](FixtureRecord& r) { r.MaxTiltDegree = static_cast<std::int16_t>(degrees); },
        MergeTiltDegree);
}

Edit FixtureDocument::setChannelCount(int count) const
{
    if (count < 1 || count > MaxChannels)
        return {};
    return change("Channel Count", [&](FixtureRecord& r) {
        const int old = r.FixHeader.NumChannels;
        r.FixHeader.NumChannels = static_cast<std::uint8_t>(count);
        for (int c = std::min(old, count); c < std::min(std::max(old, count), MaxChannels); ++c) {
            ChannelInfo& ch = r.Channels[c];
            ch.FuncCode = 0;
            ch.ChType = TypeLtp;
            ch.ChValue = 0;
            ch.ChName = FixedText<12>::blanks();
        }
    });
}

Edit FixtureDocument::setChannelName(int channel, std::string_view latin1, int funcCode) const
{
    if (!validChannel(channel))
        return {};
    return change("Channel Name", [&](FixtureRecord& r) {
        r.Channels[channel].ChName.assign(latin1);
        r.Channels[channel].FuncCode = static_cast<std::uint8_t>(funcCode & 0xFF);
    });
}

Edit FixtureDocument::setChannelType(int channel, int typeCode) const
{
    if (!validChannel(channel) || typeCode < 0 || typeCode >= ChannelTypeCount)
        return {};
    return change("Channel Type", [&](FixtureRecord& r) {
        ChannelInfo& ch = r.Channels[channel];
        ch.ChType = static_cast<std::uint8_t>(typeCode);
        // Only the channel itself loses its partner; the partner's own record stays as it is.
        if (!isSixteenBitType(typeCode))
            ch.PairChannel = 0;
    });
}

Edit FixtureDocument::setPartner(int channel, int partner) const
{
    if (!validChannel(channel) || partner < 0 || partner > MaxChannels)
        return {};
    return change("16-bit Partner", [&](FixtureRecord& r) {
        r.Channels[channel].PairChannel = static_cast<std::uint8_t>(partner);
    });
}

Edit FixtureDocument::setChannelValue(int channel, int value) const
{
    if (!validChannel(channel))
        return {};
    return change("Channel Value", [&](FixtureRecord& r) {
        r.Channels[channel].ChValue = static_cast<std::uint8_t>(std::clamp(value, 0, 255));
    });
}

Edit FixtureDocument::setStepName(int channel, int step, std::string_view latin1) const
{
    if (!validChannel(channel) || step < 0 || step >= MaxStepsPerChannel)
        return {};
    return change("Step Name",
                  [&](FixtureRecord& r) { r.Steps[channel][step].StepName.assign(latin1); });
}

Edit FixtureDocument::setStepValue(int channel, int step, StepField field, int value) const
{
    if (!validChannel(channel) || step < 0 || step >= MaxStepsPerChannel ||
        field == StepField::Name)
        return {};
    const auto dmx = static_cast<std::uint8_t>(std::clamp(value, 0, 255));
    return change(field == StepField::From ? "From Dmx" : "To Dmx", [&](FixtureRecord& r) {
        (field == StepField::From ? r.Steps[channel][step].FromDmx : r.Steps[channel][step].ToDmx) =
            dmx;
    });
}

Edit FixtureDocument::addStep(int channel) const
{
    if (!validChannel(channel) || m_record->StepCount[channel] >= MaxEditableSteps)
        return {};
    Edit edit = change("Add Step", [&](FixtureRecord& r) {
        const int count = r.StepCount[channel];
        r.Steps[channel][count] = blankStep();
        r.StepCount[channel] = static_cast<std::uint8_t>(count + 1);
    });
    return atStepRow(std::move(edit), channel, m_record->StepCount[channel]);
}

Edit FixtureDocument::insertStep(int channel, int step) const
{
    if (!validChannel(channel))
        return {};
    const int count = m_record->StepCount[channel];
    if (count == 0 || count >= MaxInsertSteps || step < 0 || step >= count)
        return {};
    Edit edit = change("Insert Step", [&](FixtureRecord& r) {
        auto& steps = r.Steps[channel];
        std::move_backward(steps.begin() + step, steps.begin() + count, steps.begin() + count + 1);
        steps[step] = blankStep();
        r.StepCount[channel] = static_cast<std::uint8_t>(count + 1);
    });
    return atStepRow(std::move(edit), channel, step);
}

Edit FixtureDocument::deleteStep(int channel, int step) const
{
    return deleteSteps(channel, step, step);
}

Edit FixtureDocument::deleteSteps(int channel, int first, int last) const
{
    if (!validChannel(channel))
        return {};
    const int count = m_record->StepCount[channel];
    first = std::max(first, 0);
    last = std::min(last, count - 1);
    if (first > last)
        return {};
    Edit edit = change("Delete Step", [&](FixtureRecord& r) {
        const int gone = last - first + 1;
        r.StepCount[channel] = static_cast<std::uint8_t>(count - gone);
        // A channel left without steps keeps its first entry as it was.
        if (gone == count)
            return;
        auto& steps = r.Steps[channel];
        std::move(steps.begin() + last + 1, steps.begin() + count, steps.begin() + first);
        std::fill(steps.begin() + count - gone, steps.begin() + count, blankStep());
    });
    return atStepRow(std::move(edit), channel, first);
}

Edit FixtureDocument::copySteps(int from, int to) const
{
    if (!validChannel(from) || !validChannel(to) || from == to)
        return {};
    return change("Copy Steps", [&](FixtureRecord& r) {
        r.StepCount[to] = r.StepCount[from];
        r.Steps[to] = r.Steps[from];
    });
}

Edit FixtureDocument::fillSteps(int channel, int n, int first, int last,
                                std::string_view latin1Pattern) const
{
    if (!validChannel(channel))
        return {};
    Edit edit = change("Fill Steps", [&](FixtureRecord& r) {
        FillSteps(r, channel, n, first, last, latin1Pattern);
    });
    return atStepRow(std::move(edit), channel, m_record->StepCount[channel]);
}

Edit FixtureDocument::sortSteps(int channel) const
{
    if (!validChannel(channel))
        return {};
    return change("Sort Steps", [&](FixtureRecord& r) { SortSteps(r, channel); });
}

Edit FixtureDocument::storePaletteEntry(int palette, int entry, const PaletteName& name,
                                        const std::array<std::uint8_t, MaxChannels>& values) const
{
    if (palette < 0 || palette >= PaletteCount || entry < 0 || entry >= PaletteEntryCount)
        return {};
    return change("Store Palette Entry", [&](FixtureRecord& r) {
        r.PalEntryName[palette][entry] = name;
        r.PalValue[palette][entry] = values;
        UpdatePaletteUse(r);
    });
}

Edit FixtureDocument::storePaletteSetting(
    int palette, const PaletteName& name,
    const std::array<std::uint8_t, MaxChannels>& channelUsed) const
{
    if (palette < 0 || palette >= PaletteCount)
        return {};
    return change("Store Palette Setting", [&](FixtureRecord& r) {
        r.PalName[palette] = name;
        r.PalChannelUsed[palette] = channelUsed;
        UpdatePaletteUse(r);
    });
}

std::unique_ptr<FixtureRecord> FixtureDocument::preparedForSave() const
{
    auto prepared = std::make_unique<FixtureRecord>(*m_record);
    ApplyFixedFunctionCodes(*prepared);
    BuildFuncMap(*prepared);
    return prepared;
}

Edit FixtureDocument::settleAfterSave() const
{
    auto coded = std::make_unique<FixtureRecord>(*m_record);
    ApplyFixedFunctionCodes(*coded);
    const bool codes = !(coded->Channels == m_record->Channels);
    auto settled = std::make_unique<FixtureRecord>(*coded);
    NormaliseChannelTypes(*settled);
    const bool pairs = !(settled->Channels == coded->Channels);
    const char* name = codes && pairs ? "Fixed Function Codes and 16-bit Pairs"
                       : codes        ? "Fixed Function Codes"
                                      : "16-bit Pairs";
    if (!codes && !pairs)
        return {};
    return diff(name, *m_record, *settled);
}

void FixtureDocument::syncFuncMap()
{
    auto prepared = preparedForSave();
    m_record->FuncMap = prepared->FuncMap;
}

std::unique_ptr<FixtureRecord> FixtureDocument::newFixture(int n, bool firstShowing,
                                                           std::string_view newName) const
{
    auto fresh = std::make_unique<FixtureRecord>(*m_record);
    if (firstShowing) {
        fresh->FixHeader.FixtureName.assign(newName);
        fresh->MaxPanDegree = 0;
    }
    ResetFixtureRecord(*fresh, n);
    return fresh;
}

} // namespace fx
