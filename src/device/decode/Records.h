#pragma once
// The records the reply decoders post with a message. A receiver knows the
// concrete type from the message id and wParam (the sub-command), casts
// `Message::record` to it and owns it from then on.
//
// "scene" is 0 for the live state and 1..10 for a stored scene; "channel" is
// an output 0..11 unless a field says otherwise; "source" is the device's
// source code as it arrived. Range records carry `first`/`last` as the
// entries actually filled: an entry the packet did not carry, or one that
// falls outside the record's array, is not counted, so `last < first` means
// an empty array.
#include "MessageSink.h"

#include <array>
#include <cstdint>

namespace dravo {

inline constexpr int kOutputChannelCount = 12;  // outputs 0..11
inline constexpr int kEqBandCount = 31;          // bands 0..30
inline constexpr int kRangeArraySize = 16;       // the 16-entry arrays of the input range records
inline constexpr int kSpectrumPointCount = 121;  // calibration spectrum points 0..120
inline constexpr int kBridgeByteCount = 20;      // room of BridgeRecord
inline constexpr int kPasswordSize = 12;
inline constexpr int kRemarkSize = 20;
inline constexpr int kTextBlockSize = 16;
inline constexpr int kSceneNameSize = 16;

// ---- DSP values for the main window (WM_DSP_VALUE) ----

// One value of one output: delay (ms), trim (dB), mute, phase, role, EQ
// bypass, solo, compressor on. `value` is float for delay and trim.
template <typename T>
struct ChannelValueRecord : Record {
    std::int32_t scene = 0;
    std::int32_t channel = 0;
    T value{};
};
using ChannelIntRecord = ChannelValueRecord<std::int32_t>;
using ChannelFloatRecord = ChannelValueRecord<float>;

// DSP_FILTER_SET: crossover of one output; frequencies in Hz, type and slope as codes.
struct FilterRecord : Record {
    std::int32_t scene = 0;
    std::int32_t channel = 0;
    std::int32_t hpType = 0;
    std::int32_t hpFrequency = 0;
    std::int32_t hpSlope = 0;
    std::int32_t lpType = 0;
    std::int32_t lpFrequency = 0;
    std::int32_t lpSlope = 0;
};

// DSP_EQ_CH (output) and DSP_INPUT_EQ_CH (input, type always 0): one band;
// frequency in Hz, Q unitless, gain in dB, type as the band type code.
struct BandRecord : Record {
    std::int32_t scene = 0;
    std::int32_t channel = 0;
    std::int32_t band = 0;
    std::int32_t frequency = 0;
    float q = 0;
    float gain = 0;
    std::int32_t type = 0;
};

// DSP_MIX_CH: which inputs of `source` feed output `channel` (bit i = input i).
struct MixRecord : Record {
    std::int32_t scene = 0;
    std::int32_t source = 0;
    std::int32_t channel = 0;
    std::int32_t mask = 0;
};

// DSP_CH_LINK, DSP_CH_TRIM_LINK, DSP_CH_DELAY_LINK: link flag and the six link bytes.
struct LinkRecord : Record {
    std::int32_t scene = 0;
    std::int32_t link = 0;
    std::array<std::uint8_t, 6> bytes{};
};

// DSP_CH_LOCK: lock flag (1 = locked).
struct LockRecord : Record {
    std::int32_t scene = 0;
    std::int32_t lock = 0;
};

// DSP_INPUT_TRIM_CH / _CH_MUTE / _CH_PHASE: values[input] for inputs first..last
// (trim in dB, mute 0/1, phase as the signed code).
struct InputRangeRecord : Record {
    std::int32_t scene = 0;
    std::int32_t source = 0;
    std::int32_t first = 0;
    std::int32_t last = -1;
    std::array<std::int8_t, kRangeArraySize> values{};
};

// DSP_INPUT_MIX_CH_TRIM: mixing level of `input` onto outputs first..last;
// levels[k] belongs to output first + k (position, not output number).
struct InputMixTrimRecord : Record {
    std::int32_t scene = 0;
    std::int32_t source = 0;
    std::int32_t input = 0;
    std::int32_t first = 0;
    std::int32_t last = -1;
    std::array<std::int8_t, kRangeArraySize> levels{};
};

// DSP_INPUT_NOISE: measured noise of inputs first..last in dB, levels[input].
struct InputNoiseRecord : Record {
    std::int32_t first = 0;
    std::int32_t last = -1;
    std::array<float, kRangeArraySize> levels{};
};

// DSP_SPK_CH_CONFIG: the speaker configuration code.
struct SpeakerConfigRecord : Record {
    std::int32_t config = 0;
};

// DSP_MIX_TYPE, DSP_MIX_TYPE2: mix type code of `source`.
struct MixTypeRecord : Record {
    std::int32_t scene = 0;
    std::int32_t source = 0;
    std::int32_t type = 0;
};

// DSP_HPF_Q_FACT_MODE, DSP_LPF_Q_FACT_MODE: mode[channel] for outputs first..last.
struct QFactorModeRecord : Record {
    std::int32_t scene = 0;
    std::int32_t source = 0;
    std::int32_t first = 0;
    std::int32_t last = -1;
    std::array<std::uint8_t, kRangeArraySize> mode{};
};

// DSP_COMPRESSOR_SETTING (all fields) and DSP_COMPRESSOR_SETTING2 (threshold,
// attack and release; the others 0): threshold and knee in dB, ratio as x:1,
// attack and release in ms.
struct CompressorRecord : Record {
    std::int32_t scene = 0;
    std::int32_t channel = 0;
    std::int32_t bypass = 0;
    float threshold = 0;
    float ratio = 0;
    std::int32_t attack = 0;
    std::int32_t release = 0;
    float knee = 0;
};

// DSP_INPUT_CH_DISTORT (inputs) and DSP_OUTPUT_CH_DISTORT (outputs): the signed
// distortion code values[channel] for channels first..last.
struct DistortRecord : Record {
    std::int32_t source = 0;
    std::int32_t first = 0;
    std::int32_t last = -1;
    std::array<std::int8_t, kRangeArraySize> values{};
};

// DSP_SPK_DIST: speaker distance of outputs first..last in hundredths, distance[channel].
struct SpeakerDistanceRecord : Record {
    std::int32_t scene = 0;
    std::int32_t source = 0;
    std::int32_t first = 0;
    std::int32_t last = -1;
    std::array<std::uint16_t, kRangeArraySize> distance{};
};

// DSP_REM_OUT: the two remote output switches.
struct RemoteOutRecord : Record {
    std::uint8_t remOut1 = 0;
    std::uint8_t remOut2 = 0;
};

// DSP_CROSS_SOURCE_MIX and DSP_CROSS_SOURCE_MIX_CS47048 (gain always 0): input
// `channel` of `source` also takes `secondChannel` of `secondSource`; gain as
// the device's step (32 = 0 dB).
struct CrossSourceMixRecord : Record {
    std::uint8_t scene = 0;
    std::uint8_t source = 0;
    std::uint8_t channel = 0;
    std::uint8_t secondSource = 0;
    std::uint8_t secondChannel = 0;
    std::uint8_t secondGain = 0;
};

// DSP_OUPUT_BRIDGE: `count` bridge flags, one per output pair, in bridges[0..count-1].
struct BridgeRecord : Record {
    std::uint8_t scene = 0;
    std::uint8_t source = 0;
    std::uint8_t count = 0;
    std::array<std::uint8_t, kBridgeByteCount> bridges{};
};

// ---- memory window (WM_MEMWR_VALUE) ----

// DSP_MEM_DATA: one word of the device's memory.
struct MemoryRecord : Record {
    std::uint32_t address = 0;
    std::uint32_t data = 0;
};

// ---- calibration window (WM_IRC_VALUE, wParam = sub-command) ----

// DSP_IRC_DISTANCE (whole + hundredths, float), DSP_IRC_TRIM (level, float), DSP_IRC_SPK_SIZE,
// DSP_IRC_SPK_PHASE, DSP_IRC_SPK_LEVEL, DSP_IRC_NOISE_LEVEL (codes, int).
template <typename T>
struct CalibrationValueRecord : Record {
    std::int32_t channel = 0;
    T value{};
};
using CalibrationIntRecord = CalibrationValueRecord<std::int32_t>;
using CalibrationFloatRecord = CalibrationValueRecord<float>;

// DSP_IRC_EQ: one band of the correction the device computed; Hz, Q, dB.
struct CalibrationBandRecord : Record {
    std::int32_t channel = 0;
    std::int32_t band = 0;
    std::int32_t frequency = 0;
    float q = 0;
    float gain = 0;
};

// DSP_IRC_SPECTRUM: one measured point (0..120); frequency in Hz, gain in dB.
struct SpectrumPointRecord : Record {
    std::int32_t channel = 0;
    std::int32_t band = 0;
    float frequency = 0;
    float gain = 0;
};

// ---- controller replies (WM_READ_MCU_VALUE, wParam = sub-command) ----

// MCU_HANDSHAKE: model id and firmware versions of a device in normal mode.
struct HandshakeRecord : Record {
    std::int32_t model = 0;
    std::int32_t master = 0;
    std::int32_t slave = 0;
};

// MCU_GET_DSPFLASH_VER: the four parts of the DSP flash version, most significant first.
struct FlashVersionRecord : Record {
    std::array<std::int32_t, 4> version{};
};

// Device password and remark: bytes as sent (not terminated), lengths cut to the room.
struct PasswordRecord : Record {
    std::int32_t passwordLength = 0;
    std::array<char, kPasswordSize> password{};
    std::int32_t remarkLength = 0;
    std::array<char, kRemarkSize> remark{};
};

// Device text block: `length` bytes as sent, cut to the room.
struct TextBlockRecord : Record {
    std::uint8_t length = 0;
    std::array<char, kTextBlockSize> bytes{};
};

// ---- scenes (WM_SCENE_VALUE to the main window, wParam = flash sub-command) ----

// Scene name: slot index 0..9 (the wire counts from 1); ANSI bytes, zero when
// the slot's flash is erased.
struct SceneNameRecord : Record {
    std::int32_t index = 0;
    std::array<char, kSceneNameSize> name{};
};

// FLASH_SCENE_VALID: bit n set = stored scene n + 1 holds data.
struct SceneValidRecord : Record {
    std::int32_t mask = 0;
};

} // namespace dravo
