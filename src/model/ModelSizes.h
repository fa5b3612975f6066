#pragma once
// Fixed sizes of the tuning model in this build.

namespace dravo {

inline constexpr int kOutputCount = 12;           // outputs 0..11, shown CH1..CH12
inline constexpr int kHalfOutputCount = 6;        // links stay within 0..5 or 6..11
inline constexpr int kBandsPerOutput = 31;        // equaliser band capacity per output
inline constexpr int kInputsPerSource = 8;        // bit n of an input mask = input n + 1
inline constexpr int kSourceCount = 9;
inline constexpr int kBridgePairCount = 6;        // pair p = outputs 2p and 2p + 1
inline constexpr int kRoleCount = 25;             // role codes 0..24, 0 = none
inline constexpr int kStoredSceneCount = 10;      // scenes 1..10; 0 is the live state
inline constexpr int kSpeakerPositionCount = 24;  // speaker markers 1..24
inline constexpr int kMonitorRowCount = 18;
inline constexpr int kMonitorInputCount = 0;      // no monitor routing in this build
inline constexpr int kEqSizeTableCount = 16;
inline constexpr int kKaraokeParamCount = 10;
inline constexpr int kCustomEqBandCount = 20;

} // namespace dravo
