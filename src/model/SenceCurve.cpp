#include "SenceCurve.h"

#include <array>

namespace dravo {

namespace {

CurveFilter curveFilterOf(const FilterSection& s)
{
    return {s.fs, s.type, s.slope, s.bypass};
}

} // namespace

bool computeChannelCurve(const SenceConfig& sence, int channel, bool eqBypassed, ChannelCurve& out)
{
    const BandRow* row = sence.bandsOf(channel);
    if (row == nullptr)
        return false;

    const int count = sence.eqSizeOf(channel);
    std::array<CurveBand, kBandsPerOutput> bands;
    for (int i = 0; i < count; ++i) {
        const EqBand& b = (*row)[i];
        bands[i] = {b.freq, b.eqGain, b.eqFactor, b.enable, b.type};
    }

    const Crossover& x = sence.channels[channel].crossover;
    const ChannelFilters filters{curveFilterOf(x.hp), curveFilterOf(x.lp),
                                 std::span<const CurveBand>(bands.data(), count)};
    UpdateChannelCurve(filters, eqBypassed, out);
    return true;
}

} // namespace dravo
