#include "connection_Fixture.h"

#include "DeviceLink.h"

namespace dravo::test {
namespace {

class Connect : public ConnectionFixture {};

struct QueryRun {
    std::uint8_t cmd;
    std::uint8_t sub;
    int count;
    bool operator==(const QueryRun&) const = default;
};

std::ostream& operator<<(std::ostream& out, const QueryRun& r)
{
    return out << "{" << int(r.cmd) << ", 0x" << std::hex << int(r.sub) << std::dec << ", " << r.count << "}";
}

// Consecutive requests of one kind folded into one run.
std::vector<QueryRun> runsOf(const std::vector<sim::ReceivedRequest>& requests)
{
    std::vector<QueryRun> runs;
    for (const auto& r : requests) {
        if (!runs.empty() && runs.back().cmd == r.cmd && runs.back().sub == r.sub)
            ++runs.back().count;
        else
            runs.push_back({r.cmd, r.sub, 1});
    }
    return runs;
}

std::vector<QueryRun> expectedRead(int eqQueries)
{
    return {
        {CMD_MCU, MCU_PC_CONNECT, 1},       {CMD_MCU, MCU_HANDSHAKE, 1},
        {CMD_DSP, DSP_SOURCE_SWITCH, 1},    {CMD_DSP, DSP_VOLUME, 1},
        {CMD_MCU, MCU_ACC, 1},              {CMD_MCU, MCU_USB_POWER_PIN, 1},
        {CMD_DSP, DSP_SUBWOOFER_VOLUME, 1}, {CMD_DSP, DSP_MUTE, 1},
        {CMD_DSP, DSP_AMP_MUTE, 1},         {CMD_DSP, DSP_REM_OUT, 1},
        {CMD_DSP, DSP_SPK_OHM, 1},          {CMD_DSP, DSP_NOISE_GATE, 1},
        {CMD_DSP, DSP_NOISE_GATE_DRC_GAIN, 1}, {CMD_DSP, DSP_NOISE_GATE_THRESHOLD, 1},
        {CMD_DSP, DSP_SPK_CH_CONFIG, 1},    {CMD_FLASH, FLASH_SCENE_VALID, 1},
        {CMD_DSP, DSP_DELAY_CH, 1},         {CMD_DSP, DSP_CH_TYPE, 1},
        {CMD_DSP, DSP_CH_SOLO, 1},          {CMD_DSP, DSP_CH_LINK, 1},
        {CMD_DSP, DSP_CH_LOCK, 1},          {CMD_DSP, DSP_FILTER_SET, 3},
        {CMD_DSP, DSP_EQ_BYPASS, 1},        {CMD_DSP, DSP_EQ_CH, eqQueries},
        {CMD_DSP, DSP_TRIM_CH, 1},          {CMD_DSP, DSP_MUTE_CH, 1},
        {CMD_DSP, DSP_PHASE_CH, 1},         {CMD_DSP, DSP_CH_SOLO, 1},
        {CMD_DSP, DSP_MIX_CH, 9},           {CMD_DSP, DSP_INPUT_MIX_CH_TRIM, 18},
        {CMD_DSP, DSP_CROSS_SOURCE_MIX, 18}, {CMD_FLASH, FLASH_SCENE_NAME, 10},
        {CMD_DSP, DSP_OUPUT_BRIDGE, 1},
    };
}

TEST_F(Connect, AtStartReadsTheWholeDeviceThenOpensTheRequestPath)
{
    conn().UpdateDeviceList();
    conn().SelectFirstDevice();
    conn().ConnectDevice(false);

    // The read is done, but nothing may be sent before the window has
    // handled WM_CONNECTED.
    EXPECT_FALSE(link->CmdEnabled());
    EXPECT_EQ(button().text(), "${btn_connecting}");
    EXPECT_EQ(runsOf(amp->receivedRequests()), expectedRead(60));
    const auto eq = ofKind(amp->receivedRequests(), CMD_DSP, DSP_EQ_CH);
    const std::vector<std::vector<std::uint8_t>> firstOutput = {
        {0, 0, 0, 0, 6}, {0, 0, 0, 7, 13}, {0, 0, 0, 14, 20}, {0, 0, 0, 21, 27}, {0, 0, 0, 28, 30}};
    for (std::size_t i = 0; i < firstOutput.size(); ++i)
        EXPECT_EQ(eq[i].data, firstOutput[i]);

    host.pump();
    EXPECT_TRUE(link->CmdEnabled());
    EXPECT_TRUE(conn().Connected());
    EXPECT_EQ(manager->live().model, 96);
    EXPECT_EQ(button().text(), "${btn_connected}");
    EXPECT_TRUE(button().selected());
    EXPECT_EQ(button().textColor(), 0xFFFFFFFFu);
    EXPECT_EQ(host.workers, (std::vector<std::string>{"Read mcu value thread"}));
    EXPECT_EQ(postedCount(WM_SHOW_LOADING), 1);
    EXPECT_EQ(postedCount(WM_HIDE_LOADING), 1);
}

TEST_F(Connect, AnOutputWithoutBandsIsNotAskedForThem)
{
    manager->live().channels[3].eqSize = 0;
    manager->live().channels[4].eqSize = 8; // blocks 0..6 and 7..7
    startUp();
    const auto eq = ofKind(amp->receivedRequests(), CMD_DSP, DSP_EQ_CH);
    EXPECT_EQ(eq.size(), 60u - 5u - 3u);
    std::vector<std::vector<std::uint8_t>> ofFour;
    for (const auto& r : eq) {
        EXPECT_NE(r.data[2], 3);
        if (r.data[2] == 4)
            ofFour.push_back(r.data);
    }
    EXPECT_EQ(ofFour, (std::vector<std::vector<std::uint8_t>>{{0, 0, 4, 0, 6}, {0, 0, 4, 7, 7}}));
}

TEST_F(Connect, PressingConnectWhileConnectedDisconnects)
{
    startUp();
    ASSERT_TRUE(conn().Connected());
    amp->clearReceivedRequests();

    conn().ConnectDevice(true);

    EXPECT_EQ(amp->receivedRequests(),
              (std::vector<sim::ReceivedRequest>{{CMD_MCU, MCU_PC_CONNECT, OP_SET, {0}}}));
    EXPECT_FALSE(link->IsConnected());
    EXPECT_FALSE(link->CmdEnabled());
    EXPECT_FALSE(conn().Connected());
    EXPECT_EQ(manager->live().model, -1);
    EXPECT_EQ(button().text(), "${btn_disconnected}");
    EXPECT_FALSE(button().selected());
    EXPECT_EQ(button().textColor(), 0xFFFF0000u);
}

TEST_F(Connect, FailedOpenIsExplainedOnlyToTheButton)
{
    backend.detach("amp1");
    for (bool fromButton : {false, true}) {
        host.asked.clear();
        conn().ConnectDevice(fromButton);
        EXPECT_FALSE(link->IsConnected());
        EXPECT_EQ(button().text(), "${btn_disconnected}");
        ASSERT_EQ(host.asked.size(), fromButton ? 1u : 0u);
        if (fromButton) {
            EXPECT_EQ(host.asked[0].text, "${device_connect_fail}");
        }
    }
    EXPECT_TRUE(host.workers.empty());
}

TEST_F(Connect, WrongModelIsNamedAndEndsDisconnected)
{
    sim::SimOptions options;
    options.model = 95;
    replaceAmp(options);
    startUp();

    ASSERT_EQ(host.asked.size(), 1u);
    EXPECT_EQ(host.asked[0].title, "${tips}");
    EXPECT_EQ(host.asked[0].text, "${device_not_match} 95");
    EXPECT_EQ(runsOf(amp->receivedRequests()),
              (std::vector<QueryRun>{{CMD_MCU, MCU_PC_CONNECT, 1}, {CMD_MCU, MCU_HANDSHAKE, 1}, {CMD_MCU, MCU_PC_CONNECT, 1}}));
    EXPECT_FALSE(link->IsConnected());
    EXPECT_FALSE(link->CmdEnabled());
    EXPECT_FALSE(conn().Connected());
    EXPECT_EQ(manager->live().model, -1);
    EXPECT_EQ(button().text(), "${btn_disconnected}");
}

TEST_F(Connect, NoHandshakeAnswerFailsAndDisconnects)
{
    sim::SimOptions options;
    options.dropReply = 1; // the handshake's
    replaceAmp(options);
    conn().UpdateDeviceList();
    conn().SelectFirstDevice();
    conn().ConnectDevice(false);

    EXPECT_EQ(postedCount(WM_HIDE_LOADING), 0); // still queued
    host.pump();
    EXPECT_EQ(postedCount(WM_HIDE_LOADING), 1);
    EXPECT_EQ(postedCount(WM_CONNECT_FAILED), 1);
    EXPECT_FALSE(link->IsConnected());
    EXPECT_EQ(manager->live().model, -1);
    EXPECT_EQ(button().text(), "${btn_disconnected}");
    EXPECT_EQ(ofKind(amp->receivedRequests(), CMD_DSP, DSP_SOURCE_SWITCH).size(), 0u);
}

TEST_F(Connect, DeviceInLoaderModeIsNotReadAndStaysConnecting)
{
    sim::SimOptions options;
    options.loaderMode = true;
    replaceAmp(options);
    startUp();

    EXPECT_EQ(runsOf(amp->receivedRequests()),
              (std::vector<QueryRun>{{CMD_MCU, MCU_PC_CONNECT, 1}, {CMD_MCU, MCU_HANDSHAKE, 1}}));
    EXPECT_EQ(postedCount(WM_DEVICE_ABNORMAL), 1);
    EXPECT_TRUE(link->IsConnected()); // the update window takes it from here
    EXPECT_FALSE(link->CmdEnabled());
    EXPECT_EQ(button().text(), "${btn_connecting}");
}

struct VersionCase {
    int master;
    int slave;
    bool noForceUpdateFile;
    std::uint32_t expected; // 0: nothing offered
};

class FirmwareVersion : public ConnectionFixture, public testing::WithParamInterface<VersionCase> {};

TEST_P(FirmwareVersion, IsComparedWithThePackagedOne)
{
    const VersionCase& c = GetParam();
    if (c.noForceUpdateFile)
        touch("noForceUpdate.ini");
    sim::SimOptions options;
    options.masterVersion = c.master;
    options.slaveVersion = c.slave;
    replaceAmp(options);
    startUp();

    ASSERT_TRUE(conn().Connected());
    EXPECT_EQ(postedCount(WM_CHECK_FORCE_UPDATE), c.expected == WM_CHECK_FORCE_UPDATE ? 1 : 0);
    EXPECT_EQ(postedCount(WM_DSP_FW_NEWER), c.expected == WM_DSP_FW_NEWER ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Connect, FirmwareVersion,
                         testing::Values(VersionCase{1, 32, false, WM_CHECK_FORCE_UPDATE},
                                         VersionCase{0, 90, false, WM_CHECK_FORCE_UPDATE},
                                         VersionCase{1, 32, true, 0}, VersionCase{1, 33, false, 0},
                                         VersionCase{1, 34, false, WM_DSP_FW_NEWER},
                                         VersionCase{2, 0, false, WM_DSP_FW_NEWER},
                                         VersionCase{2, 0, true, WM_DSP_FW_NEWER}));

TEST_F(Connect, FactoryResetOnlyWhenConfirmed)
{
    startUp();
    for (int answer : {0, 1}) {
        amp->clearReceivedRequests();
        host.unhandled.clear();
        host.answer({answer});
        conn().ResetMcuFactoryDefault();
        const bool confirmed = answer == 1;
        EXPECT_EQ(ofKind(amp->receivedRequests(), CMD_MCU, MCU_FACTORY_DEFAULT).size(), confirmed ? 1u : 0u);
        host.pump();
        EXPECT_EQ(postedCount(WM_SHOW_LOADING), confirmed ? 1 : 0);
        EXPECT_EQ(postedCount(WM_DEVICE_REBOOT), confirmed ? 1 : 0);
    }
    EXPECT_EQ(host.asked.back().text, "${factory_default_tips}");
}

} // namespace
} // namespace dravo::test
