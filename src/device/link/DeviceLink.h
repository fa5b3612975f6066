#pragma once
// The one object that talks to the amplifier: it opens and closes the HID
// device, frames and writes requests, reads and decodes what comes back, and
// runs the command worker that sends queued requests one at a time, each
// after the answer to the previous one. It also holds the list of plugged-in
// amplifiers.
//
// Threads: the user-interface thread, the command worker and short-lived
// workers all send and read through one DeviceLink. Writers take turns (one
// report at a time, a waiting sender gives up after 2000 ms); readers are
// serialised (one thread at a time feeds the parser). Closing may happen while
// another thread is inside a read or a write on the same device.
#include "CommandQueue.h"
#include "DeviceList.h"
#include "DeviceRequests.h"
#include "MessageSink.h"
#include "PacketReceiver.h"
#include "ReplyDecoder.h"
#include "transport/HidTransport.h"

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace dravo {

// Why the last OpenHIDDevice failed; error None after a successful open.
// The message comes from the backend and may carry a hint for the user (for
// instance how to get access to the device node).
struct OpenFailure {
    OpenError error = OpenError::None;
    std::string message;
};

class DeviceLink : public DeviceRequests {
public:
    // Starts the command worker; no device is open yet.
    explicit DeviceLink(std::unique_ptr<HidBackend> backend);
    // Stops the worker (queued requests are dropped unsent) and closes the
    // device without announcing it.
    ~DeviceLink() override;

    DeviceLink(const DeviceLink&) = delete;
    DeviceLink& operator=(const DeviceLink&) = delete;

    // --- Transport ---

    // Opens `path`, or the first matching amplifier when it is empty. A
    // device that fails three or more of its four string reads is closed
    // again. IsConnected() tells whether it worked, LastOpenError() why not.
    void OpenHIDDevice(const std::string& path);
    // With `announce`, the device is first told that the tool is leaving.
    void CloseHIDDevice(bool announce);
    bool IsConnected() const;
    OpenFailure LastOpenError() const;

    // Frames one request and writes it as one 65-byte report. False when
    // nothing was written (no device, the write turn not obtained within
    // 2000 ms, a write error, more than 57 data bytes).
    bool SendCtrlCommand(std::uint8_t cmd, std::uint8_t subcmd, std::uint8_t optype, const std::uint8_t* data,
                         std::uint8_t len);

    // Reads one input report (up to 64 bytes into `buffer`) within
    // `timeoutMs`, feeds it to the parser and dispatches every packet it
    // completes. True when at least one byte was read.
    bool ReadHIDData(std::uint8_t* buffer, std::uint32_t timeoutMs);
    // The buffer the link's own reads use, and the length of the last read
    // (0 after a failed one). The firmware upgrade looks at both right after
    // its ReadHIDData.
    std::uint8_t* ReadBuffer() { return mReadBuffer.data(); }
    int LastReadLength() const { return mLastReadLength; }

    // --- Command worker ---

    // Opens and closes the request path: while closed, queued setters drop
    // their requests.
    void EnableCmdCtrl();
    void DisableCmdCtrl();
    bool CmdEnabled() const { return mCmdEnabled != 0; }
    // True when everything queued has been sent and answered (or timed out).
    bool QueueIdle() const { return mQueueIdle != 0; }

    // --- Receivers of decoded replies ---

    // Registers the window that receives the messages for `target`; null
    // unregisters it (its messages are then dropped). Once this returns, no
    // message is being delivered to the previous sink. Registering the main
    // window also marks the queue idle.
    void SetTarget(Target target, MessageSink* sink);

    // Sees every packet that passed its checksum, on the reading thread,
    // before it is decoded (traces, the memory window). Null removes it.
    using PacketObserver = std::function<void(std::uint8_t L, std::uint8_t type, const std::uint8_t* bytes)>;
    void SetPacketObserver(PacketObserver observer);

    // Facts the decoders keep for the connection and upgrade logic.
    LinkState& State() { return mState; }
    // The receive ring and parser. Only for a thread that is itself reading
    // (the firmware upgrade passes read bytes through it a second time).
    PacketReceiver& Receiver() { return mReceiver; }

    // --- Devices ---

    DeviceList& Devices() { return mDevices; }
    // Rebuilds the device list from a fresh enumeration.
    void UpdateDeviceList();
    // Reports amplifiers arriving and leaving, on the monitor's thread, until
    // the monitor is destroyed. Null when watching is not possible.
    std::unique_ptr<HotplugMonitor> WatchDevices(std::function<void(const HotplugEvent&)> callback);

protected:
    void submit(const Request& request, bool immediate, std::uint32_t readTimeoutMs) override;
    bool sendAndRead(const Request& request, std::uint32_t readTimeoutMs) override;
    bool sendOnly(const Request& request) override;

private:
    std::shared_ptr<HidConnection> handle() const;
    bool takeWriteTurn(std::chrono::steady_clock::time_point start);
    void releaseWriteTurn();
    bool writeReport(HidConnection& connection, const std::uint8_t* report);
    void appendCommand(const Request& request);
    bool readReport(std::uint8_t* buffer, std::uint32_t timeoutMs);
    void onPacket(std::uint8_t L, std::uint8_t type, const std::uint8_t* bytes);
    void post(Target target, Message message);
    void McuCmdThread();

    std::unique_ptr<HidBackend> mBackend;

    // The open device. Readers and writers take a reference for the length
    // of one call, so closing can clear it while they are inside the device:
    // they see it gone at their next look, and the connection object lives
    // until the last of them lets go.
    mutable std::mutex mHandleMutex;
    std::shared_ptr<HidConnection> mHidHandle;
    std::atomic<bool> mOpen{false};     // mHidHandle is set; cheap to test per byte
    std::atomic<int> mHandleNumber{0};  // names the open device in the log
    OpenFailure mLastOpenError;

    // The write turn.
    std::mutex mWriteTurnMutex;
    std::condition_variable mWriteTurnFree;
    bool mWriteBusy = false;

    // One reader at a time: mReadBuffer, the ring and the parser are shared.
    std::mutex mReadMutex;
    std::array<std::uint8_t, kOutputReportSize> mReadBuffer{};
    std::atomic<int> mLastReadLength{0};
    std::atomic<int> mDspQueryCount{0};

    LinkState mState;
    ReplyDecoder mDecoder;
    PacketReceiver mReceiver;
    std::mutex mObserverMutex;
    PacketObserver mPacketObserver;

    // Held while a message is handed to a sink, so unregistering waits for
    // a delivery in progress.
    std::recursive_mutex mTargetMutex;
    std::array<MessageSink*, kTargetCount> mTargets{};

    DeviceList mDevices;

    std::atomic<std::uint8_t> mCmdEnabled{0};
    std::atomic<std::uint8_t> mQueueIdle{0};
    std::atomic<std::uint8_t> mWorkerRun{0};
    CommandQueue mQueue{mQueueIdle};
    std::thread mWorker; // last: starts once everything above exists
};

} // namespace dravo
