#pragma once
// Length-prefixed texts in replies (password, remark, text block, scene
// name): copied as far as both the record's room and the packet reach.
// Internal to the decoders.
#include "Log.h"
#include "ReplyContext.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>

namespace dravo {

// Copies up to `announced` bytes from d[offset] into `out`, cut to its room and
// to the bytes the packet carries. Returns the number copied.
template <std::size_t N>
std::size_t copyTextBytes(const ReplyData& d, std::size_t offset, std::size_t announced, std::array<char, N>& out)
{
    const std::size_t available = offset < d.size() ? d.size() - offset : 0;
    const std::size_t count = std::min({announced, N, available});
    if (count < announced)
        LogWrite("text of %u bytes cut to %u\n", static_cast<unsigned>(announced), static_cast<unsigned>(count));
    for (std::size_t i = 0; i < count; ++i)
        out[i] = static_cast<char>(d.u8(offset + i));
    return count;
}

// The bytes as the log shows them: printable ASCII as is, others as \xNN.
inline std::string printableText(const char* bytes, std::size_t count)
{
    std::string s;
    for (std::size_t i = 0; i < count; ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b >= 0x20 && b < 0x7F) {
            s += static_cast<char>(b);
        } else {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02x", b);
            s += hex;
        }
    }
    return s;
}

} // namespace dravo
