#pragma once
// Section damping of the Linkwitz-Riley crossovers (even orders only), row
// n/2. An LR filter is a squared Butterworth, which is why order 6 is three
// second-order sections (damping 2, 1, 1) and not a first-order one.
#include "FilterFamily.h"

namespace dravo {

inline constexpr double kLinkwitzRileyDamping[kMaxCrossoverOrder / 2 + 1][kCrossoverSlotCount] = {
    {0, 0, 0, 0},
    {2, 0, 0, 0},
    {1.4142135624, 1.4142135624, 0, 0},
    {2, 1, 1, 0},
    {1.847759065, 0.7653668647, 1.847759065, 0.7653668647},
};

} // namespace dravo
