#include "MsgWnd.h"

#include "Retranslate.h"

namespace dravo {

CMsgWnd::CMsgWnd(QWidget* owner) : CModalWnd(owner, QStringLiteral("XML_MSG"), QStringLiteral("MsgWnd"), QStringLiteral("msgwnd")) {}

void CMsgWnd::SetButtons(const QStringList& captions, int count)
{
    if (count <= 0)
        return;
    const auto caption = [&](int i) { return i < captions.size() ? captions[i] : QString(); };
    SetControlText(QStringLiteral("confirm_btn"), caption(0));
    if (QWidget* cancel = control(QStringLiteral("cancel_btn"))) {
        cancel->setVisible(count >= 2);
        if (count >= 2)
            SetControlText(QStringLiteral("cancel_btn"), caption(1));
    }
    if (QWidget* third = control(QStringLiteral("third_btn"))) {
        third->setVisible(count >= 3);
        if (count >= 3)
            SetControlText(QStringLiteral("third_btn"), caption(2));
    }
}

int ShowMsgBox(QWidget* parent, const QString& title, const QString& text, const QStringList& captions, int count)
{
    CMsgWnd box(parent);
    box.SetControlText(QStringLiteral("MessageTitle"), title);
    box.SetControlText(QStringLiteral("MessageText"), text);
    box.SetButtons(captions, count);
    return box.DoModal();
}

} // namespace dravo
