#pragma once
// The crossover characteristic codes a FilterSection carries. Any other code
// designs undamped second-order sections; the model never stores one.

namespace dravo {

enum FilterFamily : int {
    kFilterFixedSecondOrder = 0,  // always one second-order section, damping 1
    kFilterButterworth = 1,
    kFilterLinkwitzRiley = 2,     // odd orders are raised to the next even one
    kFilterBessel = 3,
};

inline constexpr int kMaxCrossoverOrder = 8;
inline constexpr int kCrossoverSlotCount = 4;

} // namespace dravo
