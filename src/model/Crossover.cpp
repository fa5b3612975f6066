#include "Crossover.h"

#include "ModelSizes.h"

namespace dravo {

namespace {

struct RoleCrossover {
    int hpFs;
    int hpSlope;
    int lpFs;
    int lpSlope;
};

// Tweeters are cut below 3.5 kHz, midranges kept to 500..3500 Hz, woofers
// to 80..500 Hz, subwoofers below 80 Hz, by role code.
constexpr RoleCrossover kRoleCrossovers[kRoleCount] = {
    {20, 0, 20000, 0},    // 0 none
    {3500, 2, 20000, 0},  // 1 front left tweeter
    {500, 2, 3500, 2},    // 2 front left midrange
    {80, 4, 500, 2},      // 3 front left woofer
    {500, 2, 20000, 0},   // 4 front left midrange + tweeter
    {80, 4, 500, 2},      // 5 front left midrange + woofer
    {20, 0, 20000, 0},    // 6 front left full range
    {3500, 2, 20000, 0},  // 7 front right tweeter
    {500, 2, 3500, 2},    // 8 front right midrange
    {80, 4, 500, 2},      // 9 front right woofer
    {500, 2, 20000, 0},   // 10 front right midrange + tweeter
    {80, 4, 500, 2},      // 11 front right midrange + woofer
    {20, 0, 20000, 0},    // 12 front right full range
    {3500, 2, 20000, 0},  // 13 rear left tweeter
    {80, 4, 500, 2},      // 14 rear left woofer
    {20, 4, 20000, 0},    // 15 rear left full range
    {3500, 2, 20000, 0},  // 16 rear right tweeter
    {80, 4, 500, 2},      // 17 rear right woofer
    {20, 4, 20000, 0},    // 18 rear right full range
    {3500, 2, 20000, 0},  // 19 centre tweeter
    {80, 4, 500, 2},      // 20 centre woofer
    {20, 4, 20000, 0},    // 21 centre full range
    {20, 0, 80, 4},       // 22 left subwoofer
    {20, 0, 80, 4},       // 23 right subwoofer
    {20, 0, 80, 4},       // 24 mono subwoofer
};

constexpr int kRoleCrossoverType = kFilterLinkwitzRiley;

} // namespace

Crossover Crossover::build(int hpFs, int hpSlope, int lpFs, int lpSlope, int type)
{
    Crossover c;
    c.hp.setType(type);
    c.lp.setType(type);
    c.hp.setFrequency(hpFs);
    c.lp.setFrequency(lpFs);
    c.hp.setSlope(hpSlope);
    c.lp.setSlope(lpSlope);
    c.bpType = passFor(c.hp.slope, c.lp.slope);
    return c;
}

Crossover defaultCrossoverForRole(int role)
{
    const RoleCrossover& d = kRoleCrossovers[(role < 0 || role >= kRoleCount) ? 0 : role];
    return Crossover::build(d.hpFs, d.hpSlope, d.lpFs, d.lpSlope, kRoleCrossoverType);
}

} // namespace dravo
