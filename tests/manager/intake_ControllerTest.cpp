#include "intake_Fixture.h"

#include "CommandCodes.h"

#include <cstring>

namespace dravo::test {
namespace {

class ControllerIntake : public IntakeFixture {
protected:
    std::unique_ptr<HandshakeRecord> handshake(int model, int master, int slave)
    {
        auto r = std::make_unique<HandshakeRecord>();
        r->model = model;
        r->master = master;
        r->slave = slave;
        return r;
    }
};

TEST_F(ControllerIntake, HandshakeOfAnotherModelIsExplained)
{
    struct Case {
        int model;
        bool normalMode;
        bool explained;
    };
    for (const Case c : {Case{95, true, true}, Case{96, true, false}, Case{95, false, false}}) {
        host.asked.clear();
        link->State().mcuIsNormalMode = c.normalMode ? 1 : 0;
        mcuRecord(MCU_HANDSHAKE, handshake(c.model, 1, 32));
        EXPECT_EQ(live().model, c.model);
        EXPECT_EQ(live().mainVersion, 1);
        EXPECT_EQ(live().slaveVersion, 32);
        ASSERT_EQ(host.asked.size(), c.explained ? 1u : 0u) << "model " << c.model << " normal " << c.normalMode;
        if (c.explained) {
            EXPECT_EQ(host.asked[0].title, "${tips}");
            EXPECT_EQ(host.asked[0].text, "${device_not_match} 95");
            EXPECT_EQ(host.asked[0].captions, std::vector<std::string>{"${confirm}"});
        }
    }
}

TEST_F(ControllerIntake, ControllerValues)
{
    auto flash = std::make_unique<FlashVersionRecord>();
    flash->version = {1, 2, 3, 4};
    mcuRecord(MCU_GET_DSPFLASH_VER, std::move(flash));
    EXPECT_EQ(live().flashVer, (std::array<std::int32_t, 4>{1, 2, 3, 4}));

    mcuValue(MCU_POWER_OFF_DELAY, 1500);
    EXPECT_EQ(live().powerOffDelay, 1500);

    struct UsbCase {
        int pin;
        int option;
    };
    for (const UsbCase c : {UsbCase{1, 0}, UsbCase{0, 1}}) {
        mcuValue(MCU_USB_POWER_PIN, c.pin);
        EXPECT_EQ(manager->mUsbUdpOrScp, c.option) << "pin " << c.pin;
    }
}

TEST_F(ControllerIntake, AccShowsOffAtTheSliderMinimum)
{
    page.at("slider_acc").setRange(0, 30);
    struct Case {
        int acc;
        const char* text;
    };
    for (const Case c : {Case{12, "12"}, Case{0, "${off}"}, Case{30, "30"}}) {
        mcuValue(MCU_ACC, c.acc);
        EXPECT_EQ(live().acc, c.acc);
        EXPECT_EQ(page.at("slider_acc").value(), c.acc);
        EXPECT_EQ(page.at("edit_acc").text(), c.text);
    }
}

TEST_F(ControllerIntake, KaraokeValuesLandInTheirSlots)
{
    struct Case {
        int item;
        int value;
        int slot;
    };
    for (const Case c : {Case{3, 7, 0}, Case{1, 40, 1}, Case{8, 2, 3}, Case{5, 300, 5}, Case{10, -4, 9}}) {
        deliver(WM_KTV_VALUE, c.item, c.value);
        EXPECT_EQ(live().karaoke[static_cast<std::size_t>(c.slot)], c.value) << "item " << c.item;
    }
    const auto before = live().karaoke;
    deliver(WM_KTV_VALUE, 11, 99);
    deliver(WM_KTV_VALUE, 0, 99);
    EXPECT_EQ(live().karaoke, before);
}

TEST_F(ControllerIntake, SceneNamesAndValidMask)
{
    const auto name = [](int index, const char* text) {
        auto r = std::make_unique<SceneNameRecord>();
        r->index = index;
        std::memcpy(r->name.data(), text, std::min(std::strlen(text), r->name.size()));
        return r;
    };
    deliver(WM_SCENE_VALUE, FLASH_SCENE_NAME, 0, name(2, "Live"));
    deliver(WM_SCENE_VALUE, FLASH_SCENE_NAME, 0, name(9, "Club mix long name"));
    deliver(WM_SCENE_VALUE, FLASH_SCENE_NAME, 0, name(10, "Nowhere"));
    EXPECT_EQ(intake().SceneNames().text(2), "Live");
    EXPECT_EQ(intake().SceneNames().text(9), "Club mi");
    EXPECT_TRUE(intake().SceneNames().isEmpty(0));

    deliver(WM_SCENE_VALUE, FLASH_SCENE_NAME, 0, name(2, ""));
    EXPECT_TRUE(intake().SceneNames().isEmpty(2));

    auto valid = std::make_unique<SceneValidRecord>();
    valid->mask = 0x0205;
    deliver(WM_SCENE_VALUE, FLASH_SCENE_VALID, 0, std::move(valid));
    EXPECT_EQ(intake().SceneValidMask(), 0x0205);
}

TEST_F(ControllerIntake, OtherMessagesAreLeftToTheWindow)
{
    for (const std::uint32_t id : {WM_CONNECTED, WM_SHOW_LOADING, WM_SCENE_DONE}) {
        Message message;
        message.id = id;
        EXPECT_FALSE(intake().HandleMessage(message)) << id;
    }
}

// The names and the mask that a connection reads arrive from the amplifier.
TEST_F(ControllerIntake, SceneNameRepliesFromTheAmplifier)
{
    openDirectly();
    amp->edit([](sim::DeviceState& d) {
        d.scenes[4].name.fill(0);
        std::memcpy(d.scenes[4].name.data(), "Bass", 4);
        d.scenes[4].valid = true;
        d.scenes[0].valid = true;
    });
    for (int n = 1; n <= 10; ++n)
        ASSERT_TRUE(link->Get_Scene_Name(n));
    ASSERT_TRUE(link->Get_Scene_Valid());
    host.pump();
    EXPECT_EQ(intake().SceneNames().text(4), "Bass");
    EXPECT_TRUE(intake().SceneNames().isEmpty(3)); // erased flash
    EXPECT_EQ(intake().SceneValidMask(), 0b10001);
}

} // namespace
} // namespace dravo::test
