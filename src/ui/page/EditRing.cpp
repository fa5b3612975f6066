#include "EditRing.h"

#include <algorithm>

namespace dravo {
namespace {

constexpr int kOutputs = 12;
constexpr const char* kMainVolume = "edit_main_volume";

std::string indexed(const char* prefix, int i)
{
    return prefix + std::to_string(i);
}

} // namespace

std::vector<std::string> EditRingOrder(int bandCount)
{
    std::vector<std::string> ring;
    for (const char* prefix : {"edit_ch_volume_", "edit_ch_delay_"})
        for (int c = 0; c < kOutputs; ++c)
            ring.push_back(indexed(prefix, c));
    ring.insert(ring.end(), {"hp_freq", "lp_freq", kMainVolume});
    for (const char* prefix : {"eq_freq_", "eq_q_", "eq_gain_"})
        for (int b = 0; b < bandCount; ++b)
            ring.push_back(indexed(prefix, b));
    return ring;
}

std::string NextInEditRing(const std::string& from, bool right, int bandCount,
                           const std::function<bool(const std::string&)>& reachable)
{
    bandCount = std::max(bandCount, 0);
    const std::vector<std::string> ring = EditRingOrder(bandCount);
    const auto start = std::find(ring.begin(), ring.end(), from);
    if (start == ring.end())
        return {};
    const auto size = static_cast<long>(ring.size());
    long at = start - ring.begin();
    // Boxes that cannot take the focus are stepped over, so a walk never
    // stops in front of a disabled one.
    for (long steps = 0; steps < size; ++steps) {
        const std::string& here = ring[static_cast<std::size_t>(at)];
        std::string next;
        if (bandCount > 0 && right && here == kMainVolume) {
            next = reachable("eq_freq_0") ? "eq_freq_0" : "eq_gain_0";
        } else if (bandCount > 0 && !right && here == "eq_gain_0") {
            const std::string lastQ = indexed("eq_q_", bandCount - 1);
            next = reachable(lastQ) ? lastQ : kMainVolume;
        }
        if (next.empty()) {
            at = (at + (right ? 1 : size - 1)) % size;
        } else {
            at = std::find(ring.begin(), ring.end(), next) - ring.begin();
        }
        if (reachable(ring[static_cast<std::size_t>(at)]))
            return ring[static_cast<std::size_t>(at)];
    }
    return {};
}

} // namespace dravo
