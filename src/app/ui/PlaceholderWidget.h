#pragma once
// Stands in for a custom control whose class is not registered yet, so a
// layout that names it still loads with the control's name and geometry.
#include <QWidget>

namespace dravo {

class PlaceholderWidget : public QWidget {
    Q_OBJECT
public:
    PlaceholderWidget(const QString& typeName, QWidget* parent = nullptr) : QWidget(parent)
    {
        setProperty("placeholderFor", typeName);
    }
};

} // namespace dravo
