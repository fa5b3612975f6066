#include "CustomWidgets.h"

#include "PlaceholderWidget.h"
#include "SButton.h"

#include <QHash>

namespace dravo {
namespace {

QHash<QString, WidgetFactory>& registry()
{
    static QHash<QString, WidgetFactory> factories = [] {
        QHash<QString, WidgetFactory> f;
        f.insert(QStringLiteral("SButton"), [](QWidget* parent) { return new CSButtonUI(parent); });
        for (const char* type : {"Curve", "CurveAc", "CircleProgress"}) {
            const QString name = QString::fromLatin1(type);
            f.insert(name, [name](QWidget* parent) { return new PlaceholderWidget(name, parent); });
        }
        return f;
    }();
    return factories;
}

} // namespace

void RegisterCustomWidget(const QString& typeName, WidgetFactory factory)
{
    registry().insert(typeName, std::move(factory));
}

void UnregisterCustomWidget(const QString& typeName)
{
    registry().remove(typeName);
}

QWidget* CreateCustomWidget(const QString& typeName, QWidget* parent)
{
    const auto it = registry().constFind(typeName);
    return it != registry().constEnd() ? (*it)(parent) : nullptr;
}

} // namespace dravo
