#pragma once
// The program's one top-level window. It builds the main page from the skin,
// owns the tuning logic and the device link under it, keeps a single copy of
// the program running, follows amplifiers being plugged in and out, runs the
// page's timers, and receives every message that workers and the reply
// decoder post back to the user-interface thread.
#include "LoadingWnd.h"
#include "MainWindowActions.h"
#include "MessageSink.h"
#include "Notification.h"

#include <QString>
#include <QWidget>

#include <filesystem>
#include <functional>
#include <memory>

namespace dravo {

class DeviceLink;
class EqualizerManager;
class HidBackend;
class HotplugMonitor;
class MainPageDispatch;
class MenuItems;
class NotifyAdapter;
class PopupMenus;
class QtManagerHost;
class QtDeviceCombo;
class QtPage;
class QtProfileFileDialog;
class SingleInstanceLock;
struct HotplugEvent;
struct MenuCommand;

inline constexpr const char* kMainWindowTitle = "Velt DSP Audio";
inline constexpr const char* kSimulatedTitleSuffix = " — simulated amplifier";
// The page's title label has less room than the window title.
inline constexpr const char* kSimulatedLabelSuffix = " — simulated";
inline constexpr int kMainWindowWidth = 1230;
inline constexpr int kMainWindowHeight = 650;

struct MainWndOptions {
    // The amplifier is simulated in this process; the title says so.
    bool demo = false;
    // Display DPI to use instead of the one chosen from the screens; 0: choose.
    int dpi = 0;
    // Registered language name for this run instead of the stored one; the
    // settings file is left as it is. Empty: the stored one.
    QString language;
    // Where the single-instance lock lives; empty: the user's runtime folder.
    QString lockDirectory;
    // Where "debug.ini" and "noForceUpdate.ini" are looked for; empty: the
    // working directory.
    std::filesystem::path workingDirectory;
    // Ends the program's message loop once the window has closed. Without it
    // closing only hides the window (tests).
    std::function<void()> quit;
    // Starts a new copy of the program after the display changed. Without it
    // the window only closes.
    std::function<void()> restart;
    // Called each time a connection's read has been shown on the page and
    // the request path is open.
    std::function<void()> connected;
};

class CMainWnd : public QWidget, public MainWindowActions {
    Q_OBJECT
public:
    // Builds the window and runs its initialisation: page, languages, scale,
    // tuning logic, the single-instance check and, for the first copy, the
    // connection to the first amplifier found on `backend`.
    CMainWnd(std::unique_ptr<HidBackend> backend, MainWndOptions options);
    ~CMainWnd() override;

    CMainWnd(const CMainWnd&) = delete;
    CMainWnd& operator=(const CMainWnd&) = delete;

    // --- MainWindowActions ---
    void ShowAdvanceMenu(QWidget* button) override;
    void ShowOptionMenu(QWidget* button) override;
    void ShowSceneMenu(QWidget* button) override;
    void ShowOutputMenu(int channel, QWidget* button) override;
    void ShowLinkGroupMenu(int channel, QWidget* button) override;
    void ShowDelayLinkGroupMenu(int channel, QWidget* button) override;
    void Minimize() override;
    void ApplyDpi(int dpi) override;
    void OpenWindow(const QString& which) override;
    void ToggleAutoSave() override;
    void LoadAutoSave(const QString& text) override;

    // --- What the window runs on ---
    EqualizerManager& Manager() { return *mManager; }
    DeviceLink& Link() { return *mLink; }
    QtManagerHost& Host() { return *mHost; }
    QtPage* Page() { return mPage.get(); }
    PopupMenus& Menus() { return *mMenus; }
    bool SecondInstance() const { return mSecondInstance; }
    bool LoadingShown() const { return mLoading.IsShown(); }
    int Dpi() const { return mDpi; }

    // Nothing is under way: no read, no loading indicator, no worker.
    bool Settled() const;

    // The rows of the message table; also what posted messages arrive at.
    void HandleMessage(Message& message);
    // The notifications of the page's controls.
    void Notify(const Notification& n);
    // A pop-up menu item, as WM_MENU_ITEM_CLICK delivers it.
    void OnMenuItem(const MenuCommand& command);
    // An amplifier plugged in or out (from the device watcher, on this thread).
    void OnDeviceChange(const HotplugEvent& event);
    // The screens changed: the program starts again at the new scale.
    void OnDisplayChange();

protected:
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void InitWindow();
    void buildPage();
    void tearDownPage();
    void showTitle();
    void claimSingleInstance();
    void connectFirstDevice();
    void watchDisplays();
    void closeMessageBoxes();

    // Message rows the window handles itself.
    void onMenuItemClick(Message& message);
    void onDeviceAbnormal(Message& message);
    void onDeviceReboot(Message& message);
    void onConnectFailed(Message& message);
    void onCheckForceUpdate(Message& message);
    void onFirmwareNewer(Message& message);
    void onShowLoading(Message& message);
    void onHideLoading(Message& message);
    void onOtherWindowsMessage(Message& message);

    MainWndOptions mOptions;
    int mDpi = 96;
    bool mSecondInstance = false;
    bool mClosed = false;

    std::unique_ptr<DeviceLink> mLink;
    std::unique_ptr<QtManagerHost> mHost;
    std::unique_ptr<EqualizerManager> mManager;
    QWidget* mRoot = nullptr;
    std::unique_ptr<QtPage> mPage;
    std::unique_ptr<MainPageDispatch> mDispatch;
    std::unique_ptr<QtDeviceCombo> mDeviceCombo;
    NotifyAdapter* mNotify = nullptr;
    std::unique_ptr<PopupMenus> mMenus;
    std::unique_ptr<QtProfileFileDialog> mFiles;
    std::unique_ptr<MenuItems> mMenuItems;
    LoadingIndicator mLoading{this};
    std::unique_ptr<SingleInstanceLock> mInstance;
    std::unique_ptr<HotplugMonitor> mHotplug;
};

} // namespace dravo
