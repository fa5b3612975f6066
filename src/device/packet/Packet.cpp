#include "Packet.h"

#include <algorithm>

namespace dravo {

std::int32_t packet_checksum(std::uint8_t L, std::uint8_t type, const std::uint8_t* bytes)
{
    std::int32_t sum = L + type;
    for (int i = 0; i + 1 < L; ++i)
        sum += bytes[i];
    return -sum;
}

std::size_t buildPacket(std::uint8_t cmd, std::uint8_t subcmd, std::uint8_t optype,
                        const std::uint8_t* data, std::size_t len, std::uint8_t* out)
{
    len = std::min(len, kMaxRequestData);
    out[0] = kHeader1;
    out[1] = kHeader2;
    out[2] = static_cast<std::uint8_t>(len + 3);
    out[3] = cmd;
    out[4] = subcmd;
    out[5] = optype;
    if (len)
        std::copy_n(data, len, out + 6);
    out[6 + len] = static_cast<std::uint8_t>(packet_checksum(out[2], cmd, out + 4));
    return len + 7;
}

OutputReport buildOutputReport(std::uint8_t cmd, std::uint8_t subcmd, std::uint8_t optype,
                               const std::uint8_t* data, std::size_t len)
{
    OutputReport report{};
    buildPacket(cmd, subcmd, optype, data, len, report.data() + 1);
    return report;
}

} // namespace dravo
