#include "SenceConfig.h"
#include "SpeakerRoles.h"

#include <gtest/gtest.h>

#include <vector>

using namespace dravo;

namespace {

SenceConfig withRoles(const std::vector<std::pair<int, int>>& outputRoles)
{
    SenceConfig s;
    s.outputs.fill(0);
    for (auto [output, role] : outputRoles)
        s.outputs[output] = role;
    return s;
}

TEST(SpeakerRoles, TableRowsMatchTheirCodesAndMirrorsPair)
{
    for (int r = 0; r < kRoleCount; ++r) {
        EXPECT_EQ(kSpeakerRoles[r].code, r);
        const int m = mirrorRole(r);
        if (m != kNoMirror) {
            EXPECT_EQ(mirrorRole(m), r) << r;
        }
    }
    EXPECT_EQ(mirrorRole(1), 7);
    EXPECT_EQ(mirrorRole(15), 18);
    EXPECT_EQ(mirrorRole(22), 23);
    EXPECT_EQ(mirrorRole(0), kNoMirror);
    EXPECT_EQ(mirrorRole(20), kNoMirror);
    EXPECT_EQ(mirrorRole(24), kNoMirror);
    EXPECT_EQ(mirrorRole(25), kNoMirror);
    EXPECT_EQ(mirrorRole(-1), kNoMirror);
}

TEST(SpeakerRoles, MenuLabelsOfRolesAndHeadings)
{
    struct Case {
        const char* item;
        const char* shortLabel;
        const char* longLabel;
    };
    const Case cases[] = {
        {"output_item_empty", "${empty}", "${empty}"},
        {"output_menu_front_left_mid_high_freq", "${midrange_tweeter}", "${front_left_mid_twee}"},
        {"output_menu_rear_right_all_freq", "${full}", "${rear_right_full}"},
        {"output_menu_subwoof_low", "${woofer}", "${subwoofer_freq}"},
        {"output_menu_center", "${center}", "${center}"},
        {"output_menu_rear_left", "${left}", "${left}"},
    };
    for (const Case& c : cases) {
        const auto labels = menuItemLabels(c.item);
        ASSERT_TRUE(labels.has_value()) << c.item;
        EXPECT_EQ(labels->shortLabel, c.shortLabel);
        EXPECT_EQ(labels->longLabel, c.longLabel);
    }
    EXPECT_FALSE(menuItemLabels("output_menu_nowhere").has_value());
    EXPECT_FALSE(menuItemLabels("").has_value());
}

TEST(RoleRules, LinkableLayouts)
{
    struct Case {
        const char* name;
        std::vector<std::pair<int, int>> roles;
        bool linkable;
    };
    const Case cases[] = {
        {"tweeter pair in the first half", {{0, 1}, {1, 7}}, true},
        {"pair split across the halves", {{0, 1}, {6, 7}}, false},
        {"pair in the second half", {{6, 13}, {9, 16}}, true},
        {"two pairs, both split", {{0, 1}, {6, 7}, {1, 16}, {7, 13}}, false},
        {"a split pair and a whole one", {{0, 1}, {6, 7}, {7, 13}, {8, 16}}, true},
        {"roles without mirrors", {{0, 19}, {1, 20}, {2, 24}}, false},
        {"nothing assigned", {}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(withRoles(c.roles).isLinkable(), c.linkable) << c.name;
    EXPECT_TRUE(SenceConfig().isLinkable());
}

TEST(RoleRules, AssignmentWithinASpeakerGroup)
{
    struct Case {
        const char* name;
        std::vector<std::pair<int, int>> roles;
        int role;
        int output;
        bool accepted;
    };
    const Case cases[] = {
        {"woofer beside a full-range speaker", {{0, 6}}, 3, 1, false},
        {"tweeter beside a woofer", {{0, 3}}, 1, 1, true},
        {"mid-tweeter beside a midrange", {{0, 2}}, 4, 1, false},
        {"right subwoofer beside the left one", {{0, 22}}, 23, 1, true},
        {"mono subwoofer beside the left one", {{0, 22}}, 24, 1, false},
        {"other group does not count", {{0, 12}}, 3, 1, true},
        {"the output's own role does not count", {{1, 6}}, 3, 1, true},
        {"empty always passes", {{0, 6}, {1, 12}}, 0, 2, true},
        {"unknown role passes", {{0, 6}}, 30, 1, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(withRoles(c.roles).canAssignRole(c.role, c.output), c.accepted) << c.name;
}

TEST(RoleRules, RoleInUse)
{
    const SenceConfig s = withRoles({{4, 15}});
    EXPECT_TRUE(s.roleInUse(15));
    EXPECT_TRUE(s.roleInUse(0));
    EXPECT_FALSE(s.roleInUse(16));
}

TEST(RoleRules, SameHalf)
{
    EXPECT_TRUE(sameHalf(0, 5));
    EXPECT_TRUE(sameHalf(6, 11));
    EXPECT_FALSE(sameHalf(5, 6));
    EXPECT_FALSE(sameHalf(0, 11));
    EXPECT_FALSE(sameHalf(0, 12));
    EXPECT_FALSE(sameHalf(-1, 0));
}

} // namespace
