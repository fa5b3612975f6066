#pragma once
// The high-pass and low-pass filters of one output.
#include "FilterSection.h"

#include <cstdint>

namespace dravo {

// What the pair of sections passes, as `bpType`.
enum CrossoverPass : int {
    kPassAll = 0,       // no filter
    kPassHighOnly = 1,  // high-pass only
    kPassLowOnly = 2,   // low-pass only
    kPassBand = 3,      // both
};

struct Crossover {
    std::int32_t bpType = kPassAll;
    FilterSection hp = FilterSection::highPass();
    FilterSection lp = FilterSection::lowPass();

    static constexpr int passFor(int hpSlope, int lpSlope)
    {
        return (hpSlope > 0 ? kPassHighOnly : 0) | (lpSlope > 0 ? kPassLowOnly : 0);
    }

    // Both sections of one characteristic, through the validating setters;
    // bpType follows from the slopes.
    static Crossover build(int hpFs, int hpSlope, int lpFs, int lpSlope, int type);

    friend constexpr bool operator==(const Crossover&, const Crossover&) = default;
};

// The crossover an output gets when it takes a speaker role. A code outside
// 0..24 is taken as role 0 (no filter).
Crossover defaultCrossoverForRole(int role);

} // namespace dravo
