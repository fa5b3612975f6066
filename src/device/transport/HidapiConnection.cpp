#include "HidapiConnection.h"

#include <algorithm>
#include <chrono>

#include "Log.h"
#include "WideText.h"

namespace dravo {

namespace {

// The string reads of hidapi take a buffer of 256 wide characters and a
// limit of 255.
constexpr std::size_t kStringBufferSize = 256;
constexpr std::size_t kStringLimit = 255;

} // namespace

HidapiConnection::~HidapiConnection() {
    close();
}

int HidapiConnection::closedError() {
    std::lock_guard lock(errorMutex_);
    lastError_ = "device closed";
    return -1;
}

void HidapiConnection::keepDeviceError() {
    const wchar_t* text = hid_error(handle_);
    std::lock_guard lock(errorMutex_);
    lastError_ = text ? wideToUtf8(text) : std::string("unknown error");
}

int HidapiConnection::write(const std::uint8_t* report, std::size_t size) {
    CallGate::Pass pass(gate_);
    if (!pass)
        return closedError();
    const int written = hid_write(handle_, report, size);
    if (written < 0)
        keepDeviceError();
    return written;
}

int HidapiConnection::read(std::uint8_t* buffer, std::size_t size, int timeoutMs) {
    CallGate::Pass pass(gate_);
    if (!pass)
        return closedError();
    std::lock_guard lock(readMutex_);
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    for (;;) {
        int slice = kReadSliceMs;
        if (timeoutMs >= 0) {
            const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
            slice = static_cast<int>(std::clamp<long long>(timeoutMs - elapsed, 0, kReadSliceMs));
        }
        const int got = hid_read_timeout(handle_, buffer, size, slice);
        if (got < 0)
            keepDeviceError();
        if (got != 0)
            return got;
        if (gate_.closing())
            return closedError();
        if (timeoutMs >= 0 && Clock::now() - start >= std::chrono::milliseconds(timeoutMs))
            return 0;
    }
}

template <typename Reader>
std::optional<std::string> HidapiConnection::readString(Reader reader) {
    CallGate::Pass pass(gate_);
    if (!pass) {
        closedError();
        return std::nullopt;
    }
    wchar_t text[kStringBufferSize] = {};
    if (reader(text, kStringLimit) < 0) {
        keepDeviceError();
        return std::nullopt;
    }
    text[kStringBufferSize - 1] = L'\0';
    return wideToUtf8(text);
}

std::optional<std::string> HidapiConnection::manufacturer() {
    return readString([this](wchar_t* s, std::size_t n) { return hid_get_manufacturer_string(handle_, s, n); });
}

std::optional<std::string> HidapiConnection::product() {
    return readString([this](wchar_t* s, std::size_t n) { return hid_get_product_string(handle_, s, n); });
}

std::optional<std::string> HidapiConnection::serialNumber() {
    return readString([this](wchar_t* s, std::size_t n) { return hid_get_serial_number_string(handle_, s, n); });
}

std::optional<std::string> HidapiConnection::indexedString(int index) {
    return readString(
        [this, index](wchar_t* s, std::size_t n) { return hid_get_indexed_string(handle_, index, s, n); });
}

void HidapiConnection::setNonblocking(bool on) {
    CallGate::Pass pass(gate_);
    if (pass && hid_set_nonblocking(handle_, on ? 1 : 0) < 0)
        keepDeviceError();
}

std::string HidapiConnection::lastError() {
    std::lock_guard lock(errorMutex_);
    return lastError_;
}

void HidapiConnection::close() {
    std::lock_guard lock(closeMutex_);
    if (!handle_)
        return;
    gate_.shut();
    gate_.waitIdle(); // a pending read leaves within one slice
    hid_close(handle_);
    handle_ = nullptr;
    LogWrite("hidapi device closed\n");
}

} // namespace dravo
