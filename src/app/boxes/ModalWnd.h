#pragma once
// What every modal window of the program has in common: built from a skin
// layout by id, a frameless tool window (the layout draws its own title bar;
// it stays out of the task bar) owned by the window that opens it, centred
// over that owner, run modally, and closed with a result.
//
// Standard buttons, found by name: "closebtn" closes with 0, "confirm_btn"
// with 1, "cancel_btn" with 0, "third_btn" with 2; "minbtn", "maxbtn" and
// "restorebtn" minimise, maximise and restore. A layout without one of them
// does not offer it. Labels "MessageTitle" and "MessageText" take the
// caller's title and text.
#include "Notification.h"

#include <QDialog>
#include <QString>

namespace dravo {

class NotifyAdapter;

class CModalWnd : public QDialog {
    Q_OBJECT
public:
    CModalWnd(QWidget* owner, const QString& layoutId, const QString& className, const QString& windowName);

    // Centres over the owner and runs modally; returns the close result.
    int DoModal();
    // Shows without blocking the caller, still keeping the user away from
    // the owner (a wait indicator the owner closes itself).
    void ShowModeless();
    void Close(int result);

    const QString& className() const { return mClassName; }
    QWidget* layoutRoot() const { return mRoot; }

    // A control of the layout by name; nullptr when the layout lacks it.
    template <typename T = QWidget>
    T* control(const QString& name) const
    {
        return mRoot ? mRoot->findChild<T*>(name) : nullptr;
    }

    // Shows `text` (through the language table) on a label or button;
    // an empty text leaves what the layout says.
    void SetControlText(const QString& name, const QString& text);

    void CenterOverOwner();

protected:
    // Receives every notification of the layout's controls; the default
    // handles the standard buttons. Windows override it and call it for what
    // they leave alone.
    virtual void Notify(const Notification& n);

    void mousePressEvent(QMouseEvent* event) override;

private:
    QString mClassName;
    QWidget* mRoot = nullptr;
    NotifyAdapter* mNotify = nullptr;
};

// Closes every open modal window whose window name is `windowName`, compared
// without regard to case (the open message boxes when a device comes or goes).
int CloseModalWindowsNamed(const QString& windowName, int result);

} // namespace dravo
