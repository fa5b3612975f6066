#include "QtDeviceCombo.h"

#include "DisplayScale.h"

#include <QComboBox>
#include <QSignalBlocker>
#include <QSize>

namespace dravo {

QtDeviceCombo::QtDeviceCombo(QComboBox* combo) : mCombo(combo) {}

void QtDeviceCombo::clearItems()
{
    if (!mCombo)
        return;
    const QSignalBlocker blocker(mCombo);
    mCombo->clear();
}

void QtDeviceCombo::addItem(const std::string& name, const std::string& text, int height)
{
    if (!mCombo)
        return;
    const QSignalBlocker blocker(mCombo);
    // Qt selects the first item added to an empty combo; the connection
    // picks the selection itself.
    const int selected = mCombo->currentIndex();
    mCombo->addItem(QString::fromStdString(text), QString::fromStdString(name));
    const int row = mCombo->count() - 1;
    mCombo->setItemData(row, QString::fromStdString(name), Qt::ToolTipRole);
    if (height > 0)
        mCombo->setItemData(row, QSize(0, CurrentDisplayScale().scale(height)), Qt::SizeHintRole);
    mCombo->setCurrentIndex(selected);
}

void QtDeviceCombo::setItemText(int index, const std::string& text)
{
    if (mCombo && index >= 0 && index < mCombo->count())
        mCombo->setItemText(index, QString::fromStdString(text));
}

int QtDeviceCombo::currentIndex() const
{
    return mCombo ? mCombo->currentIndex() : -1;
}

void QtDeviceCombo::selectItem(int index)
{
    if (!mCombo)
        return;
    const QSignalBlocker blocker(mCombo);
    mCombo->setCurrentIndex(index >= 0 && index < mCombo->count() ? index : -1);
}

std::string QtDeviceCombo::itemName(int index) const
{
    if (!mCombo || index < 0 || index >= mCombo->count())
        return {};
    return mCombo->itemData(index).toString().toStdString();
}

} // namespace dravo
