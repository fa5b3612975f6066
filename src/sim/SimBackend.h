#pragma once
// An HidBackend whose devices are simulated amplifiers in this process, at
// paths "sim:<id>". Tests attach and detach amplifiers while a link uses the
// backend; every backend made with handle() sees the same devices.
#include "transport/HidTransport.h"
#include "SimulatedAmplifier.h"

#include <memory>
#include <optional>
#include <string>

namespace dravo::sim {

// The strings a device answers; an absent one cannot be read.
struct SimDeviceStrings {
    std::optional<std::string> manufacturer;
    std::optional<std::string> product;
    std::optional<std::string> serialNumber;
    std::optional<std::string> indexedString1;
};

inline constexpr const char* kSimManufacturer = "DRAVO Audio (simulated)";

// Manufacturer, product, serial "SIM-<id>" and indexed string 1 (the
// manufacturer again, as USB string index 1 usually is).
SimDeviceStrings defaultDeviceStrings(const std::string& id);

class SimBackend : public HidBackend {
public:
    SimBackend();
    ~SimBackend() override;

    // Another backend on the same devices, for handing to a link while the
    // test keeps this one to plug and unplug.
    std::unique_ptr<HidBackend> handle() const;

    // Plugs in a new amplifier as "sim:<id>" (replacing one of that id).
    std::shared_ptr<SimulatedAmplifier> attach(const std::string& id, SimOptions options = {});
    void attach(const std::string& id, std::shared_ptr<SimulatedAmplifier> amplifier,
                SimDeviceStrings strings);
    // Pulls it out: open connections fail from now on.
    void detach(const std::string& id);
    std::shared_ptr<SimulatedAmplifier> amplifier(const std::string& id) const;

    static std::string pathOf(const std::string& id) { return "sim:" + id; }

    bool init() override;
    std::vector<HidDeviceInfo> enumerate(std::uint16_t vendorId, std::uint16_t productId) override;
    OpenResult open(const std::string& path) override;
    OpenResult openFirst(std::uint16_t vendorId, std::uint16_t productId) override;
    std::unique_ptr<HotplugMonitor> watch(std::uint16_t vendorId, std::uint16_t productId,
                                          std::function<void(const HotplugEvent&)> callback) override;

    struct Bus;

private:
    explicit SimBackend(std::shared_ptr<Bus> bus);
    std::shared_ptr<Bus> mBus;
};

} // namespace dravo::sim
