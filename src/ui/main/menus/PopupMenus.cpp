#include "PopupMenus.h"

#include "Connection.h"
#include "EqualizerManager.h"
#include "FeatureSwitches.h"
#include "LayoutRules.h"
#include "Skin.h"
#include "SkinUiLoader.h"
#include "SpeakerRoles.h"

#include <QAction>
#include <QIcon>
#include <QMenu>
#include <QWidget>

namespace dravo {
namespace {

using namespace menu_align;

constexpr const char* kAdvanceLayout = "xml/advance_menu.xml";
constexpr const char* kOptionLayout = "xml/option_menu.xml";
constexpr const char* kSceneLayout = "xml/scene_menu.xml";
constexpr const char* kOutputLayout = "xml/output_menu.xml";
constexpr const char* kLinkGroupLayout = "xml/link_group_menu.xml";
constexpr const char* kDelayLinkGroupLayout = "xml/delay_link_group_menu.xml";

// Advance-menu entries that only a build with their panel shows.
struct SwitchedItem {
    const char* name;
    bool shown;
};

constexpr SwitchedItem kAdvanceItems[] = {
    {"advance_item_autocal", features::roomCalibration},
    {"advance_item_mixer", features::mixerAvailable},
    {"advance_item_noise_threshold", features::noiseThresholdMenu},
    {"advance_item_poweroff_delay", features::powerOffDelayPanel},
    {"advance_item_ktv", features::karaoke},
    {"advance_item_compressor", features::compressorMenu},
};

constexpr const char* kMarkImage = "right.png";

QAction* item(QMenu& menu, const char* name)
{
    return menu.findChild<QAction*>(QLatin1String(name));
}

} // namespace

PopupMenus::PopupMenus(QWidget* window, EqualizerManager& manager, ChosenHandler onChosen)
    : mWindow(window), mManager(manager), mOnChosen(std::move(onChosen))
{
}

PopupMenus::~PopupMenus()
{
    Close();
}

void PopupMenus::Close()
{
    if (mMenu) {
        mMenu->hide();
        delete mMenu;
    }
}

QMenu* PopupMenus::build(const char* layout)
{
    Close();
    QMenu* menu = LoadMenuLayout(QLatin1String(layout), mWindow);
    if (!menu)
        return nullptr;
    mMenu = menu;
    // Items of sub-menus report through the top menu as well.
    QObject::connect(menu, &QMenu::triggered, menu, [this](QAction* action) {
        auto command = std::make_unique<MenuCommand>();
        command->name = action->objectName().toStdString();
        command->userData = action->property("userdata").toString().toStdString();
        command->text = action->text().toStdString();
        command->checked = action->isChecked();
        if (mOnChosen)
            mOnChosen(std::move(command));
    });
    return menu;
}

void PopupMenus::popup(QMenu* menu, QWidget* button, MenuAnchor anchor, int alignment)
{
    QRect rect;
    if (button)
        rect = QRect(button->mapToGlobal(QPoint(0, 0)), button->size());
    else if (mWindow)
        rect = QRect(mWindow->mapToGlobal(QPoint(0, 0)), QSize(0, 0));
    const QPoint at = MenuTopLeft(MenuAnchorPoint(rect, anchor), menu->sizeHint(), alignment);
    menu->popup(at);
}

void PopupMenus::enableDeviceItems(QMenu& menu, std::initializer_list<const char*> items)
{
    const bool connected = mManager.connection().Connected();
    for (const char* name : items)
        if (QAction* action = item(menu, name))
            action->setEnabled(connected);
}

void PopupMenus::ShowAdvanceMenu(QWidget* button)
{
    QMenu* menu = build(kAdvanceLayout);
    if (!menu)
        return;
    for (const SwitchedItem& switched : kAdvanceItems) {
        if (QAction* action = item(*menu, switched.name)) {
            action->setVisible(switched.shown);
            action->setEnabled(switched.shown);
        }
    }
    popup(menu, button, MenuAnchor::BottomLeft, kLeft | kTop);
}

void PopupMenus::ShowOptionMenu(QWidget* button)
{
    QMenu* menu = build(kOptionLayout);
    if (!menu)
        return;
    enableDeviceItems(*menu, {"option_item_reset_default"});
    if (QAction* russian = item(*menu, "option_item_language_ru"))
        russian->setVisible(features::russian);
    popup(menu, button, MenuAnchor::BottomRight, kTop | kRight);
}

void PopupMenus::ShowSceneMenu(QWidget* button)
{
    QMenu* menu = build(kSceneLayout);
    if (!menu)
        return;
    enableDeviceItems(*menu, {"scene_item_load_scene", "scene_item_saveas_scene", "scene_item_delete_scene"});
    popup(menu, button, MenuAnchor::BottomRight, kTop | kRight);
}

void PopupMenus::ShowOutputMenu(int channel, QWidget* button)
{
    mOutputMenuChannel = channel;
    QMenu* menu = build(kOutputLayout);
    if (!menu)
        return;
    adjustOutput(*menu, channel);
    popup(menu, button, MenuAnchor::BottomLeft, kLeft | kTop);
}

void PopupMenus::adjustOutput(QMenu& menu, int channel)
{
    const LayoutRules& layout = mManager.layout();
    const QIcon mark(SkinImage(QLatin1String(kMarkImage)));
    for (const SpeakerRole& role : kSpeakerRoles) {
        if (role.code == kNoRole)
            continue;
        QAction* action = menu.findChild<QAction*>(QString::fromLatin1(role.menuItem.data(), role.menuItem.size()));
        if (!action)
            continue;
        action->setIcon(layout.RoleInUse(role.code) ? mark : QIcon());
        action->setIconVisibleInMenu(true);
        action->setEnabled(layout.CanAssignRole(channel, role.code));
    }
}

void PopupMenus::ShowLinkGroupMenu(int channel, QWidget* button)
{
    mLinkMenuChannel = channel;
    QMenu* menu = build(kLinkGroupLayout);
    if (!menu)
        return;
    // A button in the right half opens its menu leftwards, so it stays on the window.
    int alignment = kBottom;
    if (button && mWindow && button->mapToGlobal(QPoint(0, 0)).x() - mWindow->mapToGlobal(QPoint(0, 0)).x() > mWindow->width() / 2)
        alignment |= kRight;
    popup(menu, button, MenuAnchor::AboveTopLeft, alignment);
}

void PopupMenus::ShowDelayLinkGroupMenu(int channel, QWidget* button)
{
    mLinkMenuChannel = channel;
    QMenu* menu = build(kDelayLinkGroupLayout);
    if (!menu)
        return;
    popup(menu, button, MenuAnchor::AboveTopLeft, kBottom);
}

} // namespace dravo
