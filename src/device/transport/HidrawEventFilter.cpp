#include "HidrawEventFilter.h"

#include "UsbIdText.h"

namespace dravo {

void HidrawEventFilter::remember(const std::string& path, std::optional<UsbId> ids) {
    if (ids && usbIdMatches(wanted_, *ids))
        known_[path] = *ids;
    else
        known_.erase(path); // a node number reused by another device
}

std::optional<HotplugEvent> HidrawEventFilter::added(const std::string& path, std::optional<UsbId> ids) {
    remember(path, ids);
    if (!ids)
        return std::nullopt;
    return event(true, path, *ids);
}

std::optional<HotplugEvent> HidrawEventFilter::removed(const std::string& path, std::optional<UsbId> ids) {
    const auto it = known_.find(path);
    if (it != known_.end()) {
        ids = it->second;
        known_.erase(it);
    }
    if (!ids)
        return std::nullopt;
    return event(false, path, *ids);
}

std::optional<HotplugEvent> HidrawEventFilter::event(bool arrived, const std::string& path, UsbId ids) const {
    if (!usbIdMatches(wanted_, ids))
        return std::nullopt;
    HotplugEvent e;
    e.arrived = arrived;
    e.path = path;
    e.vendorId = ids.vendorId;
    e.productId = ids.productId;
    return e;
}

} // namespace dravo
