#include "Base64.h"

#include <algorithm>
#include <array>

namespace dravo {
namespace {

constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

constexpr std::array<int, 256> makeDecodeTable()
{
    std::array<int, 256> table{};
    table.fill(-1);
    for (std::size_t i = 0; i < kAlphabet.size(); ++i)
        table[static_cast<unsigned char>(kAlphabet[i])] = static_cast<int>(i);
    return table;
}

constexpr std::array<int, 256> kDecode = makeDecodeTable();

} // namespace

std::string base64Encode(std::span<const std::uint8_t> bytes)
{
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t n = std::min<std::size_t>(3, bytes.size() - i);
        std::uint32_t group = static_cast<std::uint32_t>(bytes[i]) << 16;
        if (n > 1)
            group |= static_cast<std::uint32_t>(bytes[i + 1]) << 8;
        if (n > 2)
            group |= bytes[i + 2];
        out += kAlphabet[group >> 18 & 0x3F];
        out += kAlphabet[group >> 12 & 0x3F];
        out += n > 1 ? kAlphabet[group >> 6 & 0x3F] : '=';
        out += n > 2 ? kAlphabet[group & 0x3F] : '=';
    }
    return out;
}

std::size_t base64DecodeInto(std::string_view text, std::span<std::uint8_t> out)
{
    std::fill(out.begin(), out.end(), std::uint8_t{0});
    std::size_t written = 0;
    std::uint32_t bits = 0;
    int bitCount = 0;
    for (const char c : text) {
        const int value = kDecode[static_cast<unsigned char>(c)];
        if (value < 0)
            continue;
        bits = (bits << 6 | static_cast<std::uint32_t>(value)) & 0xFFFFFF;
        bitCount += 6;
        if (bitCount >= 8) {
            bitCount -= 8;
            if (written == out.size())
                break;
            out[written++] = static_cast<std::uint8_t>(bits >> bitCount);
        }
    }
    return written;
}

} // namespace dravo
