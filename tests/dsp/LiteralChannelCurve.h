#pragma once
// The channel curve computed the long way: every crossover section and every
// band evaluated on its own in dB and radians and added up, as the curve is
// defined. The fast evaluator is held to this.
#include "BandDesign.h"
#include "ChannelCurve.h"
#include "CrossoverResponse.h"
#include "FrequencyGrid.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace dravo::test {

inline void literalChannelCurve(const ChannelFilters& f, bool eqBypassed, ChannelCurve& out)
{
    constexpr int N = kCurvePointCount;
    std::vector<double> grid(N), hpMag(N, 0.0), hpPhase(N, 0.0), lpMag(N, 0.0), lpPhase(N, 0.0);
    std::vector<double> bandMag(N), bandPhase(N);
    MakeFrequencyGrid(kDspSampleRate, N, grid.data());
    if (f.hp.bypass != 1)
        CrossoverResponseFor(kSelectHighPass, f.hp.fs, f.hp.slope, f.hp.type, N, grid.data(),
                             hpMag.data(), hpPhase.data());
    if (f.lp.bypass != 1)
        CrossoverResponseFor(kSelectLowPass, f.lp.fs, f.lp.slope, f.lp.type, N, grid.data(),
                             lpMag.data(), lpPhase.data());

    for (int k = 0; k < N; ++k) {
        out.frequency[k] = grid[k];
        out.magnitude[k] = hpMag[k] + lpMag[k];
        out.phase[k] = hpPhase[k] + lpPhase[k];
    }
    for (const CurveBand& band : f.bands) {
        const double gain = (eqBypassed || band.enable != 1) ? 0.0 : band.gainDb;
        BandResponse(kDspSampleRate, band.freq, gain, band.q, grid.data(), bandMag.data(),
                     bandPhase.data(), N, band.type);
        for (int k = 0; k < N; ++k) {
            out.magnitude[k] += bandMag[k];
            out.phase[k] += bandPhase[k];
        }
    }
    for (double& p : out.phase)
        p = wrapScaledPhase(p);
}

// Scaled phases are points on a circle of 24 units: +12 and -12 meet.
inline double scaledPhaseDistance(double a, double b)
{
    const double d = std::fabs(a - b);
    return std::min(d, 24.0 - d);
}

} // namespace dravo::test
