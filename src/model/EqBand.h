#pragma once
// One equaliser band of an output.
#include "ModelSizes.h"

#include <array>
#include <cstdint>

namespace dravo {

inline constexpr float kDefaultBandQ = 5.8f;
inline constexpr float kMinBandQ = 0.404f;
inline constexpr float kMaxBandQ = 28.852f;

struct EqBand {
    float eqGain = 0.0f;           // dB; held at 0 for any type but 0
    float eqFactor = kDefaultBandQ;  // Q
    std::int32_t freq = 20;        // centre frequency, Hz
    std::uint8_t enable = 1;
    std::uint8_t type = 0;         // characteristic code, see BandType in dsp/

    friend constexpr bool operator==(const EqBand&, const EqBand&) = default;
};

using BandRow = std::array<EqBand, kBandsPerOutput>;

// Sets the first n bands (n held to 0..31) to the factory band of a set of n
// bands: flat, Q 5.8, enabled, peaking, at the frequency table for n.
void resetBands(BandRow& row, int n);

} // namespace dravo
