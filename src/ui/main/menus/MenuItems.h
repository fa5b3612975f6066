#pragma once
// What the items of the pop-up menus do. Rows are tried in a fixed order and
// a prefix row matches only at the start of the item name, so an item named
// "delay_link_group_2" is a delay-link item and never a link item.
#include "MenuCommand.h"

#include <functional>

class MainWindowActions;

namespace dravo {

class EqualizerManager;
class PopupMenus;
class ProfileFileDialog;

class MenuItems {
public:
    // `languageChanged` runs after a language switch, before the version
    // labels are composed again.
    MenuItems(EqualizerManager& manager, const PopupMenus& menus, MainWindowActions& actions,
              ProfileFileDialog& files, std::function<void()> languageChanged);

    // Logs and runs the item's row; false when no row matches the name.
    bool OnMenuItem(const MenuCommand& command);

    // The role an output-menu item stands for (its user data names the
    // item); -1 when it names none.
    static int RoleOfItem(const MenuCommand& command);

private:
    void assignRole(const MenuCommand& command);
    void setSyncGroup(const MenuCommand& command);
    void setDelayLinkGroup(const MenuCommand& command);
    void firmwareUpgrade(const MenuCommand& command);
    void resetDefault(const MenuCommand& command);
    void preference(const MenuCommand& command);
    void about(const MenuCommand& command);
    void language(const MenuCommand& command);
    void loadSceneFromDevice(const MenuCommand& command);
    void saveSceneToDevice(const MenuCommand& command);
    void deleteDeviceScene(const MenuCommand& command);
    void loadSceneFile(const MenuCommand& command);
    void saveSceneFile(const MenuCommand& command);
    void loadWholeFile(const MenuCommand& command);
    void saveWholeFile(const MenuCommand& command);
    void calibration(const MenuCommand& command);
    void mixer(const MenuCommand& command);
    void noiseThreshold(const MenuCommand& command);
    void compressorsOn(const MenuCommand& command);
    void powerOffDelay(const MenuCommand& command);
    void karaoke(const MenuCommand& command);
    void channelLevelAuto(const MenuCommand& command);

    void refreshVersionLabels();

    EqualizerManager& mManager;
    const PopupMenus& mMenus;
    MainWindowActions& mActions;
    ProfileFileDialog& mFiles;
    std::function<void()> mLanguageChanged;
};

} // namespace dravo
