#include "BandFrequencyTables.h"
#include "Log.h"
#include "SenceConfig.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace dravo;

namespace {

// A source output whose every copied and uncopied value differs from the
// destination's factory state.
SenceConfig withDistinctOutput(int from)
{
    SenceConfig s;
    for (int b = 0; b < kBandsPerOutput; ++b)
        s.bands[from][b] = EqBand{-3.0f - b, 2.0f, 100 + b, 0, 1};
    ChannelConfig& ch = s.channels[from];
    ch.crossover.bpType = kPassBand;
    ch.crossover.hp = FilterSection{150, 3, 6, 0};
    ch.crossover.lp = FilterSection{25000, 0, -1, 0};  // stored without the setters
    ch.bypass = 0;
    ch.gain = -20.0f;
    ch.mute = 1;
    ch.delay = 3.0f;
    ch.phase = 1;
    ch.solo = 1;
    return s;
}

TEST(CopyOutputConfig, CopiesBandsCrossoverAndBypassOnly)
{
    SenceConfig s = withDistinctOutput(2);
    const SenceConfig before = s;
    s.copyOutputConfig(2, 9);

    for (int b = 0; b < kBandsPerOutput; ++b) {
        const EqBand& got = s.bands[9][b];
        EXPECT_EQ(got.eqGain, -3.0f - b);
        EXPECT_EQ(got.eqFactor, 2.0f);
        EXPECT_EQ(got.freq, 100 + b);
        EXPECT_EQ(got.enable, 0);
        EXPECT_EQ(got.type, 0) << "band types stay";
    }
    const ChannelConfig& to = s.channels[9];
    EXPECT_EQ(to.crossover.hp, (FilterSection{150, 3, 6, 0}));
    // Through the setters: an unusable frequency, type and slope are mended.
    EXPECT_EQ(to.crossover.lp, (FilterSection{20, 1, 0, 1}));
    EXPECT_EQ(to.crossover.bpType, before.channels[9].crossover.bpType);
    EXPECT_EQ(to.bypass, 0);
    EXPECT_EQ(to.gain, 0.0f);
    EXPECT_EQ(to.mute, 0);
    EXPECT_EQ(to.delay, 0.0f);
    EXPECT_EQ(to.phase, 0);
    EXPECT_EQ(to.solo, 0);
    // The source is untouched.
    EXPECT_TRUE(s.channels[2] == before.channels[2]);
    EXPECT_TRUE(s.bands[2] == before.bands[2]);
}

TEST(CopyOutputConfig, CopiesOnlyTheDestinationsBandCount)
{
    SenceConfig s = withDistinctOutput(0);
    s.channels[1].eqSize = 10;
    s.copyOutputConfig(0, 1);
    for (int b = 0; b < kBandsPerOutput; ++b)
        EXPECT_EQ(s.bands[1][b].freq, b < 10 ? 100 + b : kThirdOctaveBands[b]) << b;
}

TEST(CopyOutputConfig, BandCountBeyondTheRowIsHeldToTheRow)
{
    SenceConfig s = withDistinctOutput(0);
    s.channels[11].eqSize = 500;  // as a damaged profile could leave it
    s.copyOutputConfig(0, 11);
    EXPECT_EQ(s.bands[11][30].freq, 130);
    EXPECT_EQ(s.eqSizeOf(11), kBandsPerOutput);
}

TEST(CopyOutputConfig, OutputsOutsideTheRangeChangeNothing)
{
    SenceConfig s = withDistinctOutput(0);
    const SenceConfig before = s;
    s.copyOutputConfig(0, 12);
    s.copyOutputConfig(-1, 3);
    s.copyMixConfig(12, 0);
    s.clearMixConfig(12);
    EXPECT_TRUE(s == before);
}

TEST(MixConfig, CopyAndClearOneOutputForEverySource)
{
    SenceConfig s;
    for (int src = 0; src < kSourceCount; ++src) {
        s.inputs[src][3] = 0x80 | src;
        for (int n = 0; n < kInputsPerSource; ++n)
            s.inputMixVolume[src][n][3] = 10 * n + src;
    }
    const SenceConfig before = s;
    s.copyMixConfig(3, 7);
    for (int src = 0; src < kSourceCount; ++src) {
        EXPECT_EQ(s.inputs[src][7], 0x80 | src);
        for (int n = 0; n < kInputsPerSource; ++n)
            EXPECT_EQ(s.inputMixVolume[src][n][7], 10 * n + src);
    }
    s.clearMixConfig(3);
    for (int src = 0; src < kSourceCount; ++src) {
        EXPECT_EQ(s.inputs[src][3], 0);
        EXPECT_EQ(s.inputs[src][2], before.inputs[src][2]);
        for (int n = 0; n < kInputsPerSource; ++n) {
            EXPECT_EQ(s.inputMixVolume[src][n][3], 0);
            EXPECT_EQ(s.inputMixVolume[src][n][4], before.inputMixVolume[src][n][4]);
        }
    }
}

TEST(BandsOf, GivesTheRowOrNothing)
{
    SenceConfig s;
    ASSERT_NE(s.bandsOf(11), nullptr);
    EXPECT_EQ(s.bandsOf(11), &s.bands[11]);
    EXPECT_EQ(s.bandsOf(12), nullptr);
    EXPECT_EQ(s.bandsOf(-1), nullptr);
    const SenceConfig& cs = s;
    EXPECT_EQ(cs.bandsOf(12), nullptr);
    EXPECT_EQ(s.eqSizeOf(12), 0);
    s.channels[4].eqSize = -3;
    EXPECT_EQ(s.eqSizeOf(4), 0);
}

TEST(ResetBands, FirstNBandsTakeTheTableForN)
{
    struct Case {
        int n;
        const int* table;
    };
    const Case cases[] = {{5, kOctaveBands}, {15, kHalfOctaveBands}, {31, kThirdOctaveBands}};
    for (const Case& c : cases) {
        BandRow row;
        row.fill(EqBand{4.0f, 1.0f, 7, 0, 2});
        resetBands(row, c.n);
        for (int i = 0; i < kBandsPerOutput; ++i) {
            if (i < c.n)
                EXPECT_EQ(row[i], (EqBand{0.0f, 5.8f, c.table[i], 1, 0})) << c.n << "/" << i;
            else
                EXPECT_EQ(row[i], (EqBand{4.0f, 1.0f, 7, 0, 2})) << c.n << "/" << i;
        }
    }
    BandRow row;
    resetBands(row, 99);  // held to the row
    EXPECT_EQ(row[30].freq, 20000);
}

TEST(SenceCopy, CopiesShareNothing)
{
    SenceConfig original;
    SenceConfig copy = original;
    copy.bands[3][4].eqGain = 6.0f;
    copy.channels[3].crossover.hp.setSlope(6);
    copy.inputMixVolume[5][7][11] = 42;
    copy.customEq.bands[2].freq = 999;
    copy.eqSizes[0] = 11;

    EXPECT_EQ(original.bands[3][4].eqGain, 0.0f);
    EXPECT_EQ(original.channels[3].crossover.hp.slope, 2);  // role 8's default
    EXPECT_EQ(original.inputMixVolume[5][7][11], 0);
    EXPECT_EQ(original.customEq.bands[2].freq, 20);
    EXPECT_EQ(original.eqSizes[0], 31);

    SenceConfig assigned;
    assigned = copy;
    EXPECT_TRUE(assigned == copy);
    assigned.bands[3][4].eqGain = -1.0f;
    EXPECT_EQ(copy.bands[3][4].eqGain, 6.0f);
    // The copy's rows are its own.
    EXPECT_EQ(assigned.bandsOf(3), &assigned.bands[3]);
}

TEST(SenceLog, OperationsLogTheirLines)
{
    const auto path = std::filesystem::temp_directory_path() / "model_tests_save.log";
    ASSERT_TRUE(LogOpen(path));
    LogSetTimestamps(false);
    SenceConfig s;
    s.copyOutputConfig(1, 2);
    s.copyMixConfig(3, 4);
    s.clearMixConfig(5);
    s.mix2monitorChIdxs();
    LogShutdown();
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    const std::string log = text.str();
    EXPECT_NE(log.find("copy out config from 1 to 2\n"), std::string::npos);
    EXPECT_NE(log.find("copy mix config from 3 to 4\n"), std::string::npos);
    EXPECT_NE(log.find("clear mix config of 5\n"), std::string::npos);
    EXPECT_NE(log.find("mix2monitorChIdxs 0\n"), std::string::npos);
    std::filesystem::remove(path);
}

} // namespace
