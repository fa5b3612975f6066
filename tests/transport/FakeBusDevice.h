#pragma once
// A device on a virtual HID bus directory as an emulator presents it: a
// descriptor file, a listening socket, and a thread that accepts the host
// and plays a scripted session over the connection.
#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <thread>

namespace dravo::test {

// A scratch directory short enough for socket paths.
class TempDir {
public:
    TempDir();
    ~TempDir();
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// The device's end of one host connection.
class DevicePeer {
public:
    explicit DevicePeer(int fd) : fd_(fd) {}
    // One 65-byte output report, or nothing if none arrives within 5 s.
    std::optional<std::array<std::uint8_t, 65>> readReport();
    void send(const std::uint8_t* data, std::size_t size);
    void close();

private:
    int fd_;
};

std::string deviceJson(std::uint16_t vendorId, std::uint16_t productId, const std::string& moreFields = "");

class FakeBusDevice {
public:
    FakeBusDevice(const std::filesystem::path& directory, std::string id);
    ~FakeBusDevice();

    std::string socketPath() const;
    void writeJson(const std::string& json);
    void removeJson();
    void listen();
    // The emulator went away without removing its socket file.
    void stopListening();
    void removeSocket();

    // Accepts one host connection on a thread and runs `session` with it.
    void serve(std::function<void(DevicePeer&)> session);
    void join();

private:
    std::filesystem::path directory_;
    std::string id_;
    int listenFd_ = -1;
    std::thread thread_;
};

} // namespace dravo::test
