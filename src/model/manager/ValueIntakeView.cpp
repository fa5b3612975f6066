// The two refreshes that rebuild the page and the curve display from the
// live record.
#include "ValueIntake.h"

#include "DeviceLink.h"
#include "EditingRules.h"
#include "EqualizerManager.h"
#include "EqualizerView.h"
#include "LayoutRules.h"
#include "Log.h"
#include "ValueIntakeHelpers.h"

#include <algorithm>

namespace dravo {

using namespace intake;

namespace {

void setEnabledForEachOutput(EqualizerManager& m, const char* format, bool enabled)
{
    for (int c = 0; c < kOutputCount; ++c)
        m.ctl(format, c).setEnabled(enabled);
}

} // namespace

void ValueIntake::SetReadProfileToView()
{
    LogWrite(">SetReadProfileToView\n");
    SenceConfig& live = m.live();

    // 1. Source and main volume.
    m.ctl("btn_input_source").setCurrentIndex(live.source);
    m.editing().ShowMainVolume();
    m.ctl("main_mute").setChecked(live.mainVolumeMute != 0);

    // 2. The selected output's crossover, then its bands.
    m.editing().ShowCrossover();
    m.editing().ShowBands();

    // 3. Equaliser view mode; without the button the display stays parametric.
    if (m.has("btn_arg_eq"))
        m.layout().ShowPeqMode(live.peqMode == 1);
    else if (EqualizerView* display = m.page() ? m.page()->equalizer() : nullptr)
        display->setParametric(true);

    // 4. Input-threshold option (its switch is off in this build), then the
    // amplifier switch (with the other switches, all from the same record).
    if constexpr (kNoiseOptionSwitch) {
        if (m.has("option_noise")) {
            const bool open = live.noiseGate != 0;
            Control& option = m.ctl("option_noise");
            option.setText(open ? "${noise_open}" : "${noise_close}");
            option.setChecked(open);
            m.link().Input_Ch_Threshold_Ctrl(open ? kInputThresholdOpenDb : kInputThresholdClosedDb, false);
        }
    }
    m.editing().ShowSwitches();

    // 5. Every output: role and marker, level, mute, solo, phase, delay, routing.
    m.layout().ShowRolesAndMarkers();
    for (int c = 0; c < kOutputCount; ++c) {
        const ChannelConfig& channel = live.channels[static_cast<std::size_t>(c)];
        m.editing().ShowLevel(c);
        m.editing().ApplyMute(c, channel.mute, true);
        m.editing().ApplySolo(c, channel.solo, true);
        m.editing().ApplyPhase(c, channel.phase, true);
        m.editing().ShowDelay(c);
    }
    m.layout().ShowInputSelectors();

    // 6. Link and lock.
    LogWrite("link_mode = %d", live.linkMode);
    if (live.linkMode == 1) {
        m.ctl("btn_link_output").setChecked(true);
        m.ctl("btn_lock_output").setChecked(true);
        live.lockMode = 1;
        setEnabledForEachOutput(m, "ch_output_btn_%d", false);
        setEnabledForEachOutput(m, "ch_synchronize_%d", false);
        m.layout().ComputeLinkOutputs();
    } else {
        m.ctl("btn_link_output").setChecked(false);
        live.linkOutputs.fill(-1);
        const bool unlocked = live.lockMode != 1;
        m.ctl("btn_lock_output").setChecked(!unlocked);
        setEnabledForEachOutput(m, "ch_output_btn_%d", unlocked);
        setEnabledForEachOutput(m, "ch_synchronize_%d", unlocked);
    }

    // 7. The selected output again, and every curve.
    m.layout().SetCurChannelChange(std::clamp(live.currOutChannel, 0, kOutputCount - 1));
    for (int c = 0; c < kOutputCount; ++c)
        m.UpdateChannelCurve(c);

    // 8. Groups, then bridges (flags only, no copying; one request for all six).
    for (int c = 0; c < kOutputCount; ++c)
        m.layout().ApplySyncGroup(c);
    for (int p = 0; p < kBridgePairCount; ++p)
        m.layout().ApplyBridgeFlag(p, false);
    m.link().Output_Bridge_Ctrl(live.sceneId, 0, live.bridgeOutputs, false);

    // 9.
    UpdateEqualizer(-1);
    LogWrite("<SetReadProfileToView\n");
}

void ValueIntake::UpdateEqualizer(int band)
{
    const std::int64_t start = m.host().nowMs();
    SenceConfig& live = m.live();
    const int c = live.currOutChannel;
    if (!validOutput(c))
        return;

    // 1. The curves that an edit of c can have moved.
    m.UpdateChannelCurve(c);
    if (const int partner = m.partnerOf(c); validOutput(partner))
        m.UpdateChannelCurve(partner);
    for (int member : m.syncMembers(c, true, false))
        m.UpdateChannelCurve(member);
    LogWrite("UpdateEqualizer 0 cost time %d ms\n", static_cast<int>(m.host().nowMs() - start));

    // 2. The selected output's bands as drawn: flat while bypassed or disabled.
    const ChannelConfig& channel = live.channels[static_cast<std::size_t>(c)];
    const BandRow& row = *live.bandsOf(c);
    const int count = live.eqSizeOf(c);
    const bool bypassed = channel.bypass == 1;
    std::vector<DisplayBand> bands;
    bands.reserve(static_cast<std::size_t>(count));
    for (int b = 0; b < count; ++b) {
        const EqBand& eq = row[static_cast<std::size_t>(b)];
        const float gain = (bypassed || eq.enable == 0) ? 0.0f : eq.eqGain;
        bands.push_back({gain, eq.eqFactor, eq.freq, eq.enable, eq.type});
    }
    const bool bandGiven = band >= 0 && band < count;

    // 3. Bands, crossover handles and all twelve curves to the display.
    if (EqualizerView* display = m.page() ? m.page()->equalizer() : nullptr) {
        std::array<CurveView, kOutputCount> curves{};
        for (int i = 0; i < kOutputCount; ++i) {
            const ChannelCurve& curve = m.curve(i);
            curves[static_cast<std::size_t>(i)] = {curve.frequency.data(), curve.magnitude.data(),
                                                   curve.phase.data(), kCurvePoints};
        }
        display->setBands(bands);
        display->setSelectedBand(bandGiven ? band : -1);
        display->setAllBypassed(std::all_of(bands.begin(), bands.end(),
                                            [](const DisplayBand& b) { return b.gain == 0.0f; }));
        display->setCrossover(channel.crossover.hp.fs, channel.crossover.lp.fs);
        display->setCurves(curves, live.showOutChEqualizer, c);
    }

    // 4. The band-type combo belongs to a selected band.
    Control& typeCombo = m.ctl("comb_eq_type");
    typeCombo.setEnabled(bandGiven);
    if (bandGiven)
        typeCombo.setCurrentIndex(row[static_cast<std::size_t>(band)].type);
    LogWrite("UpdateEqualizer 1 cost time %d ms\n", static_cast<int>(m.host().nowMs() - start));
}

} // namespace dravo
