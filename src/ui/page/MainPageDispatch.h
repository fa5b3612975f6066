#pragma once
// The main page's notifications, turned into the tuning logic's operations
// and the window's menus and windows: every notification table of the main
// page except the pop-up menu items (the window handles those), in the
// order the tables are written, with prefix tests matching at the start of
// a name only; plus the keyboard walk between the edit boxes.
//
// The window hands every notification of its layout to Notify(); the curve
// display's drag notifications come in on its own signal, which the
// dispatch connects itself.
#include "Notification.h"

#include <QObject>

#include <cstddef>
#include <memory>
#include <string>

class MainWindowActions;
class QWidget;

namespace dravo {

class EqualizerManager;
class QtPage;

class MainPageDispatch {
public:
    MainPageDispatch(EqualizerManager& manager, QtPage& page, MainWindowActions& actions);
    ~MainPageDispatch();

    MainPageDispatch(const MainPageDispatch&) = delete;
    MainPageDispatch& operator=(const MainPageDispatch&) = delete;

    // Returns whether a row of the tables matched the notification.
    bool Notify(const Notification& n);

private:
    // One row of a notification table: a control name (or the start of one)
    // and what it does.
    struct Row;

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

    // The typed-value rows shared by "return" and "killfocus", with the band
    // rows that differ between them in the middle.
    bool applyTyped(const Notification& n, const Row* bandRows, std::size_t bandRowCount);
    void applyBandEdit(const Notification& n);
    void focusBandEdit(const char* format, int band);
    void showDelaySlider(int channel);
    bool reachable(const std::string& name) const;
    int currentChannel() const;
    int bandCount() const;

    EqualizerManager& m;
    QtPage& mPage;
    MainWindowActions& mActions;
    // Ends the curve's connection with the dispatch.
    std::unique_ptr<QObject> mContext;
    // The direction of the step being dispatched.
    bool mStepUp = false;
};

} // namespace dravo
