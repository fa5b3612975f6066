#pragma once
// The real amplifier: hidapi on hidraw for the reports, udev for hot-plug.
#include "HidTransport.h"

namespace dravo {

class HidapiBackend final : public HidBackend {
public:
    // hid_init is idempotent; the program never calls hid_exit, since other
    // handles may still be open when a backend goes away.
    bool init() override;
    std::vector<HidDeviceInfo> enumerate(std::uint16_t vendorId, std::uint16_t productId) override;
    OpenResult open(const std::string& path) override;
    OpenResult openFirst(std::uint16_t vendorId, std::uint16_t productId) override;
    std::unique_ptr<HotplugMonitor> watch(std::uint16_t vendorId, std::uint16_t productId,
                                          std::function<void(const HotplugEvent&)> callback) override;
};

} // namespace dravo
