#include "UdevHotplugMonitor.h"

#include <libudev.h>
#include <poll.h>

#include <cerrno>
#include <cstring>

#include "Log.h"
#include "UsbIdText.h"

namespace dravo {

std::unique_ptr<HotplugMonitor> UdevHotplugMonitor::start(UsbId wanted,
                                                          std::function<void(const HotplugEvent&)> callback) {
    std::unique_ptr<UdevHotplugMonitor> monitor(new UdevHotplugMonitor(wanted, std::move(callback)));
    if (!monitor->open()) {
        LogWrite("udev hot-plug monitor unavailable\n");
        return nullptr;
    }
    monitor->thread_ = std::thread([m = monitor.get()] { m->run(); });
    return monitor;
}

UdevHotplugMonitor::UdevHotplugMonitor(UsbId wanted, std::function<void(const HotplugEvent&)> callback)
    : filter_(wanted), callback_(std::move(callback)) {}

UdevHotplugMonitor::~UdevHotplugMonitor() {
    if (thread_.joinable()) {
        stop_.signal();
        thread_.join();
    }
    if (monitor_)
        udev_monitor_unref(monitor_);
    if (udev_)
        udev_unref(udev_);
}

bool UdevHotplugMonitor::open() {
    if (!stop_.valid())
        return false;
    udev_ = udev_new();
    if (!udev_)
        return false;
    // udev's events rather than the kernel's: they come after the rules ran,
    // so an arrived node already grants the seat's user access.
    monitor_ = udev_monitor_new_from_netlink(udev_, "udev");
    if (!monitor_ || udev_monitor_filter_add_match_subsystem_devtype(monitor_, "hidraw", nullptr) < 0 ||
        udev_monitor_enable_receiving(monitor_) < 0)
        return false;
    // Listening first, then listing, so that no node falls between the two.
    rememberPresentNodes();
    return true;
}

void UdevHotplugMonitor::rememberPresentNodes() {
    udev_enumerate* enumerate = udev_enumerate_new(udev_);
    if (!enumerate)
        return;
    udev_enumerate_add_match_subsystem(enumerate, "hidraw");
    udev_enumerate_scan_devices(enumerate);
    udev_list_entry* entry = nullptr;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumerate)) {
        udev_device* device = udev_device_new_from_syspath(udev_, udev_list_entry_get_name(entry));
        if (!device)
            continue;
        if (const char* node = udev_device_get_devnode(device))
            filter_.remember(node, idsOf(device));
        udev_device_unref(device);
    }
    udev_enumerate_unref(enumerate);
}

std::optional<UsbId> UdevHotplugMonitor::idsOf(udev_device* device) {
    // Parents belong to the child; they are not unreferenced here.
    if (udev_device* usb = udev_device_get_parent_with_subsystem_devtype(device, "usb", "usb_device")) {
        const char* vendor = udev_device_get_sysattr_value(usb, "idVendor");
        const char* product = udev_device_get_sysattr_value(usb, "idProduct");
        if (vendor && product) {
            const auto v = parseHexId(vendor);
            const auto p = parseHexId(product);
            if (v && p)
                return UsbId{*v, *p};
        }
    }
    if (udev_device* hid = udev_device_get_parent_with_subsystem_devtype(device, "hid", nullptr)) {
        if (const char* hidId = udev_device_get_property_value(hid, "HID_ID"))
            return parseHidIdProperty(hidId);
    }
    return std::nullopt;
}

void UdevHotplugMonitor::run() {
    pollfd fds[2] = {{udev_monitor_get_fd(monitor_), POLLIN, 0}, {stop_.fd(), POLLIN, 0}};
    for (;;) {
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            LogWrite("udev hot-plug monitor stopped: %s\n", std::strerror(errno));
            return;
        }
        if (fds[1].revents)
            return;
        if (fds[0].revents & POLLIN) {
            if (udev_device* device = udev_monitor_receive_device(monitor_)) {
                handle(device);
                udev_device_unref(device);
            }
        }
    }
}

void UdevHotplugMonitor::handle(udev_device* device) {
    const char* action = udev_device_get_action(device);
    const char* node = udev_device_get_devnode(device);
    if (!action || !node)
        return;
    std::optional<HotplugEvent> event;
    if (std::strcmp(action, "add") == 0)
        event = filter_.added(node, idsOf(device));
    else if (std::strcmp(action, "remove") == 0)
        event = filter_.removed(node, idsOf(device));
    if (!event)
        return;
    LogWrite("hot-plug %s %s %04x:%04x\n", event->arrived ? "arrival" : "removal", event->path.c_str(),
             event->vendorId, event->productId);
    callback_(*event);
}

} // namespace dravo
