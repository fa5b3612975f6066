#pragma once
// Pictures and texts the layout rules put on the page. The pictures are
// files of the skin.
#include <cstdio>
#include <string>

namespace dravo::layout_looks {

inline constexpr const char* kBridgedPair = "ch_in_selected.png";
inline constexpr const char* kPlainPair = "ch_in_type_normal.png";
inline constexpr const char* kSourceItem = "source_normal.png";
inline constexpr const char* kSourceItemChosen = "source_select.png";
// Group indicators, by group number (0 = none).
inline constexpr const char* kSyncGroupPicture = "sync_group_%d.png";
inline constexpr const char* kDelayLinkGroupPicture = "delay_link_group_%d.png";

inline std::string groupPicture(const char* format, int group)
{
    char name[64];
    std::snprintf(name, sizeof name, format, group);
    return name;
}

inline constexpr const char* kBypassEq = "${bypass_eq}";
inline constexpr const char* kRestoreEq = "${restore_eq}";
inline constexpr const char* kPeqMode = "${peq_mode}";
inline constexpr const char* kGeqMode = "${geq_mode}";

inline constexpr const char* kTips = "${tips}";
inline constexpr const char* kConfirm = "${confirm}";
inline constexpr const char* kCancel = "${cancel}";

} // namespace dravo::layout_looks
