// The page's controls as the tuning logic drives them: what it writes is
// shown and never heard back as the user's action, language ids are shown
// in words but read back as ids, and the connect button carries the
// connection's looks.
#include "PageFixture.h"

#include "Connection.h"
#include "EditingRules.h"
#include "QtControl.h"
#include "QtDeviceCombo.h"
#include "ValueIntake.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace dravo::test {
namespace {

class PageControls : public PageFixture {};

TEST_F(PageControls, WhatTheLogicShowsIsNotHeardBack)
{
    showWindow();
    heard.clear();
    manager->intake().SetReadProfileToView();
    manager->editing().SetChVolume(5, -200, true);
    page->find("slider_main_volume")->setValue(12);
    page->find("comb_ch_unit")->setCurrentIndex(2);
    page->find("ch_mute_7")->setChecked(true);
    QApplication::processEvents();
    EXPECT_TRUE(heard.empty()) << heard.front();
}

TEST_F(PageControls, LanguageIdsAreShownInWordsAndReadBackAsIds)
{
    manager->editing().SetChVolume(1, -600, true);
    Control* level = page->find("edit_ch_volume_1");
    EXPECT_EQ(widget<QLineEdit>("edit_ch_volume_1")->text(), GetText(QStringLiteral("${off}")));
    EXPECT_EQ(level->text(), "${off}");

    typeInto("edit_ch_volume_1", QStringLiteral("-3"));
    EXPECT_EQ(level->text(), "-3");
}

TEST_F(PageControls, TextsWithIdsInsideFollowTheLanguage)
{
    const auto shown = [this] { return widget<QLabel>("soft_version")->text(); };
    EXPECT_EQ(shown(), GetText(QStringLiteral("${soft_version}")) + QStringLiteral(" v6.8.16"));

    RegisterLanguage(QStringLiteral("lan/lan_cn.xml"), QStringLiteral("cn_zh"));
    SetLanguage(QStringLiteral("cn_zh"));
    page->Retranslate();
    EXPECT_EQ(shown(), GetText(QStringLiteral("${soft_version}")) + QStringLiteral(" v6.8.16"));
    EXPECT_FALSE(shown().contains(QLatin1String("${")));
    EXPECT_EQ(page->find("soft_version")->text(), "${soft_version} v6.8.16");
}

TEST_F(PageControls, ConnectButtonShowsTheConnection)
{
    QtDeviceCombo combo(widget<QComboBox>("btn_devices"));
    manager->connection().SetDeviceCombo(&combo);
    manager->connection().UpdateDeviceList();
    manager->connection().SelectFirstDevice();
    ASSERT_EQ(widget<QComboBox>("btn_devices")->count(), 1);

    auto* button = widget<QPushButton>("btnConnect");
    const auto textColor = [button] {
        button->ensurePolished();
        return button->palette().color(QPalette::ButtonText).rgba();
    };
    struct Step {
        const char* what;
        const char* text;
        bool selected;
        QRgb color;
    };
    const Step steps[] = {
        {"connected", "${btn_connected}", true, 0xFFFFFFFF},
        {"disconnected", "${btn_disconnected}", false, 0xFFFF0000},
    };
    heard.clear();
    manager->connection().ConnectDevice(true);
    settle();
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        if (!step.selected)
            manager->connection().DisconnectDevice();
        EXPECT_EQ(button->text(), GetText(QString::fromLatin1(step.text)));
        EXPECT_EQ(button->property("selected").toBool(), step.selected);
        EXPECT_EQ(textColor(), step.color);
    }
    // Filling and selecting in the device combo is not the user's pick.
    for (const std::string& n : heard)
        EXPECT_EQ(n.find("btn_devices"), std::string::npos) << n;
}

TEST_F(PageControls, HiddenComboItemsCannotBeChosen)
{
    // Coaxial, low level and the media player have no inputs on this model.
    auto* sources = widget<QComboBox>("btn_input_source");
    Control* control = page->find("btn_input_source");
    for (int code : {1, 4, 6}) {
        EXPECT_FALSE(control->itemVisible(code)) << code;
        EXPECT_FALSE(sources->model()->flags(sources->model()->index(code, 0)).testFlag(Qt::ItemIsEnabled)) << code;
    }
    EXPECT_TRUE(control->itemVisible(5));
}

} // namespace
} // namespace dravo::test
