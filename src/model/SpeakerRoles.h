#pragma once
// The speaker role an output plays: its place in the car, the part of the
// spectrum it covers, and the role on the other side that links with it.
#include "ModelSizes.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace dravo {

enum class SpeakerGroup : std::uint8_t {
    None,
    FrontLeft,   // roles 1..6
    FrontRight,  // 7..12
    RearLeft,    // 13..15
    RearRight,   // 16..18
    Centre,      // 19..21
    Subwoofer,   // 22..24
};

// Band mask bits: which part of the spectrum a role covers.
inline constexpr int kBandLow = 1;
inline constexpr int kBandMid = 2;
inline constexpr int kBandHigh = 4;

inline constexpr int kNoRole = 0;
inline constexpr int kNoMirror = -1;

struct SpeakerRole {
    int code;
    std::string_view menuItem;    // item name in the output menu
    std::string_view shortLabel;  // language id shown on the role button
    std::string_view longLabel;
    int bandMask;
    SpeakerGroup group;
    int mirror;                   // role on the other side, kNoMirror if none
};

inline constexpr SpeakerRole kSpeakerRoles[kRoleCount] = {
    {0, "output_item_empty", "${empty}", "${empty}", 0, SpeakerGroup::None, kNoMirror},
    {1, "output_menu_front_left_high_freq", "${tweeter}", "${front_left_tweeter}", 4, SpeakerGroup::FrontLeft, 7},
    {2, "output_menu_front_left_mid_freq", "${midrange}", "${front_left_midrange}", 2, SpeakerGroup::FrontLeft, 8},
    {3, "output_menu_front_left_low_freq", "${woofer}", "${front_left_woofer}", 1, SpeakerGroup::FrontLeft, 9},
    {4, "output_menu_front_left_mid_high_freq", "${midrange_tweeter}", "${front_left_mid_twee}", 6, SpeakerGroup::FrontLeft, 10},
    {5, "output_menu_front_left_mid_low_freq", "${midrange_woofer}", "${front_left_mid_woof}", 3, SpeakerGroup::FrontLeft, 11},
    {6, "output_menu_front_left_all_freq", "${full}", "${front_left_full}", 7, SpeakerGroup::FrontLeft, 12},
    {7, "output_menu_front_right_high_freq", "${tweeter}", "${front_right_tweeter}", 4, SpeakerGroup::FrontRight, 1},
    {8, "output_menu_front_right_mid_freq", "${midrange}", "${front_right_midrange}", 2, SpeakerGroup::FrontRight, 2},
    {9, "output_menu_front_right_low_freq", "${woofer}", "${front_right_woofer}", 1, SpeakerGroup::FrontRight, 3},
    {10, "output_menu_front_right_mid_high_freq", "${midrange_tweeter}", "${front_right_mid_twee}", 6, SpeakerGroup::FrontRight, 4},
    {11, "output_menu_front_right_mid_low_freq", "${midrange_woofer}", "${front_right_mid_woof}", 3, SpeakerGroup::FrontRight, 5},
    {12, "output_menu_front_right_all_freq", "${full}", "${front_right_full}", 7, SpeakerGroup::FrontRight, 6},
    {13, "output_menu_rear_left_high_freq", "${tweeter}", "${rear_left_tweeter}", 4, SpeakerGroup::RearLeft, 16},
    {14, "output_menu_rear_left_low_freq", "${woofer}", "${rear_left_woofer}", 1, SpeakerGroup::RearLeft, 17},
    {15, "output_menu_rear_left_all_freq", "${full}", "${rear_left_full}", 7, SpeakerGroup::RearLeft, 18},
    {16, "output_menu_rear_right_high_freq", "${tweeter}", "${rear_right_tweeter}", 4, SpeakerGroup::RearRight, 13},
    {17, "output_menu_rear_right_low_freq", "${woofer}", "${rear_right_woofer}", 1, SpeakerGroup::RearRight, 14},
    {18, "output_menu_rear_right_all_freq", "${full}", "${rear_right_full}", 7, SpeakerGroup::RearRight, 15},
    {19, "output_menu_center_high_freq", "${tweeter}", "${center_tweeter}", 4, SpeakerGroup::Centre, kNoMirror},
    {20, "output_menu_center_low_freq", "${woofer}", "${center_woofer}", 1, SpeakerGroup::Centre, kNoMirror},
    {21, "output_menu_center_all_freq", "${full}", "${center_full}", 7, SpeakerGroup::Centre, kNoMirror},
    {22, "output_menu_subwoof_left", "${left_subwoofer}", "${left_subwoofer_freq}", 4, SpeakerGroup::Subwoofer, 23},
    {23, "output_menu_subwoof_right", "${right_subwoofer}", "${right_subwoofer_freq}", 2, SpeakerGroup::Subwoofer, 22},
    {24, "output_menu_subwoof_low", "${woofer}", "${subwoofer_freq}", 7, SpeakerGroup::Subwoofer, kNoMirror},
};

// The output menu's headings: items without a role.
struct MenuHeading {
    std::string_view menuItem;
    std::string_view label;
};

inline constexpr MenuHeading kOutputMenuHeadings[] = {
    {"output_menu_front", "${front}"},
    {"output_menu_front_left", "${left}"},
    {"output_menu_front_right", "${right}"},
    {"output_menu_rear", "${rear}"},
    {"output_menu_rear_left", "${left}"},
    {"output_menu_rear_right", "${right}"},
    {"output_menu_center", "${center}"},
    {"output_menu_subwoof", "${subwoofer}"},
};

// The row of a role code, nullptr outside 0..24.
const SpeakerRole* speakerRole(int code);

// The role on the other side, kNoMirror for a role without one or an unknown code.
int mirrorRole(int role);

struct MenuLabels {
    std::string_view shortLabel;
    std::string_view longLabel;
};

// Label keys of an output-menu item (role or heading); nothing for a name
// the menu does not have. A heading's one label serves as both.
std::optional<MenuLabels> menuItemLabels(std::string_view menuItem);

// The factory role of each output for a channel count (6, 8, 10, 12 or 16),
// output 0 first; empty for a count without a table.
std::span<const int> defaultRolesFor(int channelCount);

} // namespace dravo
