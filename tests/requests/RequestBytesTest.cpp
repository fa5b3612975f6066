// The data bytes of the requests, byte for byte, and the cut that keeps a
// request inside its 57 bytes.
#include "CommandCodes.h"
#include "RecordingRequests.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <numeric>
#include <vector>

using namespace dravo;
using namespace dravo::test;

namespace {

using Bytes = std::vector<std::uint8_t>;

struct BytesCase {
    const char* name;
    std::function<void(RecordingRequests&)> call;
    Bytes expected;
};

Bytes sceneName(const char* text)
{
    Bytes name(16, 0);
    for (std::size_t i = 0; text[i] != '\0'; ++i)
        name[i] = static_cast<std::uint8_t>(text[i]);
    return name;
}

const std::vector<BytesCase> kCases = {
    // Levels -3.5, 0 and -12.25 dB are sent as attenuations 3.50, 0.00, 12.25.
    {"Trim_Ctrl ch 2..4",
     [](auto& r) {
         r.Trim_Ctrl(0, 0, 2, 4, std::array{3.5f, 0.0f, 12.25f}, false);
     },
     {0x00, 0x00, 0x02, 0x04, 0x03, 0x32, 0x00, 0x00, 0x0C, 0x19}},
    {"Delay_Ctrl 1.5 ms",
     [](auto& r) { r.Delay_Ctrl(0, 0, 0, 0, std::array{1.5f}, false); },
     {0x00, 0x00, 0x00, 0x00, 0x01, 0x01, 0xF4}},
    {"Delay_Ctrl 14.999 ms in scene 2",
     [](auto& r) { r.Delay_Ctrl(2, 0, 11, 11, std::array{14.999f}, false); },
     {0x02, 0x00, 0x0B, 0x0B, 0x0E, 0x03, 0xE7}},
    {"EQ_Ctrl 1000 Hz Q 1.414 -3 dB type 1",
     [](auto& r) { r.EQ_Ctrl(0, 0, 3, 5, 1000, 1.414f, -3.0f, 1, false); },
     {0x00, 0x00, 0x03, 0x05, 0x03, 0xE8, 0x01, 0x01, 0x9E, 0x2F, 0x00}},
    {"EQ_Ctrl top of the ranges",
     [](auto& r) { r.EQ_Ctrl(0, 0, 0, 30, 20000, 28.852f, 12.5f, 0, false); },
     {0x00, 0x00, 0x00, 0x1E, 0x4E, 0x20, 0x1C, 0x03, 0x54, 0x1E, 0x05}},
    {"last below first: header only",
     [](auto& r) { r.Mute_Ch_Ctrl(1, 0, 5, 4, std::array{1}, false); },
     {0x01, 0x00, 0x05, 0x04}},
    {"Mix_Ch_Ctrl low byte of the mask",
     [](auto& r) {
         r.Mix_Ch_Ctrl(0, 5, 0, 1, std::array{0x103, 0x0C}, false);
     },
     {0x00, 0x05, 0x00, 0x01, 0x03, 0x0C}},
    {"CH_Type_Ctrl roles",
     [](auto& r) {
         r.CH_Type_Ctrl(0, 0, 10, 11, std::array{22, 23}, false);
     },
     {0x00, 0x00, 0x0A, 0x0B, 0x16, 0x17}},
    {"Input_Phase_Ctrl inputs",
     [](auto& r) { r.Input_Phase_Ctrl(0, 5, 3, 3, std::array{1}, false); },
     {0x00, 0x05, 0x03, 0x03, 0x01}},
    {"Compressor_Ctrl threshold -20.5 dB",
     [](auto& r) { r.Compressor_Ctrl(1, 0, 2, 0, -20.5f, 4.5f, 6.0f, 10, 300, false); },
     {0x01, 0x00, 0x02, 0x00, 79, 5, 0x04, 0x05, 0x06, 0x00, 0x00, 0x0A, 0x01, 0x2C}},
    {"Compressor_Ctrl2 negative threshold, release in seconds",
     [](auto& r) {
         r.Compressor_Ctrl2(0, 0, 3, 3, std::array{CompressorSetting2{-12.5f, 20, 1500}}, false);
     },
     {0x00, 0x00, 0x03, 0x03, 0xF4, 0xFB, 0x00, 0x14, 0x01, 0x05}},
    {"Compressor_Ctrl2 release 700 ms is 0.7 s",
     [](auto& r) {
         r.Compressor_Ctrl2(0, 0, 0, 0, std::array{CompressorSetting2{0.0f, 0x12345, 700}}, false);
     },
     {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x23, 0x45, 0x00, 0x07}},
    {"Filter_Ctrl high-pass is section 2",
     [](auto& r) { r.Filter_Ctrl(0, 0, 3, CrossoverSection::HighPass, 2, 80, 4, false); },
     {0x00, 0x00, 0x03, 0x02, 0x02, 0x00, 0x50, 0x04}},
    {"Filter_Ctrl low-pass is section 1",
     [](auto& r) { r.Filter_Ctrl(4, 0, 0, CrossoverSection::LowPass, 1, 20000, 0, false); },
     {0x04, 0x00, 0x00, 0x01, 0x01, 0x4E, 0x20, 0x00}},
    {"Input_Mix_Trim_Ctrl",
     [](auto& r) {
         r.Input_Mix_Trim_Ctrl(0, 5, 2, 0, 2, std::array{100, 75, 0}, false);
     },
     {0x00, 0x05, 0x02, 0x00, 0x02, 0x64, 0x4B, 0x00}},
    {"CH_Link_Ctrl two pairs",
     [](auto& r) {
         r.CH_Link_Ctrl(0, 1, std::array{ChannelLinkPair{0, 1}, ChannelLinkPair{2, 3}}, false);
     },
     {0x00, 0x01, 0x02, 0x00, 0x01, 0x02, 0x03}},
    {"CH_Link_Ctrl off, no pairs", [](auto& r) { r.CH_Link_Ctrl(0, 0, {}, false); }, {0x00, 0x00, 0x00}},
    {"PEQ_Reset_Ctrl output and partner",
     [](auto& r) {
         r.PEQ_Reset_Ctrl(0, 0, std::array{4, 5}, false);
     },
     {0x00, 0x00, 0x02, 0x04, 0x05}},
    {"Output_Bridge_Ctrl six pairs",
     [](auto& r) {
         r.Output_Bridge_Ctrl(0, 0, std::array{1, 0, 0, 0, 0, 1}, false);
     },
     {0x00, 0x00, 0x06, 0x01, 0x00, 0x00, 0x00, 0x00, 0x01}},
    {"Set_MemData little-endian",
     [](auto& r) { r.Set_MemData(0x12345678u, 0xAABBCCDDu, false); },
     {0x78, 0x56, 0x34, 0x12, 0xDD, 0xCC, 0xBB, 0xAA}},
    {"Get_MemData", [](auto& r) { r.Get_MemData(0x12345678u); }, {0x78, 0x56, 0x34, 0x12, 0, 0, 0, 0}},
    {"Cross_Source_Mix_Ctrl",
     [](auto& r) { r.Cross_Source_Mix_Ctrl(0, 5, 1, 2, 0, 30, false); },
     {0x00, 0x05, 0x01, 0x02, 0x00, 0x1E}},
    {"Cross_Source_Mix_Ctrl_CS47048 channel last",
     [](auto& r) { r.Cross_Source_Mix_Ctrl_CS47048(0, 5, 2, 0, 1, false); },
     {0x00, 0x05, 0x02, 0x00, 0x01}},
    {"Get_Cross_Source_Mix", [](auto& r) { r.Get_Cross_Source_Mix(1, 5, 3); }, {0x01, 0x05, 0x03, 0, 0, 0}},
    {"Get_Cross_Source_Mix_CS47048",
     [](auto& r) { r.Get_Cross_Source_Mix_CS47048(1, 5, 3); },
     {0x01, 0x05, 0, 0, 0x03}},
    {"Get_EQ last block", [](auto& r) { r.Get_EQ(2, 0, 11, 28, 30); }, {0x02, 0x00, 0x0B, 0x1C, 0x1E}},
    {"Get_Input_Mix_CH_Trim", [](auto& r) { r.Get_Input_Mix_CH_Trim(0, 5, 7, 0, 11); }, {0x00, 0x05, 0x07, 0x00, 0x0B}},
    {"Get_Input_Noise", [](auto& r) { r.Get_Input_Noise(0, 7, false); }, {0x00, 0x07}},
    {"Get_Ouput_Bridge", [](auto& r) { r.Get_Ouput_Bridge(0, 0, 6); }, {0x00, 0x00, 0x06}},
    {"Get_Source has no data", [](auto& r) { r.Get_Source(); }, {}},
    {"Main_Volume_Ctrl truncates", [](auto& r) { r.Main_Volume_Ctrl(12.9f, false); }, {0x0C}},
    {"Source_Switch_Ctrl device code", [](auto& r) { r.Source_Switch_Ctrl(0x56, false); }, {0x56}},
    {"Input_Ch_Threshold_Ctrl signed", [](auto& r) { r.Input_Ch_Threshold_Ctrl(-60, false); }, {0xC4}},
    {"Rem_Out_Ctrl", [](auto& r) { r.Rem_Out_Ctrl(1, 0, false); }, {0x01, 0x00}},
    {"Noise_Gate_Drc_Gain_Ctrl(60) limited to 48",
     [](auto& r) { r.Noise_Gate_Drc_Gain_Ctrl(60, false); },
     {0x00, 0x30}},
    {"Noise_Gate_Drc_Gain_Ctrl(17)", [](auto& r) { r.Noise_Gate_Drc_Gain_Ctrl(17, false); }, {0x00, 0x11}},
    {"Noise_Gate_Drc_Gain_Ctrl(-1) kept at 0", [](auto& r) { r.Noise_Gate_Drc_Gain_Ctrl(-1, false); }, {0x00, 0x00}},
    {"Noise_Gate_Threshold_Ctrl(40) limited to 31",
     [](auto& r) { r.Noise_Gate_Threshold_Ctrl(40, false); },
     {0x00, 0x1F}},
    {"Noise_Gate_Threshold_Ctrl(-3) kept at 0", [](auto& r) { r.Noise_Gate_Threshold_Ctrl(-3, false); }, {0x00, 0x00}},
    {"IRC_Ctrl mask big-endian", [](auto& r) { r.IRC_Ctrl(1, 0x0FFF, 2, true); }, {0x01, 0x0F, 0xFF, 0x02}},
    {"Set_Power_Off_Time big-endian", [](auto& r) { r.Set_Power_Off_Time(3000, false); }, {0x0B, 0xB8}},
    {"Set_Acc", [](auto& r) { r.Set_Acc(5, false); }, {0x05}},
    {"KTV echo delay in two bytes", [](auto& r) { r.KTV_Ctrl(KTV_ECHO_DELAY, 300, false); }, {0x01, 0x2C}},
    {"KTV bass signed", [](auto& r) { r.KTV_Ctrl(KTV_BASS_GAIN, -3, false); }, {0xFD}},
    {"KTV mic volume", [](auto& r) { r.KTV_Ctrl(KTV_MIC_VOL, 60, false); }, {0x3C}},
    {"SaveScene", [](auto& r) { r.SaveScene(3, 1); }, {0x03, 0x01}},
    {"ReadScene into its record", [](auto& r) { r.ReadScene(3, 255); }, {0x03, 0xFF}},
    {"DeleteScene", [](auto& r) { r.DeleteScene(10); }, {0x0A}},
    {"Get_Scene_Name", [](auto& r) { r.Get_Scene_Name(7); }, {0x07}},
    {"PC_Connect leaving", [](auto& r) { r.PC_Connect(0); }, {0x00}},
    {"Hand_Connect has no data", [](auto& r) { r.Hand_Connect(); }, {}},
};

TEST(RequestBytes, DataIsByteExact)
{
    for (const BytesCase& c : kCases) {
        RecordingRequests r;
        c.call(r);
        ASSERT_EQ(r.sent.size(), 1u) << c.name;
        EXPECT_EQ(r.sent[0].data(), c.expected) << c.name;
    }
}

TEST(RequestBytes, SceneNameIsLengthThenText)
{
    RecordingRequests r;
    const Bytes name = sceneName("Live");
    r.SetSceneName(3, name);
    Bytes expected{0x03, 0x10};
    expected.insert(expected.end(), name.begin(), name.end());
    ASSERT_EQ(r.sent.size(), 1u);
    EXPECT_EQ(r.sent[0].data(), expected);
}

TEST(RequestBytes, ChannelLevelBlockIsCopiedUnchanged)
{
    std::array<std::uint8_t, kCsAutoSettingSize> block{};
    std::iota(block.begin(), block.end(), std::uint8_t{1});
    RecordingRequests r;
    r.CS_Auto_Setting_Ctrl(block, false);
    ASSERT_EQ(r.sent.size(), 1u);
    EXPECT_EQ(r.sent[0].data(), Bytes(block.begin(), block.end()));
}

// What a caller asks for that cannot be carried is cut, and the count or
// range byte says what was actually carried.
struct CutCase {
    const char* name;
    std::function<void(RecordingRequests&)> call;
    std::size_t expectedLen;
    std::size_t countIndex; // byte that names the carried range end or count
    std::uint8_t expectedCount;
};

const std::array<CompressorSetting2, 12> kTwelveCompressors{};
const std::array<float, 2> kTwoLevels{1.0f, 2.0f};
const std::vector<ChannelLinkPair> kFortyPairs(40, ChannelLinkPair{0, 1});
const std::vector<int> kSixtyChannels(60, 1);
const std::vector<std::uint8_t> kLongName(30, 'x');

const std::vector<CutCase> kCuts = {
    {"Compressor_Ctrl2 for all 12 outputs carries 8",
     [](auto& r) { r.Compressor_Ctrl2(0, 0, 0, 11, kTwelveCompressors, false); }, 4 + 8 * 6, 3, 7},
    {"Compressor_Ctrl2 from output 4", [](auto& r) { r.Compressor_Ctrl2(0, 0, 4, 11, kTwelveCompressors, false); },
     4 + 8 * 6, 3, 11},
    {"Trim_Ctrl with fewer values than channels", [](auto& r) { r.Trim_Ctrl(0, 0, 0, 11, kTwoLevels, false); },
     4 + 2 * 2, 3, 1},
    {"Input_Mix_Trim_Ctrl over 60 outputs",
     [](auto& r) { r.Input_Mix_Trim_Ctrl(0, 0, 0, 0, 59, kSixtyChannels, false); }, 57, 4, 51},
    {"CH_Link_Ctrl with 40 pairs", [](auto& r) { r.CH_Link_Ctrl(0, 1, kFortyPairs, false); }, 3 + 27 * 2, 2, 27},
    {"PEQ_Reset_Ctrl with 60 channels", [](auto& r) { r.PEQ_Reset_Ctrl(0, 0, kSixtyChannels, false); }, 57, 2, 54},
    {"Output_Bridge_Ctrl with 60 flags", [](auto& r) { r.Output_Bridge_Ctrl(0, 0, kSixtyChannels, false); }, 57, 2, 54},
    {"SetSceneName longer than the slot", [](auto& r) { r.SetSceneName(1, kLongName); }, 2 + 16, 1, 16},
};

TEST(RequestBytes, OverlongContentIsCutToWhatFits)
{
    for (const CutCase& c : kCuts) {
        RecordingRequests r;
        c.call(r);
        ASSERT_EQ(r.sent.size(), 1u) << c.name;
        EXPECT_EQ(r.sent[0].request.len, c.expectedLen) << c.name;
        EXPECT_EQ(r.sent[0].request.data[c.countIndex], c.expectedCount) << c.name;
    }
}

TEST(RequestBytes, RangeWithoutAnyValueIsNotSent)
{
    RecordingRequests r;
    r.Trim_Ctrl(0, 0, 0, 5, {}, false);
    r.Mute_Ch_Ctrl(0, 0, 3, 3, {}, true);
    EXPECT_TRUE(r.sent.empty());
}

} // namespace
