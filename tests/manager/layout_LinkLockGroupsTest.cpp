#include "layout_Fixture.h"

namespace dravo::test {
namespace {

// --- Link on the 12-channel default roles -----------------------------------

struct LinkCase {
    const char* name;
    int answer;
    std::vector<std::pair<int, int>> copies;  // (from, to) in copy order
};

class LinkCopies : public LayoutFixture, public testing::WithParamInterface<LinkCase> {};

TEST_P(LinkCopies, CopiesOneSideOfEveryPairAndSendsThePairs)
{
    const LinkCase& tc = GetParam();
    openDirectly();
    for (int c = 0; c < 12; ++c)
        live().bands[c][0].eqGain = static_cast<float>(c + 1);  // marks whose bands an output holds

    host.answer({tc.answer});
    layout().SetOutputLink();
    settle();

    ASSERT_EQ(host.asked.size(), 1u);
    EXPECT_EQ(host.asked[0].text, "${link_tips}");
    EXPECT_EQ(host.asked[0].captions, (std::vector<std::string>{"${copy_left_to_right}", "${copy_right_to_left}"}));

    std::array<float, 12> expected{};
    for (int c = 0; c < 12; ++c)
        expected[c] = static_cast<float>(c + 1);
    for (auto [from, to] : tc.copies)
        expected[to] = static_cast<float>(from + 1);
    for (int c = 0; c < 12; ++c)
        EXPECT_EQ(live().bands[c][0].eqGain, expected[c]) << "output " << c;

    EXPECT_EQ(live().linkOutputs, (std::array<int, 12>{1, 0, 3, 2, 5, 4, 7, 6, 9, 8, 11, 10}));
    EXPECT_EQ(live().linkMode, 1);
    EXPECT_EQ(live().lockMode, 1);
    EXPECT_TRUE(at("btn_link_output").checked());
    EXPECT_TRUE(at("btn_lock_output").checked());
    for (int c = 0; c < 12; ++c) {
        EXPECT_FALSE(at("ch_output_btn_%d", c).enabled());
        EXPECT_FALSE(at("delay_link_%d", c).enabled());
    }
    EXPECT_EQ(payloads(DSP_CH_LOCK), (std::vector<Bytes>{{0, 1}}));
    EXPECT_EQ(payloads(DSP_CH_LINK), (std::vector<Bytes>{linkPayload(1, tc.copies)}));
}

INSTANTIATE_TEST_SUITE_P(
    Answers, LinkCopies,
    testing::Values(LinkCase{"LeftToRight", 1, {{0, 1}, {2, 3}, {4, 5}, {6, 7}, {8, 9}, {10, 11}}},
                    LinkCase{"RightToLeft", 2, {{1, 0}, {3, 2}, {5, 4}, {7, 6}, {9, 8}, {11, 10}}}),
    [](const auto& info) { return std::string(info.param.name); });

class Link : public LayoutFixture {};

TEST_F(Link, LayoutWithoutASameHalfPairIsRefused)
{
    openDirectly();
    setRoles({{0, 1}, {6, 7}});
    at("btn_link_output").setChecked(true);  // the click has toggled it

    layout().SetOutputLink();
    settle();

    ASSERT_EQ(host.asked.size(), 1u);
    EXPECT_EQ(host.asked[0].text, "${not_linkable_tips}");
    EXPECT_EQ(live().linkMode, 0);
    EXPECT_FALSE(at("btn_link_output").checked());
    EXPECT_EQ(payloads(DSP_CH_LINK), (std::vector<Bytes>{linkPayload(0, {})}));
}

TEST_F(Link, PartnerSearchPassesOverAMirrorInTheOtherHalf)
{
    // Output 7's first mirror is output 0 (other half); output 8 is its partner.
    setRoles({{0, 7}, {7, 1}, {8, 7}});
    live().linkMode = 1;
    layout().ComputeLinkOutputs();
    EXPECT_EQ(live().linkOutputs[7], 8);
    EXPECT_EQ(live().linkOutputs[8], 7);
    EXPECT_EQ(live().linkOutputs[0], -1);
}

TEST_F(Link, SwitchingOffUnlocksAndFreesTheButtons)
{
    openDirectly();
    host.answer({1});
    layout().SetOutputLink();
    settle();
    amp->clearReceivedRequests();

    layout().SetOutputLink();
    settle();

    EXPECT_EQ(live().linkMode, 0);
    EXPECT_EQ(live().lockMode, 0);
    EXPECT_EQ(live().linkOutputs, (std::array<int, 12>{-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1}));
    EXPECT_FALSE(at("btn_link_output").checked());
    EXPECT_FALSE(at("btn_lock_output").checked());
    EXPECT_TRUE(at("ch_output_btn_3").enabled());
    EXPECT_TRUE(at("delay_link_3").enabled());
    EXPECT_EQ(payloads(DSP_CH_LOCK), (std::vector<Bytes>{{0, 0}}));
    EXPECT_EQ(payloads(DSP_CH_LINK), (std::vector<Bytes>{linkPayload(0, {})}));
}

// --- Lock --------------------------------------------------------------------

class Lock : public LayoutFixture {};

TEST_F(Lock, UnlockingWhileLinkedSwitchesTheLinkOff)
{
    openDirectly();
    host.answer({1});
    layout().SetOutputLink();
    settle();
    amp->clearReceivedRequests();
    host.asked.clear();

    host.answer({1});
    layout().SetOutpuLock();
    settle();

    ASSERT_EQ(host.asked.size(), 1u);
    EXPECT_EQ(host.asked[0].text, "${unlock_output_tips}");
    EXPECT_EQ(live().lockMode, 0);
    EXPECT_EQ(live().linkMode, 0);
    EXPECT_EQ(live().linkOutputs[0], -1);
    EXPECT_FALSE(at("btn_link_output").checked());
    EXPECT_TRUE(at("ch_output_btn_0").enabled());
    EXPECT_EQ(payloads(DSP_CH_LINK), (std::vector<Bytes>{linkPayload(0, {})}));
    EXPECT_EQ(payloads(DSP_CH_LOCK), (std::vector<Bytes>{{0, 0}}));
}

TEST_F(Lock, LockingDisablesTheRoleButtons)
{
    openDirectly();
    host.answer({1});
    layout().SetOutpuLock();
    settle();

    EXPECT_EQ(host.asked.at(0).text, "${lock_output_tips}");
    EXPECT_EQ(live().lockMode, 1);
    EXPECT_TRUE(at("btn_lock_output").checked());
    EXPECT_FALSE(at("ch_output_btn_5").enabled());
    EXPECT_EQ(payloads(DSP_CH_LOCK), (std::vector<Bytes>{{0, 1}}));
    EXPECT_TRUE(payloads(DSP_CH_LINK).empty());
}

// --- Groups ------------------------------------------------------------------

struct GroupCase {
    const char* name;
    void (LayoutRules::*choose)(int, int);
    std::array<std::int32_t, 12> SenceConfig::*groups;
};

class Groups : public LayoutFixture, public testing::WithParamInterface<GroupCase> {};

TEST_P(Groups, AnyGroupDisablesTheLinkButtonAndClearingEnablesIt)
{
    const GroupCase& tc = GetParam();
    live().bridgeOutputs[1] = 1;

    (layout().*tc.choose)(2, 4);
    EXPECT_EQ((live().*tc.groups)[2], 4);
    EXPECT_EQ((live().*tc.groups)[3], 4) << "a bridged pair shares its group";
    EXPECT_FALSE(at("btn_link_output").enabled());

    (layout().*tc.choose)(2, 0);
    EXPECT_EQ((live().*tc.groups)[3], 0);
    EXPECT_TRUE(at("btn_link_output").enabled());
}

INSTANTIATE_TEST_SUITE_P(Kinds, Groups,
                         testing::Values(GroupCase{"Synchronise", &LayoutRules::SetSyncGroup, &SenceConfig::syncGroup},
                                         GroupCase{"DelayLink", &LayoutRules::SetDelayLinkGroup,
                                                   &SenceConfig::delayLinkGroup}),
                         [](const auto& info) { return std::string(info.param.name); });

class SyncGroup : public LayoutFixture {};

TEST_F(SyncGroup, ClearingAllGroupsEnablesTheLinkButtonOnlyWhenNoDelayLinkRemains)
{
    layout().SetSyncGroup(0, 1);
    layout().SetSyncGroup(7, 2);
    layout().SetDelayLinkGroup(9, 1);
    layout().ResetSyncGroups();
    EXPECT_EQ(live().syncGroup, (std::array<int, 12>{}));
    EXPECT_FALSE(at("btn_link_output").enabled());

    layout().SetDelayLinkGroup(9, 0);
    EXPECT_TRUE(at("btn_link_output").enabled());
}

TEST_F(SyncGroup, JoiningTakesEveryLevelAtTheStepItsBoxShowsAndResendsTheCrossover)
{
    openDirectly();
    live().channels[3].gain = -12.34f;
    at("edit_ch_volume_3").setText("-6.0dB");
    live().channels[5].gain = -59.9f;
    at("edit_ch_volume_5").setText("${off}");
    live().channels[7].gain = -20.0f;
    at("edit_ch_volume_7").setText("-14.0dB");

    layout().SetSyncGroup(0, 1);
    settle();

    EXPECT_FLOAT_EQ(live().channels[3].gain, -12.0f);
    EXPECT_FLOAT_EQ(live().channels[5].gain, -60.0f);
    EXPECT_FLOAT_EQ(live().channels[7].gain, -20.0f);
    const auto filters = payloads(DSP_FILTER_SET);
    ASSERT_EQ(filters.size(), 2u);
    EXPECT_EQ(filters[0][2], 0) << "output 0";
}

} // namespace
} // namespace dravo::test
