// The skin the program carries: every layout a window asks for loads, the
// controls and menu items the windows look for by name are there, and every
// picture exists in all seven sizes.
#include "ImageVariants.h"
#include "QtTestSupport.h"
#include "SkinUiLoader.h"

#include <QAbstractButton>
#include <QAction>
#include <QMenu>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <set>

namespace dravo {
namespace {

const char* const kLayoutIds[] = {
    "XML_MAIN", "XML_ABOUT", "XML_AUTO_CAL", "XML_CHECKBOX_MSG", "XML_COMPRESSOR", "XML_COMPRESSORS_ON",
    "XML_CS_AUTO", "XML_CUSTOM_EQ", "XML_FORCE_UPDATE", "XML_KTV", "XML_LINK_SEL", "XML_LOADING",
    "XML_MEM_WR", "XML_MIXER", "XML_MSG", "XML_MSG_NAME", "XML_NOISE_GATE", "XML_NOISE_THRESHOLD",
    "XML_POWEROFF_DELAY", "XML_PREFERENCE", "XML_SENCE_PROFILE", "XML_UPDATE_FW",
};

const char* const kPageLayouts[] = {
    "xml/channel_settings_6in.xml",       "xml/channel_settings_6in_mixer.xml",
    "xml/channel_name_area_hi_source.xml", "xml/channel_name_area_low_source.xml",
    "xml/channel_name_area_aux_source.xml", "xml/channel_name_area_2ch_source.xml",
};

struct MenuItems {
    const char* path;
    std::vector<const char*> items;
};

const MenuItems kMenus[] = {
    {"xml/advance_menu.xml",
     {"advance_item_autocal", "advance_item_mixer", "advance_item_noise_threshold", "advance_item_compressors_on",
      "advance_item_compressor", "advance_item_poweroff_delay", "advance_item_ktv", "advance_item_cs_auto"}},
    {"xml/option_menu.xml",
     {"option_item_firmware_upgrade", "option_item_reset_default", "option_item_preference", "option_item_about",
      "option_item_language", "option_item_language_en", "option_item_language_cn", "option_item_language_ru"}},
    {"xml/scene_menu.xml",
     {"scene_item_load_scene", "scene_item_saveas_scene", "scene_item_delete_scene", "scene_item_load_file",
      "scene_item_save_file", "scene_item_load_whole", "scene_item_save_whole"}},
    {"xml/output_menu.xml",
     {"output_item_empty", "output_menu_front_left_high_freq", "output_menu_front_left_mid_freq",
      "output_menu_front_left_low_freq", "output_menu_front_left_mid_high_freq",
      "output_menu_front_left_mid_low_freq", "output_menu_front_left_all_freq",
      "output_menu_front_right_high_freq", "output_menu_front_right_mid_freq",
      "output_menu_front_right_low_freq", "output_menu_front_right_mid_high_freq",
      "output_menu_front_right_mid_low_freq", "output_menu_front_right_all_freq",
      "output_menu_rear_left_high_freq", "output_menu_rear_left_low_freq", "output_menu_rear_left_all_freq",
      "output_menu_rear_right_high_freq", "output_menu_rear_right_low_freq", "output_menu_rear_right_all_freq",
      "output_menu_center_high_freq", "output_menu_center_low_freq", "output_menu_center_all_freq",
      "output_menu_subwoof_left", "output_menu_subwoof_right", "output_menu_subwoof_low"}},
    {"xml/link_group_menu.xml", {"link_group_0", "link_group_1", "link_group_6"}},
    {"xml/delay_link_group_menu.xml", {"delay_link_group_0", "delay_link_group_1", "delay_link_group_6"}},
};

const char* const kSubMenus[] = {
    "output_menu_front", "output_menu_front_left", "output_menu_front_right", "output_menu_rear",
    "output_menu_rear_left", "output_menu_rear_right", "output_menu_center", "output_menu_subwoof",
};

struct RequiredControls {
    const char* layout;
    std::vector<const char*> names;
};

const RequiredControls kBoxControls[] = {
    {"XML_MSG", {"MessageTitle", "MessageText", "closebtn", "confirm_btn", "cancel_btn", "third_btn"}},
    {"XML_CHECKBOX_MSG",
     {"MessageTitle", "MessageText", "closebtn", "confirm_btn", "cancel_btn", "check_box_0", "check_box_1"}},
    {"XML_MSG_NAME", {"MessageTitle", "closebtn", "confirm_btn", "cancel_btn", "name_edt"}},
    {"XML_LOADING", {"MessageText"}},
    {"XML_MAIN", {"minbtn", "closebtn"}},
};

// Pictures the windows set by name in code rather than in a layout.
const char* const kNamedPictures[] = {
    "right.png", "on.png", "off.png", "ch_in_selected.png", "ch_in_type_normal.png",
    "source_normal.png", "source_select.png", "common/group_0.png", "common/group_6.png",
};

class CarriedSkin : public ::testing::Test {
protected:
    void SetUp() override { test::useCarriedSkin(); }
};

TEST_F(CarriedSkin, EveryLayoutIdAndPageLayoutLoads)
{
    ASSERT_TRUE(SkinLoaded());
    std::vector<QString> layouts;
    for (const char* id : kLayoutIds)
        layouts.push_back(QString::fromLatin1(id));
    for (const char* path : kPageLayouts)
        layouts.push_back(QString::fromLatin1(path));
    for (const QString& layout : layouts) {
        std::unique_ptr<QWidget> w(LoadLayout(layout));
        EXPECT_NE(w, nullptr) << layout.toStdString();
    }
}

TEST_F(CarriedSkin, MainFrameIsTheWindowSize)
{
    std::unique_ptr<QWidget> w(LoadLayout(QStringLiteral("XML_MAIN")));
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->size(), QSize(1230, 650));
}

TEST_F(CarriedSkin, BoxesHaveTheControlsTheyAreDrivenBy)
{
    for (const auto& box : kBoxControls) {
        std::unique_ptr<QWidget> w(LoadLayout(QString::fromLatin1(box.layout)));
        ASSERT_NE(w, nullptr) << box.layout;
        for (const char* name : box.names)
            EXPECT_NE(w->findChild<QWidget*>(QString::fromLatin1(name)), nullptr) << box.layout << " " << name;
    }
}

TEST_F(CarriedSkin, MenusHoldTheirItemsWithUserData)
{
    for (const auto& menu : kMenus) {
        std::unique_ptr<QMenu> m(LoadMenuLayout(QString::fromLatin1(menu.path)));
        ASSERT_NE(m, nullptr) << menu.path;
        for (const char* item : menu.items) {
            const auto* action = m->findChild<QAction*>(QString::fromLatin1(item));
            ASSERT_NE(action, nullptr) << menu.path << " " << item;
            EXPECT_FALSE(action->property("userdata").toString().isEmpty()) << item;
        }
    }
    std::unique_ptr<QMenu> output(LoadMenuLayout(QStringLiteral("xml/output_menu.xml")));
    for (const char* sub : kSubMenus)
        EXPECT_NE(output->findChild<QMenu*>(QString::fromLatin1(sub)), nullptr) << sub;
    std::unique_ptr<QMenu> groups(LoadMenuLayout(QStringLiteral("xml/link_group_menu.xml")));
    EXPECT_EQ(groups->findChild<QAction*>(QStringLiteral("link_group_4"))->property("userdata").toString(),
              QStringLiteral("4"));
}

TEST_F(CarriedSkin, EveryPictureExistsInAllSevenSizes)
{
    std::set<QString> pictures(std::begin(kNamedPictures), std::end(kNamedPictures));
    for (const char* id : kLayoutIds) {
        std::unique_ptr<QWidget> w(LoadLayout(QString::fromLatin1(id)));
        ASSERT_NE(w, nullptr);
        auto widgets = w->findChildren<QWidget*>();
        widgets.append(w.get());
        for (const QWidget* c : widgets)
            for (const char* property : {"image", "hotimage", "selectedimage", "disabledimage"})
                if (const QString name = c->property(property).toString(); !name.isEmpty())
                    pictures.insert(name);
    }
    ASSERT_FALSE(pictures.empty());
    for (const QString& picture : pictures) {
        for (const ImageVariant& v : kImageVariants) {
            const QString variant = DisplayScale(v.dpi).imageVariant(picture);
            EXPECT_TRUE(ReadSkinFile(variant).has_value()) << variant.toStdString();
        }
    }
}

TEST_F(CarriedSkin, LayoutsAndPicturesFollowTheDisplayScale)
{
    std::unique_ptr<QWidget> plain(LoadLayout(QStringLiteral("XML_MSG")));
    const QSize plainIcon = plain->findChild<QAbstractButton*>(QStringLiteral("closebtn"))->iconSize();
    test::useCarriedSkin(144);
    std::unique_ptr<QWidget> scaled(LoadLayout(QStringLiteral("XML_MSG")));
    const QSize scaledIcon = scaled->findChild<QAbstractButton*>(QStringLiteral("closebtn"))->iconSize();
    SetCurrentDisplayScale(DisplayScale());

    EXPECT_EQ(scaled->size(), plain->size() * 1.5);
    EXPECT_EQ(scaledIcon, plainIcon * 1.5);
    EXPECT_EQ(scaled->findChild<QWidget*>(QStringLiteral("title_bar"))->maximumHeight(),
              plain->findChild<QWidget*>(QStringLiteral("title_bar"))->maximumHeight() * 3 / 2);
}

} // namespace
} // namespace dravo
