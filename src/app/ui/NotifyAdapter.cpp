#include "NotifyAdapter.h"

#include "Log.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>

namespace dravo {
namespace {

constexpr const char* kWatched = "dravoNotifyWatched";
constexpr const char* kStepPending = "dravoSliderStepPending";

bool reports(const QWidget* w)
{
    const QString name = w->objectName();
    return !name.isEmpty() && !name.startsWith(QLatin1String("qt_"));
}

bool takesFocusNotifications(const QObject* o)
{
    return qobject_cast<const QLineEdit*>(o) || qobject_cast<const QAbstractSlider*>(o) ||
           qobject_cast<const QAbstractSpinBox*>(o) || qobject_cast<const QComboBox*>(o);
}

} // namespace

NotifyAdapter::NotifyAdapter(QWidget* root, Callback callback)
    : QObject(root), mRoot(root), mCallback(std::move(callback))
{
    watch(root);
}

void NotifyAdapter::watch(QWidget* subtree)
{
    if (!subtree)
        return;
    attach(subtree);
    const auto widgets = subtree->findChildren<QWidget*>();
    for (QWidget* w : widgets)
        attach(w);
}

void NotifyAdapter::attach(QWidget* w)
{
    if (w->property(kWatched).toBool())
        return;
    w->setProperty(kWatched, true);
    w->installEventFilter(this);
    if (!reports(w))
        return;

    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        connect(button, &QAbstractButton::clicked, this, [this, button](bool checked) {
            const QPointer<QAbstractButton> alive(button); // a click may close and delete the window
            send(button, notify::kClick, checked);
            if (alive && button->isCheckable())
                send(button, notify::kSelectChanged, button->isChecked());
        });
    } else if (auto* slider = qobject_cast<QAbstractSlider*>(w)) {
        connect(slider, &QAbstractSlider::sliderMoved, this,
                [this, slider](int value) { send(slider, notify::kMoveValueChanged, value); });
        connect(slider, &QAbstractSlider::sliderReleased, this,
                [this, slider] { send(slider, notify::kValueChanged, slider->value()); });
        // Keyboard, wheel and page clicks announce themselves before the
        // value changes; the change that follows is the user's.
        connect(slider, &QAbstractSlider::actionTriggered, this, [slider](int action) {
            if (action != QAbstractSlider::SliderMove)
                slider->setProperty(kStepPending, true);
        });
        connect(slider, &QAbstractSlider::valueChanged, this, [this, slider](int value) {
            if (!slider->property(kStepPending).toBool())
                return;
            slider->setProperty(kStepPending, false);
            send(slider, notify::kValueChanged, value);
        });
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        connect(combo, &QComboBox::activated, this, [this, combo](int row) { send(combo, notify::kItemSelect, row); });
    } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        connect(edit, &QLineEdit::returnPressed, this, [this, edit] { send(edit, notify::kReturn); });
    } else if (auto* view = qobject_cast<QAbstractItemView*>(w)) {
        connect(view, &QAbstractItemView::clicked, this,
                [this, view](const QModelIndex& index) { send(view, notify::kItemSelect, index.row()); });
        connect(view, &QAbstractItemView::activated, this,
                [this, view](const QModelIndex& index) { send(view, notify::kItemActivate, index.row()); });
    }
}

bool NotifyAdapter::eventFilter(QObject* watched, QEvent* event)
{
    auto* w = qobject_cast<QWidget*>(watched);
    if (!w || !reports(w))
        return false;
    switch (event->type()) {
    case QEvent::FocusIn:
        if (takesFocusNotifications(w))
            send(w, notify::kSetFocus);
        break;
    case QEvent::FocusOut:
        if (takesFocusNotifications(w))
            send(w, notify::kKillFocus);
        break;
    case QEvent::MouseButtonDblClick:
        send(w, notify::kDbClick);
        break;
    case QEvent::Resize:
        if (w == mRoot)
            send(w, notify::kWindowSize);
        break;
    case QEvent::KeyPress: {
        auto* edit = qobject_cast<QLineEdit*>(w);
        if (!edit)
            break;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & ~Qt::KeypadModifier)
            break;
        switch (key->key()) {
        case Qt::Key_Up:
            send(edit, notify::kValueChangedUp);
            return true;
        case Qt::Key_Down:
            send(edit, notify::kValueChangedDown);
            return true;
        case Qt::Key_Left:
            if (edit->cursorPosition() == 0 && !edit->hasSelectedText()) {
                send(edit, notify::kValueChangedLeft);
                return true;
            }
            break;
        case Qt::Key_Right:
            if (edit->cursorPosition() == edit->text().size() && !edit->hasSelectedText()) {
                send(edit, notify::kValueChangedRight);
                return true;
            }
            break;
        default:
            break;
        }
        break;
    }
    default:
        break;
    }
    return false;
}

void NotifyAdapter::send(QWidget* sender, const char* type, int value)
{
    LogWrite("Notify %s\n", type);
    if (!mCallback)
        return;
    Notification n;
    n.type = QString::fromLatin1(type);
    n.name = sender->objectName();
    n.userData = sender->property("userdata").toString();
    n.sender = sender;
    n.value = value;
    mCallback(n);
}

} // namespace dravo
