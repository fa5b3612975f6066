#include "QtControl.h"

#include "PageText.h"
#include "Retranslate.h"
#include "Skin.h"
#include "SkinUiLoader.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QProgressBar>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QStyle>
#include <QStyledItemDelegate>

#include <algorithm>

namespace dravo {
namespace {

// Dynamic properties the page's style sheet reads.
constexpr const char* kSelectedProperty = "selected";
constexpr const char* kCheckedProperty = "active"; // "checked" is a button's own property

// Combo box items of one fixed height.
class ItemHeightDelegate : public QStyledItemDelegate {
public:
    ItemHeightDelegate(int height, QObject* parent) : QStyledItemDelegate(parent), mHeight(height) {}
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return {QStyledItemDelegate::sizeHint(option, index).width(), mHeight};
    }

private:
    int mHeight;
};

std::uint32_t initialTextColor(const QWidget* w)
{
    const QPalette::ColorRole role = qobject_cast<const QAbstractButton*>(w) ? QPalette::ButtonText
                                     : qobject_cast<const QLineEdit*>(w)     ? QPalette::Text
                                                                              : QPalette::WindowText;
    return w->palette().color(role).rgba();
}

QListView* listOf(const QComboBox* combo)
{
    return qobject_cast<QListView*>(combo->view());
}

} // namespace

QtControl::QtControl(QWidget* widget)
    : mWidget(widget), mName(widget->objectName().toStdString()), mTextColor(initialTextColor(widget))
{
}

// --- Text --------------------------------------------------------------------

bool QtControl::typedOver() const
{
    const auto* edit = qobject_cast<const QLineEdit*>(mWidget.data());
    return edit && mTextSet && edit->text() != DisplayedText(mText);
}

std::string QtControl::text() const
{
    QWidget* w = mWidget;
    if (!w)
        return mText.toStdString();
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        return (mTextSet && !typedOver() ? mText : edit->text()).toStdString();
    if (auto* combo = qobject_cast<QComboBox*>(w))
        return combo->currentText().toStdString();
    if (mTextSet)
        return mText.toStdString();
    return w->property("text").toString().toStdString();
}

void QtControl::setText(const std::string& text)
{
    mText = QString::fromStdString(text);
    mTextSet = true;
    showText(mText);
}

void QtControl::retranslate()
{
    if (mTextSet && !typedOver())
        showText(mText);
}

void QtControl::showText(const QString& text)
{
    QWidget* w = mWidget;
    if (!w || w->metaObject()->indexOfProperty("text") < 0)
        return;
    const QSignalBlocker blocker(w);
    // A text that is one id is re-fetched by a language switch on its own;
    // one with ids inside it is re-shown by the page (retranslate()).
    SetUiText(w, IsLanguageId(text) ? text : DisplayedText(text));
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        edit->setCursorPosition(0);
}

// --- Values --------------------------------------------------------------------

int QtControl::value() const
{
    // Qt announces a drag and its release before the slider takes the new
    // value; the handle's position is what the user asked for.
    if (auto* slider = qobject_cast<QAbstractSlider*>(mWidget.data()))
        return slider->sliderPosition();
    if (auto* spin = qobject_cast<QSpinBox*>(mWidget.data()))
        return spin->value();
    if (auto* bar = qobject_cast<QProgressBar*>(mWidget.data()))
        return bar->value();
    return mValue;
}

void QtControl::setValue(int value)
{
    QWidget* w = mWidget;
    const QSignalBlocker blocker(w);
    if (auto* slider = qobject_cast<QAbstractSlider*>(w))
        slider->setValue(value);
    else if (auto* spin = qobject_cast<QSpinBox*>(w))
        spin->setValue(value);
    else if (auto* bar = qobject_cast<QProgressBar*>(w))
        bar->setValue(std::clamp(value, bar->minimum(), bar->maximum()));
    else
        mValue = mMinimum < mMaximum ? std::clamp(value, mMinimum, mMaximum) : value;
    if (w)
        w->update();
}

int QtControl::minimum() const
{
    if (auto* slider = qobject_cast<QAbstractSlider*>(mWidget.data()))
        return slider->minimum();
    if (auto* spin = qobject_cast<QSpinBox*>(mWidget.data()))
        return spin->minimum();
    if (auto* bar = qobject_cast<QProgressBar*>(mWidget.data()))
        return bar->minimum();
    return mMinimum;
}

int QtControl::maximum() const
{
    if (auto* slider = qobject_cast<QAbstractSlider*>(mWidget.data()))
        return slider->maximum();
    if (auto* spin = qobject_cast<QSpinBox*>(mWidget.data()))
        return spin->maximum();
    if (auto* bar = qobject_cast<QProgressBar*>(mWidget.data()))
        return bar->maximum();
    return mMaximum;
}

void QtControl::setRange(int minimum, int maximum)
{
    maximum = std::max(minimum, maximum);
    QWidget* w = mWidget;
    const QSignalBlocker blocker(w);
    if (auto* slider = qobject_cast<QAbstractSlider*>(w))
        slider->setRange(minimum, maximum);
    else if (auto* spin = qobject_cast<QSpinBox*>(w))
        spin->setRange(minimum, maximum);
    else if (auto* bar = qobject_cast<QProgressBar*>(w))
        bar->setRange(minimum, maximum);
    mMinimum = minimum;
    mMaximum = maximum;
    mValue = std::clamp(mValue, minimum, maximum);
}

void QtControl::setStep(int step)
{
    if (auto* slider = qobject_cast<QAbstractSlider*>(mWidget.data())) {
        slider->setSingleStep(step);
        slider->setPageStep(step * 10);
    } else if (auto* spin = qobject_cast<QSpinBox*>(mWidget.data())) {
        spin->setSingleStep(step);
    }
}

