#pragma once
// The amplifiers that are plugged in, the one the user chose, and the
// nicknames the user gave them. The main window shows the rows in its device
// combo box (row index = item index) and drives the selection through this
// class; the tuning model keeps a remembered state per device name in
// DeviceProfiles(). Used from the user-interface thread only.
#include "DeviceListNicknameStore.h"

#include <any>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dravo {

class HidBackend;
struct HidDeviceInfo;

struct DeviceEntry {
    std::string path;        // as the backend reports it
    std::string displayName; // at most 63 UTF-16 units
    std::string nickname;    // at most 63 UTF-16 units
};

// An empty path means nothing is selected: opening then takes the first
// matching device.
struct DeviceSelection {
    std::string name;
    std::string nickname;
    std::string path;
};

class DeviceList {
public:
    explicit DeviceList(std::filesystem::path settingsFile = defaultSettingsFile());

    // Rebuilds the rows from a fresh enumeration (only exact id matches are
    // kept), then forgets the remembered states of devices no longer listed.
    void UpdateDeviceList(HidBackend& backend);

    const std::vector<DeviceEntry>& Rows() const { return mRows; }
    const DeviceSelection& Selected() const { return mSelected; }

    // Selects the first row whose path equals `path` ignoring case; returns
    // its index, or -1 with the selection cleared.
    int SelectDevice(std::string_view path);
    // Row 0, or -1 with the selection cleared when the list is empty.
    int SelectFirstDevice();
    // The user picked row `index` in the combo box: copies it into the
    // selection; an index outside the list clears it. Returns whether the
    // selection changed to another device (picking the selected row again
    // changes nothing).
    bool SelectRow(int index);
    void ClearSelection();

    // The combo item that shows the selection: the first row whose path
    // equals the selected path exactly, -1 when none (or nothing selected).
    int SelectedDeviceIndex() const;
    bool IsSelectedDeviceInList() const;

    // Renaming: Begin remembers which device is being renamed and returns
    // its current nickname. Finish trims the typed text (nothing left: the
    // display name) and applies it only when that device is still selected:
    // the selection, its row and the settings file get it. Returns the
    // nickname applied, or nothing when the edit no longer fits.
    std::string BeginEditDeviceName();
    std::optional<std::string> FinishEditDeviceName(std::string_view typed);

    std::string GetDeviceNickName(const std::string& name) const { return mStore.nickname(name); }
    bool SaveDeviceNickName(const std::string& name, const std::string& nickname) const
    {
        return mStore.save(name, nickname);
    }

    // Display name -> remembered tuning state; the value's type belongs to
    // the tuning model.
    std::map<std::string, std::any>& DeviceProfiles() { return mProfiles; }
    const std::map<std::string, std::any>& DeviceProfiles() const { return mProfiles; }
    void LogDeviceProfiles() const;

    NicknameStore& NicknameStorage() { return mStore; }

private:
    void rebuild(const std::vector<HidDeviceInfo>& found);
    int selectRowAt(int index);

    NicknameStore mStore;
    std::vector<DeviceEntry> mRows;
    DeviceSelection mSelected;
    std::optional<std::string> mEditName;
    std::map<std::string, std::any> mProfiles;
};

} // namespace dravo
