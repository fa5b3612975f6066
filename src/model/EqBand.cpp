#include "EqBand.h"

#include "BandFrequencyTables.h"

#include <algorithm>

namespace dravo {

void resetBands(BandRow& row, int n)
{
    const int count = std::clamp(n, 0, kBandsPerOutput);
    const std::span<const int> frequencies = bandFrequenciesFor(count);
    for (int i = 0; i < count; ++i) {
        EqBand& band = row[i];
        band.eqGain = 0.0f;
        band.eqFactor = kDefaultBandQ;
        band.freq = frequencies[i];
        band.enable = 1;
        band.type = 0;
    }
}

} // namespace dravo
