#pragma once
// The rules for editing the live parameter set from the main page: levels,
// mute, phase, solo, delays, crossovers, equaliser bands, main volume and the
// amplifier-wide switches. Each change is clamped, written into the live
// record, carried to the outputs that follow the edited one, shown, and sent
// to the amplifier; slider and curve drags are throttled so the command
// queue never fills with values the user has already left behind.
#include "Control.h"
#include "EqualizerView.h"

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace dravo {

class EqualizerManager;

// Which crossover section an edit is for.
enum class FilterSide { HighPass, LowPass };

// What the curve display reports with a drag: the dragged band as the display
// holds it (cmd 0) and the two crossover handles (cmd 1 and 2).
struct CurveDrag {
    DisplayBand band;
    int hpFreq = -1;
    int lpFreq = -1;
};

class EditingRules {
public:
    explicit EditingRules(EqualizerManager& manager) : m(manager) {}

    // --- Used by the other pieces -----------------------------------------
    // Mute, phase and solo of output c with their followers; `send` false
    // only redraws and writes the model.
    void ApplyMute(int c, int value, bool send);
    void ApplyPhase(int c, int value, bool send);
    void ApplySolo(int c, int value, bool send);
    // Level slider and box of output c from the model; its Trim_Ctrl.
    void ShowLevel(int c);
    void SendLevel(int c);
    // Delay box, slider and speaker marker of output c; its Delay_Ctrl.
    void ShowDelay(int c);
    void SendDelay(int c);
    // The six crossover controls of the selected output.
    void ShowCrossover();
    // The band boxes, sliders and points of the selected output.
    void ShowBands();
    void SendBand(int c, int b);
    // Both sections of output c (low-pass, then high-pass).
    void SendCrossover(int c);
    void ApplyUsbOption(int option, bool send);
    void ShowMainVolume();
    // The amplifier-wide toggle buttons from the model, nothing sent.
    void ShowSwitches();
    // Starts the 1000 ms main-volume poll (after an input source change);
    // the main-volume reply stops it early.
    void StartMainVolumePoll();
    void StopMainVolumePoll();

    // Timers of the main window that belong to these rules; false when not ours.
    bool OnTimer(int id);

    // --- Output level -----------------------------------------------------
    // `slider_ch_volume_%d` moved (throttled).
    void SetChVolumeSlider(int c);
    // `edit_ch_volume_%d` typed ("${off}" is -60 dB).
    void SetChVolumeEdit(int c);
    // Up/down arrows: 0.5 dB, throttled like the slider.
    void SetChVolumeUp(int c, bool up);
    // Level in tenths of dB (-600..0); `final` sends regardless of the throttle.
    void SetChVolume(int c, int tenths, bool final);
    // Re-shows the main volume and every level box.
    void UpdateAllVolumeEdit();

    // --- Mute, phase, solo, compressor ------------------------------------
    // From the buttons `ch_mute_%d`, `ch_phase_%d`, `ch_solo_%d`.
    void SetChMute(int c);
    void SetChPhase(int c);
    void SetChSolo(int c);
    // The enable box of output c in the compressors-on window.
    void SetCompressorOn(int c, bool on);

    // --- Delay --------------------------------------------------------------
    void SetChDelayEdit(int c);
    void SetChDelaySlider(int c);
    void SetChDelayUp(int c, bool up);
    // `spk_delay_%d` typed: the delay of the output playing role r.
    void SetSpeakerDelayEdit(int r);
    // Arrow keys in `spk_delay_%d`: 0.021 ms up or down for role r.
    void StepSpeakerDelay(int r, bool up);
    // `btn_delay_up` / `btn_delay_down`: the selected output's speaker.
    void SetDelayButton(bool up);
    // `comb_ch_unit` changed: re-shows every delay in the new unit.
    void SetChDelayUnit();
    // Delay of c in ms; the followers move by the same amount.
    void SetChDelay(int c, float ms);

    // --- Crossover ----------------------------------------------------------
    void SetFilterType(FilterSide side);   // `hp_type` / `lp_type`
    void SetFilterSlope(FilterSide side);  // `hp_slop` / `lp_slop`
    void SetFreqDivider(FilterSide side);  // `hp_freq` / `lp_freq` typed
    void SetHpFreqUp(bool up);
    void SetLpFreqUp(bool up);
    // Frequency of one section of the selected output, kept on its side of
    // the other section.
    void SetCrossoverFrequency(FilterSide side, int hz);

    // --- Equaliser bands of the selected output ----------------------------
    // The three boxes of band b typed.
    void SetChEqEdit(int b);
    // `eq_slider_%d` moved.
    void SetEqSlider(int b);
    void SetEqFreqUp(int b, bool up);
    void SetEqGainUp(int b, bool up);
    void SetEqQUp(int b, bool up);
    // `comb_eq_type` selected for the selected band.
    void SetEqType();
    // `pt_enable_%d` clicked.
    void OnEqEnable(int b);
    // The curve display: cmd 0 band, 1 high-pass handle, 2 low-pass handle.
    void EqualizerCallback(int index, int cmd, bool final, const CurveDrag& drag);

    // --- Main volume and amplifier-wide values -------------------------------
    void SetMainVolumeEdit();
    void SetMainVolumeSlider();
    void SetMainVolumeUp(bool up);
    void SetMainVolumeRelatedAfterDecidedValue(float value, bool send);
    void SetMainMute();  // `main_mute`
    void SetAccEdit();
    void SetAccSlider();
    void SetAccUp(bool up);
    void SetAccRelatedAfterDecidedValue(int value, bool send);
    void SetNoiseGateButton();
    void SetRemOut1OnOffButton();
    void SetRemOut2OnOffButton();
    void SetSpkOhmButton();
    void SetAmpOnOff();
    // `option_noise`: the input threshold open (-60) or closed (-100).
    void SetNoiseOption();
    void ApplyNoiseOption(int open, bool send);
    // The USB option of the preference dialog.
    void SetUsbOption(int option);

private:
    struct BandValues {
        int freq;
        float q;
        float gain;
    };
    enum class BandPath { Text, Slider, Curve };

    // Levels
    Control& levelControl(const char* own, const char* selected, int c);
    void sendLevelNow(int c);
    std::vector<int> levelFollowers(int c) const;
    void flushPendingLevel();
    // Delay
    void storeDelay(int c, float ms);
    void moveDelayFollowers(int c, float deltaMs, bool quantise);
    void showDelayMarker(int c);
    int outputOfRole(int r) const;
    // Crossover
    void applyFilterSection(FilterSide side, int type, int slope, int freq, bool send);
    bool setCrossoverFrequency(FilterSide side, int hz, bool send);
    void showSlopeItems(FilterSide side, int type);
    // Bands
    void applyBandEdit(int b, BandValues wanted, BandPath path, bool final);
    void makeBypassedFlatReal(int c);
    void applyAutomaticBypass(int c, float newGain);
    void showBand(int c, int b);
    void showBypassButton(int c);
    bool anyBandPointShown(int c);
    void sendBandWithFollowers(int c, int b);
    // Main volume
    void applyMainVolume(int step, bool send, bool force);
    void showMainVolumeText(int step);
    void flushPendingMainVolume();
    void showAcc(int value);
    void showToggle(const char* name, bool on, const char* onText, const char* offText);

    EqualizerManager& m;

    static constexpr std::int64_t kNever = std::numeric_limits<std::int64_t>::min() / 2;
    std::int64_t mLastLevelSendMs = kNever;
    int mPendingLevel = -1;
    std::int64_t mLastMainVolumeSendMs = kNever;
    bool mMainVolumePending = false;
    std::int64_t mLastCurveSendMs = kNever;
    bool mCurveBandUnsent = false;
    bool mCurveFilterUnsent = false;
    int mMainVolumePolls = 0;
};

} // namespace dravo
