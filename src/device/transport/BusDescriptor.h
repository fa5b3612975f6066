#pragma once
// The "<id>.json" file of a device on the virtual HID bus:
//   {"vendor_id":1155,"product_id":22352,"serial_number":"…","manufacturer":"…",
//    "product":"…","indexed_string_1":"…"}
// A string key that is absent (or not a string) is a string read that fails.
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>

namespace dravo {

struct BusDescriptor {
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::optional<std::string> serialNumber;
    std::optional<std::string> manufacturer;
    std::optional<std::string> product;
    std::map<int, std::string> indexedStrings; // "indexed_string_<n>"

    std::optional<std::string> indexedString(int index) const;
};

// Null unless the text is a JSON object whose ids are integers 0..65535.
std::optional<BusDescriptor> parseBusDescriptor(const std::string& json);

// Null as well while the file is missing or only partly written.
std::optional<BusDescriptor> readBusDescriptor(const std::filesystem::path& file);

} // namespace dravo
