#include "MsgCheckBoxWnd.h"

#include <QAbstractButton>

namespace dravo {

CMsgCheckBoxWnd::CMsgCheckBoxWnd(QWidget* owner, const QString& title, const QString& text, const QString& option0,
                                 const QString& option1)
    : CModalWnd(owner, QStringLiteral("XML_CHECKBOX_MSG"), QStringLiteral("MsgCheckBoxWnd"), QStringLiteral("msgcbwnd"))
{
    SetControlText(QStringLiteral("MessageTitle"), title);
    SetControlText(QStringLiteral("MessageText"), text);
    if (!option0.isEmpty() && !option1.isEmpty()) {
        SetControlText(QStringLiteral("check_box_0"), option0);
        SetControlText(QStringLiteral("check_box_1"), option1);
    }
}

void CMsgCheckBoxWnd::Notify(const Notification& n)
{
    if (n.is(notify::kClick) && n.name == QLatin1String("confirm_btn")) {
        const auto* first = control<QAbstractButton>(QStringLiteral("check_box_0"));
        const auto* second = control<QAbstractButton>(QStringLiteral("check_box_1"));
        if (first && first->isChecked())
            Close(1);
        else if (second && second->isChecked())
            Close(2);
        return;
    }
    CModalWnd::Notify(n);
}

} // namespace dravo
