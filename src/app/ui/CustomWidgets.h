#pragma once
// The element types a layout may use beyond Qt's own widgets ("Curve",
// "CurveAc", "CircleProgress", "SButton"), each made by a registered factory.
// The curve and progress controls register themselves when they exist; until
// then their elements are empty placeholders. A type nobody registered, and
// that Qt does not know, yields no control.
#include <QString>
#include <QWidget>

#include <functional>

namespace dravo {

using WidgetFactory = std::function<QWidget*(QWidget* parent)>;

// Replaces an earlier factory of the same type.
void RegisterCustomWidget(const QString& typeName, WidgetFactory factory);
void UnregisterCustomWidget(const QString& typeName);

// Nothing (nullptr) when no factory is registered for the type.
QWidget* CreateCustomWidget(const QString& typeName, QWidget* parent);

} // namespace dravo
