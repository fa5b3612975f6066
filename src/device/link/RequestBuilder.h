#pragma once
// Appends the data bytes of one request in wire order. A request holds at
// most kMaxRequestData bytes; whatever would go past that is not written, so
// no caller can run over the buffer. Encoders that may reach the limit
// (ranges, lists) size their content with room() first, so in practice
// nothing is ever dropped here.
#include "Request.h"
#include "WireScaling.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace dravo {

class RequestBuilder {
public:
    constexpr RequestBuilder(std::uint8_t cmd, std::uint8_t subcmd, std::uint8_t optype)
    {
        mRequest.cmd = cmd;
        mRequest.subcmd = subcmd;
        mRequest.optype = optype;
    }

    constexpr std::size_t size() const { return mRequest.len; }
    constexpr std::size_t room() const { return kMaxRequestData - mRequest.len; }

    // The low 8 bits of the value (a negative value gives its two's complement).
    constexpr RequestBuilder& u8(std::int64_t value)
    {
        if (room() > 0)
            mRequest.data[mRequest.len++] = static_cast<std::uint8_t>(value & 0xFF);
        return *this;
    }

    // Two bytes, high byte first.
    constexpr RequestBuilder& u16(std::uint32_t value)
    {
        if (room() >= 2)
            u8(value >> 8).u8(value);
        return *this;
    }

    // Four bytes, low byte first (the memory window's address and value).
    constexpr RequestBuilder& u32le(std::uint32_t value)
    {
        if (room() >= 4)
            u8(value).u8(value >> 8).u8(value >> 16).u8(value >> 24);
        return *this;
    }

    // int + tenths or int + hundredths: whole byte, then fraction byte.
    constexpr RequestBuilder& wholeAndFraction(SplitValue value)
    {
        if (room() >= 2)
            u8(value.whole).u8(value.fraction);
        return *this;
    }

    // int + thousandths: whole byte, then the thousandths as u16.
    constexpr RequestBuilder& wholeAndThousandths(SplitValue value)
    {
        if (room() >= 3)
            u8(value.whole).u16(static_cast<std::uint32_t>(value.fraction));
        return *this;
    }

    constexpr RequestBuilder& bytes(std::span<const std::uint8_t> values)
    {
        for (std::uint8_t b : values)
            u8(b);
        return *this;
    }

    constexpr const Request& request() const { return mRequest; }

private:
    Request mRequest{};
};

} // namespace dravo
