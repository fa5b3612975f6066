// Controller replies: handshake, versions, power and remote settings, the
// controller and bootloader upgrade acknowledgements.
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
    logShortReply("mcu_ack_process", c);
    return false;
}

void postValue(const ReplyContext& c, std::int64_t value)
{
    c.postValue(Target::Main, WM_READ_MCU_VALUE, c.sub, value);
}

void postRecord(const ReplyContext& c, std::unique_ptr<Record> record)
{
    c.postRecord(Target::Main, WM_READ_MCU_VALUE, c.sub, std::move(record));
}

void decodeHandshake(const ReplyContext& c)
{
    LogWrite("MCU_HANDSHAKE\n");
    if (c.op != OP_UPDATE || !need(c, 1))
        return;
    if (c.d.u8(0) == HANDSHAKE_NOT_NORMAL) {
        c.state.mcuIsNormalMode.store(0);
        c.postValue(Target::Main, WM_DEVICE_ABNORMAL, 0, 0);
        return;
    }
    if (!need(c, 4))
        return;
    auto r = std::make_unique<HandshakeRecord>();
    r->model = c.d.u8(1);
    r->master = c.d.u8(2);
    r->slave = c.d.u8(3);
    // The connection logic reads these as soon as the reply is in, before
    // the main window has seen the message.
    c.state.reportedModel.store(r->model);
    c.state.mcuIsNormalMode.store(1);
    LogWrite("model = %d, master verion = %d, slave verion = %d\n", r->model, r->master, r->slave);
    postRecord(c, std::move(r));
}

void decodeFlashVersion(const ReplyContext& c)
{
    LogWrite("MCU_GET_DSPFLASH_VER\n");
    if (c.op != OP_UPDATE || !need(c, 4))
        return;
    auto r = std::make_unique<FlashVersionRecord>();
    for (std::size_t i = 0; i < r->version.size(); ++i)
        r->version[i] = c.d.u8(i);
    LogWrite("flashver = %02d%02d%02d%02d\n", r->version[0], r->version[1], r->version[2], r->version[3]);
    postRecord(c, std::move(r));
}

void decodeBootloaderVersion(const ReplyContext& c)
{
    if (c.op != OP_UPDATE || !need(c, 1))
        return;
    c.state.bootloaderVersion.store(c.d.u8(0));
    LogWrite("bootloader version = %d\n", c.d.u8(0));
}

// d[0] password length n, n bytes, then remark length m and m bytes. A length
// beyond the record's room is cut there; the remark is still found after all
// n password bytes the device sent.
void decodePassword(const ReplyContext& c)
{
    if (c.op != OP_UPDATE || !need(c, 1))
        return;
    auto r = std::make_unique<PasswordRecord>();
    const std::size_t passwordLength = c.d.u8(0);
    r->passwordLength = static_cast<std::int32_t>(copyTextBytes(c.d, 1, passwordLength, r->password));
    const std::size_t remarkAt = 1 + passwordLength;
    if (c.d.has(remarkAt))
        r->remarkLength =
            static_cast<std::int32_t>(copyTextBytes(c.d, remarkAt + 1, c.d.u8(remarkAt), r->remark));
    LogWrite("password(%d): %s\n", r->passwordLength, printableText(r->password.data(), r->passwordLength).c_str());
    LogWrite("remark(%d): %s\n", r->remarkLength, printableText(r->remark.data(), r->remarkLength).c_str());
    postRecord(c, std::move(r));
}

void decodeTextBlock(const ReplyContext& c)
{
    if (c.op != OP_UPDATE || !need(c, 1))
        return;
    auto r = std::make_unique<TextBlockRecord>();
    r->length = static_cast<std::uint8_t>(copyTextBytes(c.d, 1, c.d.u8(0), r->bytes));
    postRecord(c, std::move(r));
}

void decodeInit(const ReplyContext& c)
{
    if (c.op == OP_UPDATE)
        LogWrite("MCU INIT\n");
}

void decodePowerOffDelay(const ReplyContext& c)
{
    if (c.op == OP_UPDATE && need(c, 2))
        postValue(c, c.d.u16(0));
}

