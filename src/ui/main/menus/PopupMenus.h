#pragma once
// The main window's six pop-up menus, each built from its skin layout when
// it opens and adjusted to the build's switches, the connection and the
// output roles. At most one is open: opening a menu closes the previous one.
// A chosen item is handed on as a MenuCommand.
#include "MenuCommand.h"
#include "MenuPlacement.h"

#include <QMenu>
#include <QPointer>

#include <functional>
#include <initializer_list>
#include <memory>

class QWidget;

namespace dravo {

class EqualizerManager;

class PopupMenus {
public:
    using ChosenHandler = std::function<void(std::unique_ptr<MenuCommand>)>;

    PopupMenus(QWidget* window, EqualizerManager& manager, ChosenHandler onChosen);
    ~PopupMenus();

    PopupMenus(const PopupMenus&) = delete;
    PopupMenus& operator=(const PopupMenus&) = delete;

    void ShowAdvanceMenu(QWidget* button);
    void ShowOptionMenu(QWidget* button);
    void ShowSceneMenu(QWidget* button);
    void ShowOutputMenu(int channel, QWidget* button);
    void ShowLinkGroupMenu(int channel, QWidget* button);
    void ShowDelayLinkGroupMenu(int channel, QWidget* button);

    // The channel the output-role menu was last opened for, and the one the
    // link-group or delay-link-group menu was.
    int OutputMenuChannel() const { return mOutputMenuChannel; }
    int LinkMenuChannel() const { return mLinkMenuChannel; }

    // The menu that is open (or was opened last and not replaced yet).
    QMenu* CurrentMenu() const { return mMenu; }
    void Close();

private:
    QMenu* build(const char* layout);
    void popup(QMenu* menu, QWidget* button, MenuAnchor anchor, int alignment);
    void enableDeviceItems(QMenu& menu, std::initializer_list<const char*> items);
    void adjustOutput(QMenu& menu, int channel);

    QPointer<QWidget> mWindow;
    EqualizerManager& mManager;
    ChosenHandler mOnChosen;
    QPointer<QMenu> mMenu;
    int mOutputMenuChannel = 0;
    int mLinkMenuChannel = 0;
};

} // namespace dravo
