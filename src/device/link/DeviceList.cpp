#include "DeviceList.h"

#include "DeviceListNaming.h"
#include "Log.h"
#include "ProductInfo.h"
#include "transport/HidTransport.h"

#include <algorithm>
#include <set>
#include <utility>

namespace dravo {

DeviceList::DeviceList(std::filesystem::path settingsFile) : mStore(std::move(settingsFile)) {}

void DeviceList::UpdateDeviceList(HidBackend& backend)
{
    LogWrite("UpdateDeviceList\n");
    mRows.clear();
    LogWrite("List All Device:\n");
    rebuild(backend.enumerate(kAmplifierUsbId.vendorId, kAmplifierUsbId.productId));
}

void DeviceList::rebuild(const std::vector<HidDeviceInfo>& found)
{
    for (const HidDeviceInfo& device : found) {
        LogWrite("\tDevice Path: %s\n", device.path.c_str());
        // A backend may hand back other devices than the ones asked for.
        if (device.vendorId != kAmplifierUsbId.vendorId || device.productId != kAmplifierUsbId.productId)
            continue;
        DeviceEntry row;
        row.path = device.path;
        row.displayName = deviceDisplayName(device.serialNumber, device.path);
        row.nickname = mStore.nickname(row.displayName);
        mRows.push_back(std::move(row));
    }

    std::set<std::string> names;
    for (const auto& row : mRows)
        names.insert(row.displayName);
    for (auto it = mProfiles.begin(); it != mProfiles.end();) {
        if (names.count(it->first)) {
            ++it;
            continue;
        }
        LogWrite("Remove Device Profile: %s\n", it->first.c_str());
        it = mProfiles.erase(it);
    }
    LogDeviceProfiles();
}

void DeviceList::LogDeviceProfiles() const
{
    for (const auto& entry : mProfiles)
        LogWrite("Device Profile: %s\n", entry.first.c_str());
}

void DeviceList::ClearSelection()
{
    mSelected = {};
}

int DeviceList::selectRowAt(int index)
{
    const DeviceEntry& row = mRows[static_cast<std::size_t>(index)];
    mSelected = {row.displayName, row.nickname, row.path};
    LogWrite("\tSelect Device Name: %s\n", mSelected.name.c_str());
    LogWrite("\tSelect Device Nick Name: %s\n", mSelected.nickname.c_str());
    LogWrite("\tSelect Device Path: %s\n", mSelected.path.c_str());
    return index;
}

int DeviceList::SelectDevice(std::string_view path)
{
    LogWrite("SelectDevice\n");
    ClearSelection();
    for (std::size_t i = 0; i < mRows.size(); ++i)
        if (sameTextIgnoringCase(mRows[i].path, path))
            return selectRowAt(static_cast<int>(i));
    return -1;
}

int DeviceList::SelectFirstDevice()
{
    LogWrite("SelectFirstDevice\n");
    if (mRows.empty()) {
        ClearSelection();
        return -1;
    }
    return selectRowAt(0);
}

bool DeviceList::SelectRow(int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= mRows.size()) {
        ClearSelection();
        return false;
    }
    const DeviceEntry& row = mRows[static_cast<std::size_t>(index)];
    if (row.displayName == mSelected.name && row.path == mSelected.path)
        return false;
    selectRowAt(index);
    return true;
}

int DeviceList::SelectedDeviceIndex() const
{
    LogWrite("UpdateSelectDeviceIndex\n");
    if (mSelected.path.empty())
        return -1;
    const auto it = std::find_if(mRows.begin(), mRows.end(),
                                 [&](const DeviceEntry& row) { return row.path == mSelected.path; });
    return it == mRows.end() ? -1 : static_cast<int>(it - mRows.begin());
}

bool DeviceList::IsSelectedDeviceInList() const
{
    LogWrite("IsSelectedDeviceInList\n");
    if (mSelected.path.empty())
        return false;
    return std::any_of(mRows.begin(), mRows.end(),
                       [&](const DeviceEntry& row) { return row.path == mSelected.path; });
}

std::string DeviceList::BeginEditDeviceName()
{
    mEditName = mSelected.name;
    return mSelected.nickname;
}

std::optional<std::string> DeviceList::FinishEditDeviceName(std::string_view typed)
{
    const std::optional<std::string> began = std::exchange(mEditName, std::nullopt);
    if (!began || *began != mSelected.name || mSelected.name.empty())
        return std::nullopt;
    std::string nickname = cutToUnits(trimmedText(typed), kDeviceNameMaxUnits);
    if (nickname.empty())
        nickname = mSelected.name;
    mSelected.nickname = nickname;
    for (auto& row : mRows)
        if (row.path == mSelected.path)
            row.nickname = nickname;
    mStore.save(mSelected.name, nickname);
    return nickname;
}

} // namespace dravo
