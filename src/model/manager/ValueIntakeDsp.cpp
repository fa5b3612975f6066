// ReadDspValueCallback: what the DSP reports, into the live record and the
// page, or into a scene copy when the reply is tagged with a stored scene.
#include "ValueIntake.h"

#include "CommandCodes.h"
#include "Connection.h"
#include "DeviceLink.h"
#include "EditingRules.h"
#include "EqualizerManager.h"
#include "InputSources.h"
#include "LayoutRules.h"
#include "Log.h"
#include "MainVolumeScale.h"
#include "NoiseGateScale.h"
#include "Records.h"
#include "SpeakerRoles.h"
#include "ValueIntakeHelpers.h"

#include <algorithm>
#include <cmath>

namespace dravo {
namespace {

using namespace intake;

using Intake = void (*)(EqualizerManager& m, int code, const Message& message);

constexpr float kMinBandGainDb = -18.0f;
constexpr float kMaxBandGainDb = 12.0f;
constexpr int kFullMixLevel = 100;
// The device counts the vice channel's gain from this step (0 dB).
constexpr int kViceGainZeroStep = 32;

int valueOf(const Message& message)
{
    return static_cast<int>(message.lParam);
}

// Scene 0 writes the live record, 1..10 that scene's copy; any other scene
// number names no record and the reply is dropped.
template <typename R>
SenceConfig* recordFor(EqualizerManager& m, const R* r)
{
    return r ? m.sceneRecord(static_cast<int>(r->scene)) : nullptr;
}

template <typename R>
bool isLive(const R& r)
{
    return r.scene == 0;
}

bool isSelected(EqualizerManager& m, int c)
{
    return m.live().currOutChannel == c;
}

void setRoleButtonsEnabled(EqualizerManager& m, bool enabled)
{
    for (int c = 0; c < kOutputCount; ++c)
        m.ctl("ch_output_btn_%d", c).setEnabled(enabled);
}

// ---- amplifier-wide values (always the live record) ----

void sourceSwitch(EqualizerManager& m, int, const Message& message)
{
    const int source = sourceFromDeviceCode(valueOf(message));
    m.live().source = source;
    m.ctl("btn_input_source").setCurrentIndex(source);
    // The selectors would otherwise keep showing the routing of the source
    // that played before.
    m.layout().ShowInputSelectors();
}

void mainVolume(EqualizerManager& m, int, const Message& message)
{
    m.editing().StopMainVolumePoll();
    const int level = valueOf(message);
    LogWrite("DSP_VOLUME %d \n", level);
    const int step = mainVolumeStepFromDeviceLevel(level);
    LogWrite("DSP_VOLUME %d \n", step);
    m.live().mainVolume = step;
    m.editing().ShowMainVolume();
}

void mainMute(EqualizerManager& m, int, const Message& message)
{
    const int mute = valueOf(message);
    m.live().mainVolumeMute = mute;
    m.ctl("main_mute").setChecked(mute != 0);
}

void inputThreshold(EqualizerManager& m, int, const Message& message)
{
    const int threshold = valueOf(message);
    m.live().inputThreshold = threshold;
    if constexpr (kNoiseOptionSwitch) {
        const bool open = threshold == kInputThresholdOpenDb;
        Control& option = m.ctl("option_noise");
        option.setText(open ? "${noise_open}" : "${noise_close}");
        option.setChecked(open);
    }
}

void inputNoise(EqualizerManager&, int, const Message& message)
{
    const auto* r = recordAs<InputNoiseRecord>(message);
    if (!r)
        return;
    const int last = std::min(r->last, kRangeArraySize - 1);
    for (int in = std::max(r->first, 0); in <= last; ++in)
        LogWrite("in_ch(%d): noise = %fdB\n", in, static_cast<double>(r->levels[static_cast<std::size_t>(in)]));
}

void qFactorMode(EqualizerManager&, int code, const Message& message)
{
    const auto* r = recordAs<QFactorModeRecord>(message);
    if (!r)
        return;
    const int last = std::min(r->last, kOutputCount - 1);
    for (int c = std::max(r->first, 0); c <= last; ++c) {
        const int mode = r->mode[static_cast<std::size_t>(c)];
        if (code == DSP_HPF_Q_FACT_MODE)
            LogWrite("ch(%d): hpf_q_fact->mode = %d\n", c, mode);
        else
            LogWrite("ch(%d): lpf_q_fact->mode = %d\n", c, mode);
    }
}

void factoryPreset(EqualizerManager&, int, const Message& message)
{
    LogWrite("factory preset mode = %d\n", valueOf(message));
}

void setupMode(EqualizerManager&, int, const Message& message)
{
    LogWrite("setup_mode mode = %d\n", valueOf(message));
}

void autoEffection(EqualizerManager& m, int, const Message& message)
{
    const int on = valueOf(message);
    m.live().autoEffection = on;
    if (kDspPowerSwitch && m.has("btn_auto_on"))
        m.ctl("btn_auto_on").setChecked(on != 0);
}

void compressorSetting(EqualizerManager& m, int, const Message& message)
{
    const auto* r = recordAs<CompressorRecord>(message);
    if (!r || !validOutput(r->channel))
        return;
    m.live().compressor[static_cast<std::size_t>(r->channel)] = {r->bypass,  r->threshold, r->ratio,
                                                                 r->attack,  r->release,   r->knee};
}

void compressorSetting2(EqualizerManager& m, int, const Message& message)
{
    const auto* r = recordAs<CompressorRecord>(message);
    if (!r || !validOutput(r->channel))
        return;
    CompressorSettings& settings = m.live().compressor[static_cast<std::size_t>(r->channel)];
    settings.threshold = r->threshold;
    settings.attack = r->attack;
    settings.release = r->release;
}

void ampMute(EqualizerManager& m, int, const Message& message)
{
    const bool on = valueOf(message) == 0;
    m.live().ampOn = on ? 1 : 0;
    m.editing().ShowSwitches();
}

void remoteOut(EqualizerManager& m, int, const Message& message)
{
    const auto* r = recordAs<RemoteOutRecord>(message);
    if (!r)
        return;
    LogWrite("DSP_REM_OUT rem_out1 = %d, rem_out1 = %d\n", r->remOut1, r->remOut2);
    m.live().remOut1 = r->remOut1;
    m.live().remOut2 = r->remOut2;
    m.editing().ShowSwitches();
}

void dspStatus(EqualizerManager& m, int, const Message& message)
{
    const int on = valueOf(message);
    LogWrite("DSP_DSP_STATUS on_off = %d\n", on);
    m.connection().DisconnectDevice();
    if (on == 0)
        m.host().showMessage("${tips}", "${dsp_is_off}", {"${confirm}"});
}

void speakerOhm(EqualizerManager& m, int, const Message& message)
{
    const int ohm = valueOf(message);
    LogWrite("DSP_SPK_OHM spk_ohm = %d\n", ohm);
    m.live().spkOhm = ohm;
    m.editing().ShowSwitches();
}

void outputBridge(EqualizerManager& m, int, const Message& message)
{
    const auto* r = recordAs<BridgeRecord>(message);
    if (!r)
        return;
    const int count = std::min<int>(r->count, kBridgeByteCount);
    LogWrite("DSP_OUPUT_BRIDGE bridge count = %d, bridge", r->count);
    for (int i = 0; i < count; ++i)
        LogWrite("%d, ", r->bridges[static_cast<std::size_t>(i)]);
    LogWrite("\n");

    SenceConfig& live = m.live();
    const int pairs = std::min(count, kBridgePairCount);
    for (int p = 0; p < pairs; ++p) {
        live.bridgeOutputs[static_cast<std::size_t>(p)] = r->bridges[static_cast<std::size_t>(p)] != 0 ? 1 : 0;
        m.layout().ApplyBridgeFlag(p, false);
    }
    // The device bridges nothing by itself: the flags go back as requested.
    if (pairs > 0)
        m.link().Output_Bridge_Ctrl(live.sceneId, 0, live.bridgeOutputs, false);
}

void noiseGate(EqualizerManager& m, int, const Message& message)
{
    const int on = valueOf(message);
    LogWrite("DSP_NOISE_GATE noise_gate = %d\n", on);
    m.live().noiseGate = on;
    m.editing().ShowSwitches();
}

void noiseGateDrcGain(EqualizerManager& m, int, const Message& message)
{
    const int index = valueOf(message);
    LogWrite("DSP_NOISE_GATE_DRC_GAIN noise_gate_drc_gain index = %d\n", index);
    m.live().noiseGateDrcGain = noiseGateDrcGainDb(index);
}

void noiseGateThreshold(EqualizerManager& m, int, const Message& message)
{
    const int index = valueOf(message);
    LogWrite("DSP_NOISE_GATE_THRESHOLD noise_gate_threshold index = %d\n", index);
    m.live().noiseGateThreshold = noiseGateThresholdDb(index);
}

// ---- per-output values, routed by scene ----

void filterSet(EqualizerManager& m, int, const Message& message)
{
    const auto* r = recordAs<FilterRecord>(message);
    SenceConfig* s = recordFor(m, r);
    if (!s || !validOutput(r->channel))
        return;
    Crossover& crossover = s->channels[static_cast<std::size_t>(r->channel)].crossover;
    crossover.hp.setType(r->hpType);
    crossover.hp.setFrequency(r->hpFrequency);
    crossover.hp.setSlope(r->hpSlope);
    crossover.lp.setType(r->lpType);
    crossover.lp.setFrequency(r->lpFrequency);
    crossover.lp.setSlope(r->lpSlope);
    if (isLive(*r) && isSelected(m, r->channel))
        m.editing().ShowCrossover();
}

void eqBand(EqualizerManager& m, int, const Message& message)
{
    const auto* r = recordAs<BandRecord>(message);
    SenceConfig* s = recordFor(m, r);
    if (!s || !validOutput(r->channel) || r->band < 0 || r->band >= s->eqSizeOf(r->channel))
        return;
    EqBand& band = (*s->bandsOf(r->channel))[static_cast<std::size_t>(r->band)];
    // Held to the ranges a band request can carry: a frequency of 0 would
    // make the curve undefined.
    band.freq = std::clamp(r->frequency, kMinFrequencyHz, kMaxFrequencyHz);
    band.eqFactor = std::clamp(r->q, kMinBandQ, kMaxBandQ);
    band.type = static_cast<std::uint8_t>(r->type);
    band.eqGain = r->type != 0 ? 0.0f : std::clamp(r->gain, kMinBandGainDb, kMaxBandGainDb);
    if (!isLive(*r))
        return;
    band.enable = 1;
    // The band rows follow the one set of display rules of the editing side
    // (bypassed outputs flat, points shown for non-zero gains, type colours).
    if (isSelected(m, r->channel))
        m.editing().ShowBands();
}

void delay(EqualizerManager& m, int, const Message& message)
{
    const auto* r = recordAs<ChannelFloatRecord>(message);
    if (!r)
        return;
    LogWrite("update UI ch_delay->ch = %d, Delay %.3f\n", r->channel, static_cast<double>(r->value));
    SenceConfig* s = recordFor(m, r);
    if (!s || !validOutput(r->channel))
        return;
    s->channels[static_cast<std::size_t>(r->channel)].delay = std::clamp(r->value, 0.0f, kMaxDelayMs);
    if (isLive(*r))
        m.editing().ShowDelay(r->channel);
}

void trim(EqualizerManager& m, int, const Message& message)
{
    const auto* r = recordAs<ChannelFloatRecord>(message);
    SenceConfig* s = recordFor(m, r);
    if (!s || !validOutput(r->channel))
        return;
    // The level takes the slider's steps and range, whether or not the page
    // has the slider.
    const float level = std::clamp(r->value, kMinOutputGainDb, kMaxOutputGainDb);
    const int tenths = static_cast<int>(std::lround(level * 10.0f));
    s->channels[static_cast<std::size_t>(r->channel)].gain = static_cast<float>(tenths) / 10.0f;
    if (!isLive(*r))
        return;
    m.ctl("slider_ch_volume_%d", r->channel).setValue(tenths);
    m.editing().ShowLevel(r->channel);
}

void muteChannel(EqualizerManager& m, int, const Message& message)
{
    const auto* r = recordAs<ChannelIntRecord>(message);
    SenceConfig* s = recordFor(m, r);
    if (!s || !validOutput(r->channel))
        return;
    s->channels[static_cast<std::size_t>(r->channel)].mute = r->value;
    if (isLive(*r))
        m.editing().ApplyMute(r->channel, r->value, true);
}

void phaseChannel(EqualizerManager& m, int, const Message& message)
{
    const auto* r = recordAs<ChannelIntRecord>(message);
    SenceConfig* s = recordFor(m, r);
    if (!s || !validOutput(r->channel))
        return;
    s->channels[static_cast<std::size_t>(r->channel)].phase = r->value;
    // The phase rule logs the change.
    if (isLive(*r))
        m.editing().ApplyPhase(r->channel, r->value, true);
}

void soloChannel(EqualizerManager& m, int, const Message& message)
{
    const auto* r = recordAs<ChannelIntRecord>(message);
    SenceConfig* s = recordFor(m, r);
    if (!s || !validOutput(r->channel))
        return;
    s->channels[static_cast<std::size_t>(r->channel)].solo = r->value;
    // The solo rule logs the change.
    if (isLive(*r))
        m.editing().ApplySolo(r->channel, r->value, true);
}

void mixChannel(EqualizerManager& m, int, const Message& message)
{
    const auto* r = recordAs<MixRecord>(message);
    if (!r)
        return;
    LogWrite("set mix source = %d, ch = %d, mix_in = 0x%x\n", r->source, r->channel,
             static_cast<unsigned>(r->mask));
    SenceConfig* s = recordFor(m, r);
    if (!s || !validSource(r->source) || !validOutput(r->channel))
        return;
    s->inputs[static_cast<std::size_t>(r->source)][static_cast<std::size_t>(r->channel)] = r->mask;
    if (!isLive(*r) || r->source != m.live().source)
        return;
    for (int in = 1; in <= kInputsPerSource; ++in)
        m.ctl("option_ch_in%d_%d", in, r->channel).setChecked((r->mask >> (in - 1) & 1) != 0);
}

void channelType(EqualizerManager& m, int, const Message& message)
{
    const auto* r = recordAs<ChannelIntRecord>(message);
    if (!r)
        return;
    LogWrite("DSP_CH_TYPE ch(%d), type(%d)\n", r->channel, r->value);
    SenceConfig* s = recordFor(m, r);
    if (!s || !validOutput(r->channel) || !speakerRole(r->value))
        return;
    // The device keeps the output's crossover; only a role chosen by the
    // user brings the role's default one.
    s->outputs[static_cast<std::size_t>(r->channel)] = r->value;
    s->outputs_bk[static_cast<std::size_t>(r->channel)] = r->value;
    if (isLive(*r))
        m.layout().ShowRolesAndMarkers();
}

void channelLink(EqualizerManager& m, int, const Message& message)
{
    const auto* r = recordAs<LinkRecord>(message);
    SenceConfig* s = recordFor(m, r);
    if (!s)
        return;
    const bool linked = r->link == 1;
    if (!isLive(*r)) {
        s->linkMode = linked ? 1 : 0;
        return;
    }
    if (linked) {
        s->linkMode = 1;
        s->lockMode = 1;
        m.ctl("btn_link_output").setChecked(true);
        m.ctl("btn_lock_output").setChecked(true);
        setRoleButtonsEnabled(m, false);
        for (int c = 0; c < kOutputCount; ++c)
            m.ctl("delay_link_%d", c).setEnabled(false);
        m.layout().ComputeLinkOutputs();
    } else {
        s->linkMode = 0;
        m.ctl("btn_link_output").setChecked(false);
        s->linkOutputs.fill(-1);
    }
}

void channelLock(EqualizerManager& m, int, const Message& message)
{
    const auto* r = recordAs<LockRecord>(message);
    SenceConfig* s = recordFor(m, r);
    if (!s)
        return;
    const bool locked = r->lock == 1;
    s->lockMode = locked ? 1 : 0;
    // Link needs the lock: unlocking ends it.
    const bool endLink = !locked && s->linkMode == 1;
    if (endLink) {
        s->linkMode = 0;
        s->linkOutputs.fill(-1);
    }
    if (!isLive(*r))
        return;
    m.ctl("btn_lock_output").setChecked(locked);
    setRoleButtonsEnabled(m, !locked);
    if (endLink) {
        m.ctl("btn_link_output").setChecked(false);
        m.link().CH_Link_Ctrl(s->sceneId, 0, {}, false);
    }
}

void eqBypass(EqualizerManager& m, int, const Message& message)
{
    const auto* r = recordAs<ChannelIntRecord>(message);
    SenceConfig* s = recordFor(m, r);
    if (!s || !validOutput(r->channel))
        return;
    const bool bypassed = r->value != 0;
    s->channels[static_cast<std::size_t>(r->channel)].bypass = bypassed ? 1 : 0;
    if (isLive(*r) && isSelected(m, r->channel))
        m.ctl("btn_bypass").setText(bypassed ? "${restore_eq}" : "${bypass_eq}");
}

void inputMixTrim(EqualizerManager& m, int, const Message& message)
{
    const auto* r = recordAs<InputMixTrimRecord>(message);
    if (!r)
        return;
    LogWrite("DSP_INPUT_MIX_CH_TRIM source %d, in_ch %d out_ch_x %d, out_ch_y %d\n", r->source, r->input, r->first,
             r->last);
    SenceConfig* s = recordFor(m, r);
    if (!s || !validSource(r->source) || !validInput(r->input))
        return;
    const auto source = static_cast<std::size_t>(r->source);
    const auto input = static_cast<std::size_t>(r->input);
    for (int k = 0; k < kRangeArraySize; ++k) {
        const long long position = static_cast<long long>(r->first) + k;
        if (position > r->last)
            break;
        if (position < 0 || position >= kOutputCount)
            continue;
        const int out = static_cast<int>(position);
        int level = r->levels[static_cast<std::size_t>(k)];
        // An input routed to the output is never silent in the mixer.
        if (level < 1 && (s->inputs[source][static_cast<std::size_t>(out)] >> r->input & 1) != 0)
            level = kFullMixLevel;
        s->inputMixVolume[source][input][static_cast<std::size_t>(out)] = std::clamp(level, 0, kFullMixLevel);
    }
}

void crossSourceMix(EqualizerManager& m, int code, const Message& message)
{
    const auto* r = recordAs<CrossSourceMixRecord>(message);
    if (!r)
        return;
    if (code == DSP_CROSS_SOURCE_MIX_CS47048)
        LogWrite("set cross source mix cs47048, source = %d, ch = %d, with source = %d, ch = %d, gain = %d\n",
                 r->source, r->channel, r->secondSource, r->secondChannel, r->secondGain);
    else
        LogWrite("set cross source mix, source = %d, ch = %d, with source = %d, ch = %d, gain = %d\n", r->source,
                 r->channel, r->secondSource, r->secondChannel, r->secondGain);
    SenceConfig* s = recordFor(m, r);
    // Monitor inputs would widen the input range of the CS47048 report; this
    // build has none.
    const int inputLimit = kInputsPerSource + (code == DSP_CROSS_SOURCE_MIX_CS47048 ? kMonitorInputCount : 0);
    if (!s || !validSource(r->source) || r->channel >= inputLimit || r->channel >= kInputsPerSource)
        return;
    // The vice source is kept as the device's index, 9 meaning none; the
    // mixer and the requests index tables with it.
    if (r->secondSource > kNoViceSource || !validInput(r->secondChannel))
        return;
    const auto source = static_cast<std::size_t>(r->source);
    const auto input = static_cast<std::size_t>(r->channel);
    s->csmViceSource[source][input] = r->secondSource;
    s->csmViceCh[source][input] = r->secondChannel;
    s->csmViceGain[source][input] = r->secondGain - kViceGainZeroStep;
}

void compressorOn(EqualizerManager& m, int, const Message& message)
{
    const auto* r = recordAs<ChannelIntRecord>(message);
    SenceConfig* s = recordFor(m, r);
    if (!s || !validOutput(r->channel))
        return;
    s->channels[static_cast<std::size_t>(r->channel)].compressorOn = r->value != 0 ? 1 : 0;
}

struct DspIntakeRow {
    std::uint8_t code;
    Intake apply;
};

// Codes not listed (room calibration among them) are not the main page's.
constexpr DspIntakeRow kDspIntake[] = {
    {DSP_SOURCE_SWITCH, sourceSwitch},
    {DSP_VOLUME, mainVolume},
    {DSP_MUTE, mainMute},
    {DSP_FILTER_SET, filterSet},
    {DSP_EQ_CH, eqBand},
    {DSP_DELAY_CH, delay},
    {DSP_TRIM_CH, trim},
    {DSP_MUTE_CH, muteChannel},
    {DSP_PHASE_CH, phaseChannel},
    {DSP_MIX_CH, mixChannel},
    {DSP_CH_TYPE, channelType},
    {DSP_CH_LINK, channelLink},
    {DSP_CH_LOCK, channelLock},
    {DSP_EQ_BYPASS, eqBypass},
    {DSP_INPUT_MIX_CH_TRIM, inputMixTrim},
    {DSP_INPUT_THRESHOLD, inputThreshold},
    {DSP_INPUT_NOISE, inputNoise},
    {DSP_CH_SOLO, soloChannel},
    {DSP_HPF_Q_FACT_MODE, qFactorMode},
    {DSP_LPF_Q_FACT_MODE, qFactorMode},
    {DSP_FACTORY_PRESET, factoryPreset},
    {DSP_SETUP_MODE, setupMode},
    {DSP_AUTO_EFFECTION_ON_OFF_CONTROL, autoEffection},
    {DSP_COMPRESSOR_SETTING, compressorSetting},
    {DSP_AMP_MUTE, ampMute},
    {DSP_REM_OUT, remoteOut},
    {DSP_DSP_STATUS, dspStatus},
    {DSP_CROSS_SOURCE_MIX, crossSourceMix},
    {DSP_COMPRESSOR_ON_CH, compressorOn},
    {DSP_COMPRESSOR_SETTING2, compressorSetting2},
    {DSP_SPK_OHM, speakerOhm},
    {DSP_OUPUT_BRIDGE, outputBridge},
    {DSP_CROSS_SOURCE_MIX_CS47048, crossSourceMix},
    {DSP_NOISE_GATE, noiseGate},
    {DSP_NOISE_GATE_DRC_GAIN, noiseGateDrcGain},
    {DSP_NOISE_GATE_THRESHOLD, noiseGateThreshold},
};

} // namespace

void ValueIntake::ReadDspValueCallback(int code, Message& message)
{
    LogWrite("ReadDspValueCallback 0x%02x\n", code);
    const auto row = std::find_if(std::begin(kDspIntake), std::end(kDspIntake),
                                  [code](const DspIntakeRow& r) { return r.code == code; });
    if (row != std::end(kDspIntake))
        row->apply(m, code, message);
}

} // namespace dravo
