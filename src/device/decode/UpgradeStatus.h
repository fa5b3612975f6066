#pragma once
// Values of sys_upg_status and of the upgrade step (LinkState). The upgrade
// procedure drives them; the acknowledgement decoders move them on.
#include <cstdint>

namespace dravo {

inline constexpr std::int32_t UPG_STATUS_IDLE = 0;
inline constexpr std::int32_t UPG_STATUS_MCU_LOADED = 16;     // controller image loaded
inline constexpr std::int32_t UPG_START = 32;                 // device in upgrade mode (or DSP image loaded)
inline constexpr std::int32_t UPG_STATUS_ACCEPTED = 48;       // last request accepted; next block may go
inline constexpr std::int32_t UPG_STATUS_WAITING_ACK = 49;    // a block was sent, its acknowledgement awaited
inline constexpr std::int32_t UPG_STATUS_FINISHED = 64;       // all blocks and the finish request sent
inline constexpr std::int32_t UPG_STATUS_FAILED = 80;
inline constexpr std::int32_t UPG_STATUS_ERASED = 96;         // device acknowledged erasing its flash

inline constexpr std::uint16_t UPG_STEP_ACT = 0;       // act on the status
inline constexpr std::uint16_t UPG_STEP_SENT = 1;      // a request was just sent
inline constexpr std::uint16_t UPG_STEP_READ = 2;      // read the device's answer
inline constexpr std::uint16_t UPG_STEP_DONE = 3;      // finished or failed

} // namespace dravo
