#include "edit_Fixture.h"

#include <algorithm>

namespace dravo::test {
namespace {

class EditLevel : public EditFixture {
protected:
    void slide(int c, int tenths)
    {
        at("slider_ch_volume_%d", c).setValue(tenths);
        edit().SetChVolumeSlider(c);
    }
};

TEST_F(EditLevel, SliderShowsTheBoxAndSendsTheAttenuation)
{
    const struct {
        int tenths;
        const char* text;
        double level;
    } cases[] = {{-123, "-6.0dB", -12.3}, {-600, "${off}", -60.0}, {0, "6.0dB", 0.0}, {-35, "2.5dB", -3.5}};
    for (const auto& c : cases) {
        host.advance(1000);  // each move its own, outside the throttle
        slide(2, c.tenths);
        EXPECT_EQ(at("edit_ch_volume_2").text(), c.text);
        EXPECT_FLOAT_EQ(ch(2).gain, static_cast<float>(c.level));
        EXPECT_NEAR(sim::trimLevelDb(played(2)), c.level, 1e-6) << c.tenths;
    }
}

TEST_F(EditLevel, TypedLevelIsShownMinusSixAndClamped)
{
    const struct {
        const char* typed;
        float gain;
        const char* shown;
    } cases[] = {
        {"${off}", -60.0f, "${off}"}, {"3", -3.0f, "3.0dB"}, {"99", 0.0f, "6.0dB"},
        {"-80", -60.0f, "${off}"},    {"loud", -60.0f, "${off}"},  // not a number: the level stays
    };
    for (const auto& c : cases) {
        at("edit_ch_volume_5").setText(c.typed);
        edit().SetChVolumeEdit(5);
        EXPECT_FLOAT_EQ(ch(5).gain, c.gain) << c.typed;
        EXPECT_EQ(at("edit_ch_volume_5").text(), c.shown) << c.typed;
    }
    EXPECT_NEAR(sim::trimLevelDb(played(5)), -60.0, 1e-6);
}

TEST_F(EditLevel, LinkPartnerMovesByTheSameAmountFromItsOwnLevel)
{
    live().linkMode = 1;
    live().linkOutputs[0] = 1;
    live().linkOutputs[1] = 0;
    ch(0).gain = -3.0f;
    ch(1).gain = -10.0f;
    slide(0, -15);  // +1.5 dB
    EXPECT_FLOAT_EQ(ch(1).gain, -8.5f);
    EXPECT_EQ(at("edit_ch_volume_1").text(), "-2.5dB");
    EXPECT_NEAR(sim::trimLevelDb(played(1)), -8.5, 1e-6);
}

TEST_F(EditLevel, GroupMembersFollowAndTakeTheirBridgedPairAlong)
{
    live().syncGroup[0] = 1;
    live().syncGroup[6] = 1;
    live().syncGroup[9] = 1;
    live().bridgeOutputs[3] = 1;  // outputs 6 and 7
    ch(6).gain = -20.0f;
    ch(7).gain = -40.0f;
    ch(9).gain = -1.0f;
    slide(0, -580);  // 0 → -58 dB: every member 58 dB down from its own level
    EXPECT_FLOAT_EQ(ch(6).gain, -60.0f);
    EXPECT_FLOAT_EQ(ch(7).gain, -60.0f);  // the member's new value, not its own step
    EXPECT_FLOAT_EQ(ch(9).gain, -59.0f);
    clearReceived();

    slide(0, -600);  // within 200 ms of the last level request: held back
    EXPECT_TRUE(trimmedOutputs().empty());
    host.advance(100);
    std::vector<int> outputs = trimmedOutputs();
    std::sort(outputs.begin(), outputs.end());
    EXPECT_EQ(outputs, (std::vector<int>{0, 6, 7, 9}));
    EXPECT_FLOAT_EQ(ch(9).gain, -60.0f);  // held at the bottom of the range
}

TEST_F(EditLevel, AMutedOutputIsUnmutedWhenItsLevelGoesOut)
{
    edit().ApplyMute(4, 1, true);
    ASSERT_EQ(played(4).mute, 1);
    slide(4, -100);
    EXPECT_EQ(ch(4).mute, 0);
    EXPECT_FALSE(at("ch_mute_4").checked());
    EXPECT_EQ(played(4).mute, 0);
}

TEST_F(EditLevel, DraggingSendsAboutOneLevelPer200MsAndTheFinalValueAfterIt)
{
    clearReceived();
    // One second of drag, a move every 20 ms, from 0 down to -25 dB.
    for (int i = 0; i <= 50; ++i) {
        slide(0, -5 * i);
        host.advance(20);
    }
    const std::size_t duringDrag = trimmedOutputs().size();
    EXPECT_GE(duringDrag, 4u);
    EXPECT_LE(duringDrag, 6u);
    EXPECT_NE(sim::trimLevelDb(played(0)), -25.0);

    host.advance(100);  // the trailing send
    EXPECT_EQ(trimmedOutputs().size(), duringDrag + 1);
    EXPECT_NEAR(sim::trimLevelDb(played(0)), -25.0, 1e-6);
    host.advance(1000);
    EXPECT_EQ(trimmedOutputs().size(), duringDrag + 1);  // nothing left pending
}

TEST_F(EditLevel, AHeldBackLevelIsNotLostWhenAnotherOutputChanges)
{
    slide(3, -100);
    slide(3, -150);  // held back for the trailing send
    at("edit_ch_volume_5").setText("0");
    edit().SetChVolumeEdit(5);  // typed: sent at once
    EXPECT_NEAR(sim::trimLevelDb(played(3)), -15.0, 1e-6);
    EXPECT_NEAR(sim::trimLevelDb(played(5)), -6.0, 1e-6);
}

TEST_F(EditLevel, SoloIsExclusiveExceptForThePartner)
{
    live().bridgeOutputs[1] = 1;  // outputs 2 and 3
    using Flags = std::array<int, 12>;
    const struct {
        int value;
        Flags before;
        Flags after;
    } cases[] = {
        {1, {1, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0}, {0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0}},
        {0, {1, 0, 1, 1, 0, 0, 0, 0, 0, 1, 0, 0}, {1, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0}},
    };
    for (const auto& c : cases) {
        for (int i = 0; i < 12; ++i)
            ch(i).solo = c.before[static_cast<std::size_t>(i)];
        clearReceived();
        at("ch_solo_3").setChecked(c.value == 1);
        edit().SetChSolo(3);
        EXPECT_EQ(live().soloChannel, 3);
        Flags now{};
        for (int i = 0; i < 12; ++i) {
            now[static_cast<std::size_t>(i)] = ch(i).solo;
            EXPECT_EQ(at("ch_solo_%d", i).checked(), ch(i).solo == 1);
        }
        EXPECT_EQ(now, c.after);
        settle();
        const auto solos = received(DSP_CH_SOLO);
        ASSERT_EQ(solos.size(), 1u);
        const std::vector<std::uint8_t> wire(c.after.begin(), c.after.end());
        EXPECT_EQ(std::vector<std::uint8_t>(solos[0].data.begin() + 4, solos[0].data.end()), wire);
    }
}

TEST_F(EditLevel, MuteTakesTheBridgedPairAndTheGroupOnlyWhenAskedNeverTheLinkPartner)
{
    live().bridgeOutputs[0] = 1;  // outputs 0 and 1
    live().linkMode = 1;
    live().linkOutputs[0] = 5;
    live().syncGroup[0] = live().syncGroup[5] = live().syncGroup[8] = 2;
    const struct {
        bool linkMute;
        std::vector<int> muted;
    } cases[] = {{false, {0, 1}}, {true, {0, 1, 8}}};
    for (const auto& c : cases) {
        for (int i = 0; i < 12; ++i)
            ch(i).mute = 0;
        manager->mLinkMute = c.linkMute;
        at("ch_mute_0").setChecked(true);
        edit().SetChMute(0);
        std::vector<int> muted;
        for (int i = 0; i < 12; ++i)
            if (ch(i).mute == 1)
                muted.push_back(i);
        EXPECT_EQ(muted, c.muted);
        for (int o : c.muted) {
            EXPECT_TRUE(at("ch_mute_%d", o).checked());
            EXPECT_EQ(played(o).mute, 1);
        }
    }
}

TEST_F(EditLevel, PhaseShowsItsTextAndTakesTheBridgedPair)
{
    live().bridgeOutputs[2] = 1;  // outputs 4 and 5
    at("ch_phase_5").setChecked(true);
    edit().SetChPhase(5);
    for (int o : {4, 5}) {
        EXPECT_EQ(ch(o).phase, 1);
        EXPECT_EQ(at("ch_phase_%d", o).text(), "${reverse phase}");
        EXPECT_EQ(played(o).phase, 1);
    }
    edit().ApplyPhase(4, 0, false);
    EXPECT_EQ(at("ch_phase_5").text(), "${positive_phase}");
    EXPECT_EQ(played(5).phase, 1);  // not sent
}

} // namespace
} // namespace dravo::test
