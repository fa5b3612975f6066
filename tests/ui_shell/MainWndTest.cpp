// The main window over the in-process simulated amplifier: connecting at
// start, the second copy, the loading messages, the menus' adjustments and
// items, and plug events.
#include "CommandCodes.h"
#include "Connection.h"
#include "DeviceLink.h"
#include "EqualizerManager.h"
#include "LayoutRules.h"
#include "MainWnd.h"
#include "MemoryPage.h"
#include "MsgWnd.h"
#include "MessageIds.h"
#include "PopupMenus.h"
#include "QtManagerHost.h"
#include "QtPage.h"
#include "ShellTestSupport.h"
#include "SimBackend.h"
#include "SingleInstance.h"
#include "SpeakerRoles.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

#include <string>

namespace dravo {
namespace {

// Remembers which windows the page and the menus ask for.
class RecordingMainWnd final : public CMainWnd {
public:
    using CMainWnd::CMainWnd;
    void OpenWindow(const QString& which) override { opened << which; }
    QStringList opened;
};

class MainWndTest : public ::testing::Test {
protected:
    MainWndTest() { test::startToolkit(mDir); }
    ~MainWndTest() override { window.reset(); }

    std::shared_ptr<sim::SimulatedAmplifier> plugIn(sim::SimOptions options = {})
    {
        return bus.attach(kDeviceId, options);
    }

    void open()
    {
        MainWndOptions options;
        options.quit = [this] { ++quits; };
        options.restart = [this] { ++restarts; };
        options.dpi = 96;
        options.demo = true;
        options.lockDirectory = mDir.path();
        options.workingDirectory = mDir.path().toStdString();
        window = std::make_unique<RecordingMainWnd>(bus.handle(), std::move(options));
        window->show();
    }

    void openAndSettle()
    {
        open();
        ASSERT_TRUE(QTest::qWaitFor([&] { return window->Settled(); }, 20000));
    }

    EqualizerManager& manager() { return window->Manager(); }
    Control& control(const std::string& name)
    {
        Control* c = window->Page()->find(name);
        EXPECT_NE(c, nullptr) << name;
        static MemoryControl none("none");
        return c ? *c : none;
    }

    // Starts the layout from outputs without roles (the amplifier comes with
    // its factory roles).
    void clearRoles()
    {
        for (int c = 0; c < 12; ++c)
            manager().layout().SetOutputValue(c, kNoRole, false);
    }

    QAction* menuItem(const char* name)
    {
        QMenu* menu = window->Menus().CurrentMenu();
        return menu ? menu->findChild<QAction*>(QLatin1String(name)) : nullptr;
    }

    // Chooses an item of the open menu and lets the window handle the choice.
    void choose(const char* name)
    {
        QAction* action = menuItem(name);
        ASSERT_NE(action, nullptr) << name;
        action->trigger();
        QCoreApplication::processEvents();
    }

    void post(std::uint32_t id)
    {
        Message m;
        m.id = id;
        window->Host().post(std::move(m));
        QCoreApplication::processEvents();
    }

