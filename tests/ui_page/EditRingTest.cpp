// The keyboard walk between the edit boxes, on its own.
#include "EditRing.h"

#include <gtest/gtest.h>

#include <set>

namespace dravo {
namespace {

struct Case {
    const char* name;
    const char* from;
    bool right;
    int bands;
    std::set<std::string> unreachable;
    const char* to;
};

class EditRingWalk : public testing::TestWithParam<Case> {};

TEST_P(EditRingWalk, GoesWhereTheRingSays)
{
    const Case& c = GetParam();
    const auto reachable = [&c](const std::string& name) { return c.unreachable.count(name) == 0; };
    EXPECT_EQ(NextInEditRing(c.from, c.right, c.bands, reachable), c.to);
}

const std::set<std::string> kGraphic = {"eq_freq_0", "eq_freq_1", "eq_freq_2", "eq_q_0", "eq_q_1", "eq_q_2"};

INSTANTIATE_TEST_SUITE_P(
    Cases, EditRingWalk,
    testing::Values(Case{"levels then delays", "edit_ch_volume_11", true, 31, {}, "edit_ch_delay_0"},
                    Case{"into the bands", "edit_main_volume", true, 31, {}, "eq_freq_0"},
                    Case{"graphic view enters at the gains", "edit_main_volume", true, 3, kGraphic, "eq_gain_0"},
                    Case{"back out of the gains", "eq_gain_0", false, 3, {}, "eq_q_2"},
                    Case{"graphic view leaves to the volume", "eq_gain_0", false, 3, kGraphic, "edit_main_volume"},
                    Case{"rows end at the band count", "eq_freq_2", true, 3, {}, "eq_q_0"},
                    Case{"round to the first level", "eq_gain_2", true, 3, {}, "edit_ch_volume_0"},
                    Case{"round back to the last gain", "edit_ch_volume_0", false, 3, {}, "eq_gain_2"},
                    Case{"no bands", "edit_main_volume", true, 0, {}, "edit_ch_volume_0"},
                    Case{"a box that cannot be reached is stepped over", "edit_ch_delay_0", true, 31,
                         {"edit_ch_delay_1", "edit_ch_delay_2"}, "edit_ch_delay_3"},
                    Case{"speaker delays take no part", "spk_delay_3", true, 31, {}, ""},
                    Case{"nor does the ACC box", "edit_acc", false, 31, {}, ""}),
    [](const testing::TestParamInfo<Case>& info) {
        std::string name = info.param.name;
        for (char& ch : name)
            if (!std::isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return name;
    });

} // namespace
} // namespace dravo
