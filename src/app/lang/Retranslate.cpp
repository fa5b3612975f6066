#include "Retranslate.h"

#include "Languages.h"

#include <QApplication>
#include <QComboBox>
#include <QMetaProperty>
#include <QStringList>
#include <QVariant>
#include <QWidget>

namespace dravo {
namespace {

struct TextProperty {
    const char* name;
    const char* idProperty; // the dynamic property that keeps the id
};

constexpr TextProperty kTextProperties[] = {
    {"text", "dravoTextId"},
    {"title", "dravoTitleId"},
    {"windowTitle", "dravoWindowTitleId"},
    {"toolTip", "dravoToolTipId"},
    {"placeholderText", "dravoPlaceholderTextId"},
};
constexpr const char* kComboItemIds = "dravoItemIds";

bool isId(const QString& text)
{
    return text.startsWith(QLatin1String("${"));
}

const TextProperty* textProperty(const char* name)
{
    for (const TextProperty& p : kTextProperties)
        if (qstrcmp(p.name, name) == 0)
            return &p;
    return nullptr;
}

bool hasStringProperty(const QObject* object, const char* name)
{
    const int i = object->metaObject()->indexOfProperty(name);
    return i >= 0 && object->metaObject()->property(i).metaType().id() == QMetaType::QString;
}

void translateComboItems(QComboBox* combo, bool firstTime)
{
    QStringList ids = combo->property(kComboItemIds).toStringList();
    if (firstTime) {
        ids.clear();
        bool any = false;
        for (int i = 0; i < combo->count(); ++i) {
            const QString text = combo->itemText(i);
            ids.append(isId(text) ? text : QString());
            any = any || isId(text);
        }
        if (!any)
            return;
        combo->setProperty(kComboItemIds, ids);
    }
    for (int i = 0; i < combo->count() && i < ids.size(); ++i)
        if (!ids[i].isEmpty())
            combo->setItemText(i, GetText(ids[i]));
}

void translateObject(QObject* object, bool firstTime)
{
    for (const TextProperty& p : kTextProperties) {
        if (!hasStringProperty(object, p.name))
            continue;
        if (firstTime) {
            const QString text = object->property(p.name).toString();
            if (isId(text))
                SetUiText(object, text, p.name);
        } else if (const QString id = object->property(p.idProperty).toString(); !id.isEmpty()) {
            object->setProperty(p.name, GetText(id));
        }
    }
    if (auto* combo = qobject_cast<QComboBox*>(object))
        translateComboItems(combo, firstTime);
}

void walk(QObject* root, bool firstTime)
{
    translateObject(root, firstTime);
    const auto children = root->findChildren<QObject*>();
    for (QObject* child : children)
        translateObject(child, firstTime);
}

} // namespace

void TranslateTree(QObject* root)
{
    if (root)
        walk(root, true);
}

void SetUiText(QObject* object, const QString& text, const char* property)
{
    if (!object)
        return;
    if (const TextProperty* p = textProperty(property))
        object->setProperty(p->idProperty, isId(text) ? text : QString());
    object->setProperty(property, GetText(text));
}

QString UiTextId(const QObject* object, const char* property)
{
    const TextProperty* p = textProperty(property);
    return object && p ? object->property(p->idProperty).toString() : QString();
}

void RetranslateAll()
{
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        walk(window, false);
        window->update();
    }
}

} // namespace dravo
