#pragma once
// Framing of one request or reply: AA 55 L type sub op data... checksum,
// where L = data bytes + 3 and the checksum makes the 8-bit sum of L through
// the checksum zero. An output report is 65 bytes: report id 0, then the
// packet, then zeros.
#include <array>
#include <cstddef>
#include <cstdint>

namespace dravo {

inline constexpr std::size_t kOutputReportSize = 65;
inline constexpr std::size_t kInputReportSize = 64;
inline constexpr std::size_t kMaxRequestData = 57;
inline constexpr std::uint8_t kHeader1 = 0xAA;
inline constexpr std::uint8_t kHeader2 = 0x55;

using OutputReport = std::array<std::uint8_t, kOutputReportSize>;

// Checksum of a packet of length L whose type is `type` and whose bytes from
// the sub-command on are `bytes` (sub, op, data: L - 1 bytes). The caller
// compares the low 8 bits.
std::int32_t packet_checksum(std::uint8_t L, std::uint8_t type, const std::uint8_t* bytes);

// Builds the 65-byte report for one request. `len` must not exceed
// kMaxRequestData; longer data is cut there rather than overrunning.
OutputReport buildOutputReport(std::uint8_t cmd, std::uint8_t subcmd, std::uint8_t optype,
                               const std::uint8_t* data, std::size_t len);

// Builds a packet (without report id) into `out`, returns its size. Used by
// the simulated amplifier for its replies, which start at byte 0 of an input
// report. `out` must hold len + 7 bytes.
std::size_t buildPacket(std::uint8_t cmd, std::uint8_t subcmd, std::uint8_t optype,
                        const std::uint8_t* data, std::size_t len, std::uint8_t* out);

} // namespace dravo
