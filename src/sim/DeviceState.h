#pragma once
// What the simulated amplifier remembers, kept the way it travels on the
// wire: every field holds the raw bytes a query reply carries, so a reply is
// a copy and a setter is a store. Nothing here knows dB, Hz or ms; the few
// helpers at the end turn raw bytes into numbers for tests to read.
#include <array>
#include <cstdint>
#include <map>
#include <vector>

namespace dravo::sim {

inline constexpr int kOutputCount = 12;
inline constexpr int kInputCount = 8;
inline constexpr int kSourceCount = 9;
inline constexpr int kBandCount = 31;
inline constexpr int kBridgePairCount = 6;
inline constexpr int kLinkByteCount = 6;
inline constexpr int kSceneCount = 10;
inline constexpr int kSceneNameSize = 16;
inline constexpr int kCsAutoSettingSize = 52;
inline constexpr std::uint8_t kNoViceSource = 9;
// The vice gain travels as dB + 32, so 32 is 0 dB.
inline constexpr std::uint8_t kViceGainZero = 32;
// An erased link slot.
inline constexpr std::uint8_t kNoLink = 0xFF;

// One equaliser band: frequency u16, Q whole, Q thousandths u16,
// type << 5 | (gain + 18), gain tenths.
using BandBytes = std::array<std::uint8_t, 7>;

struct ChannelState {
    std::array<std::uint8_t, 2> trim{};   // attenuation: whole dB, hundredths
    std::array<std::uint8_t, 3> delay{};  // whole ms, thousandths u16
    std::uint8_t mute = 0;
    std::uint8_t phase = 0;
    std::uint8_t solo = 0;
    std::uint8_t role = 0;
    std::uint8_t eqBypass = 1;
    std::uint8_t compressorOn = 1;
    // hp type, hp frequency u16, hp slope, lp type, lp frequency u16, lp slope
    std::array<std::uint8_t, 8> filter{};
    // threshold whole, tenths, attack u16, release seconds, release tenths
    std::array<std::uint8_t, 6> compressor2{};
    // bypass, threshold + 100 (whole, tenths), ratio (whole, tenths),
    // knee (whole, tenths), attack u16, release u16
    std::array<std::uint8_t, 11> compressor{};
    std::array<BandBytes, kBandCount> bands{};

    bool operator==(const ChannelState&) const = default;
};

struct CrossSourceMix {
    std::uint8_t viceSource = kNoViceSource; // source index 0..8, 9 = none
    std::uint8_t viceChannel = 0;
    std::uint8_t viceGain = kViceGainZero;

    bool operator==(const CrossSourceMix&) const = default;
};

// Everything a scene holds: the values whose requests carry a scene number.
struct SceneState {
    std::array<ChannelState, kOutputCount> channels{};
    // Per source: the input mask of each output.
    std::array<std::array<std::uint8_t, kOutputCount>, kSourceCount> mixMask{};
    // Per source and input: the mixing level 0..100 of each output.
    std::array<std::array<std::array<std::uint8_t, kOutputCount>, kInputCount>, kSourceCount> mixLevel{};
    std::array<std::array<std::uint8_t, kInputCount>, kSourceCount> inputPhase{};
    std::array<std::array<CrossSourceMix, kInputCount>, kSourceCount> crossSource{};
    std::uint8_t linkOn = 0;
    std::uint8_t lockOn = 0;
    // The (from, to) pairs of the last link as from << 4 | to; kNoLink unused.
    std::array<std::uint8_t, kLinkByteCount> linkBytes{};
    std::array<std::uint8_t, kBridgePairCount> bridge{};
    std::uint8_t autoOn = 0;
    std::uint8_t ircActiveBypass = 0;

    bool operator==(const SceneState&) const = default;
};

struct RoomCalibration {
    std::uint8_t on = 0;
    std::uint16_t channelMask = 0;
    std::uint8_t eqMode = 0;
    std::uint8_t testModule = 0;
};

// Values of the amplifier as a whole; no scene holds them.
struct AmpSettings {
    std::uint8_t source = 0x51;       // device code 0x51 + source index
    std::int8_t volumeDb = -5;        // level reported: 6 - attenuation
    std::int8_t subVolume = 0;
    std::uint8_t mute = 0;
    std::uint8_t ampMute = 0;
    std::uint8_t remOut1 = 1;
    std::uint8_t remOut2 = 1;
    std::uint8_t spkOhm = 1;
    std::uint8_t speakerConfig = 0;
    std::uint8_t noiseGate = 0;
    std::uint8_t noiseGateGain = 32;  // index: dB + 32
    std::uint8_t noiseGateThreshold = 0;
    std::int8_t inputThreshold = -60;
    std::int8_t acc = 0;
    std::int8_t usbPowerPin = 1;
    std::uint16_t powerOffDelayMs = 0;
    std::array<std::uint16_t, 11> karaoke{}; // by item code 1..10
    std::array<std::uint8_t, kCsAutoSettingSize> csAutoSetting{};
    RoomCalibration calibration;
    std::map<std::uint32_t, std::uint32_t> memory;
};

struct StoredScene {
    SceneState state;
    std::array<std::uint8_t, kSceneNameSize> name{}; // 0xFF when erased
    bool valid = false;
};

enum class UpgradeKind : std::uint8_t { None, Controller, Bootloader, Dsp };

// What the device side of a firmware upgrade has seen.
struct UpgradeState {
    bool inUpgradeMode = false;          // after an enter request
    UpgradeKind entered = UpgradeKind::None;
    UpgradeKind started = UpgradeKind::None;
    std::array<std::uint8_t, 4> head{};
    std::vector<std::uint8_t> image;     // bytes at their offsets; gaps are zero
    int blocks = 0;
    bool finished = false;
    bool applicationIntact = true;       // false while a controller image is half written
    bool erased = false;
    int reboots = 0;
};

struct DeviceState {
    AmpSettings amp;
    SceneState live;
    std::array<StoredScene, kSceneCount> scenes{};
    // What requests tagged with scene N write and queries tagged with N read.
    std::array<SceneState, kSceneCount> sceneEdits{};
    std::uint8_t sceneId = 0;
    bool loaderMode = false;
    bool pcConnected = false;
    UpgradeState upgrade;
    std::vector<std::uint8_t> controllerImage; // last finished images
    std::vector<std::uint8_t> dspImage;
};

// Readings of raw values, for tests.
inline int wireU16(std::uint8_t hi, std::uint8_t lo) { return hi << 8 | lo; }
inline double trimLevelDb(const ChannelState& c)
{
    return -(static_cast<std::int8_t>(c.trim[0]) + static_cast<std::int8_t>(c.trim[1]) / 100.0);
}
inline double delayMs(const ChannelState& c) { return c.delay[0] + wireU16(c.delay[1], c.delay[2]) / 1000.0; }
inline int bandFrequency(const BandBytes& b) { return wireU16(b[0], b[1]); }
inline double bandQ(const BandBytes& b) { return b[2] + wireU16(b[3], b[4]) / 1000.0; }
inline double bandGainDb(const BandBytes& b) { return (b[5] & 31) - 18 + static_cast<std::int8_t>(b[6]) / 10.0; }
inline int bandType(const BandBytes& b) { return b[5] >> 5; }

} // namespace dravo::sim
