#pragma once
// Delay-normalised Bessel prototypes, by order n (rows) and section index
// (columns). The design first scales the cutoff by kBesselPhaseNorm[n] so that
// the filter's phase, not its delay, is normalised at the corner, then places
// each section at its own natural frequency.
#include "FilterFamily.h"

namespace dravo {

inline constexpr double kBesselPhaseNorm[kMaxCrossoverOrder + 1] = {
    0.0,          1.0,          0.5773502692, 0.4030076571, 0.3086066999,
    0.2496411504, 0.2093977333, 0.1802208568, 0.1581178777,
};

// Damping 1/Q of each second-order section. Row 1 is never used (order 1
// has no second-order section).
inline constexpr double kBesselDamping[kMaxCrossoverOrder + 1][kCrossoverSlotCount] = {
    {0, 0, 0, 0},
    {1, 0, 0, 0},
    {1.7320508076, 0, 0, 0},
    {1.4470803599, 0, 0, 0},
    {1.9159489237, 1.2414059301, 0, 0},
    {1.7745107195, 1.0911344114, 0, 0},
    {1.9595631418, 1.6361402521, 0.9772172032, 0},
    {1.8784433114, 1.5132682086, 0.8878963849, 0},
    {1.9763194659, 1.7869614419, 1.4067624418, 0.8158806765},
};

// Natural-frequency factor of each second-order section.
inline constexpr double kBesselSectionFrequency[kMaxCrossoverOrder + 1][kCrossoverSlotCount] = {
    {0, 0, 0, 0},
    {1, 0, 0, 0},
    {1.7320508076, 0, 0, 0},
    {2.5415414011, 0, 0, 0},
    {3.0232649388, 3.3893657927, 0, 0},
    {3.7778936609, 4.2610228013, 0, 0},
    {4.3360270513, 4.5664891522, 5.1491771521, 0},
    {5.0662061498, 5.3792700335, 6.0495276805, 0},
    {5.6548408694, 5.8253532155, 6.2104149036, 6.9593116508},
};

// Frequency factor of the real pole of an odd order, by the slot it lands
// in: order 1 in slot 0, 3 in slot 1, 5 in slot 2, 7 in slot 3.
inline constexpr double kBesselRealPoleFrequency[kCrossoverSlotCount] = {
    1.0, 2.3221853546, 3.6467385953, 4.9717868586,
};

} // namespace dravo
