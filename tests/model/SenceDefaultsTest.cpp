#include "BandFrequencyTables.h"
#include "InputSources.h"
#include "KaraokeParams.h"
#include "SenceConfig.h"
#include "SpeakerRoles.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace dravo;

namespace {

struct ScalarCase {
    const char* field;
    std::function<double(const SenceConfig&)> get;
    double expected;
};

const std::vector<ScalarCase> kScalarDefaults = {
    {"model", [](const SenceConfig& s) { return s.model; }, -1},
    {"mainVersion", [](const SenceConfig& s) { return s.mainVersion; }, -1},
    {"slaveVersion", [](const SenceConfig& s) { return s.slaveVersion; }, -1},
    {"source", [](const SenceConfig& s) { return s.source; }, 0},
    {"mainVolume", [](const SenceConfig& s) { return s.mainVolume; }, -5},
    {"acc", [](const SenceConfig& s) { return s.acc; }, 0},
    {"subVolume", [](const SenceConfig& s) { return s.subVolume; }, 0},
    {"sceneId", [](const SenceConfig& s) { return s.sceneId; }, 0},
    {"mainVolumeMute", [](const SenceConfig& s) { return s.mainVolumeMute; }, 0},
    {"ampOn", [](const SenceConfig& s) { return s.ampOn; }, 1},
    {"remOut1", [](const SenceConfig& s) { return s.remOut1; }, 1},
    {"remOut2", [](const SenceConfig& s) { return s.remOut2; }, 1},
    {"spkOhm", [](const SenceConfig& s) { return s.spkOhm; }, 1},
    {"noiseGate", [](const SenceConfig& s) { return s.noiseGate; }, 0},
    {"noiseGateThreshold", [](const SenceConfig& s) { return s.noiseGateThreshold; }, -30.0},
    {"noiseGateDrcGain", [](const SenceConfig& s) { return s.noiseGateDrcGain; }, 0.0},
    {"autoEffection", [](const SenceConfig& s) { return s.autoEffection; }, 0},
    {"channelCount", [](const SenceConfig& s) { return s.channelCount; }, 12},
    {"soloChannel", [](const SenceConfig& s) { return s.soloChannel; }, -1},
    {"currOutChannel", [](const SenceConfig& s) { return s.currOutChannel; }, 0},
    {"peqMode", [](const SenceConfig& s) { return s.peqMode; }, 0},
    {"linkMode", [](const SenceConfig& s) { return s.linkMode; }, 0},
    {"lockMode", [](const SenceConfig& s) { return s.lockMode; }, 0},
    {"inputThreshold", [](const SenceConfig& s) { return s.inputThreshold; }, -60},
    {"powerOffDelay", [](const SenceConfig& s) { return s.powerOffDelay; }, 0},
    {"currSource", [](const SenceConfig& s) { return s.currSource; }, 0},
};

TEST(SenceDefaults, ScalarFields)
{
    const SenceConfig s;
    for (const ScalarCase& c : kScalarDefaults)
        EXPECT_EQ(c.get(s), c.expected) << c.field;
}

TEST(SenceDefaults, PerOutputTables)
{
    const SenceConfig s;
    const int roles12[] = {1, 7, 2, 8, 3, 9, 13, 16, 14, 17, 22, 23};
    for (int c = 0; c < kOutputCount; ++c) {
        SCOPED_TRACE(c);
        EXPECT_EQ(s.outputs[c], roles12[c]);
        EXPECT_EQ(s.outputs_bk[c], roles12[c]);
        EXPECT_EQ(s.linkOutputs[c], -1);
        EXPECT_EQ(s.showOutChEqualizer[c], 0);
        EXPECT_EQ(s.syncGroup[c], 0);
        EXPECT_EQ(s.delayLinkGroup[c], 0);
        const ChannelConfig& ch = s.channels[c];
        EXPECT_EQ(ch.eqSize, 31);
        EXPECT_EQ(ch.gain, 0.0f);
        EXPECT_EQ(ch.mute, 0);
        EXPECT_EQ(ch.delay, 0.0f);
        EXPECT_EQ(ch.phase, 0);
        EXPECT_EQ(ch.solo, 0);
        EXPECT_EQ(ch.bypass, 1);
        EXPECT_EQ(ch.compressorOn, 1);
        EXPECT_EQ(ch.crossover, defaultCrossoverForRole(roles12[c]));
        EXPECT_EQ(s.compressor[c], (CompressorSettings{1, 64.0f, 100.0f, 1000, 30000, 24.0f}));
        for (int b = 0; b < kBandsPerOutput; ++b)
            EXPECT_EQ(s.bands[c][b], (EqBand{0.0f, 5.8f, kThirdOctaveBands[b], 1, 0})) << b;
    }
    for (int p = 0; p < kBridgePairCount; ++p)
        EXPECT_EQ(s.bridgeOutputs[p], 0);
    for (int v : s.eqSizes)
        EXPECT_EQ(v, 31);
    for (const auto& row : s.monitorIndex)
        for (int v : row)
            EXPECT_EQ(v, -1);
}

TEST(SenceDefaults, InputRoutingAndMixLevels)
{
    const SenceConfig s;
    const int stereo[] = {1, 2, 1, 2, 3, 3, 1, 2, 1, 2, 1, 2};
    const int multi[] = {1, 2, 4, 8, 3, 3, 1, 2, 1, 2, 1, 2};
    for (int src = 0; src < kSourceCount; ++src) {
        const int* masks = (src == 4 || src == 5) ? multi : stereo;
        for (int k = 0; k < kOutputCount; ++k) {
            ASSERT_EQ(s.inputs[src][k], masks[k]) << src << "/" << k;
            for (int n = 0; n < kInputsPerSource; ++n) {
                const bool routed = (masks[k] >> n) & 1;
                EXPECT_EQ(s.inputMixVolume[src][n][k], routed ? (k < 4 ? 100 : 75) : 0)
                    << src << "/" << n << "/" << k;
            }
            EXPECT_EQ(s.outDistort[src][k], 0);
        }
        for (int n = 0; n < kInputsPerSource; ++n) {
            EXPECT_EQ(s.csmViceSource[src][n], kNoViceSource);
            EXPECT_EQ(s.csmViceCh[src][n], 0);
            EXPECT_EQ(s.csmViceGain[src][n], 0);
            EXPECT_EQ(s.inMixPhase[src][n], 0);
            EXPECT_EQ(s.inDistort[src][n], 0);
        }
    }
}

TEST(SenceDefaults, KaraokeAndCustomEq)
{
    const SenceConfig s;
    const int karaoke[] = {0, 60, 60, 0, 0, 0, 0, 0, 0, 0};
    for (int i = 0; i < kKaraokeParamCount; ++i)
        EXPECT_EQ(s.karaoke[i], karaoke[i]) << i;
    EXPECT_EQ(s.customEq.firstTable[0], 10);
    EXPECT_EQ(s.customEq.firstTable[19], 1600);
    EXPECT_EQ(s.customEq.secondTable[1], 11);
    EXPECT_EQ(s.customEq.secondTable[16], 3);
}

TEST(SenceDefaults, RolesByChannelCount)
{
    struct Case {
        int channels;
        std::vector<int> roles;  // outputs past the table stay empty
    };
    const Case cases[] = {
        {6, {6, 12, 15, 18, 22, 23, 0, 0, 0, 0, 0, 0}},
        {8, {6, 12, 15, 18, 19, 20, 22, 23, 0, 0, 0, 0}},
        {10, {6, 12, 15, 18, 19, 20, 14, 17, 22, 23, 0, 0}},
        {12, {1, 7, 2, 8, 3, 9, 13, 16, 14, 17, 22, 23}},
        {16, {1, 7, 2, 8, 13, 16, 0, 0, 19, 20, 3, 9}},
    };
    for (const Case& c : cases) {
        SenceConfig s;
        s.channelCount = c.channels;
        s.resetToDefaults();
        for (int k = 0; k < kOutputCount; ++k) {
            EXPECT_EQ(s.outputs[k], c.roles[k]) << c.channels << " ch, output " << k;
            EXPECT_EQ(s.outputs_bk[k], c.roles[k]);
            EXPECT_EQ(s.channels[k].crossover, defaultCrossoverForRole(c.roles[k]));
        }
    }
    EXPECT_EQ(defaultRolesFor(16).size(), 16u);
    EXPECT_TRUE(defaultRolesFor(7).empty());
}

TEST(SenceDefaults, ChannelCountWithoutTableKeepsRoles)
{
    SenceConfig s;
    s.outputs[3] = 21;
    s.channelCount = 7;
    s.resetToDefaults();
    EXPECT_EQ(s.outputs[3], 21);
}

TEST(SenceDefaults, ResetVariantSetsSixOrEightChannels)
{
    SenceConfig s;
    s.resetToDefaults(true);
    EXPECT_EQ(s.channelCount, 6);
    EXPECT_EQ(s.outputs[0], 6);
    EXPECT_EQ(s.outputs[6], 0);
    s.resetToDefaults(false);
    EXPECT_EQ(s.channelCount, 8);
    EXPECT_EQ(s.outputs[6], 22);
}

TEST(SenceDefaults, ResetRestoresFactoryValuesButKeepsConstructorOnlyFields)
{
    SenceConfig s;
    s.model = 96;
    s.mainVolume = 30;
    s.source = 5;
    s.linkMode = 1;
    s.linkOutputs[2] = 3;
    s.bridgeOutputs[1] = 1;
    s.inputs[5][2] = 0;
    s.inputMixVolume[5][2][2] = 0;
    s.csmViceSource[0][0] = 3;
    s.channels[4].gain = -12.5f;
    s.channels[4].crossover.hp.setSlope(8);
    s.bands[4][7].eqGain = 5.0f;
    s.compressor[4].ratio = 2.0f;
    s.karaoke[1] = 10;
    s.soloChannel = 4;
    // Set once by the constructor, not by a reset.
    s.noiseGateThreshold = -42.0f;
    s.syncGroup[2] = 3;
    s.karaoke[9] = 7;

    s.resetToDefaults();

    SenceConfig expected;
    expected.noiseGateThreshold = -42.0f;
    expected.syncGroup[2] = 3;
    expected.karaoke[9] = 7;
    EXPECT_TRUE(s == expected);
}

TEST(BandFrequencyTables, ChosenByBandCount)
{
    struct Case {
        int count;
        const int* table;
        std::size_t size;
    };
    const Case cases[] = {
        {1, kOctaveBands, 11},       {11, kOctaveBands, 11},      {12, kHalfOctaveBands, 21},
        {21, kHalfOctaveBands, 21}, {22, kThirdOctaveBands, 31}, {31, kThirdOctaveBands, 31},
    };
    for (const Case& c : cases) {
        const std::span<const int> t = bandFrequenciesFor(c.count);
        EXPECT_EQ(t.data(), c.table) << c.count;
        EXPECT_EQ(t.size(), c.size) << c.count;
    }
}

} // namespace
