#include "SpeakerRoles.h"

#include <array>

namespace dravo {

namespace {

struct DefaultRoleTable {
    int channelCount;
    std::array<int, 16> roles;
};

// Smaller systems put full-range speakers up front; 12 and 16 channels split
// the front into tweeter, midrange and woofer.
constexpr DefaultRoleTable kDefaultRoleTables[] = {
    {6, {6, 12, 15, 18, 22, 23}},
    {8, {6, 12, 15, 18, 19, 20, 22, 23}},
    {10, {6, 12, 15, 18, 19, 20, 14, 17, 22, 23}},
    {12, {1, 7, 2, 8, 3, 9, 13, 16, 14, 17, 22, 23}},
    {16, {1, 7, 2, 8, 13, 16, 0, 0, 19, 20, 3, 9, 14, 17, 22, 23}},
};

} // namespace

const SpeakerRole* speakerRole(int code)
{
    if (code < 0 || code >= kRoleCount)
        return nullptr;
    return &kSpeakerRoles[code];
}

int mirrorRole(int role)
{
    const SpeakerRole* r = speakerRole(role);
    return r ? r->mirror : kNoMirror;
}

std::optional<MenuLabels> menuItemLabels(std::string_view menuItem)
{
    for (const MenuHeading& h : kOutputMenuHeadings)
        if (h.menuItem == menuItem)
            return MenuLabels{h.label, h.label};
    for (const SpeakerRole& r : kSpeakerRoles)
        if (r.menuItem == menuItem)
            return MenuLabels{r.shortLabel, r.longLabel};
    return std::nullopt;
}

std::span<const int> defaultRolesFor(int channelCount)
{
    for (const DefaultRoleTable& t : kDefaultRoleTables)
        if (t.channelCount == channelCount)
            return std::span<const int>(t.roles.data(), static_cast<std::size_t>(channelCount));
    return {};
}

} // namespace dravo
