#pragma once
// The selectable button of the layouts: a push button that stays down while
// selected (on/off switches, channel buttons).
#include <QPushButton>

namespace dravo {

class CSButtonUI : public QPushButton {
    Q_OBJECT
public:
    explicit CSButtonUI(QWidget* parent = nullptr) : QPushButton(parent) { setCheckable(true); }

    bool isSelected() const { return isChecked(); }
    void setSelected(bool selected) { setChecked(selected); }
};

} // namespace dravo
