#include "core/LedFixtureDocument.h"

#include "core/FixtureRecord.h"

#include <algorithm>

namespace fx {

namespace {

enum : int { MergeLedName = 1 };

} // namespace

LedFixtureDocument::LedFixtureDocument() : m_record(fresh())
{
}

LedFixtureRecord LedFixtureDocument::fresh(int count)
{
    LedFixtureRecord r;
    r.LedFixtureName.assign("New Fixture");
    r.LedChannelCount = static_cast<std::uint8_t>(std::clamp(count, 1, LedMaxChannels));
    return r;
}

LedFixtureRecord LedFixtureDocument::opened(const LedFixtureRecord& file)
{
    LedFixtureRecord r = file;
    const int count = std::clamp<int>(file.LedChannelCount, 1, LedMaxChannels);
    r.LedChannelCount = static_cast<std::uint8_t>(count);
    for (int p = count; p < LedMaxChannels; ++p) {
        LedChannelRec& channel = r.LedChannels[static_cast<std::size_t>(p)];
        const int colour = channel.ColourCode;
        channel = LedChannelRec{};
        if (colour >= 1 && colour <= LedColourCount) {
            channel.ColourCode = static_cast<std::uint8_t>(colour);
            channel.Name.assign(ledColourName(colour));
        }
    }
    return r;
}

LedEdit LedFixtureDocument::change(std::string name,
                                   const std::function<void(LedFixtureRecord&)>& mutate,
                                   int mergeKey) const
{
    LedEdit edit{std::move(name), mergeKey, m_record, m_record};
    mutate(edit.after);
    if (edit.empty())
        return {};
    return edit;
}

bool LedFixtureDocument::isChannel(int channel) const
{
    return channel >= 0 && channel < m_record.LedChannelCount;
}

LedEdit LedFixtureDocument::setName(std::string_view latin1) const
{
    return change(
        "Fixture Name", [&](LedFixtureRecord& r) { r.LedFixtureName.assign(latin1); },
        MergeLedName);
}

LedEdit LedFixtureDocument::setChannelCount(int count) const
{
    if (count < 1 || count > LedMaxChannels)
        return {};
    return change("Channel Count", [&](LedFixtureRecord& r) {
        r.LedChannelCount = static_cast<std::uint8_t>(count);
    });
}

LedEdit LedFixtureDocument::setColour(int channel, int colourCode) const
{
    if (!isChannel(channel) || colourCode < 1 || colourCode > LedColourCount)
        return {};
    return change("Channel Name", [&](LedFixtureRecord& r) {
        LedChannelRec& rec = r.LedChannels[static_cast<std::size_t>(channel)];
        rec.ColourCode = static_cast<std::uint8_t>(colourCode);
        rec.Name.assign(ledColourName(colourCode));
    });
}

LedEdit LedFixtureDocument::setType(int channel, int typeCode) const
{
    if (!isChannel(channel) || typeCode < 0 || typeCode >= ChannelTypeCount)
        return {};
    return change("Channel Type", [&](LedFixtureRecord& r) {
        LedChannelRec& rec = r.LedChannels[static_cast<std::size_t>(channel)];
        rec.TypeCode = static_cast<std::uint8_t>(typeCode);
        if (!isSixteenBitType(typeCode))
            rec.PairChannel = 0;
    });
}

LedEdit LedFixtureDocument::setPair(int channel, int pairChannel) const
{
    if (!isChannel(channel) || pairChannel < 0 || pairChannel > m_record.LedChannelCount ||
        !isSixteenBitType(m_record.LedChannels[static_cast<std::size_t>(channel)].TypeCode))
        return {};
    return change("16-bit Partner", [&](LedFixtureRecord& r) {
        r.LedChannels[static_cast<std::size_t>(channel)].PairChannel =
            static_cast<std::uint8_t>(pairChannel);
    });
}

int LedFixtureDocument::shownPair(int channel) const
{
    if (!isChannel(channel))
        return 0;
    const int pair = m_record.LedChannels[static_cast<std::size_t>(channel)].PairChannel;
    return pair <= m_record.LedChannelCount ? pair : 0;
}

LedFixtureRecord LedFixtureDocument::recordToSave() const
{
    // The image writer takes only the colour code of a position past the count; a partner past
    // the count is written as none.
    LedFixtureRecord copy = m_record;
    for (int p = 0; p < copy.LedChannelCount; ++p)
        copy.LedChannels[static_cast<std::size_t>(p)].PairChannel =
            static_cast<std::uint8_t>(shownPair(p));
    return copy;
}

std::array<std::uint8_t, LedFixtureFileSize> LedFixtureDocument::fileImage() const
{
    LedFixtureRecord saved = recordToSave();
    return SaveLedFixtureImage(saved, saved.LedFixtureName.str());
}

LedEdit LedFixtureDocument::settleAfterSave() const
{
    LedFixtureRecord saved = recordToSave();
    SaveLedFixtureImage(saved, saved.LedFixtureName.str());
    // Only the types of the channels in use change; a partner hidden behind the count stays for
    // when the count grows again.
    return change("16-bit Pairs", [&](LedFixtureRecord& r) {
        for (int p = 0; p < r.LedChannelCount; ++p)
            r.LedChannels[static_cast<std::size_t>(p)].TypeCode =
                saved.LedChannels[static_cast<std::size_t>(p)].TypeCode;
    });
}

} // namespace fx
