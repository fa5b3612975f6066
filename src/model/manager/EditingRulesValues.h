#pragma once
// The number rules of the main page's edits: how typed text becomes a
// value, how a value is shown, and the ranges and steps of each control.
// Pure functions, so each rule can be checked on its own.
#include "EqualizerManager.h"

#include <cstdint>
#include <optional>
#include <string>

namespace dravo {

// Ranges, steps and timings of the editing rules.
namespace editing {

// Output level slider: tenths of dB, the minimum meaning "off".
inline constexpr int kLevelSliderMin = -600;
inline constexpr int kLevelSliderMax = 0;
inline constexpr int kLevelSliderStep = 5;
// The box shows the level 6 dB up, so 0 dB attenuation reads +6.
inline constexpr int kLevelShownOffsetDb = 6;

// Band gain slider: tenths of dB, and what a request can carry.
inline constexpr int kBandGainMinTenths = -180;
inline constexpr int kBandGainMaxTenths = 120;
inline constexpr float kBandQStep = 0.002f;

inline constexpr int kDelayStepUs = 21;
inline constexpr float kDelayStepMs = 0.021f;

inline constexpr std::int64_t kLevelThrottleMs = 200;
inline constexpr std::int64_t kMainVolumeThrottleMs = 200;
inline constexpr std::int64_t kCurveDragThrottleMs = 500;
inline constexpr int kTrailingSendMs = 100;
inline constexpr int kMainVolumePollMs = 1000;
inline constexpr int kMainVolumePollCount = 10;

// Toggle buttons: on is drawn selected in white, off in red.
inline constexpr std::uint32_t kToggleOnColor = 0xFFFFFFFF;
inline constexpr std::uint32_t kToggleOffColor = 0xFFFF0000;

// Input threshold of the noise option, dBu.
inline constexpr int kInputThresholdOpen = -60;
inline constexpr int kInputThresholdClosed = -100;

inline constexpr const char* kOffText = "${off}";

} // namespace editing

// A frequency as typed: "1k5" is 1500, "2k25" 2200 (one digit after the k
// counts), "80Hz" 80. No number at all gives nothing. The range is the
// caller's business.
std::optional<int> ParseFrequencyText(const std::string& text);

// One step up or down a grid of 200 logarithmic steps between 20 Hz and
// 20 kHz. At the ends the frequency stays where it is.
int LogFrequencyStep(int hz, bool up);

// The leading number of a text, or nothing when it has none.
std::optional<double> ParseNumber(const std::string& text);

// Level box: "${off}" at the slider minimum, else level + 6 dB cut toward
// zero to a half dB, "%.1fdB".
std::string LevelText(int tenths);
// Typed level box text back to slider tenths (unclamped); "${off}" (or its
// translation `offText`) is -60 dB. Nothing when the text holds no number.
std::optional<int> LevelTenthsFromText(const std::string& text, const std::string& offText);

// Delay units: ms as typed, or whole centimetres / inches (15 ms = 519 cm =
// 204 in).
int delayUnitsPerFullRange(DelayUnit unit);
// A typed value in the unit to ms, clamped to 0..15 ms (whole cm / in).
float DelayFromUnit(double value, DelayUnit unit);
// ms kept to a whole number of the unit, within 0..15 ms.
float QuantiseDelay(float ms, DelayUnit unit);
// "%.3f ms", "%d cm", "%d in"; the speaker marker shows the number alone.
std::string DelayText(float ms, DelayUnit unit);
std::string DelayMarkerText(float ms, DelayUnit unit);

// Main volume box: "%g", or "${off}" at step 0.
std::string MainVolumeText(int step);

// Case-insensitive equality for typed "off".
bool sameTextIgnoringCase(const std::string& a, const std::string& b);

} // namespace dravo
