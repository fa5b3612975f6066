#include "edit_Fixture.h"

namespace dravo::test {
namespace {

class EditBands : public EditFixture {
protected:
    void SetUp() override
    {
        EditFixture::SetUp();
        live().currOutChannel = 0;
    }

    void slideGain(int b, int tenths)
    {
        at("eq_slider_%d", b).setValue(tenths);
        edit().SetEqSlider(b);
    }

    static int hpFrequency(const sim::ChannelState& c) { return sim::wireU16(c.filter[1], c.filter[2]); }
    static int lpFrequency(const sim::ChannelState& c) { return sim::wireU16(c.filter[5], c.filter[6]); }
};

TEST_F(EditBands, TypedFrequencyFollowsTheKRuleAndOutOfRangeIsRefused)
{
    const struct {
        const char* typed;
        int hz;
    } cases[] = {{"1k5", 1500}, {"25000", 1500}, {"1K", 1000}, {"19", 1000}, {"none", 1000}, {"80Hz", 80}};
    for (const auto& c : cases) {
        at("eq_freq_4").setText(c.typed);
        edit().SetChEqEdit(4);
        EXPECT_EQ(band(0, 4).freq, c.hz) << c.typed;
        EXPECT_EQ(at("eq_freq_4").text(), std::to_string(c.hz)) << c.typed;
    }
    EXPECT_EQ(sim::bandFrequency(played(0).bands[4]), 80);
}

TEST_F(EditBands, TypedGainAndQAreHeldToTheirRanges)
{
    at("eq_q_2").setText("40");
    at("eq_gain_2").setText("15");
    edit().SetChEqEdit(2);
    EXPECT_FLOAT_EQ(band(0, 2).eqFactor, kMaxBandQ);
    EXPECT_FLOAT_EQ(band(0, 2).eqGain, 12.0f);
    EXPECT_EQ(at("eq_q_2").text(), "28.852");
    EXPECT_EQ(at("eq_gain_2").text(), "12.0");
    EXPECT_NEAR(sim::bandGainDb(played(0).bands[2]), 12.0, 1e-6);
}

TEST_F(EditBands, QStepAtTheEnds)
{
    const struct {
        float q;
        bool up;
        float after;
        std::size_t requests;
    } cases[] = {
        {28.852f, true, 28.852f, 0}, {28.851f, true, 28.852f, 1}, {0.404f, false, 0.404f, 0},
        {0.406f, false, 0.404f, 1},  {5.8f, true, 5.802f, 1},
    };
    for (const auto& c : cases) {
        band(0, 2).eqFactor = c.q;
        clearReceived();
        edit().SetEqQUp(2, c.up);
        EXPECT_NEAR(band(0, 2).eqFactor, c.after, 1e-5) << c.q;
        settle();
        EXPECT_EQ(received(DSP_EQ_CH).size(), c.requests) << c.q;
    }
}

TEST_F(EditBands, AutomaticBypassBothWaysWithThePartner)
{
    live().bridgeOutputs[0] = 1;  // output 1 follows output 0
    ASSERT_EQ(ch(0).bypass, 1);
    slideGain(3, 30);
    EXPECT_EQ(ch(0).bypass, 0);
    EXPECT_EQ(ch(1).bypass, 0);
    EXPECT_FLOAT_EQ(band(1, 3).eqGain, 3.0f);
    EXPECT_EQ(at("btn_bypass").text(), "${bypass_eq}");
    EXPECT_EQ(played(0).eqBypass, 0);
    EXPECT_EQ(played(1).eqBypass, 0);

    slideGain(3, 0);
    EXPECT_EQ(ch(0).bypass, 1);
    EXPECT_EQ(at("btn_bypass").text(), "${restore_eq}");
    EXPECT_EQ(played(0).eqBypass, 1);
    EXPECT_EQ(played(1).eqBypass, 1);
}

TEST_F(EditBands, EditingABypassedOutputMakesItsFlatCurveReal)
{
    ch(0).bypass = 1;
    band(0, 5).eqGain = 4.0f;
    band(0, 9).eqGain = -2.0f;
    edit().ShowBands();
    EXPECT_EQ(at("eq_gain_5").text(), "0.0");  // a bypassed output shows flat

    slideGain(3, 20);
    EXPECT_FLOAT_EQ(band(0, 5).eqGain, 0.0f);
    EXPECT_FLOAT_EQ(band(0, 9).eqGain, 0.0f);
    EXPECT_FLOAT_EQ(band(0, 3).eqGain, 2.0f);
    EXPECT_EQ(ch(0).bypass, 0);
    const auto played0 = played(0);
    EXPECT_NEAR(sim::bandGainDb(played0.bands[5]), 0.0, 1e-6);
    EXPECT_NEAR(sim::bandGainDb(played0.bands[3]), 2.0, 1e-6);
}

TEST_F(EditBands, LeavingOrHoveringAFlatShownBandKeepsWhatIsStored)
{
    // A bypassed output and a band switched off both show flat; tabbing
    // through their boxes or hovering their points must not store that.
    const struct {
        std::uint8_t bypass;
        std::uint8_t enable;
    } outputs[] = {{1, 1}, {0, 0}};
    for (const auto& o : outputs) {
        ch(0).bypass = o.bypass;
        band(0, 5).eqGain = 4.0f;
        band(0, 5).enable = o.enable;
        band(0, 8).eqGain = -2.0f;
        edit().ShowBands();
        clearReceived();

        edit().SetChEqEdit(5);
        CurveDrag hover;
        hover.band = {0.0f, band(0, 5).eqFactor, band(0, 5).freq, 1, 0};
        edit().EqualizerCallback(5, 0, false, hover);

        EXPECT_FLOAT_EQ(band(0, 5).eqGain, 4.0f);
        EXPECT_EQ(band(0, 5).enable, o.enable);
        EXPECT_FLOAT_EQ(band(0, 8).eqGain, -2.0f);
        EXPECT_EQ(ch(0).bypass, o.bypass);
        EXPECT_EQ(at("eq_gain_5").text(), "0.0");
        settle();
        EXPECT_TRUE(received(DSP_EQ_CH).empty());
    }
}

TEST_F(EditBands, GroupMembersInTheSameHalfMoveByTheSameAmounts)
{
    live().syncGroup[0] = live().syncGroup[4] = live().syncGroup[7] = 1;
    ch(4).bypass = 0;
    band(4, 6).eqGain = 11.5f;
    band(4, 6).freq = 100;
    const int before7 = band(7, 6).freq;
    at("eq_freq_6").setText("200");  // the band was at 80 Hz: +120 Hz
    at("eq_gain_6").setText("1.0");
    edit().SetChEqEdit(6);
    EXPECT_EQ(band(4, 6).freq, 220);
    EXPECT_FLOAT_EQ(band(4, 6).eqGain, 12.0f);  // held to the band range
    EXPECT_EQ(band(7, 6).freq, before7);         // the other half does not follow bands
    EXPECT_EQ(sim::bandFrequency(played(4).bands[6]), 220);
}

TEST_F(EditBands, TypeOtherThanPeakingForcesGainZeroAndHidesItsControls)
{
    ch(0).bypass = 0;
    band(0, 3).eqGain = 2.0f;
    live().bridgeOutputs[0] = 1;
    manager->mEqIndex = 3;
    edit().ShowBands();
    ASSERT_TRUE(at("eq_gain_3").visible());

    at("comb_eq_type").setCurrentIndex(1);
    edit().SetEqType();
    EXPECT_EQ(band(0, 3).type, 1);
    EXPECT_FLOAT_EQ(band(0, 3).eqGain, 0.0f);
    EXPECT_EQ(at("eq_gain_3").text(), "0.0");
    EXPECT_EQ(at("eq_slider_3").value(), 0);
    EXPECT_FALSE(at("eq_gain_3").visible());
    EXPECT_FALSE(at("eq_slider_3").visible());
    EXPECT_EQ(band(1, 3), band(0, 3));
    for (int o : {0, 1}) {
        const auto state = played(o);
        EXPECT_EQ(sim::bandType(state.bands[3]), 1);
        EXPECT_NEAR(sim::bandGainDb(state.bands[3]), 0.0, 1e-6);
    }

    // A drag on the curve cannot give it a gain either.
    CurveDrag drag;
    drag.band = {5.0f, band(0, 3).eqFactor, 400, 1, 1};
    edit().EqualizerCallback(3, 0, true, drag);
    EXPECT_EQ(band(0, 3).freq, 400);
    EXPECT_FLOAT_EQ(band(0, 3).eqGain, 0.0f);

    at("comb_eq_type").setCurrentIndex(0);
    edit().SetEqType();
    EXPECT_TRUE(at("eq_gain_3").visible());
    EXPECT_TRUE(at("eq_slider_3").visible());
}

TEST_F(EditBands, EnableSwitchesTheBandOffAndBackWithItsStoredGain)
{
    ch(0).bypass = 0;
    band(0, 3).eqGain = 3.0f;
    live().bridgeOutputs[0] = 1;
    band(1, 3) = band(0, 3);
    edit().ShowBands();

    edit().OnEqEnable(3);
    EXPECT_EQ(band(0, 3).enable, 0);
    EXPECT_FLOAT_EQ(band(0, 3).eqGain, 3.0f);
    EXPECT_FLOAT_EQ(band(1, 3).eqGain, 0.0f);
    EXPECT_EQ(at("eq_gain_3").text(), "0.0");
    EXPECT_EQ(at("eq_slider_3").value(), 0);
    EXPECT_EQ(at("btn_bypass").text(), "${restore_eq}");
    EXPECT_NEAR(sim::bandGainDb(played(0).bands[3]), 0.0, 1e-6);

    edit().OnEqEnable(3);
    EXPECT_EQ(band(0, 3).enable, 1);
    EXPECT_EQ(at("eq_gain_3").text(), "3.0");
    EXPECT_EQ(at("eq_slider_3").value(), 30);
    EXPECT_EQ(at("btn_bypass").text(), "${bypass_eq}");
    EXPECT_NEAR(sim::bandGainDb(played(0).bands[3]), 3.0, 1e-6);
}

TEST_F(EditBands, CurveDragSendsAboutTwoBandsPerSecondAndTheReleasePoint)
{
    clearReceived();
    CurveDrag drag;
    drag.band = {0.0f, 2.0f, 1000, 1, 0};
    // Two seconds of drag, a move every 20 ms, up to +5 dB.
    for (int i = 1; i <= 100; ++i) {
        drag.band.gain = 0.05f * static_cast<float>(i);
        edit().EqualizerCallback(6, 0, false, drag);
        host.advance(20);
    }
    settle();
    const std::size_t duringDrag = received(DSP_EQ_CH).size();
    EXPECT_GE(duringDrag, 3u);
    EXPECT_LE(duringDrag, 5u);
    EXPECT_EQ(manager->mEqIndex, 6);

    edit().EqualizerCallback(6, 0, true, drag);  // released where the last move left it
    const auto state = played(0);
    EXPECT_EQ(received(DSP_EQ_CH).size(), duringDrag + 1);
    EXPECT_NEAR(sim::bandGainDb(state.bands[6]), 5.0, 1e-6);
    EXPECT_NEAR(sim::bandQ(state.bands[6]), 2.0, 1e-6);
    EXPECT_EQ(sim::bandFrequency(state.bands[6]), 1000);
}

TEST_F(EditBands, CrossoverHandleDragIsThrottledAndKeepsItsSide)
{
    ch(0).crossover.lp.fs = 5000;
    clearReceived();
    CurveDrag drag;
    drag.lpFreq = 5000;
    for (int i = 1; i <= 50; ++i) {
        drag.hpFreq = 100 + 10 * i;
        edit().EqualizerCallback(0, 1, false, drag);
        host.advance(20);
    }
    settle();
    const std::size_t duringDrag = received(DSP_FILTER_SET).size();
    EXPECT_GE(duringDrag, 1u);
    EXPECT_LE(duringDrag, 3u);
    edit().EqualizerCallback(0, 1, true, drag);
    EXPECT_EQ(hpFrequency(played(0)), 600);
    EXPECT_EQ(received(DSP_FILTER_SET).size(), duringDrag + 1);
    EXPECT_EQ(at("hp_freq").text(), "600Hz");
}

TEST_F(EditBands, CrossoverFrequencyKeepsEachSectionOnItsSide)
{
    live().syncGroup[0] = live().syncGroup[7] = 3;
    ch(0).crossover.hp.fs = 80;
    ch(0).crossover.lp.fs = 5000;
    const struct {
        FilterSide side;
        const char* typed;
        int hp;
        int lp;
    } cases[] = {
        {FilterSide::HighPass, "8k", 5000, 5000},  // above the low-pass: held at it
        {FilterSide::LowPass, "12k5", 5000, 12500},
        {FilterSide::LowPass, "1k", 5000, 5000},   // below the high-pass: held at it
        {FilterSide::HighPass, "10", 20, 5000},    // below the range
    };
    for (const auto& c : cases) {
        at(c.side == FilterSide::HighPass ? "hp_freq" : "lp_freq").setText(c.typed);
        edit().SetFreqDivider(c.side);
        EXPECT_EQ(ch(0).crossover.hp.fs, c.hp) << c.typed;
        EXPECT_EQ(ch(0).crossover.lp.fs, c.lp) << c.typed;
    }
    EXPECT_EQ(at("hp_freq").text(), "20Hz");
    // A group member in the other half follows crossover changes.
    EXPECT_EQ(ch(7).crossover.lp.fs, 5000);
    EXPECT_EQ(hpFrequency(played(7)), 20);
    EXPECT_EQ(lpFrequency(played(0)), 5000);
}

TEST_F(EditBands, CrossoverTypeTwoTakesOnlyEvenSlopes)
{
    ch(0).crossover.hp.slope = 3;
    ch(0).crossover.hp.type = 1;
    at("hp_type").setCurrentIndex(2);
    edit().SetFilterType(FilterSide::HighPass);
    EXPECT_EQ(ch(0).crossover.hp.type, 2);
    EXPECT_EQ(ch(0).crossover.hp.slope, 4);
    EXPECT_EQ(at("hp_slop").currentIndex(), 4);
    for (int item : {1, 3, 5, 7})
        EXPECT_FALSE(at("hp_slop").itemVisible(item));
    EXPECT_EQ(played(0).filter[3], 4);

    at("hp_type").setCurrentIndex(1);
    edit().SetFilterType(FilterSide::HighPass);
    EXPECT_TRUE(at("hp_slop").itemVisible(3));

    clearReceived();
    edit().SetFilterType(FilterSide::HighPass);  // the same type again: nothing
    settle();
    EXPECT_TRUE(received(DSP_FILTER_SET).empty());
}

} // namespace
} // namespace dravo::test
