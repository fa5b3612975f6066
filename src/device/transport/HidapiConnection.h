#pragma once
// One amplifier opened through hidapi. hidapi leaves it undefined to close a
// handle while another thread is inside hid_read_timeout or hid_write on it,
// so every call passes a gate that close() shuts and drains first, and reads
// wait in short slices so that they notice a closing connection quickly.
#include <hidapi.h>

#include <mutex>

#include "CallGate.h"
#include "HidTransport.h"

namespace dravo {

class HidapiConnection final : public HidConnection {
public:
    // How long one wait inside read() may last before it looks at the gate.
    static constexpr int kReadSliceMs = 50;

    explicit HidapiConnection(hid_device* handle) : handle_(handle) {}
    ~HidapiConnection() override;

    int write(const std::uint8_t* report, std::size_t size) override;
    int read(std::uint8_t* buffer, std::size_t size, int timeoutMs) override;

    std::optional<std::string> manufacturer() override;
    std::optional<std::string> product() override;
    std::optional<std::string> serialNumber() override;
    std::optional<std::string> indexedString(int index) override;

    void setNonblocking(bool on) override;
    std::string lastError() override;
    void close() override;

private:
    template <typename Reader>
    std::optional<std::string> readString(Reader reader);
    int closedError();
    void keepDeviceError();

    hid_device* handle_;
    CallGate gate_;
    std::mutex closeMutex_;
    std::mutex readMutex_;
    std::mutex errorMutex_;
    std::string lastError_;
};

} // namespace dravo
