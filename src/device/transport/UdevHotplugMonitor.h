#pragma once
// Watches udev for hidraw nodes of one vendor/product coming and going, on a
// thread of its own that a wake event stops promptly.
#include <functional>
#include <memory>
#include <optional>
#include <thread>

#include "HidTransport.h"
#include "HidrawEventFilter.h"
#include "WakeEvent.h"

struct udev;
struct udev_device;
struct udev_monitor;

namespace dravo {

class UdevHotplugMonitor final : public HotplugMonitor {
public:
    // Null when udev cannot be watched (no netlink socket, e.g. in some
    // containers).
    static std::unique_ptr<HotplugMonitor> start(UsbId wanted, std::function<void(const HotplugEvent&)> callback);
    ~UdevHotplugMonitor() override;

private:
    UdevHotplugMonitor(UsbId wanted, std::function<void(const HotplugEvent&)> callback);
    bool open();
    void rememberPresentNodes();
    void run();
    void handle(udev_device* device);

    static std::optional<UsbId> idsOf(udev_device* device);

    udev* udev_ = nullptr;
    udev_monitor* monitor_ = nullptr;
    WakeEvent stop_;
    HidrawEventFilter filter_;
    std::function<void(const HotplugEvent&)> callback_;
    std::thread thread_;
};

} // namespace dravo
