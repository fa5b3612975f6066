// What a factory-fresh amplifier answers to the queries a host sends when it
// connects, byte for byte.
#include "SimTestSupport.h"

#include <gtest/gtest.h>

namespace dravo::sim::test {
namespace {

TEST(SimQuery, HandshakeAndVolumeComeAsWholeReports)
{
    SimulatedAmplifier amp(instantOptions());

    send(amp, CMD_MCU, MCU_HANDSHAKE, OP_SET);
    Bytes handshake = {0xAA, 0x55, 0x07, 0x03, 0x08, 0xDD, 0x01, 0x60, 0x01, 0x21, 0x8E};
    handshake.resize(64);
    EXPECT_EQ(drainReports(amp), std::vector<Bytes>{handshake});

    send(amp, CMD_DSP, DSP_VOLUME, OP_GET);
    Bytes volume = {0xAA, 0x55, 0x04, 0x01, 0x02, 0xDD, 0xFB, 0x21};
    volume.resize(64);
    EXPECT_EQ(drainReports(amp), std::vector<Bytes>{volume});
}

TEST(SimQuery, PcConnectIsNotAnswered)
{
    SimulatedAmplifier amp(instantOptions());
    EXPECT_TRUE(exchange(amp, CMD_MCU, MCU_PC_CONNECT, OP_SET, {1}).empty());
    EXPECT_TRUE(amp.state().pcConnected);
}

struct QueryCase {
    const char* name;
    std::uint8_t cmd;
    std::uint8_t sub;
    Bytes request;
    std::vector<Bytes> replies; // data of each OP_UPDATE packet, in order
};

class ConnectQueries : public testing::TestWithParam<QueryCase> {};

TEST_P(ConnectQueries, FactoryStateIsReported)
{
    const QueryCase& c = GetParam();
    SimulatedAmplifier amp(instantOptions());
    std::vector<Packet> expected;
    for (const Bytes& data : c.replies)
        expected.push_back(update(c.cmd, c.sub, data));
    EXPECT_EQ(exchange(amp, c.cmd, c.sub, OP_GET, c.request), expected);
}

const Bytes kBandTail = {0x05, 0x03, 0x20, 0x12, 0x00}; // Q 5.800, 0 dB, type 0

INSTANTIATE_TEST_SUITE_P(
    SimQuery, ConnectQueries,
    testing::Values(
        QueryCase{"Source", CMD_DSP, DSP_SOURCE_SWITCH, {}, {{0x51}}},
        QueryCase{"Acc", CMD_MCU, MCU_ACC, {}, {{0x00}}},
        QueryCase{"UsbPowerPin", CMD_MCU, MCU_USB_POWER_PIN, {}, {{0x01}}},
        QueryCase{"SubwooferVolume", CMD_DSP, DSP_SUBWOOFER_VOLUME, {}, {{0x00}}},
        QueryCase{"Mute", CMD_DSP, DSP_MUTE, {}, {{0x00}}},
        QueryCase{"AmpMute", CMD_DSP, DSP_AMP_MUTE, {}, {{0x00}}},
        QueryCase{"RemoteOutputs", CMD_DSP, DSP_REM_OUT, {}, {{0x01, 0x01}}},
        QueryCase{"SpeakerOhm", CMD_DSP, DSP_SPK_OHM, {}, {{0x01}}},
        QueryCase{"NoiseGate", CMD_DSP, DSP_NOISE_GATE, {}, {{0x00}}},
        QueryCase{"NoiseGateGain", CMD_DSP, DSP_NOISE_GATE_DRC_GAIN, {}, {{0x00, 0x20}}},
        QueryCase{"NoiseGateThreshold", CMD_DSP, DSP_NOISE_GATE_THRESHOLD, {}, {{0x00, 0x00}}},
        QueryCase{"SpeakerConfig", CMD_DSP, DSP_SPK_CH_CONFIG, {}, {{0x00}}},
        QueryCase{"SceneValid", CMD_FLASH, FLASH_SCENE_VALID, {}, {{0x00, 0x00}}},
        QueryCase{"SceneId", CMD_FLASH, FLASH_SCENE_ID, {}, {{0x00}}},
        QueryCase{"SceneName", CMD_FLASH, FLASH_SCENE_NAME, {3}, {concat({{3}, Bytes(16, 0xFF)})}},
        QueryCase{"Delay", CMD_DSP, DSP_DELAY_CH, {0, 0, 0, 11}, {concat({{0, 0, 0, 11}, Bytes(36, 0)})}},
        QueryCase{"Roles", CMD_DSP, DSP_CH_TYPE, {0, 0, 0, 11},
                  {{0, 0, 0, 11, 1, 7, 2, 8, 3, 9, 13, 16, 14, 17, 22, 23}}},
        QueryCase{"Solo", CMD_DSP, DSP_CH_SOLO, {0, 0, 0, 11}, {concat({{0, 0, 0, 11}, Bytes(12, 0)})}},
        QueryCase{"Link", CMD_DSP, DSP_CH_LINK, {0}, {{0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}}},
        QueryCase{"Lock", CMD_DSP, DSP_CH_LOCK, {0}, {{0, 0}}},
        QueryCase{"FilterOfFrontOutputs", CMD_DSP, DSP_FILTER_SET, {0, 0, 0, 3},
                  {{0, 0, 0, 3,                                    //
                    0x02, 0x0D, 0xAC, 0x02, 0x02, 0x4E, 0x20, 0x00, // tweeter: hp 3500 Hz
                    0x02, 0x0D, 0xAC, 0x02, 0x02, 0x4E, 0x20, 0x00, //
                    0x02, 0x01, 0xF4, 0x02, 0x02, 0x0D, 0xAC, 0x02, // midrange: 500..3500 Hz
                    0x02, 0x01, 0xF4, 0x02, 0x02, 0x0D, 0xAC, 0x02}}},
        QueryCase{"FilterOfSubwoofers", CMD_DSP, DSP_FILTER_SET, {0, 0, 10, 11},
                  {{0, 0, 10, 11,                                  //
                    0x02, 0x00, 0x14, 0x00, 0x02, 0x00, 0x50, 0x04, // lp 80 Hz, 24 dB
                    0x02, 0x00, 0x14, 0x00, 0x02, 0x00, 0x50, 0x04}}},
        QueryCase{"EqBypass", CMD_DSP, DSP_EQ_BYPASS, {0, 0, 0, 11}, {concat({{0, 0, 0, 11}, Bytes(12, 1)})}},
        QueryCase{"EqFirstBlock", CMD_DSP, DSP_EQ_CH, {0, 0, 2, 0, 6},
                  {concat({{0, 0, 2, 0, 6},
                           {0x00, 0x14}, kBandTail, {0x00, 0x19}, kBandTail, {0x00, 0x1F}, kBandTail,
                           {0x00, 0x28}, kBandTail, {0x00, 0x32}, kBandTail, {0x00, 0x3F}, kBandTail,
                           {0x00, 0x50}, kBandTail})}},
        QueryCase{"EqLastBlock", CMD_DSP, DSP_EQ_CH, {0, 0, 2, 28, 30},
                  {concat({{0, 0, 2, 28, 30}, {0x30, 0xD4}, kBandTail, {0x3E, 0x80}, kBandTail, {0x4E, 0x20},
                           kBandTail})}},
        QueryCase{"Trim", CMD_DSP, DSP_TRIM_CH, {0, 0, 0, 11}, {concat({{0, 0, 0, 11}, Bytes(24, 0)})}},
        QueryCase{"MixOfHiLevelInput", CMD_DSP, DSP_MIX_CH, {0, 5, 0, 11},
                  {{0, 5, 0, 11, 1, 2, 4, 8, 3, 3, 1, 2, 1, 2, 1, 2}}},
        QueryCase{"MixLevelsOfFirstInput", CMD_DSP, DSP_INPUT_MIX_CH_TRIM, {0, 5, 0, 0, 11},
                  {{0, 5, 0, 0, 11, 100, 0, 0, 0, 75, 75, 75, 0, 75, 0, 75, 0}}},
        QueryCase{"CrossSourceMix", CMD_DSP, DSP_CROSS_SOURCE_MIX, {0, 2, 1, 0, 0, 0}, {{0, 2, 1, 9, 0, 32}}},
        QueryCase{"Bridge", CMD_DSP, DSP_OUPUT_BRIDGE, {0, 0, 6}, {concat({{0, 0, 6}, Bytes(6, 0)})}}),
    [](const testing::TestParamInfo<QueryCase>& info) { return info.param.name; });

TEST(SimQuery, RangesTooLongForOnePacketComeInConsecutiveParts)
{
    SimulatedAmplifier amp(instantOptions());

    send(amp, CMD_DSP, DSP_EQ_CH, OP_GET, {0, 0, 4, 0, 30});
    const std::vector<Bytes> reports = drainReports(amp);
    const std::vector<Packet> bands = parse(reports);
    ASSERT_EQ(bands.size(), 5u);
    EXPECT_EQ(reports.size(), 5u) << "each part in its own report";
    const int blocks[5][2] = {{0, 6}, {7, 13}, {14, 20}, {21, 27}, {28, 30}};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(bands[i].data[3], blocks[i][0]);
        EXPECT_EQ(bands[i].data[4], blocks[i][1]);
        EXPECT_EQ(bands[i].data.size(), 5u + 7 * (blocks[i][1] - blocks[i][0] + 1));
    }

