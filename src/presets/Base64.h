#pragma once
// Base64 with the standard alphabet and "=" padding, as profile files carry
// scene names.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace dravo {

std::string base64Encode(std::span<const std::uint8_t> bytes);

// Decodes into `out`, which is cleared first; bytes beyond its size are
// dropped and characters outside the alphabet (padding included) are
// skipped. Returns the number of bytes written.
std::size_t base64DecodeInto(std::string_view text, std::span<std::uint8_t> out);

} // namespace dravo
