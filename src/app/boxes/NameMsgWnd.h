#pragma once
// Asks for a name (scene names). The edit "name_edt" starts with the
// caller's name; Enter in it or "confirm_btn" stores its text in the caller's
// name and returns 1; "cancel_btn" and "closebtn" return 0 and "third_btn" 2,
// leaving the name as it was.
#include "ModalWnd.h"

namespace dravo {

class CNameMsgWnd : public CModalWnd {
    Q_OBJECT
public:
    // At most `capacity` UTF-16 units are taken back (a scene name holds 7).
    CNameMsgWnd(QWidget* owner, QString* name, int capacity);

protected:
    void Notify(const Notification& n) override;

private:
    void accept() override;

    QString* mName;
    int mCapacity;
};

} // namespace dravo
