#include "DecoderFixture.h"

using namespace dravo;
using namespace dravo::test;

namespace {

using Bytes = std::vector<std::uint8_t>;
using CalibrationReplies = DecoderTest;

TEST_F(CalibrationReplies, StatusReportsCarryTheirValue)
{
    struct Case {
        const char* name;
        Bytes data; // status, channel, -, progress, failure
        bool posts;
        std::int64_t lParam;
    };
    const Case cases[] = {
        {"start test carries progress", {0, 4, 0, 35}, true, 35},
        {"spectrum ready carries the channel", {7, 4, 0, 35}, true, 4},
        {"equalizer ready carries the channel", {8, 9, 0, 60}, true, 9},
        {"done", {10, 0, 0, 100}, true, 100},
        {"failure carries its code", {11, 0, 0, 50, 1}, true, 1},
        {"unknown failure code posts nothing", {11, 0, 0, 50, 9}, false, 0},
        {"failure without its code posts nothing", {11, 0, 0, 50}, false, 0},
        {"unknown status posts nothing", {13, 0, 0, 50}, false, 0},
        {"cut report posts nothing", {0, 4, 0}, false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        posted.clear();
        dsp(DSP_IRC_CTRL, c.data);
        ASSERT_EQ(posted.size(), c.posts ? 1u : 0u);
        if (!c.posts)
            continue;
        EXPECT_EQ(posted[0].target, Target::Calibration);
        EXPECT_EQ(posted[0].message.id, WM_IRC_VALUE);
        EXPECT_EQ(posted[0].message.wParam, c.data[0]);
        EXPECT_EQ(posted[0].message.lParam, c.lParam);
    }
}

TEST_F(CalibrationReplies, FailureIsLoggedByName)
{
    LogCapture log;
    dsp(DSP_IRC_CTRL, {11, 0, 0, 50, 2});
    const std::string text = log.text();
    EXPECT_NE(text.find("DSP_IRC_CTRL Update Status = 0xb, progress = 50\n"), std::string::npos) << text;
    EXPECT_NE(text.find("IRC_RET_TEST_FAIL->IRC_FAIL_NO_SPEAKER\n"), std::string::npos) << text;
}

TEST_F(CalibrationReplies, PerChannelData)
{
    dsp(DSP_IRC_DISTANCE, {10, 12, 1, 25, 2, 50, 3, 0});
    ASSERT_EQ(posted.size(), 2u); // output 12 lies outside
    EXPECT_EQ(posted[0].target, Target::Calibration);
    EXPECT_EQ(posted[0].message.wParam, DSP_IRC_DISTANCE);
    EXPECT_EQ(record<CalibrationFloatRecord>(0).channel, 10);
    EXPECT_FLOAT_EQ(record<CalibrationFloatRecord>(0).value, 1.25f);
    EXPECT_FLOAT_EQ(record<CalibrationFloatRecord>(1).value, 2.5f);

    posted.clear();
    dsp(DSP_IRC_SPK_PHASE, {0, 1, 0xFF, 0x01});
    ASSERT_EQ(posted.size(), 2u);
    EXPECT_EQ(record<CalibrationIntRecord>(0).value, -1);
    EXPECT_EQ(record<CalibrationIntRecord>(1).value, 1);
}

TEST_F(CalibrationReplies, EqualizerAndSpectrumBands)
{
    dsp(DSP_IRC_EQ, {3, 30, 31, 0x03, 0xE8, 1, 50, 15, 5, 0x03, 0xE8, 1, 50, 15, 5});
    ASSERT_EQ(posted.size(), 1u); // band 31 lies outside
    const auto& eq = record<CalibrationBandRecord>(0);
    EXPECT_EQ(eq.channel, 3);
    EXPECT_EQ(eq.band, 30);
    EXPECT_EQ(eq.frequency, 1000);
    EXPECT_FLOAT_EQ(eq.q, 1.5f);
    EXPECT_FLOAT_EQ(eq.gain, -2.5f);

    // The spectrum has 121 points, more than an equaliser has bands.
    posted.clear();
    dsp(DSP_IRC_SPECTRUM, {11, 120, 121, 0x4E, 0x1F, 50, 0xFD, 0xCE, 0, 0, 0, 0, 0});
    ASSERT_EQ(posted.size(), 1u);
    const auto& point = record<SpectrumPointRecord>(0);
    EXPECT_EQ(point.channel, 11);
    EXPECT_EQ(point.band, 120);
    EXPECT_FLOAT_EQ(point.frequency, 19999.5f);
    EXPECT_FLOAT_EQ(point.gain, -3.5f);

    posted.clear();
    dsp(DSP_IRC_SPECTRUM, {12, 0, 0, 0x4E, 0x1F, 50, 0, 0});
    EXPECT_TRUE(posted.empty());
}

} // namespace
