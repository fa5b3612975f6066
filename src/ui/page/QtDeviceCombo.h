#pragma once
// The device combo of the main page ("btn_devices") as the connection piece
// fills it: one item per plugged-in amplifier, carrying the device's display
// name and showing its nickname. Selecting an item from here is not the
// user's pick and reports nothing.
#include "DeviceListView.h"

#include <QPointer>

class QComboBox;

namespace dravo {

class QtDeviceCombo final : public DeviceComboView {
public:
    explicit QtDeviceCombo(QComboBox* combo);

    void clearItems() override;
    void addItem(const std::string& name, const std::string& text, int height) override;
    void setItemText(int index, const std::string& text) override;
    int currentIndex() const override;
    void selectItem(int index) override;

    // The display name an item carries; empty for a bad index.
    std::string itemName(int index) const;

private:
    QPointer<QComboBox> mCombo;
};

} // namespace dravo