void decodeAcc(const ReplyContext& c)
{
    if (!need(c, 1))
        return;
    LogWrite("MCU_ACC OP=0x%x, delay = %d\n", c.op, c.d.s8(0));
    if (c.op == OP_UPDATE)
        postValue(c, c.d.s8(0));
}

void decodePing(const ReplyContext& c)
{
    LogWrite("\nMCU_PING\n");
    if (c.op != OP_UPDATE)
        return;
    LogWrite("\n post WM_READ_MCU_VALUE + MCU_PING\n");
    c.state.mcuIsNormalMode.store(0);
    postValue(c, 0);
}

void decodeUsbPowerPin(const ReplyContext& c)
{
    if (!need(c, 1))
        return;
    LogWrite("MCU_USB_POWER_PIN OP=0x%x, usb option = %d\n", c.op, c.d.s8(0));
    if (c.op == OP_UPDATE)
        postValue(c, c.d.s8(0));
}

// The controller and the bootloader upgrade use the same acknowledgements.
constexpr UpgradeAckRule kEnterUpgradeMode{
    .readyStatus = UPG_START,
};
constexpr UpgradeAckRule kUpgradeStart{
    .readyStatus = UPG_STATUS_ACCEPTED,
    .readyLog = "MCU_UPG_START: ACK_READY\n\n",
    .anyOtherRefuses = true,
    .refusedStatus = UPG_STATUS_FAILED,
    .refusedLog = "MCU_UPG_START: ACK_NOT_READY\n\n",
};
constexpr UpgradeAckRule kUpgradeBlock{
    .onlyWhile = UPG_STATUS_WAITING_ACK,
    .readyStatus = UPG_STATUS_ACCEPTED,
    .readyLog = "MCU UPG_WAITING_BIN_DATA_ACK: ACK_READY\n\n",
    .refusedWaits = true,
    .refusedLog = "MCU !!!!! NOT_READY !!!!!!\n\n",
};
constexpr UpgradeAckRule kUpgradeFinish{
    .readyWhile = UPG_STATUS_FINISHED,
    .readyLog = "MCU UPG_FINISH: ACK_READY\n\n",
};

// Codes missing from this table are answered "!!! NOT SUPPORT MSG".
constexpr ReplyRow kMcuReplies[] = {
    {MCU_ENTER_UPG_MODE, decodeUpgradeAck<kEnterUpgradeMode>},
    {MCU_UPG_START, decodeUpgradeAck<kUpgradeStart>},
    {MCU_UPG_BLOCK, decodeUpgradeAck<kUpgradeBlock>},
    {MCU_UPG_FINISH, decodeUpgradeAck<kUpgradeFinish>},
    {0x05, nullptr},
    {0x06, nullptr},
    {0x07, nullptr},
    {MCU_HANDSHAKE, decodeHandshake},
    {0x0A, nullptr},
    {MCU_GET_DSPFLASH_VER, decodeFlashVersion},
    {MCU_BOOTLOADER_VERSION, decodeBootloaderVersion},
    {MCU_PASSWORD, decodePassword},
    {MCU_PC_CONNECT, nullptr},
    {MCU_TEXT_BLOCK, decodeTextBlock},
    {MCU_INIT, decodeInit},
    {MCU_REBOOT, nullptr},
    {MCU_FACTORY_DEFAULT, nullptr},
    {MCU_POWER_OFF_DELAY, decodePowerOffDelay},
    {MCU_ACC, decodeAcc},
    {MCU_PING, decodePing},
    {MCU_USB_POWER_PIN, decodeUsbPowerPin},
    {MCU_BL_ENTER_UPG_MODE, decodeUpgradeAck<kEnterUpgradeMode>},
    {MCU_BL_UPG_START, decodeUpgradeAck<kUpgradeStart>},
    {MCU_BL_UPG_BLOCK, decodeUpgradeAck<kUpgradeBlock>},
    {MCU_BL_UPG_FINISH, decodeUpgradeAck<kUpgradeFinish>},
};

} // namespace

void mcuAckProcess(const ReplyContext& c)
{
    dispatchReply(kMcuReplies, c);
}

} // namespace dravo
