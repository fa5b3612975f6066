// The in-process backend: simulated amplifiers as HID devices.
#include "SimBackend.h"
#include "SimTestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace dravo::sim::test {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr std::uint16_t kVid = 0x0483;
constexpr std::uint16_t kPid = 0x5750;

TEST(SimBackend, ListsAndOpensAttachedAmplifiers)
{
    SimBackend backend;
    backend.attach("amp1", instantOptions());
    backend.attach("amp2", instantOptions());
    std::unique_ptr<HidBackend> hid = backend.handle();

    const std::vector<HidDeviceInfo> devices = hid->enumerate(kVid, kPid);
    ASSERT_EQ(devices.size(), 2u);
    EXPECT_EQ(devices[0].path, "sim:amp1");
    EXPECT_EQ(devices[0].serialNumber, "SIM-amp1");
    EXPECT_TRUE(hid->enumerate(0x1234, kPid).empty());

    OpenResult opened = hid->open("sim:amp2");
    ASSERT_TRUE(opened.connection);
    HidConnection& c = *opened.connection;
    EXPECT_EQ(c.serialNumber(), "SIM-amp2");
    EXPECT_EQ(c.product(), "DRAVO-8.12");
    EXPECT_TRUE(c.manufacturer().has_value());
    EXPECT_TRUE(c.indexedString(1).has_value());

    const OutputReport handshake = buildOutputReport(CMD_MCU, MCU_HANDSHAKE, OP_SET, nullptr, 0);
    EXPECT_EQ(c.write(handshake.data(), handshake.size()), 65);
    std::uint8_t report[64];
    ASSERT_EQ(c.read(report, sizeof report, 1000), 64);
    EXPECT_EQ(parse({Bytes(report, report + 64)}), (std::vector<Packet>{update(CMD_MCU, MCU_HANDSHAKE, {1, 96, 1, 33})}));
    EXPECT_EQ(c.read(report, sizeof report, 0), 0) << "nothing more";
    EXPECT_EQ(backend.amplifier("amp2")->receivedRequests().size(), 1u);

    EXPECT_EQ(hid->open("sim:amp3").error, OpenError::NotFound);
}

TEST(SimBackend, StringsThatAreAbsentCannotBeRead)
{
    SimBackend backend;
    backend.attach("mute", std::make_shared<SimulatedAmplifier>(instantOptions()), SimDeviceStrings{});
    OpenResult opened = backend.open("sim:mute");
    ASSERT_TRUE(opened.connection);
    EXPECT_FALSE(opened.connection->manufacturer());
    EXPECT_FALSE(opened.connection->product());
    EXPECT_FALSE(opened.connection->serialNumber());
    EXPECT_FALSE(opened.connection->indexedString(1));
}

TEST(SimBackend, CloseWakesABlockedReadPromptly)
{
    SimBackend backend;
    backend.attach("amp1", instantOptions());
    OpenResult opened = backend.open("sim:amp1");
    ASSERT_TRUE(opened.connection);

    int result = 0;
    Clock::duration blocked{};
    std::thread reader([&] {
        std::uint8_t report[64];
        const auto start = Clock::now();
        result = opened.connection->read(report, sizeof report, 10000);
        blocked = Clock::now() - start;
    });
    std::this_thread::sleep_for(milliseconds(50));
    opened.connection->close();
    reader.join();
    EXPECT_EQ(result, -1);
    EXPECT_LT(blocked, milliseconds(2000));
    std::uint8_t report[64];
    EXPECT_EQ(opened.connection->read(report, sizeof report, 0), -1) << "closed stays closed";
}

TEST(SimBackend, DetachPullsTheDeviceOutAndWatchersHearOfIt)
{
    SimBackend backend;
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::pair<bool, std::string>> events;
    std::unique_ptr<HotplugMonitor> monitor = backend.watch(kVid, kPid, [&](const HotplugEvent& e) {
        std::lock_guard lock(mutex);
        events.emplace_back(e.arrived, e.path);
        changed.notify_all();
    });

    backend.attach("amp1", instantOptions());
    OpenResult opened = backend.open("sim:amp1");
    ASSERT_TRUE(opened.connection);
    backend.detach("amp1");

    std::uint8_t report[64];
    EXPECT_EQ(opened.connection->read(report, sizeof report, 1000), -1);
    const OutputReport request = buildOutputReport(CMD_DSP, DSP_VOLUME, OP_GET, nullptr, 0);
    EXPECT_EQ(opened.connection->write(request.data(), request.size()), -1);
    EXPECT_TRUE(backend.enumerate(kVid, kPid).empty());

    std::unique_lock lock(mutex);
    ASSERT_TRUE(changed.wait_for(lock, std::chrono::seconds(2), [&] { return events.size() == 2; }));
    EXPECT_EQ(events, (std::vector<std::pair<bool, std::string>>{{true, "sim:amp1"}, {false, "sim:amp1"}}));
}

TEST(SimBackend, OpenFirstTakesTheFirstAttached)
{
    SimBackend backend;
    EXPECT_EQ(backend.openFirst(kVid, kPid).error, OpenError::NotFound);
    backend.attach("b", instantOptions());
    backend.attach("a", instantOptions());
    OpenResult opened = backend.openFirst(kVid, kPid);
    ASSERT_TRUE(opened.connection);
    EXPECT_EQ(opened.connection->serialNumber(), "SIM-b");
}

} // namespace
} // namespace dravo::sim::test
