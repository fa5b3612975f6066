// The window's side of the host seam: posts and calls reach the
// user-interface thread in order, records arrive owned by the receiver,
// timers tick by id, and shutting down neither loses a worker nor hangs on one.
#include "MessageIds.h"
#include "QtManagerHost.h"
#include "ShellTestSupport.h"

#include <QTest>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace dravo {
namespace {

struct Tracked final : Record {
    explicit Tracked(std::atomic<int>& alive) : mAlive(alive) { ++mAlive; }
    ~Tracked() override { --mAlive; }
    std::atomic<int>& mAlive;
};

class HostTest : public ::testing::Test {
protected:
    HostTest() { test::app(); }

    std::thread::id uiThread = std::this_thread::get_id();
    std::vector<std::uint32_t> received;
    std::vector<std::thread::id> receivedOn;
    std::vector<int> ticks;
    std::unique_ptr<Record> kept;
    QtManagerHost host{nullptr,
                       [this](Message& m) {
                           received.push_back(m.id);
                           receivedOn.push_back(std::this_thread::get_id());
                           if (m.record)
                               kept = std::move(m.record);
                       },
                       [this](int id) { ticks.push_back(id); }};
};

TEST_F(HostTest, PostsFromAWorkerArriveOnTheUiThreadInOrderWithTheirRecord)
{
    std::atomic<int> alive{0};
    host.startWorker("poster", [&] {
        for (std::uint32_t id : {WM_SHOW_LOADING, WM_CONNECTED, WM_HIDE_LOADING}) {
            Message m;
            m.id = id;
            if (id == WM_CONNECTED)
                m.record = std::make_unique<Tracked>(alive);
            host.post(std::move(m));
        }
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return received.size() == 3; }, 5000));
    EXPECT_EQ(received, (std::vector<std::uint32_t>{WM_SHOW_LOADING, WM_CONNECTED, WM_HIDE_LOADING}));
    for (std::thread::id id : receivedOn)
        EXPECT_EQ(id, uiThread);
    // The receiver took the record; it lives exactly as long as the receiver keeps it.
    EXPECT_EQ(alive.load(), 1);
    kept.reset();
    EXPECT_EQ(alive.load(), 0);
}

TEST_F(HostTest, AWorkerWaitsForItsCallOnTheUiThread)
{
    std::atomic<bool> ranOnUi{false};
    std::atomic<bool> workerWentOn{false};
    host.startWorker("refresh", [&] {
        host.runOnUiThread([&] { ranOnUi = std::this_thread::get_id() == uiThread; });
        workerWentOn = ranOnUi.load();
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return workerWentOn.load(); }, 5000));
    EXPECT_TRUE(ranOnUi.load());
    // On the user-interface thread itself the call runs at once.
    bool direct = false;
    host.runOnUiThread([&] { direct = true; });
    EXPECT_TRUE(direct);
}

TEST_F(HostTest, TimersTickByIdUntilKilled)
{
    host.startTimer(CACHE_CH_VOLUME_TIMER, 5);
    ASSERT_TRUE(QTest::qWaitFor([&] { return ticks.size() >= 2; }, 2000));
    EXPECT_EQ(ticks.front(), CACHE_CH_VOLUME_TIMER);
    host.killTimer(CACHE_CH_VOLUME_TIMER);
    EXPECT_FALSE(host.TimerActive(CACHE_CH_VOLUME_TIMER));
    const std::size_t before = ticks.size();
    QTest::qWait(30);
    EXPECT_EQ(ticks.size(), before);
}

TEST_F(HostTest, ShutdownReleasesWaitingWorkersAndWaitsForThem)
{
    // A worker stuck waiting for the user-interface thread (which is busy
    // shutting down) and one in a long pause both end, and nothing they ask
    // for afterwards runs.
    std::atomic<bool> callRan{false};
    std::atomic<int> ended{0};
    host.startWorker("waiting for the UI", [&] {
        host.runOnUiThread([&] { callRan = true; });
        ++ended;
    });
    host.startWorker("pausing", [&] {
        host.sleepMs(60000);
        Message late;
        late.id = WM_CONNECTED;
        host.post(std::move(late));
        ++ended;
    });
    QTest::qSleep(50); // the call is queued, but this thread does not handle it
    const auto start = std::chrono::steady_clock::now();
    host.Shutdown();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ(ended.load(), 2);
    EXPECT_EQ(host.RunningWorkers(), 0);
    QCoreApplication::processEvents();
    EXPECT_FALSE(callRan.load());
    EXPECT_TRUE(received.empty());
}

} // namespace
} // namespace dravo
