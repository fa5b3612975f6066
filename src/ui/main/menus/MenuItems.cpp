#include "MenuItems.h"

#include "Connection.h"
#include "EqualizerManager.h"
#include "FeatureSwitches.h"
#include "LanguageSwitch.h"
#include "LayoutRules.h"
#include "Log.h"
#include "MainWindowActions.h"
#include "PopupMenus.h"
#include "ProductInfo.h"
#include "ProfileOperations.h"
#include "SpeakerRoles.h"

#include <QString>

#include <cstdio>
#include <string_view>

namespace dravo {
namespace {

int numberOf(const std::string& text)
{
    bool ok = false;
    const int n = QString::fromStdString(text).trimmed().toInt(&ok);
    return ok ? n : 0;
}

} // namespace

MenuItems::MenuItems(EqualizerManager& manager, const PopupMenus& menus, MainWindowActions& actions,
                     ProfileFileDialog& files, std::function<void()> languageChanged)
    : mManager(manager), mMenus(menus), mActions(actions), mFiles(files), mLanguageChanged(std::move(languageChanged))
{
}

bool MenuItems::OnMenuItem(const MenuCommand& command)
{
    enum class Match { Exact, Prefix };
    struct Row {
        const char* name;
        Match match;
        void (MenuItems::*run)(const MenuCommand&);
    };
    static constexpr Row kRows[] = {
        {"output_menu", Match::Prefix, &MenuItems::assignRole},
        {"output_item", Match::Prefix, &MenuItems::assignRole},
        {"link_group_", Match::Prefix, &MenuItems::setSyncGroup},
        {"delay_link_group_", Match::Prefix, &MenuItems::setDelayLinkGroup},
        {"option_item_firmware_upgrade", Match::Exact, &MenuItems::firmwareUpgrade},
        {"option_item_reset_default", Match::Exact, &MenuItems::resetDefault},
        {"option_item_preference", Match::Exact, &MenuItems::preference},
        {"option_item_about", Match::Exact, &MenuItems::about},
        {"option_item_language", Match::Exact, &MenuItems::language},
        {"option_item_language_en", Match::Exact, &MenuItems::language},
        {"option_item_language_cn", Match::Exact, &MenuItems::language},
        {"option_item_language_ru", Match::Exact, &MenuItems::language},
        {"scene_item_load_scene", Match::Exact, &MenuItems::loadSceneFromDevice},
        {"scene_item_saveas_scene", Match::Exact, &MenuItems::saveSceneToDevice},
        {"scene_item_delete_scene", Match::Exact, &MenuItems::deleteDeviceScene},
        {"scene_item_load_file", Match::Exact, &MenuItems::loadSceneFile},
        {"scene_item_save_file", Match::Exact, &MenuItems::saveSceneFile},
        {"scene_item_load_whole", Match::Exact, &MenuItems::loadWholeFile},
        {"scene_item_save_whole", Match::Exact, &MenuItems::saveWholeFile},
        {"advance_item_autocal", Match::Exact, &MenuItems::calibration},
        {"advance_item_mixer", Match::Exact, &MenuItems::mixer},
        {"advance_item_noise_threshold", Match::Exact, &MenuItems::noiseThreshold},
        {"advance_item_compressors_on", Match::Exact, &MenuItems::compressorsOn},
        {"advance_item_poweroff_delay", Match::Exact, &MenuItems::powerOffDelay},
        {"advance_item_ktv", Match::Exact, &MenuItems::karaoke},
        {"advance_item_cs_auto", Match::Exact, &MenuItems::channelLevelAuto},
    };

    const std::string_view name = command.name;
    for (const Row& row : kRows) {
        const bool matches = row.match == Match::Prefix ? name.starts_with(row.name) : name == row.name;
        if (matches) {
            (this->*row.run)(command);
            return true;
        }
    }
    return false;
}

int MenuItems::RoleOfItem(const MenuCommand& command)
{
    for (const SpeakerRole& role : kSpeakerRoles)
        if (role.menuItem == command.userData)
            return role.code;
    return -1;
}

void MenuItems::assignRole(const MenuCommand& command)
{
    const int role = RoleOfItem(command);
    if (role < 0) {
        LogWrite("output menu item %s names no role\n", command.name.c_str());
        return;
    }
    // With the menu flag the rules give the role to the other output of a
    // bridged pair as well.
    mManager.layout().SetOutputValue(mMenus.OutputMenuChannel(), role, true);
}

void MenuItems::setSyncGroup(const MenuCommand& command)
{
    LogWrite("%d: %s\n", mMenus.LinkMenuChannel(), command.name.c_str());
    mManager.layout().SetSyncGroup(mMenus.LinkMenuChannel(), numberOf(command.userData));
}

void MenuItems::setDelayLinkGroup(const MenuCommand& command)
{
    LogWrite("%d: %s\n", mMenus.LinkMenuChannel(), command.name.c_str());
    mManager.layout().SetDelayLinkGroup(mMenus.LinkMenuChannel(), numberOf(command.userData));
}

void MenuItems::firmwareUpgrade(const MenuCommand&)
{
    mActions.OpenWindow(QStringLiteral("firmware_update"));
}

void MenuItems::resetDefault(const MenuCommand&)
{
    mManager.connection().ResetMcuFactoryDefault();
}

void MenuItems::preference(const MenuCommand&)
{
    mActions.OpenWindow(QStringLiteral("preference"));
}

void MenuItems::about(const MenuCommand&)
{
    mActions.OpenWindow(QStringLiteral("about"));
}

void MenuItems::language(const MenuCommand& command)
{
    if (!ChangeLanguageFromMenu(QString::fromStdString(command.name)))
        return;
    if (mLanguageChanged)
        mLanguageChanged();
    refreshVersionLabels();
}

// The version labels are composed from a language id and numbers, so a
// switch of language has to compose them again.
void MenuItems::refreshVersionLabels()
{
    char text[128];
    std::snprintf(text, sizeof text, "%s %s", "${soft_version}", kSoftwareVersion);
    mManager.ctl("soft_version").setText(text);
    std::snprintf(text, sizeof text, "%s v%d.%d", "${inner_fw_version}", kInnerFirmwareMajor, kInnerFirmwareMinor);
    mManager.ctl("inner_fw_version").setText(text);
}

void MenuItems::loadSceneFromDevice(const MenuCommand&)
{
    mActions.OpenWindow(QStringLiteral("scene_load"));
}

void MenuItems::saveSceneToDevice(const MenuCommand&)
{
    mActions.OpenWindow(QStringLiteral("scene_save"));
}

void MenuItems::deleteDeviceScene(const MenuCommand&)
{
    mActions.OpenWindow(QStringLiteral("scene_delete"));
}

void MenuItems::loadSceneFile(const MenuCommand&)
{
    LoadSenceConfigFromFile(mManager, mFiles);
}

void MenuItems::saveSceneFile(const MenuCommand&)
{
    SaveSenceConfigToFile(mManager, mFiles);
}

void MenuItems::loadWholeFile(const MenuCommand&)
{
    LoadWholeConfigFromFile(mManager, mFiles);
}

void MenuItems::saveWholeFile(const MenuCommand&)
{
    SaveWholeConfigToFile(mManager, mFiles);
}

void MenuItems::calibration(const MenuCommand&)
{
    if (features::roomCalibration)
        mActions.OpenWindow(QStringLiteral("calibration"));
}

void MenuItems::mixer(const MenuCommand&)
{
    if (features::mixerMenu)
        mActions.OpenWindow(QStringLiteral("mixer"));
}

void MenuItems::noiseThreshold(const MenuCommand&)
{
    mActions.OpenWindow(QStringLiteral("noise_threshold"));
}

void MenuItems::compressorsOn(const MenuCommand&)
{
    mActions.OpenWindow(QStringLiteral("compressors_on"));
}

void MenuItems::powerOffDelay(const MenuCommand&)
{
    if (features::powerOffDelayPanel)
        mActions.OpenWindow(QStringLiteral("poweroff_delay"));
}

void MenuItems::karaoke(const MenuCommand&)
{
    if (features::karaoke)
        mActions.OpenWindow(QStringLiteral("ktv"));
}

void MenuItems::channelLevelAuto(const MenuCommand&)
{
    if (features::channelLevelAuto)
        mActions.OpenWindow(QStringLiteral("cs_auto"));
}

} // namespace dravo
