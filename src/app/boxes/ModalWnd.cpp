#include "ModalWnd.h"

#include "NotifyAdapter.h"
#include "Retranslate.h"
#include "SkinUiLoader.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>

namespace dravo {
namespace {

struct StandardButton {
    const char* name;
    int result;
};

constexpr StandardButton kResultButtons[] = {
    {"closebtn", 0},
    {"confirm_btn", 1},
    {"cancel_btn", 0},
    {"third_btn", 2},
};

} // namespace

CModalWnd::CModalWnd(QWidget* owner, const QString& layoutId, const QString& className, const QString& windowName)
    : QDialog(owner, Qt::Tool | Qt::FramelessWindowHint), mClassName(className)
{
    setObjectName(windowName);
    setWindowTitle(windowName);
    setProperty("windowClass", className);
    ApplySkinTheme(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    mRoot = LoadLayout(layoutId, this);
    if (!mRoot)
        return;
    layout->addWidget(mRoot);
    resize(mRoot->size());
    // Enter belongs to the window's own "return" handling, never to whichever
    // push button Qt would otherwise make the default.
    const auto buttons = mRoot->findChildren<QPushButton*>();
    for (QPushButton* b : buttons) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    mNotify = new NotifyAdapter(mRoot, [this](const Notification& n) { Notify(n); });
}

int CModalWnd::DoModal()
{
    CenterOverOwner();
    return exec();
}

void CModalWnd::ShowModeless()
{
    setWindowModality(Qt::WindowModal);
    CenterOverOwner();
    show();
}

void CModalWnd::Close(int result)
{
    done(result);
}

void CModalWnd::SetControlText(const QString& name, const QString& text)
{
    if (text.isEmpty())
        return;
    if (QWidget* w = control(name))
        SetUiText(w, text);
}

void CModalWnd::CenterOverOwner()
{
    const QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect();
    const QRect around = owner ? owner->frameGeometry() : area;
    QRect r(QPoint(0, 0), frameGeometry().size());
    r.moveCenter(around.center());
    if (area.isValid()) {
        r.moveLeft(std::max(area.left(), std::min(r.left(), area.right() - r.width() + 1)));
        r.moveTop(std::max(area.top(), std::min(r.top(), area.bottom() - r.height() + 1)));
    }
    move(r.topLeft());
}

void CModalWnd::Notify(const Notification& n)
{
    if (!n.is(notify::kClick))
        return;
    for (const StandardButton& b : kResultButtons) {
        if (n.name == QLatin1String(b.name)) {
            Close(b.result);
            return;
        }
    }
    if (n.name == QLatin1String("minbtn"))
        showMinimized();
    else if (n.name == QLatin1String("maxbtn"))
        showMaximized();
    else if (n.name == QLatin1String("restorebtn"))
        showNormal();
}

void CModalWnd::mousePressEvent(QMouseEvent* event)
{
    // The layout draws the title bar; a press on any bare part of the window
    // moves it, as a title bar would.
    if (event->button() == Qt::LeftButton && windowHandle() && windowHandle()->startSystemMove()) {
        event->accept();
        return;
    }
    QDialog::mousePressEvent(event);
}

int CloseModalWindowsNamed(const QString& windowName, int result)
{
    int closed = 0;
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget* w : windows) {
        auto* wnd = qobject_cast<CModalWnd*>(w);
        if (wnd && wnd->isVisible() && wnd->objectName().compare(windowName, Qt::CaseInsensitive) == 0) {
            wnd->Close(result);
            ++closed;
        }
    }
    return closed;
}

} // namespace dravo