// --- Buttons -------------------------------------------------------------------

void QtControl::setFlag(const char* property, bool on)
{
    QWidget* w = mWidget;
    if (!w || w->property(property).toBool() == on)
        return;
    w->setProperty(property, on);
    // Dynamic properties only reach the style sheet through a re-polish.
    w->style()->unpolish(w);
    w->style()->polish(w);
    w->update();
}

bool QtControl::checked() const
{
    auto* button = qobject_cast<QAbstractButton*>(mWidget.data());
    if (button && button->isCheckable())
        return button->isChecked();
    return mWidget && mWidget->property(kCheckedProperty).toBool();
}

void QtControl::setChecked(bool checked)
{
    auto* button = qobject_cast<QAbstractButton*>(mWidget.data());
    if (button && button->isCheckable()) {
        const QSignalBlocker blocker(button);
        button->setChecked(checked);
        return;
    }
    setFlag(kCheckedProperty, checked);
}

bool QtControl::selected() const
{
    auto* button = qobject_cast<QAbstractButton*>(mWidget.data());
    if (button && button->isCheckable())
        return button->isChecked();
    return mWidget && mWidget->property(kSelectedProperty).toBool();
}

void QtControl::setSelected(bool selected)
{
    auto* button = qobject_cast<QAbstractButton*>(mWidget.data());
    if (button && button->isCheckable()) {
        setChecked(selected);
        return;
    }
    setFlag(kSelectedProperty, selected);
}

// --- State -------------------------------------------------------------------------

bool QtControl::visible() const
{
    return mWidget && !mWidget->isHidden();
}

void QtControl::setVisible(bool visible)
{
    if (mWidget)
        mWidget->setVisible(visible);
}

bool QtControl::enabled() const
{
    return mWidget && mWidget->isEnabled();
}

void QtControl::setEnabled(bool enabled)
{
    if (mWidget)
        mWidget->setEnabled(enabled);
}

int QtControl::userData() const
{
    bool ok = false;
    const int n = mWidget ? mWidget->property("userdata").toString().trimmed().toInt(&ok) : 0;
    return ok ? n : 0;
}

void QtControl::setUserData(int data)
{
    if (mWidget)
        mWidget->setProperty("userdata", QString::number(data));
}

// --- Combo boxes ---------------------------------------------------------------------

int QtControl::currentIndex() const
{
    auto* combo = qobject_cast<QComboBox*>(mWidget.data());
    return combo ? combo->currentIndex() : -1;
}

void QtControl::setCurrentIndex(int index)
{
    auto* combo = qobject_cast<QComboBox*>(mWidget.data());
    if (!combo)
        return;
    const QSignalBlocker blocker(combo);
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

int QtControl::itemCount() const
{
    auto* combo = qobject_cast<QComboBox*>(mWidget.data());
    return combo ? combo->count() : 0;
}

bool QtControl::itemVisible(int index) const
{
    auto* combo = qobject_cast<QComboBox*>(mWidget.data());
    if (!combo || index < 0 || index >= combo->count())
        return false;
    const QListView* list = listOf(combo);
    return !list || !list->isRowHidden(index);
}

void QtControl::setItemVisible(int index, bool visible)
{
    auto* combo = qobject_cast<QComboBox*>(mWidget.data());
    if (!combo || index < 0 || index >= combo->count())
        return;
    if (QListView* list = listOf(combo))
        list->setRowHidden(index, !visible);
    // A hidden item must not be reachable with the arrow keys either.
    if (auto* model = qobject_cast<QStandardItemModel*>(combo->model()))
        if (QStandardItem* item = model->item(index))
            item->setEnabled(visible);
}

void QtControl::setItemHeight(int height)
{
    auto* combo = qobject_cast<QComboBox*>(mWidget.data());
    if (!combo || height <= 0)
        return;
    combo->setItemDelegate(new ItemHeightDelegate(height, combo));
}

void QtControl::setItemImage(int index, const std::string& image)
{
    auto* combo = qobject_cast<QComboBox*>(mWidget.data());
    if (!combo || index < 0 || index >= combo->count())
        return;
    const QPixmap picture = image.empty() ? QPixmap() : SkinImage(QString::fromStdString(image));
    combo->setItemIcon(index, picture.isNull() ? QIcon() : QIcon(picture));
}

// --- Looks -------------------------------------------------------------------------------

void QtControl::setTextColor(std::uint32_t argb)
{
    mTextColor = argb;
    QWidget* w = mWidget;
    if (!w)
        return;
    if (!mStyled) {
        mBaseStyleSheet = w->styleSheet();
        mStyled = true;
    }
    // The skin's style sheet decides colours, so the colour goes there too.
    const QColor c = QColor::fromRgba(argb);
    const QString color =
        QStringLiteral("color: rgba(%1, %2, %3, %4);").arg(c.red()).arg(c.green()).arg(c.blue()).arg(c.alpha());
    w->setStyleSheet(mBaseStyleSheet.isEmpty() ? color : mBaseStyleSheet + QStringLiteral("\n* { ") + color + u'}');
}

std::string QtControl::image() const
{
    return mWidget ? mWidget->property("image").toString().toStdString() : std::string();
}

void QtControl::setImage(const std::string& image)
{
    SetSkinImage(mWidget, QString::fromStdString(image));
}

void QtControl::setFocus()
{
    QWidget* w = mWidget;
    if (!w)
        return;
    w->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        edit->selectAll();
}

} // namespace dravo
