// The DSP range setters: scene, source, first, last, then one group of
// bytes per channel.
#include "DeviceRequests.h"

#include "CommandCodes.h"
#include "DeviceRequestsLog.h"
#include "Log.h"
#include "RangeRequest.h"

#include <optional>
#include <string>

namespace dravo {
namespace {

// Completes a range setter's request after what `builder` already holds
// (scene, source, ...), or gives nothing when the caller supplied no value
// for a range that asks for some. Says so in the log when the range had to
// be cut; `sent` receives the range actually carried.
template <class T, class Encode>
std::optional<Request> buildRangeSetter(const char* name, RequestBuilder builder, int scene, int first, int last,
                                        std::span<const T> values, std::size_t groupSize, Encode encode, RangeFit& sent)
{
    const std::optional<RangeFit> fit = appendRange(builder, first, last, values, groupSize, encode);
    if (!fit) {
        LogWrite("%s: scene(%d), ch %d~%d: no values given, nothing sent\n", name, scene, first, last);
        return std::nullopt;
    }
    if (fit->cut)
        LogWrite("%s: ch %d~%d cut to ch %d~%d\n", name, first, last, fit->first, fit->last);
    sent = *fit;
    return builder.request();
}

RequestBuilder sceneAndSource(std::uint8_t subcmd, int scene, int source)
{
    RequestBuilder builder(CMD_DSP, subcmd, OP_SET);
    builder.u8(scene).u8(source);
    return builder;
}

void encodeByte(RequestBuilder& b, int value)
{
    b.u8(value);
}

} // namespace

void DeviceRequests::Trim_Ctrl(int scene, int source, int first, int last, std::span<const float> attenuationDb,
                               bool immediate)
{
    RangeFit sent;
    const auto request = buildRangeSetter(
        "Trim_Ctrl", sceneAndSource(DSP_TRIM_CH, scene, source), scene, first, last, attenuationDb, 2,
        [](RequestBuilder& b, float v) { b.wholeAndFraction(splitHundredths(v)); }, sent);
    if (!request)
        return;
    requestlog::rangeLine("Trim_Ctrl", scene, sent.first, sent.last, attenuationDb, "%.2f, ");
    submit(*request, immediate, kDefaultReplyTimeoutMs);
}

void DeviceRequests::Delay_Ctrl(int scene, int source, int first, int last, std::span<const float> delayMs,
                                bool immediate)
{
    RangeFit sent;
    const auto request = buildRangeSetter(
        "Delay_Ctrl", sceneAndSource(DSP_DELAY_CH, scene, source), scene, first, last, delayMs, 3,
        [](RequestBuilder& b, float v) { b.wholeAndThousandths(splitThousandths(v)); }, sent);
    if (!request)
        return;
    for (int i = 0; i < sent.count(); ++i)
        LogWrite("Delay_Ctrl: scene(%d), channel(%d), delay(%.3f)\n", scene, sent.first + i,
                 static_cast<double>(delayMs[static_cast<std::size_t>(i)]));
    submit(*request, immediate, kDefaultReplyTimeoutMs);
}

namespace {

// The setters whose per-channel group is one byte taken from an int.
struct ByteRangeSetter {
    const char* name;
    std::uint8_t subcmd;
    const char* valueFormat;
};

constexpr ByteRangeSetter kMuteCh{"Mute_Ch_Ctrl", DSP_MUTE_CH, "%d, "};
constexpr ByteRangeSetter kPhase{"Phase_Ctrl", DSP_PHASE_CH, "%d, "};
constexpr ByteRangeSetter kSolo{"Solo_Ctrl", DSP_CH_SOLO, "%d, "};
constexpr ByteRangeSetter kPeqBypass{"PEQ_Bypass_Ctrl", DSP_EQ_BYPASS, "%d, "};
constexpr ByteRangeSetter kChType{"CH_Type_Ctrl", DSP_CH_TYPE, "%d, "};
constexpr ByteRangeSetter kCompressorCh{"Compressor_Ch_Ctrl", DSP_COMPRESSOR_ON_CH, "%d, "};
constexpr ByteRangeSetter kMixCh{"Mix_Ch_Ctrl", DSP_MIX_CH, "0x%02x, "};
constexpr ByteRangeSetter kInputPhase{"Input_Phase_Ctrl", DSP_INPUT_CH_PHASE, "%d, "};

std::optional<Request> buildByteRange(const ByteRangeSetter& setter, int scene, int source, int first, int last,
                                      std::span<const int> values)
{
    RangeFit sent;
    auto request = buildRangeSetter(setter.name, sceneAndSource(setter.subcmd, scene, source), scene, first, last,
                                    values, 1, encodeByte, sent);
    if (request)
        requestlog::rangeLine(setter.name, scene, sent.first, sent.last, values, setter.valueFormat);
    return request;
}

} // namespace

void DeviceRequests::Mute_Ch_Ctrl(int scene, int source, int first, int last, std::span<const int> mute, bool immediate)
{
    if (const auto request = buildByteRange(kMuteCh, scene, source, first, last, mute))
        submit(*request, immediate, kDefaultReplyTimeoutMs);
}

void DeviceRequests::Phase_Ctrl(int scene, int source, int first, int last, std::span<const int> phase, bool immediate)
{
    if (const auto request = buildByteRange(kPhase, scene, source, first, last, phase))
        submit(*request, immediate, kDefaultReplyTimeoutMs);
}

void DeviceRequests::Solo_Ctrl(int scene, int source, int first, int last, std::span<const int> solo, bool immediate)
{
    if (const auto request = buildByteRange(kSolo, scene, source, first, last, solo))
        submit(*request, immediate, kDefaultReplyTimeoutMs);
}

void DeviceRequests::PEQ_Bypass_Ctrl(int scene, int source, int first, int last, std::span<const int> bypass,
                                     bool immediate)
{
    if (const auto request = buildByteRange(kPeqBypass, scene, source, first, last, bypass))
        submit(*request, immediate, kDefaultReplyTimeoutMs);
}

void DeviceRequests::CH_Type_Ctrl(int scene, int source, int first, int last, std::span<const int> roles,
                                  bool immediate)
{
    if (const auto request = buildByteRange(kChType, scene, source, first, last, roles))
        submit(*request, immediate, kDefaultReplyTimeoutMs);
}

void DeviceRequests::Compressor_Ch_Ctrl(int scene, int source, int first, int last, std::span<const int> on,
                                        bool immediate)
{
    if (const auto request = buildByteRange(kCompressorCh, scene, source, first, last, on))
        submit(*request, immediate, kDefaultReplyTimeoutMs);
}

void DeviceRequests::Mix_Ch_Ctrl(int scene, int source, int first, int last, std::span<const int> inputMasks,
                                 bool immediate)
{
    if (const auto request = buildByteRange(kMixCh, scene, source, first, last, inputMasks))
        submit(*request, immediate, kDefaultReplyTimeoutMs);
}

void DeviceRequests::Input_Phase_Ctrl(int scene, int source, int first, int last, std::span<const int> phase,
                                      bool immediate)
{
    if (const auto request = buildByteRange(kInputPhase, scene, source, first, last, phase))
        submit(*request, immediate, kDefaultReplyTimeoutMs);
}

void DeviceRequests::Input_Mix_Trim_Ctrl(int scene, int source, int input, int firstOutput, int lastOutput,
                                         std::span<const int> levels, bool immediate)
{
    RequestBuilder prefix = sceneAndSource(DSP_INPUT_MIX_CH_TRIM, scene, source);
    prefix.u8(input);
    RangeFit sent;
    const auto request =
        buildRangeSetter("Input_Mix_Trim_Ctrl", prefix, scene, firstOutput, lastOutput, levels, 1, encodeByte, sent);
    if (!request)
        return;
    if (LogIsOn()) {
        std::string header;
        requestlog::appendf(header, "Input_Mix_Trim_Ctrl: scene(%d), source(%d), input(%d), ch %d~%d: ", scene, source,
                            input, sent.first, sent.last);
        requestlog::rangeLine(header, sent.first, sent.last, levels, "%d, ");
    }
    submit(*request, immediate, kDefaultReplyTimeoutMs);
}

void DeviceRequests::Compressor_Ctrl2(int scene, int source, int first, int last,
                                      std::span<const CompressorSetting2> settings, bool immediate)
{
    RangeFit sent;
    const auto request = buildRangeSetter(
        "Compressor_Ctrl2", sceneAndSource(DSP_COMPRESSOR_SETTING2, scene, source), scene, first, last, settings, 6,
        [](RequestBuilder& b, const CompressorSetting2& s) {
            b.wholeAndFraction(splitTenths(s.threshold))
                .u16(static_cast<std::uint32_t>(s.attack) & 0xFFFF)
                .wholeAndFraction(splitMillisecondsAsSecondTenths(s.release));
        },
        sent);
    if (!request)
        return;
    for (int i = 0; i < sent.count(); ++i) {
        const CompressorSetting2& s = settings[static_cast<std::size_t>(i)];
        LogWrite("Compressor_Ctrl2: scene(%d), channel(%d), threshold(%.1f), attack(%d), release(%u)\n", scene,
                 sent.first + i, static_cast<double>(s.threshold), static_cast<int>(s.attack),
                 static_cast<unsigned>(s.release));
    }
    submit(*request, immediate, kDefaultReplyTimeoutMs);
}

} // namespace dravo
