#include "BusBackend.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "BusConnection.h"
#include "BusHotplugMonitor.h"
#include "Log.h"
#include "OpenFailure.h"

namespace dravo {

namespace fs = std::filesystem;

namespace {

OpenResult failed(OpenError error, std::string message) {
    LogWrite("%s\n", message.c_str());
    return openFailure(error, std::move(message));
}

} // namespace

BusBackend::BusBackend(const fs::path& directory) : registry_(std::make_shared<BusRegistry>(directory)) {}

bool BusBackend::init() {
    std::error_code ec;
    return fs::is_directory(registry_->directory(), ec);
}

std::vector<HidDeviceInfo> BusBackend::enumerate(std::uint16_t vendorId, std::uint16_t productId) {
    std::vector<HidDeviceInfo> devices;
    for (auto& device : registry_->scan({vendorId, productId})) {
        HidDeviceInfo info;
        info.path = device.socketPath;
        info.vendorId = device.descriptor.vendorId;
        info.productId = device.descriptor.productId;
        info.serialNumber = std::move(device.descriptor.serialNumber);
        devices.push_back(std::move(info));
    }
    return devices;
}

OpenResult BusBackend::open(const std::string& path) {
    std::error_code ec;
    fs::path socketPath = fs::absolute(path, ec).lexically_normal();
    if (ec || socketPath.extension() != ".sock")
        return failed(OpenError::NotFound, "No bus device at " + path);
    fs::path descriptorPath = socketPath;
    descriptorPath.replace_extension(".json");
    auto descriptor = readBusDescriptor(descriptorPath);
    if (!descriptor)
        return failed(OpenError::NotFound, "No bus device at " + path + " (no readable " +
                                               descriptorPath.filename().string() + ")");

    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string socketText = socketPath.string();
    if (socketText.size() >= sizeof address.sun_path)
        return failed(OpenError::Failed, "Bus socket path too long: " + socketText);
    std::memcpy(address.sun_path, socketText.c_str(), socketText.size() + 1);

    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return failed(OpenError::Failed, std::string("socket: ") + std::strerror(errno));
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        const int err = errno;
        ::close(fd);
        if (err == ECONNREFUSED) {
            // Nobody listens any more: the device is gone though its files stayed.
            registry_->markRefused(socketText);
            return failed(OpenError::NotFound, "Bus device " + socketText + " refused the connection (pulled out)");
        }
        const OpenError error = openErrorFromErrno(err);
        std::string message = "Unable to connect to bus device " + socketText + ": " + std::strerror(err);
        if (error == OpenError::PermissionDenied)
            message += " (the socket must be readable and writable by this user)";
        return failed(error, std::move(message));
    }
    // Waits are done with poll(), so that close() can interrupt them.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    LogWrite("bus device opened: %s\n", socketText.c_str());
    OpenResult result;
    result.connection = std::make_unique<BusConnection>(fd, std::move(*descriptor));
    return result;
}

OpenResult BusBackend::openFirst(std::uint16_t vendorId, std::uint16_t productId) {
    const auto devices = enumerate(vendorId, productId);
    if (devices.empty()) {
        char ids[16];
        std::snprintf(ids, sizeof ids, "%04x:%04x", vendorId, productId);
        return failed(OpenError::NotFound,
                      std::string("No device ") + ids + " on the HID bus " + registry_->directory().string());
    }
    return open(devices.front().path);
}

std::unique_ptr<HotplugMonitor> BusBackend::watch(std::uint16_t vendorId, std::uint16_t productId,
                                                  std::function<void(const HotplugEvent&)> callback) {
    return BusHotplugMonitor::start(registry_, {vendorId, productId}, std::move(callback));
}

} // namespace dravo
