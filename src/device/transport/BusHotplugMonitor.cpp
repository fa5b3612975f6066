#include "BusHotplugMonitor.h"

#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "Log.h"

namespace dravo {

namespace {

// Creating a socket (bind), writing a descriptor out, renaming either into
// place, and deleting or renaming either away.
constexpr std::uint32_t kWatchedChanges =
    IN_CREATE | IN_CLOSE_WRITE | IN_MOVED_TO | IN_DELETE | IN_MOVED_FROM | IN_DELETE_SELF | IN_MOVE_SELF;

HotplugEvent makeEvent(bool arrived, const std::string& path, UsbId ids) {
    HotplugEvent event;
    event.arrived = arrived;
    event.path = path;
    event.vendorId = ids.vendorId;
    event.productId = ids.productId;
    return event;
}

} // namespace

std::unique_ptr<HotplugMonitor> BusHotplugMonitor::start(std::shared_ptr<BusRegistry> registry, UsbId wanted,
                                                         std::function<void(const HotplugEvent&)> callback) {
    std::unique_ptr<BusHotplugMonitor> monitor(new BusHotplugMonitor(std::move(registry), wanted, std::move(callback)));
    monitor->inotifyFd_ = inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    const std::string directory = monitor->registry_->directory().string();
    if (monitor->inotifyFd_ < 0 || !monitor->wake_->valid() ||
        inotify_add_watch(monitor->inotifyFd_, directory.c_str(), kWatchedChanges) < 0) {
        LogWrite("cannot watch the HID bus %s: %s\n", directory.c_str(), std::strerror(errno));
        return nullptr;
    }
    // Watching first, then listing, so that no change falls between the two.
    monitor->attached_ = monitor->attachedNow();
    monitor->registry_->addListener(monitor->wake_);
    monitor->thread_ = std::thread([m = monitor.get()] { m->run(); });
    return monitor;
}

BusHotplugMonitor::BusHotplugMonitor(std::shared_ptr<BusRegistry> registry, UsbId wanted,
                                     std::function<void(const HotplugEvent&)> callback)
    : registry_(std::move(registry)), wanted_(wanted), callback_(std::move(callback)),
      wake_(std::make_shared<WakeEvent>()) {}

BusHotplugMonitor::~BusHotplugMonitor() {
    if (thread_.joinable()) {
        stopping_ = true;
        wake_->signal();
        thread_.join();
    }
    if (inotifyFd_ >= 0)
        ::close(inotifyFd_);
}

std::map<std::string, UsbId> BusHotplugMonitor::attachedNow() {
    std::map<std::string, UsbId> attached;
    for (const auto& device : registry_->scan(wanted_))
        attached[device.socketPath] = {device.descriptor.vendorId, device.descriptor.productId};
    return attached;
}

void BusHotplugMonitor::run() {
    pollfd fds[2] = {{inotifyFd_, POLLIN, 0}, {wake_->fd(), POLLIN, 0}};
    for (;;) {
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            LogWrite("HID bus monitor stopped: %s\n", std::strerror(errno));
            return;
        }
        if (fds[1].revents) {
            if (stopping_)
                return;
            wake_->clear();
        }
        if (fds[0].revents && !drainInotify()) {
            LogWrite("HID bus directory %s went away\n", registry_->directory().c_str());
            rescan();
            fds[0].fd = -1; // nothing more will come; keep waiting for the stop
            continue;
        }
        rescan();
    }
}

bool BusHotplugMonitor::drainInotify() {
    alignas(inotify_event) char buffer[4096];
    bool watching = true;
    for (;;) {
        const ssize_t n = ::read(inotifyFd_, buffer, sizeof buffer);
        if (n <= 0)
            return watching;
        for (ssize_t at = 0; at < n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            if (event->mask & (IN_IGNORED | IN_DELETE_SELF | IN_MOVE_SELF))
                watching = false;
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
}

void BusHotplugMonitor::rescan() {
    auto now = attachedNow();
    for (const auto& [path, ids] : attached_) {
        const auto it = now.find(path);
        if (it == now.end() || it->second.vendorId != ids.vendorId || it->second.productId != ids.productId) {
            LogWrite("HID bus removal %s\n", path.c_str());
            callback_(makeEvent(false, path, ids));
        }
    }
    for (const auto& [path, ids] : now) {
        const auto it = attached_.find(path);
        if (it == attached_.end() || it->second.vendorId != ids.vendorId || it->second.productId != ids.productId) {
            LogWrite("HID bus arrival %s\n", path.c_str());
            callback_(makeEvent(true, path, ids));
        }
    }
    attached_ = std::move(now);
}

} // namespace dravo
