// The intake's message rows, and what the controller, the karaoke unit and
// the scene store report.
#include "ValueIntake.h"

#include "CommandCodes.h"
#include "DeviceLink.h"
#include "EditingRules.h"
#include "EqualizerManager.h"
#include "KaraokeParams.h"
#include "Log.h"
#include "MessageIds.h"
#include "ProductInfo.h"
#include "Records.h"
#include "ValueIntakeHelpers.h"

namespace dravo {

using namespace intake;

bool ValueIntake::HandleMessage(Message& message)
{
    const int code = static_cast<int>(message.wParam);
    switch (message.id) {
    case WM_DSP_VALUE: ReadDspValueCallback(code, message); return true;
    case WM_READ_MCU_VALUE: ReadMcuValueCallback(code, message); return true;
    case WM_KTV_VALUE: ReadKtvValueCallback(code, message); return true;
    case WM_SCENE_VALUE: ReadSenceValueCallback(code, message); return true;
    default: return false;
    }
}

void ValueIntake::ReadMcuValueCallback(int code, Message& message)
{
    LogWrite("ReadMcuValueCallback 0x%02x\n", code);
    SenceConfig& live = m.live();
    const int value = static_cast<int>(message.lParam);
    switch (code) {
    case MCU_HANDSHAKE: {
        const auto* r = recordAs<HandshakeRecord>(message);
        if (!r)
            return;
        live.model = r->model;
        live.mainVersion = r->master;
        live.slaveVersion = r->slave;
        const bool normalMode = m.link().State().mcuIsNormalMode.load() != 0;
        LogWrite("UI MCU_HANDSHAKE model=%d, mainVersion=%d, slaveVersion=%d, mcu_is_normal_mode=%d\n", r->model,
                 r->master, r->slave, normalMode ? 1 : 0);
        // The read thread disconnects a wrong model; this only tells why.
        if (r->model != kModelId && normalMode)
            m.host().showMessage("${tips}", format("%s %d", m.tr("${device_not_match}").c_str(), r->model),
                                 {"${confirm}"});
        return;
    }
    case MCU_GET_DSPFLASH_VER:
        if (const auto* r = recordAs<FlashVersionRecord>(message))
            live.flashVer = r->version;
        return;
    case MCU_POWER_OFF_DELAY:
        live.powerOffDelay = value;
        return;
    case MCU_ACC: {
        live.acc = value;
        Control& slider = m.ctl("slider_acc");
        slider.setValue(value);
        const bool off = m.has("slider_acc") && slider.value() == slider.minimum();
        m.ctl("edit_acc").setText(off ? std::string("${off}") : format("%d", value));
        return;
    }
    case MCU_PING:
        LogWrite("MCU_PING recved in ReadMcuValueCallback\n");
        return;
    case MCU_USB_POWER_PIN:
        LogWrite("MCU_USB_POWER_PIN usb option:%d", value);
        // The pin's level is the inverse of the option.
        m.mUsbUdpOrScp = value == 0 ? 1 : 0;
        m.editing().ApplyUsbOption(m.mUsbUdpOrScp, true);
        return;
    default:
        return;
    }
}

void ValueIntake::ReadKtvValueCallback(int code, Message& message)
{
    LogWrite("ReadKtvValueCallback 0x%02x\n", code);
    const int slot = karaokeSlotOf(code);
    if (slot >= 0)
        m.live().karaoke[static_cast<std::size_t>(slot)] = static_cast<int>(message.lParam);
}

void ValueIntake::ReadSenceValueCallback(int code, Message& message)
{
    LogWrite("ReadSenceValueCallback 0x%02x", code);
    if (code == FLASH_SCENE_NAME) {
        if (const auto* r = recordAs<SceneNameRecord>(message))
            mSceneNames.setFromDevice(r->index, r->name);
    } else if (code == FLASH_SCENE_VALID) {
        if (const auto* r = recordAs<SceneValidRecord>(message)) {
            LogWrite("FLASH_SCENE_VALID 0x%02x", r->mask);
            mSceneValidMask = r->mask;
        }
    }
}

} // namespace dravo
