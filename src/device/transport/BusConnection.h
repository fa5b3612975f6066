#pragma once
// One device on the virtual HID bus: a connected Unix stream socket that
// carries 65-byte output reports one way and 64-byte input reports the
// other. The stream has no report boundaries, so a report may arrive in
// pieces; a piece that is still incomplete when a read times out is kept for
// the next read. The device closing its end is a pull-out.
#include <atomic>
#include <mutex>
#include <vector>

#include "BusDescriptor.h"
#include "CallGate.h"
#include "HidTransport.h"
#include "WakeEvent.h"

namespace dravo {

class BusConnection final : public HidConnection {
public:
    // A write that the device does not take within this time leaves the
    // stream out of step; the connection then counts as pulled out.
    static constexpr int kWriteTimeoutMs = 5000;

    // Takes ownership of the connected socket `fd`.
    BusConnection(int fd, BusDescriptor descriptor);
    ~BusConnection() override;

    int write(const std::uint8_t* report, std::size_t size) override;
    int read(std::uint8_t* buffer, std::size_t size, int timeoutMs) override;

    std::optional<std::string> manufacturer() override;
    std::optional<std::string> product() override;
    std::optional<std::string> serialNumber() override;
    std::optional<std::string> indexedString(int index) override;

    void setNonblocking(bool on) override;
    std::string lastError() override;
    void close() override;

private:
    enum class Wait { Ready, TimedOut, Closing, Failed };
    Wait waitFor(short events, int timeoutMs);
    int fail(const std::string& error, bool peerGone = false);
    std::optional<std::string> deviceString(const std::optional<std::string>& value);

    int fd_;
    const BusDescriptor descriptor_;
    WakeEvent wake_;
    CallGate gate_;
    std::atomic<bool> peerGone_{false};
    std::mutex closeMutex_;
    std::mutex readMutex_;
    std::mutex writeMutex_;
    std::vector<std::uint8_t> pending_; // the start of an input report (under readMutex_)
    std::mutex errorMutex_;
    std::string lastError_;
};

} // namespace dravo
