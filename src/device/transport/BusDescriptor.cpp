#include "BusDescriptor.h"

#include <cJSON.h>

#include <charconv>
#include <cmath>
#include <fstream>
#include <memory>
#include <sstream>
#include <string_view>

namespace dravo {

namespace {

constexpr std::string_view kIndexedPrefix = "indexed_string_";

using JsonPtr = std::unique_ptr<cJSON, decltype(&cJSON_Delete)>;

std::optional<std::uint16_t> idOf(const cJSON* root, const char* key) {
    const cJSON* item = cJSON_GetObjectItemCaseSensitive(root, key);
    if (!cJSON_IsNumber(item))
        return std::nullopt;
    const double value = item->valuedouble;
    if (value < 0 || value > 0xFFFF || std::floor(value) != value)
        return std::nullopt;
    return static_cast<std::uint16_t>(value);
}

std::optional<std::string> stringOf(const cJSON* root, const char* key) {
    const cJSON* item = cJSON_GetObjectItemCaseSensitive(root, key);
    if (!cJSON_IsString(item) || !item->valuestring)
        return std::nullopt;
    return std::string(item->valuestring);
}

std::optional<int> indexOfKey(std::string_view key) {
    if (!key.starts_with(kIndexedPrefix))
        return std::nullopt;
    key.remove_prefix(kIndexedPrefix.size());
    int index = 0;
    const auto [end, ec] = std::from_chars(key.data(), key.data() + key.size(), index);
    if (key.empty() || ec != std::errc() || end != key.data() + key.size() || index < 0)
        return std::nullopt;
    return index;
}

} // namespace

std::optional<std::string> BusDescriptor::indexedString(int index) const {
    const auto it = indexedStrings.find(index);
    if (it == indexedStrings.end())
        return std::nullopt;
    return it->second;
}

std::optional<BusDescriptor> parseBusDescriptor(const std::string& json) {
    JsonPtr root(cJSON_ParseWithLength(json.data(), json.size()), &cJSON_Delete);
    if (!cJSON_IsObject(root.get()))
        return std::nullopt;
    const auto vendor = idOf(root.get(), "vendor_id");
    const auto product = idOf(root.get(), "product_id");
    if (!vendor || !product)
        return std::nullopt;
    BusDescriptor descriptor;
    descriptor.vendorId = *vendor;
    descriptor.productId = *product;
    descriptor.serialNumber = stringOf(root.get(), "serial_number");
    descriptor.manufacturer = stringOf(root.get(), "manufacturer");
    descriptor.product = stringOf(root.get(), "product");
    const cJSON* item = nullptr;
    cJSON_ArrayForEach(item, root.get()) {
        const auto index = item->string ? indexOfKey(item->string) : std::nullopt;
        if (index && cJSON_IsString(item) && item->valuestring)
            descriptor.indexedStrings[*index] = item->valuestring;
    }
    return descriptor;
}

std::optional<BusDescriptor> readBusDescriptor(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return parseBusDescriptor(text.str());
}

} // namespace dravo
