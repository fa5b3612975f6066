#pragma once
// The settings of one output channel. Its bands are row c of the record's
// `bands`; the channel holds only how many of them are in use.
#include "Crossover.h"
#include "ModelSizes.h"

#include <cstdint>

namespace dravo {

inline constexpr float kMinOutputGainDb = -60.0f;  // shown as "off"
inline constexpr float kMaxOutputGainDb = 0.0f;
inline constexpr float kMaxDelayMs = 15.0f;

struct ChannelConfig {
    std::int32_t eqSize = kBandsPerOutput;
    float gain = 0.0f;              // dB, -60..0
    std::int32_t mute = 0;
    float delay = 0.0f;             // ms, 0..15
    std::int32_t phase = 0;         // 1 = reversed
    std::int32_t solo = 0;
    std::uint8_t bypass = 1;        // 1 = equaliser bypassed; the bands keep their values
    std::uint8_t compressorOn = 1;
    Crossover crossover;

    friend constexpr bool operator==(const ChannelConfig&, const ChannelConfig&) = default;
};

} // namespace dravo
