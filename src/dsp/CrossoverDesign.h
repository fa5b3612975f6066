#pragma once
// Design of one crossover filter (high-pass or low-pass, orders 1..8) as up
// to four cascaded sections: second-order sections first, then the one
// first-order section of an odd order, then empty slots.
#include "Biquad.h"
#include "FilterFamily.h"

namespace dravo {

// What a slot holds, stored as the slot's `kind` value.
inline constexpr double kSectionSecondOrder = 1.0;
inline constexpr double kSectionFirstOrder = 0.0;
inline constexpr double kSectionEmpty = -1.0;

struct CrossoverSection {
    double coef = 0.0;  // beta of a second-order section, pole p of a first-order one
    double cosw = 1.0;  // cosine of the section's angle
    double kind = kSectionEmpty;
};

// The designer's output: the four slots as three runs of four doubles (all
// coef, then all cosw, then all kind).
struct CrossoverSlots {
    double coef[kCrossoverSlotCount] = {};
    double cosw[kCrossoverSlotCount] = {};
    double kind[kCrossoverSlotCount] = {kSectionEmpty, kSectionEmpty, kSectionEmpty, kSectionEmpty};

    CrossoverSection section(int i) const { return {coef[i], cosw[i], kind[i]}; }
};
static_assert(sizeof(CrossoverSlots) == 3 * kCrossoverSlotCount * sizeof(double));

// The order actually designed for a requested order and family: type 0 is
// always 2, Linkwitz-Riley rounds odd orders up, and the result is held to
// 1..8 (after the rounding, so LR 9 ends as 8).
int crossoverDesignOrder(int order, int type);

// Fills the four slots. The cutoff is held between 0.0025 Hz and 22000 Hz at
// the fixed 48 kHz rate, as is every Bessel section's own frequency.
// bypassAll leaves every slot empty.
void DesignCrossover(bool isLowPass, bool bypassAll, double cutoffHz, int order, int type,
                     CrossoverSlots& out);

// Coefficients of one non-empty slot.
BiquadCoefficients crossoverSectionCoefficients(const CrossoverSection& section, bool isLowPass);

} // namespace dravo
