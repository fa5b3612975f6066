#include "SenceConfig.h"

#include "InputSources.h"
#include "KaraokeParams.h"
#include "Log.h"
#include "SpeakerRoles.h"

#include <algorithm>

namespace dravo {

namespace {

using OutputMasks = std::array<std::int32_t, kOutputCount>;

// Factory input routing: the two-input sources feed left to even and right
// to odd outputs, both to outputs 4 and 5; the eight-input sources (4 and 5)
// give outputs 2 and 3 inputs 3 and 4.
constexpr OutputMasks kStereoSourceMasks = {1, 2, 1, 2, 3, 3, 1, 2, 1, 2, 1, 2};
constexpr OutputMasks kMultiInputSourceMasks = {1, 2, 4, 8, 3, 3, 1, 2, 1, 2, 1, 2};
constexpr const OutputMasks* kSourceMasks[kSourceCount] = {
    &kStereoSourceMasks, &kStereoSourceMasks, &kStereoSourceMasks,
    &kStereoSourceMasks, &kMultiInputSourceMasks, &kMultiInputSourceMasks,
    &kStereoSourceMasks, &kStereoSourceMasks, &kStereoSourceMasks,
};

// Factory mixing level of a routed input: full on the first four outputs,
// a little lower on the rest.
constexpr std::int32_t factoryMixLevel(int output)
{
    return output < 4 ? 100 : 75;
}

constexpr bool validOutput(int c)
{
    return c >= 0 && c < kOutputCount;
}

template <typename Table, typename T>
void fillTable(Table& table, const T& value)
{
    for (auto& row : table)
        row.fill(value);
}

} // namespace

SenceConfig::SenceConfig()
{
    eqSizes.fill(kBandsPerOutput);
    fillTable(monitorIndex, -1);
    resetToDefaults();
}

void SenceConfig::resetToDefaults(bool sixChannels)
{
    channelCount = sixChannels ? 6 : 8;
    resetToDefaults();
}

void SenceConfig::resetToDefaults()
{
    model = -1;
    mainVersion = -1;
    slaveVersion = -1;

    std::copy(std::begin(kKaraokeFactoryValues), std::end(kKaraokeFactoryValues), karaoke.begin());
    inputThreshold = -60;
    powerOffDelay = 0;

    compressor.fill(CompressorSettings{});

    // Outputs past the end of a smaller system's table have no role.
    const std::span<const int> roles = defaultRolesFor(channelCount);
    if (!roles.empty()) {
        for (int c = 0; c < kOutputCount; ++c)
            outputs[c] = c < static_cast<int>(roles.size()) ? roles[c] : kNoRole;
        outputs_bk = outputs;
    }

    currOutChannel = 0;
    linkMode = 0;
    lockMode = 0;
    linkOutputs.fill(-1);

    source = 0;
    mainVolume = -5;
    ampOn = 1;
    remOut1 = 1;
    remOut2 = 1;
    spkOhm = 1;
    acc = 0;
    mainVolumeMute = 0;
    noiseGate = 0;
    subVolume = 0;
    sceneId = 0;
    bridgeOutputs.fill(0);

    for (int s = 0; s < kSourceCount; ++s)
        inputs[s] = *kSourceMasks[s];

    if (kMonitorInputCount > 0)
        fillTable(monitorIndex, -1);

    for (int s = 0; s < kSourceCount; ++s) {
        for (int n = 0; n < kInputsPerSource; ++n) {
            for (int k = 0; k < kOutputCount; ++k) {
                const bool routed = (inputs[s][k] >> n) & 1;
                inputMixVolume[s][n][k] = routed ? factoryMixLevel(k) : 0;
            }
            inMixPhase[s][n] = 0;
            inDistort[s][n] = 0;
            csmViceSource[s][n] = kNoViceSource;
            csmViceCh[s][n] = 0;
            csmViceGain[s][n] = 0;
        }
        outDistort[s].fill(0);
    }

    showOutChEqualizer.fill(0);

    for (int c = 0; c < kOutputCount; ++c) {
        resetBands(bands[c], eqSizes[c]);
        ChannelConfig& ch = channels[c];
        ch.eqSize = eqSizes[c];
        ch.crossover = defaultCrossoverForRole(outputs[c]);
        ch.gain = 0.0f;
        ch.delay = 0.0f;
        ch.mute = 0;
        ch.solo = 0;
        ch.phase = 0;
        ch.bypass = 1;
        ch.compressorOn = 1;
    }

    soloChannel = -1;
}

BandRow* SenceConfig::bandsOf(int output)
{
    return validOutput(output) ? &bands[output] : nullptr;
}

const BandRow* SenceConfig::bandsOf(int output) const
{
    return validOutput(output) ? &bands[output] : nullptr;
}

int SenceConfig::eqSizeOf(int output) const
{
    if (!validOutput(output))
        return 0;
    return std::clamp(channels[output].eqSize, 0, kBandsPerOutput);
}

bool SenceConfig::isLinkable() const
{
    for (int j = 0; j < kOutputCount; ++j) {
        if (outputs[j] == kNoRole)
            continue;
        const int mirror = mirrorRole(outputs[j]);
        if (mirror == kNoMirror)
            continue;
        for (int i = 0; i < kOutputCount; ++i) {
            if (i == j || outputs[i] != mirror)
                continue;
            if (sameHalf(i, j))
                return true;
            break;
        }
    }
    return false;
}

bool SenceConfig::canAssignRole(int role, int output) const
{
    const SpeakerRole* wanted = speakerRole(role);
    if (wanted == nullptr || role == kNoRole)
        return true;
    for (int i = 0; i < kOutputCount; ++i) {
        if (i == output)
            continue;
        const SpeakerRole* other = speakerRole(outputs[i]);
        if (other != nullptr && other->group == wanted->group && (other->bandMask & wanted->bandMask) != 0)
            return false;
    }
    return true;
}

bool SenceConfig::roleInUse(int role) const
{
    return std::find(outputs.begin(), outputs.end(), role) != outputs.end();
}

void SenceConfig::copyOutputConfig(int from, int to)
{
    if (!validOutput(from) || !validOutput(to))
        return;
    LogWrite("copy out config from %d to %d\n", from, to);

    const int count = eqSizeOf(to);
    for (int i = 0; i < count; ++i) {
        const EqBand& src = bands[from][i];
        EqBand& dst = bands[to][i];
        dst.enable = src.enable;
        dst.eqFactor = src.eqFactor;
        dst.eqGain = src.eqGain;
        dst.freq = src.freq;
    }

    const Crossover& src = channels[from].crossover;
    Crossover& dst = channels[to].crossover;
    dst.hp.setType(src.hp.type);
    dst.lp.setType(src.lp.type);
    dst.hp.setFrequency(src.hp.fs);
    dst.lp.setFrequency(src.lp.fs);
    dst.hp.setSlope(src.hp.slope);
    dst.lp.setSlope(src.lp.slope);

    channels[to].bypass = channels[from].bypass;
}

void SenceConfig::copyMixConfig(int from, int to)
{
    if (!validOutput(from) || !validOutput(to))
        return;
    LogWrite("copy mix config from %d to %d\n", from, to);
    for (int s = 0; s < kSourceCount; ++s) {
        inputs[s][to] = inputs[s][from];
        for (int n = 0; n < kInputsPerSource; ++n)
            inputMixVolume[s][n][to] = inputMixVolume[s][n][from];
    }
}

void SenceConfig::clearMixConfig(int output)
{
    if (!validOutput(output))
        return;
    LogWrite("clear mix config of %d\n", output);
    for (int s = 0; s < kSourceCount; ++s) {
        inputs[s][output] = 0;
        for (int n = 0; n < kInputsPerSource; ++n)
            inputMixVolume[s][n][output] = 0;
    }
}

void SenceConfig::mix2monitorChIdxs()
{
    LogWrite("%s %d\n", "mix2monitorChIdxs", kMonitorInputCount);
}

} // namespace dravo
