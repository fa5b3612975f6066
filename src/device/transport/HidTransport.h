#pragma once
// The one seam between DeviceLink and whatever carries reports: hidapi on a
// real amplifier, the virtual HID bus of a directory (emulators, tests), or
// the simulated amplifier in this process. Nothing above DeviceLink knows
// which one runs.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace dravo {

struct HidDeviceInfo {
    std::string path;                        // as the backend reports it
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::optional<std::string> serialNumber; // UTF-8; absent when unreadable
};

enum class OpenError {
    None,
    NotFound,          // no such device (or none matching when opening the first)
    PermissionDenied,  // the hidraw node exists but we may not open it
    Failed,            // anything else
};

// One open device. Strings are UTF-8; an absent optional means the read
// failed. A connection must be safe to close while another thread is inside
// read() or write(): close() makes a pending read return promptly and waits
// for both to leave before releasing the device.
class HidConnection {
public:
    virtual ~HidConnection() = default;

    // Writes one output report (65 bytes, byte 0 the report id). Returns the
    // number of bytes written, or -1 on error (see lastError()).
    virtual int write(const std::uint8_t* report, std::size_t size) = 0;

    // Reads one input report (64 bytes, no report id) into `buffer`. Returns
    // the number of bytes, 0 on time-out, -1 on error (a pulled-out device
    // reports -1 at once rather than waiting out the time-out).
    virtual int read(std::uint8_t* buffer, std::size_t size, int timeoutMs) = 0;

    virtual std::optional<std::string> manufacturer() = 0;
    virtual std::optional<std::string> product() = 0;
    virtual std::optional<std::string> serialNumber() = 0;
    virtual std::optional<std::string> indexedString(int index) = 0;

    virtual void setNonblocking(bool on) = 0;
    virtual std::string lastError() = 0;

    // Idempotent. After it returns no read or write is in progress.
    virtual void close() = 0;
};

struct OpenResult {
    std::unique_ptr<HidConnection> connection;
    OpenError error = OpenError::None;
    std::string message; // for the log and the user; includes a hint when useful
};

struct HotplugEvent {
    bool arrived = false; // false: removed
    std::string path;
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
};

// Reports arrival and removal of matching devices on a thread of its own
// until destroyed.
class HotplugMonitor {
public:
    virtual ~HotplugMonitor() = default;
};

class HidBackend {
public:
    virtual ~HidBackend() = default;

    virtual bool init() = 0;
    virtual std::vector<HidDeviceInfo> enumerate(std::uint16_t vendorId, std::uint16_t productId) = 0;
    virtual OpenResult open(const std::string& path) = 0;
    // Opens the first enumerated device with these ids.
    virtual OpenResult openFirst(std::uint16_t vendorId, std::uint16_t productId) = 0;

    // Starts watching for devices with these ids; `callback` runs on the
    // monitor's own thread. Returns null when watching is not possible.
    virtual std::unique_ptr<HotplugMonitor> watch(std::uint16_t vendorId, std::uint16_t productId,
                                                  std::function<void(const HotplugEvent&)> callback) = 0;
};

// hidapi and udev, or the virtual bus when DRAVO_HID_BUS names a directory.
std::unique_ptr<HidBackend> makeDefaultBackend();

} // namespace dravo
