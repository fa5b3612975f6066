#include "connection_Fixture.h"

#include "ConnectionText.h"
#include "DeviceLink.h"

namespace dravo::test {
namespace {

class Devices : public ConnectionFixture {
protected:
    void pick(int index)
    {
        combo.current = index;
        conn().SetDevice();
        host.pump();
    }
};

TEST_F(Devices, ComboListsEveryAmplifierByNickname)
{
    attachSecond();
    link->Devices().SaveDeviceNickName("SIM-amp2", "Boot");
    conn().UpdateDeviceList();
    ASSERT_EQ(combo.items.size(), 2u);
    EXPECT_EQ(combo.items[0].name, "SIM-amp1");
    EXPECT_EQ(combo.items[0].text, "SIM-amp1");
    EXPECT_EQ(combo.items[1].name, "SIM-amp2");
    EXPECT_EQ(combo.items[1].text, "Boot");
    EXPECT_EQ(combo.items[1].height, kDeviceItemHeight);

    conn().SelectDevice("SIM:AMP2");
    EXPECT_EQ(combo.current, 1);
    EXPECT_EQ(link->Devices().Selected().path, "sim:amp2");
}

TEST_F(Devices, SwitchingBackRestoresTheRememberedSettingsWithoutReading)
{
    auto second = attachSecond();
    startUp();
    manager->live().channels[0].delay = 3.5f; // an edit made on A

    pick(1);
    EXPECT_TRUE(handshakeReceived(*second));
    ASSERT_TRUE(conn().Connected());
    manager->live().channels[0].delay = 7.0f; // an edit made on B

    amp->clearReceivedRequests();
    pick(0);
    EXPECT_FALSE(handshakeReceived(*amp));
    EXPECT_EQ(host.workers.back(), "SetCurProfileThread");
    EXPECT_TRUE(conn().Connected());
    EXPECT_TRUE(link->CmdEnabled());
    EXPECT_FLOAT_EQ(manager->live().channels[0].delay, 3.5f);
    EXPECT_EQ(button().text(), "${btn_connected}");
    EXPECT_EQ(link->Devices().DeviceProfiles().count("SIM-amp2"), 1u);
}

// A record kept from a device the user had disconnected would carry no model
// and could never connect again; it is read afresh instead.
TEST_F(Devices, LeavingADisconnectedDeviceForgetsItsSettings)
{
    attachSecond();
    startUp();
    pick(1);
    pick(0); // A comes back from memory
    conn().ConnectDevice(true); // the user disconnects A
    pick(1);
    EXPECT_EQ(link->Devices().DeviceProfiles().count("SIM-amp1"), 0u);

    amp->clearReceivedRequests();
    pick(0);
    EXPECT_TRUE(handshakeReceived(*amp));
    EXPECT_TRUE(conn().Connected());
}

TEST_F(Devices, PickingTheSelectedItemAgainChangesNothing)
{
    startUp();
    amp->clearReceivedRequests();
    pick(0);
    EXPECT_TRUE(amp->receivedRequests().empty());
    EXPECT_TRUE(conn().Connected());
}

struct PlugOutCase {
    const char* name;
    bool unplugSelected;
    bool forceUpdateActive;
    bool messageShown;
    bool stillConnected;
};

class PlugOut : public ConnectionFixture, public testing::WithParamInterface<PlugOutCase> {};

TEST_P(PlugOut, OfTheConnectedDeviceDisconnectsAndNamesIt)
{
    const PlugOutCase& c = GetParam();
    attachSecond();
    startUp();
    conn().SetForceUpdateActive(c.forceUpdateActive);

    backend.detach(c.unplugSelected ? "amp1" : "amp2");
    conn().DevicePlugOut();

    EXPECT_EQ(link->IsConnected(), c.stillConnected);
    EXPECT_EQ(combo.items.size(), 1u);
    EXPECT_EQ(combo.current, 0);
    ASSERT_EQ(host.asked.size(), c.messageShown ? 1u : 0u);
    if (c.messageShown) {
        EXPECT_EQ(host.workers.back(), "DisconnectMsgThread");
        EXPECT_EQ(host.asked[0].title, "${tips}");
        EXPECT_EQ(host.asked[0].text, "Device SIM-amp1 was unplugged");
        // The first device left is selected now.
        EXPECT_EQ(link->Devices().Selected().name, "SIM-amp2");
    }
}

INSTANTIATE_TEST_SUITE_P(Devices, PlugOut,
                         testing::Values(PlugOutCase{"Selected", true, false, true, false},
                                         PlugOutCase{"DuringForcedUpdate", true, true, false, false},
                                         PlugOutCase{"Other", false, false, false, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Devices, ArrivalConnectsOnlyWhenNothingIsConnected)
{
    startUp();
    auto second = attachSecond();
    conn().DevicePlugin("sim:amp2");
    EXPECT_FALSE(handshakeReceived(*second));
    EXPECT_EQ(link->Devices().Selected().name, "SIM-amp1");
    EXPECT_EQ(combo.current, 0);

    conn().ConnectDevice(true); // disconnect
    conn().DevicePlugin("SIM:AMP2");
    host.pump();
    EXPECT_TRUE(handshakeReceived(*second));
    EXPECT_EQ(link->Devices().Selected().name, "SIM-amp2");
    EXPECT_EQ(combo.current, 1);
    EXPECT_TRUE(conn().Connected());
}

// The removal of the connected device went unnoticed; when a device arrives
// the stale handle must not turn the connect into a disconnect.
TEST_F(Devices, ArrivalAfterAMissedRemovalConnectsTheNewDevice)
{
    startUp();
    backend.detach("amp1");
    auto second = attachSecond();
    conn().DevicePlugin("sim:amp2");
    host.pump();
    EXPECT_TRUE(handshakeReceived(*second));
    EXPECT_TRUE(conn().Connected());
}

struct UpgradeOperation {
    const char* name;
    void (*run)(Connection&);
};

constexpr UpgradeOperation kUpgradeOperations[] = {
    {"Connect", [](Connection& c) { c.ConnectDevice(true); }},
    {"Disconnect", [](Connection& c) { c.DisconnectDevice(); }},
    {"PlugIn", [](Connection& c) { c.DevicePlugin("sim:amp2"); }},
    {"PlugOut", [](Connection& c) { c.DevicePlugOut(); }},
};

class DuringUpgrade : public ConnectionFixture,
                      public testing::WithParamInterface<std::tuple<int, UpgradeOperation>> {};

TEST_P(DuringUpgrade, DeviceEventsAndTheButtonDoNothing)
{
    const auto& [status, operation] = GetParam();
    attachSecond();
    startUp();
    backend.detach("amp2");
    const auto workers = host.workers;
    amp->clearReceivedRequests();

    link->State().sysUpgStatus = status;
    operation.run(conn());
    host.pump();

    EXPECT_TRUE(link->IsConnected());
    EXPECT_TRUE(amp->receivedRequests().empty());
    EXPECT_EQ(combo.items.size(), 2u); // the list was not rebuilt
    EXPECT_EQ(host.workers, workers);
    EXPECT_EQ(button().text(), "${btn_connected}");
}

INSTANTIATE_TEST_SUITE_P(Devices, DuringUpgrade,
                         testing::Combine(testing::Values(16, 32), testing::ValuesIn(kUpgradeOperations)),
                         [](const auto& info) {
                             return std::string(std::get<1>(info.param).name) +
                                    std::to_string(std::get<0>(info.param));
                         });

TEST_F(Devices, RenamingTheSelectedDevice)
{
    attachSecond();
    startUp();
    MemoryControl& edit = page.at("edit_device_name");

    conn().BeginEditDeviceName();
    EXPECT_TRUE(edit.visible());
    EXPECT_EQ(edit.text(), "SIM-amp1");
    edit.setText("  Front amp ");
    conn().FinishEditDeviceName();
    conn().FinishEditDeviceName(); // the focus leaves as well
    EXPECT_EQ(combo.items[0].text, "Front amp");
    host.pump();
    EXPECT_FALSE(edit.visible());

    conn().UpdateDeviceList(); // read back from the settings file
    EXPECT_EQ(combo.items[0].text, "Front amp");

    // An edit whose device is no longer selected changes nothing but goes away.
    conn().SelectFirstDevice();
    conn().BeginEditDeviceName();
    combo.current = 1;
    conn().SetDevice();
    edit.setText("Rear amp");
    conn().FinishEditDeviceName();
    host.pump();
    EXPECT_FALSE(edit.visible());
    EXPECT_EQ(combo.items[0].text, "Front amp");
    EXPECT_EQ(combo.items[1].text, "SIM-amp2");
}

TEST_F(Devices, BindingShowsVersionsAndStartingValues)
{
    touch("debug.ini");
    manager->Bind(translating, host);
    EXPECT_TRUE(page.at("btn_debug").visible());
    EXPECT_EQ(page.at("soft_version").text(), "${soft_version} v6.8.16");
    EXPECT_EQ(page.at("inner_fw_version").text(), "${inner_fw_version} v1.33");
    // The factory main volume lies outside the slider, which keeps its start.
    EXPECT_EQ(page.at("slider_main_volume").value(), 30);
    EXPECT_EQ(manager->live().mainVolume, 30);
    MemoryControl& sources = page.at("btn_input_source");
    EXPECT_EQ(sources.currentIndex(), 5);
    EXPECT_TRUE(sources.itemVisible(7));  // USB as UDP
    EXPECT_FALSE(sources.itemVisible(8));
    EXPECT_FALSE(sources.itemVisible(1));
    EXPECT_EQ(page.at("slider_ch_volume_11").minimum(), -600);
    EXPECT_EQ(page.at("slider_ch_volume_11").step(), 5);
    EXPECT_FALSE(page.at("slider_ch_delay_4").visible());
    EXPECT_FALSE(page.at("speaker_24").visible());
    EXPECT_EQ(button().text(), "${btn_disconnected}");

    std::filesystem::remove(dir / "debug.ini");
    manager->Bind(translating, host);
    EXPECT_FALSE(page.at("btn_debug").visible());
}

TEST(FillPlaceholders, TakesValuesInOrderAndNeverReadsPastThem)
{
    struct Case {
        const char* text;
        std::initializer_list<std::string_view> values;
        const char* expected;
    };
    const Case cases[] = {
        {"Device %s was unplugged", {"A"}, "Device A was unplugged"},
        {"%ls, %d and %S", {"a", "1", "b"}, "a, 1 and b"},
        {"%s %s %n%d", {"x"}, "x  "},
        {"100%% sure", {"x"}, "100% sure"},
        {"no values", {}, "no values"},
        {"trailing %", {}, "trailing %"},
        {"%-5.2ls!", {"w"}, "w!"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fillPlaceholders(c.text, c.values), c.expected) << c.text;
}

} // namespace
} // namespace dravo::test
