#include "Connection.h"

#include "ConnectionFirmware.h"
#include "ConnectionText.h"
#include "DeviceLink.h"
#include "EqualizerManager.h"
#include "Log.h"
#include "MessageIds.h"
#include "ProductInfo.h"
#include "UpgradeStatus.h"
#include "ValueIntake.h"

#include <system_error>

namespace dravo {
namespace {

// The handshake and the replies that follow it need this long to reach the
// live record through the user-interface thread before the read thread
// looks at the model.
constexpr int kHandshakeSettleMs = 1000;

void post(EqualizerManager& m, std::uint32_t id)
{
    Message message;
    message.id = id;
    m.host().post(std::move(message));
}

} // namespace

Connection::Connection(EqualizerManager& manager) : m(manager) {}

Connection::~Connection() = default;

bool Connection::HandleMessage(Message& message)
{
    switch (message.id) {
    case WM_CONNECTED:
        OnConnected();
        return true;
    case WM_DISCONNECTED:
        DisconnectDevice();
        return true;
    case WM_DEVICE_NAME_EDITED:
        m.ctl("edit_device_name").setVisible(false);
        return true;
    default:
        return false;
    }
}

bool Connection::Connected() const
{
    return mState.load() == ConnectionState::Connected && m.link().IsConnected();
}

// While the firmware is being replaced the device must not be opened,
// closed or read by anyone but the upgrade.
bool Connection::upgrading() const
{
    const std::int32_t status = m.link().State().sysUpgStatus.load();
    return status == UPG_STATUS_MCU_LOADED || status == UPG_START;
}

bool Connection::presenceFile(const char* name) const
{
    std::error_code error;
    return std::filesystem::exists(mWorkingDirectory / name, error);
}

void Connection::ConnectDevice(bool showFailure)
{
    LogWrite("ConnectDevice\n");
    if (upgrading()) {
        LogWrite("sys_upg_status UPG_ENTER or UPG_START\n");
        return;
    }
    DeviceLink& link = m.link();
    if (link.IsConnected()) {
        DisconnectDevice();
        return;
    }

    link.OpenHIDDevice(link.Devices().Selected().path);
    if (!link.IsConnected()) {
        LogWrite("Can not conect usb devices, please connect devices again!\n");
        if (showFailure)
            m.host().showMessage("${tips}", "${device_connect_fail}", {"${confirm}"});
        showButtonState(ConnectionState::Disconnected);
        return;
    }

    if (mWindows.closeLoaderUpdateWindow)
        mWindows.closeLoaderUpdateWindow();
    if (mWindows.closeMixerWindow)
        mWindows.closeMixerWindow();
    LogWrite("Connect OK！\n");
    showButtonState(ConnectionState::Reading);

    if (!presenceFile("noForceUpdate.ini") && mForceUpdateActive && mWindows.continueForcedUpdate) {
        // The forced update asked for the replug; it reads the device itself.
        showButtonState(ConnectionState::Connected);
        if (mWindows.continueForcedUpdate())
            return;
        showButtonState(ConnectionState::Reading);
    }

    link.DisableCmdCtrl();
    post(m, WM_SHOW_LOADING);

    auto& profiles = link.Devices().DeviceProfiles();
    const auto remembered = profiles.find(link.Devices().Selected().name);
    const SenceConfig* record =
        remembered != profiles.end() ? std::any_cast<SenceConfig>(&remembered->second) : nullptr;
    if (record)
        m.live() = *record;
    LogWrite("profile exist = %d\n", record ? 1 : 0);

    if (record)
        m.host().startWorker("SetCurProfileThread", [this] { rememberedProfileThread(); });
    else
        m.host().startWorker("Read mcu value thread", [this] { readDeviceThread(); });
}

void Connection::readDeviceThread()
{
    LogWrite("Read mcu value thread start!\n");
    ManagerHost& host = m.host();
    if (PC_UI_Status_Init() == -1) {
        post(m, WM_HIDE_LOADING);
        post(m, WM_CONNECT_FAILED);
        post(m, WM_DISCONNECTED);
        host.runOnUiThread([this] { m.live().model = -1; });
        return;
    }

    host.runOnUiThread([this] {
        for (int c = 0; c < kOutputCount; ++c)
            m.UpdateChannelCurve(c);
    });
    host.sleepMs(kHandshakeSettleMs);
    host.runOnUiThread([this] { m.intake().UpdateEqualizer(-1); });
    post(m, WM_CONNECTED);
    post(m, WM_HIDE_LOADING);
    LogWrite("Read mcu value thread end!\n");

    if (m.link().State().mcuIsNormalMode.load() != 1)
        return;
    // What the handshake reply left in the live record, read where it is written.
    int model = -1;
    int master = 0;
    int slave = 0;
    host.runOnUiThread([&] {
        model = m.live().model;
        master = m.live().mainVersion;
        slave = m.live().slaveVersion;
    });
    checkFirmwareVersion(model, master, slave);
}

void Connection::checkFirmwareVersion(int model, int master, int slave)
{
    if (model != kModelId) {
        post(m, WM_HIDE_LOADING);
        m.host().runOnUiThread([this] {
            DisconnectDevice();
            m.live().model = -1;
        });
        return;
    }
    switch (compareWithPackagedFirmware(master, slave)) {
    case FirmwareAge::Same:
        break;
    case FirmwareAge::Newer:
        post(m, WM_DSP_FW_NEWER);
        break;
    case FirmwareAge::Older:
        if (!presenceFile("noForceUpdate.ini"))
            post(m, WM_CHECK_FORCE_UPDATE);
        break;
    }
}

void Connection::rememberedProfileThread()
{
    LogWrite("SetCurProfileThread start!\n");
    m.host().runOnUiThread([this] { m.intake().SetReadProfileToView(); });
    post(m, WM_CONNECTED);
    post(m, WM_HIDE_LOADING);
    LogWrite("SetCurProfileThread end!\n");
}

void Connection::OnConnected()
{
    LogWrite("OnConnected\n");
    if (upgrading() || m.link().State().mcuIsNormalMode.load() != 1)
        return;
    if (!m.link().IsConnected() || m.live().model == -1) {
        DisconnectDevice();
        return;
    }
    showButtonState(ConnectionState::Connected);
    m.link().EnableCmdCtrl();
    m.intake().UpdateEqualizer(-1);
}

void Connection::DisconnectDevice()
{
    LogWrite("DisconnectDevice\n");
    if (upgrading()) {
        LogWrite("sys_upg_status UPG_ENTER or UPG_START\n");
        return;
    }
    if (mWindows.closeMixerWindow)
        mWindows.closeMixerWindow();
    if (mWindows.closeCalibrationWindow)
        mWindows.closeCalibrationWindow();
    m.link().DisableCmdCtrl();
    m.link().CloseHIDDevice(true);
    showButtonState(ConnectionState::Disconnected);
    m.live().model = -1;
}

void Connection::DevicePlugin(const std::string& path)
{
    LogWrite("DevicePlugin\n");
    if (upgrading()) {
        LogWrite("sys_upg_status UPG_ENTER or UPG_START\n");
        return;
    }
    UpdateDeviceList();
    const bool open = m.link().IsConnected();
    if (open && IsSelectedDeviceInList()) {
        UpdateSelectDeviceIndex();
        return;
    }
    // A handle still open on a device that has left would make the connect
    // below a disconnect; close it so the arrived device is connected.
    if (open)
        DisconnectDevice();
    SelectDevice(path);
    ConnectDevice(false);
}

void Connection::DevicePlugOut()
{
    LogWrite("DevicePlugOut\n");
    if (upgrading()) {
        LogWrite("sys_upg_status UPG_ENTER or UPG_START\n");
        return;
    }
    UpdateDeviceList();
    const bool selectedListed = IsSelectedDeviceInList();
    if (selectedListed) {
        UpdateSelectDeviceIndex();
        return;
    }
    if (!m.link().IsConnected()) {
        SelectFirstDevice();
        return;
    }
    const std::string previousName = m.link().Devices().Selected().name;
    DisconnectDevice();
    SelectFirstDevice();
    if (mForceUpdateActive)
        return;
    const std::string text = fillPlaceholders(m.tr("${device_plugout}"), {previousName});
    m.host().startWorker("DisconnectMsgThread", [this, text] {
        LogWrite("DisconnectMsgThread start!\n");
        m.host().showMessage("${tips}", text, {"${confirm}"});
        LogWrite("DisconnectMsgThread end!\n");
    });
}

void Connection::ResetMcuFactoryDefault()
{
    LogWrite("EqualizerManager::ResetMcuFactoryDefault\n");
    // The menu item is disabled without a device, but the menu may have been
    // opened before the device left.
    if (!m.link().IsConnected())
        return;
    if (m.host().showMessage("${tips}", "${factory_default_tips}", {}) != 1)
        return;
    post(m, WM_SHOW_LOADING);
    m.host().startWorker("Factory default thread", [this] {
        LogWrite("Factory default thread start!\n");
        m.link().Factory_Default_Ctrl();
        post(m, WM_DEVICE_REBOOT);
        LogWrite("Factory default thread end!\n");
    });
}

} // namespace dravo
