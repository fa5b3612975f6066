// dsp_ack_process: DSP values for the main window, the input-noise dialog and
// the memory window. Calibration replies live in CalibrationReplies.cpp.
#include "CommandCodes.h"
#include "DspDecoders.h"
#include "Log.h"
#include "MessageIds.h"
#include "Records.h"

#include <algorithm>
#include <array>

namespace dravo {

const char* dspReplyName(const ReplyContext& c)
{
    const std::string_view name = dspSubCommandName(c.sub);
    return name.empty() ? "dsp_ack_process" : name.data();
}

namespace {

// ---- posting ----

void postValue(const ReplyContext& c, std::int64_t value)
{
    c.postValue(Target::Main, WM_DSP_VALUE, c.sub, value);
}

void postRecord(const ReplyContext& c, std::unique_ptr<Record> record, Target target = Target::Main)
{
    c.postRecord(target, WM_DSP_VALUE, c.sub, std::move(record));
}

bool need(const ReplyContext& c, std::size_t bytes)
{
    if (c.d.has(0, bytes))
        return true;
    logShortReply(dspReplyName(c), c);
    return false;
}

// ---- range replies: d[0] scene, d[1] source, d[2] first, d[3] last, entries from d[4] ----

struct RangeHeader {
    int scene, source, first, last;
};
constexpr std::size_t kRangeHeaderSize = 4;

bool readRangeHeader(const ReplyContext& c, RangeHeader& h, bool logIt = true)
{
    if (!need(c, kRangeHeaderSize))
        return false;
    h = {c.d.u8(0), c.d.u8(1), c.d.u8(2), c.d.u8(3)};
    if (logIt)
        LogWrite("%s update scene=%d, source=%d, ch %d..%d\n", dspReplyName(c), h.scene, h.source, h.first, h.last);
    return true;
}

template <typename Each>
void forEachOutput(const ReplyContext& c, const RangeHeader& h, std::size_t entrySize, Each each)
{
    forEachEntry(c, dspReplyName(c), h.first, h.last, kRangeHeaderSize, entrySize, kOutputChannelCount, each);
}

template <typename T>
void postChannelValue(const ReplyContext& c, int scene, int channel, T value)
{
    auto r = std::make_unique<ChannelValueRecord<T>>();
    r->scene = scene;
    r->channel = channel;
    r->value = value;
    postRecord(c, std::move(r));
}

// One byte per output, posted as an int channel value.
template <bool Signed>
void decodeChannelBytes(const ReplyContext& c)
{
    RangeHeader h;
    // The role report is frequent during a read and carries no header line.
    if (!readRangeHeader(c, h, c.sub != DSP_CH_TYPE))
        return;
    forEachOutput(c, h, 1, [&](int ch, int, std::size_t at) {
        postChannelValue<std::int32_t>(c, h.scene, ch, Signed ? c.d.s8(at) : c.d.u8(at));
    });
}

void decodeFilter(const ReplyContext& c)
{
    RangeHeader h;
    if (!readRangeHeader(c, h))
        return;
    forEachOutput(c, h, 8, [&](int ch, int, std::size_t at) {
        auto r = std::make_unique<FilterRecord>();
        r->scene = h.scene;
        r->channel = ch;
        r->hpType = c.d.u8(at);
        r->hpFrequency = c.d.u16(at + 1);
        r->hpSlope = c.d.u8(at + 3);
        r->lpType = c.d.u8(at + 4);
        r->lpFrequency = c.d.u16(at + 5);
        r->lpSlope = c.d.u8(at + 7);
        postRecord(c, std::move(r));
    });
}

void decodeDelay(const ReplyContext& c)
{
    RangeHeader h;
    if (!readRangeHeader(c, h))
        return;
    forEachOutput(c, h, 3, [&](int ch, int, std::size_t at) {
        postChannelValue(c, h.scene, ch, c.d.u8(at) + c.d.u16(at + 1) / 1000.0f);
    });
}

void decodeTrim(const ReplyContext& c)
{
    RangeHeader h;
    if (!readRangeHeader(c, h))
        return;
    forEachOutput(c, h, 2, [&](int ch, int, std::size_t at) {
        postChannelValue(c, h.scene, ch, -(c.d.u8(at) + c.d.u8(at + 1) / 100.0f));
    });
}

void decodeMix(const ReplyContext& c)
{
    RangeHeader h;
    if (!readRangeHeader(c, h))
        return;
    forEachOutput(c, h, 1, [&](int ch, int, std::size_t at) {
        auto r = std::make_unique<MixRecord>();
        r->scene = h.scene;
        r->source = h.source;
        r->channel = ch;
        r->mask = c.d.u8(at);
        postRecord(c, std::move(r));
    });
}

void decodeCompressorSetting2(const ReplyContext& c)
{
    RangeHeader h;
    if (!readRangeHeader(c, h))
        return;
    forEachOutput(c, h, 6, [&](int ch, int, std::size_t at) {
        auto r = std::make_unique<CompressorRecord>();
        r->scene = h.scene;
        r->channel = ch;
        r->threshold = c.d.s8(at) + c.d.s8(at + 1) * 0.1f;
        r->attack = c.d.u16(at + 2);
        r->release = c.d.u8(at + 4) * 1000 + c.d.u8(at + 5) * 100;
        postRecord(c, std::move(r));
    });
}

// The device sends one settings group at fixed positions; every output of the
// range takes it.
void decodeCompressorSetting(const ReplyContext& c)
{
    constexpr std::size_t kSize = 15;
    RangeHeader h;
    if (!readRangeHeader(c, h) || !need(c, kSize))
        return;
    const auto tenths = [&](std::size_t at) { return c.d.u8(at) + c.d.u8(at + 1) / 10.0f; };
    forEachOutput(c, h, 0, [&](int ch, int, std::size_t) {
        auto r = std::make_unique<CompressorRecord>();
        r->scene = h.scene;
        r->channel = ch;
        r->bypass = c.d.u8(4);
        r->threshold = tenths(5) - 100;
        r->ratio = tenths(7);
        r->knee = tenths(9);
        r->attack = c.d.u16(11);
        r->release = c.d.u16(13);
        postRecord(c, std::move(r));
    });
}

// ---- bands: d[0] scene, d[1] source, d[2] channel, d[3] first band, d[4] last band ----

constexpr std::size_t kBandHeaderSize = 5;

template <typename Each>
void forEachBand(const ReplyContext& c, std::size_t entrySize, int channelLimit, Each each)
{
    if (!need(c, kBandHeaderSize))
        return;
    const int channel = c.d.u8(2);
    if (channel >= channelLimit) {
        logDroppedEntries(dspReplyName(c), channel, "outside the outputs");
        return;
    }
    forEachEntry(c, dspReplyName(c), c.d.u8(3), c.d.u8(4), kBandHeaderSize, entrySize, kEqBandCount,
                 [&](int band, int, std::size_t at) {
                     auto r = std::make_unique<BandRecord>();
                     r->scene = c.d.u8(0);
                     r->channel = channel;
                     r->band = band;
                     r->frequency = c.d.u16(at);
                     each(*r, at);
                     postRecord(c, std::move(r));
                 });
}

void decodeEq(const ReplyContext& c)
{
    forEachBand(c, 7, kOutputChannelCount, [&](BandRecord& r, std::size_t at) {
        const std::uint8_t gainAndType = c.d.u8(at + 5);
        r.q = c.d.u8(at + 2) + c.d.u16(at + 3) / 1000.0f;
        r.gain = c.d.u8(at + 6) / 10.0f + (gainAndType & 31) - 18;
        r.type = gainAndType >> 5;
    });
}

// Input channels carry no array in the record; only the band is bounded.
void decodeInputEq(const ReplyContext& c)
{
    forEachBand(c, 6, 256, [&](BandRecord& r, std::size_t at) {
        r.q = c.d.u8(at + 2) + c.d.u8(at + 3) / 100.0f;
        r.gain = c.d.u8(at + 4) + c.d.u8(at + 5) / 10.0f - 18;
        r.type = 0;
    });
}

// ---- one record for a whole range, array indexed by channel ----

template <typename R>
void fillRangeHeader(R& r, const RangeHeader& h)
{
    r.scene = h.scene;
    r.source = h.source;
    r.first = h.first;
}

void decodeInputRange(const ReplyContext& c)
{
    RangeHeader h;
    if (!readRangeHeader(c, h))
        return;
    auto r = std::make_unique<InputRangeRecord>();
    fillRangeHeader(*r, h);
    r->last = forEachEntry(c, dspReplyName(c), h.first, h.last, kRangeHeaderSize, 1, kRangeArraySize,
                           [&](int in, int, std::size_t at) { r->values[in] = c.d.s8(at); });
    postRecord(c, std::move(r));
}

void decodeQFactorMode(const ReplyContext& c)
{
    RangeHeader h;
    if (!readRangeHeader(c, h))
        return;
    auto r = std::make_unique<QFactorModeRecord>();
    fillRangeHeader(*r, h);
    r->last = forEachEntry(c, dspReplyName(c), h.first, h.last, kRangeHeaderSize, 1, kRangeArraySize,
                           [&](int ch, int, std::size_t at) { r->mode[ch] = c.d.u8(at); });
    postRecord(c, std::move(r));
}

void decodeSpeakerDistance(const ReplyContext& c)
{
    RangeHeader h;
    if (!readRangeHeader(c, h))
        return;
    auto r = std::make_unique<SpeakerDistanceRecord>();
    fillRangeHeader(*r, h);
    r->last = forEachEntry(c, dspReplyName(c), h.first, h.last, kRangeHeaderSize, 2, kRangeArraySize,
                           [&](int ch, int, std::size_t at) { r->distance[ch] = c.d.u16(at); });
    postRecord(c, std::move(r));
}

// d[0] scene, d[1] source, d[2] input, d[3] first output, d[4] last output;
// the array is indexed by position in the range, so its room bounds k.
void decodeInputMixTrim(const ReplyContext& c)
{
    constexpr std::size_t kHeader = 5;
    if (!need(c, kHeader))
        return;
    auto r = std::make_unique<InputMixTrimRecord>();
    r->scene = c.d.u8(0);
    r->source = c.d.u8(1);
    r->input = c.d.u8(2);
    r->first = c.d.u8(3);
    r->last = forEachEntry(c, dspReplyName(c), r->first, c.d.u8(4), kHeader, 1, r->first + kRangeArraySize,
                           [&](int, int k, std::size_t at) { r->levels[k] = c.d.s8(at); });
    postRecord(c, std::move(r));
}

// d[0] source, d[1] first, d[2] last, one signed byte per channel.
void decodeDistort(const ReplyContext& c)
{
    constexpr std::size_t kHeader = 3;
    if (!need(c, kHeader))
        return;
    auto r = std::make_unique<DistortRecord>();
    r->source = c.d.u8(0);
    r->first = c.d.u8(1);
    r->last = forEachEntry(c, dspReplyName(c), r->first, c.d.u8(2), kHeader, 1, kRangeArraySize,
                           [&](int ch, int, std::size_t at) { r->values[ch] = c.d.s8(at); });
    postRecord(c, std::move(r));
}

// d[0] first, d[1] last, per input whole + 100 and tenths. Read by the small
// dialog that asked for it, not by the main window.
void decodeInputNoise(const ReplyContext& c)
{
    constexpr std::size_t kHeader = 2;
    if (!need(c, kHeader))
        return;
    auto r = std::make_unique<InputNoiseRecord>();
    r->first = c.d.u8(0);
    r->last = forEachEntry(c, dspReplyName(c), r->first, c.d.u8(1), kHeader, 2, kRangeArraySize,
                           [&](int in, int, std::size_t at) {
                               r->levels[in] = c.d.u8(at) - 100 + c.d.u8(at + 1) / 10.0f;
                           });
    postRecord(c, std::move(r), Target::SmallDialog);
}

// ---- fixed-shape records ----

void decodeLink(const ReplyContext& c)
{
    if (!need(c, 8))
        return;
    auto r = std::make_unique<LinkRecord>();
    r->scene = c.d.u8(0);
    r->link = c.d.u8(1);
    for (std::size_t i = 0; i < r->bytes.size(); ++i)
        r->bytes[i] = c.d.u8(2 + i);
    postRecord(c, std::move(r));
}

void decodeLock(const ReplyContext& c)
{
    if (!need(c, 2))
        return;
    auto r = std::make_unique<LockRecord>();
    r->scene = c.d.u8(0);
    r->lock = c.d.u8(1);
    postRecord(c, std::move(r));
}

void decodeSpeakerConfig(const ReplyContext& c)
{
    if (!need(c, 1))
        return;
    auto r = std::make_unique<SpeakerConfigRecord>();
    r->config = c.d.u8(0);
    postRecord(c, std::move(r));
}

void decodeMixType(const ReplyContext& c)
{
    if (!need(c, 3))
        return;
    auto r = std::make_unique<MixTypeRecord>();
    r->scene = c.d.u8(0);
    r->source = c.d.u8(1);
    r->type = c.d.u8(2);
    postRecord(c, std::move(r));
}

void decodeRemoteOut(const ReplyContext& c)
{
    if (!need(c, 2))
        return;
    auto r = std::make_unique<RemoteOutRecord>();
    r->remOut1 = c.d.u8(0);
    r->remOut2 = c.d.u8(1);
    postRecord(c, std::move(r));
}

void decodeCrossSourceMix(const ReplyContext& c)
{
    if (!need(c, 6))
        return;
    auto r = std::make_unique<CrossSourceMixRecord>();
    r->scene = c.d.u8(0);
    r->source = c.d.u8(1);
    r->channel = c.d.u8(2);
    r->secondSource = c.d.u8(3);
    r->secondChannel = c.d.u8(4);
    r->secondGain = c.d.u8(5);
    postRecord(c, std::move(r));
}

// This chip's report orders its bytes differently and carries no gain; it is
// handed on in the order of DSP_CROSS_SOURCE_MIX.
void decodeCrossSourceMixCs47048(const ReplyContext& c)
{
    if (!need(c, 5))
        return;
    auto r = std::make_unique<CrossSourceMixRecord>();
    r->scene = c.d.u8(0);
    r->source = c.d.u8(1);
    r->secondSource = c.d.u8(2);
    r->secondChannel = c.d.u8(3);
    r->channel = c.d.u8(4);
    postRecord(c, std::move(r));
}

void decodeBridge(const ReplyContext& c)
{
    constexpr std::size_t kHeader = 3;
    if (!need(c, kHeader))
        return;
    auto r = std::make_unique<BridgeRecord>();
    r->scene = c.d.u8(0);
    r->source = c.d.u8(1);
    const std::size_t announced = c.d.u8(2);
    const std::size_t count = std::min({announced, r->bridges.size(), c.d.size() - kHeader});
    if (count < announced)
        logDroppedEntries(dspReplyName(c), static_cast<int>(count), "outside the record or the packet");
    r->count = static_cast<std::uint8_t>(count);
    for (std::size_t i = 0; i < count; ++i)
        r->bridges[i] = c.d.u8(kHeader + i);
    postRecord(c, std::move(r));
}

// ---- plain values ----

template <std::size_t Index, bool Signed>
void decodeByteValue(const ReplyContext& c)
{
    if (need(c, Index + 1))
        postValue(c, Signed ? c.d.s8(Index) : c.d.u8(Index));
}

void decodeVolume(const ReplyContext& c)
{
    if (!need(c, 1))
        return;
    LogWrite("DSP_VOLUME OP_UPDATE, MVol = %d\n", c.d.s8(0));
    postValue(c, c.d.s8(0));
}

void decodeRemoteChannel(const ReplyContext& c)
{
    if (need(c, 2))
        postValue(c, c.d.u16(0));
}

// ---- logged only ----

void decodeSourceConfig(const ReplyContext& c)
{
    if (!need(c, 1))
        return;
    const int count = c.d.u8(0);
    LogWrite("DSP_SOURCE_CONFIG update total source=%d -->\n", count);
    for (int i = 0; i < count; ++i) {
        if (!c.d.has(1 + static_cast<std::size_t>(i))) {
            logDroppedEntries(dspReplyName(c), i, "beyond the packet");
            break;
        }
        LogWrite("source%d = %d\n", i, c.d.u8(1 + i));
    }
}

void decodeEqReset(const ReplyContext& c)
{
    if (need(c, 1))
        LogWrite("DSP_EQ_RESET scene = %d\n", c.d.u8(0));
}

// ---- memory window ----

void decodeMemData(const ReplyContext& c)
{
    if (!need(c, 8))
        return;
    const auto le32 = [&](std::size_t at) {
        return static_cast<std::uint32_t>(c.d.u8(at)) | static_cast<std::uint32_t>(c.d.u8(at + 1)) << 8 |
               static_cast<std::uint32_t>(c.d.u8(at + 2)) << 16 | static_cast<std::uint32_t>(c.d.u8(at + 3)) << 24;
    };
    auto r = std::make_unique<MemoryRecord>();
    r->address = le32(0);
    r->data = le32(4);
    LogWrite("DSP_MEM_DATA: addr(0x%08x), data(0x%08x)\n", r->address, r->data);
    LogWrite("addr %02x, %02x, %02x, %02x\n", c.d.u8(0), c.d.u8(1), c.d.u8(2), c.d.u8(3));
    LogWrite("data %02x, %02x, %02x, %02x\n", c.d.u8(4), c.d.u8(5), c.d.u8(6), c.d.u8(7));
    c.postRecord(Target::Memory, WM_MEMWR_VALUE, DSP_MEM_DATA, std::move(r));
}

// ---- dispatch ----

struct DspReplyRow {
    std::uint8_t code;
    Decode decode;              // on OP_UPDATE; null: the code is dropped without a word
    const char* ackLog = nullptr; // logged on OP_ACK
};

// Codes missing from this table are answered "!!! NOT SUPPORT MSG".
constexpr DspReplyRow kDspReplies[] = {
    {DSP_SOURCE_CONFIG, decodeSourceConfig},
    {DSP_SOURCE_SWITCH, decodeByteValue<0, false>},
    {DSP_VOLUME, decodeVolume, "DSP_VOLUME OP_ACK\n"},
    {DSP_SUBWOOFER_VOLUME, decodeByteValue<0, true>},
    {DSP_MUTE, decodeByteValue<0, false>},
    {DSP_FILTER_SET, decodeFilter},
    {DSP_EQ_CH, decodeEq},
    {DSP_DELAY_CH, decodeDelay},
    {DSP_TRIM_CH, decodeTrim},
    {DSP_MUTE_CH, decodeChannelBytes<false>},
    {DSP_PHASE_CH, decodeChannelBytes<true>},
    {DSP_MIX_CH, decodeMix},
    {DSP_REMAP_CH, nullptr},
    {DSP_CH_TYPE, decodeChannelBytes<false>, "DSP_CH_TYPE OP_ACK\n"},
    {DSP_CH_LINK, decodeLink},
    {DSP_CH_LOCK, decodeLock},
    {DSP_BYPASS, nullptr},
    {DSP_EQ_RESET, decodeEqReset},
    {DSP_EQ_BYPASS, decodeChannelBytes<false>},
    {DSP_IRC_CTRL, decodeIrcControl},
    {DSP_IRC_DISTANCE, decodeIrcDistance},
    {DSP_IRC_TRIM, decodeIrcTrim},
    {DSP_IRC_EQ, decodeIrcEq},
    {DSP_IRC_SPK_SIZE, decodeIrcSpeakerByte},
    {DSP_IRC_SPK_PHASE, decodeIrcSpeakerSignedByte},
    {DSP_IRC_SPK_LEVEL, decodeIrcSpeakerByte},
    {DSP_IRC_SPECTRUM, decodeIrcSpectrum},
    {DSP_IRC_NOISE_LEVEL, decodeIrcSpeakerByte},
    {DSP_IRC_RTA, nullptr},
    {DSP_INPUT_TRIM_CH, decodeInputRange},
    {DSP_INPUT_CH_MUTE, decodeInputRange},
    {DSP_INPUT_CH_PHASE, decodeInputRange},
    {DSP_INPUT_EQ_CH, decodeInputEq},
    {DSP_INPUT_MIX_CH_TRIM, decodeInputMixTrim},
    {DSP_INPUT_THRESHOLD, decodeByteValue<0, true>},
    {DSP_INPUT_NOISE, decodeInputNoise},
    {DSP_CH_TRIM_LINK, decodeLink},
    {DSP_CH_DELAY_LINK, decodeLink},
    {DSP_SEL_REMOTE_CH, decodeRemoteChannel},
    {DSP_CH_SOLO, decodeChannelBytes<false>},
    {DSP_SPK_CH_CONFIG, decodeSpeakerConfig},
    {DSP_MIX_TYPE, decodeMixType},
    {DSP_HPF_Q_FACT_MODE, decodeQFactorMode},
    {DSP_LPF_Q_FACT_MODE, decodeQFactorMode},
    {DSP_FACTORY_PRESET, decodeByteValue<0, false>},
    {DSP_SETUP_MODE, decodeByteValue<0, false>},
    {DSP_AUTO_EFFECTION_ON_OFF_CONTROL, decodeByteValue<0, false>},
    {DSP_COMPRESSOR_SETTING, decodeCompressorSetting},
    {DSP_AMP_MUTE, decodeByteValue<0, false>},
    {DSP_INPUT_CH_DISTORT, decodeDistort},
    {DSP_OUTPUT_CH_DISTORT, decodeDistort},
    {DSP_MEM_DATA, decodeMemData},
    {DSP_SPK_DIST, decodeSpeakerDistance},
    {DSP_MIX_SOURCE_SWITCH, decodeByteValue<0, false>},
    {DSP_REM_OUT, decodeRemoteOut},
    {DSP_DSP_STATUS, decodeByteValue<0, false>},
    {DSP_CROSS_SOURCE_MIX, decodeCrossSourceMix},
    {DSP_COMPRESSOR_ON_CH, decodeChannelBytes<false>},
    {DSP_COMPRESSOR_SETTING2, decodeCompressorSetting2},
    {DSP_SPK_OHM, decodeByteValue<0, false>},
    {DSP_OUPUT_BRIDGE, decodeBridge},
    {DSP_CROSS_SOURCE_MIX_CS47048, decodeCrossSourceMixCs47048},
    {DSP_NOISE_GATE, decodeByteValue<0, false>},
    {DSP_NOISE_GATE_DRC_GAIN, decodeByteValue<1, false>},
    {DSP_NOISE_GATE_THRESHOLD, decodeByteValue<1, false>},
    {DSP_MIX_TYPE2, decodeMixType},
};

const DspReplyRow* findDspReply(std::uint8_t code)
{
    const auto it = std::find_if(std::begin(kDspReplies), std::end(kDspReplies),
                                 [code](const DspReplyRow& row) { return row.code == code; });
    return it == std::end(kDspReplies) ? nullptr : it;
}

} // namespace

void dspAckProcess(const ReplyContext& c, unsigned replyNumber)
{
    const std::string_view name = dspSubCommandName(c.sub);
    if (name.empty())
        LogWrite("dsp_ack_process %u, cmd(0x%08x), OP(%02x), %d\n", replyNumber, c.sub, c.op, c.sub);
    else
        LogWrite("dsp_ack_process %u, cmd(0x%08x), OP(%02x), %s\n", replyNumber, c.sub, c.op, name.data());

    const DspReplyRow* row = findDspReply(c.sub);
    if (!row) {
        // An acknowledgement carries no value, not even for a code we do not know.
        if (c.op != OP_ACK)
            LogWrite("!!! NOT SUPPORT MSG\n");
        return;
    }
    if (!row->decode)
        return;
    if (c.op == OP_UPDATE)
        row->decode(c);
    else if (c.op == OP_ACK && row->ackLog)
        LogWrite("%s", row->ackLog);
}

} // namespace dravo
