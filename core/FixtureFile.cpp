#include "core/FixtureFile.h"

#include <algorithm>
#include <memory>

namespace fx {

namespace {

// Where the fields lie (see the table in FixtureFile.h). The writer and the reader both go
// through mapFields and mapStepSlot, so each offset is spelled once.
constexpr std::size_t PalEntrySizeOffset = 943;
constexpr std::size_t StepCountOffset = 1803;
constexpr std::size_t StepSlotSize = 10;
constexpr std::size_t TypeByte = 1; // within a channel record

// Calls field(offset, member) for every field of the file except the palette block and the
// step slots, in file order. record is const for the writer and not for the reader.
template <class Record, class Field> void mapFields(Record& record, Field&& field)
{
    field(0, record.FixHeader.Reserved);
    field(1, record.FixHeader.FixtureName);
    field(12, record.FixHeader.NumChannels);
    field(13, record.FuncMap); // 260 bytes
    for (std::size_t p = 0; p < std::size_t{PaletteCount}; ++p) {
        field(273 + p, record.PalUsed[p]);
        field(283 + 6 * p, record.PalName[p]);
        for (std::size_t s = 0; s < std::size_t{PaletteEntryCount}; ++s) {
            field(343 + 60 * p + 6 * s, record.PalEntryName[p][s]);
            field(PalEntrySizeOffset + 10 * p + s, record.PalEntrySize[p][s]);
        }
    }
    for (std::size_t i = 0; i < std::size_t{MaxChannels}; ++i) {
        auto& ch = record.Channels[i];
        const std::size_t at = ChannelRecordsOffset + ChannelRecordSize * i;
        field(at + 0, ch.FuncCode);
        field(at + TypeByte, ch.ChType);
        field(at + 2, ch.ChNumber);
        field(at + 3, ch.PairChannel);
        field(at + 4, ch.Spare1);
        field(at + 5, ch.Spare2);
        field(at + 6, ch.ChName);
        field(at + 18, ch.ChValue);
    }
    for (std::size_t c = 0; c < std::size_t{MaxChannels}; ++c)
        field(StepCountOffset + c, record.StepCount[c]);
}

// The fields of one step slot (From, To, name).
template <class Step, class Field> void mapStepSlot(int slot, Step& step, Field&& field)
{
    const std::size_t at = StepSlotsOffset + StepSlotSize * static_cast<std::size_t>(slot);
    field(at, step.FromDmx);
    field(at + 1, step.ToDmx);
    field(at + 2, step.StepName);
}

// Writes a field into the image: a byte, a text or a byte array.
struct PutField {
    FixtureImage& image;
    void operator()(std::size_t offset, std::uint8_t value) const { image[offset] = value; }
    template <std::size_t N> void operator()(std::size_t offset, const FixedText<N>& text) const
    {
        std::copy(text.bytes.begin(), text.bytes.end(),
                  image.begin() + static_cast<std::ptrdiff_t>(offset));
    }
    template <std::size_t N>
    void operator()(std::size_t offset, const std::array<std::uint8_t, N>& bytes) const
    {
        std::copy(bytes.begin(), bytes.end(), image.begin() + static_cast<std::ptrdiff_t>(offset));
    }
};

// Reads a field from the file's bytes (6144 of them).
struct GetField {
    std::span<const std::uint8_t> bytes;
    void operator()(std::size_t offset, std::uint8_t& value) const { value = bytes[offset]; }
    template <std::size_t N> void operator()(std::size_t offset, FixedText<N>& text) const
    {
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(offset), N, text.bytes.begin());
    }
    template <std::size_t N>
    void operator()(std::size_t offset, std::array<std::uint8_t, N>& array) const
    {
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(offset), N, array.begin());
    }
};

constexpr std::uint8_t LetterA = 'A';

// Channels in use, limited to the table.
int channelsInUse(const FixtureRecord& record)
{
    return std::min<int>(record.FixHeader.NumChannels, MaxChannels);
}

// The 1-based numbers of the channels a palette packs: selected and below NumChannels.
std::vector<std::uint8_t> packedChannels(const FixtureRecord& record, int palette)
{
    std::vector<std::uint8_t> list;
    const int n = channelsInUse(record);
    for (int c = 0; c < n; ++c) {
        if (record.PalChannelUsed[palette][c] == 1)
            list.push_back(static_cast<std::uint8_t>(c + 1));
    }
    return list;
}

