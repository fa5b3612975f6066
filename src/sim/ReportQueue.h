#pragma once
// The amplifier's interrupt-in side: reports wait here until the host reads
// them, each no earlier than one polling interval after the one before.
// Faults a test asks for are applied as replies enter the queue.
#include "SimOptions.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <deque>
#include <vector>

namespace dravo::sim {

class ReportQueue {
public:
    using Clock = std::chrono::steady_clock;
    using Report = std::array<std::uint8_t, 64>;

    // Like the kernel's per-reader buffer: when nobody reads, the oldest
    // reports stay and newer ones are lost.
    static constexpr std::size_t kCapacity = 64;

    explicit ReportQueue(const SimOptions& options);

    // Queues one reply packet, counting it for the drop and corrupt faults.
    void pushReply(std::vector<std::uint8_t> packet, Clock::time_point now);
    // Queues a packet the device sends on its own; the faults leave it alone.
    void pushUnsolicited(const std::vector<std::uint8_t>& packet, Clock::time_point now);

    bool empty() const { return mReports.empty(); }
    bool frontReady(Clock::time_point now) const { return !mReports.empty() && mReports.front().readyAt <= now; }
    Clock::time_point frontReadyAt() const { return mReports.front().readyAt; }
    Report pop();
    void clear() { mReports.clear(); }
    int repliesQueued() const { return mReplyCount; }

private:
    struct Pending {
        Report bytes;
        Clock::time_point readyAt;
    };
    void pushReport(const Report& report, Clock::time_point now);

    const SimOptions& mOptions;
    std::deque<Pending> mReports;
    Clock::time_point mLastReadyAt{};
    int mReplyCount = 0;
};

} // namespace dravo::sim
