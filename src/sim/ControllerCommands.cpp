#include "ControllerCommands.h"

#include "FactoryDefaults.h"
#include "FirmwareUpgrade.h"
#include "WireBytes.h"

namespace dravo::sim {
namespace {

constexpr std::uint8_t kHandshakeNormal = 0x01;

bool handshake(CommandContext& ctx, const Request& r)
{
    const std::uint8_t mode = ctx.state.loaderMode ? HANDSHAKE_NOT_NORMAL : kHandshakeNormal;
    ctx.update(r, {mode, static_cast<std::uint8_t>(ctx.options.model),
                   static_cast<std::uint8_t>(ctx.options.masterVersion),
                   static_cast<std::uint8_t>(ctx.options.slaveVersion)});
    return true;
}

// The tool announces itself and its leaving; the device does not answer.
bool pcConnect(CommandContext& ctx, const Request& r)
{
    if (r.data.empty())
        return false;
    ctx.state.pcConnected = r.data[0] != 0;
    return true;
}

bool factoryDefault(CommandContext& ctx, const Request& r)
{
    ctx.state.live = factoryScene();
    ctx.state.amp = factoryAmp();
    ctx.state.sceneId = 0;
    ctx.ack(r, ACK_READY);
    return true;
}

bool setPowerOffDelay(CommandContext& ctx, const Request& r)
{
    if (r.data.size() < 2)
        return false;
    ctx.state.amp.powerOffDelayMs = static_cast<std::uint16_t>(getU16(r.data.data()));
    ctx.ack(r, ACK_READY);
    return true;
}

bool getPowerOffDelay(CommandContext& ctx, const Request& r)
{
    std::vector<std::uint8_t> data(2);
    putU16(data.data(), ctx.state.amp.powerOffDelayMs);
    ctx.update(r, std::move(data));
    return true;
}

template <std::int8_t AmpSettings::*Member>
bool setSignedByte(CommandContext& ctx, const Request& r)
{
    if (r.data.empty())
        return false;
    ctx.state.amp.*Member = static_cast<std::int8_t>(r.data[0]);
    ctx.ack(r, ACK_READY);
    return true;
}

template <std::int8_t AmpSettings::*Member>
bool getSignedByte(CommandContext& ctx, const Request& r)
{
    ctx.update(r, {static_cast<std::uint8_t>(ctx.state.amp.*Member)});
    return true;
}

constexpr CommandEntry kControllerCommands[] = {
    {MCU_ENTER_UPG_MODE, enterControllerUpgrade, nullptr, true},
    {MCU_UPG_START, startControllerUpgrade, nullptr, true},
    {MCU_UPG_BLOCK, receiveControllerBlock, nullptr, true},
    {MCU_UPG_FINISH, finishControllerUpgrade, nullptr, true},
    {MCU_HANDSHAKE, handshake, handshake, true},
    {MCU_PC_CONNECT, pcConnect, nullptr, true},
    {MCU_REBOOT, reboot, nullptr, true},
    {MCU_FACTORY_DEFAULT, factoryDefault, nullptr, false},
    {MCU_POWER_OFF_DELAY, setPowerOffDelay, getPowerOffDelay, false},
    {MCU_ACC, setSignedByte<&AmpSettings::acc>, getSignedByte<&AmpSettings::acc>, false},
    {MCU_USB_POWER_PIN, setSignedByte<&AmpSettings::usbPowerPin>, getSignedByte<&AmpSettings::usbPowerPin>, false},
    {MCU_BL_ENTER_UPG_MODE, enterBootloaderUpgrade, nullptr, false},
    {MCU_BL_UPG_START, startBootloaderUpgrade, nullptr, false},
    {MCU_BL_UPG_BLOCK, receiveControllerBlock, nullptr, false},
    {MCU_BL_UPG_FINISH, finishBootloaderUpgrade, nullptr, false},
};

} // namespace

bool handleControllerRequest(CommandContext& ctx, const Request& request)
{
    return dispatchCommand(kControllerCommands, ctx, request);
}

} // namespace dravo::sim
