#pragma once
// The per-channel values that travel as ranges (scene, source, first, last,
// then a fixed group of bytes per channel), and where each lives.
#include "CommandCodes.h"
#include "DeviceState.h"

#include <cstdint>

namespace dravo::sim {

struct DspRangeField {
    std::uint8_t sub;
    std::uint8_t width;     // bytes per item
    std::uint8_t count;     // items that exist: outputs, or inputs
    bool perSource;         // the value is kept per input source
    bool settable;          // a range setter writes it as it reads back
    std::uint8_t* (*bytes)(SceneState& s, int source, int item);
};

inline constexpr DspRangeField kDspRangeFields[] = {
    {DSP_FILTER_SET, 8, kOutputCount, false, false,
     [](SceneState& s, int, int c) { return s.channels[c].filter.data(); }},
    {DSP_DELAY_CH, 3, kOutputCount, false, true,
     [](SceneState& s, int, int c) { return s.channels[c].delay.data(); }},
    {DSP_TRIM_CH, 2, kOutputCount, false, true,
     [](SceneState& s, int, int c) { return s.channels[c].trim.data(); }},
    {DSP_MUTE_CH, 1, kOutputCount, false, true, [](SceneState& s, int, int c) { return &s.channels[c].mute; }},
    {DSP_PHASE_CH, 1, kOutputCount, false, true, [](SceneState& s, int, int c) { return &s.channels[c].phase; }},
    {DSP_MIX_CH, 1, kOutputCount, true, true, [](SceneState& s, int src, int c) { return &s.mixMask[src][c]; }},
    {DSP_CH_TYPE, 1, kOutputCount, false, true, [](SceneState& s, int, int c) { return &s.channels[c].role; }},
    {DSP_EQ_BYPASS, 1, kOutputCount, false, true,
     [](SceneState& s, int, int c) { return &s.channels[c].eqBypass; }},
    {DSP_INPUT_CH_PHASE, 1, kInputCount, true, true,
     [](SceneState& s, int src, int in) { return &s.inputPhase[src][in]; }},
    {DSP_CH_SOLO, 1, kOutputCount, false, true, [](SceneState& s, int, int c) { return &s.channels[c].solo; }},
    {DSP_COMPRESSOR_ON_CH, 1, kOutputCount, false, true,
     [](SceneState& s, int, int c) { return &s.channels[c].compressorOn; }},
    {DSP_COMPRESSOR_SETTING2, 6, kOutputCount, false, true,
     [](SceneState& s, int, int c) { return s.channels[c].compressor2.data(); }},
};

constexpr const DspRangeField* findDspRangeField(std::uint8_t sub)
{
    for (const DspRangeField& f : kDspRangeFields)
        if (f.sub == sub)
            return &f;
    return nullptr;
}

} // namespace dravo::sim
