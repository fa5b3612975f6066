// Requests to the amplifier's controller: stored scenes, handshake, power
// and remote settings, and the karaoke effect.
#include "CommandCodes.h"
#include "DeviceRequests.h"
#include "KaraokeItems.h"
#include "Log.h"
#include "RequestBuilder.h"

#include <algorithm>

namespace dravo {
namespace {

RequestBuilder flash(std::uint8_t subcmd, std::uint8_t optype)
{
    return RequestBuilder(CMD_FLASH, subcmd, optype);
}

RequestBuilder mcu(std::uint8_t subcmd, std::uint8_t optype)
{
    return RequestBuilder(CMD_MCU, subcmd, optype);
}

} // namespace

bool DeviceRequests::SaveScene(int scene, int immediately)
{
    LogWrite("SaveScene: scene(%d), immediately(%d)\n", scene, immediately);
    return sendAndRead(flash(FLASH_SAVE_SCENE, OP_SET).u8(scene).u8(immediately).request(), kSceneReplyTimeoutMs);
}

bool DeviceRequests::ReadScene(int fromScene, int toScene)
{
    LogWrite("ReadScene: from(%d), to(%d)\n", fromScene, toScene);
    return sendAndRead(flash(FLASH_READ_SCENE, OP_SET).u8(fromScene).u8(toScene).request(), kSceneReplyTimeoutMs);
}

bool DeviceRequests::DeleteScene(int scene)
{
    LogWrite("DeleteScene: scene(%d)\n", scene);
    return sendAndRead(flash(FLASH_DELETE_SCENE, OP_SET).u8(scene).request(), kSceneReplyTimeoutMs);
}

bool DeviceRequests::SetSceneName(int scene, std::span<const std::uint8_t> name)
{
    const std::span<const std::uint8_t> sent = name.first(std::min(name.size(), kSceneNameMaxBytes));
    LogWrite("SetSceneName: scene(%d), len(%zu)\n", scene, sent.size());
    const Request request =
        flash(FLASH_SCENE_NAME, OP_SET).u8(scene).u8(static_cast<std::int64_t>(sent.size())).bytes(sent).request();
    return sendAndRead(request, kDefaultReplyTimeoutMs);
}

bool DeviceRequests::Get_Scene_Name(int scene)
{
    return sendAndRead(flash(FLASH_SCENE_NAME, OP_GET).u8(scene).request(), kDefaultReplyTimeoutMs);
}

bool DeviceRequests::Get_Scene_Id()
{
    return sendAndRead(flash(FLASH_SCENE_ID, OP_GET).request(), kDefaultReplyTimeoutMs);
}

bool DeviceRequests::Get_Scene_Valid()
{
    return sendAndRead(flash(FLASH_SCENE_VALID, OP_GET).request(), kDefaultReplyTimeoutMs);
}

bool DeviceRequests::Hand_Connect()
{
    return sendAndRead(mcu(MCU_HANDSHAKE, OP_SET).request(), kDefaultReplyTimeoutMs);
}

bool DeviceRequests::PC_Connect(int state)
{
    LogWrite("PC_Connect: state(%d)\n", state);
    return sendOnly(mcu(MCU_PC_CONNECT, OP_SET).u8(state).request());
}

bool DeviceRequests::MCU_Reboot_Ctrl()
{
    LogWrite("MCU_Reboot_Ctrl\n");
    return sendAndRead(mcu(MCU_REBOOT, OP_SET).request(), kDefaultReplyTimeoutMs);
}

bool DeviceRequests::Factory_Default_Ctrl()
{
    LogWrite("Factory_Default_Ctrl\n");
    return sendAndRead(mcu(MCU_FACTORY_DEFAULT, OP_SET).request(), kFactoryDefaultReplyTimeoutMs);
}

void DeviceRequests::Set_Power_Off_Time(int delayMs, bool immediate)
{
    LogWrite("Set_Power_Off_Time: delay(%d)\n", delayMs);
    submit(mcu(MCU_POWER_OFF_DELAY, OP_SET).u16(static_cast<std::uint32_t>(delayMs) & 0xFFFF).request(), immediate,
           kDefaultReplyTimeoutMs);
}

bool DeviceRequests::Get_Delay_Power_Off_Time()
{
    return sendAndRead(mcu(MCU_POWER_OFF_DELAY, OP_GET).request(), kPowerOffDelayQueryTimeoutMs);
}

void DeviceRequests::Set_Acc(int delay, bool immediate)
{
    LogWrite("Set_Acc: delay(%d)\n", delay);
    submit(mcu(MCU_ACC, OP_SET).u8(delay).request(), immediate, kDefaultReplyTimeoutMs);
}

bool DeviceRequests::Get_Acc()
{
    return sendAndRead(mcu(MCU_ACC, OP_GET).request(), kDefaultReplyTimeoutMs);
}

void DeviceRequests::Set_Usb_Power_Pin(int value, bool immediate)
{
    LogWrite("Set_Usb_Power_Pin: value(%d)\n", value);
    submit(mcu(MCU_USB_POWER_PIN, OP_SET).u8(value).request(), immediate, kDefaultReplyTimeoutMs);
}

bool DeviceRequests::Get_Usb_Power_Pin()
{
    return sendAndRead(mcu(MCU_USB_POWER_PIN, OP_GET).request(), kDefaultReplyTimeoutMs);
}

void DeviceRequests::KTV_Ctrl(int item, int value, bool immediate)
{
    const std::optional<KaraokeItem> found = findKaraokeItem(item);
    if (!found) {
        LogWrite("KTV_Ctrl: unknown item %d, nothing sent\n", item);
        return;
    }
    LogWrite("KTV_Ctrl: %.*s(%d) value(%d)\n", static_cast<int>(found->logWord.size()), found->logWord.data(), item,
             value);
    RequestBuilder builder(CMD_KTV, found->code, OP_SET);
    if (found->dataSize == 2)
        builder.u16(static_cast<std::uint32_t>(value) & 0xFFFF);
    else
        builder.u8(value);
    submit(builder.request(), immediate, kDefaultReplyTimeoutMs);
}

bool DeviceRequests::Get_KTV(int item)
{
    const std::optional<KaraokeItem> found = findKaraokeItem(item);
    if (!found || !found->hasQuery)
        return false;
    return sendAndRead(RequestBuilder(CMD_KTV, found->code, OP_GET).request(), kDefaultReplyTimeoutMs);
}

} // namespace dravo
