// Every setter is acknowledged, and the next query reports what it set.
#include "SimTestSupport.h"

#include <gtest/gtest.h>

namespace dravo::sim::test {
namespace {

struct SetterCase {
    const char* name;
    std::uint8_t cmd;
    std::uint8_t sub;
    Bytes set;
    std::uint8_t querySub; // same packet type
    Bytes query;
    Bytes reply;
};

class Setters : public testing::TestWithParam<SetterCase> {};

TEST_P(Setters, AreAcknowledgedAndReadBack)
{
    const SetterCase& c = GetParam();
    SimulatedAmplifier amp(instantOptions());
    EXPECT_EQ(exchange(amp, c.cmd, c.sub, OP_SET, c.set), (std::vector<Packet>{ready(c.cmd, c.sub)}));
    EXPECT_EQ(exchange(amp, c.cmd, c.querySub, OP_GET, c.query),
              (std::vector<Packet>{update(c.cmd, c.querySub, c.reply)}));
}

INSTANTIATE_TEST_SUITE_P(
    SimSetter, Setters,
    testing::Values(
        // -3.5, 0 and -12.25 dB on outputs 2..4
        SetterCase{"Trim", CMD_DSP, DSP_TRIM_CH, {0, 0, 2, 4, 3, 50, 0, 0, 12, 25},
                   DSP_TRIM_CH, {0, 0, 1, 5}, {0, 0, 1, 5, 0, 0, 3, 50, 0, 0, 12, 25, 0, 0}},
        SetterCase{"Delay", CMD_DSP, DSP_DELAY_CH, {0, 0, 0, 0, 1, 0x01, 0xF4},
                   DSP_DELAY_CH, {0, 0, 0, 0}, {0, 0, 0, 0, 1, 0x01, 0xF4}},
        SetterCase{"Phase", CMD_DSP, DSP_PHASE_CH, {0, 0, 11, 11, 1}, DSP_PHASE_CH, {0, 0, 10, 11}, {0, 0, 10, 11, 0, 1}},
        SetterCase{"Role", CMD_DSP, DSP_CH_TYPE, {0, 0, 0, 1, 6, 12}, DSP_CH_TYPE, {0, 0, 0, 2}, {0, 0, 0, 2, 6, 12, 2}},
        SetterCase{"MixOfOneSource", CMD_DSP, DSP_MIX_CH, {0, 3, 0, 1, 3, 0}, DSP_MIX_CH, {0, 3, 0, 2}, {0, 3, 0, 2, 3, 0, 1}},
        SetterCase{"Compressor2", CMD_DSP, DSP_COMPRESSOR_SETTING2, {0, 0, 7, 7, 0xEC, 0xFB, 0, 20, 1, 5},
                   DSP_COMPRESSOR_SETTING2, {0, 0, 7, 7}, {0, 0, 7, 7, 0xEC, 0xFB, 0, 20, 1, 5}},
        // 1000 Hz, Q 1.414, -3.0 dB, type 1 on band 17 of output 5
        SetterCase{"EqBand", CMD_DSP, DSP_EQ_CH, {0, 0, 5, 17, 0x03, 0xE8, 0x01, 0x01, 0x9E, 0x2F, 0x00},
                   DSP_EQ_CH, {0, 0, 5, 17, 17}, {0, 0, 5, 17, 17, 0x03, 0xE8, 0x01, 0x01, 0x9E, 0x2F, 0x00}},
        // section 2 is the high-pass: type 1, 120 Hz, slope 3; the low-pass stays
        SetterCase{"HighPass", CMD_DSP, DSP_FILTER_SET, {0, 0, 3, 2, 1, 0, 120, 3},
                   DSP_FILTER_SET, {0, 0, 3, 3}, {0, 0, 3, 3, 1, 0, 120, 3, 0x02, 0x0D, 0xAC, 0x02}},
        SetterCase{"LowPass", CMD_DSP, DSP_FILTER_SET, {0, 0, 3, 1, 3, 0x1F, 0x40, 5},
                   DSP_FILTER_SET, {0, 0, 3, 3}, {0, 0, 3, 3, 0x02, 0x01, 0xF4, 0x02, 3, 0x1F, 0x40, 5}},
        SetterCase{"InputMixLevels", CMD_DSP, DSP_INPUT_MIX_CH_TRIM, {0, 5, 3, 4, 6, 10, 20, 30},
                   DSP_INPUT_MIX_CH_TRIM, {0, 5, 3, 3, 7}, {0, 5, 3, 3, 7, 100, 10, 20, 30, 0}},
        SetterCase{"CrossSourceMix", CMD_DSP, DSP_CROSS_SOURCE_MIX, {0, 2, 1, 5, 3, 30},
                   DSP_CROSS_SOURCE_MIX, {0, 2, 1, 0, 0, 0}, {0, 2, 1, 5, 3, 30}},
        SetterCase{"CrossSourceMixCs47048", CMD_DSP, DSP_CROSS_SOURCE_MIX_CS47048, {0, 2, 0, 1, 1},
                   DSP_CROSS_SOURCE_MIX, {0, 2, 1, 0, 0, 0}, {0, 2, 1, 0, 1, 32}},
        SetterCase{"Bridge", CMD_DSP, DSP_OUPUT_BRIDGE, {0, 0, 6, 1, 0, 0, 1, 0, 0},
                   DSP_OUPUT_BRIDGE, {0, 0, 6}, {0, 0, 6, 1, 0, 0, 1, 0, 0}},
        SetterCase{"Lock", CMD_DSP, DSP_CH_LOCK, {0, 1}, DSP_CH_LOCK, {0}, {0, 1}},
        // 6 - attenuation: 20 dB down reports -14; beyond 66 stays at -60
        SetterCase{"MainVolume", CMD_DSP, DSP_VOLUME, {20}, DSP_VOLUME, {}, {0xF2}},
        SetterCase{"MainVolumeFloor", CMD_DSP, DSP_VOLUME, {90}, DSP_VOLUME, {}, {0xC4}},
        SetterCase{"Source", CMD_DSP, DSP_SOURCE_SWITCH, {0x56}, DSP_SOURCE_SWITCH, {}, {0x56}},
        SetterCase{"RemoteOutputs", CMD_DSP, DSP_REM_OUT, {0, 1}, DSP_REM_OUT, {}, {0, 1}},
        SetterCase{"InputThreshold", CMD_DSP, DSP_INPUT_THRESHOLD, {0xC5}, DSP_INPUT_THRESHOLD, {0, 5}, {0xC5}},
        SetterCase{"NoiseGateGainLimit", CMD_DSP, DSP_NOISE_GATE_DRC_GAIN, {0, 60}, DSP_NOISE_GATE_DRC_GAIN, {}, {0, 48}},
        SetterCase{"NoiseGateThresholdLimit", CMD_DSP, DSP_NOISE_GATE_THRESHOLD, {0, 40}, DSP_NOISE_GATE_THRESHOLD, {}, {0, 31}},
        SetterCase{"MemoryWord", CMD_DSP, DSP_MEM_DATA, {0x10, 0x20, 0, 0, 0xEF, 0xBE, 0xAD, 0xDE},
                   DSP_MEM_DATA, {0x10, 0x20, 0, 0, 0, 0, 0, 0}, {0x10, 0x20, 0, 0, 0xEF, 0xBE, 0xAD, 0xDE}},
        SetterCase{"Acc", CMD_MCU, MCU_ACC, {0xFE}, MCU_ACC, {}, {0xFE}},
        SetterCase{"PowerOffDelay", CMD_MCU, MCU_POWER_OFF_DELAY, {0x0B, 0xB8}, MCU_POWER_OFF_DELAY, {}, {0x0B, 0xB8}},
        SetterCase{"EchoDelay", CMD_KTV, KTV_ECHO_DELAY, {0x01, 0x2C}, KTV_ECHO_DELAY, {}, {0x01, 0x2C}},
        SetterCase{"BassGain", CMD_KTV, KTV_BASS_GAIN, {0xFE}, KTV_BASS_GAIN, {}, {0xFE}}),
    [](const testing::TestParamInfo<SetterCase>& info) { return info.param.name; });

TEST(SimSetter, LinkCopiesEachPairsEqualiserCrossoverAndBypass)
{
    SimulatedAmplifier amp(instantOptions());
    send(amp, CMD_DSP, DSP_EQ_CH, OP_SET, {0, 0, 0, 4, 0x00, 0x50, 2, 0, 0, 0x55, 5}); // type 2, +3.5 dB
    send(amp, CMD_DSP, DSP_EQ_CH, OP_SET, {0, 0, 1, 4, 0x00, 0x64, 3, 0, 0, 0x12, 0}); // type 0
    send(amp, CMD_DSP, DSP_EQ_BYPASS, OP_SET, {0, 0, 0, 0, 0});
    send(amp, CMD_DSP, DSP_FILTER_SET, OP_SET, {0, 0, 0, 2, 1, 0, 200, 3});
    drainReports(amp);

    EXPECT_EQ(exchange(amp, CMD_DSP, DSP_CH_LINK, OP_SET, {0, 1, 1, 0, 1}),
              (std::vector<Packet>{ready(CMD_DSP, DSP_CH_LINK)}));

    const DeviceState s = amp.state();
    const ChannelState& left = s.live.channels[0];
    const ChannelState& right = s.live.channels[1];
    EXPECT_EQ(bandFrequency(right.bands[4]), 80);
    EXPECT_DOUBLE_EQ(bandGainDb(right.bands[4]), 3.5);
    EXPECT_EQ(bandType(right.bands[4]), 0) << "the partner keeps its band type";
    EXPECT_EQ(right.filter, left.filter);
    EXPECT_EQ(right.filter[2], 200);
    EXPECT_EQ(right.eqBypass, 0);
    EXPECT_EQ(right.role, 7) << "the role is not part of the copy";

    EXPECT_EQ(exchange(amp, CMD_DSP, DSP_CH_LINK, OP_GET, {0}),
              (std::vector<Packet>{update(CMD_DSP, DSP_CH_LINK, {0, 1, 0x01, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF})}));
}

TEST(SimSetter, EqResetRestoresTheNamedOutputsOnly)
{
    SimulatedAmplifier amp(instantOptions());
    for (int ch : {2, 3, 4})
        send(amp, CMD_DSP, DSP_EQ_CH, OP_SET, {0, 0, static_cast<std::uint8_t>(ch), 9, 0x03, 0xE8, 1, 1, 0x9E, 0x2F, 0});
    drainReports(amp);

    EXPECT_EQ(exchange(amp, CMD_DSP, DSP_EQ_RESET, OP_SET, {0, 0, 2, 2, 4}),
              (std::vector<Packet>{ready(CMD_DSP, DSP_EQ_RESET)}));
    const DeviceState s = amp.state();
    EXPECT_EQ(s.live.channels[2].bands[9], s.live.channels[0].bands[9]);
    EXPECT_EQ(s.live.channels[4].bands[9], s.live.channels[0].bands[9]);
    EXPECT_EQ(bandFrequency(s.live.channels[3].bands[9]), 1000);
}

TEST(SimSetter, FactoryDefaultResetsTheLiveSetAndKeepsScenes)
{
    SimulatedAmplifier amp(instantOptions());
    const DeviceState factory = amp.state();
    send(amp, CMD_DSP, DSP_TRIM_CH, OP_SET, {0, 0, 0, 0, 6, 0});
    send(amp, CMD_DSP, DSP_VOLUME, OP_SET, {40});
    send(amp, CMD_FLASH, FLASH_SAVE_SCENE, OP_SET, {2, 0});
    drainReports(amp);

    EXPECT_EQ(exchange(amp, CMD_MCU, MCU_FACTORY_DEFAULT, OP_SET), (std::vector<Packet>{ready(CMD_MCU, MCU_FACTORY_DEFAULT)}));
    const DeviceState s = amp.state();
    EXPECT_EQ(s.live, factory.live);
    EXPECT_EQ(s.amp.volumeDb, factory.amp.volumeDb);
    EXPECT_TRUE(s.scenes[1].valid);
    EXPECT_DOUBLE_EQ(trimLevelDb(s.scenes[1].state.channels[0]), -6.0);
}

TEST(SimSetter, ReceivedRequestsAreLoggedInOrder)
{
    SimulatedAmplifier amp(instantOptions());
    send(amp, CMD_MCU, MCU_PC_CONNECT, OP_SET, {1});
    send(amp, CMD_MCU, MCU_HANDSHAKE, OP_SET);
    send(amp, CMD_DSP, DSP_MUTE_CH, OP_SET, {0, 0, 3, 3, 1});
    EXPECT_EQ(amp.receivedRequests(),
              (std::vector<ReceivedRequest>{{CMD_MCU, MCU_PC_CONNECT, OP_SET, {1}},
                                            {CMD_MCU, MCU_HANDSHAKE, OP_SET, {}},
                                            {CMD_DSP, DSP_MUTE_CH, OP_SET, {0, 0, 3, 3, 1}}}));
}

} // namespace
} // namespace dravo::sim::test
