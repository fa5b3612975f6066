#include "FakeBusDevice.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <stdexcept>

namespace dravo::test {

namespace fs = std::filesystem;

TempDir::TempDir() {
    char name[] = "/tmp/dravo-bus-XXXXXX";
    if (!::mkdtemp(name))
        throw std::runtime_error("mkdtemp failed");
    path_ = name;
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

std::optional<std::array<std::uint8_t, 65>> DevicePeer::readReport() {
    std::array<std::uint8_t, 65> report{};
    std::size_t got = 0;
    while (got < report.size()) {
        pollfd fd{fd_, POLLIN, 0};
        if (::poll(&fd, 1, 5000) <= 0)
            return std::nullopt;
        const ssize_t n = ::recv(fd_, report.data() + got, report.size() - got, 0);
        if (n <= 0)
            return std::nullopt;
        got += static_cast<std::size_t>(n);
    }
    return report;
}

void DevicePeer::send(const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::send(fd_, data, size, MSG_NOSIGNAL);
        if (n <= 0)
            return;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
}

void DevicePeer::close() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

std::string deviceJson(std::uint16_t vendorId, std::uint16_t productId, const std::string& moreFields) {
    return "{\"vendor_id\":" + std::to_string(vendorId) + ",\"product_id\":" + std::to_string(productId) +
           (moreFields.empty() ? "" : "," + moreFields) + "}";
}

FakeBusDevice::FakeBusDevice(const fs::path& directory, std::string id) : directory_(directory), id_(std::move(id)) {}

FakeBusDevice::~FakeBusDevice() {
    join();
    if (listenFd_ >= 0)
        ::close(listenFd_);
}

std::string FakeBusDevice::socketPath() const {
    return (directory_ / (id_ + ".sock")).string();
}

void FakeBusDevice::writeJson(const std::string& json) {
    std::ofstream(directory_ / (id_ + ".json")) << json;
}

void FakeBusDevice::removeJson() {
    fs::remove(directory_ / (id_ + ".json"));
}

void FakeBusDevice::listen() {
    listenFd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", socketPath().c_str());
    if (::bind(listenFd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(listenFd_, 4) != 0)
        throw std::runtime_error(std::string("fake device cannot listen: ") + std::strerror(errno));
}

void FakeBusDevice::stopListening() {
    ::close(listenFd_);
    listenFd_ = -1;
}

void FakeBusDevice::removeSocket() {
    fs::remove(socketPath());
}

void FakeBusDevice::serve(std::function<void(DevicePeer&)> session) {
    join();
    thread_ = std::thread([this, session = std::move(session)] {
        pollfd fd{listenFd_, POLLIN, 0};
        if (::poll(&fd, 1, 5000) <= 0)
            return;
        DevicePeer peer(::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC));
        session(peer);
        peer.close();
    });
}

void FakeBusDevice::join() {
    if (thread_.joinable())
        thread_.join();
}

} // namespace dravo::test
