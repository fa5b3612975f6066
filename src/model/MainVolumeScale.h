#pragma once
// The main volume: a step 0..40 for the user, an attenuation 0..66 dB for
// the device. The program sends A = 6 - dB(step); the device reports its
// level as v = 6 - A, which comes back as a step through the inverse of the
// step curve.
//
// The device has 67 attenuations for 41 steps, but above step 22 two steps
// can share one attenuation; a step read back is then the upper one of the
// two, which sends the same attenuation again.

namespace dravo {

inline constexpr int kMainVolumeMinStep = 0;       // shown as "off"
inline constexpr int kMainVolumeMaxStep = 40;
inline constexpr int kMainVolumeSliderStart = 30;  // held while the device has not told its volume
inline constexpr double kMainVolumeMinDb = -60.0;
inline constexpr double kMainVolumeMaxDb = 6.0;
inline constexpr double kMainVolumeDbPerDecade = 41.25;
inline constexpr int kMainVolumeMaxAttenuation = 66;

// Step 0 or below is -60 dB, 40 or above +6 dB, otherwise
// 41.25 log10(step) - 60.
double mainVolumeStepToDb(int step);

// The attenuation Main_Volume_Ctrl carries: 6 - dB(step), truncated, 0..66.
int mainVolumeAttenuation(int step);

// The level the device reports for an attenuation.
constexpr int mainVolumeDeviceLevel(int attenuation)
{
    return static_cast<int>(kMainVolumeMaxDb) - attenuation;
}

// A reported level back to a step: the whole part of 10^((v + 60) / 41.25),
// held to 0..40 (a level above +6 dB would otherwise give steps the slider
// cannot show).
int mainVolumeStepFromDeviceLevel(int level);

} // namespace dravo
