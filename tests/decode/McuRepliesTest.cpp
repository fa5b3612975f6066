#include "DecoderFixture.h"
#include "UpgradeStatus.h"

#include <string>

using namespace dravo;
using namespace dravo::test;

namespace {

using Bytes = std::vector<std::uint8_t>;

class McuReplies : public DecoderTest {
protected:
    void mcu(std::uint8_t sub, const Bytes& data, std::uint8_t op = OP_UPDATE) { feed(CMD_MCU, sub, op, data); }
};

TEST_F(McuReplies, HandshakeOfANormalDevice)
{
    mcu(MCU_HANDSHAKE, {0x01, 0x60, 0x02, 0x03});
    EXPECT_EQ(state.mcuIsNormalMode.load(), 1);
    EXPECT_EQ(state.reportedModel.load(), 96);
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].target, Target::Main);
    EXPECT_EQ(posted[0].message.id, WM_READ_MCU_VALUE);
    EXPECT_EQ(posted[0].message.wParam, MCU_HANDSHAKE);
    const auto& r = record<HandshakeRecord>(0);
    EXPECT_EQ(r.model, 96);
    EXPECT_EQ(r.master, 2);
    EXPECT_EQ(r.slave, 3);
}

TEST_F(McuReplies, HandshakeOfADeviceOutOfNormalMode)
{
    state.mcuIsNormalMode = 1;
    state.reportedModel = 96;
    mcu(MCU_HANDSHAKE, {0xF0, 0x60, 0x02, 0x03});
    EXPECT_EQ(state.mcuIsNormalMode.load(), 0);
    EXPECT_EQ(state.reportedModel.load(), 96);
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].target, Target::Main);
    EXPECT_EQ(posted[0].message.id, WM_DEVICE_ABNORMAL);
    EXPECT_EQ(posted[0].message.wParam, 0);
    EXPECT_EQ(posted[0].message.lParam, 0);
    EXPECT_EQ(posted[0].message.record, nullptr);
}

TEST_F(McuReplies, CutHandshakeChangesNothing)
{
    mcu(MCU_HANDSHAKE, {0x01, 0x60});
    EXPECT_EQ(state.mcuIsNormalMode.load(), 0);
    EXPECT_EQ(state.reportedModel.load(), 0);
    EXPECT_TRUE(posted.empty());
}

TEST_F(McuReplies, PingClearsNormalMode)
{
    state.mcuIsNormalMode = 1;
    mcu(MCU_PING, {});
    EXPECT_EQ(state.mcuIsNormalMode.load(), 0);
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].message.wParam, MCU_PING);
    EXPECT_EQ(posted[0].message.lParam, 0);
}

