// Room-calibration replies: the measurement's status reports and the data the
// device measured or computed, for the calibration window.
#include "CommandCodes.h"
#include "DspDecoders.h"
#include "Log.h"
#include "MessageIds.h"
#include "Records.h"

#include <array>

namespace dravo {

namespace {

// Which data byte a status report hands on as lParam.
enum class StatusValue : std::uint8_t { Progress, Channel, FailCode };

struct IrcStatusRow {
    const char* name;
    StatusValue value;
};

// Indexed by the status code d[0].
constexpr std::array<IrcStatusRow, 13> kIrcStatuses{{
    {"IRC_RET_START_TEST", StatusValue::Progress},
    {"IRC_RET_SPK_STATUS_TEST", StatusValue::Progress},
    {"IRC_RET_LEVEL_TEST", StatusValue::Progress},
    {"IRC_RET_DELAY_TEST", StatusValue::Progress},
    {"IRC_RET_TRIM_TEST", StatusValue::Progress},
    {"IRC_RET_EQ_TEST", StatusValue::Progress},
    {"IRC_RET_SPEAKER_RTA_TEST", StatusValue::Progress},
    {"IRC_RET_SPEAKER_RTA_UPDATE", StatusValue::Channel},
    {"IRC_RET_EQ_DATA_UPDATE", StatusValue::Channel},
    {"IRC_RET_TEST_DATA_UPDATE", StatusValue::Progress},
    {"IRC_RET_TEST_DONE", StatusValue::Progress},
    {"IRC_RET_TEST_FAIL", StatusValue::FailCode},
    {"IRC_RET_TEST_EXIT", StatusValue::Progress},
}};

// Indexed by the failure code d[4] of IRC_RET_TEST_FAIL.
constexpr std::array<const char*, 6> kIrcFailures{
    "IRC_FAIL_NO_VAR", "IRC_FAIL_NO_MIC", "IRC_FAIL_NO_SPEAKER", "IRC_FAIL_DELAY", "IRC_FAIL_TRIM", "IRC_FAIL_EQ",
};

constexpr std::size_t kStatusBytes = 4;          // status, channel, (unused), progress
constexpr std::size_t kFailCodeAt = 4;

bool need(const ReplyContext& c, std::size_t bytes)
{
    if (c.d.has(0, bytes))
        return true;
    logShortReply(dspReplyName(c), c);
    return false;
}

void postRecord(const ReplyContext& c, std::unique_ptr<Record> record)
{
    c.postRecord(Target::Calibration, WM_IRC_VALUE, c.sub, std::move(record));
}

// d[0] first, d[1] last, one entry of `size` bytes per output from d[2].
template <typename Each>
void forEachCalibratedOutput(const ReplyContext& c, std::size_t size, Each each)
{
    constexpr std::size_t kHeader = 2;
    if (need(c, kHeader))
        forEachEntry(c, dspReplyName(c), c.d.u8(0), c.d.u8(1), kHeader, size, kOutputChannelCount, each);
}

// d[0] channel, d[1] first band, d[2] last band, one entry per band from d[3].
template <typename Each>
void forEachCalibratedBand(const ReplyContext& c, std::size_t size, int bandLimit, Each each)
{
    constexpr std::size_t kHeader = 3;
    if (!need(c, kHeader))
        return;
    const int channel = c.d.u8(0);
    if (channel >= kOutputChannelCount) {
        logDroppedEntries(dspReplyName(c), channel, "outside the outputs");
        return;
    }
    forEachEntry(c, dspReplyName(c), c.d.u8(1), c.d.u8(2), kHeader, size, bandLimit,
                 [&](int band, int, std::size_t at) { each(channel, band, at); });
}

template <typename T>
void postCalibrationValue(const ReplyContext& c, int channel, T value)
{
    auto r = std::make_unique<CalibrationValueRecord<T>>();
    r->channel = channel;
    r->value = value;
    postRecord(c, std::move(r));
}

} // namespace

void decodeIrcControl(const ReplyContext& c)
{
    if (!need(c, kStatusBytes))
        return;
    const unsigned status = c.d.u8(0);
    LogWrite("DSP_IRC_CTRL Update Status = 0x%x, progress = %d\n", status, c.d.u8(3));
    if (status >= kIrcStatuses.size())
        return;
    const IrcStatusRow& row = kIrcStatuses[status];

    std::int64_t value = 0;
    switch (row.value) {
    case StatusValue::Progress:
        LogWrite("%s\n", row.name);
        value = c.d.u8(3);
        break;
    case StatusValue::Channel:
        LogWrite("%s\n", row.name);
        value = c.d.u8(1);
        break;
    case StatusValue::FailCode: {
        if (!need(c, kFailCodeAt + 1))
            return;
        const unsigned failure = c.d.u8(kFailCodeAt);
        if (failure >= kIrcFailures.size()) {
            LogWrite("IRC_RET_TEST_FAIL->%u\n", failure);
            return;
        }
        LogWrite("IRC_RET_TEST_FAIL->%s\n", kIrcFailures[failure]);
        value = failure;
        break;
    }
    }
    c.postValue(Target::Calibration, WM_IRC_VALUE, status, value);
}

void decodeIrcDistance(const ReplyContext& c)
{
    forEachCalibratedOutput(c, 2, [&](int ch, int, std::size_t at) {
        postCalibrationValue(c, ch, c.d.u8(at) + c.d.u8(at + 1) / 100.0f);
    });
}

void decodeIrcTrim(const ReplyContext& c)
{
    forEachCalibratedOutput(c, 1, [&](int ch, int, std::size_t at) {
        postCalibrationValue(c, ch, static_cast<float>(c.d.u8(at)));
    });
}

void decodeIrcSpeakerByte(const ReplyContext& c)
{
    forEachCalibratedOutput(c, 1, [&](int ch, int, std::size_t at) {
        postCalibrationValue<std::int32_t>(c, ch, c.d.u8(at));
    });
}

void decodeIrcSpeakerSignedByte(const ReplyContext& c)
{
    forEachCalibratedOutput(c, 1, [&](int ch, int, std::size_t at) {
        postCalibrationValue<std::int32_t>(c, ch, c.d.s8(at));
    });
}

void decodeIrcEq(const ReplyContext& c)
{
    forEachCalibratedBand(c, 6, kEqBandCount, [&](int channel, int band, std::size_t at) {
        auto r = std::make_unique<CalibrationBandRecord>();
        r->channel = channel;
        r->band = band;
        r->frequency = c.d.u16(at);
        r->q = c.d.u8(at + 2) + c.d.u8(at + 3) / 100.0f;
        r->gain = c.d.u8(at + 4) + c.d.u8(at + 5) / 10.0f - 18;
        postRecord(c, std::move(r));
    });
}

void decodeIrcSpectrum(const ReplyContext& c)
{
    forEachCalibratedBand(c, 5, kSpectrumPointCount, [&](int channel, int band, std::size_t at) {
        auto r = std::make_unique<SpectrumPointRecord>();
        r->channel = channel;
        r->band = band;
        r->frequency = c.d.u16(at) + c.d.u8(at + 2) / 100.0f;
        r->gain = c.d.s8(at + 3) + c.d.s8(at + 4) / 100.0f;
        postRecord(c, std::move(r));
    });
}

} // namespace dravo
