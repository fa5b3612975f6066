#pragma once
// One complete parameter set of the amplifier: the live state, one stored
// scene, or the content of a profile file. All tables are held by value, so
// copying a record copies every table and band; no copy shares anything
// with the record it came from.
#include "ChannelConfig.h"
#include "CompressorSettings.h"
#include "EqBand.h"
#include "ModelSizes.h"

#include <array>
#include <cstdint>

namespace dravo {

template <typename T, int Outer, int Inner>
using Table2 = std::array<std::array<T, Inner>, Outer>;
template <typename T, int A, int B, int C>
using Table3 = std::array<std::array<std::array<T, C>, B>, A>;

// Working data of the custom equaliser panel: its own 20 bands and its two
// factory tables.
struct CustomEqData {
    std::array<EqBand, kCustomEqBandCount> bands{};
    std::array<std::int32_t, kCustomEqBandCount> firstTable = {
        10, 13, 16, 17, 19, 21, 24, 27, 30, 33, 100, 150, 200, 130, 180, 230, 280, 1000, 1250, 1600};
    std::array<std::int32_t, kCustomEqBandCount> secondTable = {
        0, 11, 12, 1, 6, 8, 5, 4, 4, 3, 3, 3, 3, 3, 3, 2, 3, 0, 0, 0};

    friend bool operator==(const CustomEqData&, const CustomEqData&) = default;
};

// True when both outputs are in 0..5 or both in 6..11: links, band changes
// of synchronise groups and equaliser resets stay within one half.
constexpr bool sameHalf(int a, int b)
{
    const bool aValid = a >= 0 && a < kOutputCount;
    const bool bValid = b >= 0 && b < kOutputCount;
    return aValid && bValid && (a < kHalfOutputCount) == (b < kHalfOutputCount);
}

struct SenceConfig {
    // Identity from the device handshake; -1 until it is heard.
    std::int32_t model = -1;
    std::int32_t mainVersion = -1;
    std::int32_t slaveVersion = -1;
    std::array<std::int32_t, 4> flashVer{};

    std::int32_t source = 0;
    std::int32_t mainVolume = -5;  // step 0..40; the factory value is outside on purpose
    std::int32_t acc = 0;
    std::int32_t subVolume = 0;
    std::uint8_t sceneId = 0;      // scene requests built from this record carry
    std::int32_t mainVolumeMute = 0;
    std::int32_t ampOn = 1;
    std::int32_t remOut1 = 1;
    std::int32_t remOut2 = 1;
    std::int32_t spkOhm = 1;       // 1 = 2 ohm, 0 = 4 ohm
    std::int32_t noiseGate = 0;
    float noiseGateThreshold = -30.0f;  // dB
    float noiseGateDrcGain = 0.0f;      // dB
    std::int32_t autoEffection = 0;
    std::int32_t channelCount = kOutputCount;
    std::array<std::int32_t, kBridgePairCount> bridgeOutputs{};
    std::array<ChannelConfig, kOutputCount> channels{};
    std::int32_t soloChannel = -1;

    // Input mixing, per source: mask of the inputs feeding each output, the
    // level 0..100 of each input on each output, and cross-source mixing.
    Table2<std::int32_t, kSourceCount, kOutputCount> inputs{};
    Table3<std::int32_t, kSourceCount, kInputsPerSource, kOutputCount> inputMixVolume{};
    Table2<std::int32_t, kSourceCount, kInputsPerSource> inMixPhase{};
    Table2<std::int32_t, kSourceCount, kInputsPerSource> inDistort{};
    Table2<std::int32_t, kSourceCount, kOutputCount> outDistort{};
    Table2<std::int32_t, kSourceCount, kInputsPerSource> csmViceSource{};  // 9 = none
    Table2<std::int32_t, kSourceCount, kInputsPerSource> csmViceCh{};
    Table2<std::int32_t, kSourceCount, kInputsPerSource> csmViceGain{};    // dB

    // Output layout.
    std::array<std::int32_t, kOutputCount> outputs{};      // speaker role of each output
    std::array<std::int32_t, kOutputCount> outputs_bk{};   // own role, kept while bridged
    std::array<std::int32_t, kOutputCount> linkOutputs{};  // link partner, -1 = none
    std::array<std::int32_t, kOutputCount> showOutChEqualizer{};
    std::int32_t currOutChannel = 0;
    std::uint8_t peqMode = 0;  // 1 = parametric view, 0 = graphic
    std::int32_t linkMode = 0;
    std::int32_t lockMode = 0;
    std::array<std::int32_t, kOutputCount> syncGroup{};       // 0 = none
    std::array<std::int32_t, kOutputCount> delayLinkGroup{};  // 0 = none
    Table2<std::int32_t, kMonitorRowCount, kOutputCount> monitorIndex{};

    std::int32_t inputThreshold = -60;  // dBu, -61 = off
    std::int32_t powerOffDelay = 0;
    std::array<std::int32_t, kKaraokeParamCount> karaoke{};  // in the order of KaraokeParams.h
    std::array<CompressorSettings, kOutputCount> compressor{};
    std::int32_t currSource = 0;

    std::array<std::int32_t, kEqSizeTableCount> eqSizes{};
    std::array<BandRow, kOutputCount> bands{};
    CustomEqData customEq;

    // The factory defaults for 12 channels.
    SenceConfig();

    // Re-applies the factory defaults in place. The noise-gate threshold and
    // DRC gain, the channel count and the tables of groups, view mode and
    // band counts are left as they are.
    void resetToDefaults();
    // The same after setting the channel count to 6 (true) or 8 (false).
    void resetToDefaults(bool sixChannels);

    // The band row of an output; nullptr outside 0..11, and the caller then
    // skips what it was doing.
    BandRow* bandsOf(int output);
    const BandRow* bandsOf(int output) const;

    // The output's bands in use, held to 0..31; 0 outside 0..11.
    int eqSizeOf(int output) const;

    // Whether link mode can find a pair: some output's mirror role is, at its
    // first occurrence among the other outputs, in the same half.
    bool isLinkable() const;

    // Whether `output` may take `role` in the output menu: no other output of
    // the role's speaker group may cover any part of the same spectrum.
    bool canAssignRole(int role, int output) const;

    bool roleInUse(int role) const;

    // Copies the destination's count of bands (gain, Q, frequency, enable, not
    // the type), the crossover filters through their setters, and the
    // equaliser bypass. Level, mute, delay, phase, solo and bpType stay.
    void copyOutputConfig(int from, int to);

    // Input mask and mixing levels of one output, for every source.
    void copyMixConfig(int from, int to);
    void clearMixConfig(int output);

    // Rebuilds monitor routing from the input masks; this build has no
    // monitor inputs, so it only logs.
    void mix2monitorChIdxs();

    friend bool operator==(const SenceConfig&, const SenceConfig&) = default;
};

} // namespace dravo
