// Values of the amplifier as a whole: main volume and mute, ACC, the toggle
// buttons, the USB option, and the window timers these rules own.
#include "EditingRules.h"

#include "DeviceLink.h"
#include "EditingRulesValues.h"
#include "EqualizerManager.h"
#include "InputSources.h"
#include "LayoutRules.h"
#include "Log.h"
#include "MainVolumeScale.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace dravo {

using namespace editing;

namespace {

// The amplifier-wide toggle buttons and the texts of their two states.
struct Toggle {
    const char* control;
    const char* onText;
    const char* offText;
};
constexpr Toggle kNoiseGate{"btn_noise_gate", "${btn_noise_gate_on}", "${btn_noise_gate_off}"};
constexpr Toggle kRemOut1{"btn_rem_out1_onoff", "${rem_out1_on}", "${rem_out1_off}"};
constexpr Toggle kRemOut2{"btn_rem_out2_onoff", "${rem_out2_on}", "${rem_out2_off}"};
constexpr Toggle kAmpOn{"btn_amp_onoff", "${amp_on}", "${amp_off}"};
constexpr Toggle kSpkOhm{"btn_2ohm_spk", "${btn_2ohm_spk}", "${btn_4ohm_spk}"};

// The ACC value travels as one byte.
constexpr int kAccWireMin = 0;
constexpr int kAccWireMax = 255;

int flipped(std::int32_t flag) { return flag != 0 ? 0 : 1; }

bool isOffText(EqualizerManager& m, const std::string& text)
{
    return text == kOffText || sameTextIgnoringCase(text, m.tr(kOffText)) || sameTextIgnoringCase(text, "off");
}

} // namespace

// --- Main volume --------------------------------------------------------------

void EditingRules::showMainVolumeText(int step)
{
    const std::string text = MainVolumeText(step);
    m.ctl("edit_main_volume").setText(text);
    if (step <= 0)
        LogWrite("SetMainVolumeEditText OFF\n");
    else
        LogWrite("SetMainVolumeEditText %s\n", text.c_str());
}

void EditingRules::ShowMainVolume()
{
    const int step = std::clamp(m.live().mainVolume, kMainVolumeMinStep, kMainVolumeMaxStep);
    m.ctl("slider_main_volume").setValue(step);
    showMainVolumeText(step);
    m.ctl("main_mute").setChecked(m.live().mainVolumeMute != 0);
}

void EditingRules::SetMainVolumeEdit()
{
    const std::string text = m.ctl("edit_main_volume").text();
    LogWrite("SetMainVolumeEdit %s\n", text.c_str());
    if (isOffText(m, text)) {
        SetMainVolumeRelatedAfterDecidedValue(0.0f, true);
        return;
    }
    const auto typed = ParseNumber(text);
    if (!typed) {
        ShowMainVolume();
        return;
    }
    SetMainVolumeRelatedAfterDecidedValue(static_cast<float>(std::clamp(*typed, -1e6, 1e6)), true);
}

void EditingRules::SetMainVolumeSlider()
{
    const double value = m.ctl("slider_main_volume").value();
    LogWrite("SetMainVolumeSlider %g\n", value);
    SetMainVolumeRelatedAfterDecidedValue(static_cast<float>(value), true);
}

void EditingRules::SetMainVolumeUp(bool up)
{
    LogWrite("SetMainVolumeUp %d \n", up ? 1 : 0);
    const int step = std::clamp(m.live().mainVolume, kMainVolumeMinStep, kMainVolumeMaxStep) + (up ? 1 : -1);
    SetMainVolumeRelatedAfterDecidedValue(static_cast<float>(step), true);
}

void EditingRules::SetMainVolumeRelatedAfterDecidedValue(float value, bool send)
{
    LogWrite("SetMainVolumeRelatedAfterDecidedValue %g\n", static_cast<double>(value));
    const int step = std::isfinite(value)
                         ? std::clamp(static_cast<int>(std::lround(std::clamp(value, -1e6f, 1e6f))),
                                      kMainVolumeMinStep, kMainVolumeMaxStep)
                         : kMainVolumeMinStep;
    applyMainVolume(step, send, false);
}

