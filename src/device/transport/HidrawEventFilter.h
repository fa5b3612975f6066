#pragma once
// Turns udev's add/remove of hidraw nodes into hot-plug events for one
// vendor/product. When a node is removed its sysfs attributes are usually
// gone already, so the ids seen while it was present are remembered by node
// path and decide whether its removal is reported.
#include <map>
#include <optional>
#include <string>

#include "HidTransport.h"
#include "ProductInfo.h"

namespace dravo {

class HidrawEventFilter {
public:
    explicit HidrawEventFilter(UsbId wanted) : wanted_(wanted) {}

    // A node that was there before watching began.
    void remember(const std::string& path, std::optional<UsbId> ids);

    std::optional<HotplugEvent> added(const std::string& path, std::optional<UsbId> ids);
    std::optional<HotplugEvent> removed(const std::string& path, std::optional<UsbId> ids);

private:
    std::optional<HotplugEvent> event(bool arrived, const std::string& path, UsbId ids) const;

    UsbId wanted_;
    std::map<std::string, UsbId> known_; // matching nodes only
};

} // namespace dravo
