#pragma once
// One filter of an output's crossover: a high-pass or a low-pass section.
// Its characteristic and order codes are drawn by the filter math (dsp/).
#include "FilterFamily.h"

#include <cstdint>

namespace dravo {

inline constexpr int kMinFrequencyHz = 20;
inline constexpr int kMaxFrequencyHz = 20000;

struct FilterSection {
    std::int32_t fs = kMinFrequencyHz;     // corner frequency, Hz
    std::int32_t type = kFilterButterworth;  // characteristic code 1..3
    std::int32_t slope = 0;                // order; 0 = section off
    std::int32_t bypass = 1;               // 1 exactly when slope is 0

    static constexpr FilterSection highPass() { return {}; }
    static constexpr FilterSection lowPass()
    {
        FilterSection s;
        s.fs = kMaxFrequencyHz;
        return s;
    }

    // Each setter checks its own field only. A frequency outside the range
    // becomes 20 Hz, whichever section it is for.
    constexpr void setFrequency(int hz)
    {
        fs = (hz < kMinFrequencyHz || hz > kMaxFrequencyHz) ? kMinFrequencyHz : hz;
    }
    constexpr void setType(int code)
    {
        type = (code < kFilterButterworth || code > kFilterBessel) ? kFilterButterworth : code;
    }
    constexpr void setSlope(int code)
    {
        slope = code < 0 ? 0 : code;
        bypass = slope == 0 ? 1 : 0;
    }

    friend constexpr bool operator==(const FilterSection&, const FilterSection&) = default;
};

} // namespace dravo
