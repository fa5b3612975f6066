// Curve recomputation runs on the user-interface thread on every drag move.
// Targets: one fully loaded channel (31 active bands, two 8th-order
// crossovers) under 100 us median, all twelve channels under 1.5 ms.
#include "ChannelCurve.h"
#include "FilterFamily.h"

#include <benchmark/benchmark.h>

#include <array>
#include <vector>

using namespace dravo;

namespace {

std::vector<CurveBand> loadedBands(int seed)
{
    std::vector<CurveBand> bands;
    for (int i = 0; i < 31; ++i) {
        const int freq = 20 + (i * 647 + seed * 131) % 19980;
        const double gain = ((i + seed) % 2 ? 1.0 : -1.0) * (1.0 + (i % 7));
        const int type = (i % 10 == 9) ? 1 : 0;
        bands.push_back({freq, gain, 0.7 + 0.3 * (i % 9), 1, type});
    }
    return bands;
}

ChannelFilters loadedChannel(const std::vector<CurveBand>& bands, int seed)
{
    const CurveFilter hp{60 + seed, kFilterButterworth, 8, 0};
    const CurveFilter lp{8000 + seed * 10, kFilterLinkwitzRiley, 8, 0};
    return {hp, lp, bands};
}

void BM_UpdateChannelCurve(benchmark::State& state)
{
    const std::vector<CurveBand> bands = loadedBands(0);
    const ChannelFilters filters = loadedChannel(bands, 0);
    ChannelCurve curve;
    for (auto _ : state) {
        UpdateChannelCurve(filters, false, curve);
        benchmark::DoNotOptimize(curve.magnitude.data());
    }
}
BENCHMARK(BM_UpdateChannelCurve)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

void BM_TwelveChannels(benchmark::State& state)
{
    std::array<std::vector<CurveBand>, 12> bands;
    std::array<ChannelFilters, 12> filters;
    for (int c = 0; c < 12; ++c) {
        bands[c] = loadedBands(c);
        filters[c] = loadedChannel(bands[c], c);
    }
    std::array<ChannelCurve, 12> curves;
    for (auto _ : state) {
        for (int c = 0; c < 12; ++c)
            UpdateChannelCurve(filters[c], false, curves[c]);
        benchmark::DoNotOptimize(curves[11].magnitude.data());
    }
}
BENCHMARK(BM_TwelveChannels)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

} // namespace
