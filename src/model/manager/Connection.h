#pragma once
// The life of a connection to one amplifier: opening the selected device,
// the handshake and the complete read into the live record, opening the
// request path, and undoing it all on disconnect or unplug. Also the device
// combo of the main page (which amplifier, under which nickname) and the
// settings remembered per amplifier when the user switches between them.
#include "MessageSink.h"

#include <atomic>
#include <filesystem>
#include <functional>
#include <string>

namespace dravo {

class EqualizerManager;
class DeviceComboView;
struct SenceConfig;

enum class ConnectionState { Disconnected, Reading, Connected };

// Windows owned by other parts of the program that a connection change has
// to close or hand over to. An empty function means the window is not open
// (or does not exist in this build).
struct ConnectionWindows {
    // The firmware-update window opened for a device found in loader mode.
    std::function<void()> closeLoaderUpdateWindow;
    std::function<void()> closeMixerWindow;
    std::function<void()> closeCalibrationWindow;
    // The forced update's re-connection: true when its window exists and
    // has taken the connection over.
    std::function<bool()> continueForcedUpdate;
};

class Connection {
public:
    explicit Connection(EqualizerManager& manager);
    ~Connection();

    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Sets up the controls of a freshly bound page.
    void BindView();
    // WM_CONNECTED, WM_DISCONNECTED, WM_DEVICE_NAME_EDITED; false when not ours.
    bool HandleMessage(Message& message);

    // --- Connecting ---
    // Toggles: disconnects when a device is open, otherwise opens the
    // selected device and starts reading it (or restores what was
    // remembered for it). `showFailure` explains a failed open in a box.
    void ConnectDevice(bool showFailure);
    void DisconnectDevice();
    // WM_CONNECTED: the read is done; opens the request path.
    void OnConnected();
    // A matching device arrived or left.
    void DevicePlugin(const std::string& path);
    void DevicePlugOut();
    // Handshake and complete read, every query on the calling thread.
    // -1 when the handshake got no answer, 0 otherwise (also for a wrong
    // model or a device in loader mode, which are not read).
    int PC_UI_Status_Init();
    // Asks, then resets the amplifier to its factory settings on a worker.
    void ResetMcuFactoryDefault();

    // --- The device combo ---
    void UpdateDeviceList();
    void SelectDevice(const std::string& path);
    void SelectFirstDevice();
    // The user picked an item of the combo: remember the settings of the
    // device being left and connect to the picked one.
    void SetDevice();
    void UpdateSelectDeviceIndex();
    bool IsSelectedDeviceInList();
    // Renaming the selected device in the nickname edit over the combo.
    void BeginEditDeviceName();
    void FinishEditDeviceName();

    // True once a verified device has been read and the request path opened.
    bool Connected() const;
    ConnectionState State() const { return mState.load(); }

    // --- Set by the window ---
    // The device combo (its items are made here); null: the page has none.
    void SetDeviceCombo(DeviceComboView* combo) { mCombo = combo; }
    void SetWindows(ConnectionWindows windows) { mWindows = std::move(windows); }
    // Set while the forced firmware update runs: a re-connection is handed
    // to it, and an unplug shows no message.
    void SetForceUpdateActive(bool active) { mForceUpdateActive = active; }
    bool ForceUpdateActive() const { return mForceUpdateActive.load(); }
    // Where "debug.ini" and "noForceUpdate.ini" are looked for (the working
    // directory unless set).
    void SetWorkingDirectory(std::filesystem::path dir) { mWorkingDirectory = std::move(dir); }

private:
    bool upgrading() const;
    bool presenceFile(const char* name) const;
    void showButtonState(ConnectionState state);
    void readDeviceThread();
    void rememberedProfileThread();
    void checkFirmwareVersion(int model, int master, int slave);
    void rememberLeftDevice(const std::string& name);

    EqualizerManager& m;
    DeviceComboView* mCombo = nullptr;
    ConnectionWindows mWindows;
    std::atomic<ConnectionState> mState{ConnectionState::Disconnected};
    std::atomic<bool> mForceUpdateActive{false};
    std::filesystem::path mWorkingDirectory{"."};
    bool mEditingName = false;
};

} // namespace dravo