TEST_F(McuReplies, PlainValues)
{
    struct Case {
        const char* name;
        std::uint8_t sub;
        std::uint8_t op;
        Bytes data;
        bool posts;
        std::int64_t value;
    };
    const Case cases[] = {
        {"power-off delay is 16 bits", MCU_POWER_OFF_DELAY, OP_UPDATE, {0x0B, 0xB8}, true, 3000},
        {"ACC delay sign-extended", MCU_ACC, OP_UPDATE, {0xFE}, true, -2},
        {"USB power pin sign-extended", MCU_USB_POWER_PIN, OP_UPDATE, {0x01}, true, 1},
        {"ACC acknowledgement carries no value", MCU_ACC, OP_ACK, {0x0A}, false, 0},
        {"cut power-off delay", MCU_POWER_OFF_DELAY, OP_UPDATE, {0x0B}, false, 0},
        {"ignored code", 0x05, OP_UPDATE, {1}, false, 0},
        {"factory default echo", MCU_FACTORY_DEFAULT, OP_UPDATE, {}, false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        posted.clear();
        mcu(c.sub, c.data, c.op);
        ASSERT_EQ(posted.size(), c.posts ? 1u : 0u);
        if (c.posts) {
            EXPECT_EQ(posted[0].message.id, WM_READ_MCU_VALUE);
            EXPECT_EQ(posted[0].message.wParam, c.sub);
            EXPECT_EQ(posted[0].message.lParam, c.value);
        }
    }
}

TEST_F(McuReplies, VersionsAreKept)
{
    mcu(MCU_GET_DSPFLASH_VER, {1, 2, 3, 4});
    EXPECT_EQ(record<FlashVersionRecord>(0).version, (std::array<std::int32_t, 4>{1, 2, 3, 4}));

    mcu(MCU_BOOTLOADER_VERSION, {7});
    EXPECT_EQ(state.bootloaderVersion.load(), 7);
    EXPECT_EQ(posted.size(), 1u);
}

TEST_F(McuReplies, UnknownCodeIsNotSupportedButIgnoredCodesAreSilent)
{
    {
        LogCapture log;
        mcu(0x77, {1});
        EXPECT_EQ(log.text(), "packet_process: packet_type(CMD_MCU)\n!!! NOT SUPPORT MSG\n");
    }
    {
        LogCapture log;
        mcu(0x05, {1});
        EXPECT_EQ(log.text(), "packet_process: packet_type(CMD_MCU)\n");
    }
    EXPECT_TRUE(posted.empty());
}

Bytes text(const std::string& s)
{
    return Bytes(s.begin(), s.end());
}

Bytes concat(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const auto& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

TEST_F(McuReplies, PasswordAndRemarkAreCutToTheirRoom)
{
    struct Case {
        const char* name;
        Bytes data;
        std::string password;
        std::string remark;
    };
    const Case cases[] = {
        {"both fit", concat({{4}, text("1234"), {5}, text("hello")}), "1234", "hello"},
        {"long password, remark still found after it",
         concat({{15}, text("abcdefghijklmno"), {3}, text("car")}), "abcdefghijkl", "car"},
        {"long remark", concat({{0}, {30}, text("abcdefghijklmnopqrstuvwxyz0123")}), "",
         "abcdefghijklmnopqrst"},
        {"remark length beyond the packet", concat({{2}, text("ab")}), "ab", ""},
        {"password beyond the packet", concat({{8}, text("abc")}), "abc", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        posted.clear();
        mcu(MCU_PASSWORD, c.data);
        const auto& r = record<PasswordRecord>(0);
        EXPECT_EQ(std::string(r.password.data(), static_cast<std::size_t>(r.passwordLength)), c.password);
        EXPECT_EQ(std::string(r.remark.data(), static_cast<std::size_t>(r.remarkLength)), c.remark);
    }
}

TEST_F(McuReplies, TextBlockIsCutToItsRoom)
{
    mcu(MCU_TEXT_BLOCK, concat({{20}, text("0123456789abcdefghij")}));
    const auto& r = record<TextBlockRecord>(0);
    EXPECT_EQ(r.length, 16);
    EXPECT_EQ(std::string(r.bytes.data(), 16), "0123456789abcdef");
}

struct UpgradeCase {
    const char* name;
    std::uint8_t type;
    std::uint8_t sub;
    std::uint8_t op;
    std::int32_t before;
    std::uint8_t code;
    std::int32_t after;
    std::uint16_t step;
};

TEST_F(McuReplies, UpgradeAcknowledgementsMoveTheStatus)
{
    const UpgradeCase cases[] = {
        {"enter upgrade mode", CMD_MCU, MCU_ENTER_UPG_MODE, OP_ACK, UPG_STATUS_MCU_LOADED, ACK_READY, 32, 0},
        {"bootloader enter", CMD_MCU, MCU_BL_ENTER_UPG_MODE, OP_ACK, 0, ACK_READY, 32, 0},
        {"enter refused", CMD_MCU, MCU_ENTER_UPG_MODE, OP_ACK, 16, ACK_NOT_READY, 16, 0},
        {"start accepted", CMD_MCU, MCU_UPG_START, OP_ACK, 32, ACK_READY, 48, 0},
        {"start refused with any code", CMD_MCU, MCU_BL_UPG_START, OP_ACK, 32, 0x33, 80, 0},
        {"block accepted", CMD_MCU, MCU_UPG_BLOCK, OP_ACK, 49, ACK_READY, 48, 0},
        {"block not ready waits", CMD_MCU, MCU_BL_UPG_BLOCK, OP_ACK, 49, ACK_NOT_READY, 49, 1},
        {"block ack while not waiting", CMD_MCU, MCU_UPG_BLOCK, OP_ACK, 48, ACK_NOT_READY, 48, 0},
        {"block as update is no ack", CMD_MCU, MCU_UPG_BLOCK, OP_UPDATE, 49, ACK_READY, 49, 0},
        {"finish", CMD_MCU, MCU_UPG_FINISH, OP_ACK, 64, ACK_READY, 64, 0},
        {"flash erase accepted", CMD_FLASH, FLASH_CHIP_ERASE, OP_ACK, 32, ACK_READY, 96, 0},
        {"flash erase in another status", CMD_FLASH, FLASH_CHIP_ERASE, OP_ACK, 48, ACK_READY, 48, 0},
        {"flash erase refused", CMD_FLASH, FLASH_CHIP_ERASE, OP_ACK, 32, ACK_NOT_READY, 80, 0},
        {"flash start accepted", CMD_FLASH, FLASH_UPG_START, OP_ACK, 32, ACK_READY, 48, 0},
        {"flash start refused", CMD_FLASH, FLASH_UPG_START, OP_ACK, 32, ACK_NOT_READY, 80, 0},
        {"flash start other code", CMD_FLASH, FLASH_UPG_START, OP_ACK, 32, 0x33, 32, 0},
        {"flash block accepted", CMD_FLASH, FLASH_UPG_BLOCK, OP_ACK, 49, ACK_READY, 48, 0},
        {"flash block not ready waits", CMD_FLASH, FLASH_UPG_BLOCK, OP_ACK, 49, ACK_NOT_READY, 49, 1},
        {"flash block while status 48", CMD_FLASH, FLASH_UPG_BLOCK, OP_ACK, 48, ACK_READY, 48, 0},
        {"flash block not ready while 48", CMD_FLASH, FLASH_UPG_BLOCK, OP_ACK, 48, ACK_NOT_READY, 48, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        state.sysUpgStatus = c.before;
        state.upgradeStep = 0;
        feed(c.type, c.sub, c.op, {c.code});
        EXPECT_EQ(state.sysUpgStatus.load(), c.after);
        EXPECT_EQ(state.upgradeStep.load(), c.step);
    }
    EXPECT_TRUE(posted.empty());
}

TEST_F(McuReplies, UpgradeAcknowledgementLogLines)
{
    state.sysUpgStatus = 49;
    LogCapture log;
    mcu(MCU_UPG_BLOCK, {ACK_NOT_READY}, OP_ACK);
    feed(CMD_FLASH, FLASH_UPG_START, OP_ACK, {ACK_NOT_READY});
    EXPECT_EQ(log.text(), "packet_process: packet_type(CMD_MCU)\nMCU !!!!! NOT_READY !!!!!!\n\n"
                          "packet_process: packet_type(CMD_FLASH)\nFLASH UPG_START: ACK_NOT_READY\n\n");
}

} // namespace
