// Every operation's code triple, the hook it goes through and how long it
// waits for its answer: a wrong sub-command or op type would make the device
// apply a value to the wrong setting, or not answer at all.
#include "CommandCodes.h"
#include "RecordingRequests.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>

using namespace dravo;
using namespace dravo::test;

namespace {

constexpr std::array<float, 1> kOneFloat{1.0f};
constexpr std::array<int, 1> kOneInt{1};
constexpr std::array<CompressorSetting2, 1> kOneCompressor{{{-10.0f, 5, 1000}}};
constexpr std::array<ChannelLinkPair, 1> kOnePair{{{0, 1}}};
constexpr std::array<std::uint8_t, kCsAutoSettingSize> kCsBlock{};
constexpr std::array<std::uint8_t, 16> kName{'a', 'b'};

// Setters: submit, with the caller's `immediate`, 10000 ms.
struct SetterCase {
    const char* name;
    std::function<void(RecordingRequests&, bool)> call;
    std::uint8_t cmd, sub;
};

// Everything else: sent at once with op type `op`.
struct DirectCase {
    const char* name;
    std::function<bool(RecordingRequests&)> call;
    std::uint8_t cmd, sub, op;
    Hook hook;
    std::uint32_t timeoutMs;
};

const std::vector<SetterCase> kSetters = {
    {"Trim_Ctrl", [](auto& r, bool i) { r.Trim_Ctrl(0, 0, 0, 0, kOneFloat, i); }, CMD_DSP, 0x08},
    {"Delay_Ctrl", [](auto& r, bool i) { r.Delay_Ctrl(0, 0, 0, 0, kOneFloat, i); }, CMD_DSP, 0x07},
    {"Mute_Ch_Ctrl", [](auto& r, bool i) { r.Mute_Ch_Ctrl(0, 0, 0, 0, kOneInt, i); }, CMD_DSP, 0x09},
    {"Phase_Ctrl", [](auto& r, bool i) { r.Phase_Ctrl(0, 0, 0, 0, kOneInt, i); }, CMD_DSP, 0x0A},
    {"Solo_Ctrl", [](auto& r, bool i) { r.Solo_Ctrl(0, 0, 0, 0, kOneInt, i); }, CMD_DSP, 0x34},
    {"PEQ_Bypass_Ctrl", [](auto& r, bool i) { r.PEQ_Bypass_Ctrl(0, 0, 0, 0, kOneInt, i); }, CMD_DSP, 0x12},
    {"CH_Type_Ctrl", [](auto& r, bool i) { r.CH_Type_Ctrl(0, 0, 0, 0, kOneInt, i); }, CMD_DSP, 0x0D},
    {"Compressor_Ch_Ctrl", [](auto& r, bool i) { r.Compressor_Ch_Ctrl(0, 0, 0, 0, kOneInt, i); }, CMD_DSP, 0x49},
    {"Mix_Ch_Ctrl", [](auto& r, bool i) { r.Mix_Ch_Ctrl(0, 0, 0, 0, kOneInt, i); }, CMD_DSP, 0x0B},
    {"Compressor_Ctrl2", [](auto& r, bool i) { r.Compressor_Ctrl2(0, 0, 0, 0, kOneCompressor, i); }, CMD_DSP, 0x4A},
    {"Input_Phase_Ctrl", [](auto& r, bool i) { r.Input_Phase_Ctrl(0, 0, 0, 0, kOneInt, i); }, CMD_DSP, 0x22},
    {"Source_Switch_Ctrl", [](auto& r, bool i) { r.Source_Switch_Ctrl(0x51, i); }, CMD_DSP, 0x01},
    {"Main_Volume_Ctrl", [](auto& r, bool i) { r.Main_Volume_Ctrl(10.0f, i); }, CMD_DSP, 0x02},
    {"Mute_Ctrl", [](auto& r, bool i) { r.Mute_Ctrl(1, i); }, CMD_DSP, 0x04},
    {"Filter_Ctrl", [](auto& r, bool i) { r.Filter_Ctrl(0, 0, 0, CrossoverSection::HighPass, 2, 80, 4, i); }, CMD_DSP,
     0x05},
    {"EQ_Ctrl", [](auto& r, bool i) { r.EQ_Ctrl(0, 0, 0, 0, 1000, 1.0f, 0.0f, 0, i); }, CMD_DSP, 0x06},
    {"CH_Link_Ctrl", [](auto& r, bool i) { r.CH_Link_Ctrl(0, 1, kOnePair, i); }, CMD_DSP, 0x0E},
    {"CH_Lock_Ctrl", [](auto& r, bool i) { r.CH_Lock_Ctrl(0, 1, i); }, CMD_DSP, 0x0F},
    {"PEQ_Reset_Ctrl", [](auto& r, bool i) { r.PEQ_Reset_Ctrl(0, 0, kOneInt, i); }, CMD_DSP, 0x11},
    {"Input_Mix_Trim_Ctrl", [](auto& r, bool i) { r.Input_Mix_Trim_Ctrl(0, 0, 0, 0, 0, kOneInt, i); }, CMD_DSP, 0x24},
    {"Input_Ch_Threshold_Ctrl", [](auto& r, bool i) { r.Input_Ch_Threshold_Ctrl(-60, i); }, CMD_DSP, 0x26},
    {"Auto_On_Ctrl", [](auto& r, bool i) { r.Auto_On_Ctrl(0, 1, i); }, CMD_DSP, 0x3B},
    {"IRC_Active_Bypass_Ctrl", [](auto& r, bool i) { r.IRC_Active_Bypass_Ctrl(0, 1, i); }, CMD_DSP, 0x3C},
    {"CS_Auto_Setting_Ctrl", [](auto& r, bool i) { r.CS_Auto_Setting_Ctrl(kCsBlock, i); }, CMD_DSP, 0x3D},
    {"Compressor_Ctrl", [](auto& r, bool i) { r.Compressor_Ctrl(0, 0, 0, 1, -20.0f, 4.0f, 6.0f, 10, 100, i); }, CMD_DSP,
     0x3E},
    {"Amp_Mute_Ctrl", [](auto& r, bool i) { r.Amp_Mute_Ctrl(1, i); }, CMD_DSP, 0x3F},
    {"Set_MemData", [](auto& r, bool i) { r.Set_MemData(1, 2, i); }, CMD_DSP, 0x42},
    {"Rem_Out_Ctrl", [](auto& r, bool i) { r.Rem_Out_Ctrl(1, 0, i); }, CMD_DSP, 0x45},
    {"Cross_Source_Mix_Ctrl", [](auto& r, bool i) { r.Cross_Source_Mix_Ctrl(0, 0, 0, 9, 0, 32, i); }, CMD_DSP, 0x47},
    {"Spk_Ohm_Ctrl", [](auto& r, bool i) { r.Spk_Ohm_Ctrl(1, i); }, CMD_DSP, 0x4B},
    {"Output_Bridge_Ctrl", [](auto& r, bool i) { r.Output_Bridge_Ctrl(0, 0, kOneInt, i); }, CMD_DSP, 0x4C},
    {"Cross_Source_Mix_Ctrl_CS47048", [](auto& r, bool i) { r.Cross_Source_Mix_Ctrl_CS47048(0, 0, 9, 0, 0, i); },
     CMD_DSP, 0x4D},
    {"Noise_Gate_Ctrl", [](auto& r, bool i) { r.Noise_Gate_Ctrl(1, i); }, CMD_DSP, 0x4E},
    {"Noise_Gate_Drc_Gain_Ctrl", [](auto& r, bool i) { r.Noise_Gate_Drc_Gain_Ctrl(1, i); }, CMD_DSP, 0x4F},
    {"Noise_Gate_Threshold_Ctrl", [](auto& r, bool i) { r.Noise_Gate_Threshold_Ctrl(1, i); }, CMD_DSP, 0x50},
    {"IRC_Ctrl", [](auto& r, bool i) { r.IRC_Ctrl(1, 0x0FFF, 0, i); }, CMD_DSP, 0x13},
    {"IRC_Sel_Test_Module", [](auto& r, bool i) { r.IRC_Sel_Test_Module(1, i); }, CMD_DSP, 0x1E},
    {"Set_Power_Off_Time", [](auto& r, bool i) { r.Set_Power_Off_Time(3000, i); }, CMD_MCU, 0x91},
    {"Set_Acc", [](auto& r, bool i) { r.Set_Acc(5, i); }, CMD_MCU, 0x92},
    {"Set_Usb_Power_Pin", [](auto& r, bool i) { r.Set_Usb_Power_Pin(1, i); }, CMD_MCU, 0x95},
    {"KTV_Ctrl mic", [](auto& r, bool i) { r.KTV_Ctrl(1, 60, i); }, CMD_KTV, 1},
    {"KTV_Ctrl treble", [](auto& r, bool i) { r.KTV_Ctrl(10, -3, i); }, CMD_KTV, 10},
};

constexpr std::uint8_t GET = OP_GET;
constexpr std::uint8_t SET = OP_SET;
constexpr Hook READ = Hook::SendAndRead;

const std::vector<DirectCase> kDirect = {
    {"Get_Source", [](auto& r) { return r.Get_Source(); }, CMD_DSP, 0x01, GET, READ, 10000},
    {"Get_Main_Volume", [](auto& r) { return r.Get_Main_Volume(); }, CMD_DSP, 0x02, GET, READ, 10000},
    {"Get_Subwoofer_Volume", [](auto& r) { return r.Get_Subwoofer_Volume(); }, CMD_DSP, 0x03, GET, READ, 10000},
    {"Get_Mute", [](auto& r) { return r.Get_Mute(); }, CMD_DSP, 0x04, GET, READ, 10000},
    {"Get_Filter", [](auto& r) { return r.Get_Filter(0, 0, 0, 3); }, CMD_DSP, 0x05, GET, READ, 10000},
    {"Get_EQ", [](auto& r) { return r.Get_EQ(0, 0, 0, 0, 6); }, CMD_DSP, 0x06, GET, READ, 10000},
    {"Get_Delay", [](auto& r) { return r.Get_Delay(0, 0, 0, 11); }, CMD_DSP, 0x07, GET, READ, 10000},
    {"Get_Trim", [](auto& r) { return r.Get_Trim(0, 0, 0, 11); }, CMD_DSP, 0x08, GET, READ, 10000},
    {"Get_Mute_Ch", [](auto& r) { return r.Get_Mute_Ch(0, 0, 0, 11); }, CMD_DSP, 0x09, GET, READ, 10000},
    {"Get_Phase", [](auto& r) { return r.Get_Phase(0, 0, 0, 11); }, CMD_DSP, 0x0A, GET, READ, 10000},
    {"Get_Mix_Ch", [](auto& r) { return r.Get_Mix_Ch(0, 0, 0, 11); }, CMD_DSP, 0x0B, GET, READ, 10000},
    {"Get_CH_Type", [](auto& r) { return r.Get_CH_Type(0, 0, 0, 11); }, CMD_DSP, 0x0D, GET, READ, 10000},
    {"Get_CH_Link", [](auto& r) { return r.Get_CH_Link(0); }, CMD_DSP, 0x0E, GET, READ, 10000},
    {"Get_CH_Lock", [](auto& r) { return r.Get_CH_Lock(0); }, CMD_DSP, 0x0F, GET, READ, 10000},
    {"Get_PEQ_Bypass", [](auto& r) { return r.Get_PEQ_Bypass(0, 0, 0, 11); }, CMD_DSP, 0x12, GET, READ, 10000},
    {"Get_Input_Mix_CH_Trim", [](auto& r) { return r.Get_Input_Mix_CH_Trim(0, 5, 1, 0, 11); }, CMD_DSP, 0x24, GET, READ,
     10000},
    {"Get_Input_Threshold", [](auto& r) { return r.Get_Input_Threshold(0, 0, true); }, CMD_DSP, 0x26, GET, READ, 10000},
    {"Get_Input_Noise", [](auto& r) { return r.Get_Input_Noise(0, 1, true); }, CMD_DSP, 0x27, GET, READ, 10000},
    {"Get_Ch_Solo", [](auto& r) { return r.Get_Ch_Solo(0, 0, 0, 11); }, CMD_DSP, 0x34, GET, READ, 10000},
    {"Get_Speaker_Config", [](auto& r) { return r.Get_Speaker_Config(); }, CMD_DSP, 0x35, GET, READ, 10000},
    {"Get_AUTO_ON", [](auto& r) { return r.Get_AUTO_ON(); }, CMD_DSP, 0x3B, GET, READ, 10000},
    {"Get_Compressor", [](auto& r) { return r.Get_Compressor(0, 0, 0, 11); }, CMD_DSP, 0x3E, GET, READ, 10000},
    {"Get_Amp_Mute", [](auto& r) { return r.Get_Amp_Mute(); }, CMD_DSP, 0x3F, GET, READ, 10000},
    {"Get_InDistort", [](auto& r) { return r.Get_InDistort(0, 0, 0, 1); }, CMD_DSP, 0x40, GET, READ, 10000},
    {"Get_OutDistort", [](auto& r) { return r.Get_OutDistort(0, 0, 0, 11); }, CMD_DSP, 0x41, GET, READ, 10000},
    {"Get_MemData", [](auto& r) { return r.Get_MemData(0x100); }, CMD_DSP, 0x42, GET, READ, 10000},
    {"Get_Rem_Out", [](auto& r) { return r.Get_Rem_Out(); }, CMD_DSP, 0x45, GET, READ, 10000},
    {"Get_Cross_Source_Mix", [](auto& r) { return r.Get_Cross_Source_Mix(0, 0, 0); }, CMD_DSP, 0x47, GET, READ, 10000},
    {"Get_Compressor_Ch_On", [](auto& r) { return r.Get_Compressor_Ch_On(0, 0, 0, 11); }, CMD_DSP, 0x49, GET, READ,
     10000},
    {"Get_Compressor2", [](auto& r) { return r.Get_Compressor2(0, 0, 0, 11); }, CMD_DSP, 0x4A, GET, READ, 10000},
    {"Get_Spk_Ohm", [](auto& r) { return r.Get_Spk_Ohm(); }, CMD_DSP, 0x4B, GET, READ, 10000},
    {"Get_Ouput_Bridge", [](auto& r) { return r.Get_Ouput_Bridge(0, 0, 6); }, CMD_DSP, 0x4C, GET, READ, 10000},
    {"Get_Cross_Source_Mix_CS47048", [](auto& r) { return r.Get_Cross_Source_Mix_CS47048(0, 0, 0); }, CMD_DSP, 0x4D,
     GET, READ, 10000},
    {"Get_Noise_Gate", [](auto& r) { return r.Get_Noise_Gate(); }, CMD_DSP, 0x4E, GET, READ, 10000},
    {"Get_Noise_Gate_Gain", [](auto& r) { return r.Get_Noise_Gate_Gain(); }, CMD_DSP, 0x4F, GET, READ, 10000},
    {"Get_Noise_Gate_Threshold", [](auto& r) { return r.Get_Noise_Gate_Threshold(); }, CMD_DSP, 0x50, GET, READ, 10000},
    {"IRC_Get", [](auto& r) { return r.IRC_Get(); }, CMD_DSP, 0x13, GET, READ, 10000},
    {"IRC_Get_Distance", [](auto& r) { return r.IRC_Get_Distance(2, 2); }, CMD_DSP, 0x14, GET, READ, 10000},
    {"IRC_Get_EQ", [](auto& r) { return r.IRC_Get_EQ(2, 0, 5); }, CMD_DSP, 0x16, GET, READ, 10000},
    {"IRC_Get_Spectrum", [](auto& r) { return r.IRC_Get_Spectrum(2, 0, 8); }, CMD_DSP, 0x1A, GET, READ, 10000},
    {"SaveScene", [](auto& r) { return r.SaveScene(3, 1); }, CMD_FLASH, 0x08, SET, READ, 20000},
    {"ReadScene", [](auto& r) { return r.ReadScene(3, 0); }, CMD_FLASH, 0x09, SET, READ, 20000},
    {"DeleteScene", [](auto& r) { return r.DeleteScene(3); }, CMD_FLASH, 0x0A, SET, READ, 20000},
    {"SetSceneName", [](auto& r) { return r.SetSceneName(3, kName); }, CMD_FLASH, 0x0B, SET, READ, 10000},
    {"Get_Scene_Name", [](auto& r) { return r.Get_Scene_Name(3); }, CMD_FLASH, 0x0B, GET, READ, 10000},
    {"Get_Scene_Id", [](auto& r) { return r.Get_Scene_Id(); }, CMD_FLASH, 0x0E, GET, READ, 10000},
    {"Get_Scene_Valid", [](auto& r) { return r.Get_Scene_Valid(); }, CMD_FLASH, 0x0F, GET, READ, 10000},
    {"Hand_Connect", [](auto& r) { return r.Hand_Connect(); }, CMD_MCU, 0x08, SET, READ, 10000},
    {"PC_Connect", [](auto& r) { return r.PC_Connect(1); }, CMD_MCU, 0x1F, SET, Hook::SendOnly, 0},
    {"MCU_Reboot_Ctrl", [](auto& r) { return r.MCU_Reboot_Ctrl(); }, CMD_MCU, 0x8F, SET, READ, 10000},
    {"Factory_Default_Ctrl", [](auto& r) { return r.Factory_Default_Ctrl(); }, CMD_MCU, 0x90, SET, READ, 30000},
    {"Get_Delay_Power_Off_Time", [](auto& r) { return r.Get_Delay_Power_Off_Time(); }, CMD_MCU, 0x91, GET, READ, 500},
    {"Get_Acc", [](auto& r) { return r.Get_Acc(); }, CMD_MCU, 0x92, GET, READ, 10000},
    {"Get_Usb_Power_Pin", [](auto& r) { return r.Get_Usb_Power_Pin(); }, CMD_MCU, 0x95, GET, READ, 10000},
    {"Get_KTV mic", [](auto& r) { return r.Get_KTV(1); }, CMD_KTV, 1, GET, READ, 10000},
    {"Get_KTV echo delay", [](auto& r) { return r.Get_KTV(5); }, CMD_KTV, 5, GET, READ, 10000},
    {"Get_KTV voice changer", [](auto& r) { return r.Get_KTV(8); }, CMD_KTV, 8, GET, READ, 10000},
};

TEST(RequestRouting, SettersAreSetsRoutedByTheirImmediateArgument)
{
    for (const SetterCase& c : kSetters) {
        for (bool immediate : {false, true}) {
            RecordingRequests r;
            c.call(r, immediate);
            ASSERT_EQ(r.sent.size(), 1u) << c.name;
            const Sent& s = r.sent[0];
            EXPECT_EQ(s.request.cmd, c.cmd) << c.name;
            EXPECT_EQ(s.request.subcmd, c.sub) << c.name;
            EXPECT_EQ(s.request.optype, OP_SET) << c.name;
            EXPECT_EQ(s.hook, Hook::Submit) << c.name;
            EXPECT_EQ(s.immediate, immediate) << c.name;
            EXPECT_EQ(s.timeoutMs, kDefaultReplyTimeoutMs) << c.name;
        }
    }
}

TEST(RequestRouting, QueriesAndDirectRequestsCarryTheirCodesAndTimeOuts)
{
    for (const DirectCase& c : kDirect) {
        RecordingRequests r;
        c.call(r);
        ASSERT_EQ(r.sent.size(), 1u) << c.name;
        const Sent& s = r.sent[0];
        EXPECT_EQ(s.request.cmd, c.cmd) << c.name;
        EXPECT_EQ(s.request.subcmd, c.sub) << c.name;
        EXPECT_EQ(s.request.optype, c.op) << c.name;
        EXPECT_EQ(s.hook, c.hook) << c.name;
        EXPECT_EQ(s.timeoutMs, c.timeoutMs) << c.name;
    }
}

TEST(RequestRouting, QueriesReportWhetherAReplyArrived)
{
    for (const DirectCase& c : kDirect) {
        if (c.hook != Hook::SendAndRead)
            continue;
        for (bool arrives : {false, true}) {
            RecordingRequests r;
            r.replyArrives = arrives;
            EXPECT_EQ(c.call(r), arrives) << c.name;
        }
    }
}

TEST(RequestRouting, PollingQueriesMayBeQueued)
{
    RecordingRequests r;
    EXPECT_FALSE(r.Get_Input_Threshold(0, 0, false));
    EXPECT_FALSE(r.Get_Input_Noise(0, 7, false));
    ASSERT_EQ(r.sent.size(), 2u);
    for (const Sent& s : r.sent) {
        EXPECT_EQ(s.hook, Hook::Submit);
        EXPECT_FALSE(s.immediate);
        EXPECT_EQ(s.request.optype, OP_GET);
    }
}

TEST(RequestRouting, KaraokeItemsWithoutQueryOrUnknownSendNothing)
{
    RecordingRequests r;
    EXPECT_FALSE(r.Get_KTV(KTV_BASS_GAIN));
    EXPECT_FALSE(r.Get_KTV(KTV_TREBLE_GAIN));
    EXPECT_FALSE(r.Get_KTV(0));
    EXPECT_FALSE(r.Get_KTV(11));
    r.KTV_Ctrl(11, 5, true);
    r.KTV_Ctrl(0, 5, false);
    EXPECT_TRUE(r.sent.empty());
}

} // namespace
