#pragma once
// One request as the encoders build it: the code triple and its data bytes.
#include "Packet.h"

#include <array>
#include <cstdint>

namespace dravo {

struct Request {
    std::uint8_t cmd = 0;
    std::uint8_t subcmd = 0;
    std::uint8_t optype = 0;
    std::uint8_t len = 0;
    std::array<std::uint8_t, kMaxRequestData> data{};
};

// How long a sender waits for the answer unless a request says otherwise.
inline constexpr std::uint32_t kDefaultReplyTimeoutMs = 10000;

} // namespace dravo
