#include "intake_Fixture.h"

#include "CommandCodes.h"
#include "SenceCurve.h"

namespace dravo::test {
namespace {

class ViewRefresh : public IntakeFixture {
protected:
    const MemoryEqualizerView& display() { return page.equalizerView(); }

    bool curveMatches(int c, bool flat)
    {
        ChannelCurve expected;
        computeChannelCurve(live(), c, flat, expected);
        return manager->curve(c).magnitude == expected.magnitude;
    }
};

TEST_F(ViewRefresh, DisplayGetsTheSelectedOutputsBands)
{
    SenceConfig& s = live();
    s.currOutChannel = 2;
    s.channels[2].eqSize = 5;
    s.channels[2].bypass = 0;
    s.bands[2][0].eqGain = 3.0f;
    s.bands[2][1] = {4.0f, 2.0f, 900, 0, 1}; // disabled: drawn flat
    s.channels[2].crossover.hp.fs = 120;
    s.channels[2].crossover.lp.fs = 9000;
    s.showOutChEqualizer = {0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 1};

    manager->intake().UpdateEqualizer(1);
    ASSERT_EQ(display().mBands.size(), 5u);
    EXPECT_FLOAT_EQ(display().mBands[0].gain, 3.0f);
    EXPECT_FLOAT_EQ(display().mBands[1].gain, 0.0f);
    EXPECT_EQ(display().mBands[1].freq, 900);
    EXPECT_FLOAT_EQ(display().mBands[1].q, 2.0f);
    EXPECT_EQ(display().mBands[1].enable, 0);
    EXPECT_EQ(display().mBands[1].type, 1);
    EXPECT_FALSE(display().mAllBypassed);
    EXPECT_EQ(display().mSelectedBand, 1);
    EXPECT_EQ(display().mHp, 120);
    EXPECT_EQ(display().mLp, 9000);
    EXPECT_EQ(display().mShown, s.showOutChEqualizer);
    EXPECT_EQ(display().mSelectedOutput, 2);
    EXPECT_EQ(display().mCurves[5].magnitude, manager->curve(5).magnitude.data());
    EXPECT_TRUE(page.at("comb_eq_type").enabled());
    EXPECT_EQ(page.at("comb_eq_type").currentIndex(), 1);

    s.channels[2].bypass = 1;
    manager->intake().UpdateEqualizer(-1);
    EXPECT_FLOAT_EQ(display().mBands[0].gain, 0.0f);
    EXPECT_TRUE(display().mAllBypassed);
    EXPECT_EQ(display().mSelectedBand, -1);
    EXPECT_FALSE(page.at("comb_eq_type").enabled());

    // A band beyond the output's count is no band.
    manager->intake().UpdateEqualizer(5);
    EXPECT_FALSE(page.at("comb_eq_type").enabled());

    // A count beyond the band row draws the row.
    s.channels[2].eqSize = 200;
    manager->intake().UpdateEqualizer(-1);
    EXPECT_EQ(display().mBands.size(), 31u);
}

TEST_F(ViewRefresh, CurvesOfTheSelectedOutputAndItsSameHalfFollowers)
{
    SenceConfig& s = live();
    s.currOutChannel = 2;
    s.bridgeOutputs[1] = 1;               // partner 3
    s.syncGroup = {0, 0, 1, 0, 1, 0, 0, 0, 0, 1, 0, 0}; // 4 in the same half, 9 not
    for (const int c : {2, 3, 4, 9}) {
        s.channels[static_cast<std::size_t>(c)].bypass = 0;
        s.bands[static_cast<std::size_t>(c)][10].eqGain = 9.0f;
    }
    s.channels[4].bypass = 1; // drawn flat all the same

    manager->intake().UpdateEqualizer(-1);
    EXPECT_TRUE(curveMatches(2, false));
    EXPECT_TRUE(curveMatches(3, false));
    EXPECT_TRUE(curveMatches(4, true));
    EXPECT_FALSE(curveMatches(9, false)); // left for its own edits
}

TEST_F(ViewRefresh, WithoutADisplayOnlyTheComboChanges)
{
    const int updates = display().mUpdates;
    page.setHasEqualizer(false);
    manager->intake().UpdateEqualizer(0);
    EXPECT_EQ(display().mUpdates, updates);
    EXPECT_TRUE(page.at("comb_eq_type").enabled());
}

TEST_F(ViewRefresh, WholePageFromARecord)
{
    openDirectly();
    SenceConfig& s = live();
    s.source = 3;
    s.mainVolume = 20;
    s.mainVolumeMute = 1;
    s.ampOn = 0;
    s.peqMode = 1;
    s.lockMode = 1;
    s.linkOutputs.fill(4);
    s.bridgeOutputs = {0, 1, 0, 0, 0, 0};
    s.currOutChannel = 4;
    s.channels[2].gain = -12.0f;
    s.channels[2].mute = 1;
    s.channels[2].phase = 1;
    s.channels[2].delay = 2.5f;
    s.channels[4].bypass = 0;
    s.bands[4][3].eqGain = 5.0f;
    s.inputs[3][7] = 0b10;

    manager->intake().SetReadProfileToView();
    settle();

    // Amplifier-wide values.
    EXPECT_EQ(page.at("btn_input_source").currentIndex(), 3);
    EXPECT_EQ(page.at("slider_main_volume").value(), 20);
    EXPECT_TRUE(page.at("main_mute").checked());
    EXPECT_EQ(page.at("btn_amp_onoff").text(), "${amp_off}");
    EXPECT_TRUE(page.at("btn_arg_eq").checked());
    EXPECT_TRUE(display().mParametric);
    // One output's controls.
    EXPECT_EQ(page.at("edit_ch_volume_2").text(), "-6.0dB");
    EXPECT_EQ(page.at("slider_ch_volume_2").value(), -120);
    EXPECT_TRUE(page.at("ch_mute_2").checked());
    EXPECT_EQ(page.at("ch_phase_2").text(), "${reverse phase}");
    EXPECT_EQ(page.at("edit_ch_delay_2").text(), "2.500 ms");
    EXPECT_TRUE(page.at("option_ch_in2_7").checked());
    EXPECT_FALSE(page.at("option_ch_in1_7").checked());
    EXPECT_EQ(page.at("ch_output_btn_0").text(), "${tweeter}");
    // Link off, lock on.
    EXPECT_FALSE(page.at("btn_link_output").checked());
    EXPECT_TRUE(page.at("btn_lock_output").checked());
    EXPECT_FALSE(page.at("ch_output_btn_6").enabled());
    EXPECT_FALSE(page.at("ch_synchronize_6").enabled());
    EXPECT_EQ(s.linkOutputs[0], -1);
    // The selected output's bands, on the page and on the display.
    EXPECT_EQ(page.at("eq_gain_3").text(), "5.0");
    EXPECT_EQ(display().mSelectedOutput, 4);
    EXPECT_FLOAT_EQ(display().mBands[3].gain, 5.0f);
    EXPECT_EQ(display().mSelectedBand, -1);
    EXPECT_TRUE(curveMatches(4, false));
    // Bridge flags go back once; the mute, solo and phase rules send theirs.
    ASSERT_EQ(received(DSP_OUPUT_BRIDGE).size(), 1u);
    EXPECT_EQ(received(DSP_OUPUT_BRIDGE)[0].data, (std::vector<std::uint8_t>{0, 0, 6, 0, 1, 0, 0, 0, 0}));
    EXPECT_FALSE(received(DSP_MUTE_CH).empty());
    EXPECT_FALSE(received(DSP_PHASE_CH).empty());
    EXPECT_FALSE(received(DSP_CH_SOLO).empty());
}

TEST_F(ViewRefresh, LinkedRecordLocksThePage)
{
    SenceConfig& s = live();
    s.linkMode = 1;
    s.lockMode = 0;
    manager->intake().SetReadProfileToView();
    EXPECT_EQ(s.lockMode, 1);
    EXPECT_TRUE(page.at("btn_link_output").checked());
    EXPECT_TRUE(page.at("btn_lock_output").checked());
    EXPECT_FALSE(page.at("ch_output_btn_0").enabled());
    EXPECT_FALSE(page.at("ch_synchronize_0").enabled());
    EXPECT_EQ(s.linkOutputs[0], 1);
    EXPECT_EQ(s.linkOutputs[11], 10);
}

TEST_F(ViewRefresh, WithoutTheModeButtonTheDisplayIsParametric)
{
    MemoryPage bare;
    bare.add("btn_input_source");
    EqualizerManager other(*link, host);
    other.Bind(bare, host);
    bare.equalizerView().mParametric = false;
    other.intake().SetReadProfileToView();
    EXPECT_TRUE(bare.equalizerView().mParametric);
    manager->Bind(page, host); // the fixture's manager takes the replies again
}

} // namespace
} // namespace dravo::test
