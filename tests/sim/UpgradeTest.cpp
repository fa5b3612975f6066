// The device side of a firmware upgrade, driven the way the host drives it.
#include "SimTestSupport.h"

#include <gtest/gtest.h>

namespace dravo::sim::test {
namespace {

Bytes image(std::size_t size)
{
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 7 + 1);
    return bytes;
}

Bytes u32(std::uint32_t v)
{
    return {static_cast<std::uint8_t>(v >> 24), static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8),
            static_cast<std::uint8_t>(v)};
}

const Bytes kHead = {0x12, 0x34, 0x56, 0x78};

std::uint8_t handshakeMode(SimulatedAmplifier& amp)
{
    const std::vector<Packet> replies = exchange(amp, CMD_MCU, MCU_HANDSHAKE, OP_SET);
    return replies.size() == 1 ? replies[0].data[0] : 0;
}

TEST(SimUpgrade, ControllerImageArrivesFromItsEndInBlocksOf32)
{
    SimulatedAmplifier amp(instantOptions());
    const Bytes firmware = image(70);

    EXPECT_EQ(exchange(amp, CMD_MCU, MCU_ENTER_UPG_MODE, OP_SET), (std::vector<Packet>{ready(CMD_MCU, MCU_ENTER_UPG_MODE)}));
    EXPECT_EQ(handshakeMode(amp), 0xF0) << "the loader runs now";
    EXPECT_EQ(exchange(amp, CMD_MCU, MCU_UPG_START, OP_SET, kHead), (std::vector<Packet>{ready(CMD_MCU, MCU_UPG_START)}));

    // The short piece first, then whole blocks down to offset 0, zero-filled.
    for (const auto& [offset, size] : {std::pair{64u, 6u}, {32u, 32u}, {0u, 32u}}) {
        Bytes block = concat({u32(offset), Bytes(firmware.begin() + offset, firmware.begin() + offset + size)});
        block.resize(36);
        EXPECT_EQ(exchange(amp, CMD_MCU, MCU_UPG_BLOCK, OP_SET, block), (std::vector<Packet>{ready(CMD_MCU, MCU_UPG_BLOCK)}))
            << "offset " << offset;
    }
    EXPECT_EQ(exchange(amp, CMD_MCU, MCU_UPG_FINISH, OP_SET), (std::vector<Packet>{ready(CMD_MCU, MCU_UPG_FINISH)}));

    const DeviceState s = amp.state();
    ASSERT_EQ(s.controllerImage.size(), 96u);
    EXPECT_EQ(Bytes(s.controllerImage.begin(), s.controllerImage.begin() + 70), firmware);
    EXPECT_EQ(Bytes(s.controllerImage.begin() + 70, s.controllerImage.end()), Bytes(26, 0));
    EXPECT_EQ(Bytes(s.upgrade.head.begin(), s.upgrade.head.end()), kHead);
    EXPECT_EQ(handshakeMode(amp), 0x01) << "the new firmware runs";
}

TEST(SimUpgrade, DspImageIsKeptExactlyAndTakesOverAtTheReboot)
{
    SimulatedAmplifier amp(instantOptions());
    const Bytes firmware = image(120);

    EXPECT_EQ(exchange(amp, CMD_FLASH, FLASH_CHIP_ERASE, OP_SET), (std::vector<Packet>{ready(CMD_FLASH, FLASH_CHIP_ERASE)}));
    EXPECT_EQ(exchange(amp, CMD_MCU, MCU_ENTER_UPG_MODE, OP_SET), (std::vector<Packet>{ready(CMD_MCU, MCU_ENTER_UPG_MODE)}));
    EXPECT_EQ(exchange(amp, CMD_FLASH, FLASH_UPG_START, OP_SET, kHead), (std::vector<Packet>{ready(CMD_FLASH, FLASH_UPG_START)}));
    for (std::uint32_t offset : {0u, 50u, 100u}) {
        const std::uint8_t n = static_cast<std::uint8_t>(std::min<std::size_t>(50, firmware.size() - offset));
        const Bytes block = concat({u32(offset), {n}, Bytes(firmware.begin() + offset, firmware.begin() + offset + n)});
        EXPECT_EQ(exchange(amp, CMD_FLASH, FLASH_UPG_BLOCK, OP_SET, block), (std::vector<Packet>{ready(CMD_FLASH, FLASH_UPG_BLOCK)}));
    }
    EXPECT_EQ(exchange(amp, CMD_FLASH, FLASH_UPG_FINISH, OP_SET), (std::vector<Packet>{ready(CMD_FLASH, FLASH_UPG_FINISH)}));
    EXPECT_EQ(handshakeMode(amp), 0xF0) << "still in the loader until the reboot";
    EXPECT_EQ(exchange(amp, CMD_MCU, MCU_REBOOT, OP_SET), (std::vector<Packet>{ready(CMD_MCU, MCU_REBOOT)}));

    const DeviceState s = amp.state();
    EXPECT_EQ(s.dspImage, firmware);
    EXPECT_TRUE(s.upgrade.erased);
    EXPECT_EQ(s.upgrade.blocks, 3);
    EXPECT_EQ(handshakeMode(amp), 0x01);
}

TEST(SimUpgrade, StepsOutOfOrderAreRefused)
{
    SimulatedAmplifier amp(instantOptions());
    EXPECT_EQ(exchange(amp, CMD_MCU, MCU_UPG_START, OP_SET, kHead), (std::vector<Packet>{notReady(CMD_MCU, MCU_UPG_START)}))
        << "start before enter";
    EXPECT_EQ(exchange(amp, CMD_FLASH, FLASH_UPG_BLOCK, OP_SET, concat({u32(0), {1, 0xAB}})),
              (std::vector<Packet>{notReady(CMD_FLASH, FLASH_UPG_BLOCK)}))
        << "block before start";

    send(amp, CMD_MCU, MCU_ENTER_UPG_MODE, OP_SET);
    send(amp, CMD_MCU, MCU_UPG_START, OP_SET, kHead);
    drainReports(amp);
    EXPECT_EQ(exchange(amp, CMD_FLASH, FLASH_UPG_BLOCK, OP_SET, concat({u32(0), {1, 0xAB}})),
              (std::vector<Packet>{notReady(CMD_FLASH, FLASH_UPG_BLOCK)}))
        << "a DSP block into a controller upgrade";
    EXPECT_EQ(exchange(amp, CMD_MCU, MCU_UPG_BLOCK, OP_SET, concat({u32(3u << 20), Bytes(32, 1)})),
              (std::vector<Packet>{notReady(CMD_MCU, MCU_UPG_BLOCK)}))
        << "beyond any image this amplifier takes";
    EXPECT_EQ(exchange(amp, CMD_MCU, MCU_UPG_FINISH, OP_SET), (std::vector<Packet>{ready(CMD_MCU, MCU_UPG_FINISH)}));
    EXPECT_EQ(exchange(amp, CMD_MCU, MCU_UPG_FINISH, OP_SET), (std::vector<Packet>{notReady(CMD_MCU, MCU_UPG_FINISH)}));
}

TEST(SimUpgrade, AHalfWrittenControllerLeavesOnlyTheLoaderAfterAReboot)
{
    SimulatedAmplifier amp(instantOptions());
    send(amp, CMD_MCU, MCU_ENTER_UPG_MODE, OP_SET);
    send(amp, CMD_MCU, MCU_UPG_START, OP_SET, kHead);
    send(amp, CMD_MCU, MCU_REBOOT, OP_SET);
    drainReports(amp);
    EXPECT_EQ(handshakeMode(amp), 0xF0);
}

} // namespace
} // namespace dravo::sim::test