    static constexpr const char* kDeviceId = "demo";
    QTemporaryDir mDir;
    sim::SimBackend bus;
    std::unique_ptr<RecordingMainWnd> window;
    int quits = 0;
    int restarts = 0;
};

TEST_F(MainWndTest, ConnectsToTheFirstAmplifierAtStart)
{
    plugIn();
    openAndSettle();

    EXPECT_EQ(manager().connection().State(), ConnectionState::Connected);
    EXPECT_TRUE(window->Link().CmdEnabled());
    EXPECT_EQ(control("btnConnect").text(), "${btn_connected}");
    EXPECT_TRUE(control("btnConnect").selected());
    EXPECT_FALSE(window->LoadingShown());
    EXPECT_TRUE(window->windowTitle().startsWith(kMainWindowTitle));
    EXPECT_TRUE(window->windowTitle().contains("simulated"));
    EXPECT_EQ(window->size(), QSize(kMainWindowWidth, kMainWindowHeight));
}

TEST_F(MainWndTest, WithoutAnAmplifierTheWindowStaysDisconnected)
{
    openAndSettle();
    EXPECT_EQ(manager().connection().State(), ConnectionState::Disconnected);
    EXPECT_EQ(control("btnConnect").text(), "${btn_disconnected}");
    EXPECT_FALSE(control("btnConnect").selected());
}

TEST_F(MainWndTest, ClosingTellsTheAmplifierAndEndsTheProgram)
{
    const auto amplifier = plugIn();
    openAndSettle();
    window->close();
    EXPECT_EQ(quits, 1);
    EXPECT_FALSE(window->Link().IsConnected());
    const auto requests = amplifier->receivedRequests();
    ASSERT_FALSE(requests.empty());
    EXPECT_EQ(requests.back().cmd, CMD_MCU);
    EXPECT_EQ(requests.back().sub, MCU_PC_CONNECT);
    EXPECT_EQ(requests.back().data, std::vector<std::uint8_t>{0});
}

TEST_F(MainWndTest, ClosingWhileTheAmplifierIsBeingReadNeitherHangsNorCrashes)
{
    sim::SimOptions slow;
    slow.latencyMs = 20; // the read takes seconds
    plugIn(slow);
    open();
    QTest::qWait(100);
    ASSERT_EQ(manager().connection().State(), ConnectionState::Reading);
    const auto start = std::chrono::steady_clock::now();
    window->close();
    window.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST_F(MainWndTest, ADisplayChangeClosesTheWindowAndStartsTheProgramAgain)
{
    openAndSettle();
    window->OnDisplayChange();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(quits, 1);
    EXPECT_EQ(restarts, 1);
    window->OnDisplayChange(); // a second screen event while going away starts no second copy
    EXPECT_EQ(restarts, 1);
}

TEST_F(MainWndTest, ANewerAmplifierFirmwareIsNamedWithBothVersions)
{
    sim::SimOptions newer;
    newer.slaveVersion = 34;
    plugIn(newer);
    QStringList shown;
    test::BoxWatcher watcher([&](CModalWnd* box) {
        shown << test::boxText(box);
        box->Close(1);
    });
    openAndSettle();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !shown.isEmpty(); }, 5000));
    const QString expected = GetText("${dsp_fw_new_tips}");
    ASSERT_TRUE(expected.contains("%d"));
    EXPECT_TRUE(shown.front().contains("1.34")) << shown.front().toStdString();
    EXPECT_TRUE(shown.front().contains("1.33")) << shown.front().toStdString();
    EXPECT_FALSE(shown.front().contains('%')) << shown.front().toStdString();
}

TEST_F(MainWndTest, ASecondCopyExplainsItselfAndLeavesTheAmplifierAlone)
{
    const auto amplifier = plugIn();
    SingleInstanceLock firstCopy(mDir.path());
    ASSERT_TRUE(firstCopy.Acquired());

    QStringList shown;
    test::BoxWatcher watcher([&](CModalWnd* box) {
        shown << test::boxText(box);
        box->Close(1);
    });
    open();
    EXPECT_TRUE(window->SecondInstance());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->isVisible(); }, 5000));

    EXPECT_EQ(shown, QStringList{"${mutex_tips}"});
    EXPECT_FALSE(window->Link().IsConnected());
    EXPECT_TRUE(amplifier->receivedRequests().empty());
}

TEST_F(MainWndTest, TheLockIsFreeAgainOnceTheFirstCopyHasGone)
{
    open();
    EXPECT_FALSE(window->SecondInstance());
    EXPECT_FALSE(SingleInstanceLock(mDir.path()).Acquired());
    window.reset();
    EXPECT_TRUE(SingleInstanceLock(mDir.path()).Acquired());
}

TEST_F(MainWndTest, HidingTheLoadingIndicatorSelectsTheFirstOutputEvenWithoutOne)
{
    plugIn();
    openAndSettle();
    manager().layout().SetCurChannelChange(5);
    ASSERT_EQ(manager().live().currOutChannel, 5);
    ASSERT_FALSE(window->LoadingShown());

    post(WM_HIDE_LOADING);
    EXPECT_EQ(manager().live().currOutChannel, 0);

    post(WM_SHOW_LOADING);
    EXPECT_TRUE(window->LoadingShown());
    manager().layout().SetCurChannelChange(3);
    post(WM_HIDE_LOADING);
    EXPECT_FALSE(window->LoadingShown());
    EXPECT_EQ(manager().live().currOutChannel, 0);
}

