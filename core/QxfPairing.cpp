// 16-bit pairs of an imported mode: only where the definition makes them certain.

#include "core/QxfConvert.h"

#include <algorithm>
#include <map>

namespace fx::qxf {

namespace {

// The kind of 16-bit pair a channel's preset or group names, empty when it names none.
std::string pairKind(const Slot& s)
{
    const QxfChannel& ch = *s.ch;
    if (ch.group == "Pan" || ch.group == "Tilt")
        return ch.group;
    if (ch.group == "Intensity")
        return startsWith(s.preset, "IntensityMasterDimmer") ? "Intensity master"
                                                             : "Intensity " + folded(ch.colour);
    for (const std::string_view family :
         {"BeamZoom", "BeamFocus", "ColorWheel", "GoboWheel", "GoboIndex", "ShutterIris"}) {
        if (startsWith(s.preset, family))
            return std::string(family);
    }
    return {};
}

bool isIris(const Slot& s)
{
    return startsWith(s.preset, "ShutterIris") ||
           std::find(s.stem.begin(), s.stem.end(), "iri") != s.stem.end(); // "iris", plural off
}

class Pairs {
public:
    explicit Pairs(std::vector<Slot>& slots) : m_slots(slots) {}

    bool free(int i) const { return m_slots[i].partner < 0; }

    void pair(int coarse, int fine)
    {
        m_slots[coarse].partner = fine;
        m_slots[fine].partner = coarse;
    }

    // Within each group of channels of one key, the k-th coarse channel with the k-th fine one
    // when the counts agree (several heads; a fine channel may come first).
    template <typename Key> void byKey(Key key)
    {
        std::map<std::string, std::pair<std::vector<int>, std::vector<int>>> groups;
        for (const Slot& s : m_slots) {
            if (!free(s.index))
                continue;
            const std::string k = key(s);
            if (!k.empty())
                (s.fine ? groups[k].second : groups[k].first).push_back(s.index);
        }
        for (const auto& [k, g] : groups) {
            const auto& [coarse, fine] = g;
            if (!fine.empty() && coarse.size() == fine.size())
                for (std::size_t n = 0; n < coarse.size(); ++n)
                    pair(coarse[n], fine[n]);
        }
    }

    // A fine channel whose preset names its kind: the coarse channel of that kind (the iris for
    // an iris; else of the same group) whose name shares the most words with it, when one does.
    void byPresetAndName()
    {
        for (Slot& f : m_slots) {
            if (!f.fine || !free(f.index) || !endsWith(f.preset, "Fine"))
                continue;
            const bool iris = startsWith(f.preset, "ShutterIris");
            const std::vector<std::string>& stem = f.stem;
            int best = -1, bestScore = 0;
            bool tie = false;
            for (const Slot& c : m_slots) {
                if (c.fine || !free(c.index) || (iris ? !isIris(c) : c.ch->group != f.ch->group))
                    continue;
                const std::vector<std::string>& other = c.stem;
                const int score = static_cast<int>(
                    std::count_if(stem.begin(), stem.end(), [&](const std::string& w) {
                        return std::find(other.begin(), other.end(), w) != other.end();
                    }));
                if (score > bestScore) {
                    best = c.index;
                    bestScore = score;
                    tie = false;
                } else if (score == bestScore && score > 0) {
                    tie = true;
                }
            }
            if (best >= 0 && !tie)
                pair(best, f.index);
        }
    }

    // The only master dimmer with the dimmer's fine channel.
    void masterWithDimmerFine()
    {
        const auto with = [&](std::string_view preset) {
            std::vector<int> found;
            for (const Slot& s : m_slots)
                if (s.preset == preset)
                    found.push_back(s.index);
            return found;
        };
        const std::vector<int> masters = with("IntensityMasterDimmer");
        const std::vector<int> fines = with("IntensityDimmerFine");
        if (masters.size() == 1 && fines.size() == 1 && free(masters[0]) && free(fines[0]))
            pair(masters[0], fines[0]);
    }

    // Kinds whose counts differ: a fine channel with a coarse neighbour of its kind.
    void neighbours()
    {
        const int n = static_cast<int>(m_slots.size());
        for (const Slot& f : m_slots) {
            const std::string kind = pairKind(f);
            if (!f.fine || !free(f.index) || kind.empty())
                continue;
            for (const int c : {f.index - 1, f.index + 1}) {
                if (c >= 0 && c < n && free(c) && !m_slots[c].fine &&
                    pairKind(m_slots[c]) == kind) {
                    pair(c, f.index);
                    break;
                }
            }
        }
    }

private:
    std::vector<Slot>& m_slots;
};

} // namespace

void pairChannels(std::vector<Slot>& slots, std::vector<std::string>& report)
{
    Pairs pairs(slots);
    pairs.byKey(pairKind);
    const auto fineLeft = [&] {
        return std::any_of(slots.begin(), slots.end(),
                           [](const Slot& s) { return s.fine && s.partner < 0; });
    };
    if (!fineLeft())
        return; // the usual case: presets made every pair
    for (Slot& s : slots)
        s.stem = pairStem(s.name);
    // The same group and the same name once the byte words are off: "Blade 1" and
    // "Blade 1 Fine", "Focus (MSB)" and "Focus, fine (LSB)".
    pairs.byKey([](const Slot& s) {
        std::string key = s.ch->group + ":";
        for (const std::string& w : s.stem)
            key += w + " ";
        return s.ch->group.empty() ? std::string() : key;
    });
    pairs.byPresetAndName();
    pairs.masterWithDimmerFine();
    pairs.neighbours();
    for (const Slot& s : slots)
        if (s.fine && s.partner < 0)
            report.push_back(s.label() +
                             ": a fine channel whose coarse channel is not certain; it stays a "
                             "single channel");
}

} // namespace fx::qxf