// How many channel numbers of an entry of n channels fit when the entry starts at block
// position q: a channel goes in only while its value byte, n places on, is inside the block.
int fittingChannels(int q, int n)
{
    return std::clamp(static_cast<int>(PaletteBlockSize) - n - q, 0, n);
}

// Letters back to type codes as the save leaves them in memory; "A" and any other byte stay.
std::uint8_t typeFromLetter(std::uint8_t letter)
{
    switch (letter) {
    case 'L': return TypeLtp;
    case 'H': return TypeHtp;
    case 'I': return TypeInstantLtp;
    case 'S': return TypeInstant16H;
    case 's': return TypeFadeable16H;
    default: return letter;
    }
}

std::string channelTypeMessage(int channel, int byte)
{
    return "channel " + std::to_string(channel) + " has the type byte " + std::to_string(byte) +
           ", which is no channel type";
}

// The entry sizes the file carries. For a palette in use each stored entry carries the channels
// actually packed (the selection below NumChannels), so the block can always be decoded with
// them; an entry of which nothing fits into the block is written as empty. Normally these are the
// record's own sizes.
std::array<std::uint8_t, PaletteCount * PaletteEntryCount>
storedEntrySizes(const FixtureRecord& record)
{
    std::array<std::uint8_t, PaletteCount * PaletteEntryCount> sizes{};
    int q = 0;
    for (int p = 0; p < PaletteCount; ++p) {
        const int n = static_cast<int>(packedChannels(record, p).size());
        for (int s = 0; s < PaletteEntryCount; ++s) {
            std::uint8_t size = record.PalEntrySize[p][s];
            if (record.PalUsed[p] != 0 && size != 0) {
                const bool beyond = q > static_cast<int>(PaletteBlockSize) - 1;
                const int fit = beyond ? 0 : fittingChannels(q, n);
                size = n > 0 && fit == 0 ? 0 : static_cast<std::uint8_t>(n);
                if (!beyond)
                    q += fit + n;
            }
            sizes[PaletteEntryCount * p + s] = size;
        }
    }
    return sizes;
}

} // namespace

std::uint8_t typeLetter(int typeCode)
{
    static constexpr std::uint8_t letters[ChannelTypeCount] = {'L', 'H', 'I', 'S', 'A', 's', 'A'};
    if (typeCode < 0 || typeCode >= ChannelTypeCount)
        return static_cast<std::uint8_t>(typeCode);
    return letters[typeCode];
}

void BuildFuncMap(FixtureRecord& record)
{
    // Integer division truncating toward zero, then the low byte, as the console expects.
    record.FuncMap[256] = static_cast<std::uint8_t>((record.MaxPanDegree / 256) & 255);
    record.FuncMap[257] = static_cast<std::uint8_t>(record.MaxPanDegree & 255);
    record.FuncMap[258] = static_cast<std::uint8_t>((record.MaxTiltDegree / 256) & 255);
    record.FuncMap[259] = static_cast<std::uint8_t>(record.MaxTiltDegree & 255);

    std::fill(record.FuncMap.begin(), record.FuncMap.begin() + 256, 0);
    const int n = channelsInUse(record);
    for (int i = 0; i < n; ++i)
        record.FuncMap[record.Channels[i].FuncCode] = static_cast<std::uint8_t>(i + 1);
}

PaletteBlock PackPalettes(const FixtureRecord& record)
{
    PaletteBlock block{};
    int q = 0; // runs on from palette to palette
    for (int p = 0; p < PaletteCount; ++p) {
        if (record.PalUsed[p] == 0)
            continue;
        const std::vector<std::uint8_t> list = packedChannels(record, p);
        const int n = static_cast<int>(list.size());
        for (int s = 0; s < PaletteEntryCount; ++s) {
            if (record.PalEntrySize[p][s] == 0)
                continue;
            const int fit = fittingChannels(q, n);
            for (int j = 0; j < fit; ++j) {
                block[q] = list[j];
                block[q + n] = record.PalValue[p][s][list[j] - 1];
                ++q;
            }
            q += n;
            if (q > static_cast<int>(PaletteBlockSize) - 1)
                break;
        }
    }
    return block;
}

