#pragma once
// Watches the bus directory (inotify) on a thread of its own and reports a
// device as arrived once both of its files exist and as removed when either
// goes or its socket refuses a connection.
#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <thread>

#include "BusRegistry.h"
#include "HidTransport.h"

namespace dravo {

class BusHotplugMonitor final : public HotplugMonitor {
public:
    // Null when the directory cannot be watched.
    static std::unique_ptr<HotplugMonitor> start(std::shared_ptr<BusRegistry> registry, UsbId wanted,
                                                 std::function<void(const HotplugEvent&)> callback);
    ~BusHotplugMonitor() override;

private:
    BusHotplugMonitor(std::shared_ptr<BusRegistry> registry, UsbId wanted,
                      std::function<void(const HotplugEvent&)> callback);
    std::map<std::string, UsbId> attachedNow();
    void run();
    bool drainInotify(); // false once the directory itself is gone
    void rescan();

    std::shared_ptr<BusRegistry> registry_;
    UsbId wanted_;
    std::function<void(const HotplugEvent&)> callback_;
    int inotifyFd_ = -1;
    std::shared_ptr<WakeEvent> wake_;
    std::atomic<bool> stopping_{false};
    std::map<std::string, UsbId> attached_; // socket path -> ids, monitor thread only
    std::thread thread_;
};

} // namespace dravo
