#pragma once
// The noise gate's values travel as indexes.

namespace dravo {

// Threshold in dB: -30 dB at index 0, 1.5 dB lower per index.
constexpr float noiseGateThresholdDb(int index)
{
    return -30.0f - 1.5f * static_cast<float>(index);
}

// DRC gain in dB: index 32 is 0 dB.
constexpr float noiseGateDrcGainDb(int index)
{
    return static_cast<float>(index - 32);
}

} // namespace dravo