void UnpackPalettes(FixtureRecord& record, const PaletteBlock& block)
{
    const int blockSize = static_cast<int>(PaletteBlockSize);
    int q = 0;
    for (int p = 0; p < PaletteCount; ++p) {
        record.PalChannelUsed[p].fill(0);
        for (auto& entry : record.PalValue[p])
            entry.fill(0);
        if (record.PalUsed[p] == 0)
            continue;

        // The selection is the channel list of the palette's first stored entry. (Taking it from
        // entry 0 alone would lose it when entry 0 is empty, and the next save its values.)
        int m = 0;
        for (int s = 0; s < PaletteEntryCount && m == 0; ++s)
            m = record.PalEntrySize[p][s];
        for (int j = 0; j < m && q + j < blockSize; ++j) {
            const int c = block[q + j];
            if (c >= 1 && c <= MaxChannels)
                record.PalChannelUsed[p][c - 1] = 1;
        }

        for (int s = 0; s < PaletteEntryCount; ++s) {
            const int k = record.PalEntrySize[p][s];
            if (k == 0)
                continue;
            const int fit = fittingChannels(q, k);
            for (int j = 0; j < fit; ++j) {
                const int c = block[q];
                if (c >= 1 && c <= MaxChannels)
                    record.PalValue[p][s][c - 1] = block[q + k];
                ++q;
            }
            q += k;
            if (q > blockSize - 1)
                break;
        }
    }
}

FixtureImage WriteFixtureImage(const FixtureRecord& record)
{
    FixtureImage image{};
    const int n = channelsInUse(record);

    // The types are written as the pairing leaves them, so that the file says what the editor
    // shows after the save and what a later open reads back. A sound pairing is unchanged by it.
    std::array<std::uint8_t, MaxChannels> types{};
    {
        auto paired = std::make_unique<FixtureRecord>();
        paired->FixHeader.NumChannels = record.FixHeader.NumChannels;
        paired->Channels = record.Channels;
        NormaliseChannelTypes(*paired);
        for (int i = 0; i < MaxChannels; ++i)
            types[i] = paired->Channels[i].ChType;
    }
    const std::array<std::uint8_t, PaletteCount* PaletteEntryCount> stored =
        storedEntrySizes(record);

    mapFields(record, PutField{image});

    // Three fields are written as the console needs them rather than as the record holds them.
    for (int p = 0; p < PaletteCount; ++p) {
        for (int s = 0; s < PaletteEntryCount; ++s)
            image[PalEntrySizeOffset + 10 * p + s] = stored[PaletteEntryCount * p + s];
    }
    for (int i = 0; i < MaxChannels; ++i) {
        // Channels beyond the count keep their type byte unconverted (a partner named by a
        // channel in use takes its low type there too, as an open reads it).
        image[ChannelRecordsOffset + ChannelRecordSize * i + TypeByte] =
            i < n ? typeLetter(types[i]) : types[i];
    }
    // Each channel's count is the number of its steps the slots hold, so that the count table and
    // the slots agree and a reader finds every channel's steps where they are. Within the 204
    // slots that is the record's own count.
    int held = 0;
    for (int c = 0; c < MaxChannels; ++c) {
        const int stored = std::clamp(StepSlotCount - held, 0, int{record.StepCount[c]});
        image[StepCountOffset + c] = static_cast<std::uint8_t>(stored);
        held += stored;
    }

    const PaletteBlock block = PackPalettes(record);
    std::copy(block.begin(), block.end(), image.begin() + PaletteBlockOffset);

    // 204 slots, blank unless a step fills them, in channel and step order.
    const StepInfo blankStep{0, 0, FixedText<8>::blanks()};
    for (int k = 0; k < StepSlotCount; ++k)
        mapStepSlot(k, blankStep, PutField{image});
    int slot = 0;
    for (int c = 0; c < MaxChannels && slot < StepSlotCount; ++c) {
        for (int k = 0; k < record.StepCount[c] && slot < StepSlotCount; ++k, ++slot)
            mapStepSlot(slot, record.Steps[c][k], PutField{image});
    }
    return image;
}

