#include "EditSteps.h"

#include "DisplayScale.h"

#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QWheelEvent>

namespace dravo {
namespace {

constexpr int kArrowWidth = 11; // at 100 %

void sendKey(QLineEdit* edit, int key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(edit, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QCoreApplication::sendEvent(edit, &release);
}

class EditStepper : public QObject {
public:
    EditStepper(QLineEdit* edit, StepArrows arrows) : QObject(edit), mEdit(edit), mArrows(arrows)
    {
        if (arrows != StepArrows::None) {
            // "qt_" names keep the arrows out of the page's notifications;
            // their steps arrive as the box's own.
            mUp = arrow(QStringLiteral("qt_step_up"), QStringLiteral("▴"), Qt::Key_Up);
            mDown = arrow(QStringLiteral("qt_step_down"), QStringLiteral("▾"), Qt::Key_Down);
            showArrows(arrows == StepArrows::Always);
        }
        edit->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != mEdit)
            return false;
        switch (event->type()) {
        case QEvent::Resize:
            place();
            break;
        case QEvent::Enter:
            if (mArrows == StepArrows::OnHover && mEdit->isEnabled())
                showArrows(true);
            break;
        case QEvent::Leave:
            if (mArrows == StepArrows::OnHover)
                showArrows(false);
            break;
        case QEvent::EnabledChange:
            if (mArrows == StepArrows::Always)
                showArrows(mEdit->isEnabled());
            break;
        case QEvent::Wheel: {
            // Only a box the user is working in follows the wheel, so
            // scrolling over the page changes nothing by accident.
            if (!mEdit->hasFocus() || !mEdit->isEnabled())
                return false;
            const int delta = static_cast<QWheelEvent*>(event)->angleDelta().y();
            if (delta != 0)
                sendKey(mEdit, delta > 0 ? Qt::Key_Up : Qt::Key_Down);
            return true;
        }
        default:
            break;
        }
        return false;
    }

private:
    QToolButton* arrow(const QString& name, const QString& glyph, int key)
    {
        auto* button = new QToolButton(mEdit);
        button->setObjectName(name);
        button->setProperty("skinRole", QStringLiteral("stepArrow"));
        button->setText(glyph);
        button->setFocusPolicy(Qt::NoFocus);
        button->setCursor(Qt::ArrowCursor);
        button->setAutoRepeat(true);
        button->setAutoRepeatDelay(400);
        button->setAutoRepeatInterval(80);
        QObject::connect(button, &QToolButton::clicked, this, [this, key] { sendKey(mEdit, key); });
        return button;
    }

    void showArrows(bool shown)
    {
        if (!mUp)
            return;
        mUp->setVisible(shown);
        mDown->setVisible(shown);
        const int width = CurrentDisplayScale().scale(kArrowWidth);
        mEdit->setTextMargins(0, 0, shown ? width : 0, 0);
        place();
    }

    void place()
    {
        if (!mUp)
            return;
        const int width = CurrentDisplayScale().scale(kArrowWidth);
        const QRect r = mEdit->rect().adjusted(1, 1, -1, -1);
        const int half = r.height() / 2;
        mUp->setGeometry(r.right() - width + 1, r.top(), width, half);
        mDown->setGeometry(r.right() - width + 1, r.top() + half, width, r.height() - half);
    }

    QLineEdit* mEdit;
    StepArrows mArrows;
    QToolButton* mUp = nullptr;
    QToolButton* mDown = nullptr;
};

} // namespace

void AddEditSteps(QLineEdit* edit, StepArrows arrows)
{
    if (edit)
        new EditStepper(edit, arrows);
}

} // namespace dravo
