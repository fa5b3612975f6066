#include "CommandCodes.h"
#include "Packet.h"
#include "PacketReceiver.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

using namespace dravo;

namespace {

struct Seen {
    std::uint8_t L, type;
    std::vector<std::uint8_t> bytes;
};

class Receiver : public testing::Test {
protected:
    Receiver()
    {
        rx.setHandler([this](std::uint8_t L, std::uint8_t type, const std::uint8_t* b) {
            seen.push_back({L, type, std::vector<std::uint8_t>(b, b + L - 1)});
        });
    }

    static std::vector<std::uint8_t> packet(std::uint8_t type, std::uint8_t sub, std::uint8_t op,
                                            std::vector<std::uint8_t> data = {})
    {
        std::vector<std::uint8_t> out(data.size() + 7);
        buildPacket(type, sub, op, data.data(), data.size(), out.data());
        return out;
    }

    // Feeds one 64-byte input report (zero-padded), as a read would.
    void report(std::vector<std::uint8_t> bytes)
    {
        bytes.resize(kInputReportSize, 0);
        rx.append(bytes.data(), bytes.size());
        rx.drain();
    }

    PacketReceiver rx;
    std::vector<Seen> seen;
};

TEST_F(Receiver, OnePacketPaddedWithZerosDispatchesOnce)
{
    report(packet(CMD_DSP, DSP_VOLUME, OP_UPDATE, {0xFA}));
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].L, 4);
    EXPECT_EQ(seen[0].type, CMD_DSP);
    EXPECT_EQ(seen[0].bytes, (std::vector<std::uint8_t>{DSP_VOLUME, OP_UPDATE, 0xFA}));
}

TEST_F(Receiver, TwoPacketsInOneReport)
{
    auto bytes = packet(CMD_MCU, MCU_HANDSHAKE, OP_UPDATE, {0x01, 0x60, 0x01, 0x21});
    const auto second = packet(CMD_FLASH, FLASH_SCENE_ID, OP_UPDATE, {0x03});
    bytes.insert(bytes.end(), second.begin(), second.end());
    report(bytes);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].type, CMD_MCU);
    EXPECT_EQ(seen[1].type, CMD_FLASH);
    EXPECT_EQ(seen[1].bytes.back(), 0x03);
}

TEST_F(Receiver, PacketSplitAcrossReportsDispatchesAfterSecond)
{
    std::vector<std::uint8_t> data(20, 0x42);
    const auto p = packet(CMD_DSP, DSP_EQ_CH, OP_UPDATE, data);
    std::vector<std::uint8_t> first(kInputReportSize - 4, 0);
    first.insert(first.end(), p.begin(), p.begin() + 4); // header ends the first report
    report(first);
    EXPECT_TRUE(seen.empty());
    report(std::vector<std::uint8_t>(p.begin() + 4, p.end()));
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].bytes.size(), 22u);
}

TEST_F(Receiver, BadChecksumIsDroppedAndNextPacketFound)
{
    auto bad = packet(CMD_DSP, DSP_MUTE, OP_UPDATE, {0x01});
    bad.back() = static_cast<std::uint8_t>(bad.back() + 1);
    const auto good = packet(CMD_DSP, DSP_SOURCE_SWITCH, OP_UPDATE, {0x02});
    bad.insert(bad.end(), good.begin(), good.end());
    report(bad);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].bytes[0], DSP_SOURCE_SWITCH);
}

TEST_F(Receiver, BytesBetweenAaAnd55AreSkipped)
{
    auto p = packet(CMD_DSP, DSP_MUTE, OP_UPDATE, {0x01});
    p.insert(p.begin() + 1, 0x12);
    report(p);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].bytes[0], DSP_MUTE);
}

TEST_F(Receiver, PacketWithoutDataReachesHandler)
{
    report(packet(CMD_MCU, MCU_INIT, OP_UPDATE));
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].L, 3);
}

TEST_F(Receiver, LengthBelowThreeIsDropped)
{
    // L = 2 with a checksum that holds over the bytes present.
    const std::uint8_t L = 2, type = CMD_DSP, sub = DSP_MUTE;
    const std::uint8_t sum = static_cast<std::uint8_t>(-(L + type + sub));
    report({0xAA, 0x55, L, type, sub, sum});
    report(packet(CMD_DSP, DSP_SOURCE_SWITCH, OP_UPDATE, {0x02}));
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].bytes[0], DSP_SOURCE_SWITCH);
}

TEST_F(Receiver, LengthThatNeverClosesIsConsumedToPosition64)
{
    std::vector<std::uint8_t> junk = {0xAA, 0x55, 0x70, CMD_DSP};
    const auto inside = packet(CMD_DSP, DSP_MUTE, OP_UPDATE, {0x01});
    junk.insert(junk.end(), inside.begin(), inside.end());
    junk.resize(kInputReportSize, 0);
    rx.append(junk.data(), junk.size());
    rx.append(std::uint8_t{0}); // position 64
    rx.drain();
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(rx.position(), 0);
    report(packet(CMD_DSP, DSP_SOURCE_SWITCH, OP_UPDATE, {0x02}));
    EXPECT_EQ(seen.size(), 1u);
}

TEST_F(Receiver, LongestAcceptedPacket)
{
    std::vector<std::uint8_t> data(58, 0x07); // L = 61
    std::vector<std::uint8_t> p(data.size() + 7);
    // buildPacket caps requests at 57 data bytes; replies may be longer.
    p[0] = 0xAA; p[1] = 0x55; p[2] = 61; p[3] = CMD_DSP; p[4] = DSP_EQ_CH; p[5] = OP_UPDATE;
    std::copy(data.begin(), data.end(), p.begin() + 6);
    p.back() = static_cast<std::uint8_t>(packet_checksum(61, CMD_DSP, p.data() + 4));
    rx.append(p.data(), p.size());
    rx.drain();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].bytes.size(), 60u);
}

} // namespace