namespace {

// One pass of the pairing the reader applies to the type letters: letters back to codes, the
// partner named by a high channel takes the matching low type, an unnamed low type becomes LTP.
// Returns whether anything changed.
bool pairChannelTypes(FixtureRecord& record)
{
    const int n = channelsInUse(record);
    std::array<std::uint8_t, MaxChannels> before{};
    for (int i = 0; i < MaxChannels; ++i)
        before[i] = record.Channels[i].ChType;

    for (int i = 0; i < n; ++i)
        record.Channels[i].ChType = typeFromLetter(typeLetter(record.Channels[i].ChType));
    for (int i = 0; i < n; ++i) {
        ChannelInfo& ch = record.Channels[i];
        const int partner = ch.PairChannel;
        const bool partnerValid = partner >= 1 && partner <= MaxChannels;
        if (ch.ChType == TypeInstant16H && partnerValid)
            record.Channels[partner - 1].ChType = TypeInstant16L;
        else if (ch.ChType == TypeFadeable16H && partnerValid)
            record.Channels[partner - 1].ChType = TypeFadeable16L;
        else if (ch.ChType > TypeFadeable16L)
            ch.ChType = TypeLtp;
    }
    for (int i = 0; i < MaxChannels; ++i) {
        if (before[i] != record.Channels[i].ChType)
            return true;
    }
    return false;
}

} // namespace

void NormaliseChannelTypes(FixtureRecord& record)
{
    // A pass can only turn types into the pairing's result; a channel paired with itself needs a
    // second pass to settle. Stop once nothing changes.
    for (int pass = 0; pass < 4 && pairChannelTypes(record); ++pass) {
    }
}

void ApplyFixedFunctionCodes(FixtureRecord& record)
{
    // The console's four fixed functions follow their names, whatever code the channel holds.
    static const std::pair<const char*, std::uint8_t> fixedFunctions[] = {
        {"Pan         ", 6}, {"Tilt        ", 7}, {"Dimmer      ", 3}, {"Colour      ", 9}};
    const int n = channelsInUse(record);
    for (int i = 0; i < n; ++i) {
        ChannelInfo& ch = record.Channels[i];
        for (const auto& [name, code] : fixedFunctions) {
            if (ch.ChName.str() == name)
                ch.FuncCode = code;
        }
    }
}

std::string ReadFixtureImage(std::span<const std::uint8_t> bytes, FixtureRecord& record,
                             std::vector<std::string>* notes)
{
    if (bytes.size() != FixtureFileSize) {
        return "it is " + std::to_string(bytes.size()) +
               " bytes long; a fixture setup file has 6144 bytes";
    }

    // Read into a fresh record: the record being edited changes only when the whole file is
    // sound, and nothing of the previous fixture (steps beyond the counts included) stays behind.
    // Only the palette editor's channel count is the program's, not the file's.
    auto read = std::make_unique<FixtureRecord>();
    FixtureRecord& r = *read;
    for (auto& channelSteps : r.Steps) {
        for (StepInfo& step : channelSteps)
            step.StepName = FixedText<8>::blanks();
    }
    r.PalChannels = record.PalChannels;
    std::vector<std::string> found;

    mapFields(r, GetField{bytes});
    const int n = r.FixHeader.NumChannels;
    if (n > MaxChannels)
        return "channel count " + std::to_string(n) + " is over 40";
    if (n == 0)
        return "channel count 0 is below 1";

    if (r.FuncMap[256] >= 128 || r.FuncMap[258] >= 128) {
        return "the degree bytes " + std::to_string(r.FuncMap[256]) + " " +
               std::to_string(r.FuncMap[257]) + " " + std::to_string(r.FuncMap[258]) + " " +
               std::to_string(r.FuncMap[259]) + " hold no degree value the editor writes";
    }
    r.MaxPanDegree = static_cast<std::int16_t>(r.FuncMap[256] * 256 + r.FuncMap[257]);
    r.MaxTiltDegree = static_cast<std::int16_t>(r.FuncMap[258] * 256 + r.FuncMap[259]);

    ApplyFixedFunctionCodes(r);
    for (int i = 0; i < n; ++i) {
        ChannelInfo& ch = r.Channels[i];
        ch.ChType = typeFromLetter(ch.ChType);
        if (ch.ChType > TypeFadeable16L && ch.ChType != LetterA)
            return channelTypeMessage(
                i + 1, bytes[ChannelRecordsOffset + ChannelRecordSize * i + TypeByte]);
    }

    // Both low types are written "A": the high half of each pair tells which one it is.
    for (int i = 0; i < n; ++i) {
        ChannelInfo& ch = r.Channels[i];
        if (ch.ChType == TypeInstant16H || ch.ChType == TypeFadeable16H) {
            const int partner = ch.PairChannel;
            if (partner == 0)
                continue; // a high channel whose partner was never chosen
            if (partner > MaxChannels) {
                return "channel " + std::to_string(i + 1) + " names partner " +
                       std::to_string(partner) + ", which is not a channel 1 to 40";
            }
            r.Channels[partner - 1].ChType =
                ch.ChType == TypeInstant16H ? TypeInstant16L : TypeFadeable16L;
        } else if (ch.ChType == LetterA) {
            ch.ChType = TypeLtp;
        }
    }

    PaletteBlock block;
    std::copy_n(bytes.begin() + PaletteBlockOffset, PaletteBlockSize, block.begin());
    UnpackPalettes(r, block);

    // A count beyond the slots (a file written before counts were cut to the slots, or by
    // another tool) is cut to the steps actually read.
    int slot = 0;
    for (int c = 0; c < MaxChannels; ++c) {
        const int count = r.StepCount[c];
        int k = 0;
        for (; k < count && slot < StepSlotCount; ++k, ++slot)
            mapStepSlot(slot, r.Steps[c][k], GetField{bytes});
        if (k < count) {
            found.push_back("Channel " + std::to_string(c + 1) + " records " +
                            std::to_string(count) + " steps, but the file holds " +
                            (k == 0 ? "none of them" : "only " + std::to_string(k)) +
                            " (204 steps in all); it is opened with " + std::to_string(k) +
                            (k == 1 ? " step." : " steps."));
            r.StepCount[c] = static_cast<std::uint8_t>(k);
        }
    }
    // The degree boxes show 0 to 720; a larger degree (fixture-tool build accepts up to 32767)
    // would silently become 0.
    const std::pair<const char*, int> degrees[] = {{"Max Pan Degree", r.MaxPanDegree},
                                                   {"Max Tilt Degree", r.MaxTiltDegree}};
    for (const auto& [what, value] : degrees) {
        if (value > 720) {
            found.push_back(std::string(what) + " is " + std::to_string(value) +
                            ", above the 720 the editor shows: it becomes 0, and the next save "
                            "writes 0.");
        }
    }

    record = r;
    if (notes)
        notes->insert(notes->end(), found.begin(), found.end());
    return {};
}

