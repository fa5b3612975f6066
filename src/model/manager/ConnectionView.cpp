// Setting up a freshly bound page, and the connect button's looks.
#include "Connection.h"

#include "EqualizerManager.h"
#include "EqualizerView.h"
#include "InputSources.h"
#include "LayoutRules.h"
#include "EditingRules.h"
#include "ProductInfo.h"

#include <cstdio>

namespace dravo {
namespace {

constexpr std::uint32_t kConnectedTextColor = 0xFFFFFFFF;
constexpr std::uint32_t kDisconnectedTextColor = 0xFFFF0000;

constexpr int kComboItemHeight = 16; // units, scaled by the display scale
constexpr int kMainVolumeMin = 0;
constexpr int kMainVolumeMax = 40;
constexpr int kMainVolumeStart = 30;
constexpr int kLevelSliderMin = -600; // tenths of a dB
constexpr int kLevelSliderMax = 0;
constexpr int kLevelSliderStep = 5;
// The source shown until the device reports its own.
constexpr int kStartSource = 5;

constexpr const char* kScaledCombos[] = {"btn_input_source", "comb_ch_unit", "comb_eq_type", "hp_type",
                                         "lp_type",          "hp_slop",      "lp_slop"};

constexpr const char* kShownPerOutput[] = {
    "ch_show_%d",     "ch_enable_%d",    "ch_output_btn_%d", "slider_ch_volume_%d", "edit_ch_volume_%d",
    "ch_mute_%d",     "ch_solo_%d",      "ch_phase_%d",      "ch_synchronize_%d",   "delay_link_%d",
    "delay_lable_%d", "edit_ch_delay_%d", "control_empty_%d",
};
constexpr const char* kHiddenPerOutput[] = {"slider_ch_delay_%d", "container_ch_delay_%d"};
constexpr const char* kHiddenPerSpeaker[] = {"speaker_%d", "spk_con_%d", "spk_delay_%d"};

struct ButtonLook {
    const char* text;
    bool selected;
    std::uint32_t textColor;
};

// Reading keeps the disconnected look with its own text: the device is not
// usable yet.
constexpr ButtonLook kButtonLooks[] = {
    {"${btn_disconnected}", false, kDisconnectedTextColor},
    {"${btn_connecting}", false, kDisconnectedTextColor},
    {"${btn_connected}", true, kConnectedTextColor},
};

bool sourceOffered(const InputSource& source, int usbOption)
{
    switch (source.offer) {
    case SourceOffer::Always:
        return true;
    case SourceOffer::Hidden:
        return false;
    case SourceOffer::WhenUsbUdp:
        return usbOption == kUsbOptionUdp;
    case SourceOffer::WhenUsbScp:
        return usbOption == kUsbOptionScp;
    }
    return false;
}

} // namespace

void Connection::showButtonState(ConnectionState state)
{
    mState = state;
    const ButtonLook& look = kButtonLooks[static_cast<int>(state)];
    Control& button = m.ctl("btnConnect");
    button.setText(look.text);
    button.setSelected(look.selected);
    button.setTextColor(look.textColor);
}

void Connection::BindView()
{
    SenceConfig& live = m.live();

    m.ctl("btn_debug").setVisible(presenceFile("debug.ini"));

    const int itemHeight = kComboItemHeight * (m.page() ? m.page()->scale() : 100) / 100;
    for (const char* combo : kScaledCombos)
        m.ctl(combo).setItemHeight(itemHeight);
    Control& sources = m.ctl("btn_input_source");
    for (const InputSource& source : kInputSources)
        sources.setItemVisible(source.code, sourceOffered(source, m.mUsbUdpOrScp));
    sources.setCurrentIndex(kStartSource);

    // The factory main volume lies outside the slider on purpose: the slider
    // keeps its starting value and the model takes that.
    Control& mainVolume = m.ctl("slider_main_volume");
    mainVolume.setRange(kMainVolumeMin, kMainVolumeMax);
    mainVolume.setValue(kMainVolumeStart);
    if (live.mainVolume >= kMainVolumeMin && live.mainVolume <= kMainVolumeMax)
        mainVolume.setValue(live.mainVolume);
    if (m.page() && m.page()->find("slider_main_volume"))
        live.mainVolume = mainVolume.value();
    m.editing().ShowMainVolume();

    for (int c = 0; c < kOutputCount; ++c) {
        for (const char* format : kShownPerOutput)
            m.ctl(format, c).setVisible(true);
        for (const char* format : kHiddenPerOutput)
            m.ctl(format, c).setVisible(false);
        Control& level = m.ctl("slider_ch_volume_%d", c);
        level.setRange(kLevelSliderMin, kLevelSliderMax);
        level.setStep(kLevelSliderStep);
    }
    // A layout with one level slider for the selected output.
    if (!m.has("slider_ch_volume_0")) {
        Control& level = m.ctl("slider_ch_volume");
        level.setRange(kLevelSliderMin, kLevelSliderMax);
        level.setStep(kLevelSliderStep);
    }
    m.layout().ShowInputSelectors();
    live.syncGroup.fill(0);
    live.delayLinkGroup.fill(0);

    for (int s = 1; s <= kSpeakerPositionCount; ++s)
        for (const char* format : kHiddenPerSpeaker)
            m.ctl(format, s).setVisible(false);

    // Graphic mode is where the display starts; a layout without the switch
    // only has the parametric display.
    // The layout rule shows the mode on the button, the display and the band
    // frequency boxes (disabled in graphic mode) in one place.
    m.layout().ShowPeqMode(!m.has("btn_arg_eq"));

    char text[128];
    std::snprintf(text, sizeof text, "%s %s", "${soft_version}", kSoftwareVersion);
    m.ctl("soft_version").setText(text);
    std::snprintf(text, sizeof text, "%s v%d.%d", "${inner_fw_version}", kInnerFirmwareMajor, kInnerFirmwareMinor);
    Control& innerVersion = m.ctl("inner_fw_version");
    innerVersion.setText(text);
    innerVersion.setVisible(true);

    m.ctl("enableAutoSave").setVisible(true);
    for (int i = 0; i < 10; ++i)
        m.ctl("autoSave%d", i).setVisible(true);

    m.layout().SetCurChannelChange(0);
    m.layout().ShowRolesAndMarkers();

    showButtonState(ConnectionState::Disconnected);
}

} // namespace dravo
