// The device combo: the plugged-in amplifiers by nickname, which one is
// selected, renaming it, and switching to another with the settings of the
// one left behind remembered.
#include "Connection.h"

#include "DeviceLink.h"
#include "DeviceListView.h"
#include "EqualizerManager.h"
#include "Log.h"
#include "MessageIds.h"

namespace dravo {

void Connection::UpdateDeviceList()
{
    DeviceLink& link = m.link();
    if (mCombo)
        mCombo->clearItems();
    link.UpdateDeviceList();
    if (!mCombo)
        return;
    for (const DeviceEntry& row : link.Devices().Rows())
        mCombo->addItem(row.displayName, row.nickname, kDeviceItemHeight);
}

void Connection::SelectDevice(const std::string& path)
{
    const int index = m.link().Devices().SelectDevice(path);
    if (index >= 0 && mCombo)
        mCombo->selectItem(index);
}

void Connection::SelectFirstDevice()
{
    const int index = m.link().Devices().SelectFirstDevice();
    if (index >= 0 && mCombo)
        mCombo->selectItem(index);
}

void Connection::UpdateSelectDeviceIndex()
{
    DeviceList& devices = m.link().Devices();
    if (devices.Selected().path.empty()) {
        LogWrite("UpdateSelectDeviceIndex\n");
        return;
    }
    const int index = devices.SelectedDeviceIndex();
    if (mCombo)
        mCombo->selectItem(index);
}

bool Connection::IsSelectedDeviceInList()
{
    return m.link().Devices().IsSelectedDeviceInList();
}

void Connection::SetDevice()
{
    LogWrite("SetDevice\n");
    DeviceList& devices = m.link().Devices();
    const int index = mCombo ? mCombo->currentIndex() : -1;
    const auto& rows = devices.Rows();
    if (index < 0 || static_cast<std::size_t>(index) >= rows.size()) {
        devices.ClearSelection();
        devices.LogDeviceProfiles();
        return;
    }
    const DeviceEntry& row = rows[static_cast<std::size_t>(index)];
    const DeviceSelection left = devices.Selected();
    if (row.displayName != left.name || row.path != left.path) {
        if (!left.name.empty())
            rememberLeftDevice(left.name);
        devices.SelectRow(index);
        DisconnectDevice();
        ConnectDevice(false);
    }
    devices.LogDeviceProfiles();
}

// Only a record read from a verified device is worth restoring without
// reading the device again. Leaving a device that was not connected (the
// user disconnected it, or its read failed) forgets what was remembered for
// it, so coming back reads it afresh instead of bringing back a stale record
// or one that would never get past the model check.
void Connection::rememberLeftDevice(const std::string& name)
{
    auto& profiles = m.link().Devices().DeviceProfiles();
    if (Connected() && m.live().model != -1)
        profiles[name] = m.live();
    else
        profiles.erase(name);
}

void Connection::BeginEditDeviceName()
{
    LogWrite("EditDeviceName begin\n");
    DeviceList& devices = m.link().Devices();
    if (devices.Selected().name.empty())
        return;
    const std::string nickname = devices.BeginEditDeviceName();
    mEditingName = true;
    Control& edit = m.ctl("edit_device_name");
    edit.setText(nickname);
    edit.setVisible(true);
    edit.setFocus();
}

void Connection::FinishEditDeviceName()
{
    LogWrite("EditDeviceName finish\n");
    // Enter and the focus leaving both finish; the second finds nothing open.
    if (!mEditingName)
        return;
    mEditingName = false;
    const auto nickname = m.link().Devices().FinishEditDeviceName(m.ctl("edit_device_name").text());
    if (nickname && mCombo)
        mCombo->setItemText(mCombo->currentIndex(), *nickname);
    // Posted also when the selection changed meanwhile, so the edit box goes away.
    Message message;
    message.id = WM_DEVICE_NAME_EDITED;
    m.host().post(std::move(message));
}

} // namespace dravo
