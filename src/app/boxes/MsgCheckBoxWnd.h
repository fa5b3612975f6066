#pragma once
// A question with two mutually exclusive answers ("check_box_0",
// "check_box_1"). "confirm_btn" returns 1 or 2 for the chosen answer and does
// nothing while neither is chosen; "cancel_btn" and "closebtn" return 0.
#include "ModalWnd.h"

namespace dravo {

class CMsgCheckBoxWnd : public CModalWnd {
    Q_OBJECT
public:
    // The two option texts are used only when both are given.
    CMsgCheckBoxWnd(QWidget* owner, const QString& title, const QString& text, const QString& option0,
                    const QString& option1);

protected:
    void Notify(const Notification& n) override;
};

} // namespace dravo
