#include "NameMsgWnd.h"

#include <QLineEdit>

namespace dravo {

CNameMsgWnd::CNameMsgWnd(QWidget* owner, QString* name, int capacity)
    : CModalWnd(owner, QStringLiteral("XML_MSG_NAME"), QStringLiteral("NameMsgWnd"), QStringLiteral("namemsgwnd")),
      mName(name), mCapacity(std::max(0, capacity))
{
    if (auto* edit = control<QLineEdit>(QStringLiteral("name_edt"))) {
        edit->setMaxLength(std::max(1, mCapacity));
        if (mName)
            edit->setText(*mName);
        edit->selectAll();
        edit->setFocus();
    }
}

void CNameMsgWnd::Notify(const Notification& n)
{
    if ((n.is(notify::kReturn) && n.name == QLatin1String("name_edt")) ||
        (n.is(notify::kClick) && n.name == QLatin1String("confirm_btn"))) {
        accept();
        return;
    }
    CModalWnd::Notify(n);
}

void CNameMsgWnd::accept()
{
    if (const auto* edit = control<QLineEdit>(QStringLiteral("name_edt")); edit && mName) {
        QString text = edit->text().left(mCapacity);
        // Never keep half of a character that needs two units.
        if (!text.isEmpty() && text.back().isHighSurrogate())
            text.chop(1);
        *mName = text;
    }
    Close(1);
}

} // namespace dravo
