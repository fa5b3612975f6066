// Flash replies: stored scenes (save and delete acknowledgements, names,
// current scene, valid mask) and the DSP image upgrade acknowledgements.
#include "CommandCodes.h"
#include "Log.h"
#include "MessageIds.h"
#include "Records.h"
#include "ReplyContext.h"
#include "TextBytes.h"
#include "UpgradeAcks.h"
#include "UpgradeStatus.h"

#include <algorithm>

namespace dravo {

namespace {

bool need(const ReplyContext& c, std::size_t bytes)
{
    if (c.d.has(0, bytes))
        return true;
    logShortReply("flash_ack_process", c);
    return false;
}

// d[0] ACK_READY, d[1] the scene number: the scene window learns that the
// device finished the job.
template <std::uint32_t MessageId>
void decodeSceneAck(const ReplyContext& c)
{
    if (c.op != OP_ACK || !need(c, 1) || c.d.u8(0) != ACK_READY || !need(c, 2))
        return;
    c.postValue(Target::Scene, MessageId, c.d.u8(1), 0);
}

// Erased flash reads 0xFF; a name whose every byte has its lowest bit set is
// taken for an erased slot.
bool looksErased(const std::array<char, kSceneNameSize>& name)
{
    return std::all_of(name.begin(), name.end(), [](char b) { return (b & 1) != 0; });
}

void decodeSceneName(const ReplyContext& c)
{
    if (c.op != OP_UPDATE || !need(c, 1))
        return;
    auto r = std::make_unique<SceneNameRecord>();
    r->index = c.d.u8(0) - 1; // the wire counts scenes from 1
    copyTextBytes(c.d, 1, kSceneNameSize, r->name);
    std::string line;
    for (const char b : r->name) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "0x%02x, ", static_cast<unsigned char>(b));
        line += hex;
    }
    LogWrite("scene_name->index(%d), name -->> %s\n", r->index, line.c_str());
    if (looksErased(r->name))
        r->name.fill(0);
    c.postRecord(Target::Main, WM_SCENE_VALUE, FLASH_SCENE_NAME, std::move(r));
}

void decodeSceneId(const ReplyContext& c)
{
    if (c.op != OP_UPDATE || !need(c, 1))
        return;
    LogWrite("FLASH_SCENE_ID current scene id = %d\n", c.d.u8(0));
    c.postValue(Target::Scene, WM_SCENE_ID, FLASH_SCENE_ID, c.d.u8(0));
}

void decodeSceneValid(const ReplyContext& c)
{
    if (c.op != OP_UPDATE || !need(c, 2))
        return;
    auto r = std::make_unique<SceneValidRecord>();
    r->mask = c.d.u16(0);
    LogWrite("FLASH_SCENE_VALID valid scene = %d\n", r->mask);
    c.postRecord(Target::Main, WM_SCENE_VALUE, FLASH_SCENE_VALID, std::move(r));
}

constexpr UpgradeAckRule kChipErase{
    .readyWhile = UPG_START,
    .readyStatus = UPG_STATUS_ERASED,
    .readyLog = "FLASH CHIP ERASE: ACK_READY\n\n",
    .refusedStatus = UPG_STATUS_FAILED,
    .refusedLog = "FLASH CHIP ERASE: ACK_NOT_READY\n\n",
};
constexpr UpgradeAckRule kUpgradeStart{
    .readyWhile = UPG_START,
    .readyStatus = UPG_STATUS_ACCEPTED,
    .readyLog = "FLASH UPG_START: ACK_READY\n\n",
    .refusedStatus = UPG_STATUS_FAILED,
    .refusedLog = "FLASH UPG_START: ACK_NOT_READY\n\n",
};
constexpr UpgradeAckRule kUpgradeBlock{
    .onlyWhile = UPG_STATUS_WAITING_ACK,
    .readyStatus = UPG_STATUS_ACCEPTED,
    .readyLog = "UPG_WAITING_BIN_DATA_ACK: ACK_READY\n\n",
    .refusedWaits = true,
    .refusedLog = "!!!!! NOT_READY !!!!!!\n\n",
};
constexpr UpgradeAckRule kUpgradeFinish{
    .readyWhile = UPG_STATUS_FINISHED,
    .readyLog = "UPG_FINISH: ACK_READY\n",
};

// Codes missing from this table are answered "!!! NOT SUPPORT MSG".
constexpr ReplyRow kFlashReplies[] = {
    {FLASH_CHIP_ERASE, decodeUpgradeAck<kChipErase>},
    {FLASH_UPG_START, decodeUpgradeAck<kUpgradeStart>},
    {FLASH_UPG_BLOCK, decodeUpgradeAck<kUpgradeBlock>},
    {FLASH_UPG_FINISH, decodeUpgradeAck<kUpgradeFinish>},
    {FLASH_SAVE_SCENE, decodeSceneAck<WM_SCENE_VALUE>},
    {FLASH_READ_SCENE, nullptr},
    {FLASH_DELETE_SCENE, decodeSceneAck<WM_SCENE_DONE>},
    {FLASH_SCENE_NAME, decodeSceneName},
    {FLASH_SCENE_ID, decodeSceneId},
    {FLASH_SCENE_VALID, decodeSceneValid},
};

} // namespace

void flashAckProcess(const ReplyContext& c)
{
    dispatchReply(kFlashReplies, c);
}

} // namespace dravo
