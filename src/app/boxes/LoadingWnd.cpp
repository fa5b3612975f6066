#include "LoadingWnd.h"

#include <QCloseEvent>
#include <QKeyEvent>

namespace dravo {

CLoadingWnd::CLoadingWnd(QWidget* owner, const QString& text)
    : CModalWnd(owner, QStringLiteral("XML_LOADING"), QStringLiteral("LoadingWnd"), QStringLiteral("loadingwnd"))
{
    SetControlText(QStringLiteral("MessageText"), text);
}

void CLoadingWnd::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    CModalWnd::keyPressEvent(event);
}

void CLoadingWnd::closeEvent(QCloseEvent* event)
{
    if (!mClosing) {
        event->ignore();
        return;
    }
    CModalWnd::closeEvent(event);
}

void CLoadingWnd::reject()
{
    // Only the owner ends the wait.
}

void LoadingIndicator::Show(const QString& text)
{
    Hide();
    mWnd = new CLoadingWnd(mOwner, text);
    mWnd->ShowModeless();
}

void LoadingIndicator::Hide()
{
    if (!mWnd)
        return;
    CLoadingWnd* wnd = mWnd;
    mWnd = nullptr;
    wnd->mClosing = true;
    wnd->Close(1);
    wnd->deleteLater();
}

} // namespace dravo
