// Injected faults and device modes: what a host has to survive.
#include "SimTestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace dravo::sim::test {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

SimOptions with(void (*change)(SimOptions&))
{
    SimOptions o = instantOptions();
    change(o);
    return o;
}

std::vector<Packet> threeVolumeQueries(SimulatedAmplifier& amp)
{
    std::vector<Packet> packets;
    for (std::uint8_t attenuation : {10, 20, 30}) {
        send(amp, CMD_DSP, DSP_VOLUME, OP_SET, {attenuation});
        drainReports(amp);
        for (const Packet& p : exchange(amp, CMD_DSP, DSP_VOLUME, OP_GET))
            packets.push_back(p);
    }
    return packets;
}

TEST(SimFault, DroppedReplyNeverArrives)
{
    SimulatedAmplifier amp(with([](SimOptions& o) { o.dropReply = 4; }));
    // replies: ack 1, volume 2, ack 3, volume 4 (dropped), ack 5, volume 6
    EXPECT_EQ(threeVolumeQueries(amp),
              (std::vector<Packet>{update(CMD_DSP, DSP_VOLUME, {0xFC}), update(CMD_DSP, DSP_VOLUME, {0xE8})}));
}

TEST(SimFault, CorruptedReplyFailsItsChecksumOnly)
{
    SimulatedAmplifier amp(with([](SimOptions& o) { o.corruptReply = 1; }));
    send(amp, CMD_DSP, DSP_VOLUME, OP_GET);
    const std::vector<Bytes> reports = drainReports(amp);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(Bytes(reports[0].begin(), reports[0].begin() + 8), (Bytes{0xAA, 0x55, 0x04, 0x01, 0x02, 0xDD, 0xFB, 0x22}));
    EXPECT_TRUE(parse(reports).empty());
    EXPECT_EQ(exchange(amp, CMD_DSP, DSP_VOLUME, OP_GET), (std::vector<Packet>{update(CMD_DSP, DSP_VOLUME, {0xFB})}));
}

TEST(SimFault, SplitReplyStraddlesTwoReports)
{
    SimulatedAmplifier amp(with([](SimOptions& o) { o.splitReplies = true; }));
    send(amp, CMD_MCU, MCU_HANDSHAKE, OP_SET);
    const std::vector<Bytes> reports = drainReports(amp);
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_TRUE(parse({reports[0]}).empty()) << "half a packet";
    EXPECT_EQ(parse(reports), (std::vector<Packet>{update(CMD_MCU, MCU_HANDSHAKE, {0x01, 0x60, 0x01, 0x21})}));
}

TEST(SimFault, PingsArriveUnasked)
{
    SimulatedAmplifier amp(with([](SimOptions& o) { o.pingMs = 10; }));
    std::uint8_t report[64];
    std::vector<Bytes> reports;
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(amp.nextReport(report, 1000), 64);
        reports.emplace_back(report, report + 64);
    }
    EXPECT_EQ(parse(reports), (std::vector<Packet>{update(CMD_MCU, MCU_PING, {}), update(CMD_MCU, MCU_PING, {})}));
}

TEST(SimFault, LatencyHoldsEachReportBack)
{
    SimOptions o;
    o.latencyMs = 30;
    SimulatedAmplifier amp(o);
    const auto start = Clock::now();
    send(amp, CMD_DSP, DSP_EQ_CH, OP_GET, {0, 0, 0, 0, 13}); // two reports
    std::uint8_t report[64];
    EXPECT_EQ(amp.nextReport(report, 0), 0) << "not ready at once";
    EXPECT_EQ(amp.nextReport(report, 1000), 64);
    EXPECT_EQ(amp.nextReport(report, 1000), 64);
    EXPECT_GE(Clock::now() - start, milliseconds(60)) << "one interval per report";
}

TEST(SimFault, LoaderModeAnswersTheHandshakeWithF0AndNothingElse)
{
    SimulatedAmplifier amp(with([](SimOptions& o) { o.loaderMode = true; }));
    EXPECT_EQ(exchange(amp, CMD_MCU, MCU_HANDSHAKE, OP_SET),
              (std::vector<Packet>{update(CMD_MCU, MCU_HANDSHAKE, {0xF0, 0x60, 0x01, 0x21})}));
    EXPECT_TRUE(exchange(amp, CMD_DSP, DSP_VOLUME, OP_GET).empty());
    EXPECT_TRUE(exchange(amp, CMD_FLASH, FLASH_SCENE_VALID, OP_GET).empty());
}

TEST(SimFault, ModelAndVersionsAreWhatTheOptionsSay)
{
    SimulatedAmplifier amp(with([](SimOptions& o) {
        o.model = 97;
        o.masterVersion = 2;
        o.slaveVersion = 3;
    }));
    EXPECT_EQ(exchange(amp, CMD_MCU, MCU_HANDSHAKE, OP_SET),
              (std::vector<Packet>{update(CMD_MCU, MCU_HANDSHAKE, {0x01, 97, 2, 3})}));
}

TEST(SimFault, UnplugFailsABlockedReadAtOnceAndRefusesWrites)
{
    SimulatedAmplifier amp(instantOptions());
    std::thread puller([&] {
        std::this_thread::sleep_for(milliseconds(30));
        amp.unplug();
    });
    const auto start = Clock::now();
    std::uint8_t report[64];
    EXPECT_EQ(amp.nextReport(report, 5000), -1);
    EXPECT_LT(Clock::now() - start, milliseconds(2000));
    puller.join();

    const OutputReport request = buildOutputReport(CMD_DSP, DSP_VOLUME, OP_GET, nullptr, 0);
    EXPECT_FALSE(amp.receiveReport(request.data(), request.size()));
    amp.plugIn();
    EXPECT_TRUE(amp.receiveReport(request.data(), request.size()));
    EXPECT_EQ(amp.nextReport(report, 1000), 64);
}

} // namespace
} // namespace dravo::sim::test
