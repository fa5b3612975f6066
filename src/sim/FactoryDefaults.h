#pragma once
// The state an amplifier leaves the factory with, and the pieces a reset of
// part of it needs.
#include "DeviceState.h"

namespace dravo::sim {

// Roles of outputs 0..11 in this twelve-channel model.
inline constexpr std::array<std::uint8_t, kOutputCount> kDefaultRoles = {1, 7, 2, 8, 3, 9, 13, 16, 14, 17, 22, 23};

inline constexpr std::array<std::uint16_t, kBandCount> kThirdOctaveFrequencies = {
    20,   25,   31,   40,   50,   63,   80,   100,  125,   160,   200,   250,   315,   400,   500,  630,
    800,  1000, 1250, 1600, 2000, 2500, 3150, 4000, 5000, 6300, 8000, 10000, 12500, 16000, 20000};

// The crossover each role starts with: both sections of type 2.
struct RoleCrossover {
    std::uint16_t hpFrequency;
    std::uint8_t hpSlope;
    std::uint16_t lpFrequency;
    std::uint8_t lpSlope;
};

inline constexpr RoleCrossover kNoCrossover = {20, 0, 20000, 0};
inline constexpr RoleCrossover kTweeterCrossover = {3500, 2, 20000, 0};
inline constexpr RoleCrossover kMidrangeCrossover = {500, 2, 3500, 2};
inline constexpr RoleCrossover kWooferCrossover = {80, 4, 500, 2};
inline constexpr RoleCrossover kMidTweeterCrossover = {500, 2, 20000, 0};
inline constexpr RoleCrossover kFullRangeCrossover = {20, 4, 20000, 0};
inline constexpr RoleCrossover kSubwooferCrossover = {20, 0, 80, 4};

// Indexed by role 0..24.
inline constexpr std::array<RoleCrossover, 25> kRoleCrossovers = {
    kNoCrossover,                                                                     // 0
    kTweeterCrossover, kMidrangeCrossover, kWooferCrossover, kMidTweeterCrossover,    // 1..4
    kWooferCrossover, kNoCrossover,                                                   // 5, 6
    kTweeterCrossover, kMidrangeCrossover, kWooferCrossover, kMidTweeterCrossover,    // 7..10
    kWooferCrossover, kNoCrossover,                                                   // 11, 12
    kTweeterCrossover, kWooferCrossover, kFullRangeCrossover,                         // 13..15
    kTweeterCrossover, kWooferCrossover, kFullRangeCrossover,                         // 16..18
    kTweeterCrossover, kWooferCrossover, kFullRangeCrossover,                         // 19..21
    kSubwooferCrossover, kSubwooferCrossover, kSubwooferCrossover,                    // 22..24
};

inline constexpr std::uint8_t kDefaultFilterType = 2;

// Input masks of the outputs for sources 0..8: the low-level and hi-level
// inputs (4 and 5) feed four inputs, every other source two.
inline constexpr std::array<std::uint8_t, kOutputCount> kTwoInputMasks = {1, 2, 1, 2, 3, 3, 1, 2, 1, 2, 1, 2};
inline constexpr std::array<std::uint8_t, kOutputCount> kFourInputMasks = {1, 2, 4, 8, 3, 3, 1, 2, 1, 2, 1, 2};
inline constexpr std::array<bool, kSourceCount> kSourceUsesFourInputMasks = {false, false, false, false, true,
                                                                            true,  false, false, false};

// Mixing level of an output fed by an input: the first four outputs at full
// level, the rest a quarter lower.
inline constexpr std::uint8_t kFrontMixLevel = 100;
inline constexpr std::uint8_t kRearMixLevel = 75;
inline constexpr int kFrontMixOutputs = 4;

// Karaoke values by item code 1..10 (microphone and music at 60).
inline constexpr std::array<std::uint16_t, 11> kDefaultKaraoke = {0, 60, 60, 0, 0, 0, 0, 0, 0, 0, 0};

BandBytes defaultBand(int band);
std::array<std::uint8_t, 8> defaultFilter(std::uint8_t role);
SceneState factoryScene();
AmpSettings factoryAmp();
StoredScene erasedScene();
// A whole device as it leaves the factory: no scenes stored.
DeviceState factoryDevice(bool loaderMode);

} // namespace dravo::sim
