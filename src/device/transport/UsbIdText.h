#pragma once
// Reading USB vendor/product ids out of the texts udev and sysfs give, and
// the one rule for whether a device is one we watch for.
#include <cstdint>
#include <optional>
#include <string_view>

#include "ProductInfo.h"

namespace dravo {

// A sysfs idVendor/idProduct attribute: 1..4 hex digits, a trailing line
// end allowed.
std::optional<std::uint16_t> parseHexId(std::string_view text);

// The HID_ID property of a hid device, "bus:vendor:product" in hex
// ("0003:00000483:00005750"); ids wider than 16 bits are rejected.
std::optional<UsbId> parseHidIdProperty(std::string_view text);

// A wanted id of 0 matches any id, as with hid_enumerate.
bool usbIdMatches(UsbId wanted, UsbId seen);

} // namespace dravo
