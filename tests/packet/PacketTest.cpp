#include "CommandCodes.h"
#include "Packet.h"

#include <gtest/gtest.h>

#include <vector>

using namespace dravo;

namespace {

struct FramingCase {
    const char* what;
    std::uint8_t cmd, sub, op;
    std::vector<std::uint8_t> data;
    std::vector<std::uint8_t> expected; // report bytes from byte 0 on; the rest must be 0
};

class Framing : public testing::TestWithParam<FramingCase> {};

TEST_P(Framing, ReportIsByteExact)
{
    const FramingCase& c = GetParam();
    const OutputReport report = buildOutputReport(c.cmd, c.sub, c.op, c.data.data(), c.data.size());
    for (std::size_t i = 0; i < report.size(); ++i) {
        const std::uint8_t want = i < c.expected.size() ? c.expected[i] : 0;
        ASSERT_EQ(report[i], want) << c.what << " byte " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, Framing,
    testing::Values(
        FramingCase{"main volume query", CMD_DSP, DSP_VOLUME, OP_GET, {},
                    {0x00, 0xAA, 0x55, 0x03, 0x01, 0x02, 0x66, 0x94}},
        FramingCase{"handshake", CMD_MCU, MCU_HANDSHAKE, OP_SET, {},
                    {0x00, 0xAA, 0x55, 0x03, 0x03, 0x08, 0xBB, 0x37}},
        FramingCase{"pc disconnect", CMD_MCU, MCU_PC_CONNECT, OP_SET, {0x00},
                    {0x00, 0xAA, 0x55, 0x04, 0x03, 0x1F, 0xBB, 0x00, 0x1F}}),
    [](const testing::TestParamInfo<FramingCase>& info) { return "Case" + std::to_string(info.index); });

TEST(Framing, SumFromLengthThroughChecksumIsZero)
{
    std::vector<std::uint8_t> data(kMaxRequestData);
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<std::uint8_t>(i * 37 + 11);
    const OutputReport r = buildOutputReport(CMD_DSP, DSP_EQ_CH, OP_SET, data.data(), data.size());
    std::uint8_t sum = 0;
    for (std::size_t i = 3; i <= 7 + data.size(); ++i)
        sum = static_cast<std::uint8_t>(sum + r[i]);
    EXPECT_EQ(sum, 0);
    EXPECT_EQ(r[3], kMaxRequestData + 3);
}

TEST(Framing, OverlongDataIsCutNotOverrun)
{
    std::vector<std::uint8_t> data(80, 0x11);
    const OutputReport r = buildOutputReport(CMD_DSP, DSP_EQ_CH, OP_SET, data.data(), data.size());
    EXPECT_EQ(r[3], kMaxRequestData + 3);
}

TEST(CommandNames, TableMatchesLogNames)
{
    EXPECT_EQ(dspSubCommandName(0x02), "DSP_VOLUME");
    EXPECT_EQ(dspSubCommandName(0x4D), "DSP_CROSS_SOURCE_MIX_CS47048");
    EXPECT_EQ(dspSubCommandName(0x83), "DSP_MIX_TYPE2");
    EXPECT_EQ(dspSubCommandName(0x1F), "");
    EXPECT_EQ(dspSubCommandName(0x4E), ""); // named, but the logs print the number past 0x4D
    EXPECT_EQ(kDspSubCommandNames[0x50], "DSP_NOISE_GATE_THRESHOLD");
}

} // namespace
