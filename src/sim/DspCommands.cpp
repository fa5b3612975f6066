#include "DspCommands.h"

#include "DspRangeFields.h"
#include "FactoryDefaults.h"
#include "RangeReply.h"
#include "WireBytes.h"

#include <algorithm>

namespace dravo::sim {
namespace {

// Main volume travels as an attenuation 0..66 dB and is reported as the
// level 6 - attenuation.
constexpr int kMaxAttenuation = 66;
constexpr int kVolumeReference = 6;
constexpr std::uint8_t kMaxNoiseGateGain = 48;
constexpr std::uint8_t kMaxNoiseGateThreshold = 31;
// Filter_Ctrl section numbers.
constexpr std::uint8_t kHighPassSection = 2;
constexpr std::uint8_t kLowPassSection = 1;
// What the simulated inputs measure: noise at -80.0 dB (sent as dB + 100),
// no clipping; calibration finds speakers 1 m away plus 25 cm per output, a
// flat response, and a spectrum 20 dB down.
constexpr std::uint8_t kInputNoiseWhole = 20;
constexpr std::int8_t kSpectrumLevelDb = -20;
// Calibration states reported by IRC_Get.
constexpr std::uint8_t kIrcTestDone = 10;
constexpr std::uint8_t kIrcTestExit = 12;

using Data = std::span<const std::uint8_t>;

std::uint8_t u8(int v) { return static_cast<std::uint8_t>(v); }

// ---- ranges of per-channel values ----

bool getRangeField(CommandContext& ctx, const Request& r)
{
    const DspRangeField* field = findDspRangeField(r.sub);
    if (r.data.size() < 4)
        return false;
    SceneState* scene = ctx.scene(r.data[0]);
    const int source = r.data[1];
    if (!scene || (field->perSource && source >= kSourceCount))
        return false;
    replyRange(ctx, r, {r.data[0], r.data[1]}, clampRange(r.data[2], r.data[3], field->count), field->width,
               [&](int item, std::uint8_t* out) { std::copy_n(field->bytes(*scene, source, item), field->width, out); });
    return true;
}

bool setRangeField(CommandContext& ctx, const Request& r)
{
    const DspRangeField* field = findDspRangeField(r.sub);
    if (r.data.size() < 4 || !field->settable)
        return false;
    SceneState* scene = ctx.scene(r.data[0]);
    const int source = r.data[1];
    const int first = r.data[2];
    const int last = r.data[3];
    const std::size_t items = last >= first ? static_cast<std::size_t>(last - first + 1) : 0;
    if (!scene || (field->perSource && source >= kSourceCount) || r.data.size() < 4 + items * field->width)
        return false;
    for (int item = first; item <= last && item < field->count; ++item)
        std::copy_n(r.data.data() + 4 + (item - first) * field->width, field->width,
                    field->bytes(*scene, source, item));
    ctx.ack(r, ACK_READY);
    return true;
}

// ---- amplifier-wide single values ----

template <typename T, T AmpSettings::*Member>
bool getAmpByte(CommandContext& ctx, const Request& r)
{
    ctx.update(r, {static_cast<std::uint8_t>(ctx.state.amp.*Member)});
    return true;
}

template <typename T, T AmpSettings::*Member>
bool setAmpByte(CommandContext& ctx, const Request& r)
{
    if (r.data.empty())
        return false;
    ctx.state.amp.*Member = static_cast<T>(r.data[0]);
    ctx.ack(r, ACK_READY);
    return true;
}

bool setVolume(CommandContext& ctx, const Request& r)
{
    if (r.data.empty())
        return false;
    const int attenuation = std::min<int>(r.data[0], kMaxAttenuation);
    ctx.state.amp.volumeDb = static_cast<std::int8_t>(kVolumeReference - attenuation);
    ctx.ack(r, ACK_READY);
    return true;
}

bool getInputThreshold(CommandContext& ctx, const Request& r)
{
    // Asked with scene and source, but one threshold serves every input.
    ctx.update(r, {u8(ctx.state.amp.inputThreshold)});
    return true;
}

// Gate number, then an index the device limits to its table.
template <std::uint8_t AmpSettings::*Member, std::uint8_t Max>
bool setGateIndex(CommandContext& ctx, const Request& r)
{
    if (r.data.size() < 2)
        return false;
    ctx.state.amp.*Member = std::min(r.data[1], Max);
    ctx.ack(r, ACK_READY);
    return true;
}

template <std::uint8_t AmpSettings::*Member>
bool getGateIndex(CommandContext& ctx, const Request& r)
{
    ctx.update(r, {0, ctx.state.amp.*Member});
    return true;
}

bool setRemOut(CommandContext& ctx, const Request& r)
{
    if (r.data.size() < 2)
        return false;
    ctx.state.amp.remOut1 = r.data[0];
    ctx.state.amp.remOut2 = r.data[1];
    ctx.ack(r, ACK_READY);
    return true;
}

bool getRemOut(CommandContext& ctx, const Request& r)
{
    ctx.update(r, {ctx.state.amp.remOut1, ctx.state.amp.remOut2});
    return true;
}

bool setMemData(CommandContext& ctx, const Request& r)
{
    if (r.data.size() < 8)
        return false;
    ctx.state.amp.memory[getU32Le(r.data.data())] = getU32Le(r.data.data() + 4);
    ctx.ack(r, ACK_READY);
    return true;
}

bool getMemData(CommandContext& ctx, const Request& r)
{
    if (r.data.size() < 4)
        return false;
    const std::uint32_t address = getU32Le(r.data.data());
    const auto it = ctx.state.amp.memory.find(address);
    std::vector<std::uint8_t> data(8);
    putU32Le(data.data(), address);
    putU32Le(data.data() + 4, it == ctx.state.amp.memory.end() ? 0 : it->second);
    ctx.update(r, std::move(data));
    return true;
}

bool setCsAutoSetting(CommandContext& ctx, const Request& r)
{
    auto& block = ctx.state.amp.csAutoSetting;
    block.fill(0);
    std::copy_n(r.data.begin(), std::min(r.data.size(), block.size()), block.begin());
    ctx.ack(r, ACK_READY);
    return true;
}

// ---- scene-tagged values ----

// scene, flag: a flag of the addressed parameter set.
template <std::uint8_t SceneState::*Member>
bool setSceneFlag(CommandContext& ctx, const Request& r)
{
    SceneState* scene = r.data.size() >= 2 ? ctx.scene(r.data[0]) : nullptr;
    if (!scene)
        return false;
    scene->*Member = r.data[1];
    ctx.ack(r, ACK_READY);
    return true;
}

bool getLock(CommandContext& ctx, const Request& r)
{
    SceneState* scene = r.data.size() >= 1 ? ctx.scene(r.data[0]) : nullptr;
    if (!scene)
        return false;
    ctx.update(r, {r.data[0], scene->lockOn});
    return true;
}

bool getAutoOn(CommandContext& ctx, const Request& r)
{
    ctx.update(r, {ctx.state.live.autoOn});
    return true;
}

bool setFilter(CommandContext& ctx, const Request& r)
{
    if (r.data.size() < 8)
        return false;
    SceneState* scene = ctx.scene(r.data[0]);
    const int channel = r.data[2];
    const std::uint8_t section = r.data[3];
    if (!scene || channel >= kOutputCount || (section != kHighPassSection && section != kLowPassSection))
        return false;
    std::uint8_t* bytes = scene->channels[channel].filter.data() + (section == kHighPassSection ? 0 : 4);
    std::copy_n(r.data.data() + 4, 4, bytes); // type, frequency u16, slope
    ctx.ack(r, ACK_READY);
    return true;
}

bool setEq(CommandContext& ctx, const Request& r)
{
    if (r.data.size() < 11)
        return false;
    SceneState* scene = ctx.scene(r.data[0]);
    const int channel = r.data[2];
    const int band = r.data[3];
    if (!scene || channel >= kOutputCount || band >= kBandCount)
        return false;
    std::copy_n(r.data.data() + 4, 7, scene->channels[channel].bands[band].begin());
    ctx.ack(r, ACK_READY);
    return true;
}

bool getEq(CommandContext& ctx, const Request& r)
{
    if (r.data.size() < 5)
        return false;
    SceneState* scene = ctx.scene(r.data[0]);
    const int channel = r.data[2];
    if (!scene || channel >= kOutputCount)
        return false;
    const auto& bands = scene->channels[channel].bands;
    replyRange(ctx, r, {r.data[0], r.data[1], r.data[2]}, clampRange(r.data[3], r.data[4], kBandCount), 7,
               [&](int band, std::uint8_t* out) { std::copy(bands[band].begin(), bands[band].end(), out); });
    return true;
}

// What following a link partner copies: the bands' frequency, Q and gain
// (each band keeps its own type), both crossover sections and the bypass.
void copyOutputConfig(ChannelState& to, const ChannelState& from)
{
    constexpr std::uint8_t kGainBits = 31;
    for (int b = 0; b < kBandCount; ++b) {
        const std::uint8_t type = to.bands[b][5] & ~kGainBits;
        to.bands[b] = from.bands[b];
        to.bands[b][5] = u8(type | (from.bands[b][5] & kGainBits));
    }
    to.filter = from.filter;
    to.eqBypass = from.eqBypass;
}

bool setLink(CommandContext& ctx, const Request& r)
{
    if (r.data.size() < 3)
        return false;
    SceneState* scene = ctx.scene(r.data[0]);
    const std::size_t pairs = r.data[2];
    if (!scene || r.data.size() < 3 + 2 * pairs)
        return false;
    for (std::size_t p = 0; p < pairs; ++p) {
        const int from = r.data[3 + 2 * p];
        const int to = r.data[4 + 2 * p];
        if (from >= kOutputCount || to >= kOutputCount)
            return false;
    }
    scene->linkOn = r.data[1];
    scene->linkBytes.fill(kNoLink);
    if (scene->linkOn) {
        for (std::size_t p = 0; p < pairs; ++p) {
            const int from = r.data[3 + 2 * p];
            const int to = r.data[4 + 2 * p];
            if (from != to)
                copyOutputConfig(scene->channels[to], scene->channels[from]);
            if (p < scene->linkBytes.size())
                scene->linkBytes[p] = u8(from << 4 | to);
        }
    }
    ctx.ack(r, ACK_READY);
    return true;
}

bool getLink(CommandContext& ctx, const Request& r)
{
    SceneState* scene = r.data.size() >= 1 ? ctx.scene(r.data[0]) : nullptr;
    if (!scene)
        return false;
    std::vector<std::uint8_t> data{r.data[0], scene->linkOn};
    data.insert(data.end(), scene->linkBytes.begin(), scene->linkBytes.end());
    ctx.update(r, std::move(data));
    return true;
}

bool resetEq(CommandContext& ctx, const Request& r)
{
    if (r.data.size() < 3)
        return false;
    SceneState* scene = ctx.scene(r.data[0]);
    const std::size_t count = r.data[2];
    if (!scene || r.data.size() < 3 + count)
        return false;
    for (std::size_t i = 0; i < count; ++i)
        if (r.data[3 + i] >= kOutputCount)
            return false;
    for (std::size_t i = 0; i < count; ++i)
        for (int b = 0; b < kBandCount; ++b)
            scene->channels[r.data[3 + i]].bands[b] = defaultBand(b);
    ctx.ack(r, ACK_READY);
    return true;
}

bool setInputMixTrim(CommandContext& ctx, const Request& r)
{
    if (r.data.size() < 5)
        return false;
    SceneState* scene = ctx.scene(r.data[0]);
    const int source = r.data[1];
    const int input = r.data[2];
    const int first = r.data[3];
    const int last = r.data[4];
    const std::size_t items = last >= first ? static_cast<std::size_t>(last - first + 1) : 0;
    if (!scene || source >= kSourceCount || input >= kInputCount || r.data.size() < 5 + items)
        return false;
    for (int out = first; out <= last && out < kOutputCount; ++out)
        scene->mixLevel[source][input][out] = r.data[5 + out - first];
    ctx.ack(r, ACK_READY);
    return true;
}

bool getInputMixTrim(CommandContext& ctx, const Request& r)
{
    if (r.data.size() < 5)
        return false;
    SceneState* scene = ctx.scene(r.data[0]);
    const int source = r.data[1];
    const int input = r.data[2];
    if (!scene || source >= kSourceCount || input >= kInputCount)
        return false;
    const auto& levels = scene->mixLevel[source][input];
    replyRange(ctx, r, {r.data[0], r.data[1], r.data[2]}, clampRange(r.data[3], r.data[4], kOutputCount), 1,
               [&](int out, std::uint8_t* o) { *o = levels[out]; });
    return true;
}

bool setCompressor(CommandContext& ctx, const Request& r)
{
    if (r.data.size() < 14)
        return false;
    SceneState* scene = ctx.scene(r.data[0]);
    const int channel = r.data[2];
    if (!scene || channel >= kOutputCount)
        return false;
    std::copy_n(r.data.data() + 3, 11, scene->channels[channel].compressor.begin());
    ctx.ack(r, ACK_READY);
    return true;
}

// One settings group per packet: the reply layout has room for one, so each
// channel of the range gets its own packet covering just that channel.
bool getCompressor(CommandContext& ctx, const Request& r)
{
    if (r.data.size() < 4)
        return false;
    SceneState* scene = ctx.scene(r.data[0]);
    if (!scene)
        return false;
    const ItemRange range = clampRange(r.data[2], r.data[3], kOutputCount);
    for (int c = range.first; c <= range.last; ++c) {
        std::vector<std::uint8_t> data{r.data[0], r.data[1], u8(c), u8(c)};
        const auto& group = scene->channels[c].compressor;
        data.insert(data.end(), group.begin(), group.end());
        ctx.update(r, std::move(data));
    }
    return true;
}

CrossSourceMix* crossSourceOf(CommandContext& ctx, std::uint8_t sceneNumber, int source, int input)
{
    SceneState* scene = ctx.scene(sceneNumber);
    if (!scene || source >= kSourceCount || input >= kInputCount)
        return nullptr;
    return &scene->crossSource[source][input];
}

// scene, source, input, vice source, vice channel, vice gain
bool setCrossSourceMix(CommandContext& ctx, const Request& r)
{
    if (r.data.size() < 6 || r.data[3] > kNoViceSource)
        return false;
    CrossSourceMix* mix = crossSourceOf(ctx, r.data[0], r.data[1], r.data[2]);
    if (!mix)
        return false;
    *mix = {r.data[3], r.data[4], r.data[5]};
    ctx.ack(r, ACK_READY);
    return true;
}

bool getCrossSourceMix(CommandContext& ctx, const Request& r)
{
    if (r.data.size() < 3)
        return false;
    CrossSourceMix* mix = crossSourceOf(ctx, r.data[0], r.data[1], r.data[2]);
    if (!mix)
        return false;
    ctx.update(r, {r.data[0], r.data[1], r.data[2], mix->viceSource, mix->viceChannel, mix->viceGain});
    return true;
}

// The CS47048 form: scene, source, vice source, vice channel, input; no gain.
bool setCrossSourceMixCs47048(CommandContext& ctx, const Request& r)
{
    if (r.data.size() < 5 || r.data[2] > kNoViceSource)
        return false;
    CrossSourceMix* mix = crossSourceOf(ctx, r.data[0], r.data[1], r.data[4]);
    if (!mix)
        return false;
    mix->viceSource = r.data[2];
    mix->viceChannel = r.data[3];
    ctx.ack(r, ACK_READY);
    return true;
}

bool getCrossSourceMixCs47048(CommandContext& ctx, const Request& r)
{
    if (r.data.size() < 5)
        return false;
    CrossSourceMix* mix = crossSourceOf(ctx, r.data[0], r.data[1], r.data[4]);
    if (!mix)
        return false;
    ctx.update(r, {r.data[0], r.data[1], mix->viceSource, mix->viceChannel, r.data[4]});
    return true;
}

bool setBridge(CommandContext& ctx, const Request& r)
{
    if (r.data.size() < 3)
        return false;
    SceneState* scene = ctx.scene(r.data[0]);
    const std::size_t count = r.data[2];
    if (!scene || r.data.size() < 3 + count)
        return false;
    std::copy_n(r.data.data() + 3, std::min<std::size_t>(count, kBridgePairCount), scene->bridge.begin());
    ctx.ack(r, ACK_READY);
    return true;
}

bool getBridge(CommandContext& ctx, const Request& r)
{
    if (r.data.size() < 3)
        return false;
    SceneState* scene = ctx.scene(r.data[0]);
    if (!scene)
        return false;
    const std::uint8_t count = std::min<std::uint8_t>(r.data[2], kBridgePairCount);
    std::vector<std::uint8_t> data{r.data[0], r.data[1], count};
    data.insert(data.end(), scene->bridge.begin(), scene->bridge.begin() + count);
    ctx.update(r, std::move(data));
    return true;
}

// ---- measurements ----

bool getInputNoise(CommandContext& ctx, const Request& r)
{
    if (r.data.size() < 2)
        return false;
    replyRange(ctx, r, {}, clampRange(r.data[0], r.data[1], kInputCount), 2, [](int, std::uint8_t* out) {
        out[0] = kInputNoiseWhole;
        out[1] = 0;
    });
    return true;
}

// scene, source, first, last; answered as source, first, last, clip flags.
template <int Count>
bool getDistort(CommandContext& ctx, const Request& r)
{
    if (r.data.size() < 4)
        return false;
    replyRange(ctx, r, {r.data[1]}, clampRange(r.data[2], r.data[3], Count), 1, [](int, std::uint8_t* out) { *out = 0; });
    return true;
}

bool setIrc(CommandContext& ctx, const Request& r)
{
    if (r.data.size() < 4)
        return false;
    RoomCalibration& irc = ctx.state.amp.calibration;
    irc.on = r.data[0];
    irc.channelMask = static_cast<std::uint16_t>(getU16(r.data.data() + 1));
    irc.eqMode = r.data[3];
    ctx.ack(r, ACK_READY);
    return true;
}

bool getIrc(CommandContext& ctx, const Request& r)
{
    // A measurement finishes the moment it starts.
    const bool on = ctx.state.amp.calibration.on;
    ctx.update(r, {on ? kIrcTestDone : kIrcTestExit, 0, 0, u8(on ? 100 : 0), 0});
    return true;
}

bool setIrcTestModule(CommandContext& ctx, const Request& r)
{
    if (r.data.empty())
        return false;
    ctx.state.amp.calibration.testModule = r.data[0];
    ctx.ack(r, ACK_READY);
    return true;
}

bool getIrcDistance(CommandContext& ctx, const Request& r)
{
    if (r.data.size() < 2)
        return false;
    replyRange(ctx, r, {}, clampRange(r.data[0], r.data[1], kOutputCount), 2, [](int c, std::uint8_t* out) {
        out[0] = u8(1 + c / 4);
        out[1] = u8(c % 4 * 25);
    });
    return true;
}

bool getIrcEq(CommandContext& ctx, const Request& r)
{
    if (r.data.size() < 3 || r.data[0] >= kOutputCount)
        return false;
    replyRange(ctx, r, {r.data[0]}, clampRange(r.data[1], r.data[2], kBandCount), 6, [](int b, std::uint8_t* out) {
        putU16(out, kThirdOctaveFrequencies[b]);
        out[2] = 5;  // Q 5.80
        out[3] = 80;
        out[4] = 18; // gain 0 dB
        out[5] = 0;
    });
    return true;
}

bool getIrcSpectrum(CommandContext& ctx, const Request& r)
{
    if (r.data.size() < 3 || r.data[0] >= kOutputCount)
        return false;
    replyRange(ctx, r, {r.data[0]}, clampRange(r.data[1], r.data[2], kBandCount), 5, [](int b, std::uint8_t* out) {
        putU16(out, kThirdOctaveFrequencies[b]);
        out[2] = 0;
        out[3] = u8(kSpectrumLevelDb);
        out[4] = 0;
    });
    return true;
}

constexpr CommandEntry kDspCommands[] = {
    {DSP_SOURCE_SWITCH, setAmpByte<std::uint8_t, &AmpSettings::source>, getAmpByte<std::uint8_t, &AmpSettings::source>},
    {DSP_VOLUME, setVolume, getAmpByte<std::int8_t, &AmpSettings::volumeDb>},
    {DSP_SUBWOOFER_VOLUME, nullptr, getAmpByte<std::int8_t, &AmpSettings::subVolume>},
    {DSP_MUTE, setAmpByte<std::uint8_t, &AmpSettings::mute>, getAmpByte<std::uint8_t, &AmpSettings::mute>},
    {DSP_FILTER_SET, setFilter, getRangeField},
    {DSP_EQ_CH, setEq, getEq},
    {DSP_DELAY_CH, setRangeField, getRangeField},
    {DSP_TRIM_CH, setRangeField, getRangeField},
    {DSP_MUTE_CH, setRangeField, getRangeField},
    {DSP_PHASE_CH, setRangeField, getRangeField},
    {DSP_MIX_CH, setRangeField, getRangeField},
    {DSP_CH_TYPE, setRangeField, getRangeField},
    {DSP_CH_LINK, setLink, getLink},
    {DSP_CH_LOCK, setSceneFlag<&SceneState::lockOn>, getLock},
    {DSP_EQ_RESET, resetEq, nullptr},
    {DSP_EQ_BYPASS, setRangeField, getRangeField},
    {DSP_IRC_CTRL, setIrc, getIrc},
    {DSP_IRC_DISTANCE, nullptr, getIrcDistance},
    {DSP_IRC_EQ, nullptr, getIrcEq},
    {DSP_IRC_SPECTRUM, nullptr, getIrcSpectrum},
    {DSP_IRC_SEL_TEST_MODULE, setIrcTestModule, nullptr},
    {DSP_INPUT_CH_PHASE, setRangeField, getRangeField},
    {DSP_INPUT_MIX_CH_TRIM, setInputMixTrim, getInputMixTrim},
    {DSP_INPUT_THRESHOLD, setAmpByte<std::int8_t, &AmpSettings::inputThreshold>, getInputThreshold},
    {DSP_INPUT_NOISE, nullptr, getInputNoise},
    {DSP_CH_SOLO, setRangeField, getRangeField},
    {DSP_SPK_CH_CONFIG, nullptr, getAmpByte<std::uint8_t, &AmpSettings::speakerConfig>},
    {DSP_AUTO_EFFECTION_ON_OFF_CONTROL, setSceneFlag<&SceneState::autoOn>, getAutoOn},
    {DSP_IRC_ACTIVE_BYPASS_CONTROL, setSceneFlag<&SceneState::ircActiveBypass>, nullptr},
    {DSP_CS_AUTO_SETTING, setCsAutoSetting, nullptr},
    {DSP_COMPRESSOR_SETTING, setCompressor, getCompressor},
    {DSP_AMP_MUTE, setAmpByte<std::uint8_t, &AmpSettings::ampMute>, getAmpByte<std::uint8_t, &AmpSettings::ampMute>},
    {DSP_INPUT_CH_DISTORT, nullptr, getDistort<kInputCount>},
    {DSP_OUTPUT_CH_DISTORT, nullptr, getDistort<kOutputCount>},
    {DSP_MEM_DATA, setMemData, getMemData},
    {DSP_REM_OUT, setRemOut, getRemOut},
    {DSP_CROSS_SOURCE_MIX, setCrossSourceMix, getCrossSourceMix},
    {DSP_COMPRESSOR_ON_CH, setRangeField, getRangeField},
    {DSP_COMPRESSOR_SETTING2, setRangeField, getRangeField},
    {DSP_SPK_OHM, setAmpByte<std::uint8_t, &AmpSettings::spkOhm>, getAmpByte<std::uint8_t, &AmpSettings::spkOhm>},
    {DSP_OUPUT_BRIDGE, setBridge, getBridge},
    {DSP_CROSS_SOURCE_MIX_CS47048, setCrossSourceMixCs47048, getCrossSourceMixCs47048},
    {DSP_NOISE_GATE, setAmpByte<std::uint8_t, &AmpSettings::noiseGate>, getAmpByte<std::uint8_t, &AmpSettings::noiseGate>},
    {DSP_NOISE_GATE_DRC_GAIN, setGateIndex<&AmpSettings::noiseGateGain, kMaxNoiseGateGain>,
     getGateIndex<&AmpSettings::noiseGateGain>},
    {DSP_NOISE_GATE_THRESHOLD, setGateIndex<&AmpSettings::noiseGateThreshold, kMaxNoiseGateThreshold>,
     getGateIndex<&AmpSettings::noiseGateThreshold>},
};

} // namespace

bool handleDspRequest(CommandContext& ctx, const Request& request)
{
    return dispatchCommand(kDspCommands, ctx, request);
}

} // namespace dravo::sim
