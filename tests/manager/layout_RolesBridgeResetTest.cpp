#include "layout_Fixture.h"

#include "Crossover.h"
#include "MessageIds.h"

#include <algorithm>

namespace dravo::test {
namespace {

// --- Role menu ---------------------------------------------------------------

struct RoleCase {
    const char* name;
    int otherRole;  // held by output 5
    int chosen;     // for output 0
    bool accepted;
};

class RoleMenu : public LayoutFixture, public testing::WithParamInterface<RoleCase> {};

TEST_P(RoleMenu, AssignsOnlyWhatTheMenuOffers)
{
    const RoleCase& tc = GetParam();
    openDirectly();
    setRoles({{5, tc.otherRole}});
    EXPECT_EQ(layout().CanAssignRole(0, tc.chosen), tc.accepted);
    EXPECT_TRUE(layout().RoleInUse(tc.otherRole));
    const SenceConfig before = live();

    layout().SetOutputValue(0, tc.chosen, true);
    settle();

    if (!tc.accepted) {
        EXPECT_TRUE(live() == before);
        EXPECT_TRUE(amp->receivedRequests().empty());
        return;
    }
    EXPECT_EQ(live().outputs[0], tc.chosen);
    EXPECT_EQ(live().outputs_bk[0], tc.chosen);
    EXPECT_EQ(live().channels[0].crossover, defaultCrossoverForRole(tc.chosen));
    EXPECT_TRUE(at("spk_con_%d", tc.chosen).visible());
    EXPECT_EQ(payloads(DSP_CH_TYPE), (std::vector<Bytes>{{0, 0, 0, 0, static_cast<std::uint8_t>(tc.chosen)}}));
    const auto filters = payloads(DSP_FILTER_SET);
    ASSERT_EQ(filters.size(), 2u);
    EXPECT_EQ(filters[0][3], 1) << "low-pass first";
    EXPECT_EQ(filters[1][3], 2);
}

INSTANTIATE_TEST_SUITE_P(Roles, RoleMenu,
                         testing::Values(RoleCase{"WooferBesideFullRange", 6, 3, false},
                                         RoleCase{"RightSubBesideLeftSub", 22, 23, true},
                                         RoleCase{"MonoSubBesideLeftSub", 22, 24, false},
                                         RoleCase{"OtherGroup", 6, 9, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(LayoutFixture, MenuRoleOnABridgedOutputReachesItsPairWithItsOwnRole)
{
    setRoles({});
    live().bridgeOutputs[1] = 1;
    live().channels[3].crossover.hp.setFrequency(1234);

    layout().SetOutputValue(3, 5, true);

    EXPECT_EQ(live().outputs[2], 5);
    EXPECT_EQ(live().outputs_bk[2], 5);
    EXPECT_EQ(live().outputs[3], 5);
    EXPECT_EQ(live().channels[3].crossover, defaultCrossoverForRole(5));
    EXPECT_EQ(at("ch_output_btn_2").text(), "${midrange_woofer}");
}

// --- Bridge ------------------------------------------------------------------

class Bridge : public LayoutFixture {
protected:
    // Output 0 gets settings that differ from output 1's everywhere.
    void shapeOutputZero()
    {
        SenceConfig& s = live();
        s.bands[0][3] = {4.5f, 2.0f, 900, 1, 0};
        s.bands[0][4].type = 2;
        s.channels[0].crossover.hp.setFrequency(1000);
        s.channels[0].crossover.hp.setSlope(3);
        s.channels[0].crossover.lp.setType(3);
        s.channels[0].bypass = 0;
        s.channels[0].delay = 2.5f;
        s.channels[0].gain = -7.5f;
        s.channels[0].phase = 1;
        s.channels[0].mute = 1;
        s.channels[0].solo = 1;
        s.syncGroup[0] = 2;
        s.inputs[5][0] = 0x81;
        s.inputMixVolume[5][7][0] = 33;
        s.inputMixVolume[5][1][1] = 50;
    }
};

TEST_F(Bridge, BridgingMakesTheSecondOutputACopyOfTheFirst)
{
    openDirectly();
    shapeOutputZero();

    layout().SetBridge(0, true, true);
    settle();

    const SenceConfig& s = live();
    for (int b = 0; b < 31; ++b)
        EXPECT_EQ(s.bands[1][b], s.bands[0][b]) << "band " << b;
    EXPECT_EQ(s.channels[1].crossover.hp, s.channels[0].crossover.hp);
    EXPECT_EQ(s.channels[1].crossover.lp, s.channels[0].crossover.lp);
    EXPECT_EQ(s.channels[1].bypass, 0);
    EXPECT_FLOAT_EQ(s.channels[1].delay, 2.5f);
    EXPECT_FLOAT_EQ(s.channels[1].gain, -7.5f);
    for (int source = 0; source < 9; ++source) {
        EXPECT_EQ(s.inputs[source][1], s.inputs[source][0]);
        for (int input = 0; input < 8; ++input)
            EXPECT_EQ(s.inputMixVolume[source][input][1], s.inputMixVolume[source][input][0]);
    }
    EXPECT_EQ(s.outputs[1], 1);
    EXPECT_EQ(s.outputs_bk[1], 7) << "its own role is kept for the un-bridge";
    EXPECT_EQ(s.syncGroup[1], 2);
    EXPECT_EQ(s.channels[1].phase, 1);
    EXPECT_EQ(s.channels[1].mute, 1);
    EXPECT_EQ(s.channels[1].solo, 1);

    EXPECT_TRUE(at("ch_bridge_0").checked());
    EXPECT_EQ(at("bridge_hl_0").image(), "ch_in_selected.png");
    EXPECT_EQ(payloads(DSP_OUPUT_BRIDGE).at(0), (Bytes{0, 0, 6, 1, 0, 0, 0, 0, 0}));
    EXPECT_EQ(host.workers, (std::vector<std::string>{"set bridge thread"}));
    EXPECT_EQ(host.unhandled, (std::vector<std::uint32_t>{WM_SHOW_LOADING, WM_HIDE_LOADING}));
}

TEST_F(Bridge, UnbridgingReturnsTheSavedRole)
{
    openDirectly();
    shapeOutputZero();
    layout().SetBridge(0, true, true);
    settle();
    amp->clearReceivedRequests();

    layout().SetBridge(0, false, true);
    settle();

    EXPECT_EQ(live().outputs[1], 7);
    EXPECT_EQ(live().channels[1].crossover, defaultCrossoverForRole(7));
    EXPECT_FALSE(at("bridge_checkbox_0").checked());
    EXPECT_EQ(at("bridge_hl_0").image(), "ch_in_type_normal.png");
    EXPECT_EQ(payloads(DSP_OUPUT_BRIDGE), (std::vector<Bytes>{{0, 0, 6, 0, 0, 0, 0, 0, 0}}));
    EXPECT_EQ(payloads(DSP_CH_TYPE), (std::vector<Bytes>{{0, 0, 1, 1, 7}}));
}

TEST_F(Bridge, AFlagFromTheDeviceCopiesNothing)
{
    openDirectly();
    shapeOutputZero();

    layout().SetBridge(2, true, false);
    settle();

    EXPECT_EQ(live().bridgeOutputs[2], 1);
    EXPECT_TRUE(at("ch_bridge_2").checked());
    EXPECT_EQ(live().outputs[5], 9);
    EXPECT_TRUE(host.workers.empty());
    EXPECT_EQ(payloads(DSP_OUPUT_BRIDGE), (std::vector<Bytes>{{0, 0, 6, 0, 0, 1, 0, 0, 0}}));
    EXPECT_TRUE(payloads(DSP_CH_TYPE).empty());
}

// --- Output reset ------------------------------------------------------------

struct ResetCase {
    const char* name;
    int answer;
    std::array<int, 12> roles;  // afterwards; output 11 is bridged to output 10
};

class OutputReset : public LayoutFixture, public testing::WithParamInterface<ResetCase> {};

TEST_P(OutputReset, GivesEveryOutputTheChosenRoleAndClearsLinkLockAndGroups)
{
    const ResetCase& tc = GetParam();
    openDirectly();
    SenceConfig& s = live();
    setRoles({{0, 6}, {1, 12}});
    s.linkMode = 1;
    s.lockMode = 1;
    s.syncGroup[4] = 3;
    s.delayLinkGroup[4] = 2;
    s.currOutChannel = 7;
    s.bridgeOutputs[5] = 1;
    for (auto& channel : s.channels)
        channel.crossover.hp.setFrequency(777);

    host.answer({tc.answer});
    layout().SetOutputReset();
    settle();

    EXPECT_EQ(host.asked.at(0).captions, (std::vector<std::string>{"${default}", "${cancel}", "${emptied}"}));
    EXPECT_EQ(s.outputs, tc.roles);
    for (int c = 0; c < 12; ++c)
        EXPECT_EQ(s.channels[c].crossover, defaultCrossoverForRole(tc.roles[c])) << "output " << c;
    EXPECT_EQ(s.lockMode, 0);
    EXPECT_EQ(s.linkMode, 0);
    EXPECT_EQ(s.syncGroup, (std::array<int, 12>{}));
    EXPECT_EQ(s.delayLinkGroup[4], 2) << "delay-link groups stay";
    EXPECT_EQ(s.currOutChannel, 0);
    EXPECT_EQ(host.workers, (std::vector<std::string>{"reset output thread"}));
    EXPECT_EQ(host.unhandled, (std::vector<std::uint32_t>{WM_SHOW_LOADING, WM_HIDE_LOADING}));
    EXPECT_EQ(payloads(DSP_CH_LOCK), (std::vector<Bytes>{{0, 0}}));
    EXPECT_EQ(payloads(DSP_CH_LINK), (std::vector<Bytes>{linkPayload(0, {})}));
    // Every output's role went out; the last word on output 11 is its bridge partner's.
    const auto types = payloads(DSP_CH_TYPE);
    ASSERT_GE(types.size(), 12u);
    EXPECT_EQ(types.back(), (Bytes{0, 0, 11, 11, static_cast<std::uint8_t>(tc.roles[11])}));
}

INSTANTIATE_TEST_SUITE_P(Answers, OutputReset,
                         testing::Values(ResetCase{"Emptied", 2, {}},
                                         ResetCase{"Default", 1, {1, 7, 2, 8, 3, 9, 13, 16, 14, 17, 22, 22}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(LayoutFixture, DefaultResetKeepsTheBridgedOutputsOwnRole)
{
    live().bridgeOutputs[5] = 1;
    host.answer({1});
    layout().SetOutputReset();
    EXPECT_EQ(live().outputs_bk[11], 23);
}

// --- Selecting an output -----------------------------------------------------

TEST_F(LayoutFixture, SelectingAnOutputMarksItAndItsPartner)
{
    live().bridgeOutputs[2] = 1;  // outputs 4 and 5, roles 3 and 9
    layout().ShowRolesAndMarkers();
    EXPECT_TRUE(at("speaker_%d", 1).visible());

    layout().SetCurChannelChange(4);

    EXPECT_EQ(live().currOutChannel, 4);
    EXPECT_EQ(at("ch_title").text(), "CH5");
    for (int c = 0; c < 12; ++c) {
        EXPECT_EQ(at("ch_enable_%d", c).selected(), c == 4 || c == 5) << "output " << c;
        EXPECT_EQ(at("ch_border_top_%d", c).visible(), c == 4);
    }
    for (int r = 1; r <= 24; ++r)
        EXPECT_EQ(at("speaker_%d", r).visible(), r == 3 || r == 9) << "marker " << r;
}

TEST_F(LayoutFixture, FocusingAMarkerSelectsTheOutputWithThatRole)
{
    layout().SetSpeakerFocus(16);  // rear right tweeter: output 7
    EXPECT_EQ(live().currOutChannel, 7);
    EXPECT_TRUE(at("speaker_%d", 16).selected());
    EXPECT_FALSE(at("speaker_%d", 13).selected());

    layout().OnSpeakerClicked(22);
    EXPECT_EQ(live().currOutChannel, 10);
    EXPECT_EQ(at("spk_delay_%d", 22).focusCount(), 1);
}

} // namespace
} // namespace dravo::test
