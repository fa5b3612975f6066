#include "HidapiBackend.h"

#include <hidapi.h>

#include <cstdio>

#include "HidapiConnection.h"
#include "Log.h"
#include "OpenFailure.h"
#include "UdevHotplugMonitor.h"
#include "UsbIdText.h"
#include "WideText.h"

namespace dravo {

namespace {

std::string globalHidError() {
    const wchar_t* text = hid_error(nullptr);
    return text ? wideToUtf8(text) : std::string();
}

OpenResult hidrawFailure(const std::string& path, const std::string& detail) {
    const OpenError error = diagnoseHidrawOpen(path);
    std::string message = hidrawOpenMessage(path, error, detail);
    LogWrite("%s\n", message.c_str());
    return openFailure(error, std::move(message));
}

OpenResult opened(hid_device* handle) {
    OpenResult result;
    result.connection = std::make_unique<HidapiConnection>(handle);
    return result;
}

} // namespace

bool HidapiBackend::init() {
    return hid_init() == 0;
}

std::vector<HidDeviceInfo> HidapiBackend::enumerate(std::uint16_t vendorId, std::uint16_t productId) {
    std::vector<HidDeviceInfo> devices;
    if (!init())
        return devices;
    hid_device_info* list = hid_enumerate(vendorId, productId);
    for (const hid_device_info* entry = list; entry; entry = entry->next) {
        // hidapi may list other devices than the ones asked for.
        if (!usbIdMatches({vendorId, productId}, {entry->vendor_id, entry->product_id}) || !entry->path)
            continue;
        HidDeviceInfo info;
        info.path = entry->path;
        info.vendorId = entry->vendor_id;
        info.productId = entry->product_id;
        if (entry->serial_number)
            info.serialNumber = wideToUtf8(entry->serial_number);
        devices.push_back(std::move(info));
    }
    hid_free_enumeration(list);
    return devices;
}

OpenResult HidapiBackend::open(const std::string& path) {
    if (!init())
        return openFailure(OpenError::Failed, "hid_init failed");
    if (hid_device* handle = hid_open_path(path.c_str()))
        return opened(handle);
    return hidrawFailure(path, globalHidError());
}

OpenResult HidapiBackend::openFirst(std::uint16_t vendorId, std::uint16_t productId) {
    if (!init())
        return openFailure(OpenError::Failed, "hid_init failed");
    if (hid_device* handle = hid_open(vendorId, productId, nullptr))
        return opened(handle);
    const std::string detail = globalHidError();
    // hid_open opens the first enumerated match; look at that node to say why.
    const auto devices = enumerate(vendorId, productId);
    if (devices.empty()) {
        char ids[16];
        std::snprintf(ids, sizeof ids, "%04x:%04x", vendorId, productId);
        return openFailure(OpenError::NotFound, std::string("No device ") + ids + " is plugged in");
    }
    return hidrawFailure(devices.front().path, detail);
}

std::unique_ptr<HotplugMonitor> HidapiBackend::watch(std::uint16_t vendorId, std::uint16_t productId,
                                                     std::function<void(const HotplugEvent&)> callback) {
    return UdevHotplugMonitor::start({vendorId, productId}, std::move(callback));
}

} // namespace dravo