FileCapacityReport checkFileCapacity(const FixtureRecord& record)
{
    FileCapacityReport report;
    int slot = 0;
    for (int c = 0; c < MaxChannels; ++c) {
        const int count = record.StepCount[c];
        report.totalSteps += count;
        const int stored = std::clamp(StepSlotCount - slot, 0, count);
        slot += stored;
        if (stored < count)
            report.lostSteps.push_back({c, count - stored});
    }

    int q = 0;
    for (int p = 0; p < PaletteCount; ++p) {
        if (record.PalUsed[p] == 0)
            continue;
        const int n = static_cast<int>(packedChannels(record, p).size());
        if (n == 0)
            continue;
        for (int s = 0; s < PaletteEntryCount; ++s) {
            if (record.PalEntrySize[p][s] == 0)
                continue;
            const int fit = q > static_cast<int>(PaletteBlockSize) - 1 ? 0 : fittingChannels(q, n);
            if (fit < n)
                report.lostEntries.push_back({p, s, fit > 0});
            if (q <= static_cast<int>(PaletteBlockSize) - 1)
                q += fit + n;
        }
    }
    return report;
}

std::string FileCapacityReport::describe() const
{
    std::string text;
    if (!lostSteps.empty()) {
        text += "The file holds 204 steps; this fixture has " + std::to_string(totalSteps) +
                ". Not stored:";
        for (std::size_t i = 0; i < lostSteps.size(); ++i) {
            text += (i ? ", " : " ") + std::to_string(lostSteps[i].lost) +
                    (lostSteps[i].lost == 1 ? " step" : " steps") + " of channel " +
                    std::to_string(lostSteps[i].channel + 1);
        }
        text += ".\n";
    }
    if (!lostEntries.empty()) {
        text += "The palettes fill the file's palette block. Not stored:";
        for (std::size_t i = 0; i < lostEntries.size(); ++i) {
            const auto& e = lostEntries[i];
            text += (i ? ", " : " ") + std::string("Palette") + std::to_string(e.palette + 1) +
                    " entry " + std::to_string(e.entry + 1) + (e.partly ? " (in part)" : "");
        }
        text += ".\n";
    }
    return text;
}

} // namespace fx
