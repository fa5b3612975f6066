#include "edit_Fixture.h"

#include <cmath>

namespace dravo::test {
namespace {

class EditDelay : public EditFixture {
protected:
    void useUnit(DelayUnit unit)
    {
        at("comb_ch_unit").setCurrentIndex(static_cast<int>(unit));
        edit().SetChDelayUnit();
    }
    void type(int c, const char* text)
    {
        at("edit_ch_delay_%d", c).setText(text);
        edit().SetChDelayEdit(c);
    }
};

TEST_F(EditDelay, TypedDelayIsAWholeNumberOfTheUnit)
{
    const struct {
        DelayUnit unit;
        const char* typed;
        float ms;
        const char* shown;
    } cases[] = {
        {DelayUnit::Cm, "520", 15.0f, "519 cm"},
        {DelayUnit::Cm, "3.2", 3 * 15.0f / 519, "3 cm"},
        {DelayUnit::Inch, "10", 10 * 15.0f / 204, "10 in"},
        {DelayUnit::Ms, "2.5", 2.5f, "2.500 ms"},
        {DelayUnit::Ms, "-1", 0.0f, "0.000 ms"},
        {DelayUnit::Ms, "far", 0.0f, "0.000 ms"},  // not a number: the delay stays
    };
    for (const auto& c : cases) {
        useUnit(c.unit);
        type(3, c.typed);
        EXPECT_NEAR(ch(3).delay, c.ms, 1e-5) << c.typed;
        EXPECT_EQ(at("edit_ch_delay_3").text(), c.shown) << c.typed;
        EXPECT_EQ(at("slider_ch_delay_3").value(), static_cast<int>(std::lround(c.ms * 1000))) << c.typed;
        EXPECT_NEAR(sim::delayMs(played(3)), c.ms, 1.5e-3) << c.typed;
    }
}

TEST_F(EditDelay, ChangingTheUnitOnlyShowsTheDelaysAgain)
{
    ch(0).delay = 1.0f;
    edit().ShowDelay(0);
    clearReceived();
    useUnit(DelayUnit::Cm);
    EXPECT_EQ(at("edit_ch_delay_0").text(), "35 cm");
    EXPECT_EQ(at("spk_delay_1").text(), "35");  // output 0 plays role 1
    EXPECT_FLOAT_EQ(ch(0).delay, 1.0f);
    settle();
    EXPECT_TRUE(received(DSP_DELAY_CH).empty());
}

TEST_F(EditDelay, DelayLinkGroupAndPartnerMoveByTheSameAmount)
{
    live().delayLinkGroup[0] = live().delayLinkGroup[4] = live().delayLinkGroup[9] = 2;
    live().bridgeOutputs[0] = 1;  // output 1 is the partner
    ch(1).delay = 1.0f;
    ch(4).delay = 2.0f;
    ch(9).delay = 14.0f;
    type(0, "1.5");
    EXPECT_FLOAT_EQ(ch(1).delay, 2.5f);
    EXPECT_FLOAT_EQ(ch(4).delay, 3.5f);
    EXPECT_FLOAT_EQ(ch(9).delay, 15.0f);  // held at the end of the range
    EXPECT_NEAR(sim::delayMs(played(4)), 3.5, 1e-6);
    EXPECT_EQ(at("edit_ch_delay_9").text(), "15.000 ms");
}

TEST_F(EditDelay, ArrowsStepEvenWhereTheUnitIsLongerThanAStep)
{
    const struct {
        DelayUnit unit;
        const char* shownAfterThreeUp;
    } cases[] = {{DelayUnit::Ms, "0.063 ms"}, {DelayUnit::Cm, "3 cm"}, {DelayUnit::Inch, "3 in"}};
    for (const auto& c : cases) {
        ch(2).delay = 0.0f;
        useUnit(c.unit);
        for (int i = 0; i < 3; ++i)
            edit().SetChDelayUp(2, true);
        EXPECT_EQ(at("edit_ch_delay_2").text(), c.shownAfterThreeUp);
        edit().SetChDelayUp(2, false);
        edit().SetChDelayUp(2, false);
        edit().SetChDelayUp(2, false);
        edit().SetChDelayUp(2, false);
        EXPECT_FLOAT_EQ(ch(2).delay, 0.0f);
    }
}

TEST_F(EditDelay, SpeakerMarkerStepsTheDelayOfItsOutputUnquantised)
{
    useUnit(DelayUnit::Cm);
    live().outputs[5] = 9;  // output 5 plays role 9 (its default)
    live().currOutChannel = 5;
    edit().SetDelayButton(true);
    edit().SetDelayButton(true);
    EXPECT_FLOAT_EQ(ch(5).delay, 0.042f);
    EXPECT_EQ(at("spk_delay_9").text(), "1");  // 0.042 ms is 1.45 cm
    EXPECT_NEAR(sim::delayMs(played(5)), 0.042, 1.5e-3);

    live().outputs[5] = 0;
    edit().SetDelayButton(true);  // no speaker: nothing
    EXPECT_FLOAT_EQ(ch(5).delay, 0.042f);

    live().outputs[5] = 9;
    at("spk_delay_9").setText("600");
    edit().SetSpeakerDelayEdit(9);
    EXPECT_FLOAT_EQ(ch(5).delay, 15.0f);
    EXPECT_EQ(at("edit_ch_delay_5").text(), "519 cm");
}

} // namespace
} // namespace dravo::test
