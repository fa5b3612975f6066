#pragma once
// What the bus directory holds, shared by the bus backend and its hot-plug
// monitors. A device is attached while both "<id>.json" and the socket
// "<id>.sock" exist. A socket file nobody listens on any more (its emulator
// died without cleaning up) refuses connections; such a socket counts as
// pulled out until it is replaced by a new one.
#include <sys/stat.h>

#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "BusDescriptor.h"
#include "ProductInfo.h"
#include "WakeEvent.h"

namespace dravo {

struct BusDevice {
    std::string id;
    std::string socketPath; // absolute; the device path
    BusDescriptor descriptor;
};

class BusRegistry {
public:
    explicit BusRegistry(const std::filesystem::path& directory);

    const std::filesystem::path& directory() const { return directory_; }

    // The attached devices with matching ids (0 matches any), sorted by id.
    std::vector<BusDevice> scan(UsbId wanted);

    // The socket at `socketPath` refused a connection: leave it out of scans
    // and have the monitors look again.
    void markRefused(const std::string& socketPath);

    // Monitors to wake when the set of attached devices changes without the
    // directory changing.
    void addListener(std::weak_ptr<WakeEvent> listener);

private:
    struct FileIdentity {
        dev_t device = 0;
        ino_t inode = 0;
        timespec changed{};
    };
    static bool sameFile(const FileIdentity& a, const FileIdentity& b);
    bool isRefused(const std::string& socketPath, const struct stat& st);

    std::filesystem::path directory_;
    std::mutex mutex_;
    std::map<std::string, FileIdentity> refused_;
    std::vector<std::weak_ptr<WakeEvent>> listeners_;
};

} // namespace dravo
