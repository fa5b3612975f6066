#include "SkinUiLoader.h"

#include "CustomWidgets.h"
#include "DisplayScale.h"
#include "LayoutScaler.h"
#include "Log.h"
#include "Retranslate.h"
#include "Skin.h"

#include <QAbstractButton>
#include <QBuffer>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QUiLoader>
#include <QVBoxLayout>

namespace dravo {
namespace {

constexpr const char* kThemeMember = "xml/theme.qss";

class SkinFormLoader : public QUiLoader {
public:
    SkinFormLoader() { setTranslationEnabled(false); }

    QWidget* createWidget(const QString& className, QWidget* parent, const QString& name) override
    {
        if (QWidget* w = CreateCustomWidget(className, parent)) {
            w->setObjectName(name);
            return w;
        }
        return QUiLoader::createWidget(className, parent, name);
    }
};

struct ImageRole {
    const char* property;
    QIcon::Mode mode;
    QIcon::State state;
};

constexpr ImageRole kImageRoles[] = {
    {"image", QIcon::Normal, QIcon::Off},
    {"hotimage", QIcon::Active, QIcon::Off},
    {"selectedimage", QIcon::Normal, QIcon::On},
    {"disabledimage", QIcon::Disabled, QIcon::Off},
};

void applyImages(QWidget* w)
{
    const QString normal = w->property("image").toString();
    if (auto* label = qobject_cast<QLabel*>(w)) {
        if (!normal.isEmpty())
            label->setPixmap(SkinImage(normal));
        return;
    }
    auto* button = qobject_cast<QAbstractButton*>(w);
    if (!button)
        return;
    QIcon icon;
    QSize size;
    for (const ImageRole& role : kImageRoles) {
        const QString name = w->property(role.property).toString();
        if (name.isEmpty())
            continue;
        const QPixmap pixmap = SkinImage(name);
        if (pixmap.isNull())
            continue;
        icon.addPixmap(pixmap, role.mode, role.state);
        size = size.expandedTo(pixmap.size());
    }
    if (icon.isNull())
        return;
    button->setIcon(icon);
    button->setIconSize(size);
}

void prepare(QWidget* root)
{
    TranslateTree(root);
    ScaleWidgetTree(root, CurrentDisplayScale());
    applyImages(root);
    const auto widgets = root->findChildren<QWidget*>();
    for (QWidget* w : widgets)
        applyImages(w);
}

} // namespace

QWidget* LoadLayout(const QString& idOrPath, QWidget* parent)
{
    const QString file = LayoutFileFor(idOrPath);
    const auto bytes = file.isEmpty() ? std::nullopt : ReadSkinFile(file);
    if (!bytes) {
        LogWrite("layout %s not in the skin\n", idOrPath.toUtf8().constData());
        return nullptr;
    }
    QBuffer buffer;
    buffer.setData(*bytes);
    buffer.open(QIODevice::ReadOnly);
    SkinFormLoader loader;
    QWidget* root = loader.load(&buffer, parent);
    if (!root) {
        LogWrite("layout %s does not load: %s\n", file.toUtf8().constData(), loader.errorString().toUtf8().constData());
        return nullptr;
    }
    prepare(root);
    return root;
}

QWidget* LoadLayoutInto(QWidget* container, const QString& idOrPath)
{
    if (!container)
        return nullptr;
    QWidget* page = LoadLayout(idOrPath, container);
    if (!page)
        return nullptr;
    auto* layout = container->layout();
    if (!layout) {
        layout = new QVBoxLayout(container);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
    }
    layout->addWidget(page);
    return page;
}

QMenu* LoadMenuLayout(const QString& path, QWidget* parent)
{
    QWidget* root = LoadLayout(path, parent);
    auto* menu = qobject_cast<QMenu*>(root);
    if (root && !menu) {
        LogWrite("layout %s is not a menu\n", path.toUtf8().constData());
        delete root;
    }
    return menu;
}

void ApplySkinTheme(QWidget* window)
{
    if (!window)
        return;
    const auto theme = ReadSkinFile(QString::fromLatin1(kThemeMember));
    window->setStyleSheet(theme ? CurrentDisplayScale().scaleStyleSheet(QString::fromUtf8(*theme)) : QString());
}

void SetSkinImage(QWidget* control, const QString& imageName)
{
    if (!control)
        return;
    control->setProperty("image", imageName);
    if (imageName.isEmpty()) {
        if (auto* label = qobject_cast<QLabel*>(control))
            label->setPixmap(QPixmap());
        else if (auto* button = qobject_cast<QAbstractButton*>(control))
            button->setIcon(QIcon());
        return;
    }
    applyImages(control);
}

} // namespace dravo
