#include "ProfileToDevice.h"

#include "DeviceLink.h"
#include "InputSources.h"
#include "Log.h"
#include "MainVolumeScale.h"
#include "SceneNameTable.h"
#include "ValueIntake.h"

#include <array>

namespace dravo {
namespace {

constexpr bool kAtOnce = true;
constexpr int kFirstOutput = 0;
constexpr int kLastOutput = kOutputCount - 1;
// The amplifier stores what the scene-tagged requests wrote, not the live state.
constexpr int kStoreSentValues = 1;
// Lets the amplifier finish with the live state before anything else is asked of it.
constexpr int kSettleAfterWholeProfileMs = 200;

// Crossovers and bands of every output.
void sendFilters(DeviceRequests& link, const SenceConfig& record, int scene)
{
    for (int c = 0; c < kOutputCount; ++c) {
        const Crossover& x = record.channels[static_cast<std::size_t>(c)].crossover;
        link.Filter_Ctrl(scene, 0, c, CrossoverSection::HighPass, x.hp.type, x.hp.fs, x.hp.slope, kAtOnce);
        link.Filter_Ctrl(scene, 0, c, CrossoverSection::LowPass, x.lp.type, x.lp.fs, x.lp.slope, kAtOnce);
        const BandRow& row = *record.bandsOf(c);
        for (int b = 0; b < record.eqSizeOf(c); ++b) {
            const EqBand& band = row[static_cast<std::size_t>(b)];
            link.EQ_Ctrl(scene, 0, c, b, band.freq, band.eqFactor, band.eqGain, band.type, kAtOnce);
        }
    }
}

// Roles, levels, mutes, phases, solos, delays and equaliser bypass, each for
// all outputs in one request.
void sendOutputValues(DeviceRequests& link, const SenceConfig& record, int scene)
{
    std::array<float, kOutputCount> attenuation{};
    std::array<float, kOutputCount> delay{};
    std::array<int, kOutputCount> mute{}, phase{}, solo{}, bypass{};
    for (std::size_t c = 0; c < kOutputCount; ++c) {
        const ChannelConfig& ch = record.channels[c];
        attenuation[c] = -ch.gain;
        delay[c] = ch.delay;
        mute[c] = ch.mute;
        phase[c] = ch.phase;
        solo[c] = ch.solo;
        bypass[c] = ch.bypass;
    }
    link.CH_Type_Ctrl(scene, 0, kFirstOutput, kLastOutput, record.outputs, kAtOnce);
    link.Trim_Ctrl(scene, 0, kFirstOutput, kLastOutput, attenuation, kAtOnce);
    link.Mute_Ch_Ctrl(scene, 0, kFirstOutput, kLastOutput, mute, kAtOnce);
    link.Phase_Ctrl(scene, 0, kFirstOutput, kLastOutput, phase, kAtOnce);
    link.Solo_Ctrl(scene, 0, kFirstOutput, kLastOutput, solo, kAtOnce);
    link.Delay_Ctrl(scene, 0, kFirstOutput, kLastOutput, delay, kAtOnce);
    link.PEQ_Bypass_Ctrl(scene, 0, kFirstOutput, kLastOutput, bypass, kAtOnce);
}

// The input masks of the record's own source, then the mixing levels of
// every source that has inputs.
void sendMixing(DeviceRequests& link, const SenceConfig& record, int scene)
{
    if (record.source >= 0 && record.source < kSourceCount)
        link.Mix_Ch_Ctrl(scene, record.source, kFirstOutput, kLastOutput,
                         record.inputs[static_cast<std::size_t>(record.source)], kAtOnce);
    for (int s = 0; s < kSourceCount; ++s)
        for (int n = 0; n < inputCountOf(s); ++n)
            link.Input_Mix_Trim_Ctrl(scene, s, n, kFirstOutput, kLastOutput,
                                     record.inputMixVolume[static_cast<std::size_t>(s)][static_cast<std::size_t>(n)],
                                     kAtOnce);
}

// Monitor routing of the high-numbered inputs; this build has none.
void SendMonitorChCfgs()
{
    LogWrite("%s %d\n", "SendMonitorChCfgs", kMonitorInputCount);
}

} // namespace

void SetReadCurProfileToMCU(DeviceRequests& link, const SenceConfig& record)
{
    LogWrite("%s", "EqualizerManager::SetReadCurProfileToMCU");
    constexpr int kLive = 0;
    link.Main_Volume_Ctrl(static_cast<float>(mainVolumeAttenuation(record.mainVolume)), kAtOnce);
    link.Mute_Ctrl(record.mainVolumeMute, kAtOnce);
    sendFilters(link, record, kLive);
    sendOutputValues(link, record, kLive);
    sendMixing(link, record, kLive);
    SendMonitorChCfgs();
}

void SetReadWholeProfileToMCU(EqualizerManager& manager)
{
    LogWrite("%s", "EqualizerManager::SetReadWholeProfileToMCU");
    DeviceRequests& link = manager.link();
    for (int n = 1; n <= kSceneSlots; ++n) {
        LogWrite("set scene(%d)", n);
        const SenceConfig& scene = *manager.sceneRecord(n);
        sendFilters(link, scene, n);
        sendOutputValues(link, scene, n);
        sendMixing(link, scene, n);
        const SceneNameField name = manager.intake().SceneNames().deviceBytes(n - 1);
        link.SetSceneName(n, name);
        link.SaveScene(n, kStoreSentValues);
    }
    SetReadCurProfileToMCU(link, manager.live());
    manager.host().sleepMs(kSettleAfterWholeProfileMs);
}

} // namespace dravo
