// Fuzz target for the import of ".qxf" fixture definitions: any bytes are either refused with a
// one-line message or give, for every mode that fits, a record that keeps the console's rules
// (one channel per function code, 16-bit pairs that name each other, at most 255 steps a channel,
// palette sizes as the palette editor keeps them) and whose file image opens again.
#include "FuzzCheck.h"
#include "core/FixtureFile.h"
#include "core/PaletteStore.h"
#include "core/QxfImport.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

namespace {

const fx::ChNameSet& defaults()
{
    static const fx::ChNameSet set = [] {
        fx::ChNameSet s;
        fx::InitChNameSet(s);
        return s;
    }();
    return set;
}

void checkImport(const fx::QxfDefinition& def, int m)
{
    const fx::QxfMode& mode = def.modes[m];
    fx::QxfImport out;
    const std::string error = fx::importQxfMode(def, m, defaults(), out);
    FUZZ_CHECK(error.empty() == mode.fits(), "a mode was refused although it fits, or not");
    if (!error.empty()) {
        FUZZ_CHECK(!out.record, "a refused import handed out a record");
        FUZZ_CHECK(error.find('\n') == std::string::npos, "a refusal of more than one line");
        return;
    }
    fx::FixtureRecord& rec = *out.record;
    const int n = rec.FixHeader.NumChannels;
    FUZZ_CHECK(n == mode.channelCount() && rec.PalChannels == n, "channel count");
    std::array<bool, 256> code{};
    for (int c = 0; c < n; ++c) {
        const fx::ChannelInfo& ch = rec.Channels[c];
        FUZZ_CHECK(ch.FuncCode == 0 || !code[ch.FuncCode], "two channels share a function code");
        code[ch.FuncCode] = true;
        FUZZ_CHECK(ch.ChNumber == c + 1 && ch.ChType <= fx::TypeFadeable16L, "channel fields");
        if (ch.ChType == fx::TypeFadeable16H || ch.ChType == fx::TypeFadeable16L) {
            FUZZ_CHECK(ch.PairChannel >= 1 && ch.PairChannel <= n, "partner out of range");
            const fx::ChannelInfo& partner = rec.Channels[ch.PairChannel - 1];
            FUZZ_CHECK(partner.PairChannel == c + 1 && partner.ChType != ch.ChType &&
                           (partner.ChType == fx::TypeFadeable16H ||
                            partner.ChType == fx::TypeFadeable16L),
                       "a 16-bit pair that does not name itself back");
        } else {
            FUZZ_CHECK(ch.PairChannel == 0, "a partner on an 8-bit channel");
        }
        FUZZ_CHECK(rec.StepCount[c] <= fx::MaxEditableSteps, "more than 255 steps");
        for (int s = 0; s < rec.StepCount[c]; ++s)
            FUZZ_CHECK(rec.Steps[c][s].FromDmx <= rec.Steps[c][s].ToDmx, "a step with From > To");
    }
    FUZZ_CHECK(static_cast<int>(out.stepLoss.size()) == n, "step loss per channel");

    const auto sizes = rec.PalEntrySize;
    const auto used = rec.PalUsed;
    fx::UpdatePaletteUse(rec);
    FUZZ_CHECK(sizes == rec.PalEntrySize && used == rec.PalUsed, "palette use out of step");

    fx::ApplyFixedFunctionCodes(rec);
    fx::BuildFuncMap(rec);
    const fx::FixtureImage image = fx::WriteFixtureImage(rec);
    auto back = std::make_unique<fx::FixtureRecord>();
    FUZZ_CHECK(fx::ReadFixtureImage(image, *back).empty(), "the imported fixture does not open");
    FUZZ_CHECK(back->FixHeader.NumChannels == n, "channel count after opening");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fx::QxfDefinition def;
    const std::string error = fx::parseQxf(std::span<const std::uint8_t>(data, size), def);
    if (!error.empty()) {
        FUZZ_CHECK(error.find('\n') == std::string::npos, "a refusal of more than one line");
        return 0;
    }
    FUZZ_CHECK(!def.modes.empty(), "a definition without modes was accepted");
    if (const std::optional<int> m = fx::defaultQxfMode(def))
        FUZZ_CHECK(def.modes[*m].fits(), "the default mode does not fit");
    // A few modes are enough to reach every rule; many would only slow the run.
    const int modes = std::min<int>(static_cast<int>(def.modes.size()), 6);
    for (int m = 0; m < modes; ++m)
        checkImport(def, m);
    return 0;
}