void EditingRules::applyMainVolume(int step, bool send, bool force)
{
    SenceConfig& s = m.live();
    s.mainVolume = step;
    m.ctl("slider_main_volume").setValue(step);
    showMainVolumeText(step);
    if (!send)
        return;

    const std::int64_t now = m.host().nowMs();
    if (force || now - mLastMainVolumeSendMs > kMainVolumeThrottleMs) {
        if (!force)
            mLastMainVolumeSendMs = now;
        mMainVolumePending = false;
        m.link().Main_Volume_Ctrl(static_cast<float>(mainVolumeAttenuation(step)), false);
    } else {
        mMainVolumePending = true;
        m.host().startTimer(CACHE_MAIN_VOLUME_TIMER, kTrailingSendMs);
    }
    // Turning the volume is taken as wanting to hear it.
    if (s.mainVolumeMute == 1) {
        s.mainVolumeMute = 0;
        m.ctl("main_mute").setChecked(false);
        m.link().Mute_Ctrl(0, false);
    }
}

void EditingRules::flushPendingMainVolume()
{
    if (!mMainVolumePending)
        return;
    mMainVolumePending = false;
    LogWrite("on volume silder CACHE_MAIN_VOLUME_TIMER\n");
    LogWrite("SetMainVolumeRelatedAfterDecidedValue %g\n", static_cast<double>(m.live().mainVolume));
    applyMainVolume(std::clamp(m.live().mainVolume, kMainVolumeMinStep, kMainVolumeMaxStep), true, true);
}

void EditingRules::SetMainMute()
{
    const int mute = m.ctl("main_mute").checked() ? 1 : 0;
    m.live().mainVolumeMute = mute;
    LogWrite("set main mute to %d\n", mute);
    m.link().Mute_Ctrl(mute, false);
}

// --- ACC ------------------------------------------------------------------------

namespace {

// The ACC slider's range as the layout gives it, within what one byte carries.
std::pair<int, int> accRange(EqualizerManager& m)
{
    if (!m.has("slider_acc"))
        return {kAccWireMin, kAccWireMax};
    Control& slider = m.ctl("slider_acc");
    const int low = std::clamp(slider.minimum(), kAccWireMin, kAccWireMax);
    return {low, std::clamp(slider.maximum(), low, kAccWireMax)};
}

} // namespace

void EditingRules::showAcc(int value)
{
    const int low = accRange(m).first;
    m.ctl("slider_acc").setValue(value);
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    m.ctl("edit_acc").setText(value <= low ? kOffText : text);
}

void EditingRules::SetAccEdit()
{
    const std::string text = m.ctl("edit_acc").text();
    LogWrite("SetAccEdit %s\n", text.c_str());
    if (isOffText(m, text)) {
        SetAccRelatedAfterDecidedValue(accRange(m).first, true);
        return;
    }
    const auto typed = ParseNumber(text);
    if (!typed) {
        showAcc(m.live().acc);
        return;
    }
    SetAccRelatedAfterDecidedValue(static_cast<int>(std::lround(std::clamp(*typed, -1e6, 1e6))), true);
}

void EditingRules::SetAccSlider()
{
    const int value = m.ctl("slider_acc").value();
    LogWrite("SetAccSlider %d\n", value);
    SetAccRelatedAfterDecidedValue(value, true);
}

void EditingRules::SetAccUp(bool up)
{
    LogWrite("SetAccUp %d\n", up ? 1 : 0);
    SetAccRelatedAfterDecidedValue(m.live().acc + (up ? 1 : -1), true);
}

void EditingRules::SetAccRelatedAfterDecidedValue(int value, bool send)
{
    const auto [low, high] = accRange(m);
    value = std::clamp(value, low, high);
    LogWrite("SetAccRelatedAfterDecidedValue %d\n", value);
    m.live().acc = value;
    showAcc(value);
    if (send)
        m.link().Set_Acc(value, false);
}

// --- Toggle buttons --------------------------------------------------------------

void EditingRules::showToggle(const char* name, bool on, const char* onText, const char* offText)
{
    Control& button = m.ctl(name);
    button.setSelected(on);
    button.setText(on ? onText : offText);
    button.setTextColor(on ? kToggleOnColor : kToggleOffColor);
}

void EditingRules::ShowSwitches()
{
    const SenceConfig& s = m.live();
    const std::pair<const Toggle*, std::int32_t> toggles[] = {
        {&kNoiseGate, s.noiseGate}, {&kRemOut1, s.remOut1}, {&kRemOut2, s.remOut2},
        {&kAmpOn, s.ampOn},         {&kSpkOhm, s.spkOhm},
    };
    for (const auto& [toggle, state] : toggles)
        showToggle(toggle->control, state != 0, toggle->onText, toggle->offText);
    m.ctl("main_mute").setChecked(s.mainVolumeMute != 0);
}

