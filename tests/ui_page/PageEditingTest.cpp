// What a user's typing, keys and clicks on the main page do: values reach
// the page and the amplifier, the focus walks where it should, and the
// window is asked for the right menu.
#include "PageFixture.h"

#include "EditingRules.h"
#include "LayoutRules.h"
#include "SenceConfig.h"

#include <QComboBox>
#include <QPushButton>

namespace dravo::test {
namespace {

class PageEditing : public PageFixture {
protected:
    void SetUp() override
    {
        openDirectly();
        showWindow();
    }

    // A combo box item chosen by the user.
    void choose(const std::string& combo, int row)
    {
        auto* box = widget<QComboBox>(combo);
        box->setCurrentIndex(row);
        emit box->activated(row);
    }

    void press(const std::string& name, Qt::Key key)
    {
        QTest::keyClick(widget(name), key);
    }
};

enum class Finish { Enter, LeaveBox };

TEST_F(PageEditing, TypedBandFrequencyReachesPageAndAmplifier)
{
    for (const Finish finish : {Finish::Enter, Finish::LeaveBox}) {
        SCOPED_TRACE(finish == Finish::Enter ? "Enter" : "focus leaves");
        manager->layout().ShowPeqMode(true);
        const int band = finish == Finish::Enter ? 3 : 4;
        typeInto("eq_freq_" + std::to_string(band), QStringLiteral("1k5"));
        if (finish == Finish::Enter)
            press("eq_freq_" + std::to_string(band), Qt::Key_Return);
        else
            widget("eq_gain_20")->setFocus();
        settle();

        EXPECT_EQ(widget<QLineEdit>("eq_freq_" + std::to_string(band))->text(), QStringLiteral("1500"));
        EXPECT_EQ(manager->live().bands[0][band].freq, 1500);
        EXPECT_EQ(sim::bandFrequency(amp->state().live.channels[0].bands[band]), 1500);
    }
}

TEST_F(PageEditing, LeavingAnUntouchedLevelBoxChangesNothing)
{
    // -12.3 dB is shown rounded to the box's half-dB steps.
    manager->editing().SetChVolume(2, -123, true);
    settle();
    amp->clearReceivedRequests();
    widget("edit_ch_volume_2")->setFocus();
    widget("edit_ch_volume_3")->setFocus();
    settle();
    EXPECT_FLOAT_EQ(manager->live().channels[2].gain, -12.3f);
    EXPECT_TRUE(amp->receivedRequests().empty());
}

TEST_F(PageEditing, EnterInTheLastGainBoxGoesToTheFirstBand)
{
    struct Case {
        bool parametric;
        const char* expected;
    };
    // The graphic view takes no frequencies, so the walk lands on band 0's gain.
    for (const Case& c : {Case{true, "eq_freq_0"}, Case{false, "eq_gain_0"}}) {
        SCOPED_TRACE(c.expected);
        manager->layout().ShowPeqMode(c.parametric);
        widget("eq_gain_30")->setFocus();
        press("eq_gain_30", Qt::Key_Return);
        EXPECT_EQ(focused(), widget(c.expected));
    }
}

TEST_F(PageEditing, LeftAndRightWalkTheRing)
{
    struct Case {
        bool parametric;
        const char* from;
        bool right;
        const char* to;
    };
    const Case cases[] = {
        {false, "edit_main_volume", true, "eq_gain_0"},
        {true, "edit_main_volume", true, "eq_freq_0"},
        {true, "eq_freq_0", false, "edit_main_volume"},
        {true, "edit_ch_delay_11", true, "hp_freq"},
        {true, "eq_gain_30", true, "edit_ch_volume_0"},
        {false, "edit_ch_volume_0", false, "eq_gain_30"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.from) + (c.right ? " right" : " left"));
        manager->layout().ShowPeqMode(c.parametric);
        widget(c.from)->setFocus();
        press(c.from, c.right ? Qt::Key_End : Qt::Key_Home);
        press(c.from, c.right ? Qt::Key_Right : Qt::Key_Left);
        EXPECT_EQ(focused(), widget(c.to));
    }
}

TEST_F(PageEditing, DelayTypedInCentimetres)
{
    struct Case {
        const char* typed;
        const char* shown;
        double ms;
    };
    choose("comb_ch_unit", 1);
    for (const Case& c : {Case{"520", "519 cm", 15.0}, Case{"3.2", "3 cm", 3 * 15.0 / 519}}) {
        SCOPED_TRACE(c.typed);
        typeInto("edit_ch_delay_2", QString::fromLatin1(c.typed));
        press("edit_ch_delay_2", Qt::Key_Return);
        settle();
        EXPECT_EQ(widget<QLineEdit>("edit_ch_delay_2")->text(), QString::fromLatin1(c.shown));
        EXPECT_NEAR(manager->live().channels[2].delay, c.ms, 1e-4);
        EXPECT_NEAR(sim::delayMs(amp->state().live.channels[2]), c.ms, 1e-3);
    }
}

TEST_F(PageEditing, FocusOnADelayBoxShowsOnlyItsSlider)
{
    widget("edit_ch_delay_4")->setFocus();
    EXPECT_TRUE(widget("container_ch_delay_4")->isVisible());
    EXPECT_FALSE(widget("container_ch_delay_3")->isVisible());
    EXPECT_EQ(manager->live().currOutChannel, 4);

    widget("edit_main_volume")->setFocus();
    EXPECT_FALSE(widget("container_ch_delay_4")->isVisible());
    EXPECT_TRUE(widget("control_empty_4")->isVisible());
}

TEST_F(PageEditing, BandTypeActsOnTheBandWhoseBoxHasTheFocus)
{
    constexpr int kAllPass = 1;
    widget("eq_q_7")->setFocus();
    choose("comb_eq_type", kAllPass);
    settle();
    EXPECT_EQ(manager->live().bands[0][7].type, kAllPass);
    EXPECT_EQ(sim::bandType(amp->state().live.channels[0].bands[7]), kAllPass);
    EXPECT_EQ(manager->live().bands[0][0].type, 0);
}

TEST_F(PageEditing, RoleButtonAsksForTheOutputMenuOfItsChannel)
{
    QTest::mouseClick(widget("ch_output_btn_3"), Qt::LeftButton);
    ASSERT_FALSE(actions.calls.empty());
    EXPECT_EQ(actions.calls.back().what, "output");
    EXPECT_EQ(actions.calls.back().channel, 3);
    EXPECT_EQ(actions.calls.back().button, widget("ch_output_btn_3"));
}

TEST_F(PageEditing, InputSelectorRoutesItsInputToItsOutput)
{
    constexpr int kHighLevel = 5; // the source with eight inputs
    choose("btn_input_source", kHighLevel);
    ASSERT_TRUE(widget("option_ch_in3_5")->isVisible());
    manager->live().inputMixVolume[kHighLevel][2][5] = 0;

    QTest::mouseClick(widget("option_ch_in3_5"), Qt::LeftButton);
    settle();

    EXPECT_TRUE(widget<QPushButton>("option_ch_in3_5")->isChecked());
    EXPECT_EQ(manager->live().inputs[kHighLevel][5] & 0x4, 0x4);
    EXPECT_EQ(amp->state().live.mixMask[kHighLevel][5] & 0x4, 0x4);
    // A silent input switched on is heard at full level.
    EXPECT_EQ(amp->state().live.mixLevel[kHighLevel][2][5], 100);
}

} // namespace
} // namespace dravo::test
