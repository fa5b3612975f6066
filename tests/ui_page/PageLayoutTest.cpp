// The generated main layout: every control the tuning logic and the
// dispatch name is there with its index, and the page looks right at 100 %
// and 150 % (the pictures are written next to the test for a look).
#include "PageFixture.h"

#include "Connection.h"
#include "QtDeviceCombo.h"

#include <QComboBox>
#include <QDir>

#include <cstdio>

namespace dravo::test {
namespace {

struct Family {
    const char* format; // %d is the index, which the user data holds
    int first;
    int last;
};

constexpr Family kFamilies[] = {
    {"ch_output_btn_%d", 0, 11}, {"slider_ch_volume_%d", 0, 11}, {"edit_ch_volume_%d", 0, 11},
    {"ch_mute_%d", 0, 11},        {"ch_solo_%d", 0, 11},          {"ch_phase_%d", 0, 11},
    {"edit_ch_delay_%d", 0, 11},  {"slider_ch_delay_%d", 0, 11},  {"container_ch_delay_%d", 0, 11},
    {"ch_synchronize_%d", 0, 11}, {"delay_link_%d", 0, 11},       {"delay_lable_%d", 0, 11},
    {"ch_show_%d", 0, 11},        {"ch_enable_%d", 0, 11},        {"control_empty_%d", 0, 11},
    {"ch_border_top_%d", 0, 11},  {"ch_border_buttom_%d", 0, 11}, {"ch_border_left_%d", 0, 11},
    {"ch_border_right_%d", 0, 11}, {"ch_vl_%d", 0, 11},           {"input_123_%d", 0, 11},
    {"input_456_%d", 0, 11},      {"eq_freq_%d", 0, 30},          {"eq_q_%d", 0, 30},
    {"eq_gain_%d", 0, 30},        {"eq_slider_%d", 0, 30},        {"pt_enable_%d", 0, 30},
    {"eq_container_%d", 0, 30},   {"speaker_%d", 1, 24},          {"spk_con_%d", 1, 24},
    {"spk_delay_%d", 1, 24},      {"ch_bridge_%d", 0, 5},         {"bridge_checkbox_%d", 0, 5},
    {"bridge_hl_%d", 0, 5},       {"autoSave%d", 0, 9},
};

constexpr const char* kSingles[] = {
    "comb_eq_type",  "hp_type",        "lp_type",          "hp_slop",        "lp_slop",         "hp_freq",
    "lp_freq",       "edit_main_volume", "slider_main_volume", "main_mute",  "edit_acc",        "slider_acc",
    "btn_amp_onoff", "btn_rem_out1_onoff", "btn_rem_out2_onoff", "btn_2ohm_spk", "btn_noise_gate", "btn_link_output",
    "btn_lock_output", "btn_bypass",   "btn_reset_eq",     "btn_arg_eq",     "btn_reset_output", "btn_reset_link",
    "btn_delay_down", "btn_delay_up",  "comb_ch_unit",     "btn_devices",    "edit_device_name", "btnConnect",
    "soft_version",  "inner_fw_version", "btn_input_source", "btn_option",   "btn_scene",       "btn_advance",
    "btn_debug",     "enableAutoSave", "equalizer",        "ch_title",       "channel_settings",
};

class PageLayout : public PageFixture {};

TEST_F(PageLayout, EveryNamedControlIsThereWithItsIndex)
{
    for (const Family& f : kFamilies)
        for (int i = f.first; i <= f.last; ++i) {
            char name[64];
            std::snprintf(name, sizeof name, f.format, i);
            const QWidget* w = page->widget(name);
            ASSERT_NE(w, nullptr) << name;
            EXPECT_EQ(w->property("userdata").toString(), QString::number(i)) << name;
        }
    for (const char* name : kSingles)
        EXPECT_NE(page->widget(name), nullptr) << name;
    // Eight input selectors per output on the mixer's channel page.
    for (int c = 0; c < 12; ++c)
        for (int in = 1; in <= 8; ++in)
            EXPECT_NE(page->widget("option_ch_in" + std::to_string(in) + "_" + std::to_string(c)), nullptr);
    EXPECT_NE(page->equalizer(), nullptr);
}

class PageAtScale : public PageFixture, public testing::WithParamInterface<int> {
protected:
    PageAtScale() : PageFixture(GetParam()) {}
};

// Connected to the simulated amplifier, with a few bands moved; the picture
// is written beside the test.
TEST_P(PageAtScale, RendersTheConnectedPage)
{
    QtDeviceCombo combo(widget<QComboBox>("btn_devices"));
    manager->connection().SetDeviceCombo(&combo);
    manager->connection().UpdateDeviceList();
    manager->connection().SelectFirstDevice();
    manager->connection().ConnectDevice(false);
    settle();
    showWindow();
    // A few bands away from flat so the curve has something to show.
    for (const auto& [band, gain] : {std::pair{4, QStringLiteral("4.5")}, {12, QStringLiteral("-6")}, {21, QStringLiteral("3")}}) {
        typeInto("eq_gain_" + std::to_string(band), gain);
        QTest::keyClick(widget("eq_gain_" + std::to_string(band)), Qt::Key_Return);
    }
    widget("edit_ch_delay_0")->setFocus();
    settle();

    const QImage shot = window->grab().toImage();
    EXPECT_EQ(shot.size(), CurrentDisplayScale().scale(QSize(1230, 650)));
    const QString path = QDir(QStringLiteral(DRAVO_PAGE_SHOTS))
                             .filePath(QStringLiteral("main_page_%1.png").arg(CurrentDisplayScale().imagePercent()));
    EXPECT_TRUE(shot.save(path));
}

INSTANTIATE_TEST_SUITE_P(Scales, PageAtScale, testing::Values(96, 144));

} // namespace
} // namespace dravo::test
