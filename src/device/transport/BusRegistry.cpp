#include "BusRegistry.h"

#include <algorithm>

#include "UsbIdText.h"

namespace dravo {

namespace fs = std::filesystem;

BusRegistry::BusRegistry(const fs::path& directory) {
    std::error_code ec;
    directory_ = fs::absolute(directory, ec).lexically_normal();
    if (ec)
        directory_ = directory;
}

bool BusRegistry::sameFile(const FileIdentity& a, const FileIdentity& b) {
    return a.device == b.device && a.inode == b.inode && a.changed.tv_sec == b.changed.tv_sec &&
           a.changed.tv_nsec == b.changed.tv_nsec;
}

bool BusRegistry::isRefused(const std::string& socketPath, const struct stat& st) {
    std::lock_guard lock(mutex_);
    const auto it = refused_.find(socketPath);
    if (it == refused_.end())
        return false;
    if (sameFile(it->second, {st.st_dev, st.st_ino, st.st_ctim}))
        return true;
    refused_.erase(it); // a new socket took the old one's place
    return false;
}

std::vector<BusDevice> BusRegistry::scan(UsbId wanted) {
    std::vector<BusDevice> devices;
    std::error_code ec;
    for (fs::directory_iterator it(directory_, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path& json = it->path();
        if (json.extension() != ".json")
            continue;
        fs::path socket = json;
        socket.replace_extension(".sock");
        struct stat st {};
        if (::stat(socket.c_str(), &st) != 0 || !S_ISSOCK(st.st_mode) || isRefused(socket.string(), st))
            continue;
        auto descriptor = readBusDescriptor(json);
        if (!descriptor || !usbIdMatches(wanted, {descriptor->vendorId, descriptor->productId}))
            continue;
        devices.push_back({json.stem().string(), socket.string(), std::move(*descriptor)});
    }
    std::sort(devices.begin(), devices.end(), [](const BusDevice& a, const BusDevice& b) { return a.id < b.id; });
    return devices;
}

void BusRegistry::markRefused(const std::string& socketPath) {
    std::vector<std::shared_ptr<WakeEvent>> toWake;
    {
        std::lock_guard lock(mutex_);
        struct stat st {};
        if (::stat(socketPath.c_str(), &st) == 0)
            refused_[socketPath] = {st.st_dev, st.st_ino, st.st_ctim};
        std::erase_if(listeners_, [](const auto& listener) { return listener.expired(); });
        for (const auto& listener : listeners_) {
            if (auto wake = listener.lock())
                toWake.push_back(std::move(wake));
        }
    }
    for (const auto& wake : toWake)
        wake->signal();
}

void BusRegistry::addListener(std::weak_ptr<WakeEvent> listener) {
    std::lock_guard lock(mutex_);
    listeners_.push_back(std::move(listener));
}

} // namespace dravo
