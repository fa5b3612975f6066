#include "SimulatedAmplifier.h"

#include "CommandContext.h"
#include "ControllerCommands.h"
#include "DspCommands.h"
#include "FactoryDefaults.h"
#include "FlashCommands.h"
#include "KaraokeCommands.h"
#include "Log.h"
#include "Packet.h"

#include <algorithm>

namespace dravo::sim {
namespace {

struct PacketTypeHandler {
    std::uint8_t type;
    bool (*handle)(CommandContext&, const Request&);
    bool inLoader; // the loader takes some of these packets (it decides which)
};

constexpr PacketTypeHandler kPacketTypeHandlers[] = {
    {CMD_DSP, handleDspRequest, false},
    {CMD_FLASH, handleFlashRequest, true},
    {CMD_MCU, handleControllerRequest, true},
    {CMD_KTV, handleKaraokeRequest, false},
};

std::vector<std::uint8_t> framePacket(const Reply& reply)
{
    std::vector<std::uint8_t> packet(reply.data.size() + 7);
    packet.resize(buildPacket(reply.cmd, reply.sub, reply.op, reply.data.data(), reply.data.size(), packet.data()));
    return packet;
}

} // namespace

SimulatedAmplifier::SimulatedAmplifier(SimOptions options)
    : mOptions(options), mState(factoryDevice(options.loaderMode)), mQueue(mOptions),
      mNextPing(ReportQueue::Clock::now() + std::chrono::milliseconds(options.pingMs))
{
    mReceiver.setHandler([this](std::uint8_t L, std::uint8_t type, const std::uint8_t* bytes) { onPacket(L, type, bytes); });
}

bool SimulatedAmplifier::receiveReport(const std::uint8_t* report, std::size_t size)
{
    if (size != kOutputReportSize || report[0] != 0)
        return false;
    std::lock_guard lock(mMutex);
    if (!mPlugged)
        return false;
    mReceiver.append(report + 1, size - 1);
    mReceiver.drain();
    mChanged.notify_all();
    return true;
}

void SimulatedAmplifier::onPacket(std::uint8_t length, std::uint8_t type, const std::uint8_t* bytes)
{
    const Request request{type, bytes[0], bytes[1], {bytes + 2, static_cast<std::size_t>(length - 3)}};
    LogWrite("dravo-sim: request type %u sub 0x%02x op 0x%02x, %zu data bytes\n", type, request.sub, request.op,
             request.data.size());
    mReceived.push_back({request.cmd, request.sub, request.op, {request.data.begin(), request.data.end()}});

    std::vector<Reply> replies;
    CommandContext ctx{mState, mOptions, replies};
    const auto* handler = std::find_if(std::begin(kPacketTypeHandlers), std::end(kPacketTypeHandlers),
                                       [&](const PacketTypeHandler& h) { return h.type == type; });
    const bool understood = handler != std::end(kPacketTypeHandlers) &&
                            (handler->inLoader || !mState.loaderMode) && handler->handle(ctx, request);
    if (!understood) {
        LogWrite("dravo-sim: no answer to type %u sub 0x%02x op 0x%02x with %zu data bytes\n", type, request.sub,
                 request.op, request.data.size());
        return;
    }
    const auto now = ReportQueue::Clock::now();
    for (const Reply& reply : replies)
        mQueue.pushReply(framePacket(reply), now);
}

void SimulatedAmplifier::queueDuePing(ReportQueue::Clock::time_point now)
{
    if (mOptions.pingMs <= 0 || now < mNextPing)
        return;
    mQueue.pushUnsolicited(framePacket({CMD_MCU, MCU_PING, OP_UPDATE, {}}), now);
    // A reader that was away for long gets one ping, not a burst.
    mNextPing = std::max(mNextPing + std::chrono::milliseconds(mOptions.pingMs), now);
}

int SimulatedAmplifier::nextReport(std::uint8_t* out, int timeoutMs, const std::atomic<bool>* abandon)
{
    using Clock = ReportQueue::Clock;
    const Clock::time_point deadline =
        timeoutMs < 0 ? Clock::time_point::max() : Clock::now() + std::chrono::milliseconds(timeoutMs);
    std::unique_lock lock(mMutex);
    for (;;) {
        if (!mPlugged || (abandon && abandon->load()))
            return -1;
        const Clock::time_point now = Clock::now();
        queueDuePing(now);
        if (mQueue.frontReady(now)) {
            const ReportQueue::Report report = mQueue.pop();
            std::copy(report.begin(), report.end(), out);
            return static_cast<int>(report.size());
        }
        if (now >= deadline)
            return 0;
        Clock::time_point wakeAt = deadline;
        if (!mQueue.empty())
            wakeAt = std::min(wakeAt, mQueue.frontReadyAt());
        if (mOptions.pingMs > 0)
            wakeAt = std::min(wakeAt, mNextPing);
        mChanged.wait_until(lock, wakeAt);
    }
}

void SimulatedAmplifier::wake()
{
    std::lock_guard lock(mMutex);
    mChanged.notify_all();
}

void SimulatedAmplifier::unplug()
{
    std::lock_guard lock(mMutex);
    mPlugged = false;
    mQueue.clear();
    mChanged.notify_all();
}

void SimulatedAmplifier::plugIn()
{
    std::lock_guard lock(mMutex);
    mPlugged = true;
}

bool SimulatedAmplifier::pluggedIn() const
{
    std::lock_guard lock(mMutex);
    return mPlugged;
}

void SimulatedAmplifier::discardPendingReports()
{
    std::lock_guard lock(mMutex);
    mQueue.clear();
}

DeviceState SimulatedAmplifier::state() const
{
    std::lock_guard lock(mMutex);
    return mState;
}

void SimulatedAmplifier::edit(const std::function<void(DeviceState&)>& change)
{
    std::lock_guard lock(mMutex);
    change(mState);
}

std::vector<ReceivedRequest> SimulatedAmplifier::receivedRequests() const
{
    std::lock_guard lock(mMutex);
    return mReceived;
}

void SimulatedAmplifier::clearReceivedRequests()
{
    std::lock_guard lock(mMutex);
    mReceived.clear();
}

} // namespace dravo::sim
