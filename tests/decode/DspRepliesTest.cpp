#include "DecoderFixture.h"

#include <optional>

using namespace dravo;
using namespace dravo::test;

namespace {

using Bytes = std::vector<std::uint8_t>;

struct ChannelValue {
    int scene;
    int channel;
    float value;
    bool operator==(const ChannelValue&) const = default;
};

std::ostream& operator<<(std::ostream& os, const ChannelValue& v)
{
    return os << "{scene " << v.scene << ", ch " << v.channel << ", " << v.value << "}";
}

std::optional<ChannelValue> channelValue(const Message& m)
{
    if (const auto* f = dynamic_cast<const ChannelFloatRecord*>(m.record.get()))
        return ChannelValue{f->scene, f->channel, f->value};
    if (const auto* i = dynamic_cast<const ChannelIntRecord*>(m.record.get()))
        return ChannelValue{i->scene, i->channel, static_cast<float>(i->value)};
    return std::nullopt;
}

using DspReplies = DecoderTest;

TEST_F(DspReplies, PerChannelValues)
{
    struct Case {
        const char* name;
        std::uint8_t sub;
        Bytes data;
        std::vector<ChannelValue> expected;
    };
    const Case cases[] = {
        {"trim 03 32 is -3.5 dB", DSP_TRIM_CH, {0, 0x51, 2, 2, 0x03, 0x32}, {{0, 2, -3.5f}}},
        {"delay whole and thousandths", DSP_DELAY_CH, {1, 0x51, 4, 5, 5, 0x01, 0xF4, 0, 0x00, 0x0A},
         {{1, 4, 5.5f}, {1, 5, 0.01f}}},
        {"phase is sign-extended", DSP_PHASE_CH, {0, 0x51, 0, 1, 0xFF, 0x01}, {{0, 0, -1}, {0, 1, 1}}},
        {"role of the last output", DSP_CH_TYPE, {3, 0x51, 11, 11, 17}, {{3, 11, 17}}},
        {"outputs past 11 are dropped", DSP_MUTE_CH, {0, 0x51, 10, 13, 1, 0, 1, 1}, {{0, 10, 1}, {0, 11, 0}}},
        {"entries the packet lacks are dropped", DSP_TRIM_CH, {0, 0x51, 0, 3, 1, 0, 2, 0},
         {{0, 0, -1}, {0, 1, -2}}},
        {"a cut entry is dropped", DSP_DELAY_CH, {0, 0x51, 0, 1, 1, 0, 0, 2, 0}, {{0, 0, 1}}},
        {"last below first posts nothing", DSP_CH_SOLO, {0, 0x51, 5, 4, 1}, {}},
        {"a cut header posts nothing", DSP_EQ_BYPASS, {0, 0x51, 0}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        posted.clear();
        dsp(c.sub, c.data);
        std::vector<ChannelValue> got;
        for (const auto& p : posted) {
            EXPECT_EQ(p.target, Target::Main);
            EXPECT_EQ(p.message.id, WM_DSP_VALUE);
            EXPECT_EQ(p.message.wParam, c.sub);
            const auto v = channelValue(p.message);
            ASSERT_TRUE(v.has_value());
            got.push_back(*v);
        }
        EXPECT_EQ(got, c.expected);
    }
}

TEST_F(DspReplies, EqBandsInOrderWithGainAndType)
{
    dsp(DSP_EQ_CH, {0, 0x51, 1, 3, 5,
                    0x03, 0xE8, 1, 0x01, 0xF4, 0x12, 0,   // 1000 Hz, Q 1.5, 0 dB, type 0
                    0x00, 0x64, 0, 0x02, 0xBC, 0x2F, 5,   // 100 Hz, Q 0.7, -2.5 dB, type 1
                    0x4E, 0x20, 2, 0x00, 0x00, 0xE0, 9}); // 20000 Hz, Q 2, -17.1 dB, type 7
    ASSERT_EQ(posted.size(), 3u);
    struct Band {
        int band, frequency;
        float q, gain;
        int type;
    };
    const Band expected[] = {{3, 1000, 1.5f, 0, 0}, {4, 100, 0.7f, -2.5f, 1}, {5, 20000, 2, -17.1f, 7}};
    for (std::size_t i = 0; i < 3; ++i) {
        const auto& r = record<BandRecord>(i);
        EXPECT_EQ(r.channel, 1);
        EXPECT_EQ(r.band, expected[i].band);
        EXPECT_EQ(r.frequency, expected[i].frequency);
        EXPECT_FLOAT_EQ(r.q, expected[i].q);
        EXPECT_FLOAT_EQ(r.gain, expected[i].gain);
        EXPECT_EQ(r.type, expected[i].type);
    }
}

TEST_F(DspReplies, EqBandsOutsideTheRecordOrThePacketAreDropped)
{
    const Bytes band(7, 0x12);
    const auto bands = [&](Bytes header, int count, int extra = 0) {
        for (int i = 0; i < count; ++i)
            header.insert(header.end(), band.begin(), band.end());
        header.insert(header.end(), static_cast<std::size_t>(extra), 0x12);
        return header;
    };
    struct Case {
        const char* name;
        Bytes data;
        std::vector<int> bands;
    };
    const Case cases[] = {
        {"output 12", bands({0, 0x51, 12, 0, 1}, 2), {}},
        {"bands past 30", bands({0, 0x51, 0, 29, 32}, 4), {29, 30}},
        {"third band cut short", bands({0, 0x51, 0, 0, 2}, 2, 6), {0, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        posted.clear();
        dsp(DSP_EQ_CH, c.data);
        std::vector<int> got;
        for (std::size_t i = 0; i < posted.size(); ++i)
            got.push_back(record<BandRecord>(i).band);
        EXPECT_EQ(got, c.bands);
    }
}

TEST_F(DspReplies, InputEqBandUsesHundredthsAndOffsetGain)
{
    dsp(DSP_INPUT_EQ_CH, {2, 0x52, 3, 7, 7, 0x01, 0xF4, 4, 25, 21, 5});
    const auto& r = record<BandRecord>(0);
    EXPECT_EQ(r.scene, 2);
    EXPECT_EQ(r.channel, 3);
    EXPECT_EQ(r.band, 7);
    EXPECT_EQ(r.frequency, 500);
    EXPECT_FLOAT_EQ(r.q, 4.25f);
    EXPECT_FLOAT_EQ(r.gain, 3.5f);
    EXPECT_EQ(r.type, 0);
}

TEST_F(DspReplies, InputNoiseFillsOnlyTheEntriesItCarries)
{
    struct Case {
        const char* name;
        Bytes data;
        int last;
        std::vector<std::pair<int, float>> filled;
    };
    const Case cases[] = {
        {"inputs 2 and 3", {2, 3, 70, 5, 88, 0}, 3, {{2, -29.5f}, {3, -12}}},
        {"inputs past 15 dropped", {14, 17, 100, 0, 101, 0, 102, 0, 103, 0}, 15, {{14, 0}, {15, 1}}},
        {"entries the packet lacks", {0, 3, 90, 0}, 0, {{0, -10}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        posted.clear();
        dsp(DSP_INPUT_NOISE, c.data);
        ASSERT_EQ(posted.size(), 1u);
        EXPECT_EQ(posted[0].target, Target::SmallDialog);
        EXPECT_EQ(posted[0].message.wParam, DSP_INPUT_NOISE);
        const auto& r = record<InputNoiseRecord>(0);
        EXPECT_EQ(r.first, c.data[0]);
        EXPECT_EQ(r.last, c.last);
        std::array<float, 16> expected{};
        for (const auto& [input, level] : c.filled)
            expected[static_cast<std::size_t>(input)] = level;
        for (std::size_t i = 0; i < expected.size(); ++i)
            EXPECT_FLOAT_EQ(r.levels[i], expected[i]) << "input " << i;
    }
}

TEST_F(DspReplies, InputRangeRecordsIndexTheirArrays)
{
    dsp(DSP_INPUT_TRIM_CH, {0, 0x52, 1, 2, 0xFE, 0x03});
    const auto& trim = record<InputRangeRecord>(0);
    EXPECT_EQ(trim.source, 0x52);
    EXPECT_EQ(trim.first, 1);
    EXPECT_EQ(trim.last, 2);
    EXPECT_EQ(trim.values, (std::array<std::int8_t, 16>{0, -2, 3}));

    // Mixing levels sit by position in the range, so the room bounds the count.
    Bytes mix{1, 0x51, 4, 10, 30};
    for (int k = 0; k < 21; ++k)
        mix.push_back(static_cast<std::uint8_t>(k + 1));
    dsp(DSP_INPUT_MIX_CH_TRIM, mix);
    const auto& levels = record<InputMixTrimRecord>(1);
    EXPECT_EQ(levels.input, 4);
    EXPECT_EQ(levels.first, 10);
    EXPECT_EQ(levels.last, 25);
    EXPECT_EQ(levels.levels[0], 1);
    EXPECT_EQ(levels.levels[15], 16);

    dsp(DSP_HPF_Q_FACT_MODE, {0, 0x51, 14, 16, 1, 2, 3});
    const auto& mode = record<QFactorModeRecord>(2);
    EXPECT_EQ(mode.last, 15);
    EXPECT_EQ(mode.mode[14], 1);
    EXPECT_EQ(mode.mode[15], 2);

    dsp(DSP_SPK_DIST, {0, 0x51, 3, 4, 0x01, 0x2C});
    const auto& dist = record<SpeakerDistanceRecord>(3);
    EXPECT_EQ(dist.last, 3);
    EXPECT_EQ(dist.distance[3], 300);
    EXPECT_EQ(dist.distance[4], 0);
}

TEST_F(DspReplies, PlainValues)
{
    struct Case {
        const char* name;
        std::uint8_t sub;
        Bytes data;
        std::int64_t value;
    };
    const Case cases[] = {
        {"volume sign-extended", DSP_VOLUME, {0xFA}, -6},
        {"subwoofer volume sign-extended", DSP_SUBWOOFER_VOLUME, {0x80}, -128},
        {"source code as sent", DSP_SOURCE_SWITCH, {0x55}, 0x55},
        {"input threshold sign-extended", DSP_INPUT_THRESHOLD, {0xC4}, -60},
        {"remote channel is 16 bits", DSP_SEL_REMOTE_CH, {0x01, 0x02}, 258},
        {"noise gate gain is the second byte", DSP_NOISE_GATE_DRC_GAIN, {1, 0x20}, 32},
        {"noise gate threshold is the second byte", DSP_NOISE_GATE_THRESHOLD, {0, 4}, 4},
        {"dsp status", DSP_DSP_STATUS, {0}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        posted.clear();
        dsp(c.sub, c.data);
        ASSERT_EQ(posted.size(), 1u);
        EXPECT_EQ(posted[0].target, Target::Main);
        EXPECT_EQ(posted[0].message.id, WM_DSP_VALUE);
        EXPECT_EQ(posted[0].message.wParam, c.sub);
        EXPECT_EQ(posted[0].message.lParam, c.value);
        EXPECT_EQ(posted[0].message.record, nullptr);
    }
}

TEST_F(DspReplies, RepliesThatPostNothing)
{
    struct Case {
        const char* name;
        std::uint8_t sub;
        std::uint8_t op;
        Bytes data;
        const char* logTail; // what the log says after the header line
    };
    const Case cases[] = {
        {"volume acknowledgement", DSP_VOLUME, OP_ACK, {0x0A}, "DSP_VOLUME OP_ACK\n"},
        {"role acknowledgement", DSP_CH_TYPE, OP_ACK, {0x0A}, "DSP_CH_TYPE OP_ACK\n"},
        {"other acknowledgement", DSP_MUTE_CH, OP_ACK, {0, 0, 0, 0, 1}, ""},
        {"0x25 is not supported", DSP_INPUT_MIX_CH_PHASE, OP_UPDATE, {1}, "!!! NOT SUPPORT MSG\n"},
        {"0x1D is not supported", DSP_IRC_TEST_MIC, OP_UPDATE, {1}, "!!! NOT SUPPORT MSG\n"},
        {"0x0C is dropped silently", DSP_REMAP_CH, OP_UPDATE, {1}, ""},
        {"0x1C is dropped silently", DSP_IRC_RTA, OP_UPDATE, {1}, ""},
        {"a query echo", DSP_VOLUME, OP_GET, {}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        posted.clear();
        LogCapture log;
        dsp(c.sub, c.data, c.op);
        EXPECT_TRUE(posted.empty());
        const std::string text = log.text();
        const auto headerEnd = text.find('\n', text.find("dsp_ack_process"));
        ASSERT_NE(headerEnd, std::string::npos) << text;
        EXPECT_EQ(text.substr(headerEnd + 1), c.logTail);
    }
}

TEST_F(DspReplies, ShortFixedRepliesPostNothing)
{
    struct Case {
        std::uint8_t sub;
        Bytes data;
    };
    const Case cases[] = {
        {DSP_VOLUME, {}},
        {DSP_CH_LINK, {0, 1, 1, 2, 3, 4, 5}},
        {DSP_CH_LOCK, {0}},
        {DSP_MIX_TYPE2, {0, 0x51}},
        {DSP_CROSS_SOURCE_MIX, {0, 0x51, 0, 0x52, 1}},
        {DSP_MEM_DATA, {1, 2, 3, 4, 5, 6, 7}},
        {DSP_SEL_REMOTE_CH, {1}},
        {DSP_COMPRESSOR_SETTING, {0, 0x51, 0, 0, 1, 100, 0, 4, 0, 2, 0, 0, 10, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.sub));
        posted.clear();
        dsp(c.sub, c.data);
        EXPECT_TRUE(posted.empty());
    }
}

TEST_F(DspReplies, CompressorSettingsGoToEveryOutputOfTheRange)
{
    dsp(DSP_COMPRESSOR_SETTING, {0, 0x51, 2, 3, 1, 80, 5, 4, 0, 2, 5, 0x00, 0x0A, 0x01, 0xF4});
    ASSERT_EQ(posted.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        const auto& r = record<CompressorRecord>(i);
        EXPECT_EQ(r.channel, 2 + static_cast<int>(i));
        EXPECT_EQ(r.bypass, 1);
        EXPECT_FLOAT_EQ(r.threshold, -19.5f);
        EXPECT_FLOAT_EQ(r.ratio, 4);
        EXPECT_FLOAT_EQ(r.knee, 2.5f);
        EXPECT_EQ(r.attack, 10);
        EXPECT_EQ(r.release, 500);
    }

    posted.clear();
    dsp(DSP_COMPRESSOR_SETTING2, {0, 0x51, 5, 5, 0xF6, 0xFB, 0x00, 0x14, 2, 5});
    const auto& r = record<CompressorRecord>(0);
    EXPECT_EQ(r.channel, 5);
    EXPECT_FLOAT_EQ(r.threshold, -10.5f);
    EXPECT_EQ(r.attack, 20);
    EXPECT_EQ(r.release, 2500);
    EXPECT_EQ(r.bypass, 0);
}

TEST_F(DspReplies, BridgeCountIsCutToRecordAndPacket)
{
    struct Case {
        const char* name;
        std::uint8_t announced;
        std::size_t sent;
        int count;
    };
    const Case cases[] = {
        {"six pairs", 6, 6, 6},
        {"more than the record holds", 25, 25, 20},
        {"more than the packet carries", 6, 3, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        posted.clear();
        Bytes data{0, 0x51, c.announced};
        for (std::size_t i = 0; i < c.sent; ++i)
            data.push_back(1);
        dsp(DSP_OUPUT_BRIDGE, data);
        const auto& r = record<BridgeRecord>(0);
        EXPECT_EQ(r.count, c.count);
        for (std::size_t i = 0; i < r.bridges.size(); ++i)
            EXPECT_EQ(r.bridges[i], i < static_cast<std::size_t>(c.count) ? 1 : 0) << i;
    }
}

TEST_F(DspReplies, FixedShapeRecords)
{
    dsp(DSP_FILTER_SET, {1, 0x51, 7, 7, 1, 0x00, 0x50, 2, 3, 0x4E, 0x20, 4});
    const auto& f = record<FilterRecord>(0);
    EXPECT_EQ(f.scene, 1);
    EXPECT_EQ(f.channel, 7);
    EXPECT_EQ(f.hpType, 1);
    EXPECT_EQ(f.hpFrequency, 80);
    EXPECT_EQ(f.hpSlope, 2);
    EXPECT_EQ(f.lpType, 3);
    EXPECT_EQ(f.lpFrequency, 20000);
    EXPECT_EQ(f.lpSlope, 4);

    dsp(DSP_CH_TRIM_LINK, {2, 1, 1, 2, 3, 4, 5, 6});
    const auto& link = record<LinkRecord>(1);
    EXPECT_EQ(link.scene, 2);
    EXPECT_EQ(link.link, 1);
    EXPECT_EQ(link.bytes, (std::array<std::uint8_t, 6>{1, 2, 3, 4, 5, 6}));

    // This chip reports channel last and no gain; the record keeps one order.
    dsp(DSP_CROSS_SOURCE_MIX_CS47048, {1, 0x51, 0x53, 4, 2});
    const auto& csm = record<CrossSourceMixRecord>(2);
    EXPECT_EQ(csm.scene, 1);
    EXPECT_EQ(csm.source, 0x51);
    EXPECT_EQ(csm.channel, 2);
    EXPECT_EQ(csm.secondSource, 0x53);
    EXPECT_EQ(csm.secondChannel, 4);
    EXPECT_EQ(csm.secondGain, 0);
}

TEST_F(DspReplies, MemoryDataIsLittleEndianForTheMemoryWindow)
{
    dsp(DSP_MEM_DATA, {0x78, 0x56, 0x34, 0x12, 0x01, 0x00, 0x00, 0x80});
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].target, Target::Memory);
    EXPECT_EQ(posted[0].message.id, WM_MEMWR_VALUE);
    EXPECT_EQ(posted[0].message.wParam, DSP_MEM_DATA);
    const auto& r = record<MemoryRecord>(0);
    EXPECT_EQ(r.address, 0x12345678u);
    EXPECT_EQ(r.data, 0x80000001u);
}

} // namespace
