#pragma once
// A DRAVO-8.12 in software: it takes the host's output reports, parses them
// as the amplifier does, keeps its parameter set, scenes and firmware images
// in DeviceState, and queues the reply reports the host reads. All public
// members are thread-safe; a writer thread and a reader thread may use one
// amplifier at the same time.
#include "DeviceState.h"
#include "PacketReceiver.h"
#include "ReportQueue.h"
#include "SimOptions.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

namespace dravo::sim {

// One request as the device parsed it.
struct ReceivedRequest {
    std::uint8_t cmd = 0;
    std::uint8_t sub = 0;
    std::uint8_t op = 0;
    std::vector<std::uint8_t> data;

    bool operator==(const ReceivedRequest&) const = default;
};

class SimulatedAmplifier {
public:
    explicit SimulatedAmplifier(SimOptions options = {});

    // Takes one output report: 65 bytes, byte 0 the report id 0. False when
    // the device is unplugged or the report is not of that shape.
    bool receiveReport(const std::uint8_t* report, std::size_t size);

    // Waits up to `timeoutMs` (negative: without limit) for the next input
    // report and copies its 64 bytes to `out`. Returns 64, 0 on time-out, or
    // -1 once the device is unplugged or `abandon` is set (see wake()).
    int nextReport(std::uint8_t* out, int timeoutMs, const std::atomic<bool>* abandon = nullptr);

    // Makes waiting readers look at their abandon flag now.
    void wake();

    // Pull-out: pending and later reads fail, writes are refused; the state
    // is kept for when it is plugged in again.
    void unplug();
    void plugIn();
    bool pluggedIn() const;

    // Drops reports nobody has read: a newly opened device starts clean.
    void discardPendingReports();

    DeviceState state() const;
    void edit(const std::function<void(DeviceState&)>& change);

    std::vector<ReceivedRequest> receivedRequests() const;
    void clearReceivedRequests();

    const SimOptions& options() const { return mOptions; }

private:
    void onPacket(std::uint8_t length, std::uint8_t type, const std::uint8_t* bytes);
    void queueDuePing(ReportQueue::Clock::time_point now);

    const SimOptions mOptions;
    mutable std::mutex mMutex;
    std::condition_variable mChanged;
    DeviceState mState;
    PacketReceiver mReceiver;
    ReportQueue mQueue;
    std::vector<ReceivedRequest> mReceived;
    bool mPlugged = true;
    ReportQueue::Clock::time_point mNextPing;
};

} // namespace dravo::sim
