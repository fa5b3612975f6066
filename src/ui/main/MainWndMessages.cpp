// The main window's rows of the message table. Replies and connection
// results that change the tuning state go to the tuning logic; the window
// shows boxes and the loading indicator itself.
#include "MainWnd.h"

#include "EqualizerManager.h"
#include "LayoutRules.h"
#include "Languages.h"
#include "Log.h"
#include "MessageIds.h"
#include "MsgWnd.h"
#include "ProductInfo.h"
#include "Connection.h"
#include "ConnectionText.h"
#include "menus/MenuCommand.h"

#include <string>

namespace dravo {
namespace {

// The longest firmware notice shown.
constexpr int kFirmwareNoticeMax = 1024;

int showNotice(QWidget* window, const QString& text)
{
    return ShowMsgBox(window, QStringLiteral("${tips}"), text, {QStringLiteral("${confirm}")}, 1);
}

} // namespace

void CMainWnd::HandleMessage(Message& message)
{
    struct Row {
        std::uint32_t id;
        void (CMainWnd::*handle)(Message&);
    };
    static constexpr Row kRows[] = {
        {WM_MENU_ITEM_CLICK, &CMainWnd::onMenuItemClick},
        {WM_DEVICE_ABNORMAL, &CMainWnd::onDeviceAbnormal},
        {WM_DEVICE_REBOOT, &CMainWnd::onDeviceReboot},
        {WM_CONNECT_FAILED, &CMainWnd::onConnectFailed},
        {WM_CHECK_FORCE_UPDATE, &CMainWnd::onCheckForceUpdate},
        {WM_DSP_FW_NEWER, &CMainWnd::onFirmwareNewer},
        {WM_SHOW_LOADING, &CMainWnd::onShowLoading},
        {WM_HIDE_LOADING, &CMainWnd::onHideLoading},
        // Messages of the calibration, scene, memory and update windows.
        {WM_IRC_VALUE, &CMainWnd::onOtherWindowsMessage},
        {WM_IRC_PROGRESS, &CMainWnd::onOtherWindowsMessage},
        {WM_SCENE_DONE, &CMainWnd::onOtherWindowsMessage},
        {WM_SCENE_ID, &CMainWnd::onOtherWindowsMessage},
        {WM_MEMWR_VALUE, &CMainWnd::onOtherWindowsMessage},
        {WM_UPGRADE_PROGRESS, &CMainWnd::onOtherWindowsMessage},
        {WM_UPGRADE_OK, &CMainWnd::onOtherWindowsMessage},
        {WM_UPGRADE_FAILED, &CMainWnd::onOtherWindowsMessage},
        {WM_UPGRADE_LOAD_FAILED, &CMainWnd::onOtherWindowsMessage},
        {WM_UPGRADE_MCU_STARTED, &CMainWnd::onOtherWindowsMessage},
        {WM_UPGRADE_FLASH_STARTED, &CMainWnd::onOtherWindowsMessage},
        {WM_UPGRADE_REPLUG, &CMainWnd::onOtherWindowsMessage},
        {WM_UPGRADE_BEGIN, &CMainWnd::onOtherWindowsMessage},
    };
    for (const Row& row : kRows) {
        if (row.id == message.id) {
            (this->*row.handle)(message);
            return;
        }
    }
    mManager->HandleMessage(message);
    if (message.id == WM_CONNECTED && mOptions.connected && mManager->connection().Connected())
        mOptions.connected();
}

void CMainWnd::onMenuItemClick(Message& message)
{
    const auto* command = dynamic_cast<const MenuCommand*>(message.record.get());
    if (!command)
        return;
    LogWrite("on menu click %s\n", command->name.c_str());
    OnMenuItem(*command);
}

void CMainWnd::onDeviceAbnormal(Message&)
{
    showNotice(this, QStringLiteral("${device_status_unnormal}"));
    OpenWindow(QStringLiteral("firmware_update"));
}

void CMainWnd::onDeviceReboot(Message&)
{
    mLoading.Hide();
    showNotice(this, QStringLiteral("${device_reboot}"));
}

void CMainWnd::onConnectFailed(Message&)
{
    showNotice(this, QStringLiteral("${device_connect_fail}"));
}

void CMainWnd::onCheckForceUpdate(Message&) {}

void CMainWnd::onFirmwareNewer(Message&)
{
    const SenceConfig& live = mManager->live();
    const std::string master = std::to_string(live.mainVersion);
    const std::string slave = std::to_string(live.slaveVersion);
    const std::string major = std::to_string(kInnerFirmwareMajor);
    const std::string minor = std::to_string(kInnerFirmwareMinor);
    const QString notice = GetText(QStringLiteral("${dsp_fw_new_tips}"));
    const std::string text = fillPlaceholders(notice.toStdString(), {master, slave, major, minor});
    showNotice(this, QString::fromStdString(text).left(kFirmwareNoticeMax));
}

void CMainWnd::onShowLoading(Message&)
{
    mLoading.Show();
}

void CMainWnd::onHideLoading(Message&)
{
    mLoading.Hide();
    mManager->layout().SetCurChannelChange(0);
}

void CMainWnd::onOtherWindowsMessage(Message&) {}

} // namespace dravo
