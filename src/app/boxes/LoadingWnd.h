#pragma once
// The wait indicator shown while a long operation runs. The owner closes it
// when the work ends; the user cannot (no Escape, no window close), since
// closing it early would let a second operation start over the first.
#include "ModalWnd.h"

#include <QPointer>

namespace dravo {

class CLoadingWnd : public CModalWnd {
    Q_OBJECT
public:
    CLoadingWnd(QWidget* owner, const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    friend class LoadingIndicator;
    bool mClosing = false;
};

// At most one wait indicator per owner, shown without blocking the owner's
// code (its messages keep arriving) while its input is blocked. Showing a new
// one closes the previous one with result 1.
class LoadingIndicator {
public:
    explicit LoadingIndicator(QWidget* owner) : mOwner(owner) {}
    ~LoadingIndicator() { Hide(); }
    LoadingIndicator(const LoadingIndicator&) = delete;
    LoadingIndicator& operator=(const LoadingIndicator&) = delete;

    void Show(const QString& text = QString());
    // Closes it with result 1; nothing when none is shown.
    void Hide();
    bool IsShown() const { return mWnd && mWnd->isVisible(); }
    CLoadingWnd* window() const { return mWnd; }

private:
    QPointer<QWidget> mOwner;
    QPointer<CLoadingWnd> mWnd;
};

} // namespace dravo
