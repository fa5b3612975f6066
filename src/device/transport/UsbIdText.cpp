#include "UsbIdText.h"

#include <charconv>

namespace dravo {

namespace {

std::optional<std::uint32_t> parseHex(std::string_view text, std::size_t maxDigits) {
    if (text.empty() || text.size() > maxDigits)
        return std::nullopt;
    std::uint32_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<std::uint16_t> parseId16(std::string_view text, std::size_t maxDigits) {
    const auto value = parseHex(text, maxDigits);
    if (!value || *value > 0xFFFF)
        return std::nullopt;
    return static_cast<std::uint16_t>(*value);
}

} // namespace

std::optional<std::uint16_t> parseHexId(std::string_view text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.remove_suffix(1);
    return parseId16(text, 4);
}

std::optional<UsbId> parseHidIdProperty(std::string_view text) {
    const auto first = text.find(':');
    if (first == std::string_view::npos)
        return std::nullopt;
    const auto second = text.find(':', first + 1);
    if (second == std::string_view::npos || !parseHex(text.substr(0, first), 8))
        return std::nullopt;
    const auto vendor = parseId16(text.substr(first + 1, second - first - 1), 8);
    const auto product = parseId16(text.substr(second + 1), 8);
    if (!vendor || !product)
        return std::nullopt;
    return UsbId{*vendor, *product};
}

bool usbIdMatches(UsbId wanted, UsbId seen) {
    return (wanted.vendorId == 0 || wanted.vendorId == seen.vendorId) &&
           (wanted.productId == 0 || wanted.productId == seen.productId);
}

} // namespace dravo
