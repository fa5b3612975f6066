#pragma once
// How an upgrade acknowledgement (controller or flash) moves sys_upg_status
// and the upgrade step. One rule per acknowledged request; a single
// interpreter applies them. Internal to the decoders.
#include "ReplyContext.h"

#include <cstdint>

namespace dravo {

inline constexpr std::int32_t kAnyStatus = -1;
inline constexpr std::int32_t kStatusUnchanged = -1;

struct UpgradeAckRule {
    std::int32_t onlyWhile = kAnyStatus;   // the whole acknowledgement counts only in this status
    std::int32_t readyWhile = kAnyStatus;  // ACK_READY counts only in this status
    std::int32_t readyStatus = kStatusUnchanged;
    const char* readyLog = nullptr;
    bool anyOtherRefuses = false;          // every code but ACK_READY refuses (else only ACK_NOT_READY)
    std::int32_t refusedStatus = kStatusUnchanged;
    bool refusedWaits = false;             // a refusal makes the upgrade wait for another answer
    const char* refusedLog = nullptr;
};

// Applies `rule` to an OP_ACK packet; other op types and acknowledgements
// that arrive in another status change nothing.
void applyUpgradeAck(const ReplyContext& c, const UpgradeAckRule& rule);

// A table row's decoder for the acknowledgement `Rule` describes.
template <const UpgradeAckRule& Rule>
void decodeUpgradeAck(const ReplyContext& c)
{
    applyUpgradeAck(c, Rule);
}

} // namespace dravo
