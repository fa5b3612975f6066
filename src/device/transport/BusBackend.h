#pragma once
// The virtual HID bus of a directory, for emulators and tests. Each attached
// device is "<id>.json" (ids and strings) beside "<id>.sock", a Unix stream
// socket the device listens on; the device path is the socket's absolute
// path.
#include <filesystem>
#include <memory>

#include "BusRegistry.h"
#include "HidTransport.h"

namespace dravo {

class BusBackend final : public HidBackend {
public:
    explicit BusBackend(const std::filesystem::path& directory);

    // True while the directory exists.
    bool init() override;
    std::vector<HidDeviceInfo> enumerate(std::uint16_t vendorId, std::uint16_t productId) override;
    OpenResult open(const std::string& path) override;
    OpenResult openFirst(std::uint16_t vendorId, std::uint16_t productId) override;
    std::unique_ptr<HotplugMonitor> watch(std::uint16_t vendorId, std::uint16_t productId,
                                          std::function<void(const HotplugEvent&)> callback) override;

private:
    std::shared_ptr<BusRegistry> registry_;
};

} // namespace dravo