TEST_F(MainWndTest, DeviceItemsOfTheSceneAndOptionMenusNeedAConnection)
{
    struct Case {
        const char* item;
        bool needsDevice;
    };
    const Case scene[] = {
        {"scene_item_load_scene", true}, {"scene_item_saveas_scene", true}, {"scene_item_delete_scene", true},
        {"scene_item_load_file", false}, {"scene_item_save_file", false},   {"scene_item_load_whole", false},
        {"scene_item_save_whole", false},
    };
    openAndSettle();
    for (bool connected : {false, true}) {
        if (connected) {
            plugIn(); // the window connects by itself when it arrives
            ASSERT_TRUE(
                QTest::qWaitFor([&] { return manager().connection().Connected() && window->Settled(); }, 20000));
        }
        window->ShowSceneMenu(nullptr);
        for (const Case& c : scene) {
            QAction* action = menuItem(c.item);
            ASSERT_NE(action, nullptr) << c.item;
            EXPECT_EQ(action->isEnabled(), connected || !c.needsDevice) << c.item << " connected " << connected;
        }
        window->ShowOptionMenu(nullptr);
        ASSERT_NE(menuItem("option_item_reset_default"), nullptr);
        EXPECT_EQ(menuItem("option_item_reset_default")->isEnabled(), connected);
        EXPECT_TRUE(menuItem("option_item_about")->isEnabled());
    }
}

TEST_F(MainWndTest, TheAdvanceMenuOffersOnlyThePanelsOfThisBuild)
{
    openAndSettle();
    window->ShowAdvanceMenu(nullptr);
    struct Case {
        const char* item;
        bool shown;
        const char* opens;  // what choosing it opens; null: nothing
    };
    const Case cases[] = {
        {"advance_item_mixer", true, "mixer"},
        {"advance_item_compressors_on", true, "compressors_on"},
        {"advance_item_ktv", false, nullptr},
        {"advance_item_autocal", false, nullptr},
        {"advance_item_poweroff_delay", false, nullptr},
        {"advance_item_cs_auto", true, nullptr},
        {"advance_item_noise_threshold", false, "noise_threshold"},
        {"advance_item_compressor", false, nullptr},
    };
    for (const Case& c : cases) {
        QAction* action = menuItem(c.item);
        ASSERT_NE(action, nullptr) << c.item;
        EXPECT_EQ(action->isVisible(), c.shown) << c.item;
    }
    // Chosen by any way at all, a switched-off panel still does not open.
    for (const Case& c : cases) {
        window->opened.clear();
        MenuCommand command;
        command.name = c.item;
        window->OnMenuItem(command);
        EXPECT_EQ(window->opened, c.opens ? QStringList{c.opens} : QStringList{}) << c.item;
    }
}

TEST_F(MainWndTest, TheOutputMenuMarksRolesInUseAndOffersOnlyAssignableOnes)
{
    plugIn();
    openAndSettle();
    LayoutRules& layout = manager().layout();
    clearRoles();
    layout.SetOutputValue(0, 1, false);  // front left tweeter on CH1
    layout.SetOutputValue(1, 24, false); // subwoofer on CH2

    const int channel = 2;
    window->ShowOutputMenu(channel, nullptr);
    EXPECT_EQ(window->Menus().OutputMenuChannel(), channel);
    // A role taken on another output is ticked, and one overlapping it on
    // the same side is not offered.
    ASSERT_NE(menuItem("output_menu_front_left_high_freq"), nullptr);
    EXPECT_FALSE(menuItem("output_menu_front_left_high_freq")->icon().isNull());
    EXPECT_FALSE(menuItem("output_menu_front_left_high_freq")->isEnabled());
    EXPECT_FALSE(menuItem("output_menu_front_left_all_freq")->isEnabled());
    EXPECT_TRUE(menuItem("output_menu_front_left_low_freq")->isEnabled());
    EXPECT_TRUE(menuItem("output_menu_front_left_low_freq")->icon().isNull());
    EXPECT_TRUE(menuItem("output_menu_front_right_high_freq")->isEnabled());
    for (const SpeakerRole& role : kSpeakerRoles) {
        if (role.code == kNoRole)
            continue;
        QAction* action = menuItem(std::string(role.menuItem).c_str());
        ASSERT_NE(action, nullptr) << role.menuItem;
        EXPECT_EQ(!action->icon().isNull(), layout.RoleInUse(role.code)) << role.menuItem;
        EXPECT_EQ(action->isEnabled(), layout.CanAssignRole(channel, role.code)) << role.menuItem;
    }
}

