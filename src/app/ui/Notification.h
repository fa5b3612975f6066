#pragma once
// One user action on a control of a layout, as the windows receive it: the
// kind of action, the control's name and its user data (the "userdata"
// property; for repeated controls their index).
#include <QPointer>
#include <QString>
#include <QWidget>

namespace dravo {

// The kinds of notification.
namespace notify {
inline constexpr const char* kClick = "click";
inline constexpr const char* kSelectChanged = "selectchanged";
inline constexpr const char* kValueChanged = "valuechanged";
inline constexpr const char* kMoveValueChanged = "movevaluechanged";
inline constexpr const char* kValueChangedUp = "valuechangedup";
inline constexpr const char* kValueChangedDown = "valuechangeddown";
inline constexpr const char* kValueChangedLeft = "valuechangedleft";
inline constexpr const char* kValueChangedRight = "valuechangedright";
inline constexpr const char* kReturn = "return";
inline constexpr const char* kKillFocus = "killfocus";
inline constexpr const char* kSetFocus = "setfocus";
inline constexpr const char* kItemSelect = "itemselect";
inline constexpr const char* kDbClick = "dbclick";
inline constexpr const char* kWindowSize = "windowsize";
inline constexpr const char* kItemActivate = "itemactivate";
} // namespace notify

struct Notification {
    QString type;
    QString name;
    QString userData;
    QPointer<QWidget> sender;
    int value = 0; // slider position, chosen item, checked state

    bool is(const char* kind) const { return type == QLatin1String(kind); }
    // Names ending in "_" are prefixes of a family of controls.
    bool nameStartsWith(const char* prefix) const { return name.startsWith(QLatin1String(prefix)); }
    // The user data as a number; 0 when it is not one.
    int index() const
    {
        bool ok = false;
        const int n = userData.trimmed().toInt(&ok);
        return ok ? n : 0;
    }
};

} // namespace dravo
