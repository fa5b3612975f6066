#pragma once
// One output's compressor, in the order the device reports the values.
#include <cstdint>

namespace dravo {

struct CompressorSettings {
    std::int32_t bypass = 1;
    float threshold = 64.0f;   // dB
    float ratio = 100.0f;
    std::int32_t attack = 1000;    // ms
    std::int32_t release = 30000;  // ms
    float softKnee = 24.0f;    // dB

    friend constexpr bool operator==(const CompressorSettings&, const CompressorSettings&) = default;
};

} // namespace dravo