TEST_F(MainWndTest, ARoleChosenForABridgedOutputReachesBothOutputsOfThePair)
{
    const auto amplifier = plugIn();
    openAndSettle();
    clearRoles();
    manager().layout().SetBridge(1, true, false); // outputs 2 and 3
    ASSERT_EQ(manager().live().bridgeOutputs[1], 1);

    window->ShowOutputMenu(3, nullptr);
    choose("output_menu_rear_left_all_freq");
    const int role = 15;
    EXPECT_EQ(manager().live().outputs[2], role);
    EXPECT_EQ(manager().live().outputs[3], role);
    EXPECT_EQ(manager().live().outputs[4], 0);
    EXPECT_EQ(control("ch_output_btn_2").text(), control("ch_output_btn_3").text());

    ASSERT_TRUE(QTest::qWaitFor([&] { return window->Link().QueueIdle(); }, 5000));
    const auto device = amplifier->state().live.channels;
    EXPECT_EQ(device[2].role, role);
    EXPECT_EQ(device[3].role, role);
}

TEST_F(MainWndTest, GroupItemsSetTheGroupOfTheChannelTheirMenuWasOpenedFor)
{
    plugIn();
    openAndSettle();
    window->ShowLinkGroupMenu(4, nullptr);
    choose("link_group_2");
    window->ShowDelayLinkGroupMenu(7, nullptr);
    choose("delay_link_group_3");
    EXPECT_EQ(manager().live().syncGroup[4], 2);
    EXPECT_EQ(manager().live().delayLinkGroup[7], 3);
    // The delay-link item is not taken for a link item.
    EXPECT_EQ(manager().live().syncGroup[7], 0);
}

TEST_F(MainWndTest, UnpluggingClosesTheOpenBoxDisconnectsAndSaysWhichAmplifierWentAway)
{
    plugIn();
    openAndSettle();
    ASSERT_TRUE(manager().connection().Connected());
    const QString deviceName = QString::fromStdString(window->Link().Devices().Selected().name);
    ASSERT_FALSE(deviceName.isEmpty());

    QStringList shown;
    int firstBoxResult = -1;
    test::BoxWatcher watcher([&](CModalWnd* box) {
        shown << test::boxText(box);
        if (shown.size() == 1)
            bus.detach(kDeviceId); // the unplug arrives while this box is open
        else
            box->Close(1);
    });
    QTimer::singleShot(0, window.get(), [&] {
        firstBoxResult = ShowMsgBox(window.get(), "${tips}", "${device_reboot}", {"${confirm}"}, 1);
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown.size() == 2 && !test::openMessageBox(); }, 10000));

    EXPECT_EQ(firstBoxResult, 0);
    EXPECT_EQ(shown.front(), "${device_reboot}");
    EXPECT_TRUE(shown.back().contains(deviceName)) << shown.back().toStdString();
    EXPECT_EQ(manager().connection().State(), ConnectionState::Disconnected);
    EXPECT_FALSE(window->Link().IsConnected());
    EXPECT_EQ(control("btnConnect").text(), "${btn_disconnected}");
}

TEST_F(MainWndTest, PluggingInConnectsAWindowThatHadNoAmplifier)
{
    openAndSettle();
    ASSERT_EQ(manager().connection().State(), ConnectionState::Disconnected);
    plugIn();
    ASSERT_TRUE(QTest::qWaitFor([&] { return manager().connection().Connected() && window->Settled(); }, 20000));
    EXPECT_EQ(control("btnConnect").text(), "${btn_connected}");
}

TEST_F(MainWndTest, ANewScaleBuildsThePageAgainWithTheTuningAsItWas)
{
    plugIn();
    openAndSettle();
    manager().layout().SetSyncGroup(4, 2);
    manager().layout().SetCurChannelChange(3);

    window->ApplyDpi(144);
    EXPECT_EQ(window->size(), QSize(1845, 975));
    EXPECT_EQ(window->Dpi(), 144);
    EXPECT_EQ(manager().live().syncGroup[4], 2);
    EXPECT_TRUE(manager().connection().Connected());
    EXPECT_EQ(control("btnConnect").text(), "${btn_connected}");
    auto* devices = window->findChild<QComboBox*>("btn_devices");
    ASSERT_NE(devices, nullptr);
    EXPECT_EQ(devices->count(), 1);
    EXPECT_EQ(devices->currentIndex(), 0);
}

TEST_F(MainWndTest, AnotherDevicesPlugEventChangesNothing)
{
    plugIn();
    openAndSettle();
    HotplugEvent other{false, "/dev/hidraw9", 0x046d, 0xc52b};
    window->OnDeviceChange(other);
    EXPECT_TRUE(manager().connection().Connected());
}

} // namespace
} // namespace dravo
