#include "ReportQueue.h"

#include "Log.h"

#include <algorithm>

namespace dravo::sim {

ReportQueue::ReportQueue(const SimOptions& options) : mOptions(options) {}

void ReportQueue::pushReply(std::vector<std::uint8_t> packet, Clock::time_point now)
{
    ++mReplyCount;
    if (mReplyCount == mOptions.dropReply) {
        LogWrite("dravo-sim: reply %d dropped\n", mReplyCount);
        return;
    }
    if (mReplyCount == mOptions.corruptReply) {
        LogWrite("dravo-sim: reply %d sent with a wrong checksum\n", mReplyCount);
        packet.back() = static_cast<std::uint8_t>(packet.back() + 1);
    }
    if (!mOptions.splitReplies) {
        pushUnsolicited(packet, now);
        return;
    }
    // The first half closes one report and the rest opens the next; the
    // zeros in front of the packet are skipped by a reader hunting for 0xAA.
    const std::size_t half = packet.size() / 2;
    Report first{};
    std::copy(packet.begin(), packet.begin() + static_cast<std::ptrdiff_t>(half), first.end() - half);
    Report second{};
    std::copy(packet.begin() + static_cast<std::ptrdiff_t>(half), packet.end(), second.begin());
    pushReport(first, now);
    pushReport(second, now);
}

void ReportQueue::pushUnsolicited(const std::vector<std::uint8_t>& packet, Clock::time_point now)
{
    Report report{};
    std::copy_n(packet.begin(), std::min(packet.size(), report.size()), report.begin());
    pushReport(report, now);
}

void ReportQueue::pushReport(const Report& report, Clock::time_point now)
{
    if (mReports.size() >= kCapacity) {
        LogWrite("dravo-sim: nobody reads, report lost\n");
        return;
    }
    const Clock::time_point readyAt =
        std::max(now, mLastReadyAt) + std::chrono::milliseconds(std::max(0, mOptions.latencyMs));
    mLastReadyAt = readyAt;
    mReports.push_back({report, readyAt});
}

ReportQueue::Report ReportQueue::pop()
{
    Report r = mReports.front().bytes;
    mReports.pop_front();
    return r;
}

} // namespace dravo::sim
