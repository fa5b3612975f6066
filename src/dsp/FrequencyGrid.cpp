#include "FrequencyGrid.h"

#include <cmath>

namespace dravo {

void MakeFrequencyGrid(double sampleRate, int N, double* out)
{
    if (N < 2)
        return;
    const double logNyquist = std::log10(sampleRate / 2.0);
    for (int i = 1; i <= N - 1; ++i)
        out[i - 1] = std::pow(10.0, i * logNyquist / (N - 1));
    out[N - 1] = sampleRate;
}

const CurveGrid& standardFrequencyGrid()
{
    static const CurveGrid grid = [] {
        CurveGrid g{};
        MakeFrequencyGrid(kDspSampleRate, kCurvePointCount, g.data());
        return g;
    }();
    return grid;
}

} // namespace dravo