void EditingRules::SetNoiseGateButton()
{
    SenceConfig& s = m.live();
    s.noiseGate = flipped(s.noiseGate);
    LogWrite("SetNoiseGateButton %d\n", s.noiseGate);
    showToggle(kNoiseGate.control, s.noiseGate == 1, kNoiseGate.onText, kNoiseGate.offText);
    m.link().Noise_Gate_Ctrl(s.noiseGate, false);
}

void EditingRules::SetRemOut1OnOffButton()
{
    SenceConfig& s = m.live();
    s.remOut1 = flipped(s.remOut1);
    LogWrite("SetRemOut1OnOffButton %d\n", s.remOut1);
    showToggle(kRemOut1.control, s.remOut1 == 1, kRemOut1.onText, kRemOut1.offText);
    m.link().Rem_Out_Ctrl(s.remOut1, s.remOut2, false);
}

void EditingRules::SetRemOut2OnOffButton()
{
    SenceConfig& s = m.live();
    s.remOut2 = flipped(s.remOut2);
    LogWrite("SetRemOut2OnOffButton %d\n", s.remOut2);
    showToggle(kRemOut2.control, s.remOut2 == 1, kRemOut2.onText, kRemOut2.offText);
    m.link().Rem_Out_Ctrl(s.remOut1, s.remOut2, false);
}

void EditingRules::SetAmpOnOff()
{
    SenceConfig& s = m.live();
    s.ampOn = flipped(s.ampOn);
    LogWrite("SetAmpOnOff %d\n", s.ampOn);
    showToggle(kAmpOn.control, s.ampOn == 1, kAmpOn.onText, kAmpOn.offText);
    // The device is told whether the amplifier stage is muted.
    m.link().Amp_Mute_Ctrl(s.ampOn == 1 ? 0 : 1, false);
}

void EditingRules::SetSpkOhmButton()
{
    SenceConfig& s = m.live();
    s.spkOhm = flipped(s.spkOhm);
    LogWrite("SetSpkOhmButton %d\n", s.spkOhm);
    showToggle(kSpkOhm.control, s.spkOhm == 1, kSpkOhm.onText, kSpkOhm.offText);
    m.link().Spk_Ohm_Ctrl(s.spkOhm, false);
}

void EditingRules::SetNoiseOption()
{
    ApplyNoiseOption(m.ctl("option_noise").checked() ? 1 : 0, true);
}

void EditingRules::ApplyNoiseOption(int open, bool send)
{
    open = open != 0 ? 1 : 0;
    m.live().noiseGate = open;
    Control& option = m.ctl("option_noise");
    option.setChecked(open == 1);
    option.setText(open == 1 ? "${noise_open}" : "${noise_close}");
    if (send)
        m.link().Input_Ch_Threshold_Ctrl(open == 1 ? kInputThresholdOpen : kInputThresholdClosed, false);
}

// --- USB option -----------------------------------------------------------------

void EditingRules::SetUsbOption(int option)
{
    ApplyUsbOption(option, true);
}

void EditingRules::ApplyUsbOption(int option, bool send)
{
    option = option != 0 ? kUsbOptionScp : kUsbOptionUdp;
    m.mUsbUdpOrScp = static_cast<std::uint8_t>(option);
    LogWrite("mUsbUdpOrScp %d\n", option);
    if (send)
        m.link().Set_Usb_Power_Pin(option == kUsbOptionScp ? 0 : 1, false);

    // Only one of the two USB sources is offered; a selection of the other
    // moves across to it.
    constexpr int kUdpSource = 7;
    constexpr int kScpSource = 8;
    const int offered = option == kUsbOptionScp ? kScpSource : kUdpSource;
    const int hidden = option == kUsbOptionScp ? kUdpSource : kScpSource;
    Control& sources = m.ctl("btn_input_source");
    sources.setItemVisible(offered, true);
    sources.setItemVisible(hidden, false);
    if (m.live().source == hidden) {
        sources.setCurrentIndex(offered);
        m.layout().SetInputSource(offered);
    }
}

} // namespace dravo
