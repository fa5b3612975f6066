#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "BusBackend.h"
#include "FakeBusDevice.h"
#include "ProductInfo.h"

namespace dravo {
namespace {

using namespace std::chrono_literals;
using test::FakeBusDevice;
using test::deviceJson;

constexpr auto kVid = kAmplifierUsbId.vendorId;
constexpr auto kPid = kAmplifierUsbId.productId;

class EventLog {
public:
    void add(const HotplugEvent& event) {
        std::lock_guard lock(mutex_);
        events_.push_back(event);
        changed_.notify_all();
    }
    // The events so far once there are `count` of them, or after `timeout`.
    std::vector<HotplugEvent> waitFor(std::size_t count, std::chrono::milliseconds timeout = 2s) {
        std::unique_lock lock(mutex_);
        changed_.wait_for(lock, timeout, [&] { return events_.size() >= count; });
        return events_;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<HotplugEvent> events_;
};

void expectEvent(const HotplugEvent& event, bool arrived, const std::string& path) {
    EXPECT_EQ(event.arrived, arrived);
    EXPECT_EQ(event.path, path);
    EXPECT_EQ(event.vendorId, kVid);
    EXPECT_EQ(event.productId, kPid);
}

class BusHotplugTest : public ::testing::Test {
protected:
    void SetUp() override {
        monitor_ = backend_.watch(kVid, kPid, [this](const HotplugEvent& e) { events_.add(e); });
        ASSERT_TRUE(monitor_);
    }

    test::TempDir dir_;
    BusBackend backend_{dir_.path()};
    EventLog events_;
    std::unique_ptr<HotplugMonitor> monitor_;
};

TEST_F(BusHotplugTest, ArrivalNeedsBothFilesAndRemovalEitherOne) {
    FakeBusDevice amp(dir_.path(), "amp");
    amp.writeJson(deviceJson(kVid, kPid));
    EXPECT_TRUE(events_.waitFor(1, 200ms).empty());
    amp.listen();
    auto events = events_.waitFor(1);
    ASSERT_EQ(events.size(), 1u);
    expectEvent(events[0], true, amp.socketPath());

    amp.removeJson();
    events = events_.waitFor(2);
    ASSERT_EQ(events.size(), 2u);
    expectEvent(events[1], false, amp.socketPath());

    amp.writeJson(deviceJson(kVid, kPid));
    events = events_.waitFor(3);
    ASSERT_EQ(events.size(), 3u);
    expectEvent(events[2], true, amp.socketPath());

    amp.removeSocket();
    events = events_.waitFor(4);
    ASSERT_EQ(events.size(), 4u);
    expectEvent(events[3], false, amp.socketPath());
}

TEST_F(BusHotplugTest, OtherIdsAreNotReported) {
    FakeBusDevice other(dir_.path(), "a-other");
    other.writeJson(deviceJson(kVid, kPid + 1));
    other.listen();
    FakeBusDevice amp(dir_.path(), "b-amp");
    amp.listen();
    amp.writeJson(deviceJson(kVid, kPid));
    // Changes are reported in order, so the other device would have come first.
    const auto events = events_.waitFor(1);
    ASSERT_EQ(events.size(), 1u);
    expectEvent(events[0], true, amp.socketPath());
    other.removeJson();
    EXPECT_EQ(events_.waitFor(2, 200ms).size(), 1u);
}

TEST_F(BusHotplugTest, DevicesPresentBeforeWatchingAreNotReportedAsArrivals) {
    FakeBusDevice early(dir_.path(), "early");
    early.writeJson(deviceJson(kVid, kPid));
    early.listen();
    auto events = events_.waitFor(1);
    ASSERT_EQ(events.size(), 1u);

    auto second = backend_.watch(kVid, kPid, [this](const HotplugEvent& e) { events_.add(e); });
    ASSERT_TRUE(second);
    EXPECT_EQ(events_.waitFor(2, 200ms).size(), 1u);
    early.removeJson();
    events = events_.waitFor(3); // both monitors see the removal
    ASSERT_EQ(events.size(), 3u);
    expectEvent(events[1], false, early.socketPath());
    expectEvent(events[2], false, early.socketPath());
}

// An emulator that died leaves its files behind; its socket refuses the
// host. That counts as pulled out until a new socket replaces it.
TEST_F(BusHotplugTest, RefusedConnectionIsARemovalUntilTheSocketIsReplaced) {
    FakeBusDevice amp(dir_.path(), "amp");
    amp.writeJson(deviceJson(kVid, kPid));
    amp.listen();
    ASSERT_EQ(events_.waitFor(1).size(), 1u);

    amp.stopListening();
    const auto refused = backend_.open(amp.socketPath());
    EXPECT_EQ(refused.error, OpenError::NotFound);
    EXPECT_FALSE(refused.message.empty());
    auto events = events_.waitFor(2);
    ASSERT_EQ(events.size(), 2u);
    expectEvent(events[1], false, amp.socketPath());
    EXPECT_TRUE(backend_.enumerate(kVid, kPid).empty());

    amp.removeSocket();
    amp.listen();
    events = events_.waitFor(3);
    ASSERT_EQ(events.size(), 3u);
    expectEvent(events[2], true, amp.socketPath());
    EXPECT_EQ(backend_.enumerate(kVid, kPid).size(), 1u);
    amp.serve([](test::DevicePeer&) {});
    EXPECT_TRUE(backend_.open(amp.socketPath()).connection);
}

TEST_F(BusHotplugTest, StopsPromptly) {
    const auto start = std::chrono::steady_clock::now();
    monitor_.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 500ms);
}

} // namespace
} // namespace dravo
