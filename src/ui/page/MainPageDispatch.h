#pragma once
// The main page's notifications, turned into the tuning logic's operations
// and the window's menus and windows: every notification table of the main
// page except the pop-up menu items (the window handles those), in the
// order the tables are written, with prefix tests matching at the start of
// a name only; plus the keyboard walk between the edit boxes.
#include "Notification.h"

class MainWindowActions;
class QWidget;

namespace dravo {

class EqualizerManager;
class QtPage;

class MainPageDispatch {
public:
    MainPageDispatch(EqualizerManager& manager, QtPage& page, MainWindowActions& actions);

    // Returns whether a row of the tables matched the notification.
    bool Notify(const Notification& n);

private:
    bool onClick(const Notification& n);
    bool onClickTable(const Notification& n);
    bool onClickFurther(const Notification& n);
    bool onDoubleClick(const Notification& n);
    bool onSelectChanged(const Notification& n);
    bool onSliderValue(const Notification& n);
    bool onStep(const Notification& n, bool up);
    bool onWalk(const Notification& n, bool right);
    bool onReturn(const Notification& n);
    bool onKillFocus(const Notification& n);
    bool onSetFocus(const Notification& n);
    bool onItemSelect(const Notification& n);
    bool onEqualizer(const Notification& n, int kind, bool released);
    bool onWindowSize();

    void showDelaySlider(int channel);
    void focusControl(const char* format, int index);
    int currentChannel() const;
    int bandCount() const;

    EqualizerManager& m;
    QtPage& mPage;
    MainWindowActions& mActions;
};

} // namespace dravo
