#pragma once
// One output channel's total response curve: its high-pass and low-pass
// crossover filters and its equaliser bands, on the standard 512-point grid.
#include "FrequencyGrid.h"

#include <span>

namespace dravo {

struct ChannelCurve {
    CurveGrid frequency{};  // Hz, a copy of the grid
    CurveGrid magnitude{};  // dB
    CurveGrid phase{};      // wrapped and scaled to -12..+12 (+-180 degrees), see wrapScaledPhase
};

// The filter settings a curve is drawn from, in the model's units and codes.
struct CurveFilter {
    int fs = 20;      // corner frequency, Hz
    int type = 1;     // family code, see FilterFamily
    int slope = 0;    // order
    int bypass = 1;   // 1 = the filter is off
};

struct CurveBand {
    int freq = 1000;       // Hz
    double gainDb = 0.0;
    double q = 5.8;
    int enable = 1;        // 1 = the band's gain counts
    int type = 0;          // BandType code
};

struct ChannelFilters {
    CurveFilter hp;
    CurveFilter lp;
    std::span<const CurveBand> bands;  // the bands in use
};

// Radians to the curve's phase scale: wrapped into [-pi, pi], then 12 per pi,
// so the phase shares the vertical scale of the dB curve.
double wrapScaledPhase(double radians);

// Recomputes `out`. A filter whose bypass is 1 adds nothing. Each band is
// drawn with gain 0 while eqBypassed is set or the band is not enabled;
// an all-pass band keeps its phase all the same.
void UpdateChannelCurve(const ChannelFilters& filters, bool eqBypassed, ChannelCurve& out);

} // namespace dravo
