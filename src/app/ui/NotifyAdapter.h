#pragma once
// Turns what Qt reports about the controls of a loaded layout into the named
// notifications the windows act on, each logged "Notify <type>" before it is
// delivered (so the receiver does not log it again):
//
//   button clicked                      click; a check box, option or
//                                       selectable button then selectchanged
//                                       (value = checked)
//   slider moved while dragged          movevaluechanged
//   slider changed otherwise, released  valuechanged
//   Up / Down in an edit                valuechangedup / valuechangeddown
//   Left at the start / Right at the end of an edit
//                                       valuechangedleft / valuechangedright
//   Enter in an edit                    return
//   focus lost / taken by an edit,      killfocus / setfocus
//   slider, spin box or combo box
//   combo box or list item chosen       itemselect (value = row)
//   list item activated                 itemactivate
//   double click                        dbclick
//   the layout's root resized           windowsize
//
// Only named controls report, and only what the user does: a window that
// shows a value with setValue() or setChecked() hears nothing back, so
// showing a device value never turns into a request to the device.
#include "Notification.h"

#include <QObject>

#include <functional>

namespace dravo {

class NotifyAdapter : public QObject {
    Q_OBJECT
public:
    using Callback = std::function<void(const Notification&)>;

    // Watches `root` and every control below it now.
    NotifyAdapter(QWidget* root, Callback callback);

    // Watches a subtree added later (a sub-layout built into a container).
    void watch(QWidget* subtree);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void attach(QWidget* w);
    void send(QWidget* sender, const char* type, int value = 0);

    QWidget* mRoot;
    Callback mCallback;
};

} // namespace dravo
