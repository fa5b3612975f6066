#pragma once
// Build-time switches that decide which panels the user can reach in this
// configuration. A panel behind a switch that is off is still built; only
// its entry point does nothing.
namespace dravo::features {

// The channel page with the input-mixer strip ("xml/channel_settings_6in_mixer.xml").
inline constexpr bool mixerLayout = true;
// "advance_item_mixer" opens the input mixer.
inline constexpr bool mixerMenu = true;
// The mixer entry of the advance menu stays visible and "btn_advance" is shown.
// Two flags in the product line; either one on is enough.
inline constexpr bool mixerAvailableA = true;
inline constexpr bool mixerAvailableB = false;
inline constexpr bool mixerAvailable = mixerAvailableA || mixerAvailableB;
// English is the default language; forcing it would ignore the stored choice.
inline constexpr bool defaultEnglish = true;
inline constexpr bool forceEnglish = false;
inline constexpr bool russian = false;
inline constexpr bool roomCalibration = false;
inline constexpr bool karaoke = false;
// The single compressor window ("btn_compressor"); two flags, either on.
inline constexpr bool compressorA = false;
inline constexpr bool compressorB = false;
inline constexpr bool compressor = compressorA || compressorB;
// Keeps "advance_item_compressor" in the advance menu; three flags, any on.
inline constexpr bool compressorMenuA = false;
inline constexpr bool compressorMenuB = false;
inline constexpr bool compressorMenuC = false;
inline constexpr bool compressorMenu = compressorMenuA || compressorMenuB || compressorMenuC;
inline constexpr bool powerOffDelayPanel = false;
inline constexpr bool noiseThresholdMenu = false;
inline constexpr bool channelLevelAuto = false;
inline constexpr bool customEq = false;
inline constexpr bool noiseOption = false;
inline constexpr bool dspPower = false;

} // namespace dravo::features