    const std::vector<Packet> filters = exchange(amp, CMD_DSP, DSP_FILTER_SET, OP_GET, {0, 0, 0, 11});
    ASSERT_EQ(filters.size(), 2u);
    EXPECT_EQ(Bytes(filters[0].data.begin(), filters[0].data.begin() + 4), (Bytes{0, 0, 0, 5}));
    EXPECT_EQ(Bytes(filters[1].data.begin(), filters[1].data.begin() + 4), (Bytes{0, 0, 6, 11}));
    EXPECT_EQ(Bytes(filters[1].data.end() - 8, filters[1].data.end()),
              (Bytes{0x02, 0x00, 0x14, 0x00, 0x02, 0x00, 0x50, 0x04}));
}

TEST(SimQuery, CompressorSettingsComeOnePacketPerChannel)
{
    SimulatedAmplifier amp(instantOptions());
    const Bytes factory = {1, 164, 0, 100, 0, 24, 0, 0x03, 0xE8, 0x75, 0x30};
    EXPECT_EQ(exchange(amp, CMD_DSP, DSP_COMPRESSOR_SETTING, OP_GET, {0, 0, 3, 4}),
              (std::vector<Packet>{update(CMD_DSP, DSP_COMPRESSOR_SETTING, concat({{0, 0, 3, 3}, factory})),
                                   update(CMD_DSP, DSP_COMPRESSOR_SETTING, concat({{0, 0, 4, 4}, factory}))}));
}

TEST(SimQuery, RangeWithLastBelowFirstCarriesOnlyItsHeader)
{
    SimulatedAmplifier amp(instantOptions());
    EXPECT_EQ(exchange(amp, CMD_DSP, DSP_TRIM_CH, OP_GET, {0, 0, 5, 3}),
              (std::vector<Packet>{update(CMD_DSP, DSP_TRIM_CH, {0, 0, 5, 3})}));
}

struct UnansweredCase {
    const char* name;
    std::uint8_t cmd;
    std::uint8_t sub;
    std::uint8_t op;
    Bytes data;
};

class UnansweredRequests : public testing::TestWithParam<UnansweredCase> {};

TEST_P(UnansweredRequests, ChangeNothingAndGetNoReply)
{
    const UnansweredCase& c = GetParam();
    SimulatedAmplifier amp(instantOptions());
    const DeviceState before = amp.state();
    EXPECT_TRUE(exchange(amp, c.cmd, c.sub, c.op, c.data).empty());
    EXPECT_EQ(amp.state().live, before.live);
}

INSTANTIATE_TEST_SUITE_P(
    SimQuery, UnansweredRequests,
    testing::Values(UnansweredCase{"RangeHeaderCut", CMD_DSP, DSP_TRIM_CH, OP_GET, {0, 0}},
                    UnansweredCase{"SetterDataCut", CMD_DSP, DSP_TRIM_CH, OP_SET, {0, 0, 0, 1, 3, 50}},
                    UnansweredCase{"SceneOutOfRange", CMD_DSP, DSP_MUTE_CH, OP_SET, {11, 0, 0, 0, 1}},
                    UnansweredCase{"SourceOutOfRange", CMD_DSP, DSP_MIX_CH, OP_GET, {0, 9, 0, 11}},
                    UnansweredCase{"ChannelOutOfRange", CMD_DSP, DSP_EQ_CH, OP_SET, {0, 0, 12, 0, 3, 0xE8, 1, 1, 0x9E, 0x2F, 0}},
                    UnansweredCase{"BandOutOfRange", CMD_DSP, DSP_EQ_CH, OP_SET, {0, 0, 1, 31, 3, 0xE8, 1, 1, 0x9E, 0x2F, 0}},
                    UnansweredCase{"UnknownFilterSection", CMD_DSP, DSP_FILTER_SET, OP_SET, {0, 0, 1, 3, 1, 0, 100, 2}},
                    UnansweredCase{"UnknownDspCode", CMD_DSP, DSP_INPUT_MIX_CH_PHASE, OP_GET, {}},
                    UnansweredCase{"ReplyOpType", CMD_DSP, DSP_VOLUME, OP_UPDATE, {3}},
                    UnansweredCase{"UnknownPacketType", 5, 1, OP_GET, {}}),
    [](const testing::TestParamInfo<UnansweredCase>& info) { return info.param.name; });

} // namespace
} // namespace dravo::sim::test
