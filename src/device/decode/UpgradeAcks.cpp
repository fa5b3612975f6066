#include "UpgradeAcks.h"

#include "CommandCodes.h"
#include "Log.h"
#include "UpgradeStatus.h"

namespace dravo {

namespace {

// Moves the status from `from` (any, when kAnyStatus) to `to` (unchanged,
// when kStatusUnchanged). The upgrade thread writes the status too, so a
// conditional move is one atomic step. Returns whether the condition held.
bool moveStatus(std::atomic<std::int32_t>& status, std::int32_t from, std::int32_t to)
{
    if (to == kStatusUnchanged)
        return from == kAnyStatus || status.load() == from;
    if (from == kAnyStatus) {
        status.store(to);
        return true;
    }
    return status.compare_exchange_strong(from, to);
}

} // namespace

void applyUpgradeAck(const ReplyContext& c, const UpgradeAckRule& rule)
{
    if (c.op != OP_ACK)
        return;
    if (!c.d.has(0)) {
        logShortReply("upgrade acknowledgement", c);
        return;
    }
    const std::uint8_t code = c.d.u8(0);
    if (code == ACK_READY) {
        const std::int32_t from = rule.readyWhile != kAnyStatus ? rule.readyWhile : rule.onlyWhile;
        if (moveStatus(c.state.sysUpgStatus, from, rule.readyStatus) && rule.readyLog)
            LogWrite("%s", rule.readyLog);
        return;
    }
    if (code != ACK_NOT_READY && !rule.anyOtherRefuses)
        return;
    if (!moveStatus(c.state.sysUpgStatus, rule.onlyWhile, rule.refusedStatus))
        return;
    if (rule.refusedWaits)
        c.state.upgradeStep.store(UPG_STEP_SENT);
    if (rule.refusedLog)
        LogWrite("%s", rule.refusedLog);
}

} // namespace dravo
